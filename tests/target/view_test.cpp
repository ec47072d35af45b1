#include "platform/ProgramInfo.h"
#include "platform/RecordingCanvas.h"
#include "support/TestDialogs.h"
#include "target/TargetLabels.h"
#include "target/TargetPainter.h"
#include "target_test_support.h"

#include <QDir>
#include <QPalette>

#include <array>
#include <functional>

using namespace Qt::StringLiterals;

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
    // The drawn operations of one kind, in one pen colour if one is given.
    QList<RecordingCanvas::Op> of(const char* kind, const QColor& pen = QColor()) const
    {
        QList<RecordingCanvas::Op> result;
        for (const auto& op : canvas->ops(QLatin1String(kind))) {
            if (!pen.isValid() || op.pen == pen)
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
    // Draws shots marked with crosses, three unless said otherwise.
    void marked(int shots = 3)
    {
        viewTestShots(model, shots);
        settings().Trefferkreuze = 1;
        draw();
    }

    QPalette palette;
    std::unique_ptr<RecordingCanvas> canvas;
};

TEST_F(PainterTest, FaceIsDrawnInOrder)
{
    const auto ops = draw();
    EXPECT_EQ(ops[0].kind, u"filledBox"_s);
    EXPECT_EQ(ops[0].pen, Karte);
    EXPECT_EQ(ops[0].args, (QVector<double> {50, 50, 950, 950}));
    EXPECT_EQ(canvas->unitsAcross(), 1000);

    // Black area, ten, light rings inside the black, black rings on the card.
    const auto circles = of("circle");
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

    // An inner ten only with a radius, and before the ten.
    model.records.Scheibe.InnenZehnerRadius = TaggedValue(10.0);
    model.records.Scheibe.InnenZehnerRingStyle = TaggedValue(6.0);
    draw();
    const auto inner = of("circle");
    ASSERT_EQ(inner.size(), 13);
    EXPECT_EQ(std::tuple(inner[1].args[2], inner[1].pen, inner[1].fillStyle, inner[2].args[2]),
        std::tuple(10.0, Karte, FillStyle::Cross, 20.0));
}

TEST_F(PainterTest, NarrowRingsGetNoNumbersButAreDrawnAndBlackRingsBeyondTheScoringAreaAreLeftOut)
{
    model.records.Scheibe.Ringbreite = TaggedValue(4.0);
    settings().Nummeriert = 1;
    marked();
    // Neither ring nor shot numbers when the ring font does not fit; 10 light rings (all inside the black), no
    // black rings, black area and ten.
    EXPECT_TRUE(of("text").isEmpty());
    EXPECT_EQ(of("circle").size(), 12);

    model = viewTestTarget();
    model.records.Scheibe.AussenRadius = TaggedValue(300.0);
    draw();
    EXPECT_EQ(argsOf(of("circle", Schwarz)),
        (QList<QVector<double>> {{500, 500, 180}, {500, 500, 300}, {500, 500, 260}, {500, 500, 220}}));
    for (const auto& t : of("text"))
        EXPECT_NE(t.text, u" 1"_s);
}

TEST_F(PainterTest, RingNumbersOneToEightAtFourPlaces)
{
    draw();
    const auto texts = of("text");
    QMap<QString, QSet<QPair<double, double>>> places;
    QMap<QString, int> count;
    for (const auto& t : texts) {
        places[t.text].insert({t.args[0], t.args[1]});
        ++count[t.text];
    }
    ASSERT_EQ(places.size(), 8);
    for (int v = 1; v <= 8; ++v) {
        const QString text = u" %1"_s.arg(v);
        EXPECT_EQ(places.value(text).size(), 4) << v;
        // The ring across the edge of the black (circle 4, value 5) is written
        // light and then black at the same places.
        EXPECT_EQ(count.value(text), v == 5 ? 8 : 4) << v;
    }

    canvas->setFontSize(texts[0].fontSize);
    const double w8 = canvas->textWidth(u" 8"_s);
    const double h8 = canvas->textHeight(u" 8"_s);
    // Value 1 belongs to circle 8 (radius 340), printed black.
    QList<RecordingCanvas::Op> one;
    std::copy_if(texts.begin(), texts.end(), std::back_inserter(one), [](const auto& t) { return t.text == u" 1"; });
    ASSERT_EQ(one.size(), 4);
    EXPECT_TRUE(one[0].pen == Schwarz && !one[0].bold);
    EXPECT_DOUBLE_EQ(one[0].args[0], 500 + 340 + 0.20 * w8);
    EXPECT_DOUBLE_EQ(one[0].args[1], 500 - 0.50 * h8);
    EXPECT_DOUBLE_EQ(one[1].args[0], 500 - 340 - 20 - 0.50 * w8);
    EXPECT_DOUBLE_EQ(one[2].args[1], 500 + 340 + 0.08 * h8);
    EXPECT_DOUBLE_EQ(one[3].args[0], 500 - 0.65 * w8);
    EXPECT_DOUBLE_EQ(one[3].args[1], 500 - 340 - 20 - 0.52 * h8);
    // The first size at which " 10" fits into a ring width.
    canvas->setFontSize(texts[0].fontSize + 1);
    EXPECT_FALSE(canvas->textWidth(u" 10"_s) < 40 && canvas->textHeight(u" 10"_s) < 40);
}

TEST_F(PainterTest, SightingCorner)
{
    draw();
    for (const auto& l : of("line"))
        EXPECT_NE(l.penWidth, 25);

    model.records.Scheibe.Probe = TaggedValue(-1);
    settings().FarbeProbeEcke = 0;
    draw();
    const auto lines = of("line", Schwarz);
    ASSERT_EQ(lines.size(), 9); // strokes i = 0, 25, ..., 175 and the diagonal
    for (const auto& l : lines)
        EXPECT_EQ(l.penWidth, 25);
    EXPECT_EQ(argsOf({lines[0], lines[7], lines[8]}),
        (QList<QVector<double>> {{770, 50, 770, 50}, {945, 50, 945, 225}, {720, 0, 1000, 280}}));
    // The rings after the corner are drawn 1 pixel wide again.
    EXPECT_EQ(of("circle").last().penWidth, 1);

    settings().FarbeProbeEcke = 65280;
    draw();
    EXPECT_EQ(of("line")[0].pen, Gruen);
    EXPECT_EQ(QList<QColor>({TargetPainter::probeEckFarbe(-5), TargetPainter::probeEckFarbe(255.4),
                  TargetPainter::probeEckFarbe(16711680)}),
        QList<QColor>({Schwarz, Rot, Blau}));
}

TEST_F(PainterTest, WithoutEarlierMarksOnlyTheLatestShot)
{
    viewTestShots(model, 3);
    settings().Nummeriert = 1;
    draw();
    EXPECT_TRUE(of("line", Gruen).isEmpty() && of("text", Gruen).isEmpty());
    const auto shots = of("shotCircle");
    ASSERT_EQ(shots.size(), 1);
    EXPECT_EQ(std::tuple(shots[0].pen, shots[0].fill, shots[0].fillStyle), std::tuple(Gelb, Rot, FillStyle::Solid));
    EXPECT_EQ(shots[0].args, (QVector<double> {520, 520, 21, 6.24}));
}

TEST_F(PainterTest, CrossesThreePixelsWideWithNumbersBeside)
{
    settings().Nummeriert = 1;
    marked();
    const auto lines = of("line", Gruen);
    ASSERT_EQ(lines.size(), 4);
    for (const auto& l : lines)
        EXPECT_EQ(l.penWidth, 3);
    EXPECT_EQ(argsOf(lines.mid(2)), (QList<QVector<double>> {{490, 510, 530, 510}, {510, 490, 510, 530}}));
    EXPECT_TRUE(lines[0].bold);
    EXPECT_EQ(of("shotCircle").size(), 1);
    EXPECT_EQ(argsOf(of("text", Gruen)), (QList<QVector<double>> {{504, 470}, {514, 480}}));
}

TEST_F(PainterTest, EnlargedMarksMakeTheCrossesThin)
{
    settings().TrefferVergroessern = 1;
    marked();
    const auto discs = of("circle", Gruen);
    ASSERT_EQ(discs.size(), 2);
    EXPECT_EQ(discs[0].penWidth, 2);
    EXPECT_EQ(discs[0].args, (QVector<double> {500, 500, 41}));
    const auto lines = of("line", Gruen);
    ASSERT_EQ(lines.size(), 8);
    for (const auto& l : lines)
        EXPECT_EQ(l.penWidth, 1);
    // Arms of a ring width, then the cross itself.
    EXPECT_EQ(argsOf({lines[0], lines[2]}), (QList<QVector<double>> {{460, 500, 540, 500}, {480, 500, 520, 500}}));
    // The latest shot gets a red disc and cross below its circle.
    EXPECT_EQ(argsOf(of("circle", Rot)), (QList<QVector<double>> {{520, 520, 41}}));
    EXPECT_EQ(of("line", Rot).size(), 2);
}

TEST_F(PainterTest, CirclesWithMarkedShotAndNumbers)
{
    model.records.AktuellerSatz.MarkSchuss = 1;
    settings().Trefferkreise = 1;
    settings().Nummeriert = 1;
    marked();
    const auto shots = of("shotCircle", Gelb);
    ASSERT_EQ(shots.size(), 3);
    // The marked shot is blue, the latest red.
    EXPECT_EQ(QList<QColor>({shots[0].fill, shots[1].fill, shots[2].fill}), QList<QColor>({Gruen, Blau, Rot}));
    const auto numbers = of("text", Gruen);
    ASSERT_EQ(numbers.size(), 2);
    EXPECT_EQ(numbers[0].text + numbers[1].text, u" 1 2"_s);
    EXPECT_EQ(numbers[1].args, (QVector<double> {530, 490}));
    EXPECT_TRUE(numbers[1].fontSize == 10 && numbers[1].bold);
}

TEST_F(PainterTest, SeriesDisplayShowsOneSeries)
{
    SchussSatz& satz = model.records.AktuellerSatz;
    satz.AnzeigeSerie = 1;
    satz.SerienLetzter = 1;
    settings().SerienAnzeige = 1;
    marked(15);
    const auto lines = of("line", Gruen);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(std::pair(lines.first().args[1], lines.last().args[0]), std::pair(600.0, 630.0)); // shots 10 and 13
    ASSERT_EQ(of("shotCircle").size(), 1);
    EXPECT_EQ(of("shotCircle")[0].args[0], 640);

    satz.SerienLetzter = 2;
    draw();
    EXPECT_TRUE(of("shotCircle").isEmpty());
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
    EXPECT_EQ(std::pair(ops[mean].fill, ops[mean].fillStyle), std::pair(Gelb, FillStyle::Solid));
    EXPECT_EQ(argsOf({ops[mean], ops[shot]}), (QList<QVector<double>> {{530, 460, 15}, {530, 460, 21, 6.24}}));
    EXPECT_EQ(ops[mean + 1].kind, u"filledBox"_s);
    EXPECT_EQ(model.records.AktuellerSatz.PosX[1], 30);
}

TEST_F(PainterTest, MaskingFrameEndsTheDrawingAndLabelsFollowEvenWithoutAVisibleWidth)
{
    const auto ops = draw(600);
    ASSERT_GE(ops.size(), 5);
    const auto frame = ops.mid(ops.size() - 5);
    EXPECT_EQ(argsOf(frame),
        (QList<QVector<double>> {
            {0, 0, 50, 1500}, {0, 0, 1000, 50}, {950, 0, 1000, 1500}, {0, 950, 1000, 1500}, {50, 50, 950, 950}}));
    EXPECT_EQ(of("filledBox", Knopf).size(), 4);
    EXPECT_EQ(std::pair(frame[4].kind, frame[4].pen), std::pair(u"boxOutline"_s, Schwarz));

    model.gTitelName = u"Meier"_s;
    draw();
    EXPECT_EQ(model.captions.lblName, u"Meier"_s);
    EXPECT_TRUE(model.gTitelName.isEmpty());
    model.SichtBreite = 0;
    model.records.SchuetzenName = TaggedValue(u"Huber"_s);
    viewTestShots(model, 2);
    const auto only = draw();
    ASSERT_EQ(only.size(), 1); // only the frame colour
    EXPECT_EQ(std::pair(only[0].kind, only[0].pen), std::pair(u"filledBox"_s, Knopf));
    EXPECT_EQ(model.captions.lblName, u"Huber"_s);
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
    settings().Nummeriert = 1;
    settings().MittlereLage = 1;
    for (const Fault& fault : faults) {
        model = viewTestTarget();
        model.records.Scheibe.Probe = TaggedValue(-1);
        fault(model);
        marked();
        EXPECT_LE(canvas->ops().size(), 30000);
    }
}

TEST(MeanPoint, RoundingRules)
{
    // Wertung, two ring values, two positions (x = y), shot number; mean ring and mean position.
    const std::array<float, 8> cases[] = {{0, 9.7f, 10.4f, 0, 0, 2, 9.5f, 0}, {1, 9.7f, 10.5f, 0, 0, 2, 10.1f, 0},
        {1, 9.0f, 10.0f, -1, 0, 2, 9.5f, -1}, {1, 9.0f, 10.0f, 3, 4, 2, 9.5f, 3},
        // divides by the shot number, not by the shots added
        {1, 9.0f, 9.0f, 10, 10, 4, 4.5f, 5}, {0, 0, 0, 0, 0, 0, 0, 0}};
    for (const auto& c : cases) {
        SchussSatz satz;
        WettbewerbsDaten wettbewerb;
        wettbewerb.Wertung = TaggedValue(double(c[0]));
        satz.LetzterIndex = c[5] ? 1 : -1; // no shots: divides by nothing
        satz.Ringwert = {c[1], c[2]};
        satz.PosX = {c[3], c[4]};
        satz.PosY = satz.PosX;
        satz.SchussNummer = c[5];
        satz.MittelRing = 7;
        TargetPainter::TrefferDurchschnitt_Errechnen(satz, wettbewerb);
        const auto n = static_cast<std::size_t>(c[5]);
        EXPECT_EQ(QList<float>({satz.MittelRing, satz.Ringwert[n], satz.MittelX, satz.MittelY, satz.PosX[n]}),
            QList<float>({c[6], c[6], c[7], c[7], c[7]}))
            << c[1];
    }
}

class ZoomTest : public ViewTest {
protected:
    // Zooms from step `from` and gives the step reached.
    double zoom(double from, bool manual)
    {
        model.Scheibe_ZoomNummer = from;
        TargetZoom::Zoom(model, manual, settings());
        return model.Scheibe_ZoomNummer;
    }
    void latestShot(float ringwert)
    {
        viewTestShots(model, 3);
        model.records.AktuellerSatz.Ringwert[2] = ringwert;
    }
};

TEST_F(ZoomTest, AutomaticStepFollowsTheLatestShotManualSteppingLandsOnAnAllowedStep)
{
    // Mark radius / ring width = 0.5, so the threshold is the ring value - 0.75.
    settings().AutoZoom = 1;
    const std::pair<float, double> automatic[]
        = {{9.8f, 8}, {7.0f, 6}, {6.75f, 1}, {8.8f, 8}, {8.7f, 6}, {2.0f, 1}, {1.7f, 1}, {0.0f, 1}, {10.9f, 8}};
    for (const auto& [ringwert, step] : automatic) {
        latestShot(ringwert);
        EXPECT_EQ(zoom(0, false), step) << ringwert;
    }
    const std::pair<double, double> manual[] = {{0, 1}, {1, 1}, {2, 6}, {6, 6}, {7, 8}, {9, 1}, {12, 1}, {-3, 1}};
    for (const auto& [from, to] : manual)
        EXPECT_EQ(zoom(from, true), to) << from;

    // Without automatic zoom or shots, or on a manual call, the shots are ignored.
    viewTestShots(model, 0);
    EXPECT_EQ(zoom(0, false), 1);
    latestShot(9.8f);
    EXPECT_EQ(zoom(0, true), 1);
    settings().AutoZoom = 0;
    EXPECT_EQ(zoom(0, false), 1);
}

TEST_F(ZoomTest, WidthsOfTheStepsAndTheGeometryDerivedFromThem)
{
    zoom(1, true);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 2 * 380 + 3 * 40);
    zoom(8, true);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 2 * 380 - 12.4 * 40);
    model.records.Scheibe.RingMin = TaggedValue(3.0);
    zoom(1, true);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 1050); // below RingMin: whole card with margin

    // Rand, KartonGroesse, MitteX and MitteY.
    const auto geometry = [this] {
        return QList<double>({model.Rand, model.KartonGroesse, model.MitteX, model.MitteY});
    };
    model.SichtBreite = 1050;
    TargetZoom::Scheibe_ZoomBerechnen(model);
    EXPECT_EQ(geometry(), QList<double>({52, 945, 525, 525}));
    model.SichtBreite = 264;
    TargetZoom::Scheibe_ZoomBerechnen(model);
    EXPECT_EQ(geometry().mid(0, 2), QList<double>({13, 237}));

    // Every repaint starts from step 0.
    model = viewTestTarget();
    model.Scheibe_ZoomNummer = 8;
    model.zoomForPaint(settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 1);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 880);
    EXPECT_EQ(model.MitteX, 440);
}

