#include "platform/PainterCanvas.h"
#include "platform/Twips.h"
#include "target/Scheibe.h"
#include "target/TargetPainter.h"
#include "target_test_support.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QColor Karte(255, 255, 225);
const QColor Knopf(212, 208, 200);

// Colours are compared with some slack for antialiased edges nearby.
::testing::AssertionResult near(const QColor& actual, const QColor& expected)
{
    const int d = std::abs(actual.red() - expected.red()) + std::abs(actual.green() - expected.green())
        + std::abs(actual.blue() - expected.blue());
    if (d <= 12)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual.name().toStdString() << " instead of "
                                         << expected.name().toStdString();
}

class WidgetTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        Twips::overrideDpiForTest(96, 96);
        saved = QApplication::palette();
        QPalette palette = saved;
        palette.setColor(QPalette::ToolTipBase, Karte);
        palette.setColor(QPalette::Button, Knopf);
        QApplication::setPalette(palette);
    }

    void TearDown() override
    {
        QApplication::setPalette(saved);
        Twips::overrideDpiForTest(0, 0);
    }

    static QLabel* label(const QWidget& w, const char* name) { return w.findChild<QLabel*>(QString::fromLatin1(name)); }
    // The texts of the named labels joined by "|".
    static QString texts(const QWidget& w, const char* names)
    {
        QStringList result;
        for (const QString& name : QString::fromLatin1(names).split(u' '))
            result.append(label(w, name.toLatin1().constData())->text());
        return result.join(u'|');
    }

    QPalette saved;
};

TEST_F(WidgetTest, LabelsCarryTheirDesignAndGoOutOfSightWhenCompact)
{
    Scheibe w;
    for (const char* name : {"lblName", "lblTitelName", "lblNr", "lblRingwert", "lblGesamt", "lblSchussNr", "lblPlatz",
             "lblErgebnis", "lblSerie0", "lblSerie5"}) {
        ASSERT_NE(label(w, name), nullptr) << name;
        EXPECT_TRUE(label(w, name)->font().bold()) << name;
    }
    EXPECT_EQ(label(w, "lblNr")->text(), u"00"_s);
    EXPECT_EQ(label(w, "lblNr")->geometry(), QRect(3, 3, 41, 33)); // 50, 50, 615 x 495 twips

    // Few targets a page: the results go out of sight.
    settings().Scheibenanzahl = 4;
    w.model() = viewTestTarget();
    w.resize(500, 600);
    w.TextPositionieren();
    EXPECT_EQ(QList<int>({label(w, "lblGesamt")->y(), label(w, "lblSerie0")->y(), label(w, "lblNr")->y()}),
        QList<int>({5000, 5000, 3}));
}

TEST_F(WidgetTest, LaneNumberShownAtLoadAndWhenShown)
{
    QWidget frame;
    auto* hidden = new Scheibe(&frame);
    hidden->setTargetVisible(true); // visibility ignores hidden parents
    EXPECT_TRUE(hidden->isTargetVisible());
    hidden->setTargetVisible(false);
    EXPECT_FALSE(hidden->isTargetVisible());

    Scheibe w;
    w.setLinienNr(7);
    w.Laden();
    EXPECT_EQ(label(w, "lblNr")->text(), u"7"_s);
    EXPECT_EQ(w.LinienNr(), 7);
    w.setLinienNr(8);
    w.show();
    EXPECT_EQ(label(w, "lblNr")->text(), u"8"_s);
}

TEST_F(WidgetTest, TextBelegenFillsTheLabelsAndInit2002EmptiesTheSeries)
{
    Scheibe w;
    TargetModel& m = w.model();
    m = viewTestTarget();
    viewTestShots(m, 5);
    m.records.Scheibe.Probe = TaggedValue(0);
    w.setPlatz(3);
    w.setGTitelName(u"Muster"_s);
    w.TextBelegen();
    EXPECT_EQ(texts(w, "lblSchussNr lblPlatz lblName lblTitelName lblRingwert"), u"(5)|3.|Muster|Muster|9"_s);

    viewTestShots(m, 30);
    m.records.AktuellerSatz.SerienLetzter = 2;
    m.records.AktuellerSatz.SerienWert[2] = 97;
    w.TextBelegen();
    ASSERT_EQ(label(w, "lblSerie2")->text(), u"97"_s);
    w.Init2002();
    EXPECT_EQ(label(w, "lblSerie2")->text(), QString());
    EXPECT_TRUE(w.model().probe());
}

