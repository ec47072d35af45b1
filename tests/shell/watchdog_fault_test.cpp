#include "platform/SequentialFile.h"
#include "watchdog_fixture.h"

// Faults of the exchange folder while the polling cycle runs: the cycle goes
// on, every message that arrives complete is handled exactly once, and no
// file outside the folder is loaded.

namespace {

using WatchdogFaults = WatchdogTest;

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
        emptyFolder();
        serverSendsName(6, QStringLiteral("frisch"));
    };
    watchdog.tick();
    targets.lane(1).onLadeErgebnisse = nullptr;
    ticks(2);

    EXPECT_EQ(calls(1).size(), 2);
    // The message of lane 4 went with the folder; the one of lane 6 came after.
    EXPECT_TRUE(calls(4).isEmpty());
    EXPECT_EQ(calls(6), named(QStringLiteral("frisch")));
    EXPECT_FALSE(exists(QStringLiteral("HCVS1L6.ctl")));
}

TEST_F(WatchdogFaults, ExchangeFolderReplacedByAFile)
{
    ASSERT_TRUE(QDir(folder()).removeRecursively());
    ASSERT_TRUE(QFile(folder()).open(QIODevice::WriteOnly));
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
    const QString data = path(QStringLiteral("HCVS1L5.nrt"));
    QFile::setPermissions(data, QFileDevice::WriteOwner);
    const bool readable = QFile(data).open(QIODevice::ReadOnly);
    if (!readable)
        ticks(2);
    QFile::setPermissions(data, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (readable)
        GTEST_SKIP() << "running with rights that read any file";
    EXPECT_TRUE(calls(5).isEmpty());
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L5.ctl")));
    ticks(2);
    EXPECT_EQ(calls(5), named(QStringLiteral("fuenf")));
}

TEST_F(WatchdogFaults, DataFileStillBeingWrittenIsTakenOnceTheWriterIsDone)
{
    // First without its control file, then rewritten by a server while the
    // control file is still there: the display must neither take the
    // half-written record nor drop the message.
    const QString name = QString(30000, QLatin1Char('m'));
    for (const bool withControl : {false, true}) {
        calls(8).clear();
        if (withControl)
            serverSendsName(8, QStringLiteral("alt"));
        {
            SequentialWriter writer(path(QStringLiteral("HCVS1L8.nrt")));
            ASSERT_TRUE(writer.open());
            writer.writeText(record(8, 4, name));
            ticks(2);
            EXPECT_TRUE(calls(8).isEmpty());
            EXPECT_EQ(exists(QStringLiteral("HCVS1L8.ctl")), withControl);
            writer.endRecord();
            ASSERT_TRUE(writer.close());
        }
        if (!withControl) {
            ticks(1);
            EXPECT_TRUE(calls(8).isEmpty());
            writeFile(QStringLiteral("HCVS1L8.ctl"), "\"\"\r\n");
        }
        ticks(2);
        EXPECT_EQ(calls(8), named(name)) << withControl;
        EXPECT_FALSE(exists(QStringLiteral("HCVS1L8.ctl")));
    }
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
    EXPECT_EQ(calls(3),
        (QStringList {QStringLiteral("Platz(2)"), QStringLiteral("TextBelegen"), QStringLiteral("refreshPlatz")}));
    EXPECT_FALSE(exists(QStringLiteral("HPlatz.hwv")));
}

TEST_F(WatchdogFaults, FileNamedOutsideTheFolderIsNotLoaded)
{
    // A file that exists beside the folder, reachable by each of these names
    // on some system, must not be loaded.
    const QString outside = QDir(root.path()).filePath(QStringLiteral("geheim.txt"));
    ASSERT_TRUE(QFile(outside).open(QIODevice::WriteOnly));
    const QStringList names {outside, QDir::toNativeSeparators(outside), QStringLiteral("C:\\Daten\\geheim.txt"),
        QStringLiteral("c:geheim.txt"), QStringLiteral("D:/geheim.txt"),
        QStringLiteral("\\\\server\\share\\geheim.txt"), QStringLiteral("//server/share/geheim.txt"),
        QStringLiteral("..\\geheim.txt"), QStringLiteral("../geheim.txt"), QStringLiteral(".\\..\\geheim.txt"),
        QStringLiteral("a\\..\\..\\geheim.txt"), QStringLiteral("sub/../../geheim.txt"),
        QDir::rootPath() + QStringLiteral("etc/passwd"), QStringLiteral(".."), QString()};
    int handled = 0;
    for (const int b : {1, 47, 48, 49}) {
        for (const QString& name : names) {
            calls(1).clear();
            serverSends(1, b, name);
            serverSendsName(2, QStringLiteral("n%1").arg(++handled));
            watchdog.tick();
            EXPECT_EQ(calls(1), QStringList {QStringLiteral("Refresh")}) << b << " " << qPrintable(name);
            EXPECT_FALSE(exists(QStringLiteral("HCVS1L1.ctl")));
            EXPECT_EQ(calls(2).mid(calls(2).size() - 2), named(QStringLiteral("n%1").arg(handled)));
        }
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
