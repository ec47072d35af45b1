#include "target_test_support.h"

namespace {

class ZoomTest : public ViewTest {
protected:
    // Zooms from step `from` and gives the step reached.
    double zoom(double from, bool manual)
    {
        model.Scheibe_ZoomNummer = from;
        TargetZoom::Zoom(model, manual, settings());
        return model.Scheibe_ZoomNummer;
    }
    void latestShot(float ringwert)
    {
        viewTestShots(model, 3);
        model.records.AktuellerSatz.Ringwert[2] = ringwert;
    }
};

struct AutoCase {
    float ringwert;
    double step;
};

class AutoZoomTest : public ZoomTest, public ::testing::WithParamInterface<AutoCase> { };

TEST_P(AutoZoomTest, StepFollowsTheLatestShot)
{
    settings().AutoZoom = 1;
    latestShot(GetParam().ringwert);
    EXPECT_EQ(zoom(0, false), GetParam().step);
}

// Mark radius / ring width = 0.5, so the threshold is the ring value - 0.75.
INSTANTIATE_TEST_SUITE_P(Table, AutoZoomTest,
    ::testing::Values(AutoCase {9.8f, 8}, AutoCase {7.0f, 6}, AutoCase {6.75f, 1}, AutoCase {8.8f, 8},
        AutoCase {8.7f, 6}, AutoCase {2.0f, 1}, AutoCase {1.7f, 1}, AutoCase {0.0f, 1}, AutoCase {10.9f, 8}));

TEST_F(ZoomTest, ManualSteppingLandsOnAnAllowedStep)
{
    const std::pair<double, double> steps[] = {{0, 1}, {1, 1}, {2, 6}, {6, 6}, {7, 8}, {9, 1}, {12, 1}, {-3, 1}};
    for (const auto& [from, to] : steps)
        EXPECT_EQ(zoom(from, true), to) << from;
}

TEST_F(ZoomTest, WithoutAutoZoomOrShotsOrAManualCallTheShotsAreIgnored)
{
    settings().AutoZoom = 1;
    EXPECT_EQ(zoom(0, false), 1); // no shot yet
    latestShot(9.8f);
    EXPECT_EQ(zoom(0, true), 1);
    settings().AutoZoom = 0;
    EXPECT_EQ(zoom(0, false), 1);
}

TEST_F(ZoomTest, WidthsOfTheSteps)
{
    zoom(1, true);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 2 * 380 + 3 * 40);
    zoom(8, true);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 2 * 380 - 12.4 * 40);
    model.records.Scheibe.RingMin = TaggedValue(3.0);
    zoom(1, true);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 1050); // below RingMin: whole card with margin
}

TEST_F(ZoomTest, BadTargetsFallBackToTheWholeCard)
{
    settings().AutoZoom = 1;
    latestShot(9.8f);
    model.records.Scheibe.Ringbreite = TaggedValue(0.0);
    EXPECT_EQ(zoom(0, false), 1); // the default step

    model = viewTestTarget();
    latestShot(9.8f);
    model.records.Scheibe.RingAnzahl = TaggedValue(0.0);
    EXPECT_EQ(zoom(0, false), 0);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 1050);
    EXPECT_EQ(zoom(0, true), 0);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 1050);

    // A step width of zero or less.
    model = viewTestTarget();
    model.records.Scheibe.AussenRadius = TaggedValue(10.0);
    EXPECT_EQ(zoom(8, true), 8);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 1050);

    model = viewTestTarget();
    model.records.Scheibe.RingAnzahl = TaggedValue(1e15);
    zoom(9, true);
    EXPECT_GT(model.SichtBreite, 0);
}

TEST_F(ZoomTest, DerivedGeometryAndRepaint)
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

    // Every repaint starts from step 0.
    model.Scheibe_ZoomNummer = 8;
    model.zoomForPaint(settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 1);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 880);
    EXPECT_EQ(model.MitteX, 440);
}

} // namespace
