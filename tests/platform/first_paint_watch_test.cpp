// The first paint of a window is reported once, after the pass that painted
// it, and the paints of other windows do not count.
#include "platform/FirstPaintWatch.h"

#include <QTest>
#include <QWidget>

#include <chrono>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::int64_t steadyNow()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

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