TEST_F(ZoomTest, BadTargetsFallBackToTheWholeCard)
{
    settings().AutoZoom = 1;
    latestShot(9.8f);
    model.records.Scheibe.Ringbreite = TaggedValue(0.0);
    EXPECT_EQ(zoom(0, false), 1); // the default step

    model = viewTestTarget();
    latestShot(9.8f);
    model.records.Scheibe.RingAnzahl = TaggedValue(0.0);
    for (const bool manual : {false, true}) {
        EXPECT_EQ(zoom(0, manual), 0);
        EXPECT_DOUBLE_EQ(model.SichtBreite, 1050);
    }
    // A step width of zero or less.
    model = viewTestTarget();
    model.records.Scheibe.AussenRadius = TaggedValue(10.0);
    EXPECT_EQ(zoom(8, true), 8);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 1050);

    model = viewTestTarget();
    model.records.Scheibe.RingAnzahl = TaggedValue(1e15);
    zoom(9, true);
    EXPECT_GT(model.SichtBreite, 0);
}

class LabelsTest : public ViewTest {
protected:
    const LabelCaptions& captions() const { return model.captions; }
    void belegen() { TargetLabels::TextBelegen(model, settings()); }
    // Ring value, total, shot number and place captions.
    QString results() const
    {
        const LabelCaptions& c = model.captions;
        return QStringList({c.lblRingwert, c.lblGesamt, c.lblSchussNr, c.lblPlatz}).join(u'|');
    }
    QString series() const { return QStringList(captions().lblSerie.begin(), captions().lblSerie.end()).join(u'|'); }
};

