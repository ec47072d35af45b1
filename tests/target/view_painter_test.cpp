#include "platform/RecordingCanvas.h"
#include "target/TargetPainter.h"
#include "view_test_target.h"

#include <QPalette>

#include <gtest/gtest.h>

namespace
{

const QColor Karte(255, 255, 225);
const QColor Knopf(212, 208, 200);
const QColor Schwarz(0, 0, 0);
const QColor Gruen(0, 255, 0);
const QColor Rot(255, 0, 0);
const QColor Gelb(255, 255, 0);
const QColor Blau(0, 0, 255);

class PainterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetViewTestState();
        palette.setColor(QPalette::ToolTipBase, Karte);
        palette.setColor(QPalette::Button, Knopf);
        model = viewTestTarget();
    }

    Einstellungen& settings() { return ProgramState::instance().settings; }

    QList<RecordingCanvas::Op> draw(double pixelHeight = 400)
    {
        canvas = std::make_unique<RecordingCanvas>(400, pixelHeight);
        TargetPainter::ZeichneScheibe(*canvas, model, settings(), palette);
        return canvas->ops();
    }

    static QList<double> radii(const QList<RecordingCanvas::Op>& ops, const QColor& pen)
    {
        QList<double> result;
        for (const auto& op : ops) {
            if (op.kind == QLatin1String("circle") && op.pen == pen)
                result.append(op.args[2]);
        }
        return result;
    }

    static QList<RecordingCanvas::Op> select(
        const QList<RecordingCanvas::Op>& ops, const QString& kind, const QColor& pen)
    {
        QList<RecordingCanvas::Op> result;
        for (const auto& op : ops) {
            if (op.kind == kind && op.pen == pen)
                result.append(op);
        }
        return result;
    }

    QPalette palette;
    TargetModel model;
    std::unique_ptr<RecordingCanvas> canvas;
};

TEST_F(PainterTest, FaceIsDrawnInOrder)
{
    const auto ops = draw();
    ASSERT_GE(ops.size(), 3);
    EXPECT_EQ(ops[0].kind, QStringLiteral("filledBox"));
    EXPECT_EQ(ops[0].pen, Karte);
    EXPECT_EQ(ops[0].args, (QVector<double> {50, 50, 950, 950}));
    EXPECT_EQ(canvas->unitsAcross(), 1000);

    QList<RecordingCanvas::Op> circles = canvas->ops(QStringLiteral("circle"));
    ASSERT_EQ(circles.size(), 12);
    // Black area, ten, light rings inside the black, black rings on the card.
    EXPECT_EQ(circles[0].pen, Schwarz);
    EXPECT_EQ(circles[0].fill, Schwarz);
    EXPECT_EQ(circles[0].fillStyle, FillStyle::Solid);
    EXPECT_EQ(circles[0].args, (QVector<double> {500, 500, 180}));
    EXPECT_EQ(circles[1].pen, Karte);
    EXPECT_EQ(circles[1].fillStyle, FillStyle::Solid);
    EXPECT_EQ(circles[1].args[2], 20);
    const QList<double> expected {180, 140, 100, 60, 20, 380, 340, 300, 260, 220};
    for (int k = 0; k < expected.size(); ++k) {
        const auto& c = circles[k + 2];
        EXPECT_EQ(c.args[2], expected[k]) << k;
        EXPECT_EQ(c.fillStyle, FillStyle::Transparent) << k;
        EXPECT_EQ(c.pen, k < 5 ? Karte : Schwarz) << k;
        EXPECT_EQ(c.penWidth, 1);
    }
}

TEST_F(PainterTest, InnerTenOnlyWithARadiusAndBeforeTheTen)
{
    model.records.Scheibe.InnenZehnerRadius = TaggedValue(10.0);
    model.records.Scheibe.InnenZehnerRingStyle = TaggedValue(6.0);
    draw();
    const auto circles = canvas->ops(QStringLiteral("circle"));
    ASSERT_GE(circles.size(), 3);
    EXPECT_EQ(circles[1].args[2], 10);
    EXPECT_EQ(circles[1].pen, Karte);
    EXPECT_EQ(circles[1].fillStyle, FillStyle::Cross);
    EXPECT_EQ(circles[2].args[2], 20);
    EXPECT_EQ(circles.size(), 13);
}

