#include "platform/DialogColours.h"
#include "platform/Dialogs.h"
#include "platform/FirstPaintWatch.h"
#include "platform/PainterCanvas.h"
#include "platform/RuleTable.h"
#include "platform/StopRequests.h"
#include "platform/Twips.h"
#include "support/TestDialogs.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <csignal>
#include <gtest/gtest.h>
#include <numbers>

using namespace Qt::StringLiterals;
using R = const RuleTable::Row&;

namespace {

// Each scene platform/canvas/<name>.txt, a canvas call a row, is drawn on a
// white 120 x 80 picture at 10 units a pixel and must give <name>.png;
// OMR_REGENERATE=1 draws those anew.
TEST(PainterCanvasTest, ScenesMatchTheirPinnedPictures)
{
    for (const QString& name : {u"boxes"_s, u"circles"_s, u"shot_circles"_s, u"lines"_s}) {
        QImage image(120, 80, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterCanvas c(painter, image.width(), image.height());
        c.setScale(1200);
        const auto n = [](R r, qsizetype i) { return r.args[0].split(' ').value(i).toDouble(); };
        const auto picture = [&](R) {
            painter.end();
            const QString pinned = QStringLiteral(OMR_TESTS_DIR "/platform/canvas/") + name + u".png"_s;
            if (qEnvironmentVariableIsSet("OMR_REGENERATE"))
                image.save(pinned);
            const bool same = image == QImage(pinned).convertToFormat(QImage::Format_ARGB32);
            if (!same)
                image.save(name + u"-actual.png"_s); // beside the test, to look at
            return QByteArray(same ? "same" : "differs");
        };
        RuleTable::run(u"platform/canvas/"_s + name + u".txt"_s,
            {{"pen", RuleTable::step([&](R r) { c.setPenColor(QColor(r.text(0))); })},
                {"fill", RuleTable::step([&](R r) { c.setFillColor(QColor(r.text(0))); })},
                {"style", RuleTable::step([&](R r) { c.setFillStyle(fillStyleFromNumber(r.integer(0))); })},
                {"width", RuleTable::step([&](R r) { c.setPenWidth(r.integer(0)); })},
                {"scale", RuleTable::step([&](R r) { c.setScale(r.number(0)); })},
                {"filledBox", RuleTable::step([&](R r) { c.filledBox(n(r, 0), n(r, 1), n(r, 2), n(r, 3)); })},
                {"boxOutline", RuleTable::step([&](R r) { c.boxOutline(n(r, 0), n(r, 1), n(r, 2), n(r, 3)); })},
                {"line", RuleTable::step([&](R r) { c.line(n(r, 0), n(r, 1), n(r, 2), n(r, 3)); })},
                {"circle", RuleTable::step([&](R r) { c.circle(n(r, 0), n(r, 1), n(r, 2)); })},
                {"shotCircle", RuleTable::step([&](R r) {
                     c.shotCircle(n(r, 0), n(r, 1), n(r, 2), n(r, 3) * std::numbers::pi / 180);
                 })},
                {"fontSize", [&](R r) { return c.setFontSize(r.number(0)), RuleTable::number(c.fontSize()); }},
                {"picture", picture}});
    }
}

TEST(PainterCanvasTest, TextIsPlacedByItsTopLeftCornerInThePenColour)
{
    QImage image(200, 200, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas c(painter, image.width(), image.height());
    c.setScale(1000); // 5 units a pixel
    // A text in another size first: the painter must take the new size.
    c.setFontBold(true);
    c.setFontSize(8);
    c.text(0, 0, u"H"_s);
    c.setFontSize(24);
    const double width = c.textWidth(u"HH"_s);
    const double height = c.textHeight(u"HH"_s);
    // 24 points are 32 pixels at 96 DPI: a line is roughly that high.
    EXPECT_TRUE(height > 25 * 5 && height < 45 * 5 && width > 20 * 5) << width << " x " << height;
    EXPECT_DOUBLE_EQ(c.textWidth(u"HH\nH"_s), width);
    EXPECT_DOUBLE_EQ(c.textWidth(QString()), 0);
    EXPECT_DOUBLE_EQ(c.textHeight(u"HH\nH"_s), 2 * height);
    c.setPenColor(Qt::blue);
    c.text(500, 500, u"HH\nHH"_s);
    painter.end();
    QRect ink;
    for (int i = 0; i < 200 * 200; ++i)
        ink |= image.pixelColor(i % 200, i / 200) == Qt::blue ? QRect(i % 200, i / 200, 1, 1) : QRect();
    // Below and right of the corner, the second line below the first, as wide as measured.
    const int line = int(height / 5);
    EXPECT_TRUE(ink.left() >= 100 && ink.top() >= 100 && ink.top() < 100 + line && ink.bottom() >= 100 + line
        && ink.bottom() < 100 + 2 * line && ink.width() * 5 > 0.8 * width)
        << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
}

// The recording canvas's metrics are pinned with every recorded drawing.
TEST(ScreenTest, TwipsAndDialogColours)
{
    Twips::overrideDpiForTest(96, 120);
    EXPECT_EQ(std::make_tuple(Twips::twipsPerPixelX(), Twips::twipsPerPixelY(), Twips::fromPixelsX(10),
                  Twips::fromPixelsY(10), Twips::toPixelsX(1440), Twips::toPixelsY(1440)),
        std::make_tuple(15.0, 12.0, 150.0, 120.0, 96, 120));
    Twips::overrideDpiForTest(0, 0);
    const QScreen* screen = QGuiApplication::primaryScreen();
    EXPECT_EQ(std::make_pair(Twips::twipsPerPixelX(), Twips::screenSize()),
        std::make_pair(1440 / screen->logicalDotsPerInchX(), screen->size()));

    // A dialog inside the frame takes none of the frame's own colours.
    QWidget frame;
    frame.setPalette(
        QPalette(Qt::magenta, Qt::magenta, Qt::magenta, Qt::magenta, Qt::magenta, Qt::magenta, Qt::magenta));
    QWidget dialog(&frame);
    DialogColours::apply(dialog);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Window, QPalette::Base, QPalette::Text})
        EXPECT_EQ(dialog.palette().color(QPalette::Disabled, role),
            QApplication::palette("QDialog").color(QPalette::Disabled, role))
            << role;
}

// The first paint of a window, or of a child covering it as the frame's
// workspace does, is reported once after its pass; other windows' paints are not.
TEST(FirstPaintWatchTest, ReportsTheFirstPaintOfTheWindowOnce)
{
    QWidget other, window;
    QWidget child(&window);
    child.setAutoFillBackground(true);
    window.resize(200, 100);
    child.setGeometry(0, 0, 200, 100);
    int reports = 0;
    FirstPaintWatch watch(window, [&reports](std::int64_t at) { reports += at > 0 ? 1 : 100; });
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    other.repaint();
    QTest::qWait(20);
    EXPECT_EQ(reports, 0);
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&reports] { return reports > 0; }, 5000));
    window.repaint();
    QTest::qWait(20);
    EXPECT_EQ(reports, 1);
}