TEST_F(LabelsTest, NumbersAsText)
{
    const std::pair<float, const char*> cases[] = {{9.7f, "9.7"}, {104.3f, "104.3"}, {5.0f, "5"}, {-0.5f, "-0.5"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(TargetLabels::singleText(value), QLatin1String(text));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(TargetLabels::singleText(9.7f), u"9,7"_s);
}

TEST_F(LabelsTest, ShotNumberAndPlaceByDisplayModeRingValueWholeOrWithTenths)
{
    viewTestShots(model, 5);
    model.records.AktuellerSatz.Ringwert[4] = 9.7f;
    model.records.AktuellerSatz.Gesamt = 19.7f;
    // Sighting, display mode, place, tenths; the result captions.
    const std::tuple<int, int, int, int, const char*> rows[] = {{0, 0, 3, 0, "9|19.7|(5)|3."},
        {0, 1, 3, 1, "9.7|19.7|5.Schuss|3.Platz"}, {-1, 1, 3, 0, "9|19.7|5.Schuss|"}, {0, 1, 0, 0, "9|19.7|5.Schuss|"}};
    for (const auto& [probe, ausf, platz, zehntel, captions] : rows) {
        model.records.Scheibe.Probe = TaggedValue(probe);
        settings().AusfAnzeige = std::uint8_t(ausf);
        settings().ZehntelAnzeige = std::uint8_t(zehntel);
        model.Platz = std::int16_t(platz);
        belegen();
        EXPECT_EQ(results(), QLatin1String(captions));
    }
    const auto paint = TargetLabels::paintTimeLabels(model, settings());
    EXPECT_EQ(paint.ergebnisText, u"9.7 / 19.7"_s);
}

TEST_F(LabelsTest, NoShotEmptiesTheResultsAndIndexesOutsideTheArraysAreSkipped)
{
    viewTestShots(model, 2);
    model.records.AktuellerSatz.SerienLetzter = 0;
    belegen();
    EXPECT_FALSE(captions().lblGesamt.isEmpty() || captions().lblSerie[0].isEmpty());
    model.records.AktuellerSatz.SchussNummer = 0;
    belegen();
    const LabelCaptions& c = captions();
    EXPECT_EQ(c.lblRingwert + c.lblGesamt + c.lblSchussNr + c.lblErgebnis + series(), u"|||||"_s);

    viewTestShots(model, 2);
    model.captions.lblRingwert = u"keep"_s;
    model.records.AktuellerSatz.LetzterIndex = 400;
    belegen();
    EXPECT_EQ(captions().lblRingwert + captions().lblSchussNr, u"keep(2)"_s);
    EXPECT_FALSE(TargetLabels::paintTimeLabels(model, settings()).ergebnisText.has_value());
}

TEST_F(LabelsTest, EightSeriesFillOnlySixAndLaterCaptionsStay)
{
    viewTestShots(model, 80);
    SchussSatz& satz = model.records.AktuellerSatz;
    satz.SerienLetzter = 7;
    for (std::size_t k = 0; k < 8; ++k)
        satz.SerienWert[k] = 90.5f + float(k);
    belegen();
    EXPECT_EQ(series(), u"90.5|91.5|92.5|93.5|94.5|95.5"_s);

    viewTestShots(model, 12);
    model.captions.lblSerie[3] = u"old"_s;
    satz.SerienLetzter = 1;
    satz.SerienWert[1] = 20;
    belegen();
    EXPECT_EQ(series(), u"90.5|20|92.5|old|94.5|95.5"_s);
}

TEST_F(LabelsTest, PendingTitleNameBecomesTheShooter)
{
    model.records.SchuetzenName = TaggedValue(u"Alt"_s);
    model.gTitelName = u"Neu"_s;
    belegen();
    EXPECT_EQ(captions().lblName + captions().lblTitelName, u"NeuNeu"_s);
    EXPECT_TRUE(model.gTitelName.isEmpty());
    belegen();
    EXPECT_EQ(captions().lblName, u"Neu"_s);
    model.records.SchuetzenName = TaggedValue();
    belegen();
    EXPECT_EQ(captions().lblName, QString());
}

TEST_F(LabelsTest, SeriesResultAndTitleShownByTheirSettings)
{
    // Shots of the competition, series length, series labels shown.
    const std::array<double, 3> rows[]
        = {{40, 10, 4}, {60, 10, 6}, {70, 10, 0}, {9, 10, 0}, {10, 10, 1}, {45, 10, 4}, {40, 0, 0}, {-40, 10, 0}};
    settings().SerienErgebnisse = 1;
    for (const auto& row : rows) {
        model.records.Wettbewerb.SchussZahl = TaggedValue(row[0]);
        model.records.Wettbewerb.Serienlaenge = TaggedValue(row[1]);
        const auto paint = TargetLabels::paintTimeLabels(model, settings());
        for (std::size_t k = 0; k < 6; ++k)
            EXPECT_EQ(paint.serieVisible[k], k < row[2]) << row[0] << " shots, label " << k;
    }

    settings().SerienErgebnisse = 0;
    settings().Schnellanzeige = 0;
    auto paint = TargetLabels::paintTimeLabels(model, settings());
    EXPECT_FALSE(paint.serieVisible[0] || paint.ergebnisVisible || paint.titelNameVisible || paint.ergebnisText);
    settings().Schnellanzeige = 2;
    paint = TargetLabels::paintTimeLabels(model, settings());
    EXPECT_TRUE(paint.ergebnisVisible && paint.titelNameVisible);
}

TEST_F(LabelsTest, CompactLayoutMovesTheResultsOutOfSightTheFullOneStacksThem)
{
    TargetLabels::LabelLayout d;
    d.titelName = QRectF(0, 200, 340, 27);
    d.name = QRectF(8, 232, 40, 22);
    d.ringwert = QRectF(8, 280, 30, 22);
    d.gesamt = QRectF(176, 288, 161, 25);
    d.schussNr = QRectF(8, 312, 97, 25);
    d.platz = QRectF(184, 312, 161, 25);
    for (std::size_t k = 0; k < 6; ++k)
        d.serie[k] = QRectF(3 + 40 * double(k), 176, 41, 20);

    settings().Scheibenanzahl = 6;
    settings().chkEinZeilig = 0;
    auto l = TargetLabels::TextPositionieren(d, 1000, settings());
    EXPECT_EQ(l.titelName, QRectF(25, 960 - 27, 950, 27));
    for (const QRectF& r : {l.name, l.ringwert, l.gesamt, l.schussNr, l.platz, l.serie[0], l.serie[5]})
        EXPECT_DOUBLE_EQ(r.top(), 10000);
    EXPECT_DOUBLE_EQ(l.name.left(), 8);

    settings().Scheibenanzahl = 8;
    l = TargetLabels::TextPositionieren(d, 1000, settings());
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_EQ(l.serie[k].topLeft(), QPointF(d.serie[k].left(), 970));
    EXPECT_EQ(l.name.topLeft(), QPointF(25, 970 + 20 + 25));
    EXPECT_EQ(l.gesamt, QRectF(25 + 30, 1015 + 22 + 25, 0.85 * (1000 - 55 - 25), 25));
    EXPECT_EQ(l.platz, QRectF(25 + 97, 1062 + 25 + 25, 0.85 * (1000 - 122 - 25), 25));
    EXPECT_TRUE(l.ringwert.top() == l.gesamt.top() && l.schussNr.top() == l.platz.top());
    // A one-line display of few targets uses the full layout too.
    settings().Scheibenanzahl = 4;
    settings().chkEinZeilig = 1;
    EXPECT_DOUBLE_EQ(TargetLabels::TextPositionieren(d, 1000, settings()).serie[0].top(), 970);
}

QByteArray competition(const QByteArray& name, const QByteArray& waffe, const QByteArray& scheibe)
{
    return "\"" + name + "\",1,\"R\",0,0,0,40,10,\"50\",15,1,\"stehend\",10,\"" + waffe + "\",\"" + scheibe
        + "\"\r\n1,\"50\",\"\",\"\",\"\",1,40,0,0,0,1,\"S\",\"\",\"\",\"\",1,4,0,0,0\r\n";
}

class ModelTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        ProgramState::reset();
        TestDialogs::clear();
        ProgramInfo::setDirectoryForTest(m_dir.path());
        write(u"hd_1-10.def"_s, competition("LG 10m", "waffe.def", "scheibe.def"));
        write(u"hd_1-40.def"_s, competition("Fehlt", "waffe.def", "fehlt.def"));
        write(u"scheibe.def"_s, "\"LG\",1,1,380,180,20,0,0,1,0,0,0,0,40,1,8,10,0,1000,1000,-1,0,0\r\n");
        write(u"waffe.def"_s, "\"LG 4,5\",1,20,45,4.5,0\r\n");
        viewTestShots(model, 3);
        model.records.Scheibe.Probe = TaggedValue(0);
    }
    void TearDown() override { ProgramInfo::setDirectoryForTest(QString()); }
    static Einstellungen& settings() { return ProgramState::instance().settings; }
    // Discipline, shooter, competition, ring width and mark radius.
    QString loaded() const
    {
        return u"%1|%2|%3|%4|%5"_s.arg(model.DisziplinNr, model.records.SchuetzenName.toString(),
            model.records.Wettbewerb.Bezeichnung.toString(), model.records.Scheibe.Ringbreite.toString(),
            model.records.Waffe.AnzeigeRadius.toString());
    }

    TargetModel model;
};

