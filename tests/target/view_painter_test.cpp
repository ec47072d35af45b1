#include "platform/RecordingCanvas.h"
#include "target/TargetPainter.h"
#include "target_test_support.h"

#include <QPalette>

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>

namespace {

const QColor Karte(255, 255, 225);
const QColor Knopf(212, 208, 200);
const QColor Schwarz(0, 0, 0);
const QColor Gruen(0, 255, 0);
const QColor Rot(255, 0, 0);
const QColor Gelb(255, 255, 0);
const QColor Blau(0, 0, 255);

class PainterTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        palette.setColor(QPalette::ToolTipBase, Karte);
        palette.setColor(QPalette::Button, Knopf);
    }

    QList<RecordingCanvas::Op> draw(double pixelHeight = 400)
    {
        canvas = std::make_unique<RecordingCanvas>(400, pixelHeight);
        TargetPainter::ZeichneScheibe(*canvas, model, settings(), palette);
        return canvas->ops();
    }

    // The drawn operations of one kind in one pen colour.
    QList<RecordingCanvas::Op> of(const char* kind, const QColor& pen) const
    {
        QList<RecordingCanvas::Op> result;
        for (const auto& op : canvas->ops(QLatin1String(kind))) {
            if (op.pen == pen)
                result.append(op);
        }
        return result;
    }
    static QList<QVector<double>> argsOf(const QList<RecordingCanvas::Op>& ops)
    {
        QList<QVector<double>> result;
        for (const auto& op : ops)
            result.append(op.args);
        return result;
    }

    QPalette palette;
    std::unique_ptr<RecordingCanvas> canvas;
};

TEST_F(PainterTest, FaceIsDrawnInOrder)
{
    const auto ops = draw();
    EXPECT_EQ(ops[0].kind, QStringLiteral("filledBox"));
    EXPECT_EQ(ops[0].pen, Karte);
    EXPECT_EQ(ops[0].args, (QVector<double> {50, 50, 950, 950}));
    EXPECT_EQ(canvas->unitsAcross(), 1000);

    // Black area, ten, light rings inside the black, black rings on the card.
    const auto circles = canvas->ops(QStringLiteral("circle"));
    ASSERT_EQ(circles.size(), 12);
    EXPECT_EQ(circles[0].args, (QVector<double> {500, 500, 180}));
    EXPECT_EQ(circles[0].fill, Schwarz);
    const QList<double> radii {180, 20, 180, 140, 100, 60, 20, 380, 340, 300, 260, 220};
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(circles[k].args[2], radii[k]) << k;
        EXPECT_EQ(circles[k].pen, k == 0 || k > 6 ? Schwarz : Karte) << k;
        EXPECT_EQ(circles[k].fillStyle, k < 2 ? FillStyle::Solid : FillStyle::Transparent) << k;
        EXPECT_EQ(circles[k].penWidth, 1);
    }
}

TEST_F(PainterTest, InnerTenOnlyWithARadiusAndBeforeTheTen)
{
    model.records.Scheibe.InnenZehnerRadius = TaggedValue(10.0);
    model.records.Scheibe.InnenZehnerRingStyle = TaggedValue(6.0);
    draw();
    const auto circles = canvas->ops(QStringLiteral("circle"));
    ASSERT_EQ(circles.size(), 13);
    EXPECT_EQ(circles[1].args[2], 10);
    EXPECT_EQ(circles[1].pen, Karte);
    EXPECT_EQ(circles[1].fillStyle, FillStyle::Cross);
    EXPECT_EQ(circles[2].args[2], 20);
}

TEST_F(PainterTest, NarrowRingsGetNoNumbersButAreDrawn)
{
    model.records.Scheibe.Ringbreite = TaggedValue(4.0);
    viewTestShots(model, 3);
    settings().Trefferkreuze = 1;
    settings().Nummeriert = 1;
    draw();
    // Neither ring nor shot numbers when the ring font does not fit.
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
    std::copy_if(texts.begin(), texts.end(), std::back_inserter(one), [](const auto& t) { return t.text == u" 1"; });
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
    EXPECT_EQ(argsOf(of("circle", Schwarz)),
        (QList<QVector<double>> {{500, 500, 180}, {500, 500, 300}, {500, 500, 260}, {500, 500, 220}}));
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
    const auto lines = of("line", Schwarz);
    ASSERT_EQ(lines.size(), 9); // strokes i = 0, 25, ..., 175 and the diagonal
    for (const auto& l : lines)
        EXPECT_EQ(l.penWidth, 25);
    EXPECT_EQ(lines[0].args, (QVector<double> {770, 50, 770, 50}));
    EXPECT_EQ(lines[7].args, (QVector<double> {945, 50, 945, 225}));
    EXPECT_EQ(lines[8].args, (QVector<double> {720, 0, 1000, 280}));
    // The rings after the corner are drawn 1 pixel wide again.
    EXPECT_EQ(canvas->ops(QStringLiteral("circle")).last().penWidth, 1);

    settings().FarbeProbeEcke = 65280;
    draw();
    EXPECT_EQ(canvas->ops(QStringLiteral("line"))[0].pen, Gruen);
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
    EXPECT_TRUE(of("line", Gruen).isEmpty());
    const auto shots = canvas->ops(QStringLiteral("shotCircle"));
    ASSERT_EQ(shots.size(), 1);
    EXPECT_EQ(shots[0].pen, Gelb);
    EXPECT_EQ(shots[0].fill, Rot);
    EXPECT_EQ(shots[0].fillStyle, FillStyle::Solid);
    EXPECT_EQ(shots[0].args, (QVector<double> {520, 520, 21, 6.24}));
    for (const auto& t : canvas->ops(QStringLiteral("text")))
        EXPECT_NE(t.pen, Gruen);
}