TEST_F(PainterTest, NarrowRingsGetNoNumbersButAreDrawn)
{
    model.records.Scheibe.Ringbreite = TaggedValue(4.0);
    draw();
    EXPECT_TRUE(canvas->ops(QStringLiteral("text")).isEmpty());
    // 10 light rings (all inside the black), no black rings, black area and ten.
    EXPECT_EQ(canvas->ops(QStringLiteral("circle")).size(), 12);
}

TEST_F(PainterTest, RingNumbersOneToEightAtFourPlaces)
{
    draw();
    const auto texts = canvas->ops(QStringLiteral("text"));
    QMap<QString, QSet<QPair<double, double>>> places;
    QMap<QString, int> count;
    for (const auto& t : texts) {
        places[t.text].insert({t.args[0], t.args[1]});
        ++count[t.text];
    }
    ASSERT_EQ(places.size(), 8);
    for (int v = 1; v <= 8; ++v) {
        const QString text = QStringLiteral(" %1").arg(v);
        EXPECT_EQ(places.value(text).size(), 4) << v;
        // The ring across the edge of the black (circle 4, value 5) is written
        // light and then black at the same places.
        EXPECT_EQ(count.value(text), v == 5 ? 8 : 4) << v;
    }

    canvas->setFontSize(texts[0].fontSize);
    const double w8 = canvas->textWidth(QStringLiteral(" 8"));
    const double h8 = canvas->textHeight(QStringLiteral(" 8"));
    // Value 1 belongs to circle 8 (radius 340), printed black.
    QList<RecordingCanvas::Op> one;
    for (const auto& t : texts) {
        if (t.text == QStringLiteral(" 1"))
            one.append(t);
    }
    ASSERT_EQ(one.size(), 4);
    EXPECT_EQ(one[0].pen, Schwarz);
    EXPECT_DOUBLE_EQ(one[0].args[0], 500 + 340 + 0.20 * w8);
    EXPECT_DOUBLE_EQ(one[0].args[1], 500 - 0.50 * h8);
    EXPECT_DOUBLE_EQ(one[1].args[0], 500 - 340 - 20 - 0.50 * w8);
    EXPECT_DOUBLE_EQ(one[2].args[1], 500 + 340 + 0.08 * h8);
    EXPECT_DOUBLE_EQ(one[3].args[0], 500 - 0.65 * w8);
    EXPECT_DOUBLE_EQ(one[3].args[1], 500 - 340 - 20 - 0.52 * h8);
    EXPECT_FALSE(one[0].bold);
    // The first size at which " 10" fits into a ring width.
    canvas->setFontSize(texts[0].fontSize + 1);
    EXPECT_FALSE(canvas->textWidth(QStringLiteral(" 10")) < 40 && canvas->textHeight(QStringLiteral(" 10")) < 40);
}

TEST_F(PainterTest, BlackRingsBeyondTheScoringAreaAreLeftOut)
{
    model.records.Scheibe.AussenRadius = TaggedValue(300.0);
    draw();
    const QList<double> black = radii(canvas->ops(), Schwarz);
    EXPECT_EQ(black, (QList<double> {180, 300, 260, 220}));
    for (const auto& t : canvas->ops(QStringLiteral("text")))
        EXPECT_NE(t.text, QStringLiteral(" 1"));
}

TEST_F(PainterTest, SightingCorner)
{
    draw();
    for (const auto& l : canvas->ops(QStringLiteral("line")))
        EXPECT_NE(l.penWidth, 25);

    model.records.Scheibe.Probe = TaggedValue(-1);
    settings().FarbeProbeEcke = 0;
    draw();
    const auto lines = canvas->ops(QStringLiteral("line"));
    ASSERT_EQ(lines.size(), 9); // strokes i = 0, 25, ..., 175 and the diagonal
    for (const auto& l : lines) {
        EXPECT_EQ(l.pen, Schwarz);
        EXPECT_EQ(l.penWidth, 25);
    }
    EXPECT_EQ(lines[0].args, (QVector<double> {770, 50, 770, 50}));
    EXPECT_EQ(lines[7].args, (QVector<double> {945, 50, 945, 225}));
    EXPECT_EQ(lines[8].args, (QVector<double> {720, 0, 1000, 280}));
    // The rings after the corner are drawn 1 pixel wide again.
    EXPECT_EQ(canvas->ops(QStringLiteral("circle")).last().penWidth, 1);

    settings().FarbeProbeEcke = 65280;
    draw();
    EXPECT_EQ(canvas->ops(QStringLiteral("line"))[0].pen, Gruen);
}

