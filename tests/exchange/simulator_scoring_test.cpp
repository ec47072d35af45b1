#include "Discipline.h"
#include "LaneMatch.h"
#include "ShotRandom.h"
#include "TargetGeometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

Discipline luftgewehr()
{
    return Discipline::builtIn().at(0);
}

Discipline luftpistole()
{
    return Discipline::builtIn().at(1);
}

// Air rifle in 1/100 mm: ten ring radius 25, ring width 250, pellet 450, so the
// hole touches the ten up to 250 from the centre; air pistol up to 800.
TEST(TargetGeometry, DistanceGivesTheDecimalRingInAnyDirection)
{
    const TargetGeometry lg = luftgewehr().geometry();
    const std::pair<double, double> rifle[] = {{0, 10.9}, {25, 10.9}, {26, 10.8}, {249, 10.0}, {250, 10.0}, {251, 9.9},
        {325, 9.7}, {500, 9.0}, {2499, 1.0}, {2500, 1.0}, {2501, 0}, {5000, 0}};
    for (const auto& [distance, expected] : rifle) {
        EXPECT_DOUBLE_EQ(lg.ringValue(distance, 0), expected) << distance;
        const double d = distance / std::sqrt(2.0);
        EXPECT_DOUBLE_EQ(lg.ringValue(-d, d), expected) << distance;
    }
    const TargetGeometry lp = luftpistole().geometry();
    EXPECT_DOUBLE_EQ(lp.ringValue(0, 0), 10.9);
    EXPECT_DOUBLE_EQ(lp.ringValue(800, 0), 10.0);
    EXPECT_DOUBLE_EQ(lp.ringValue(0, -801), 9.9);
    EXPECT_DOUBLE_EQ(lp.ringValue(8000, 0), 1.0);
    EXPECT_DOUBLE_EQ(lp.ringValue(8001, 0), 0);
}

TEST(ShotRandom, NumbersFollowTheirDistributionAndTheSeed)
{
    ShotRandom random(5), same(5), other(6);
    const int n = 20000;
    double sum = 0, squares = 0;
    std::vector<int> seen(4);
    bool differs = false;
    for (int i = 0; i < n; ++i) {
        const double v = random.normal(3, 2);
        sum += v;
        squares += v * v;
        EXPECT_EQ(same.normal(3, 2), v);
        differs = differs || other.normal(3, 2) != v;
        const int b = random.between(3, 6);
        ASSERT_TRUE(b >= 3 && b <= 6) << b;
        ++seen[std::size_t(b - 3)];
        same.between(3, 6);
        other.between(3, 6);
    }
    const double mean = sum / n;
    EXPECT_NEAR(mean, 3, 0.05);
    EXPECT_NEAR(std::sqrt(squares / n - mean * mean), 2, 0.05);
    for (int count : seen)
        EXPECT_GT(count, n / 5);
    EXPECT_TRUE(differs);
}

using Event = LaneMatch::Event;

TEST(LaneMatch, ShooterGoesThroughAnnouncementSightingMatchAndPause)
{
    LaneMatch lane(3, luftgewehr(), 11);
    EXPECT_EQ(lane.next(), Event::Wettbewerb);
    EXPECT_EQ(lane.next(), Event::Scheibe);
    EXPECT_EQ(lane.next(), Event::Waffe);
    EXPECT_EQ(lane.next(), Event::Schuetze);
    EXPECT_FALSE(lane.shooter().name.isEmpty());
    EXPECT_EQ(lane.records().SchuetzenName.toString(), lane.shooter().displayName());
    EXPECT_EQ(lane.next(), Event::ProbeAn);
    EXPECT_TRUE(lane.records().Scheibe.Probe.toBool());

    int sighting = 0;
    Event e;
    while ((e = lane.next()) == Event::Schuss)
        ++sighting;
    EXPECT_EQ(e, Event::ProbeAus);
    EXPECT_EQ(sighting, lane.shooter().probeSchuesse);
    EXPECT_GE(sighting, 3);
    EXPECT_EQ(lane.records().ProbeSatz.SchussNummer, sighting);
    EXPECT_FALSE(lane.records().Scheibe.Probe.toBool());
    EXPECT_EQ(lane.records().MatchSatz.LetzterIndex, -1);

    int match = 0;
    while ((e = lane.next()) == Event::Schuss)
        ++match;
    EXPECT_EQ(match, 40);
    EXPECT_EQ(e, Event::Pause);
    EXPECT_EQ(lane.matchShots(), 40);

    while ((e = lane.next()) == Event::Pause) { }
    EXPECT_EQ(e, Event::Wettbewerb);
    EXPECT_EQ(lane.matchShots(), 0);
    EXPECT_EQ(lane.records().MatchSatz.LetzterIndex, -1);
}

TEST(LaneMatch, TotalsAndSeriesAddUpInTenths)
{
    LaneMatch lane(1, luftgewehr(), 4);
    while (!(lane.inMatch() && lane.matchShots() == 25))
        lane.next();
    const SchussSatz& satz = lane.records().MatchSatz;
    EXPECT_EQ(satz.SchussNummer, 25);
    EXPECT_EQ(satz.LetzterIndex, 24);
    EXPECT_EQ(satz.SerienLetzter, 2);
    int total = 0;
    std::vector<int> series(3);
    const TargetGeometry geometry = luftgewehr().geometry();
    for (std::size_t i = 0; i < 25; ++i) {
        // The ring value is the one of the shot's position.
        EXPECT_FLOAT_EQ(satz.Ringwert[i], float(geometry.ringValue(satz.PosX[i], satz.PosY[i])));
        const int tenths = int(std::lround(satz.Ringwert[i] * 10));
        total += tenths;
        series[i / 10] += tenths;
    }
    EXPECT_EQ(lane.matchTotalTenths(), total);
    EXPECT_FLOAT_EQ(satz.Gesamt, float(total / 10.0));
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_FLOAT_EQ(satz.SerienWert[k], float(series[k] / 10.0));
    EXPECT_EQ(lane.seriesTexts().size(), 3);
    EXPECT_EQ(lane.matchTotalText(), QString::number(total / 10.0, 'f', 1));
    // A shooter's group is a cloud: not all in the ten, not all misses.
    EXPECT_GT(total / 25.0, 70);
    EXPECT_LT(total / 25.0, 108);
}

TEST(LaneMatch, PistolCountsWholeRings)
{
    LaneMatch lane(2, luftpistole(), 4);
    while (!(lane.inMatch() && lane.matchShots() == 10))
        lane.next();
    const SchussSatz& satz = lane.records().MatchSatz;
    int total = 0;
    for (std::size_t i = 0; i < 10; ++i)
        total += int(std::floor(satz.Ringwert[i]));
    EXPECT_FLOAT_EQ(satz.Gesamt, float(total));
    EXPECT_EQ(lane.matchTotalText(), QString::number(total));
}

TEST(LaneMatch, SameSeedSameMatch)
{
    LaneMatch a(4, luftgewehr(), 8), b(4, luftgewehr(), 8), c(5, luftgewehr(), 8);
    for (int i = 0; i < 30; ++i) {
        a.next();
        b.next();
        c.next();
    }
    EXPECT_EQ(a.shooter().displayName(), b.shooter().displayName());
    EXPECT_EQ(a.matchTotalTenths(), b.matchTotalTenths());
    ASSERT_GT(a.matchShots(), 0);
    EXPECT_NE(a.records().MatchSatz.PosX[0], c.records().MatchSatz.PosX[0]);
}

} // namespace
