#include "DefinitionPublisher.h"
#include "Discipline.h"
#include "PlacesFile.h"
#include "RankingResponder.h"
#include "RankingTable.h"
#include "SimulatorOptions.h"
#include "exchange/Austausch.h"
#include "platform/SequentialFile.h"
#include "platform/TextCodec.h"
#include "target/DefinitionFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

RankingEntry entry(int lane, int tenths, const char* name = "Berger")
{
    RankingEntry e;
    e.name = QString::fromUtf8(name);
    e.vorname = QStringLiteral("Anna");
    e.verein = QStringLiteral("SV Tell");
    e.totalTenths = tenths;
    e.totalText = QString::number(tenths / 10.0, 'f', 1);
    e.lane = lane;
    e.shots = 12;
    e.series = {QStringLiteral("101.2"), QStringLiteral("20.3")};
    return e;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(RankingTable, TwentyFieldsPerLineBestFirstAndPlacesInLaneOrder)
{
    RankingEntry tell = entry(3, 950);
    tell.verein = QStringLiteral("SV \"Tell\"; Oberdorf, e.V."); // separators cannot break the line
    const QByteArray csv = RankingTable::csv({entry(1, 950), entry(2, 1012, "M\xc3\xbcller"), tell});
    EXPECT_TRUE(csv.contains("M\xfcller"));
    const QStringList lines = TextCodec::decode(csv).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_EQ(lines[0], QStringLiteral("1;;M\u00fcller;Anna;SV Tell;101.2;2;12;101.2;20.3;;;;;;;;;;"));
    // Equal totals share the place; the lane decides the order.
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("2;;Berger;Anna;SV Tell;95.0;1;")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2;;Berger;Anna;SV")));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lines[i].count(QLatin1Char(';')), 19);
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
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("HPlatz.hwv")});
}

TEST(RankingResponder, AnswersARequestAndNeverOverwritesAnUnreadAnswer)
{
    QTemporaryDir dir;
    RankingResponder responder(dir.path(), 2);
    int asked = 0;
    const auto source = [&](const QString& request) {
        ++asked;
        EXPECT_EQ(request, QStringLiteral("1$1$0$0$2"));
        return QList<RankingEntry> {entry(1, 980), entry(2, 990)};
    };

    EXPECT_TRUE(responder.poll(source).isEmpty());
    QString request = QStringLiteral("1$1$0$0$2");
    ASSERT_EQ(AustauschRangliste(request, 2, 1, dir.path(), 1, 1), 0);
    EXPECT_FALSE(responder.poll(source).isEmpty());
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("HRngCS2.ctl"))));
    EXPECT_EQ(readAll(responder.csvPath()).count('\n'), 2);

    // A second request while the first answer is unread: the file is
    // rewritten, the answer waits until the display took the first one.
    ASSERT_EQ(AustauschRangliste(request, 2, 1, dir.path(), 1, 1), 0);
    responder.poll(source);
    EXPECT_EQ(asked, 2);
    QString answer;
    ASSERT_EQ(AustauschRangliste(answer, 2, 1, dir.path(), 2, 1), 0);
    EXPECT_EQ(answer, QStringLiteral("HRang2.csv"));
    EXPECT_EQ(AustauschRangliste(answer, 2, 1, dir.path(), 2, 1), 2);
    EXPECT_FALSE(responder.poll(source).isEmpty());
    EXPECT_EQ(AustauschRangliste(answer, 2, 1, dir.path(), 2, 1), 0);
}

TEST(DefinitionPublisher, WhatItWritesTheDisplayReadsBack)
{
    QTemporaryDir dir;
    for (const Discipline& d : Discipline::builtIn()) {
        ASSERT_TRUE(DefinitionPublisher::publish(dir.path(), d));
        const QString base = dir.path() + QStringLiteral("/Definitionen/") + d.kurzname;
        WettbewerbsDaten w;
        DefinitionFiles::HD_Laden(base + QStringLiteral("_Wettbewerb.ini"), w);
        ScheibenDaten s;
        DefinitionFiles::HS_Laden(base + QStringLiteral("_Scheibe.ini"), s);
        WaffenDaten waffe;
        DefinitionFiles::HW_Laden(base + QStringLiteral("_Waffe.ini"), waffe);

        EXPECT_EQ(w.Bezeichnung.toString(), d.wettbewerb.Bezeichnung.toString());
        EXPECT_EQ(w.SchussZahl.toDouble(), 40);
        EXPECT_EQ(w.Wertung.toDouble(), d.wettbewerb.Wertung.toDouble());
        EXPECT_EQ(w.Zeit[0].toString(), QStringLiteral("50 min"));
        EXPECT_EQ(s.Ringbreite.toDouble(), d.scheibe.Ringbreite.toDouble());
        EXPECT_EQ(s.KartonBreite.toDouble(), d.scheibe.KartonBreite.toDouble());
        EXPECT_TRUE(s.Probe.toBool());
        EXPECT_EQ(waffe.AnzeigeRadius.toDouble(), 225);
    }
}

TEST(DefinitionPublisher, OwnDefinitionsAreCopiedAndScored)
{
    QTemporaryDir source, exchange;
    ASSERT_TRUE(DefinitionPublisher::publish(source.path(), Discipline::builtIn().at(1)));
    QString error;
    const auto own
        = DefinitionPublisher::fromDirectory(source.path() + QStringLiteral("/Definitionen"), exchange.path(), error);
    ASSERT_TRUE(own) << qPrintable(error);
    EXPECT_EQ(own->wettbewerbDatei, QStringLiteral("Definitionen\\LP10_Wettbewerb.ini"));
    EXPECT_TRUE(QFile::exists(exchange.path() + QStringLiteral("/Definitionen/LP10_Scheibe.ini")));
    EXPECT_DOUBLE_EQ(own->geometry().ringValue(800, 0), 10.0);

    QTemporaryDir empty;
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
    EXPECT_EQ(o->exchangeDir, QStringLiteral("/x"));
    EXPECT_EQ(o->lanes, 16);
    EXPECT_EQ(o->protocol, SimProtocol::TelvoxAlt);
    EXPECT_EQ(o->paceMs, 0);
    EXPECT_EQ(o->seed, 9u);
    EXPECT_EQ(o->messages, 100);
    EXPECT_EQ(o->rankingDir, QStringLiteral("/r"));
    EXPECT_EQ(o->serverId, 3);
    EXPECT_EQ(o->definitionsDir, QStringLiteral("/d"));
    EXPECT_TRUE(o->quiet);

    for (const char* bad : {"", "--lanes 4", "--dir /x --lanes 0", "--dir /x --lanes 256", "--dir /x --protocol 1999",
             "--dir /x --pace -1", "--dir /x --messages", "--dir /x --colour red"}) {
        error.clear();
        EXPECT_FALSE(parseSimulatorOptions(words(bad), error)) << bad;
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