TEST_F(ModelTest, InitLoadsTheDisciplineAndStartsAShooter)
{
    ASSERT_TRUE(model.Init(u" 255 $1.10$Max$Muster"_s));
    EXPECT_EQ(loaded(), u"1.10|Max$Muster|LG 10m|40|20"_s);
    EXPECT_EQ(std::pair(model.records.AktuellerSatz.LetzterIndex, model.records.AktuellerSatz.SchussNummer),
        std::pair(-1.0f, 0.0f));
    EXPECT_TRUE(model.probe());
    EXPECT_EQ(model.VolleBreite, 1000);
}

TEST_F(ModelTest, BadAnnouncementChangesNothingAndAMissingTargetFileSkipsTheRest)
{
    model.DisziplinNr = u"2.20"_s;
    model.records.SchuetzenName = TaggedValue(u"Alt"_s);
    for (const char* bad : {"7$1.10", "7", "", "300$1.10$X", "-1$1.10$X", "abc$1.10$X", "$1.10$X"}) {
        EXPECT_FALSE(model.Init(QString::fromLatin1(bad))) << bad;
        EXPECT_EQ(loaded(), u"2.20|Alt|||"_s);
        EXPECT_EQ(model.records.AktuellerSatz.LetzterIndex, 2);
    }

    EXPECT_FALSE(model.Init(u"3$1.40$Name"_s));
    EXPECT_EQ(model.DisziplinNr + model.records.Wettbewerb.Bezeichnung.toString(), u"1.40Fehlt"_s);
    EXPECT_EQ(model.records.AktuellerSatz.LetzterIndex, 2);
    EXPECT_FALSE(model.probe());

    // A competition file that ends early is not used at all, and nothing is said.
    write(u"hd_2-20.def"_s, competition("Kurz", "waffe.def", "scheibe.def").left(40));
    EXPECT_FALSE(model.Init(u"3$2.20$Kurz"_s));
    EXPECT_EQ(model.DisziplinNr + model.records.Wettbewerb.Bezeichnung.toString(), u"2.20Fehlt"_s);
    EXPECT_EQ(model.records.AktuellerSatz.LetzterIndex, 2);
    EXPECT_FALSE(model.probe());
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

TEST_F(ModelTest, FilesNamedWithBackslashesAndOtherCaseOrNotNamedAtAll)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"daten"_s));
    write(u"hd_2-10.def"_s, competition("LP", "WAFFE.DEF", "Daten\\Scheibe.DEF"));
    writeTestFile(FileLookup::join(path(u"daten"_s), u"scheibe.def"_s),
        "\"LP\",1,1,700,300,50,0,0,1,0,0,0,0,80,1,9,10,0,1700,1700,0,0,0\r\n");
    ASSERT_TRUE(model.Init(u"1$2.10$X"_s));
    EXPECT_EQ(loaded(), u"2.10|X|LP|80|20"_s);
    // A competition that names no target or weapon leaves them as they were.
    write(u"hd_2-60.def"_s, competition("Ohne", "", ""));
    ASSERT_TRUE(model.Init(u"1$2.60$X"_s));
    EXPECT_EQ(loaded(), u"2.60|X|Ohne|80|20"_s);
}

