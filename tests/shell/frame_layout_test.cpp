#include "shell/Einstellungen.h"
#include "shell/FrameLayout.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{

Einstellungen settings(int count)
{
    Einstellungen s;
    s.Scheibenanzahl = static_cast<std::uint8_t>(count);
    s.ScheibenProSeite = 8;
    s.AnfScheibe = 1;
    s.EndScheibe = static_cast<std::int16_t>(count);
    s.BuliAnordnung = 0;
    return s;
}

// A frame so wide that the targets are sized by its width.
const QSizeF kNarrowFrame(12000, 9000);

TEST(FrameLayoutFramePlacement, EachPositionWithItsSizeCodes)
{
    const FrameLayout::ScreenMetrics screen {QSize(1920, 1080), 15, 12};
    struct Case {
        int bildSchirm;
        int aufloesung;
        double left;
        QSizeF size;
    };
    const Case cases[] = {
        {0, 1, 0, QSizeF(1920 * 15, 1080 * 12)},
        {0, 102, 0, QSizeF(1920 * 15, 1080 * 12)},
        {1, 100, 960 * 15, QSizeF(640 * 15, 480 * 12)},
        {1, 101, 960 * 15, QSizeF(800 * 15, 600 * 12)},
        {1, 102, 960 * 15, QSizeF(1024 * 15, 768 * 12)},
        {1, 103, 960 * 15, QSizeF(1360 * 15, 768 * 12)},
        {2, 0, 1920 * 15, QSizeF(640 * 15, 480 * 12)},
        {2, 3, 1920 * 15, QSizeF(1360 * 15, 768 * 12)},
        // Codes of the other position set no size.
        {1, 2, 960 * 15, QSizeF()},
        {2, 101, 1920 * 15, QSizeF()},
    };
    for (const Case& c : cases) {
        Einstellungen s = settings(8);
        s.BildSchirm = static_cast<std::uint8_t>(c.bildSchirm);
        s.BildAufloesung = static_cast<std::uint8_t>(c.aufloesung);
        const FrameLayout::FramePlacement placement = FrameLayout::framePlacement(s, screen);
        SCOPED_TRACE(testing::Message() << c.bildSchirm << " / " << c.aufloesung);
        ASSERT_TRUE(placement.left.has_value());
        EXPECT_DOUBLE_EQ(*placement.left, c.left);
        EXPECT_EQ(placement.size.isValid(), c.size.isValid());
        if (c.size.isValid()) {
            EXPECT_EQ(placement.size, c.size);
        }
    }
}

TEST(FrameLayoutFramePlacement, UnknownPositionMovesNothing)
{
    Einstellungen s = settings(8);
    s.BildSchirm = 3;
    const FrameLayout::FramePlacement placement
        = FrameLayout::framePlacement(s, FrameLayout::ScreenMetrics {QSize(800, 600), 15, 15});
    EXPECT_FALSE(placement.left.has_value());
    EXPECT_FALSE(placement.size.isValid());
}

TEST(FrameLayoutColumns, TwoRowsAndOneRow)
{
    struct Case {
        int n;
        int einZeilig;
        int columns;
    };
    const Case cases[] = {{1, 0, 2}, {3, 0, 2}, {4, 0, 2}, {5, 0, 3}, {8, 0, 4}, {9, 0, 5}, {1, 1, 1}, {2, 1, 2},
        {6, 1, 6}, {0, 1, 1}, {0, 0, 2}};
    for (const Case& c : cases) {
        Einstellungen s = settings(c.n);
        s.chkEinZeilig = static_cast<std::uint8_t>(c.einZeilig);
        EXPECT_EQ(FrameLayout::columns(s), c.columns) << c.n << " targets, one row " << c.einZeilig;
    }
}

TEST(FrameLayoutTargets, PerScreenFollowsPagingThenRange)
{
    Einstellungen s = settings(12);
    EXPECT_EQ(FrameLayout::targetsPerScreen(s), 12);
    s.AnfEnde = 1;
    s.AnfScheibe = 5;
    s.EndScheibe = 8;
    EXPECT_EQ(FrameLayout::targetsPerScreen(s), 4);
    s.Blaettern = 1;
    s.ScheibenProSeite = 6;
    EXPECT_EQ(FrameLayout::targetsPerScreen(s), 6);
}

TEST(FrameLayoutTargets, ThreeTargetsInTwoRows)
{
    const Einstellungen s = settings(3);
    // H / 2 <= W / 2: the height decides the size.
    const double w = kNarrowFrame.height() / 2.1;
    const double h = kNarrowFrame.height() / 2.1;
    EXPECT_EQ(FrameLayout::placeTarget(s, 1, kNarrowFrame).rect.topLeft(), QPointF(0, 0));
    EXPECT_EQ(FrameLayout::placeTarget(s, 2, kNarrowFrame).rect.topLeft(), QPointF(w, 0));
    EXPECT_EQ(FrameLayout::placeTarget(s, 3, kNarrowFrame).rect.topLeft(), QPointF(0, h));
}