TEST_F(PainterTest, CrossesThreePixelsWideWithNumbersBeside)
{
    viewTestShots(model, 3);
    settings().Trefferkreuze = 1;
    settings().Nummeriert = 1;
    draw();
    const auto lines = of("line", Gruen);
    ASSERT_EQ(lines.size(), 4);
    for (const auto& l : lines)
        EXPECT_EQ(l.penWidth, 3);
    EXPECT_EQ(argsOf(lines.mid(2)), (QList<QVector<double>> {{490, 510, 530, 510}, {510, 490, 510, 530}}));
    EXPECT_TRUE(lines[0].bold);
    EXPECT_EQ(canvas->ops(QStringLiteral("shotCircle")).size(), 1);
    EXPECT_EQ(argsOf(of("text", Gruen)), (QList<QVector<double>> {{504, 470}, {514, 480}}));
}

TEST_F(PainterTest, EnlargedMarksMakeTheCrossesThin)
{
    viewTestShots(model, 3);
    settings().Trefferkreuze = 1;
    settings().TrefferVergroessern = 1;
    draw();
    const auto discs = of("circle", Gruen);
    ASSERT_EQ(discs.size(), 2);
    EXPECT_EQ(discs[0].penWidth, 2);
    EXPECT_EQ(discs[0].args, (QVector<double> {500, 500, 41}));
    const auto lines = of("line", Gruen);
    ASSERT_EQ(lines.size(), 8);
    for (const auto& l : lines)
        EXPECT_EQ(l.penWidth, 1);
    EXPECT_EQ(lines[0].args, (QVector<double> {460, 500, 540, 500})); // arms of a ring width
    EXPECT_EQ(lines[2].args, (QVector<double> {480, 500, 520, 500})); // the cross itself
    // The latest shot gets a red disc and cross below its circle.
    const auto red = of("circle", Rot);
    ASSERT_EQ(red.size(), 1);
    EXPECT_EQ(red[0].args, (QVector<double> {520, 520, 41}));
    EXPECT_EQ(of("line", Rot).size(), 2);
}

TEST_F(PainterTest, CirclesWithMarkedShotAndNumbers)
{
    viewTestShots(model, 3);
    settings().Trefferkreuze = 1;
    settings().Trefferkreise = 1;
    settings().Nummeriert = 1;
    model.records.AktuellerSatz.MarkSchuss = 1;
    draw();
    const auto shots = of("shotCircle", Gelb);
    ASSERT_EQ(shots.size(), 3);
    EXPECT_EQ(shots[0].fill, Gruen);
    EXPECT_EQ(shots[1].fill, Blau); // the marked shot
    EXPECT_EQ(shots[2].fill, Rot);
    const auto numbers = of("text", Gruen);
    ASSERT_EQ(numbers.size(), 2);
    EXPECT_EQ(numbers[0].text, QStringLiteral(" 1"));
    EXPECT_EQ(numbers[1].text, QStringLiteral(" 2"));
    EXPECT_EQ(numbers[1].args, (QVector<double> {530, 490}));
    EXPECT_EQ(numbers[1].fontSize, 10);
    EXPECT_TRUE(numbers[1].bold);
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
    const auto lines = of("line", Gruen);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.first().args[1], 600); // shot 10
    EXPECT_EQ(lines.last().args[0], 630); // shot 13
    const auto latest = canvas->ops(QStringLiteral("shotCircle"));
    ASSERT_EQ(latest.size(), 1);
    EXPECT_EQ(latest[0].args[0], 640);

    satz.SerienLetzter = 2;
    draw();
    EXPECT_TRUE(canvas->ops(QStringLiteral("shotCircle")).isEmpty());
    EXPECT_EQ(of("line", Gruen).size(), 8);
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
    EXPECT_EQ(argsOf(frame.mid(0, 4)),
        (QList<QVector<double>> {{0, 0, 50, 1500}, {0, 0, 1000, 50}, {950, 0, 1000, 1500}, {0, 950, 1000, 1500}}));
    EXPECT_EQ(of("filledBox", Knopf).size(), 4);
    EXPECT_EQ(frame[4].kind, QStringLiteral("boxOutline"));
    EXPECT_EQ(frame[4].pen, Schwarz);
    EXPECT_EQ(frame[4].args, (QVector<double> {50, 50, 950, 950}));
}

