#include "platform/PainterCanvas.h"
#include "platform/Twips.h"
#include "target/Scheibe.h"
#include "target/TargetPainter.h"
#include "view_test_target.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

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

class WidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetViewTestState();
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

    Einstellungen& settings() { return ProgramState::instance().settings; }

    static QLabel* label(const QWidget& w, const char* name) { return w.findChild<QLabel*>(QString::fromLatin1(name)); }

    QPalette saved;
};

TEST_F(WidgetTest, LabelsCarryTheirDesign)
{
    Scheibe w;
    EXPECT_EQ(w.objectName(), QStringLiteral("Scheibe"));
    for (const char* name : {"lblName", "lblTitelName", "lblNr", "lblRingwert", "lblGesamt", "lblSchussNr", "lblPlatz",
             "lblErgebnis", "lblSerie0", "lblSerie5"}) {
        QLabel* l = label(w, name);
        ASSERT_NE(l, nullptr) << name;
        EXPECT_TRUE(l->font().bold()) << name;
        EXPECT_EQ(l->font().family(), QStringLiteral("Arial")) << name;
    }
    QLabel* nr = label(w, "lblNr");
    EXPECT_EQ(nr->text(), QStringLiteral("00"));
    EXPECT_EQ(nr->geometry(), QRect(3, 3, 41, 33)); // 50, 50, 615 x 495 twips
    EXPECT_DOUBLE_EQ(nr->font().pointSizeF(), 20.25);
    EXPECT_EQ(nr->palette().color(QPalette::Window), QColor(0, 0, 192));
    EXPECT_EQ(nr->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_TRUE(nr->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(label(w, "lblTitelName")->text(), QStringLiteral("T-Name"));
    EXPECT_EQ(label(w, "lblSerie5")->geometry().left(), 203); // 3045 twips
    EXPECT_EQ(label(w, "lblSerie1")->geometry().left(), 43); // 650 twips
    EXPECT_EQ(label(w, "lblSerie1")->frameShape(), QFrame::Box);
    EXPECT_DOUBLE_EQ(label(w, "lblSerie1")->font().pointSizeF(), 12);
    EXPECT_TRUE(label(w, "lblGesamt")->alignment() & Qt::AlignRight);
    EXPECT_EQ(label(w, "lblGesamt")->palette().color(QPalette::Window), Knopf);
    EXPECT_FALSE(w.AutoRedraw());
}

TEST_F(WidgetTest, TextBelegenFillsTheLabels)
{
    Scheibe w;
    TargetModel& m = w.model();
    m = viewTestTarget();
    viewTestShots(m, 5);
    m.records.Scheibe.Probe = TaggedValue(0);
    w.setPlatz(3);
    w.setGTitelName(QStringLiteral("Muster"));
    settings().AusfAnzeige = 0;
    w.TextBelegen();
    EXPECT_EQ(label(w, "lblSchussNr")->text(), QStringLiteral("(5)"));
    EXPECT_EQ(label(w, "lblPlatz")->text(), QStringLiteral("3."));
    EXPECT_EQ(label(w, "lblName")->text(), QStringLiteral("Muster"));
    EXPECT_EQ(label(w, "lblTitelName")->text(), QStringLiteral("Muster"));
    EXPECT_EQ(label(w, "lblRingwert")->text(), QStringLiteral("9"));
}

TEST_F(WidgetTest, LaneNumberShownAtLoadAndWhenShown)
{
    Scheibe w;
    w.setLinienNr(7);
    w.Laden();
    EXPECT_EQ(label(w, "lblNr")->text(), QStringLiteral("7"));
    EXPECT_EQ(w.LinienNr(), 7);
    w.setLinienNr(8);
    w.show();
    EXPECT_EQ(label(w, "lblNr")->text(), QStringLiteral("8"));
}

TEST_F(WidgetTest, PaintAppliesTheLabelRules)
{
    settings().SerienErgebnisse = 1;
    settings().Schnellanzeige = 1;
    settings().Scheibenanzahl = 8;
    ProgramState::instance().language.OptionsTexte[0] = QStringLiteral("Optionen");
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

    for (int k = 0; k < 6; ++k) {
        QLabel* serie = label(*w, QStringLiteral("lblSerie%1").arg(k).toLatin1().constData());
        EXPECT_EQ(serie->isVisibleTo(w), k < 4) << k; // 40 shots in series of 10
        EXPECT_EQ(serie->y(), qRound(0.97 * 880 / 2)) << k;
    }
    EXPECT_TRUE(label(*w, "lblErgebnis")->isVisibleTo(w));
    EXPECT_EQ(label(*w, "lblErgebnis")->text(), QStringLiteral("9.9 / 19.8"));
    QLabel* titel = label(*w, "lblTitelName");
    EXPECT_EQ(titel->x(), 11); // 0.025 x 880 units at half a pixel each
    EXPECT_EQ(titel->width(), qRound(0.95 * 440));
    QAction* optionen = w->findChild<QAction*>(QStringLiteral("mOptionen"));
    ASSERT_NE(optionen, nullptr);
    EXPECT_EQ(optionen->text(), QStringLiteral("Optionen"));

    settings().Schnellanzeige = 0;
    w->Refresh();
    EXPECT_FALSE(label(*w, "lblErgebnis")->isVisibleTo(w));
    EXPECT_FALSE(titel->isVisibleTo(w));
}

TEST_F(WidgetTest, CompactLayoutPutsTheResultsOutOfSight)
{
    settings().Scheibenanzahl = 4;
    Scheibe w;
    w.model() = viewTestTarget();
    w.resize(500, 600);
    w.TextPositionieren();
    EXPECT_EQ(label(w, "lblGesamt")->y(), 5000);
    EXPECT_EQ(label(w, "lblSerie0")->y(), 5000);
    EXPECT_EQ(label(w, "lblNr")->y(), 3);
}

TEST_F(WidgetTest, OptionsFromThePopupAndTheKeyboard)
{
    Scheibe w;
    w.resize(300, 300);
    w.show();
    QSignalSpy spy(&w, &Scheibe::optionenAngefordert);
    QTest::mousePress(&w, Qt::RightButton, {}, QPoint(100, 100));
    QMenu* menu = w.findChild<QMenu*>(QStringLiteral("mMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    w.findChild<QAction*>(QStringLiteral("mOptionen"))->trigger();
    EXPECT_EQ(spy.count(), 1);
    menu->hide();

    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(spy.count(), 2);
    QTest::keyClick(&w, Qt::Key_O);
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(WidgetTest, VisibilityIgnoresHiddenParents)
{
    QWidget frame;
    auto* w = new Scheibe(&frame);
    w->setTargetVisible(true);
    EXPECT_TRUE(w->isTargetVisible());
    w->setTargetVisible(false);
    EXPECT_FALSE(w->isTargetVisible());
}

TEST_F(WidgetTest, Init2002EmptiesTheSeriesLabels)
{
    Scheibe w;
    viewTestShots(w.model(), 30);
    w.model().records.AktuellerSatz.SerienLetzter = 2;
    w.model().records.AktuellerSatz.SerienWert[2] = 97;
    w.TextBelegen();
    ASSERT_EQ(label(w, "lblSerie2")->text(), QStringLiteral("97"));
    w.Init2002();
    EXPECT_EQ(label(w, "lblSerie2")->text(), QString());
    EXPECT_TRUE(w.model().probe());
}

class RenderTest : public WidgetTest
{
};

// A real rendering of the face: one pixel per target unit.
TEST_F(RenderTest, FaceAndShotOnAnImage)
{
    TargetModel m = viewTestTarget();
    m.SichtBreite = 1000;
    TargetZoom::Scheibe_ZoomBerechnen(m);
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
    EXPECT_TRUE(near(image.pixelColor(745, 750), QColor(255, 0, 0)));
    EXPECT_TRUE(near(image.pixelColor(670, 670), Karte)); // between the black rings 220 and 260
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

} // namespace