TEST_F(ModelTest, TargetFileResetsTheZoomAndEndsSighting)
{
    model.Scheibe_ZoomNummer = 6;
    model.RandProzent = 7;
    model.KartonProzent = 50;
    model.records.Scheibe.OffsetX = TaggedValue(12.0);
    model.records.Scheibe.Probe = TaggedValue(-1);
    EXPECT_TRUE(model.ScheibenSelection(path(u"scheibe.def"_s), TaggedValue(3.0)).isEmpty());
    EXPECT_FALSE(model.probe());
    EXPECT_EQ(QList<double>({model.Scheibe_ZoomNummer, model.records.Scheibe.OffsetX.toDouble(), model.SichtBreite,
                  model.KartonProzent, model.RandProzent}),
        QList<double>({0, 0, 1000, 90, 5}));
}

TEST_F(ModelTest, Init2002ResetsEverySetAndSetProbeCopiesTheChosenOne)
{
    model.records.SchuetzenName = TaggedValue(u"Alt"_s);
    model.records.ProbeSatz.LetzterIndex = 4;
    model.records.ProbeSatz.SchussNummer = 5;
    model.records.MatchSatz.Gesamt = 300;
    model.captions.lblSerie.fill(u"99"_s);
    model.captions.lblGesamt = u"19"_s;
    model.Init2002();
    EXPECT_EQ(model.records.SchuetzenName.toString(), QString());
    for (const SchussSatz* satz : {&model.records.ProbeSatz, &model.records.MatchSatz, &model.records.AktuellerSatz})
        EXPECT_EQ(QList<float>({satz->LetzterIndex, satz->SchussNummer, satz->Gesamt}), QList<float>({-1, 0, 0}));
    EXPECT_TRUE(model.probe());
    EXPECT_EQ(QStringList(model.captions.lblSerie.begin(), model.captions.lblSerie.end()), QStringList(6, QString()));
    EXPECT_EQ(model.captions.lblGesamt, u"19"_s);

    model.records.ProbeSatz.SchussNummer = 3;
    model.records.MatchSatz.SchussNummer = 7;
    model.SetProbe(true);
    EXPECT_TRUE(model.probe());
    EXPECT_EQ(model.records.AktuellerSatz.SchussNummer, 3);
    model.records.ProbeSatz.SchussNummer = 4; // a copy, not a view
    EXPECT_EQ(model.records.AktuellerSatz.SchussNummer, 3);
    model.SetProbe(false);
    EXPECT_FALSE(model.probe());
    EXPECT_EQ(model.records.AktuellerSatz.SchussNummer, 7);
    model.records.AktuellerSatz.SchussNummer = 1;
    EXPECT_EQ(model.records.MatchSatz.SchussNummer, 7);
}

