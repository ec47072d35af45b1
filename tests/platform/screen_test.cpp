#include "platform/FirstPaintWatch.h"
#include "platform/PainterCanvas.h"
#include "platform/ProgramInfo.h"
#include "platform/RecordingCanvas.h"
#include "platform/Twips.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <array>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

TEST(CanvasTest, FillStyleNumbers)
{
    const std::pair<int, FillStyle> cases[]
        = {{0, FillStyle::Solid}, {1, FillStyle::Transparent}, {4, FillStyle::UpwardDiagonal},
            {7, FillStyle::DiagonalCross}, {8, FillStyle::Transparent}, {-1, FillStyle::Transparent}};
    for (const auto& [number, style] : cases)
        EXPECT_EQ(fillStyleFromNumber(number), style) << number;
}

TEST(RecordingCanvasTest, TextMetricInUserUnits)
{
    RecordingCanvas canvas(400, 400);
    canvas.setFontSize(12); // 16 pixels per em
    EXPECT_DOUBLE_EQ(canvas.textWidth(u" 10"_s), 24);
    EXPECT_DOUBLE_EQ(canvas.textHeight(u" 10"_s), 18.4);
    canvas.setScale(800); // two units per pixel
    EXPECT_DOUBLE_EQ(canvas.textWidth(u" 10"_s), 48);
    EXPECT_DOUBLE_EQ(canvas.textHeight(u"x"_s), 36.8);
}

using Draw = std::function<void(Canvas&)>;

class PainterCanvasTest : public ::testing::Test {
protected:
    PainterCanvasTest() : m_image(200, 200, QImage::Format_ARGB32) { }

    void paint(const Draw& draw)
    {
        m_image.fill(Qt::white);
        QPainter painter(&m_image);
        PainterCanvas canvas(painter, m_image.width(), m_image.height());
        canvas.setScale(1000); // 5 units per pixel
        draw(canvas);
    }
    void paint(const QColor& pen, const QColor& fill, FillStyle style, int penWidth, const Draw& draw)
    {
        paint([&](Canvas& c) {
            c.setPenColor(pen);
            c.setFillColor(fill);
            c.setFillStyle(style);
            c.setPenWidth(penWidth);
            draw(c);
        });
    }
    bool contains(const QRect& pixels, const QColor& color) const
    {
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            for (int x = pixels.left(); x <= pixels.right(); ++x) {
                if (m_image.pixelColor(x, y) == color)
                    return true;
            }
        }
        return false;
    }

    QImage m_image;
};

struct Probe {
    QRect pixels;
    QColor color;
    bool present;
};

