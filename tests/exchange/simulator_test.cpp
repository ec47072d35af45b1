#include "DefinitionPublisher.h"
#include "Discipline.h"
#include "LaneMatch.h"
#include "PlacesFile.h"
#include "RankingResponder.h"
#include "RankingTable.h"
#include "ShotRandom.h"
#include "SimulatorOptions.h"
#include "TargetGeometry.h"
#include "exchange/Austausch.h"
#include "platform/SequentialFile.h"
#include "platform/TextCodec.h"
#include "target/DefinitionFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;

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
    const auto expectRings = [](const Discipline& discipline, const std::vector<std::pair<double, double>>& cases) {
        const TargetGeometry geometry = discipline.geometry();
        for (const auto& [distance, expected] : cases) {
            SCOPED_TRACE(distance);
            EXPECT_DOUBLE_EQ(geometry.ringValue(distance, 0), expected);
            EXPECT_DOUBLE_EQ(geometry.ringValue(0, -distance), expected);
            const double d = distance / std::sqrt(2.0);
            EXPECT_DOUBLE_EQ(geometry.ringValue(-d, d), expected);
        }
    };
    expectRings(luftgewehr(),
        {{0, 10.9}, {25, 10.9}, {26, 10.8}, {249, 10.0}, {250, 10.0}, {251, 9.9}, {325, 9.7}, {500, 9.0}, {2499, 1.0},
            {2500, 1.0}, {2501, 0}, {5000, 0}});
    expectRings(luftpistole(), {{0, 10.9}, {800, 10.0}, {801, 9.9}, {8000, 1.0}, {8001, 0}});
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
    for (Event expected : {Event::Wettbewerb, Event::Scheibe, Event::Waffe, Event::Schuetze})
        EXPECT_EQ(lane.next(), expected);
    EXPECT_FALSE(lane.shooter().name.isEmpty());
    EXPECT_EQ(lane.records().SchuetzenName.toString(), lane.shooter().displayName());
    EXPECT_EQ(lane.next(), Event::ProbeAn);
    EXPECT_TRUE(lane.records().Scheibe.Probe.toBool());

    const auto shotsUntil = [&lane](Event end) {
        int shots = 0;
        Event e;
        while ((e = lane.next()) == Event::Schuss)
            ++shots;
        EXPECT_EQ(e, end);
        return shots;
    };
    const int sighting = shotsUntil(Event::ProbeAus);
    EXPECT_EQ(sighting, lane.shooter().probeSchuesse);
    EXPECT_GE(sighting, 3);
    EXPECT_EQ(lane.records().ProbeSatz.SchussNummer, sighting);
    EXPECT_FALSE(lane.records().Scheibe.Probe.toBool());
    EXPECT_EQ(lane.records().MatchSatz.LetzterIndex, -1);

    EXPECT_EQ(shotsUntil(Event::Pause), 40);
    EXPECT_EQ(lane.matchShots(), 40);
    Event e;
    while ((e = lane.next()) == Event::Pause) { }
    EXPECT_EQ(e, Event::Wettbewerb);
    EXPECT_EQ(lane.matchShots(), 0);
    EXPECT_EQ(lane.records().MatchSatz.LetzterIndex, -1);
}

