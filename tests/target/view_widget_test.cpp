#include "platform/PainterCanvas.h"
#include "platform/Twips.h"
#include "target/Scheibe.h"
#include "target/TargetPainter.h"
#include "target_test_support.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <array>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

class WidgetTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        Twips::overrideDpiForTest(96, 96);
        QApplication::setPalette(viewPalette(saved));
    }
    void TearDown() override
    {
        ViewTest::TearDown();
        QApplication::setPalette(saved);
        Twips::overrideDpiForTest(0, 0);
    }

    QPalette saved = QApplication::palette();
};

// The labels of a window (place and size at 96 DPI, shown or hidden, caption;
// at first also font, alignment, colours and frame) as designed, laid out at
// one pixel per unit for 6 targets (out of sight), 7 and 4 on one line
// (stacked under the series) and without a visible width (left where they
// were), filled for 30 shots of a match, after paints with and without
// Schnellanzeige, and after Init2002.
TEST_F(WidgetTest, LabelsAsDesignedLaidOutFilledAndShown)
{
    Scheibe w;
    const auto labels = [&w](const QString& state, bool design = false) {
        QString text = u"\n"_s + state + u'\n';
        for (const QLabel* l : w.findChildren<QLabel*>()) {
            const QRect g = l->geometry();
            const QPalette p = l->palette();
            text += QString::asprintf("%s %d,%d %dx%d %s \"%s\"", qUtf8Printable(l->objectName()), g.x(), g.y(),
                g.width(), g.height(), l->isVisibleTo(&w) ? "shown" : "hidden", qUtf8Printable(l->text()));
            if (design)
                text += QString::asprintf(" %gpt%s align %x %s on %s frame %d", l->font().pointSizeF(),
                    l->font().bold() ? " bold" : "", int(l->alignment()),
                    qUtf8Printable(p.color(QPalette::WindowText).name()),
                    qUtf8Printable(p.color(QPalette::Window).name()), int(l->frameShape()));
            text += u'\n';
        }
        return text;
    };
    QString text = u"The labels of a window, state by state:\n"_s + labels(u"designed"_s, true);
    w.model() = viewTestTarget();
    w.resize(1000, 1200);
    for (const auto& [anzahl, einZeilig, breite] :
        {std::tuple(6, 0, 1000), std::tuple(7, 0, 1000), std::tuple(4, 1, 1000), std::tuple(4, 0, 0)}) {
        s().Scheibenanzahl = std::uint8_t(anzahl);
        s().chkEinZeilig = std::uint8_t(einZeilig);
        w.model().SichtBreite = breite;
        w.TextPositionieren();
        text += labels(u"%1 targets, one line %2, width %3"_s.arg(anzahl).arg(einZeilig).arg(breite));
    }
    viewTestShots(w.model(), 30);
    w.model().records.AktuellerSatz.SerienLetzter = 2;
    w.model().records.AktuellerSatz.SerienWert[2] = 97;
    w.model().records.AktuellerSatz.Gesamt = 271.5f;
    w.setPlatz(3);
    w.setGTitelName(u"Muster"_s);
    w.TextBelegen();
    text += labels(u"30 shots, place 3, named"_s);
    s().SerienErgebnisse = 1;
    s().Scheibenanzahl = 8;
    ProgramState::instance().language.OptionsTexte[0] = u"Optionen"_s;
    QImage image(w.size(), QImage::Format_RGB32);
    for (const int schnell : {1, 0}) {
        s().Schnellanzeige = std::uint8_t(schnell);
        w.render(&image);
        text += labels(u"painted at 0.88 units a pixel, Schnellanzeige %1, 40 shots in series of 10"_s.arg(schnell));
    }
    EXPECT_EQ(w.findChild<QAction*>(u"mOptionen"_s)->text(), u"Optionen"_s);
    w.Init2002();
    TestData::expectPinned(u"target/expected/window_labels.txt"_s, text + labels(u"Init2002"_s));

    // The lane number at the load event and whenever the window is shown.
    w.setLinienNr(7);
    w.Laden();
    const QLabel* nr = w.findChild<QLabel*>(u"lblNr"_s);
    EXPECT_EQ(std::pair(nr->text(), w.LinienNr()), std::pair(u"7"_s, 7));
    w.setLinienNr(8);
    w.show();
    EXPECT_EQ(nr->text(), u"8"_s);
}

