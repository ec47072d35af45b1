#include "exchange/Austausch.h"
#include "platform/SequentialFile.h"
#include "shell/FrameTimers.h"
#include "shell/ProgramState.h"
#include "shell/Watchdog.h"
#include "support/TestDialogs.h"
#include "watchdog_fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Faults of the exchange folder while the polling cycle runs: the cycle goes
// on, every message that arrives complete is handled exactly once, and no
// file outside the folder is loaded.

namespace {

class WatchdogFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestDialogs::install();
        TestDialogs::clear();
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("austausch")));
        state.settings.Scheibenanzahl = 10;
        state.settings.VerbindungsArt = 1;
        state.settings.NetzwerkPfad = folder();
    }
    void TearDown() override { TestDialogs::install(); }

    QString folder() const { return QDir(root.path()).filePath(QStringLiteral("austausch")); }
    QString path(const QString& name) const { return QDir(folder()).filePath(name); }
    bool exists(const QString& name) const { return QFileInfo::exists(path(name)); }
    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QString record(int lane, int b, const QString& n) const
    {
        return QStringLiteral("A#1;S#1;L#%1;B#%2;N#%3").arg(lane).arg(b).arg(n);
    }
    // The server side of the 2002 protocol: the name of the shooter on a lane.
    void serverSendsName(int lane, const QString& name)
    {
        QString value = record(lane, 4, name);
        ASSERT_EQ(Austausch2002(value, 1, lane, 1, folder(), 1, 1), 0);
    }
    void serverSends(int lane, int b, const QString& n)
    {
        QString value = record(lane, b, n);
        ASSERT_EQ(Austausch2002(value, 1, lane, 1, folder(), 1, 1), 0);
    }
    QStringList& calls(int lane) { return targets.lane(lane).calls; }
    static QStringList named(const QString& name)
    {
        return {QStringLiteral("gTitelName(%1)").arg(name), QStringLiteral("Refresh")};
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            watchdog.tick();
    }

    QTemporaryDir root;
    ProgramState state;
    FrameTimers timers;
    RecordingTargets targets {10};
    FakeRankingView ranking;
    Watchdog watchdog {state, timers, targets, ranking};
};

TEST_F(WatchdogFaults, FolderRemovedAndCreatedAgainBetweenTicks)
{
    serverSendsName(2, QStringLiteral("vorher"));
    watchdog.tick();
    ASSERT_EQ(calls(2), named(QStringLiteral("vorher")));

    ASSERT_TRUE(QDir(folder()).removeRecursively());
    for (int protocol : {1, 0, 1}) {
        state.settings.VerbindungsArt = static_cast<std::uint8_t>(protocol);
        ticks(2);
    }
    for (int lane = 1; lane <= 10; ++lane)
        EXPECT_EQ(calls(lane).size(), lane == 2 ? 2 : 0) << lane;

    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("austausch")));
    serverSendsName(2, QStringLiteral("nachher"));
    serverSendsName(7, QStringLiteral("neu"));
    ticks(3);
    EXPECT_EQ(calls(2), named(QStringLiteral("vorher")) + named(QStringLiteral("nachher")));
    EXPECT_EQ(calls(7), named(QStringLiteral("neu")));
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

TEST_F(WatchdogFaults, FolderRemovedAndCreatedAgainDuringATick)
{
    serverSends(1, 1, QStringLiteral("erg1.txt"));
    serverSendsName(4, QStringLiteral("weg"));
    // While lane 1 loads its results, the server side wipes the folder and
    // starts over with a fresh message for lane 6.
    targets.lane(1).onLadeErgebnisse = [this](const QString&) {
        ASSERT_TRUE(QDir(folder()).removeRecursively());
        ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("austausch")));
        serverSendsName(6, QStringLiteral("frisch"));
    };
    watchdog.tick();
    targets.lane(1).onLadeErgebnisse = nullptr;
    watchdog.tick();
    watchdog.tick();

    EXPECT_EQ(calls(1).size(), 2);
    // The message of lane 4 went with the folder; the one of lane 6 came after.
    EXPECT_TRUE(calls(4).isEmpty());
    EXPECT_EQ(calls(6), named(QStringLiteral("frisch")));
    EXPECT_FALSE(exists(QStringLiteral("HCVS1L6.ctl")));
}

