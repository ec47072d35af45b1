#include "Discipline.h"
#include "LaneMatch.h"
#include "RankingTable.h"
#include "SimulatorOptions.h"
#include "TargetGeometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// Air rifle (discipline 0) in 1/100 mm: the hole touches the ten up to 250 from
// the centre, the one up to 2500; air pistol up to 800 and 8000.
TEST(TargetGeometry, DistanceGivesTheDecimalRingInAnyDirection)
{
    const std::tuple<int, double, double> cases[]
        = {{0, 0, 10.9}, {0, 25, 10.9}, {0, 26, 10.8}, {0, 250, 10.0}, {0, 251, 9.9}, {0, 325, 9.7}, {0, 2500, 1.0},
            {0, 2501, 0}, {1, 800, 10.0}, {1, 801, 9.9}, {1, 8000, 1.0}, {1, 8001, 0}};
    for (const auto& [discipline, distance, ring] : cases) {
        const TargetGeometry geometry = Discipline::builtIn().at(discipline).geometry();
        const double d = distance / std::sqrt(2.0);
        EXPECT_EQ(std::make_tuple(
                      geometry.ringValue(distance, 0), geometry.ringValue(0, -distance), geometry.ringValue(-d, d)),
            std::make_tuple(ring, ring, ring))
            << distance;
    }
}

// A shooter steps up, fires his sighting shots and the 40 of the match, whose
// total is that of the results file in tenths of a ring.
TEST(LaneMatch, ShooterGoesThroughAnnouncementSightingMatchAndPause)
{
    using Event = LaneMatch::Event;
    LaneMatch lane(3, Discipline::builtIn().at(0), 11);
    QList<Event> events;
    while (!events.contains(Event::Pause))
        events.append(lane.next());
    const qsizetype sighting = events.count(Event::Schuss) - 40;
    EXPECT_EQ(events.mid(0, 5) << events.value(5 + sighting) << events.value(46 + sighting),
        (QList {Event::Wettbewerb, Event::Scheibe, Event::Waffe, Event::Schuetze, Event::ProbeAn, Event::ProbeAus,
            Event::Pause}));
    const SchussSatz& satz = lane.records().MatchSatz;
    EXPECT_EQ(std::make_tuple(satz.SchussNummer, satz.LetzterIndex, satz.Gesamt, lane.matchTotalText()),
        std::make_tuple(40.0f, 39.0f, float(lane.matchTotalTenths() / 10.0),
            QString::number(lane.matchTotalTenths() / 10.0, 'f', 1)));
}

RankingEntry entry(int lane, int tenths, const char* name = "Berger")
{
    return {QString::fromUtf8(name), u"Anna"_s, u"SV Tell"_s, tenths, QString::number(tenths / 10.0, 'f', 1), lane, 12,
        {u"101.2"_s, u"20.3"_s}};
}

TEST(RankingTable, TwentyFieldsPerLineBestFirstAndPlacesInLaneOrder)
{
    RankingEntry tell = entry(3, 950);
    tell.verein = u"SV \"Tell\"; Oberdorf, e.V."_s; // separators cannot break the line
    EXPECT_EQ(RankingTable::csv({entry(1, 950), entry(2, 1012, "M\xc3\xbcller"), tell}),
        "1;;M\xfcller;Anna;SV Tell;101.2;2;12;101.2;20.3;;;;;;;;;;\r\n"
        "2;;Berger;Anna;SV Tell;95.0;1;12;101.2;20.3;;;;;;;;;;\r\n"
        "2;;Berger;Anna;SV  Tell   Oberdorf  e.V.;95.0;3;12;101.2;20.3;;;;;;;;;;\r\n");
    const QList<std::pair<int, int>> places {{2, 1}, {4, 2}, {7, 2}};
    EXPECT_EQ(RankingTable::places({entry(4, 900), entry(2, 950), entry(7, 900)}), places);
}

// The good options are read in every end-to-end run against the simulator.
TEST(SimulatorOptions, RefusesBadInput)
{
    QString error;
    for (const char* bad : {"", "--lanes 4", "--dir /x --lanes 0", "--dir /x --lanes 256", "--dir /x --protocol 1999",
             "--dir /x --pace -1", "--dir /x --messages", "--dir /x --colour red"}) {
        error.clear();
        EXPECT_TRUE(
            !parseSimulatorOptions(QString::fromLatin1(bad).split(u' ', Qt::SkipEmptyParts), error) && !error.isEmpty())
            << bad;
    }
}

} // namespace
