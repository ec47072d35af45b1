#include "ranking/RankingLayout.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// The frame that makes fy = 1: one and a half times the design's outer height.
constexpr double UnitWidth = RankingLayout::DesignOuterWidth;
constexpr double UnitHeight = RankingLayout::DesignOuterHeight * 1.5;

} // namespace

TEST(RankingLayout, FrameOneAndAHalfTimesTheDesignKeepsTheDesignSizes)
{
    const RankingLayout layout = RankingLayout::fitted(UnitWidth, UnitHeight);
    EXPECT_EQ(layout.fx, 1.0f);
    EXPECT_EQ(layout.fy, 1.0f);
    EXPECT_EQ(layout.pitch, 480);
    EXPECT_EQ(layout.fixedLabel(u"lblRanlistenTitel")->pointSize, 12);
    EXPECT_EQ(layout.rowTemplate(RankingColumn::SNr).pointSize, 10);
    const RankingLayout design = RankingLayout::design();
    ASSERT_EQ(design.fixedLabels.size(), 13u);
    EXPECT_EQ(design.zeilen, 0);
    const RankingLabelGeometry* serie6 = layout.fixedLabel(u"lblBezSerie5");
    ASSERT_NE(serie6, nullptr);
    EXPECT_EQ(serie6->caption, QStringLiteral("6"));
    // The row labels stand under their headings.
    EXPECT_EQ(layout.rowTemplate(RankingColumn::SerieErg6).rect.left, serie6->rect.left);
    EXPECT_EQ(layout.rowTemplate(RankingColumn::SerieErg6).name, QStringLiteral("lblSerieErg6"));
    EXPECT_TRUE(layout.rowTemplate(RankingColumn::GesErg).bold);
    for (std::size_t i = 0; i < design.fixedLabels.size(); ++i) {
        EXPECT_EQ(layout.fixedLabels[i].rect.left, design.fixedLabels[i].rect.left);
        EXPECT_EQ(layout.fixedLabels[i].rect.top, design.fixedLabels[i].rect.top);
    }

    ASSERT_EQ(layout.zeilen, 21);
    ASSERT_EQ(layout.rowTops.size(), 22u);
    ASSERT_EQ(layout.rowLineYs.size(), 22u);
    EXPECT_EQ(layout.rowLineYs[0], 1440);
    for (int r = 1; r <= 21; ++r) {
        EXPECT_EQ(layout.rowTops[std::size_t(r)], 1080 + 480 * r) << r;
        EXPECT_EQ(layout.rowLineYs[std::size_t(r)], 960 + 480 * r) << r;
    }
    EXPECT_EQ(layout.lnTrenner.y2, UnitHeight);
    EXPECT_EQ(layout.lnTrenner.x1, 4920);
}

TEST(RankingLayout, RowCountDependsOnlyOnTheDesign)
{
    // Common frame sizes at 15 twips a pixel, and a few odd ones.
    const std::pair<double, double> sizes[] = {{9600, 7200}, {12000, 9000}, {15360, 11520}, {20400, 11520},
        {28800, 16200}, {57600, 32400}, {9000, 300}, {15, 15}};
    for (const auto& [w, h] : sizes) {
        const RankingLayout layout = RankingLayout::fitted(w, h);
        EXPECT_EQ(layout.zeilen, 21) << w << " x " << h;
        // The last row's separator lies inside the window, the next would not fit.
        EXPECT_LT(layout.rowLineYs.back(), h);
        EXPECT_GE(layout.rowLineYs.back() + layout.pitch, h - layout.pitch);
        EXPECT_EQ(layout.lnTrenner.y2, h);
    }
}

TEST(RankingLayout, FactorsScaleEachDirection)
{
    const RankingLayout layout = RankingLayout::fitted(UnitWidth * 2, UnitHeight / 2);
    EXPECT_EQ(layout.fx, 2.0f);
    EXPECT_EQ(layout.fy, 0.5f);
    const RankingLabelGeometry* title = layout.fixedLabel(u"lblRanlistenTitel");
    EXPECT_EQ(title->rect.left, 240);
    EXPECT_EQ(title->rect.width, 18750);
    EXPECT_EQ(title->rect.top, 60);
    EXPECT_EQ(title->rect.height, 187.5);
    EXPECT_EQ(title->pointSize, 6);
    EXPECT_EQ(layout.fixedLabel(u"lblBezRang")->pointSize, 5); // 4.875
    EXPECT_EQ(layout.pitch, 240);
    EXPECT_EQ(layout.lnZeile0.x2, 18960);
    EXPECT_EQ(layout.lnTitel.y1, 480);
}

TEST(RankingLayout, FontSizesRoundHalfToEven)
{
    // fy 1.125: 12 -> 13.5 -> 14; fy 0.875: 12 -> 10.5 -> 10.
    const RankingLayout up = RankingLayout::fitted(UnitWidth, UnitHeight * 1.125);
    EXPECT_EQ(up.fy, 1.125f);
    EXPECT_EQ(up.fixedLabel(u"lblRanlistenTitel")->pointSize, 14);
    EXPECT_EQ(up.fixedLabel(u"lblBezSNr")->pointSize, 11);
    const RankingLayout down = RankingLayout::fitted(UnitWidth, UnitHeight * 0.875);
    EXPECT_EQ(down.fy, 0.875f);
    EXPECT_EQ(down.fixedLabel(u"lblRanlistenTitel")->pointSize, 10);
    EXPECT_EQ(down.rowTemplate(RankingColumn::Rang).pointSize, 9); // 8.53125
}

TEST(RankingLayout, DegenerateFramesMakeNoRows)
{
    for (const auto& [w, h] : {std::pair {0.0, 0.0}, std::pair {-9600.0, -7200.0}, std::pair {9600.0, -1.0}}) {
        const RankingLayout layout = RankingLayout::fitted(w, h);
        EXPECT_EQ(layout.zeilen, 0);
        EXPECT_EQ(layout.rowTops.size(), 1u);
        // Zero points cannot be set: the font keeps its size.
        EXPECT_EQ(layout.fixedLabel(u"lblRanlistenTitel")->pointSize, 12);
    }
}