TEST_F(PainterTest, CornerColourFromTheSetting)
{
    EXPECT_EQ(TargetPainter::probeEckFarbe(-5), Schwarz);
    EXPECT_EQ(TargetPainter::probeEckFarbe(255.4), Rot);
    EXPECT_EQ(TargetPainter::probeEckFarbe(16711680), Blau);
}

TEST_F(PainterTest, WithoutEarlierMarksOnlyTheLatestShot)
{
    viewTestShots(model, 3);
    settings().Trefferkreuze = 0;
    settings().Nummeriert = 1;
    draw();
    EXPECT_TRUE(select(canvas->ops(), QStringLiteral("line"), Gruen).isEmpty());
    const auto shots = canvas->ops(QStringLiteral("shotCircle"));
    ASSERT_EQ(shots.size(), 1);
    EXPECT_EQ(shots[0].pen, Gelb);
    EXPECT_EQ(shots[0].fill, Rot);
    EXPECT_EQ(shots[0].fillStyle, FillStyle::Solid);
    EXPECT_EQ(shots[0].args, (QVector<double> {520, 520, 21, 6.24}));
    for (const auto& t : canvas->ops(QStringLiteral("text")))
        EXPECT_NE(t.pen, Gruen);
}

TEST_F(PainterTest, CrossesThreePixelsWide)
{
    viewTestShots(model, 3);
    settings().Trefferkreuze = 1;
    draw();
    const auto lines = select(canvas->ops(), QStringLiteral("line"), Gruen);
    ASSERT_EQ(lines.size(), 4);
    for (const auto& l : lines)
        EXPECT_EQ(l.penWidth, 3);
    EXPECT_EQ(lines[2].args, (QVector<double> {490, 510, 530, 510}));
    EXPECT_EQ(lines[3].args, (QVector<double> {510, 490, 510, 530}));
    EXPECT_TRUE(lines[0].bold);
    EXPECT_EQ(canvas->ops(QStringLiteral("shotCircle")).size(), 1);
}

TEST_F(PainterTest, EnlargedMarksMakeTheCrossesThin)
{
    viewTestShots(model, 3);
    settings().Trefferkreuze = 1;
    settings().TrefferVergroessern = 1;
    draw();
    const auto discs = select(canvas->ops(), QStringLiteral("circle"), Gruen);
    ASSERT_EQ(discs.size(), 2);
    EXPECT_EQ(discs[0].penWidth, 2);
    EXPECT_EQ(discs[0].args, (QVector<double> {500, 500, 41}));
    const auto lines = select(canvas->ops(), QStringLiteral("line"), Gruen);
    ASSERT_EQ(lines.size(), 8);
    for (const auto& l : lines)
        EXPECT_EQ(l.penWidth, 1);
    EXPECT_EQ(lines[0].args, (QVector<double> {460, 500, 540, 500})); // arms of a ring width
    EXPECT_EQ(lines[2].args, (QVector<double> {480, 500, 520, 500})); // the cross itself
    // The latest shot gets a red disc and cross below its circle.
    const auto red = select(canvas->ops(), QStringLiteral("circle"), Rot);
    ASSERT_EQ(red.size(), 1);
    EXPECT_EQ(red[0].args, (QVector<double> {520, 520, 41}));
    EXPECT_EQ(select(canvas->ops(), QStringLiteral("line"), Rot).size(), 2);
}