TEST_F(WidgetTest, PaintAppliesTheLabelRules)
{
    settings().SerienErgebnisse = 1;
    settings().Schnellanzeige = 1;
    settings().Scheibenanzahl = 8;
    ProgramState::instance().language.OptionsTexte[0] = u"Optionen"_s;
    QWidget frame;
    frame.resize(1000, 1200);
    auto* w = new Scheibe(&frame);
    w->model() = viewTestTarget();
    viewTestShots(w->model(), 2);
    w->model().records.AktuellerSatz.Gesamt = 19.8f;
    w->resize(440, 500);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    w->Refresh();

    // 40 shots in series of 10.
    EXPECT_TRUE(label(*w, "lblSerie3")->isVisibleTo(w) && !label(*w, "lblSerie4")->isVisibleTo(w));
    EXPECT_EQ(label(*w, "lblSerie0")->y(), qRound(0.97 * 880 / 2));
    EXPECT_TRUE(label(*w, "lblErgebnis")->isVisibleTo(w));
    EXPECT_EQ(label(*w, "lblErgebnis")->text(), u"9.9 / 19.8"_s);
    QLabel* titel = label(*w, "lblTitelName");
    // 0.025 x 880 units at half a pixel each.
    EXPECT_EQ(std::pair(titel->x(), titel->width()), std::pair(11, qRound(0.95 * 440)));
    EXPECT_EQ(w->findChild<QAction*>(u"mOptionen"_s)->text(), u"Optionen"_s);

    settings().Schnellanzeige = 0;
    w->Refresh();
    EXPECT_FALSE(label(*w, "lblErgebnis")->isVisibleTo(w) || titel->isVisibleTo(w));
}

TEST_F(WidgetTest, OptionsFromThePopupAndTheKeyboard)
{
    Scheibe w;
    w.resize(300, 300);
    w.show();
    QSignalSpy spy(&w, &Scheibe::optionenAngefordert);
    QTest::mousePress(&w, Qt::RightButton, {}, QPoint(100, 100));
    QMenu* menu = w.findChild<QMenu*>(u"mMenu"_s);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    w.findChild<QAction*>(u"mOptionen"_s)->trigger();
    EXPECT_EQ(spy.count(), 1);
    menu->hide();
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(spy.count(), 2);
    QTest::keyClick(&w, Qt::Key_O);
    EXPECT_EQ(spy.count(), 2);
}

using RenderTest = WidgetTest;

// A real rendering of the face: one pixel per target unit.
TEST_F(RenderTest, FaceAndShotOnAnImage)
{
    TargetModel m = viewTestTarget();
    viewTestShots(m, 1);
    m.records.AktuellerSatz.PosX[0] = 250;
    m.records.AktuellerSatz.PosY[0] = -250;
    QImage image(1000, 1000, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter, 1000, 1000);
        TargetPainter::ZeichneScheibe(canvas, m, settings(), QApplication::palette());
    }
    EXPECT_TRUE(near(image.pixelColor(500, 500), Karte)); // the ten
    EXPECT_TRUE(near(image.pixelColor(500 + 85, 500 + 85), Qt::black)); // off the axes and their numbers
    EXPECT_TRUE(near(image.pixelColor(80, 80), Karte));
    EXPECT_TRUE(near(image.pixelColor(20, 500), Knopf));
    EXPECT_TRUE(near(image.pixelColor(745, 750), QColor(255, 0, 0))); // the latest shot
    EXPECT_TRUE(near(image.pixelColor(670, 670), Karte)); // between the black rings 220 and 260

    // Its rim is yellow, on radius AnzeigeRadius + 1 around the shot: most of
    // the rim pixels are mostly yellow despite the antialiasing.
    int yellow = 0;
    const int samples = 72;
    for (int k = 0; k < samples; ++k) {
        const double a = 2 * M_PI * k / samples;
        const QColor c = image.pixelColor(qRound(750 + 21 * std::cos(a)), qRound(750 - 21 * std::sin(a)));
        if (c.red() > 200 && c.green() > 150 && c.blue() < 150)
            ++yellow;
    }
    EXPECT_GT(yellow, samples / 2);
}

