#include "platform/PainterCanvas.h"
#include "platform/RecordingCanvas.h"

#include <QImage>
#include <QPainter>

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

TEST(CanvasTest, FillStyleNumbers)
{
    EXPECT_EQ(fillStyleFromNumber(0), FillStyle::Solid);
    EXPECT_EQ(fillStyleFromNumber(1), FillStyle::Transparent);
    EXPECT_EQ(fillStyleFromNumber(4), FillStyle::UpwardDiagonal);
    EXPECT_EQ(fillStyleFromNumber(7), FillStyle::DiagonalCross);
    EXPECT_EQ(fillStyleFromNumber(8), FillStyle::Transparent);
    EXPECT_EQ(fillStyleFromNumber(-1), FillStyle::Transparent);
}

TEST(RecordingCanvasTest, RecordsCallsWithTheStateInForce)
{
    RecordingCanvas canvas(400, 300);
    canvas.setScale(2000);
    canvas.setPenColor(Qt::yellow);
    canvas.setFillColor(Qt::red);
    canvas.setFillStyle(FillStyle::Solid);
    canvas.setPenWidth(3);
    canvas.shotCircle(10, 20, 5, 6.24);
    canvas.setPenColor(Qt::green);
    canvas.setFontSize(10);
    canvas.setFontBold(true);
    canvas.text(1, 2, QStringLiteral(" 7"));
    canvas.line(0, 0, 1, 1);

    ASSERT_EQ(canvas.ops().size(), 3);
    const auto shot = canvas.ops(QStringLiteral("shotCircle"));
    ASSERT_EQ(shot.size(), 1);
    EXPECT_EQ(shot[0].args, (QVector<double> {10, 20, 5, 6.24}));
    EXPECT_EQ(shot[0].pen, QColor(Qt::yellow));
    EXPECT_EQ(shot[0].fill, QColor(Qt::red));
    EXPECT_EQ(shot[0].fillStyle, FillStyle::Solid);
    EXPECT_EQ(shot[0].penWidth, 3);
    const auto text = canvas.ops(QStringLiteral("text"));
    ASSERT_EQ(text.size(), 1);
    EXPECT_EQ(text[0].text, QStringLiteral(" 7"));
    EXPECT_EQ(text[0].pen, QColor(Qt::green));
    EXPECT_DOUBLE_EQ(text[0].fontSize, 10);
    EXPECT_TRUE(text[0].bold);
    EXPECT_EQ(canvas.unitsAcross(), 2000);
    canvas.clear();
    EXPECT_TRUE(canvas.ops().isEmpty());
}

TEST(RecordingCanvasTest, TextMetricInUserUnits)
{
    RecordingCanvas canvas(400, 400);
    canvas.setFontSize(12); // 16 pixels per em
    EXPECT_DOUBLE_EQ(canvas.textWidth(QStringLiteral(" 10")), 24);
    EXPECT_DOUBLE_EQ(canvas.textHeight(QStringLiteral(" 10")), 18.4);
    canvas.setScale(800); // two units per pixel
    EXPECT_DOUBLE_EQ(canvas.textWidth(QStringLiteral(" 10")), 48);
    EXPECT_DOUBLE_EQ(canvas.textHeight(QStringLiteral("x")), 36.8);
}

class PainterCanvasTest : public ::testing::Test {
protected:
    PainterCanvasTest() : m_image(200, 200, QImage::Format_ARGB32) { m_image.fill(Qt::white); }

    template<typename Draw> void paint(Draw draw)
    {
        QPainter painter(&m_image);
        PainterCanvas canvas(painter, m_image.width(), m_image.height());
        canvas.setScale(1000); // 5 units per pixel
        draw(canvas);
    }