TEST_F(PainterTest, CirclesWithMarkedShotAndNumbers)
{
    viewTestShots(model, 3);
    settings().Trefferkreuze = 1;
    settings().Trefferkreise = 1;
    settings().Nummeriert = 1;
    model.records.AktuellerSatz.MarkSchuss = 1;
    draw();
    const auto shots = canvas->ops(QStringLiteral("shotCircle"));
    ASSERT_EQ(shots.size(), 3);
    EXPECT_EQ(shots[0].fill, Gruen);
    EXPECT_EQ(shots[1].fill, Blau);
    EXPECT_EQ(shots[2].fill, Rot);
    for (const auto& s : shots)
        EXPECT_EQ(s.pen, Gelb);
    const auto numbers = select(canvas->ops(), QStringLiteral("text"), Gruen);
    ASSERT_EQ(numbers.size(), 2);
    EXPECT_EQ(numbers[0].text, QStringLiteral(" 1"));
    EXPECT_EQ(numbers[1].text, QStringLiteral(" 2"));
    EXPECT_EQ(numbers[1].args, (QVector<double> {530, 490}));
    EXPECT_EQ(numbers[1].fontSize, 10);
    EXPECT_TRUE(numbers[1].bold);
}

TEST_F(PainterTest, NumbersBesideCrosses)
{
    viewTestShots(model, 2);
    settings().Trefferkreuze = 1;
    settings().Nummeriert = 1;
    draw();
    const auto numbers = select(canvas->ops(), QStringLiteral("text"), Gruen);
    ASSERT_EQ(numbers.size(), 1);
    EXPECT_EQ(numbers[0].args, (QVector<double> {504, 470}));
}

TEST_F(PainterTest, NoNumbersWhenTheRingFontDoesNotFit)
{
    model.records.Scheibe.Ringbreite = TaggedValue(4.0);
    viewTestShots(model, 3);
    settings().Trefferkreuze = 1;
    settings().Nummeriert = 1;
    draw();
    EXPECT_TRUE(canvas->ops(QStringLiteral("text")).isEmpty());
}

TEST_F(PainterTest, SeriesDisplayShowsOneSeries)
{
    viewTestShots(model, 15);
    settings().Trefferkreuze = 1;
    settings().SerienAnzeige = 1;
    SchussSatz& satz = model.records.AktuellerSatz;
    satz.AnzeigeSerie = 1;
    satz.SerienLetzter = 1;
    draw();
    const auto lines = select(canvas->ops(), QStringLiteral("line"), Gruen);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.first().args[1], 600); // shot 10
    EXPECT_EQ(lines.last().args[0], 630); // shot 13
    const auto latest = canvas->ops(QStringLiteral("shotCircle"));
    ASSERT_EQ(latest.size(), 1);
    EXPECT_EQ(latest[0].args[0], 640);

    satz.SerienLetzter = 2;
    draw();
    EXPECT_TRUE(canvas->ops(QStringLiteral("shotCircle")).isEmpty());
    EXPECT_EQ(select(canvas->ops(), QStringLiteral("line"), Gruen).size(), 8);
}

TEST_F(PainterTest, OneShotWithTheMeanPointOnTop)
{
    viewTestShots(model, 1);
    model.records.AktuellerSatz.PosX[0] = 30;
    model.records.AktuellerSatz.PosY[0] = 40;
    settings().MittlereLage = 1;
    settings().Trefferkreuze = 1;
    const auto ops = draw();
    int shot = -1;
    int mean = -1;
    for (int k = 0; k < ops.size(); ++k) {
        if (ops[k].kind == QLatin1String("shotCircle"))
            shot = k;
        if (ops[k].kind == QLatin1String("circle") && ops[k].pen == Blau)
            mean = k;
    }
    ASSERT_GE(shot, 0);
    ASSERT_EQ(mean, shot + 1);
    EXPECT_EQ(ops[mean].fill, Gelb);
    EXPECT_EQ(ops[mean].fillStyle, FillStyle::Solid);
    EXPECT_EQ(ops[mean].args, (QVector<double> {530, 460, 15}));
    EXPECT_EQ(ops[shot].args, (QVector<double> {530, 460, 21, 6.24}));
    EXPECT_EQ(ops[mean + 1].kind, QStringLiteral("filledBox"));
    EXPECT_EQ(model.records.AktuellerSatz.PosX[1], 30);
}