TEST_F(PainterTest, DrawingEndsWithTheLabelsEvenWithoutAVisibleWidth)
{
    model.gTitelName = QStringLiteral("Meier");
    draw();
    EXPECT_EQ(model.captions.lblName, QStringLiteral("Meier"));
    EXPECT_TRUE(model.gTitelName.isEmpty());

    model.SichtBreite = 0;
    model.records.SchuetzenName = TaggedValue(QStringLiteral("Huber"));
    viewTestShots(model, 2);
    const auto ops = draw();
    ASSERT_EQ(ops.size(), 1); // only the frame colour
    EXPECT_EQ(ops[0].kind, QStringLiteral("filledBox"));
    EXPECT_EQ(ops[0].pen, Knopf);
    EXPECT_EQ(model.captions.lblName, QStringLiteral("Huber"));
}

TEST_F(PainterTest, BadFacesNeitherStallNorCrash)
{
    using Fault = std::function<void(TargetModel&)>;
    const Fault faults[] = {
        [](TargetModel& m) {
            m.records.Scheibe.RingAnzahl = TaggedValue(1e12);
            m.KartonGroesse = 1e12;
        },
        [](TargetModel& m) { m.records.Scheibe.AussenRadius = TaggedValue(-380.0); },
        [](TargetModel& m) { m.records.Scheibe.ZehnerRadius = TaggedValue(-1e300); },
        [](TargetModel& m) { m.records.Scheibe.SpiegelRadius = TaggedValue(1e300); },
        [](TargetModel& m) { m.records.Scheibe.Ringbreite = TaggedValue(0.0); },
        [](TargetModel& m) { m.records.Scheibe.Ringbreite = TaggedValue(-40.0); },
        [](TargetModel& m) { m.records.Waffe.AnzeigeRadius = TaggedValue(-1e300); },
    };
    settings().Trefferkreuze = 1;
    settings().Nummeriert = 1;
    settings().MittlereLage = 1;
    for (const Fault& fault : faults) {
        model = viewTestTarget();
        model.records.Scheibe.Probe = TaggedValue(-1);
        viewTestShots(model, 3);
        fault(model);
        draw();
        EXPECT_LE(canvas->ops().size(), 30000);
    }
}

TEST(MeanPoint, RoundingRules)
{
    // Wertung, two ring values, two positions (x = y), shot number; mean ring and mean position.
    const std::array<float, 8> cases[] = {{0, 9.7f, 10.4f, 0, 0, 2, 9.5f, 0}, {1, 9.7f, 10.5f, 0, 0, 2, 10.1f, 0},
        {1, 9.0f, 10.0f, -1, 0, 2, 9.5f, -1}, {1, 9.0f, 10.0f, 3, 4, 2, 9.5f, 3},
        // divides by the shot number, not by the shots added
        {1, 9.0f, 9.0f, 10, 10, 4, 4.5f, 5}};
    for (const auto& c : cases) {
        SchussSatz satz;
        WettbewerbsDaten wettbewerb;
        wettbewerb.Wertung = TaggedValue(double(c[0]));
        satz.LetzterIndex = 1;
        satz.Ringwert = {c[1], c[2]};
        satz.PosX = {c[3], c[4]};
        satz.PosY = satz.PosX;
        satz.SchussNummer = c[5];
        TargetPainter::TrefferDurchschnitt_Errechnen(satz, wettbewerb);
        EXPECT_FLOAT_EQ(satz.MittelRing, c[6]) << c[1];
        EXPECT_FLOAT_EQ(satz.MittelX, c[7]);
        EXPECT_FLOAT_EQ(satz.MittelY, c[7]);
        const auto n = static_cast<std::size_t>(c[5]);
        EXPECT_FLOAT_EQ(satz.Ringwert[n], c[6]);
        EXPECT_FLOAT_EQ(satz.PosX[n], c[7]);
    }
    // No shots: divides by nothing.
    SchussSatz satz;
    satz.MittelRing = 7;
    TargetPainter::TrefferDurchschnitt_Errechnen(satz, WettbewerbsDaten {});
    EXPECT_EQ(satz.MittelRing, 0);
    EXPECT_EQ(satz.Ringwert[0], 0);
}

} // namespace