TEST(FrameLayoutTargets, EightTargetsFillTheBottomRowFromTheLeft)
{
    const Einstellungen s = settings(8);
    const double w = kNarrowFrame.width() / 4.1;
    const double h = kNarrowFrame.height() / 2.1;
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(FrameLayout::placeTarget(s, i, kNarrowFrame).rect.topLeft(), QPointF((i - 1) * w, 0)) << i;
    for (int i = 5; i <= 8; ++i)
        EXPECT_EQ(FrameLayout::placeTarget(s, i, kNarrowFrame).rect.topLeft(), QPointF((i - 5) * w, h)) << i;
}

TEST(FrameLayoutTargets, LeagueArrangementStandsInPairs)
{
    Einstellungen s = settings(6);
    s.BuliAnordnung = 1;
    const QSizeF frame(30000, 9000);
    const double w = 9000 / 2.1;
    const double h = 9000 / 2.1;
    const QPointF expected[] = {{0, 0}, {0, h}, {w, 0}, {w, h}, {2 * w, 0}, {2 * w, h}};
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(FrameLayout::placeTarget(s, i, frame).rect.topLeft(), expected[i - 1]) << i;
}

TEST(FrameLayoutTargets, SizeFollowsTheNarrowerSideOfTheFrame)
{
    const Einstellungen s = settings(8);
    const FrameLayout::TargetPlacement narrow = FrameLayout::placeTarget(s, 1, kNarrowFrame);
    EXPECT_DOUBLE_EQ(narrow.rect.width(), 12000 / 4.1);
    EXPECT_DOUBLE_EQ(narrow.rect.height(), 9000 / 2.1);
    EXPECT_TRUE(narrow.resultLabelsVisible);

    // H / 2 = 3000 <= W / c = 5000: square targets, no result labels.
    const FrameLayout::TargetPlacement wide = FrameLayout::placeTarget(s, 1, QSizeF(20000, 6000));
    EXPECT_DOUBLE_EQ(wide.rect.width(), 6000 / 2.1);
    EXPECT_DOUBLE_EQ(wide.rect.height(), 6000 / 2.1);
    EXPECT_FALSE(wide.resultLabelsVisible);

    Einstellungen oneRow = s;
    oneRow.chkEinZeilig = 1;
    const FrameLayout::TargetPlacement row = FrameLayout::placeTarget(oneRow, 8, QSizeF(20000, 6000));
    EXPECT_DOUBLE_EQ(row.rect.width(), 20000 / 8.1);
    EXPECT_DOUBLE_EQ(row.rect.height(), 6000 / 1.1);
    EXPECT_DOUBLE_EQ(row.rect.left(), 7 * 20000 / 8.1);
    EXPECT_DOUBLE_EQ(row.rect.top(), 0);
}

TEST(FrameLayoutTargets, PagingTenByFour)
{
    Einstellungen s = settings(10);
    s.Blaettern = 1;
    s.ScheibenProSeite = 4;
    const int positions[] = {1, 2, 3, 4, 1, 2, 3, 4, 1, 2};
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(FrameLayout::position(s, i), positions[i - 1]) << i;
        EXPECT_EQ(FrameLayout::hiddenAtStart(s, i), i > 4) << i;
    }
    EXPECT_EQ(FrameLayout::placeTarget(s, 6, kNarrowFrame).rect, FrameLayout::placeTarget(s, 2, kNarrowFrame).rect);
}

TEST(FrameLayoutTargets, RangeWithoutPaging)
{
    Einstellungen s = settings(12);
    s.AnfEnde = 1;
    s.AnfScheibe = 5;
    s.EndScheibe = 8;
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(FrameLayout::position(s, i), i - 4) << i;
        EXPECT_EQ(FrameLayout::hiddenAtStart(s, i), i < 5 || i > 8) << i;
    }
}

TEST(FrameLayoutTargets, RangeWithPaging)
{
    Einstellungen s = settings(10);
    s.Blaettern = 1;
    s.ScheibenProSeite = 4;
    s.AnfEnde = 1;
    s.AnfScheibe = 3;
    s.EndScheibe = 9;
    EXPECT_EQ(FrameLayout::position(s, 3), 1);
    EXPECT_EQ(FrameLayout::position(s, 6), 4);
    EXPECT_EQ(FrameLayout::position(s, 7), 1);
    EXPECT_EQ(FrameLayout::position(s, 9), 3);
    // Before the range k < 1 is replaced by the first shown target.
    EXPECT_EQ(FrameLayout::position(s, 1), 3);
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(FrameLayout::hiddenAtStart(s, i), i < 3 || i > 6) << i;
}

TEST(FrameLayoutTargets, EmptyPageSizeDoesNotDivideByZero)
{
    Einstellungen s = settings(10);
    s.Blaettern = 1;
    s.ScheibenProSeite = 0;
    EXPECT_EQ(FrameLayout::position(s, 7), 7);
    const FrameLayout::TargetPlacement placement = FrameLayout::placeTarget(s, 7, kNarrowFrame);
    EXPECT_TRUE(std::isfinite(placement.rect.left()));
    EXPECT_TRUE(std::isfinite(placement.rect.width()));
}

} // namespace