TEST_F(PainterTest, MaskingFrameEndsTheDrawing)
{
    const auto ops = draw(600);
    ASSERT_GE(ops.size(), 5);
    const auto frame = ops.mid(ops.size() - 5);
    const QList<QVector<double>> boxes {{0, 0, 50, 1500}, {0, 0, 1000, 50}, {950, 0, 1000, 1500}, {0, 950, 1000, 1500}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(frame[k].kind, QStringLiteral("filledBox"));
        EXPECT_EQ(frame[k].pen, Knopf);
        EXPECT_EQ(frame[k].args, boxes[k]);
    }
    EXPECT_EQ(frame[4].kind, QStringLiteral("boxOutline"));
    EXPECT_EQ(frame[4].pen, Schwarz);
    EXPECT_EQ(frame[4].args, (QVector<double> {50, 50, 950, 950}));
}

TEST_F(PainterTest, DrawingEndsWithTheLabels)
{
    model.gTitelName = QStringLiteral("Meier");
    draw();
    EXPECT_EQ(model.captions.lblName, QStringLiteral("Meier"));
    EXPECT_TRUE(model.gTitelName.isEmpty());
}

TEST_F(PainterTest, WithoutAVisibleWidthOnlyTheFrameColour)
{
    model.SichtBreite = 0;
    model.records.SchuetzenName = TaggedValue(QStringLiteral("Huber"));
    viewTestShots(model, 2);
    const auto ops = draw();
    ASSERT_EQ(ops.size(), 1);
    EXPECT_EQ(ops[0].kind, QStringLiteral("filledBox"));
    EXPECT_EQ(ops[0].pen, Knopf);
    EXPECT_EQ(model.captions.lblName, QStringLiteral("Huber"));
}

TEST_F(PainterTest, HugeRingCountDoesNotStall)
{
    model.records.Scheibe.RingAnzahl = TaggedValue(1e12);
    model.records.Scheibe.Probe = TaggedValue(-1);
    model.KartonGroesse = 1e12;
    draw();
    EXPECT_LE(canvas->ops().size(), 30000);
}

struct MeanCase {
    double wertung;
    float ring0, ring1;
    float x0, x1;
    float schussNummer;
    float mittelRing, mittelX;
};

class MeanPointTest : public ::testing::TestWithParam<MeanCase>
{
};

TEST_P(MeanPointTest, RoundingRules)
{
    const MeanCase c = GetParam();
    SchussSatz satz;
    WettbewerbsDaten wettbewerb;
    wettbewerb.Wertung = TaggedValue(c.wertung);
    satz.LetzterIndex = 1;
    satz.SchussNummer = c.schussNummer;
    satz.Ringwert[0] = c.ring0;
    satz.Ringwert[1] = c.ring1;
    satz.PosX[0] = c.x0;
    satz.PosX[1] = c.x1;
    satz.PosY[0] = c.x0;
    satz.PosY[1] = c.x1;
    TargetPainter::TrefferDurchschnitt_Errechnen(satz, wettbewerb);
    EXPECT_FLOAT_EQ(satz.MittelRing, c.mittelRing);
    EXPECT_FLOAT_EQ(satz.MittelX, c.mittelX);
    EXPECT_FLOAT_EQ(satz.MittelY, c.mittelX);
    const auto n = static_cast<std::size_t>(c.schussNummer);
    EXPECT_FLOAT_EQ(satz.Ringwert[n], c.mittelRing);
    EXPECT_FLOAT_EQ(satz.PosX[n], c.mittelX);
}

INSTANTIATE_TEST_SUITE_P(Table, MeanPointTest,
    ::testing::Values(MeanCase {0, 9.7f, 10.4f, 0, 0, 2, 9.5f, 0}, MeanCase {1, 9.7f, 10.5f, 0, 0, 2, 10.1f, 0},
        MeanCase {1, 9.0f, 10.0f, -1, 0, 2, 9.5f, -1}, MeanCase {1, 9.0f, 10.0f, 3, 4, 2, 9.5f, 3},
        // divides by the shot number, not by the shots added
        MeanCase {1, 9.0f, 9.0f, 10, 10, 4, 4.5f, 5}));

TEST(MeanPoint, NoShotsDividesByNothing)
{
    SchussSatz satz;
    satz.SchussNummer = 0;
    satz.MittelRing = 7;
    TargetPainter::TrefferDurchschnitt_Errechnen(satz, WettbewerbsDaten {});
    EXPECT_EQ(satz.MittelRing, 0);
    EXPECT_EQ(satz.Ringwert[0], 0);
}

} // namespace