TEST_F(WatchdogFaults, ExchangeFolderReplacedByAFile)
{
    ASSERT_TRUE(QDir(folder()).removeRecursively());
    QFile file(folder());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (int protocol : {1, 0}) {
        state.settings.VerbindungsArt = static_cast<std::uint8_t>(protocol);
        ticks(2);
    }
    for (int lane = 1; lane <= 10; ++lane)
        EXPECT_TRUE(calls(lane).isEmpty()) << lane;
}

TEST_F(WatchdogFaults, ControlFileWithoutDataFileWaitsForIt)
{
    serverSendsName(2, QStringLiteral("zwei"));
    writeFile(QStringLiteral("HCVS1L3.ctl"), "\"A#1;S#1;L#3;B#4;N#drei\"\r\n");
    serverSendsName(4, QStringLiteral("vier"));
    ticks(3);
    EXPECT_EQ(calls(2), named(QStringLiteral("zwei")));
    EXPECT_EQ(calls(4), named(QStringLiteral("vier")));
    EXPECT_TRUE(calls(3).isEmpty());
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L3.ctl")));

    // The data file turns up late (a slow share): the message is taken once.
    writeFile(QStringLiteral("HCVS1L3.nrt"), "\"A#1;S#1;L#3;B#4;N#drei\"\r\n");
    ticks(3);
    EXPECT_EQ(calls(3), named(QStringLiteral("drei")));
    EXPECT_FALSE(exists(QStringLiteral("HCVS1L3.ctl")));
    EXPECT_EQ(calls(2).size(), 2);
    EXPECT_EQ(calls(4).size(), 2);
}

TEST_F(WatchdogFaults, DataFileThatCannotBeReadWaits)
{
    // A directory in place of the data file cannot be read by anybody,
    // whatever the rights the test runs with.
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("HCVS1L5.nrt")));
    writeFile(QStringLiteral("HCVS1L5.ctl"), "\"x\"\r\n");
    serverSendsName(6, QStringLiteral("sechs"));
    ticks(2);
    EXPECT_TRUE(calls(5).isEmpty());
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L5.ctl")));
    EXPECT_EQ(calls(6), named(QStringLiteral("sechs")));

    ASSERT_TRUE(QDir(folder()).rmdir(QStringLiteral("HCVS1L5.nrt")));
    writeFile(QStringLiteral("HCVS1L5.nrt"), "\"A#1;S#1;L#5;B#4;N#fuenf\"\r\n");
    ticks(2);
    EXPECT_EQ(calls(5), named(QStringLiteral("fuenf")));
}