TEST_F(ModelTest, LoadEventZoomsByTheAutoZoomRuleAndSurvivesMissingFiles)
{
    model = TargetModel();
    model.DisziplinNr = u"1.10"_s;
    model.gTitelName = u"wartet"_s;
    model.Scheibe_ZoomNummer = 8;
    model.Laden(settings());
    EXPECT_TRUE(model.gTitelName.isEmpty());
    EXPECT_EQ(
        QList<double>({model.Scheibe_ZoomNummer, model.SichtBreite, model.Rand, model.KartonGroesse, model.MitteX}),
        QList<double>({1, 2 * 380 + 3 * 40, 44, 792, 440}));
    settings().AutoZoom = 1;
    viewTestShots(model, 1);
    model.records.AktuellerSatz.Ringwert[0] = 9.8f;
    model.Laden(settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 8);

    model.DisziplinNr = u"1.40"_s;
    model.Laden(settings());
    EXPECT_EQ(model.records.Wettbewerb.Bezeichnung.toString(), u"Fehlt"_s);
    // A competition file that ends early leaves the record before it.
    write(u"hd_2-20.def"_s, competition("Kurz", "waffe.def", "scheibe.def").left(40));
    model.DisziplinNr = u"2.20"_s;
    model.Laden(settings());
    EXPECT_EQ(model.records.Wettbewerb.Bezeichnung.toString(), u"Fehlt"_s);
    // Without its competition file no target or weapon is read.
    QFile::remove(path(u"hd_1-10.def"_s));
    model.records.Scheibe.Bezeichnung = TaggedValue(u"vorher"_s);
    model.DisziplinNr = QString();
    model.Laden(settings());
    ASSERT_EQ(TestDialogs::messages().size(), 1);
    EXPECT_TRUE(TestDialogs::messages()[0].text.startsWith(u"Datei existiert nicht: "_s));
    EXPECT_TRUE(model.records.Wettbewerb.Bezeichnung.isEmpty());
    EXPECT_EQ(model.records.Scheibe.Bezeichnung.toString(), u"vorher"_s);
}

} // namespace
