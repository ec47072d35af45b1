#include "shell/Einstellungen.h"
#include "shell/FrameLayout.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace {

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
    const struct {
        int bildSchirm, aufloesung;
        std::optional<double> left;
        QSizeF size; // invalid: no size set
    } cases[] = {{0, 1, 0, QSizeF(1920 * 15, 1080 * 12)}, {0, 102, 0, QSizeF(1920 * 15, 1080 * 12)},
        {1, 100, 960 * 15, QSizeF(640 * 15, 480 * 12)}, {1, 101, 960 * 15, QSizeF(800 * 15, 600 * 12)},
        {1, 102, 960 * 15, QSizeF(1024 * 15, 768 * 12)}, {1, 103, 960 * 15, QSizeF(1360 * 15, 768 * 12)},
        {2, 0, 1920 * 15, QSizeF(640 * 15, 480 * 12)}, {2, 3, 1920 * 15, QSizeF(1360 * 15, 768 * 12)},
        // Codes of the other position set no size; an unknown position moves nothing.
        {1, 2, 960 * 15, QSizeF()}, {2, 101, 1920 * 15, QSizeF()}, {3, 0, std::nullopt, QSizeF()}};
    for (const auto& c : cases) {
        Einstellungen s = settings(8);
        s.BildSchirm = static_cast<std::uint8_t>(c.bildSchirm);
        s.BildAufloesung = static_cast<std::uint8_t>(c.aufloesung);
        const FrameLayout::FramePlacement placement = FrameLayout::framePlacement(s, screen);
        EXPECT_EQ(placement.left, c.left) << c.bildSchirm << " / " << c.aufloesung;
        EXPECT_EQ(placement.size, c.size) << c.bildSchirm << " / " << c.aufloesung;
    }
}

TEST(FrameLayoutColumns, TwoRowsAndOneRow)
{
    const struct {
        int n, einZeilig, columns;
    } cases[] = {{1, 0, 2}, {3, 0, 2}, {4, 0, 2}, {5, 0, 3}, {8, 0, 4}, {9, 0, 5}, {1, 1, 1}, {2, 1, 2}, {6, 1, 6},
        {0, 1, 1}, {0, 0, 2}};
    for (const auto& c : cases) {
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

void expectTopLefts(const Einstellungen& s, QSizeF frame, const QList<QPointF>& expected)
{
    for (int i = 1; i <= expected.size(); ++i)
        EXPECT_EQ(FrameLayout::placeTarget(s, i, frame).rect.topLeft(), expected[i - 1])
            << s.Scheibenanzahl << " targets, target " << i;
}

TEST(FrameLayoutTargets, ThreeAndEightInTwoRowsAndTheLeagueArrangementInPairs)
{
    // With three, H / 2 <= W / 2: the height decides the size.
    const double h = kNarrowFrame.height() / 2.1;
    expectTopLefts(settings(3), kNarrowFrame, {{0, 0}, {h, 0}, {0, h}});
    // Eight fill the bottom row from the left.
    const double w = kNarrowFrame.width() / 4.1;
    expectTopLefts(
        settings(8), kNarrowFrame, {{0, 0}, {w, 0}, {2 * w, 0}, {3 * w, 0}, {0, h}, {w, h}, {2 * w, h}, {3 * w, h}});
    Einstellungen league = settings(6);
    league.BuliAnordnung = 1;
    expectTopLefts(league, QSizeF(30000, 9000), {{0, 0}, {0, h}, {h, 0}, {h, h}, {2 * h, 0}, {2 * h, h}});
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

TEST(FrameLayoutTargets, PagingTenByFourAndRanges)
{
    const struct {
        int count, perPage, first, last; // perPage 0: no paging; first 0: no range
        QList<int> positions;
        int shownFrom, shownTo;
    } cases[] = {
        {10, 4, 0, 0, {1, 2, 3, 4, 1, 2, 3, 4, 1, 2}, 1, 4},
        {12, 0, 5, 8, {-3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8}, 5, 8},
        // Before the range k < 1 is replaced by the first shown target.
        {10, 4, 3, 9, {3, 3, 1, 2, 3, 4, 1, 2, 3, 4}, 3, 6},
    };
    for (const auto& c : cases) {
        Einstellungen s = settings(c.count);
        s.Blaettern = c.perPage > 0 ? 1 : 0;
        s.ScheibenProSeite = static_cast<std::uint8_t>(c.perPage);
        s.AnfEnde = c.first > 0 ? 1 : 0;
        if (c.first > 0) {
            s.AnfScheibe = static_cast<std::int16_t>(c.first);
            s.EndScheibe = static_cast<std::int16_t>(c.last);
        }
        for (int i = 1; i <= c.count; ++i) {
            EXPECT_EQ(FrameLayout::position(s, i), c.positions[i - 1]) << c.count << "/" << c.first << ": " << i;
            EXPECT_EQ(FrameLayout::hiddenAtStart(s, i), i < c.shownFrom || i > c.shownTo) << c.first << ": " << i;
        }
        if (c.first == 0) {
            // Target 6 stands where target 2 stands.
            EXPECT_EQ(
                FrameLayout::placeTarget(s, 6, kNarrowFrame).rect, FrameLayout::placeTarget(s, 2, kNarrowFrame).rect);
        }
    }
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