TEST_F(WidgetTest, OptionsFromThePopupAndTheKeyboard)
{
    Scheibe w;
    w.resize(300, 300);
    w.show();
    QSignalSpy spy(&w, &Scheibe::optionenAngefordert);
    QMenu* menu = w.findChild<QMenu*>(u"mMenu"_s);
    QTest::mousePress(&w, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_TRUE(menu->isVisible());
    w.findChild<QAction*>(u"mOptionen"_s)->trigger();
    menu->hide();
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_O);
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(spy.count(), 2);
}

// The window keeps its face with the earlier shots between paints and draws
// only what is new. Shot by shot, and through whatever makes it draw afresh,
// it must show exactly what ZeichneScheibe draws in one go.
TEST_F(WidgetTest, KeptFaceAndShotsDrawAsZeichneScheibe)
{
    using Step = std::function<void(Scheibe&)>;
    const auto shots = [](int count) { return [count](Scheibe& w) { viewTestShots(w.model(), count); }; };
    std::vector<Step> steps;
    for (int n = 1; n <= 14; ++n)
        steps.push_back(shots(n));
    steps.insert(steps.end(),
        {[](Scheibe& w) { w.model().records.AktuellerSatz.MarkSchuss = 4; },
            [](Scheibe& w) { w.model().records.AktuellerSatz.PosX[2] += 30; },
            [](Scheibe& w) { w.model().records.AktuellerSatz.AnzeigeSerie = 0; }, shots(3), // a new match
            [](Scheibe& w) { w.model().records.Waffe.AnzeigeRadius = TaggedValue(12.0); }, shots(4),
            [](Scheibe& w) { w.model().records.Scheibe.Probe = TaggedValue(-1); },
            [](Scheibe& w) { w.model().records.Scheibe.Ringbreite = TaggedValue(30.0); },
            [](Scheibe& w) { w.model().records.Scheibe.SpiegelRadius = TaggedValue(150.0); },
            [](Scheibe& w) { w.model().records.Scheibe.ZehnerRingStyle = TaggedValue(6.0); },
            [](Scheibe& w) { w.resize(300, 340); },
            [](Scheibe& w) { w.model().records.Scheibe.RingAnzahl = TaggedValue(0.0); }, // no visible width
            [](Scheibe& w) { w.model().records.Scheibe.RingAnzahl = TaggedValue(10.0); }});

    // Two windows share their blank faces; the second also paints a part
    // first, as when a label uncovers a few pixels.
    const auto faces = std::make_shared<FaceLibrary>();
    const QRect part(150, 150, 90, 60);
    for (const QString& marking : {u"XM"_s, u"XOGNM"_s, u"XONSM"_s}) {
        mark(marking);
        std::array<Scheibe, 2> windows;
        for (Scheibe& kept : windows) {
            kept.setFaceLibrary(faces);
            kept.model() = viewTestTarget();
            kept.model().VolleBreite = 0;
            kept.model().records.AktuellerSatz.AnzeigeSerie = 1;
            kept.model().records.AktuellerSatz.SerienLetzter = 1;
            kept.resize(440, 500);
        }
        for (std::size_t k = 0; k < steps.size(); ++k) {
            TargetModel state;
            for (Scheibe& kept : windows) {
                steps[k](kept);
                state = kept.model();
            }
            state.zoomForPaint(s());
            // What ZeichneScheibe draws in one go on a canvas of its own.
            QImage direct(windows[0].size(), QImage::Format_RGB32);
            direct.fill(viewPalette().color(QPalette::Button));
            QPainter painter(&direct);
            PainterCanvas canvas(painter, windows[0].width(), windows[0].height());
            TargetPainter::ZeichneScheibe(canvas, state, s(), QApplication::palette());
            painter.end();
            for (Scheibe& kept : windows) {
                QImage image(kept.size(), QImage::Format_RGB32);
                image.fill(Qt::white);
                if (&kept == &windows[1]) {
                    kept.render(&image, part.topLeft(), QRegion(part), QWidget::DrawWindowBackground);
                    EXPECT_EQ(image.copy(part), direct.copy(part)) << marking.toStdString() << " part, step " << k;
                }
                kept.render(&image, {}, {}, QWidget::DrawWindowBackground);
                EXPECT_EQ(image, direct) << marking.toStdString() << " step " << k;
            }
        }
    }
}

} // namespace