TEST_F(RenderTest, WidgetPaintsItsFace)
{
    Scheibe w;
    w.model() = viewTestTarget();
    w.model().records.Scheibe.Probe = TaggedValue(-1);
    settings().FarbeProbeEcke = 255;
    w.resize(880, 1000); // step 1 shows 880 units: one pixel per unit
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    w.render(&image);
    EXPECT_TRUE(near(image.pixelColor(440 + 85, 440 + 85), Qt::black));
    EXPECT_TRUE(near(image.pixelColor(70, 800), Karte));
    EXPECT_TRUE(near(image.pixelColor(820, 60), QColor(255, 0, 0))); // sighting corner
    EXPECT_TRUE(near(image.pixelColor(440, 960), Knopf));
}

// The window keeps its face between paints; whatever changes the face must
// show exactly as a window that paints that state for the first time.
TEST_F(RenderTest, KeptFaceFollowsEveryChange)
{
    const auto rendered = [](Scheibe& w) {
        QImage image(w.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        w.render(&image);
        return image;
    };
    const std::function<void(TargetModel&)> changes[] = {
        [](TargetModel& m) { viewTestShots(m, 3); },
        [](TargetModel& m) { m.records.Scheibe.Probe = TaggedValue(-1); },
        [](TargetModel& m) { m.records.Scheibe.Ringbreite = TaggedValue(30.0); },
        [](TargetModel& m) { m.records.Scheibe.SpiegelRadius = TaggedValue(150.0); },
    };
    Scheibe kept;
    kept.model() = viewTestTarget();
    kept.resize(440, 500);
    rendered(kept);
    for (const auto& change : changes) {
        change(kept.model());
        Scheibe fresh;
        fresh.model() = kept.model();
        fresh.resize(kept.size());
        EXPECT_EQ(rendered(kept), rendered(fresh));
    }
    kept.resize(300, 340);
    Scheibe fresh;
    fresh.model() = kept.model();
    fresh.resize(kept.size());
    EXPECT_EQ(rendered(kept), rendered(fresh));
}

// The window keeps the earlier shots on its face and draws only those that
// are new. Shot by shot, and through whatever makes it draw them afresh, it
// must show exactly what ZeichneScheibe draws in one go.
TEST_F(RenderTest, KeptShotsDrawAsZeichneScheibe)
{
    struct Marking {
        const char* name;
        int kreise;
        int nummeriert;
        int vergroessern;
        int serien;
    };
    const Marking markings[] = {
        {"crosses", 0, 0, 0, 0},
        {"numbered enlarged circles", 1, 1, 1, 0},
        {"one series at a time", 1, 1, 0, 1},
    };
    const auto direct = [](TargetModel m, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Knopf);
        m.zoomForPaint(settings());
        QPainter painter(&image);
        PainterCanvas canvas(painter, size.width(), size.height());
        TargetPainter::ZeichneScheibe(canvas, m, settings(), QApplication::palette());
        return image;
    };
    const auto windowOnly = [](Scheibe& w) {
        QImage image(w.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        w.render(&image, {}, {}, QWidget::DrawWindowBackground);
        return image;
    };
    const auto shots = [](int count) { return [count](TargetModel& m) { viewTestShots(m, count); }; };
    std::vector<std::function<void(TargetModel&)>> steps;
    for (int n = 1; n <= 14; ++n)
        steps.push_back(shots(n));
    steps.push_back([](TargetModel& m) { m.records.AktuellerSatz.MarkSchuss = 4; });
    steps.push_back([](TargetModel& m) { m.records.AktuellerSatz.PosX[2] += 30; });
    steps.push_back([](TargetModel& m) { m.records.AktuellerSatz.AnzeigeSerie = 0; });
    steps.push_back(shots(3)); // a new match
    steps.push_back([](TargetModel& m) { m.records.Waffe.AnzeigeRadius = TaggedValue(12.0); });
    steps.push_back(shots(4));

    for (const Marking& marking : markings) {
        SCOPED_TRACE(marking.name);
        settings().Trefferkreuze = 1;
        settings().Trefferkreise = marking.kreise;
        settings().Nummeriert = marking.nummeriert;
        settings().TrefferVergroessern = marking.vergroessern;
        settings().SerienAnzeige = marking.serien;
        settings().MittlereLage = 1;
        Scheibe kept;
        kept.model() = viewTestTarget();
        kept.model().records.AktuellerSatz.AnzeigeSerie = 1;
        kept.model().records.AktuellerSatz.SerienLetzter = 1;
        kept.resize(440, 500);
        for (std::size_t k = 0; k < steps.size(); ++k) {
            SCOPED_TRACE(k);
            steps[k](kept.model());
            const TargetModel before = kept.model();
            EXPECT_EQ(windowOnly(kept), direct(before, kept.size()));
        }
    }
}

} // namespace
