#include "ads/PictureFit.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    QSizeF window;
    QSizeF picture;
    QSizeF expected;
};

class PictureFitTable : public ::testing::TestWithParam<FitCase> { };

TEST_P(PictureFitTable, FitsAnchoredTopLeftKeepingProportions)
{
    const FitCase& c = GetParam();
    const QSizeF result = PictureFit::fitted(c.window, c.picture);
    EXPECT_DOUBLE_EQ(result.width(), c.expected.width());
    EXPECT_DOUBLE_EQ(result.height(), c.expected.height());
}

INSTANTIATE_TEST_SUITE_P(Sizes, PictureFitTable,
    ::testing::Values(
        // Square picture in a landscape window: fitted to the height.
        FitCase {{800, 600}, {400, 400}, {600, 600}},
        // Wider picture: fitted to the width.
        FitCase {{800, 600}, {1600, 900}, {800, 450}},
        // Same proportions fill the window, scaled up or down.
        FitCase {{800, 600}, {400, 300}, {800, 600}}, FitCase {{800, 600}, {1600, 1200}, {800, 600}},
        // Tall picture in a landscape window.
        FitCase {{800, 600}, {300, 600}, {300, 600}},
        // Portrait window and a square picture: fitted to the width.
        FitCase {{600, 800}, {100, 100}, {600, 600}},
        // Fractions are kept, not rounded.
        FitCase {{1000, 700}, {300, 200}, {1000, 2000.0 / 3.0}}, FitCase {{1000, 700}, {3, 7}, {300, 700}},
        // Window sizes in twips work the same way.
        FitCase {{15360, 11520}, {640, 480}, {15360, 11520}}));

TEST(PictureFit, EmptyPictureOrWindowGivesEmptySize)
{
    for (const auto& [window, picture] : {std::pair {QSizeF(800, 600), QSizeF(0, 400)},
             std::pair {QSizeF(800, 600), QSizeF(400, 0)}, std::pair {QSizeF(0, 600), QSizeF(400, 400)},
             std::pair {QSizeF(800, 0), QSizeF(400, 400)}, std::pair {QSizeF(-5, 600), QSizeF(400, 400)}}) {
        EXPECT_EQ(PictureFit::fitted(window, picture), QSizeF(0, 0));
    }
}

} // namespace