// A box is closed again when its handler throws; without handlers nothing shows.
TEST(DialogsTest, AnswersComeFromTheHandlers)
{
    Dialogs::setMessageHandler([](const Dialogs::MessageRequest&) { throw std::runtime_error("x"); });
    EXPECT_THROW(Dialogs::showMessage(Dialogs::Icon::Critical, QString(), QString()), std::runtime_error);
    EXPECT_FALSE(Dialogs::messageOpen());
    Dialogs::setOpenFileHandler(
        [](const QString& start, const QString&) { return std::optional(start + u"/a.bmp"_s); });
    EXPECT_EQ(Dialogs::openFile(u"/pics"_s, u"*.bmp"_s), u"/pics/a.bmp"_s);
    Dialogs::setMessageHandler(nullptr);
    Dialogs::setOpenFileHandler(nullptr);
    Dialogs::showMessage(Dialogs::Icon::Information, u"t"_s, u"x"_s);
    EXPECT_EQ(std::make_pair(Dialogs::messageOpen(), Dialogs::openFile(u"/"_s, u"*.bmp"_s)),
        std::make_pair(false, std::optional<QString>()));
    TestDialogs::install();
}

// A stop signal reaches the event loop once; the earlier handling is back after it.
#if defined(Q_OS_UNIX)

volatile std::sig_atomic_t g_earlierCalls = 0;

void earlierHandler(int)
{
    g_earlierCalls = g_earlierCalls + 1;
}

TEST(StopRequestsTest, FirstSignalArrivesOnTheEventLoopOnceAndThenTheEarlierHandlingIsBack)
{
    for (const auto& [signal, ignored] :
        {std::pair {SIGTERM, false}, {SIGINT, false}, {SIGINT, true}, {SIGTERM, true}}) {
        const auto before = std::signal(signal, ignored ? SIG_IGN : earlierHandler);
        g_earlierCalls = 0;
        int delivered = 0;
        {
            StopRequests requests;
            EXPECT_FALSE(StopRequests().isListening());
            QObject::connect(&requests, &StopRequests::stopRequested, [&delivered] { ++delivered; });
            std::raise(signal);
            EXPECT_EQ(delivered, 0);
            for (const QDeadlineTimer deadline(ignored ? 1000 : 30000); delivered == 0 && !deadline.hasExpired();)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            EXPECT_EQ(std::make_tuple(delivered, requests.isListening(), int(g_earlierCalls)),
                std::make_tuple(int(!ignored), ignored, 0))
                << signal;
            std::raise(signal);
            QCoreApplication::processEvents();
        }
        std::raise(signal);
        QCoreApplication::processEvents();
        EXPECT_EQ(std::make_pair(delivered, int(g_earlierCalls)), std::make_pair(int(!ignored), ignored ? 0 : 2))
            << signal;
        std::signal(signal, before);
    }
}

#endif

} // namespace