    QColor at(double ux, double uy) const { return m_image.pixelColor(int(ux / 5), int(uy / 5)); }

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

TEST_F(PainterCanvasTest, SolidCircleIsFilled)
{
    paint([](Canvas& c) {
        c.setPenColor(Qt::black);
        c.setFillColor(Qt::black);
        c.setFillStyle(FillStyle::Solid);
        c.circle(500, 500, 200);
    });
    EXPECT_EQ(at(500, 500), QColor(Qt::black));
    EXPECT_EQ(at(500, 350), QColor(Qt::black));
    EXPECT_EQ(at(500, 250), QColor(Qt::white));
    EXPECT_EQ(at(900, 900), QColor(Qt::white));
}

TEST_F(PainterCanvasTest, TransparentCircleIsOnlyAnOutline)
{
    paint([](Canvas& c) {
        c.setPenColor(Qt::black);
        c.setFillColor(Qt::black);
        c.setFillStyle(FillStyle::Transparent);
        c.setPenWidth(3);
        c.circle(500, 500, 200);
    });
    EXPECT_EQ(at(500, 500), QColor(Qt::white));
    EXPECT_TRUE(contains(QRect(98, 58, 4, 4), Qt::black)); // the rim at the top
}

TEST_F(PainterCanvasTest, HatchLeavesBothColours)
{
    for (int style = 2; style <= 7; ++style) {
        m_image.fill(Qt::white);
        paint([style](Canvas& c) {
            c.setPenColor(Qt::blue);
            c.setFillColor(Qt::red);
            c.setFillStyle(fillStyleFromNumber(style));
            c.circle(500, 500, 300);
        });
        const QRect inside(85, 85, 30, 30);
        EXPECT_TRUE(contains(inside, Qt::red)) << style;
        EXPECT_TRUE(contains(inside, Qt::white)) << style;
    }
}

TEST_F(PainterCanvasTest, HatchDirections)
{
    // A horizontal hatch repeats along x, a vertical one along y.
    auto rowIsUniform = [this](int y) {
        for (int x = 80; x < 120; ++x) {
            if (m_image.pixelColor(x, y) != m_image.pixelColor(80, y))
                return false;
        }
        return true;
    };
    paint([](Canvas& c) {
        c.setPenColor(Qt::red);
        c.setFillColor(Qt::red);
        c.setFillStyle(FillStyle::Horizontal);
        c.circle(500, 500, 400);
    });
    for (int y = 80; y < 120; ++y)
        EXPECT_TRUE(rowIsUniform(y)) << y;
    m_image.fill(Qt::white);
    paint([](Canvas& c) {
        c.setFillColor(Qt::red);
        c.setFillStyle(FillStyle::Vertical);
        c.circle(500, 500, 400);
    });
    EXPECT_FALSE(rowIsUniform(100));
}

TEST_F(PainterCanvasTest, ShotCircleHasARadiusLineAtTheAngle)
{
    paint([](Canvas& c) {
        c.setPenColor(Qt::yellow);
        c.setFillColor(Qt::red);
        c.setFillStyle(FillStyle::Solid);
        c.setPenWidth(3);
        c.shotCircle(500, 500, 300, std::numbers::pi / 2); // straight up
    });
    // Inside the disc: yellow on the line above the centre, red elsewhere.
    EXPECT_TRUE(contains(QRect(99, 75, 3, 1), Qt::yellow));
    EXPECT_FALSE(contains(QRect(99, 125, 3, 1), Qt::yellow));
    EXPECT_EQ(at(560, 560), QColor(Qt::red));
    EXPECT_EQ(m_image.pixelColor(100, 125), QColor(Qt::red));
}

TEST_F(PainterCanvasTest, ShotCircleAngleCountsCounterClockwise)
{
    paint([](Canvas& c) {
        c.setPenColor(Qt::yellow);
        c.setFillColor(Qt::red);
        c.setFillStyle(FillStyle::Solid);
        c.setPenWidth(3);
        c.shotCircle(500, 500, 300, 0); // to the right
    });
    EXPECT_TRUE(contains(QRect(125, 99, 1, 3), Qt::yellow));
    EXPECT_FALSE(contains(QRect(75, 99, 1, 3), Qt::yellow));
}

TEST_F(PainterCanvasTest, FilledBoxUsesThePenColour)
{
    paint([](Canvas& c) {
        c.setPenColor(Qt::blue);
        c.setFillColor(Qt::red);
        c.filledBox(100, 100, 300, 200);
    });
    EXPECT_EQ(at(200, 150), QColor(Qt::blue));
    EXPECT_EQ(at(400, 150), QColor(Qt::white));
}

TEST_F(PainterCanvasTest, TextIsPlacedByItsTopLeftCornerInThePenColour)
{
    double width = 0;
    double height = 0;
    paint([&](Canvas& c) {
        c.setPenColor(Qt::black);
        c.setFontSize(24);
        width = c.textWidth(QStringLiteral("HH"));
        height = c.textHeight(QStringLiteral("HH"));
        c.text(500, 500, QStringLiteral("HH"));
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
        const double big = c.textWidth(QStringLiteral(" 10"));
        c.setFontSize(6);
        EXPECT_LT(c.textWidth(QStringLiteral(" 10")), big);
    });
}

TEST_F(PainterCanvasTest, PenWidthIsInPixels)
{
    paint([](Canvas& c) {
        c.setScale(10000); // 50 units per pixel
        c.setPenColor(Qt::black);
        c.setPenWidth(9);
        c.line(1000, 5000, 9000, 5000);
    });
    EXPECT_EQ(m_image.pixelColor(100, 97), QColor(Qt::black));
    EXPECT_EQ(m_image.pixelColor(100, 103), QColor(Qt::black));
    EXPECT_EQ(m_image.pixelColor(100, 110), QColor(Qt::white));
}

} // namespace
