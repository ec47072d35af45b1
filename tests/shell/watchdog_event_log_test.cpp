#include "watchdog_fixture.h"

#include <QFileInfo>

// What the polling cycle writes down about the faults it passes over: one
// line per failed attempt, with lane and file, and never more than the bound.

namespace {

using WatchdogEventLog = WatchdogTest;

QString line(int lane, const QString& what, const QString& file)
{
    return QStringLiteral("lane %1\t%2\t%3").arg(lane).arg(what, file);
}

TEST_F(WatchdogEventLog, MissingResultsFileGivesOneLinePerAttempt)
{
    const QString results = path(QStringLiteral("fehlt.txt"));
    for (int attempt = 0; attempt < 3; ++attempt) {
        serverSends(4, 1, QStringLiteral("fehlt.txt"));
        ticks(2); // the second tick finds no message and writes nothing
    }
    EXPECT_EQ(logged(), QStringList(3, line(4, QStringLiteral("results file missing"), results)));
    EXPECT_EQ(calls(4).count(QStringLiteral("LadeErgebnisse(%1)").arg(results)), 3);
}

TEST_F(WatchdogEventLog, EachPassedOverMessageNamesItsFault)
{
    struct Case {
        const char* name;
        std::function<void()> arrange;
        QString expected;
    };
    const QString nrt = path(QStringLiteral("HCVS1L2.nrt"));
    const std::vector<Case> cases {
        {"malformed record", [this] { serverSendsRecord(2, QStringLiteral("A#1;X#2")); },
            line(2, QStringLiteral("malformed record: A#1;X#2"), nrt)},
        {"outside the folder", [this] { serverSends(2, 1, QStringLiteral("..\\weg.txt")); },
            line(2, QStringLiteral("results file named outside the exchange folder"), QStringLiteral("..\\weg.txt"))},
        {"missing target definition", [this] { serverSends(2, 47, QStringLiteral("s.def")); },
            line(2, QStringLiteral("target definition file missing"), path(QStringLiteral("s.def")))},
        {"control file alone", [this] { writeFile(QStringLiteral("HCVS1L2.ctl"), "\"x\"\r\n"); },
            line(2, QStringLiteral("message data file missing"), nrt)},
        {"empty data file",
            [this] {
                writeFile(QStringLiteral("HCVS1L2.ctl"), "\"x\"\r\n");
                writeFile(QStringLiteral("HCVS1L2.nrt"), "");
            },
            line(2, QStringLiteral("message data file holds no field"), nrt)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        emptyFolder();
        QFile::remove(eventLog.path());
        c.arrange();
        watchdog.tick();
        EXPECT_EQ(logged(), QStringList {c.expected});
    }
}

TEST_F(WatchdogEventLog, ResultsFileThatIsThereButFailsIsACouldNotRead)
{
    writeFile(QStringLiteral("erg.txt"), "1,2,");
    serverSends(3, 1, QStringLiteral("erg.txt"));
    targets.lane(3).failReads = true;
    watchdog.tick();
    EXPECT_EQ(logged(),
        QStringList {line(3, QStringLiteral("results file could not be read"), path(QStringLiteral("erg.txt")))});
}

TEST_F(WatchdogEventLog, PlacesFileFaultsOfTheOlderProtocol)
{
    state.settings.VerbindungsArt = 0;
    writeFile(QStringLiteral("HPlatz.hwv"), "1,3\r\n2");
    watchdog.tick();
    EXPECT_EQ(calls(1), placed(3));
    EXPECT_EQ(logged(),
        QStringList {QStringLiteral("-\tplaces file ends within a pair\t%1").arg(path(QStringLiteral("HPlatz.hwv")))});
    EXPECT_FALSE(exists(QStringLiteral("HPlatz.hwv")));
}

TEST_F(WatchdogEventLog, AStuckMessageNeverOutgrowsTheBound)
{
    writeFile(QStringLiteral("HCVS1L1.ctl"), "\"x\"\r\n");
    ticks(400);
    const qint64 current = QFileInfo(eventLog.path()).size();
    const qint64 older = QFileInfo(eventLog.olderPath()).size();
    EXPECT_GT(older, 0);
    EXPECT_LE(current + older, eventLog.bound());
    EXPECT_EQ(
        logged().last(), line(1, QStringLiteral("message data file missing"), path(QStringLiteral("HCVS1L1.nrt"))));
}

TEST_F(WatchdogEventLog, MessagesHandledWithoutFaultWriteNothing)
{
    writeFile(QStringLiteral("erg.txt"), "x");
    serverSends(1, 1, QStringLiteral("erg.txt"));
    serverSendsName(2, QStringLiteral("Anna"));
    serverSends(3, 2, QStringLiteral("1"));
    ticks(3);
    EXPECT_FALSE(QFileInfo::exists(eventLog.path()));
}

} // namespace