TEST_F(PainterCanvasTest, ShapesLeaveTheirColoursWhereExpected)
{
    const struct {
        const char* what;
        QColor pen, fill;
        FillStyle style;
        int penWidth;
        Draw draw;
        std::vector<Probe> probes;
    } cases[] = {{"solid circle is filled", Qt::black, Qt::black, FillStyle::Solid, 1,
                     [](Canvas& c) { c.circle(500, 500, 200); },
                     {{{100, 100, 1, 1}, Qt::black, true}, {{100, 70, 1, 1}, Qt::black, true},
                         {{100, 50, 1, 1}, Qt::white, true}, {{180, 180, 1, 1}, Qt::white, true}}},
        {"transparent circle is only an outline", Qt::black, Qt::black, FillStyle::Transparent, 3,
            [](Canvas& c) { c.circle(500, 500, 200); },
            {{{100, 100, 1, 1}, Qt::white, true}, {{98, 58, 4, 4}, Qt::black, true}}},
        // Inside the disc: pen colour on the radius line at the angle, fill elsewhere.
        {"shot circle straight up", Qt::yellow, Qt::red, FillStyle::Solid, 3,
            [](Canvas& c) { c.shotCircle(500, 500, 300, std::numbers::pi / 2); },
            {{{99, 75, 3, 1}, Qt::yellow, true}, {{99, 125, 3, 1}, Qt::yellow, false},
                {{112, 112, 1, 1}, Qt::red, true}, {{100, 125, 1, 1}, Qt::red, true}}},
        {"shot circle angle counts counter-clockwise from the right", Qt::yellow, Qt::red, FillStyle::Solid, 3,
            [](Canvas& c) { c.shotCircle(500, 500, 300, 0); },
            {{{125, 99, 1, 3}, Qt::yellow, true}, {{75, 99, 1, 3}, Qt::yellow, false}}},
        {"filled box uses the pen colour", Qt::blue, Qt::red, FillStyle::Transparent, 1,
            [](Canvas& c) { c.filledBox(100, 100, 300, 200); },
            {{{40, 30, 1, 1}, Qt::blue, true}, {{80, 30, 1, 1}, Qt::white, true}}},
        {"pen width is in pixels", Qt::black, Qt::black, FillStyle::Transparent, 9,
            [](Canvas& c) {
                c.setScale(10000); // 50 units per pixel
                c.line(1000, 5000, 9000, 5000);
            },
            {{{100, 97, 1, 1}, Qt::black, true}, {{100, 103, 1, 1}, Qt::black, true},
                {{100, 110, 1, 1}, Qt::white, true}}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        paint(c.pen, c.fill, c.style, c.penWidth, c.draw);
        for (const Probe& probe : c.probes)
            EXPECT_EQ(contains(probe.pixels, probe.color), probe.present)
                << probe.pixels.x() << "," << probe.pixels.y();
    }
}

TEST_F(PainterCanvasTest, HatchLeavesBothColoursInItsDirection)
{
    for (int style = 2; style <= 7; ++style) {
        paint(Qt::blue, Qt::red, fillStyleFromNumber(style), 1, [](Canvas& c) { c.circle(500, 500, 300); });
        EXPECT_TRUE(contains(QRect(85, 85, 30, 30), Qt::red)) << style;
        EXPECT_TRUE(contains(QRect(85, 85, 30, 30), Qt::white)) << style;
    }
    // A horizontal hatch repeats along x, a vertical one along y.
    const auto rowIsUniform = [this](int y) {
        for (int x = 80; x < 120; ++x) {
            if (m_image.pixelColor(x, y) != m_image.pixelColor(80, y))
                return false;
        }
        return true;
    };
    paint(Qt::red, Qt::red, FillStyle::Horizontal, 1, [](Canvas& c) { c.circle(500, 500, 400); });
    for (int y = 80; y < 120; ++y)
        EXPECT_TRUE(rowIsUniform(y)) << y;
    paint(Qt::black, Qt::red, FillStyle::Vertical, 1, [](Canvas& c) { c.circle(500, 500, 400); });
    EXPECT_FALSE(rowIsUniform(100));
}

TEST_F(PainterCanvasTest, TextIsPlacedByItsTopLeftCornerInThePenColour)
{
    double width = 0;
    double height = 0;
    paint([&](Canvas& c) {
        c.setPenColor(Qt::black);
        c.setFontSize(24);
        width = c.textWidth(u"HH"_s);
        height = c.textHeight(u"HH"_s);
        c.text(500, 500, u"HH"_s);
    });
    // 24 points are 32 pixels at 96 DPI: a line is roughly that high, here 5 units per pixel.
    EXPECT_GT(height, 25 * 5);
    EXPECT_LT(height, 45 * 5);
    EXPECT_GT(width, 20 * 5);
    EXPECT_FALSE(contains(QRect(60, 60, 39, 39), Qt::black)); // nothing above or left of the corner
    EXPECT_TRUE(contains(QRect(100, 100, int(width / 5), int(height / 5)), Qt::black));
}

TEST_F(PainterCanvasTest, FontSizeIsWhatTheFontReallyHas)
{
    paint([](Canvas& c) {
        c.setFontSize(10); // 13.33 pixels become 13
        EXPECT_DOUBLE_EQ(c.fontSize(), 9.75);
        c.setFontSize(12);
        EXPECT_DOUBLE_EQ(c.fontSize(), 12);
        c.setFontSize(0.1);
        EXPECT_GT(c.fontSize(), 0);
        c.setFontSize(60);
        const double big = c.textWidth(u" 10"_s);
        c.setFontSize(6);
        EXPECT_LT(c.textWidth(u" 10"_s), big);
    });
}

TEST(ProgramInfoTest, DirectoryIsTheExecutablesUnlessOverridden)
{
    EXPECT_EQ(QDir(ProgramInfo::directory()), QDir(QCoreApplication::applicationDirPath()));
    ProgramInfo::setDirectoryForTest(u"/tmp/omr"_s);
    EXPECT_EQ(ProgramInfo::directory(), u"/tmp/omr"_s);
    ProgramInfo::setDirectoryForTest(QString());
    EXPECT_EQ(QDir(ProgramInfo::directory()), QDir(QCoreApplication::applicationDirPath()));
}

TEST(TwipsTest, ConversionsFollowTheDpi)
{
    Twips::overrideDpiForTest(96, 120);
    EXPECT_EQ(
        (std::array {Twips::twipsPerPixelX(), Twips::twipsPerPixelY(), Twips::fromPixelsX(10), Twips::fromPixelsY(10)}),
        (std::array {15.0, 12.0, 150.0, 120.0}));
    EXPECT_EQ(
        (std::array {Twips::toPixelsX(1440), Twips::toPixelsY(1440), Twips::toPixelsX(22)}), (std::array {96, 120, 1}));
    Twips::overrideDpiForTest(0, 0);
    EXPECT_GT(Twips::twipsPerPixelX(), 0);
    EXPECT_FALSE(Twips::screenSize().isEmpty());
}

std::int64_t steadyNow()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The first paint of a window is reported once, after the pass that painted
// it, and the paints of other windows do not count.
TEST(FirstPaintWatch, ReportsTheFirstPaintOfTheWindowOnce)
{
    QWidget other;
    other.resize(100, 100);
    QWidget window;
    window.resize(200, 100);
    // An opaque child over the whole window, as the frame's workspace is.
    auto* child = new QWidget(&window);
    child->setAutoFillBackground(true);
    child->setGeometry(0, 0, 200, 100);
    std::vector<std::int64_t> reports;
    FirstPaintWatch watch(window, [&reports](std::int64_t at) { reports.push_back(at); });

    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    other.repaint();
    QTest::qWait(20);
    EXPECT_TRUE(reports.empty());

    const std::int64_t before = steadyNow();
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&reports] { return !reports.empty(); }, 5000));
    const std::int64_t after = steadyNow();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_GE(reports[0], before);
    EXPECT_LE(reports[0], after);

    window.repaint();
    child->repaint();
    QTest::qWait(20);
    EXPECT_EQ(reports.size(), 1u);
}

} // namespace
