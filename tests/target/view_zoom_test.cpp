#include "target/TargetZoom.h"
#include "view_test_target.h"

#include <gtest/gtest.h>

namespace
{

class ZoomTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetViewTestState();
        model = viewTestTarget();
    }

    Einstellungen& settings() { return ProgramState::instance().settings; }

    void latestShot(float ringwert)
    {
        viewTestShots(model, 3);
        model.records.AktuellerSatz.Ringwert[2] = ringwert;
    }

    TargetModel model;
};

struct AutoCase {
    float ringwert;
    double step;
};

class AutoZoomTest : public ZoomTest, public ::testing::WithParamInterface<AutoCase>
{
};

TEST_P(AutoZoomTest, StepFollowsTheLatestShot)
{
    settings().AutoZoom = 1;
    latestShot(GetParam().ringwert);
    model.Scheibe_ZoomNummer = 0;
    TargetZoom::Zoom(model, false, settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, GetParam().step);
}

// Mark radius / ring width = 0.5, so the threshold is the ring value - 0.75.
INSTANTIATE_TEST_SUITE_P(Table, AutoZoomTest,
    ::testing::Values(AutoCase {9.8f, 8}, AutoCase {7.0f, 6}, AutoCase {6.75f, 1}, AutoCase {8.8f, 8},
        AutoCase {8.7f, 6}, AutoCase {2.0f, 1}, AutoCase {1.7f, 1}, AutoCase {0.0f, 1}, AutoCase {10.9f, 8}));

TEST_F(ZoomTest, WidthsOfTheSteps)
{
    model.Scheibe_ZoomNummer = 1;
    TargetZoom::Zoom(model, true, settings());
    EXPECT_DOUBLE_EQ(model.SichtBreite, 2 * 380 + 3 * 40);

    model.Scheibe_ZoomNummer = 8;
    TargetZoom::Zoom(model, true, settings());
    EXPECT_DOUBLE_EQ(model.SichtBreite, 2 * 380 - 12.4 * 40);

    model.records.Scheibe.RingMin = TaggedValue(3.0);
    model.Scheibe_ZoomNummer = 1;
    TargetZoom::Zoom(model, true, settings());
    EXPECT_DOUBLE_EQ(model.SichtBreite, 1050); // below RingMin: whole card with margin
}

TEST_F(ZoomTest, NoRingsNoZoom)
{
    model.records.Scheibe.RingAnzahl = TaggedValue(0.0);
    settings().AutoZoom = 1;
    latestShot(9.8f);
    model.Scheibe_ZoomNummer = 0;
    TargetZoom::Zoom(model, false, settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 0);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 1050);

    TargetZoom::Zoom(model, true, settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 0);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 1050);
}

struct StepCase {
    double from;
    double to;
};

class ManualZoomTest : public ZoomTest, public ::testing::WithParamInterface<StepCase>
{
};

TEST_P(ManualZoomTest, SteppingLandsOnAnAllowedStep)
{
    model.Scheibe_ZoomNummer = GetParam().from;
    TargetZoom::Zoom(model, true, settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Table, ManualZoomTest,
    ::testing::Values(StepCase {0, 1}, StepCase {1, 1}, StepCase {2, 6}, StepCase {6, 6}, StepCase {7, 8},
        StepCase {9, 1}, StepCase {12, 1}, StepCase {-3, 1}));

TEST_F(ZoomTest, AutomaticWithoutShotsSteps)
{
    settings().AutoZoom = 1;
    model.Scheibe_ZoomNummer = 0;
    TargetZoom::Zoom(model, false, settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 1);
}

TEST_F(ZoomTest, ManualCallIgnoresTheShots)
{
    settings().AutoZoom = 1;
    latestShot(9.8f);
    model.Scheibe_ZoomNummer = 0;
    TargetZoom::Zoom(model, true, settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 1);

    settings().AutoZoom = 0;
    model.Scheibe_ZoomNummer = 0;
    TargetZoom::Zoom(model, false, settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 1);
}

TEST_F(ZoomTest, ZeroRingWidthKeepsTheDefaultStep)
{
    settings().AutoZoom = 1;
    latestShot(9.8f);
    model.records.Scheibe.Ringbreite = TaggedValue(0.0);
    model.Scheibe_ZoomNummer = 0;
    TargetZoom::Zoom(model, false, settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 1);
}

TEST_F(ZoomTest, WidthOfZeroOrLessFallsBackToTheCard)
{
    model.records.Scheibe.AussenRadius = TaggedValue(10.0);
    model.Scheibe_ZoomNummer = 8;
    TargetZoom::Zoom(model, true, settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 8);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 1050);
}

TEST_F(ZoomTest, HugeRingCountStaysQuick)
{
    model.records.Scheibe.RingAnzahl = TaggedValue(1e15);
    model.Scheibe_ZoomNummer = 9;
    TargetZoom::Zoom(model, true, settings());
    EXPECT_GT(model.SichtBreite, 0);
}

TEST_F(ZoomTest, DerivedGeometry)
{
    model.SichtBreite = 1050;
    TargetZoom::Scheibe_ZoomBerechnen(model);
    EXPECT_EQ(model.Rand, 52);
    EXPECT_EQ(model.KartonGroesse, 945);
    EXPECT_EQ(model.MitteX, 525);
    EXPECT_EQ(model.MitteY, 525);

    model.SichtBreite = 264;
    TargetZoom::Scheibe_ZoomBerechnen(model);
    EXPECT_EQ(model.Rand, 13);
    EXPECT_EQ(model.KartonGroesse, 237);
    EXPECT_EQ(model.MitteX, 132);
}

TEST_F(ZoomTest, RepaintStartsFromStepZero)
{
    model.Scheibe_ZoomNummer = 8;
    model.zoomForPaint(settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 1);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 880);
    EXPECT_EQ(model.Rand, 44);
    EXPECT_EQ(model.MitteX, 440);
}

} // namespace