TEST_F(WatchdogFaults, DataFileWithoutReadPermissionWaits)
{
    serverSendsName(5, QStringLiteral("fuenf"));
    QFile::setPermissions(path(QStringLiteral("HCVS1L5.nrt")), QFileDevice::WriteOwner);
    QFile probe(path(QStringLiteral("HCVS1L5.nrt")));
    if (probe.open(QIODevice::ReadOnly)) {
        QFile::setPermissions(path(QStringLiteral("HCVS1L5.nrt")), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        GTEST_SKIP() << "running with rights that read any file";
    }
    ticks(2);
    EXPECT_TRUE(calls(5).isEmpty());
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L5.ctl")));
    QFile::setPermissions(path(QStringLiteral("HCVS1L5.nrt")), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ticks(2);
    EXPECT_EQ(calls(5), named(QStringLiteral("fuenf")));
}

TEST_F(WatchdogFaults, DataFileBeingWrittenWithoutItsControlFileIsNotRead)
{
    const QString name = QString(30000, QLatin1Char('n'));
    {
        SequentialWriter writer(path(QStringLiteral("HCVS1L8.nrt")));
        ASSERT_TRUE(writer.open());
        writer.writeText(record(8, 4, name));
        ticks(2);
        EXPECT_TRUE(calls(8).isEmpty());
        writer.endRecord();
        ASSERT_TRUE(writer.close());
    }
    ticks(1);
    EXPECT_TRUE(calls(8).isEmpty());
    writeFile(QStringLiteral("HCVS1L8.ctl"), "\"\"\r\n");
    ticks(2);
    EXPECT_EQ(calls(8), named(name));
}

TEST_F(WatchdogFaults, DataFileLockedByAWriterIsTakenOnceTheWriterIsDone)
{
    // A server that rewrites the data file while its control file is still
    // there: the display must neither take the half-written record nor drop
    // the message.
    const QString name = QString(30000, QLatin1Char('m'));
    serverSendsName(8, QStringLiteral("alt"));
    {
        SequentialWriter writer(path(QStringLiteral("HCVS1L8.nrt")));
        ASSERT_TRUE(writer.open());
        writer.writeText(record(8, 4, name));
        ticks(2);
        EXPECT_TRUE(calls(8).isEmpty());
        EXPECT_TRUE(exists(QStringLiteral("HCVS1L8.ctl")));
        writer.endRecord();
        ASSERT_TRUE(writer.close());
    }
    ticks(2);
    EXPECT_EQ(calls(8), named(name));
    EXPECT_FALSE(exists(QStringLiteral("HCVS1L8.ctl")));
}

TEST_F(WatchdogFaults, PlacesFileStillBeingWrittenWaitsForALaterTick)
{
    state.settings.VerbindungsArt = 0;
    {
        SequentialWriter writer(path(QStringLiteral("HPlatz.hwv")));
        ASSERT_TRUE(writer.open());
        writer.writeNumber(3);
        ticks(1);
        EXPECT_TRUE(calls(3).isEmpty());
        EXPECT_TRUE(exists(QStringLiteral("HPlatz.hwv")));
        writer.writeNumber(2);
        writer.endRecord();
        ASSERT_TRUE(writer.close());
    }
    ticks(1);
    EXPECT_EQ(calls(3), (QStringList {QStringLiteral("Platz(2)"), QStringLiteral("TextBelegen"),
                            QStringLiteral("refreshPlatz")}));
    EXPECT_FALSE(exists(QStringLiteral("HPlatz.hwv")));
}

TEST_F(WatchdogFaults, ResultsFileNamedOutsideTheFolderIsNotLoaded)
{
    // A file that exists beside the folder, reachable by each of these names
    // on some system, must not be loaded.
    QFile outside(QDir(root.path()).filePath(QStringLiteral("geheim.txt")));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.close();
    const QStringList names {QDir(root.path()).filePath(QStringLiteral("geheim.txt")),
        QDir::toNativeSeparators(QDir(root.path()).filePath(QStringLiteral("geheim.txt"))),
        QStringLiteral("C:\\Daten\\geheim.txt"), QStringLiteral("c:geheim.txt"), QStringLiteral("D:/geheim.txt"),
        QStringLiteral("\\\\server\\share\\geheim.txt"), QStringLiteral("//server/share/geheim.txt"),
        QStringLiteral("..\\geheim.txt"), QStringLiteral(".\\..\\geheim.txt"), QStringLiteral("a\\..\\..\\geheim.txt"),
        QStringLiteral("..")};
    int handled = 0;
    for (const QString& name : names) {
        calls(1).clear();
        serverSends(1, 1, name);
        serverSendsName(2, QStringLiteral("n%1").arg(++handled));
        watchdog.tick();
        EXPECT_EQ(calls(1), QStringList {QStringLiteral("Refresh")}) << qPrintable(name);
        EXPECT_FALSE(exists(QStringLiteral("HCVS1L1.ctl"))) << qPrintable(name);
        EXPECT_EQ(calls(2).mid(calls(2).size() - 2), named(QStringLiteral("n%1").arg(handled))) << qPrintable(name);
    }
    // The lane goes on: a name inside the folder is loaded on the next tick.
    calls(1).clear();
    serverSends(1, 1, QStringLiteral("erg1.txt"));
    watchdog.tick();
    EXPECT_EQ(calls(1),
        (QStringList {
            QStringLiteral("LadeErgebnisse(%1)").arg(path(QStringLiteral("erg1.txt"))), QStringLiteral("Refresh")}));
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

} // namespace