TEST(LaneMatch, TotalsAndSeriesAddUpInTenthsAndPistolCountsWholeRings)
{
    LaneMatch lane(1, luftgewehr(), 4);
    while (!(lane.inMatch() && lane.matchShots() == 25))
        lane.next();
    const SchussSatz& satz = lane.records().MatchSatz;
    EXPECT_EQ(std::make_tuple(satz.SchussNummer, satz.LetzterIndex, satz.SerienLetzter), std::make_tuple(25, 24, 2));
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

    LaneMatch pistol(2, luftpistole(), 4);
    while (!(pistol.inMatch() && pistol.matchShots() == 10))
        pistol.next();
    const SchussSatz& whole = pistol.records().MatchSatz;
    int rings = 0;
    for (std::size_t i = 0; i < 10; ++i)
        rings += int(std::floor(whole.Ringwert[i]));
    EXPECT_FLOAT_EQ(whole.Gesamt, float(rings));
    EXPECT_EQ(pistol.matchTotalText(), QString::number(rings));
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

RankingEntry entry(int lane, int tenths, const char* name = "Berger")
{
    RankingEntry e;
    e.name = QString::fromUtf8(name);
    e.vorname = u"Anna"_s;
    e.verein = u"SV Tell"_s;
    e.totalTenths = tenths;
    e.totalText = QString::number(tenths / 10.0, 'f', 1);
    e.lane = lane;
    e.shots = 12;
    e.series = {u"101.2"_s, u"20.3"_s};
    return e;
}

TEST(RankingTable, TwentyFieldsPerLineBestFirstAndPlacesInLaneOrder)
{
    RankingEntry tell = entry(3, 950);
    tell.verein = u"SV \"Tell\"; Oberdorf, e.V."_s; // separators cannot break the line
    const QByteArray csv = RankingTable::csv({entry(1, 950), entry(2, 1012, "M\xc3\xbcller"), tell});
    EXPECT_TRUE(csv.contains("M\xfcller"));
    const QStringList lines = TextCodec::decode(csv).split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_EQ(lines[0], u"1;;M\u00fcller;Anna;SV Tell;101.2;2;12;101.2;20.3;;;;;;;;;;"_s);
    // Equal totals share the place; the lane decides the order.
    EXPECT_TRUE(lines[1].startsWith(u"2;;Berger;Anna;SV Tell;95.0;1;"_s));
    EXPECT_TRUE(lines[2].startsWith(u"2;;Berger;Anna;SV"_s));
    EXPECT_EQ(lines[2].count(QLatin1Char(';')), 19);
    EXPECT_FALSE(lines[2].contains(QLatin1Char(',')) || lines[2].contains(QLatin1Char('"')));

    const QList<std::pair<int, int>> places {{2, 1}, {4, 2}, {7, 2}};
    EXPECT_EQ(RankingTable::places({entry(4, 900), entry(2, 950), entry(7, 900)}), places);
}

TEST(PlacesFile, WrittenOnlyWhenThePreviousWasConsumed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(PlacesFile::write(dir.path(), {{1, 2}, {3, 1}}));
    EXPECT_FALSE(PlacesFile::write(dir.path(), {{1, 1}}));
    SequentialReader reader(PlacesFile::path(dir.path()));
    ASSERT_TRUE(reader.open());
    for (int expected : {1, 2, 3, 1})
        EXPECT_EQ(reader.readNumber(), expected);
    EXPECT_TRUE(reader.atEnd());
    reader.close();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {u"HPlatz.hwv"_s});
}

TEST(RankingResponder, AnswersARequestAndNeverOverwritesAnUnreadAnswer)
{
    QTemporaryDir dir;
    RankingResponder responder(dir.path(), 2);
    int asked = 0;
    const auto source = [&](const QString& request) {
        ++asked;
        EXPECT_EQ(request, u"1$1$0$0$2"_s);
        return QList<RankingEntry> {entry(1, 980), entry(2, 990)};
    };
    EXPECT_TRUE(responder.poll(source).isEmpty());
    QString request = u"1$1$0$0$2"_s;
    ASSERT_EQ(AustauschRangliste(request, 2, 1, dir.path(), 1, 1), 0);
    EXPECT_FALSE(responder.poll(source).isEmpty());
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath(u"HRngCS2.ctl"_s)));
    QFile csv(responder.csvPath());
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count('\n'), 2);

    // A second request while the first answer is unread: the file is
    // rewritten, the answer waits until the display took the first one.
    ASSERT_EQ(AustauschRangliste(request, 2, 1, dir.path(), 1, 1), 0);
    responder.poll(source);
    EXPECT_EQ(asked, 2);
    QString answer;
    ASSERT_EQ(AustauschRangliste(answer, 2, 1, dir.path(), 2, 1), 0);
    EXPECT_EQ(answer, u"HRang2.csv"_s);
    EXPECT_EQ(AustauschRangliste(answer, 2, 1, dir.path(), 2, 1), 2);
    EXPECT_FALSE(responder.poll(source).isEmpty());
    EXPECT_EQ(AustauschRangliste(answer, 2, 1, dir.path(), 2, 1), 0);
}

