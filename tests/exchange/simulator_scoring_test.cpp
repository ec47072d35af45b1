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

struct RingCase {
    double distance;
    double expected;
};

class LuftgewehrRings : public ::testing::TestWithParam<RingCase> { };

TEST_P(LuftgewehrRings, DistanceGivesTheDecimalRing)
{
    const TargetGeometry g = luftgewehr().geometry();
    EXPECT_DOUBLE_EQ(g.ringValue(GetParam().distance, 0), GetParam().expected);
    // The direction does not matter.
    const double d = GetParam().distance / std::sqrt(2.0);
    EXPECT_DOUBLE_EQ(g.ringValue(-d, d), GetParam().expected);
}

// Air rifle in 1/100 mm: ten ring radius 25, ring width 250, pellet 450, so the
// hole touches the ten up to 250 from the centre.
INSTANTIATE_TEST_SUITE_P(Table, LuftgewehrRings,
    ::testing::Values(RingCase {0, 10.9}, RingCase {25, 10.9}, RingCase {26, 10.8}, RingCase {249, 10.0},
        RingCase {250, 10.0}, RingCase {251, 9.9}, RingCase {325, 9.7}, RingCase {500, 9.0}, RingCase {2499, 1.0},
        RingCase {2500, 1.0}, RingCase {2501, 0}, RingCase {5000, 0}));

TEST(LuftpistoleRings, TenTouchesUpToEightMillimetres)
{
    const TargetGeometry g = luftpistole().geometry();
    EXPECT_DOUBLE_EQ(g.ringValue(0, 0), 10.9);
    EXPECT_DOUBLE_EQ(g.ringValue(800, 0), 10.0);
    EXPECT_DOUBLE_EQ(g.ringValue(0, -801), 9.9);
    EXPECT_DOUBLE_EQ(g.ringValue(1600, 0), 9.0);
    EXPECT_DOUBLE_EQ(g.ringValue(8000, 0), 1.0);
    EXPECT_DOUBLE_EQ(g.ringValue(8001, 0), 0);
}

TEST(ShotRandom, SameSeedSameNumbers)
{
    ShotRandom a(42), b(42), c(43);
    std::vector<double> first, second, third;
    for (int i = 0; i < 50; ++i) {
        first.push_back(a.normal(0, 1));
        second.push_back(b.normal(0, 1));
        third.push_back(c.normal(0, 1));
    }
    EXPECT_EQ(first, second);
    EXPECT_NE(first, third);
}

TEST(ShotRandom, NormalHasItsMeanAndSpread)
{
    ShotRandom random(5);
    const int n = 20000;
    double sum = 0, squares = 0;
    for (int i = 0; i < n; ++i) {
        const double v = random.normal(3, 2);
        sum += v;
        squares += v * v;
    }
    const double mean = sum / n;
    EXPECT_NEAR(mean, 3, 0.05);
    EXPECT_NEAR(std::sqrt(squares / n - mean * mean), 2, 0.05);
}

TEST(ShotRandom, BetweenStaysInRange)
{
    ShotRandom random(9);
    std::vector<int> seen(4);
    for (int i = 0; i < 400; ++i) {
        const int v = random.between(3, 6);
        ASSERT_GE(v, 3);
        ASSERT_LE(v, 6);
        ++seen[static_cast<size_t>(v - 3)];
    }
    for (int count : seen)
        EXPECT_GT(count, 50);
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
    for (int i = 0; i < 25; ++i) {
        const int tenths = static_cast<int>(std::lround(satz.Ringwert[static_cast<size_t>(i)] * 10));
        // The ring value is the one of the shot's position.
        EXPECT_FLOAT_EQ(satz.Ringwert[static_cast<size_t>(i)],
            static_cast<float>(luftgewehr().geometry().ringValue(
                satz.PosX[static_cast<size_t>(i)], satz.PosY[static_cast<size_t>(i)])));
        total += tenths;
        series[static_cast<size_t>(i / 10)] += tenths;
    }
    EXPECT_EQ(lane.matchTotalTenths(), total);
    EXPECT_FLOAT_EQ(satz.Gesamt, static_cast<float>(total / 10.0));
    for (int k = 0; k < 3; ++k)
        EXPECT_FLOAT_EQ(
            satz.SerienWert[static_cast<size_t>(k)], static_cast<float>(series[static_cast<size_t>(k)] / 10.0));
    EXPECT_EQ(lane.seriesTexts().size(), 3);
    EXPECT_EQ(lane.matchTotalText(), QString::number(total / 10.0, 'f', 1));
}

TEST(LaneMatch, PistolCountsWholeRings)
{
    LaneMatch lane(2, luftpistole(), 4);
    while (!(lane.inMatch() && lane.matchShots() == 10))
        lane.next();
    const SchussSatz& satz = lane.records().MatchSatz;
    int total = 0;
    for (int i = 0; i < 10; ++i)
        total += static_cast<int>(std::floor(satz.Ringwert[static_cast<size_t>(i)]));
    EXPECT_FLOAT_EQ(satz.Gesamt, static_cast<float>(total));
    EXPECT_EQ(lane.matchTotalText(), QString::number(total));
}

TEST(LaneMatch, GroupsLookLikeAShooter)
{
    // A shooter's group is a cloud: not all in the ten, not all misses.
    LaneMatch lane(5, luftgewehr(), 21);
    while (!(lane.inMatch() && lane.matchShots() == 40))
        lane.next();
    const double mean = lane.matchTotalTenths() / 400.0;
    EXPECT_GT(mean, 7.0);
    EXPECT_LT(mean, 10.8);
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