TEST(DefinitionPublisher, WhatItWritesTheDisplayReadsBack)
{
    QTemporaryDir dir;
    for (const Discipline& d : Discipline::builtIn()) {
        ASSERT_TRUE(DefinitionPublisher::publish(dir.path(), d));
        const QString base = dir.path() + u"/Definitionen/"_s + d.kurzname;
        WettbewerbsDaten w;
        DefinitionFiles::HD_Laden(base + u"_Wettbewerb.ini"_s, w);
        ScheibenDaten s;
        DefinitionFiles::HS_Laden(base + u"_Scheibe.ini"_s, s);
        WaffenDaten waffe;
        DefinitionFiles::HW_Laden(base + u"_Waffe.ini"_s, waffe);

        EXPECT_EQ(std::make_tuple(w.Bezeichnung.toString(), w.Zeit[0].toString()),
            std::make_tuple(d.wettbewerb.Bezeichnung.toString(), u"50 min"_s));
        EXPECT_EQ((std::array {w.SchussZahl.toDouble(), w.Wertung.toDouble(), s.Ringbreite.toDouble(),
                      s.KartonBreite.toDouble(), waffe.AnzeigeRadius.toDouble()}),
            (std::array {40.0, d.wettbewerb.Wertung.toDouble(), d.scheibe.Ringbreite.toDouble(),
                d.scheibe.KartonBreite.toDouble(), 225.0}));
        EXPECT_TRUE(s.Probe.toBool());
    }
}

TEST(DefinitionPublisher, OwnDefinitionsAreCopiedAndScored)
{
    QTemporaryDir source, exchange, empty;
    ASSERT_TRUE(DefinitionPublisher::publish(source.path(), luftpistole()));
    QString error;
    const auto own = DefinitionPublisher::fromDirectory(source.path() + u"/Definitionen"_s, exchange.path(), error);
    ASSERT_TRUE(own) << qPrintable(error);
    EXPECT_EQ(own->wettbewerbDatei, u"Definitionen\\LP10_Wettbewerb.ini"_s);
    EXPECT_TRUE(QFile::exists(exchange.path() + u"/Definitionen/LP10_Scheibe.ini"_s));
    EXPECT_DOUBLE_EQ(own->geometry().ringValue(800, 0), 10.0);
    EXPECT_FALSE(DefinitionPublisher::fromDirectory(empty.path(), exchange.path(), error));
    EXPECT_FALSE(error.isEmpty());
}

QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

TEST(SimulatorOptions, ParsesEveryOptionAndRefusesBadInput)
{
    QString error;
    const auto o = parseSimulatorOptions(words("--dir /x --lanes 16 --protocol alt --pace 0 --seed 9 --messages 100 "
                                               "--ranking-dir /r --server-id 3 --definitions /d --quiet"),
        error);
    ASSERT_TRUE(o) << qPrintable(error);
    EXPECT_EQ(
        std::make_tuple(o->exchangeDir, o->rankingDir, o->definitionsDir), std::make_tuple(u"/x"_s, u"/r"_s, u"/d"_s));
    EXPECT_EQ(std::make_tuple(o->protocol, o->lanes, o->paceMs, o->seed, o->messages, o->serverId, o->quiet),
        std::make_tuple(SimProtocol::TelvoxAlt, 16, 0, 9u, 100, 3, true));

    for (const char* bad : {"", "--lanes 4", "--dir /x --lanes 0", "--dir /x --lanes 256", "--dir /x --protocol 1999",
             "--dir /x --pace -1", "--dir /x --messages", "--dir /x --colour red"}) {
        error.clear();
        EXPECT_FALSE(parseSimulatorOptions(words(bad), error)) << bad;
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
