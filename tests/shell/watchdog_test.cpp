// The polling cycle with recording targets: what each message does, the faults
// of the exchange folder it passes over (every message that arrives complete is
// handled exactly once, no file outside the folder is loaded), what it tells
// its observer and what it writes into the event log; and the cycle against the
// scoring-system simulator running as a separate process, where every message
// must reach its target exactly once and in order and the files must be left clean.
#include "diag/EventLog.h"
#include "exchange/Austausch.h"
#include "exchange/ExchangeCodes.h"
#include "platform/FileSystem.h"
#include "platform/SequentialFile.h"
#include "shell/FrameTimers.h"
#include "shell/ProgramState.h"
#include "shell/Watchdog.h"
#include "shell/WatchdogObserver.h"
#include "support/FakeLanes.h"
#include "support/TestDialogs.h"
#include "target/ResultsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace Qt::StringLiterals;

namespace {

// The polling cycle over a fresh exchange folder, with targets that write down
// every call it makes, and the server side of both protocols.
class WatchdogTest : public ::testing::Test {
protected:
    // Without worker threads the tick does its file work itself, lane by lane,
    // so every step can be checked right after tick().
    explicit WatchdogTest(int lanes = 10, int threads = 0)
        : targets(lanes), watchdog(state, timers, targets, ranking, &eventLog, nullptr, threads)
    {
    }
    void SetUp() override
    {
        TestDialogs::install();
        TestDialogs::clear();
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkdir(u"austausch"_s));
        state.settings.Scheibenanzahl = static_cast<std::uint8_t>(targets.count());
        state.settings.VerbindungsArt = 1;
        state.settings.NetzwerkPfad = folder();
    }
    // A test may have put its own box handler in.
    void TearDown() override { TestDialogs::install(); }

    QString folder() const { return QDir(root.path()).filePath(u"austausch"_s); }
    QString path(const QString& name) const { return QDir(folder()).filePath(name); }
    bool exists(const QString& name) const { return QFileInfo::exists(path(name)); }
    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    void emptyFolder()
    {
        ASSERT_TRUE(QDir(folder()).removeRecursively());
        ASSERT_TRUE(QDir(root.path()).mkdir(u"austausch"_s));
    }

    static QString record(int lane, int b, const QString& n)
    {
        return u"A#1;S#1;L#%1;B#%2;N#%3"_s.arg(lane).arg(b).arg(n);
    }
    // The server side of the 2002 protocol, for display server 1 or 2.
    void serverSendsRecord(int lane, QString value, bool server2 = false)
    {
        const auto result = server2 ? Austausch2002Server2(value, 1, lane, 1, folder(), 1, 1)
                                    : Austausch2002(value, 1, lane, 1, folder(), 1, 1);
        ASSERT_EQ(result, 0);
    }
    void serverSends(int lane, int b, const QString& n, bool server2 = false)
    {
        serverSendsRecord(lane, record(lane, b, n), server2);
    }
    void serverSendsName(int lane, const QString& name) { serverSends(lane, 4, name); }
    // The older protocol: role 1 sends results, role 2 the announcement.
    void serverSendsAlt(int lane, int role, QString text)
    {
        ASSERT_EQ(AustauschAlt(text, lane, 1, folder(), 1, role), 0);
    }

    QStringList& calls(int lane) { return targets.lane(lane).calls; }
    static QStringList named(const QString& name) { return {u"gTitelName(%1)"_s.arg(name), u"Refresh"_s}; }
    static QStringList placed(int place) { return {u"Platz(%1)"_s.arg(place), u"TextBelegen"_s, u"refreshPlatz"_s}; }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            watchdog.tick();
    }
    // The event log's lines without their time column.
    QStringList logged() const
    {
        QFile file(eventLog.path());
        QStringList lines;
        if (file.open(QIODevice::ReadOnly)) {
            for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                lines << line.section(QLatin1Char('\t'), 1);
        }
        return lines;
    }

    QTemporaryDir root;
    ProgramState state;
    FrameTimers timers;
    FakeTargets targets;
    FakeRanking ranking;
    EventLog eventLog {QDir(root.path()).filePath(u"OMRAnzeige.log"_s), 4096};
    Watchdog watchdog;
};

using WatchdogCycle = WatchdogTest;

// An event-log line without its time column.
QString line(int lane, const QString& what, const QString& file)
{
    return u"lane %1\t%2\t%3"_s.arg(lane).arg(what, file);
}

TEST_F(WatchdogCycle, NamesInAnyLetterCaseOddFlagsAndUnknownTypes)
{
    // What the simulator sends is checked end to end below; these it never sends.
    writeFile(u"Ergebnisse/Bahn1.txt"_s, "x");
    const struct {
        int b;
        const char* n;
        QStringList expected;
    } cases[] = {{1, "ergebnisse\\BAHN1.TXT", {u"LadeErgebnisse(%1)"_s.arg(path(u"Ergebnisse/Bahn1.txt"_s))}},
        {2, "ja", {u"SetProbe(1)"_s}}, {3, "datei.ini", {}}, {0, "x", {}}};
    for (const auto& c : cases) {
        calls(3).clear();
        serverSends(3, c.b, QString::fromUtf8(c.n));
        watchdog.tick();
        EXPECT_EQ(calls(3), c.expected + QStringList {u"Refresh"_s}) << "B = " << c.b;
        EXPECT_FALSE(exists(u"HCVS1L3.ctl"_s));
    }
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

TEST_F(WatchdogCycle, EachDisplayServerReadsOnlyItsOwnFiles)
{
    serverSendsName(3, u"Eins"_s);
    serverSends(3, 4, u"Zwei"_s, true);
    state.settings.AnzeigeServerNr = 1;
    watchdog.tick();
    EXPECT_EQ(calls(3), named(u"Zwei"_s));
    EXPECT_TRUE(exists(u"HCVS1L3.ctl"_s));

    serverSends(3, 4, u"Drei"_s, true);
    state.settings.AnzeigeServerNr = 0;
    watchdog.tick();
    EXPECT_EQ(calls(3), named(u"Zwei"_s) + named(u"Eins"_s));
    EXPECT_TRUE(exists(u"HCVS1L3-1.ctl"_s));
}

TEST_F(WatchdogCycle, OneMessagePerLaneAndTick)
{
    serverSendsName(2, u"erst"_s);
    watchdog.tick();
    serverSendsName(2, u"dann"_s);
    EXPECT_EQ(calls(2), named(u"erst"_s));
    ticks(2);
    EXPECT_EQ(calls(2), named(u"erst"_s) + named(u"dann"_s));
}

TEST_F(WatchdogCycle, OnlyTheLanesOfTheRangeOrCountThatHaveAWindowArePolled)
{
    const struct {
        int anfEnde, count, first, last;
    } cases[] = {{1, 10, 5, 8}, {0, 4, 1, 4}, {0, 12, 1, 10}};
    for (const auto& c : cases) {
        emptyFolder();
        targets.log.clear();
        state.settings.AnfEnde = static_cast<std::uint8_t>(c.anfEnde);
        state.settings.AnfScheibe = 5;
        state.settings.EndScheibe = 8;
        state.settings.Scheibenanzahl = static_cast<std::uint8_t>(c.count);
        for (int lane = 1; lane <= 12; ++lane)
            serverSends(lane, 3, QString());
        watchdog.tick();
        QStringList refreshed;
        for (int lane = 1; lane <= 12; ++lane) {
            const bool polled = lane >= c.first && lane <= c.last;
            EXPECT_EQ(exists(u"HCVS1L%1.ctl"_s.arg(lane)), !polled) << c.count << ": " << lane;
            if (polled)
                refreshed << u"Refresh %1"_s.arg(lane);
        }
        EXPECT_EQ(targets.log, refreshed) << c.count;
    }
}

TEST_F(WatchdogCycle, RankingOnScreenTouchesNoFileAndIsHiddenWhenTheTargetsAreBack)
{
    state.pages.RanglisteAktiv = 1;
    ranking.visible = true;
    serverSendsName(1, u"x"_s);
    writeFile(u"HPlatz.hwv"_s, "1,2\r\n");
    watchdog.tick();
    state.settings.VerbindungsArt = 0;
    watchdog.tick();
    EXPECT_TRUE(exists(u"HCVS1L1.ctl"_s));
    EXPECT_TRUE(exists(u"HPlatz.hwv"_s));
    EXPECT_TRUE(calls(1).isEmpty());
    EXPECT_EQ(ranking.hideCalls, 0);

    state.pages.RanglisteAktiv = 0;
    ticks(2);
    EXPECT_FALSE(ranking.visible);
    EXPECT_EQ(ranking.hideCalls, 1);
}

TEST_F(WatchdogCycle, AdvertisingPauseStartsWhenNeitherTimerRuns)
{
    state.pages.RanglisteAktiv = 1;
    const struct {
        int freieWerbung;
        bool slotRunning, pauseStarted;
    } cases[] = {{1, false, true}, {1, true, false}, {0, false, false}};
    for (const auto& c : cases) {
        state.settings.FreieWerbung = static_cast<std::uint8_t>(c.freieWerbung);
        timers.tmrWerbePause.setEnabled(false);
        timers.tmrWerbung.setEnabled(c.slotRunning);
        watchdog.tick();
        EXPECT_EQ(timers.tmrWerbePause.isEnabled(), c.pauseStarted) << c.freieWerbung << c.slotRunning;
    }
}

TEST_F(WatchdogCycle, NoSecondTickRunsInsideASyntaxErrorBoxOrATargetThatRunsTheEventLoop)
{
    serverSends(1, 1, u"erg.txt"_s);
    serverSendsRecord(2, u"A#1;S#1;L#2;B#4"_s);
    serverSendsName(3, u"wartet"_s);
    QList<bool> thirdLaneWaited;
    const auto nestedTick = [&] {
        watchdog.tick();
        thirdLaneWaited << exists(u"HCVS1L3.ctl"_s);
    };
    targets.lane(1).onLadeErgebnisse = [&](const QString&) { nestedTick(); };
    Dialogs::setMessageHandler([&](const Dialogs::MessageRequest& request) {
        TestDialogs::messages() << request;
        nestedTick();
    });
    ticks(2);
    EXPECT_EQ(thirdLaneWaited, (QList<bool> {true, true}));
    // The syntax error is reported once; B was read before it, but N is missing: the name is set empty.
    ASSERT_EQ(TestDialogs::messages().size(), 1);
    EXPECT_EQ(TestDialogs::messages().first().text, u"A#1;S#1;L#2;B#4"_s);
    EXPECT_EQ(calls(2), named(QString()));
    EXPECT_EQ(calls(3), named(u"wartet"_s));
}

TEST_F(WatchdogCycle, NothingHappensWhileAnotherBoxIsOpen)
{
    state.settings.FreieWerbung = 1;
    serverSendsName(1, u"x"_s);
    Dialogs::setMessageHandler([&](const Dialogs::MessageRequest&) { watchdog.tick(); });
    Dialogs::showMessage(Dialogs::Icon::Exclamation, u"Datei existiert nicht: "_s, u"x"_s);
    EXPECT_TRUE(exists(u"HCVS1L1.ctl"_s));
    EXPECT_FALSE(timers.tmrWerbePause.isEnabled());
    watchdog.tick();
    EXPECT_FALSE(exists(u"HCVS1L1.ctl"_s));
    EXPECT_TRUE(timers.tmrWerbePause.isEnabled());
}

TEST_F(WatchdogCycle, PlacesFileIsAppliedWithinTheCountAndDeleted)
{
    state.settings.VerbindungsArt = 0;
    const struct {
        const char* name;
        QByteArray content;
        std::map<int, int> places; // lane -> place
    } cases[] = {
        {"HPlatz.hwv", "3,1\r\n12,2\r\n7,3\r\n", {{3, 1}, {7, 3}}}, {"hplatz.HWV", "2,4\r\n", {{2, 4}}},
        {"HPlatz.hwv", "1,5\r\n2", {{1, 5}}},
        {"HPlatz.hwv", "1,70000\r\n2,1\r\n", {}}, // a place beyond 16 bits stops the file
    };
    for (const auto& c : cases) {
        for (int lane = 1; lane <= 10; ++lane)
            calls(lane).clear();
        writeFile(QLatin1String(c.name), c.content);
        watchdog.tick();
        for (int lane = 1; lane <= 10; ++lane) {
            const auto place = c.places.find(lane);
            EXPECT_EQ(calls(lane), place == c.places.end() ? QStringList() : placed(place->second))
                << c.content.constData() << " lane " << lane;
        }
        EXPECT_FALSE(exists(QLatin1String(c.name)));
    }
}

TEST_F(WatchdogCycle, PlacesAreAppliedInTheTwoThousandTwoProtocolOnlyByHand)
{
    writeFile(u"HPlatz.hwv"_s, "1,1\r\n");
    watchdog.tick();
    EXPECT_TRUE(exists(u"HPlatz.hwv"_s));
    watchdog.PlaetzeLaden(path(u"HPlatz.hwv"_s));
    EXPECT_EQ(calls(1), placed(1));
    EXPECT_FALSE(exists(u"HPlatz.hwv"_s));
}

// --- faults of the exchange folder ---

using WatchdogFaults = WatchdogTest;

TEST_F(WatchdogFaults, FolderRemovedOrReplacedByAFileAndCreatedAgain)
{
    serverSendsName(2, u"vorher"_s);
    watchdog.tick();
    for (const bool replacedByFile : {false, true}) {
        ASSERT_TRUE(QDir(folder()).removeRecursively());
        if (replacedByFile) {
            ASSERT_TRUE(QFile(folder()).open(QIODevice::WriteOnly));
        }
        for (int protocol : {1, 0, 1}) {
            state.settings.VerbindungsArt = static_cast<std::uint8_t>(protocol);
            ticks(2);
        }
        for (int lane = 1; lane <= 10; ++lane)
            EXPECT_EQ(calls(lane).size(), lane == 2 ? 2 : 0) << lane;
        if (replacedByFile) {
            ASSERT_TRUE(QFile::remove(folder()));
        }
    }
    ASSERT_TRUE(QDir(root.path()).mkdir(u"austausch"_s));
    serverSendsName(2, u"nachher"_s);
    serverSendsName(7, u"neu"_s);
    ticks(3);
    EXPECT_EQ(calls(2), named(u"vorher"_s) + named(u"nachher"_s));
    EXPECT_EQ(calls(7), named(u"neu"_s));
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
    // The loss and the return are written down once each, not per lane and tick.
    EXPECT_EQ(logged(),
        QStringList(
            {u"-\texchange folder unreachable\t"_s + folder(), u"-\texchange folder reachable again\t"_s + folder()}));
}

TEST_F(WatchdogFaults, FolderRemovedAndCreatedAgainDuringATick)
{
    serverSends(1, 1, u"erg1.txt"_s);
    serverSendsName(4, u"weg"_s);
    // While lane 1 loads its results, the server side wipes the folder and
    // starts over with a fresh message for lane 6.
    targets.lane(1).onLadeErgebnisse = [this](const QString&) {
        emptyFolder();
        serverSendsName(6, u"frisch"_s);
    };
    watchdog.tick();
    targets.lane(1).onLadeErgebnisse = nullptr;
    ticks(2);
    EXPECT_EQ(calls(1).size(), 2);
    EXPECT_TRUE(calls(4).isEmpty());
    EXPECT_EQ(calls(6), named(u"frisch"_s));
    EXPECT_FALSE(exists(u"HCVS1L6.ctl"_s));
}

TEST_F(WatchdogFaults, ControlFileWithoutDataFileWaitsForIt)
{
    serverSendsName(2, u"zwei"_s);
    writeFile(u"HCVS1L3.ctl"_s, "\"A#1;S#1;L#3;B#4;N#drei\"\r\n");
    serverSendsName(4, u"vier"_s);
    ticks(3);
    EXPECT_EQ(calls(2), named(u"zwei"_s));
    EXPECT_EQ(calls(4), named(u"vier"_s));
    EXPECT_TRUE(calls(3).isEmpty());
    EXPECT_TRUE(exists(u"HCVS1L3.ctl"_s));

    // The data file turns up late (a slow share): the message is taken once.
    writeFile(u"HCVS1L3.nrt"_s, "\"A#1;S#1;L#3;B#4;N#drei\"\r\n");
    ticks(3);
    EXPECT_EQ(calls(3), named(u"drei"_s));
    EXPECT_FALSE(exists(u"HCVS1L3.ctl"_s));
    EXPECT_EQ(calls(2).size() + calls(4).size(), 4);
}

TEST_F(WatchdogFaults, PlacesFileStillBeingWrittenWaitsForALaterTick)
{
    state.settings.VerbindungsArt = 0;
    {
        SequentialWriter writer(path(u"HPlatz.hwv"_s));
        ASSERT_TRUE(writer.open());
        writer.writeNumber(3);
        ticks(1);
        EXPECT_TRUE(calls(3).isEmpty());
        EXPECT_TRUE(exists(u"HPlatz.hwv"_s));
        writer.writeNumber(2);
        writer.endRecord();
        ASSERT_TRUE(writer.close());
    }
    ticks(1);
    EXPECT_EQ(calls(3), placed(2));
    EXPECT_FALSE(exists(u"HPlatz.hwv"_s));
}

TEST_F(WatchdogFaults, FileNamedOutsideTheFolderIsNotLoaded)
{
    // A file that exists beside the folder must not be loaded by any type of
    // message; only the load is left out, the rest of the message's steps run.
    // The names that leave the folder are listed with the lookup.
    const QString outside = QDir(root.path()).filePath(u"geheim.txt"_s);
    ASSERT_TRUE(QFile(outside).open(QIODevice::WriteOnly));
    const QStringList names {outside, QDir::toNativeSeparators(outside), u"..\\geheim.txt"_s, u"sub/../../geheim.txt"_s,
        u"C:\\Daten\\geheim.txt"_s, QString()};
    const std::map<int, QStringList> rest {
        {1, {}}, {47, {u"ZoomNummer(0)"_s, u"Zoom(1)"_s}}, {48, {u"Init2002"_s}}, {49, {}}};
    int handled = 0;
    for (const auto& [b, steps] : rest) {
        for (const QString& name : names) {
            calls(1).clear();
            serverSends(1, b, name);
            serverSendsName(2, u"n%1"_s.arg(++handled));
            watchdog.tick();
            EXPECT_EQ(calls(1), steps + QStringList {u"Refresh"_s}) << b << " " << qPrintable(name);
            EXPECT_FALSE(exists(u"HCVS1L1.ctl"_s));
            EXPECT_EQ(calls(2).mid(calls(2).size() - 2), named(u"n%1"_s.arg(handled)));
        }
    }
    // The lane goes on: a name inside the folder is loaded on the next tick.
    calls(1).clear();
    serverSends(1, 1, u"erg1.txt"_s);
    watchdog.tick();
    EXPECT_EQ(calls(1), (QStringList {u"LadeErgebnisse(%1)"_s.arg(path(u"erg1.txt"_s)), u"Refresh"_s}));
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

TEST_F(WatchdogFaults, OlderProtocolTakesAnAbsoluteResultsNameAsItStands)
{
    state.settings.VerbindungsArt = 0;
    const QString outside = QDir(root.path()).filePath(u"Bahn4.txt"_s);
    ASSERT_TRUE(QFile(outside).open(QIODevice::WriteOnly));
    const struct {
        QString sent;
        QStringList expected;
    } cases[] = {{outside, {u"LadeErgebnisse(%1)"_s.arg(outside), u"Refresh"_s}},
        {u"erg\\b4.txt"_s, {u"LadeErgebnisse(%1)"_s.arg(path(u"erg/b4.txt"_s)), u"Refresh"_s}},
        {u"..\\Bahn4.txt"_s, {u"Refresh"_s}}};
    for (const auto& c : cases) {
        calls(4).clear();
        serverSendsAlt(4, 1, c.sent);
        watchdog.tick();
        EXPECT_EQ(calls(4), c.expected) << qPrintable(c.sent);
    }
    EXPECT_EQ(logged().last(), line(4, u"results file named outside the exchange folder"_s, u"..\\Bahn4.txt"_s));
}

// --- the file work beside the screen: the calls it makes on the share, and
// the cycle on a slow share with worker threads ---

// The machine's file system, with every call counted and the thread that made
// it noted; each call can be made to take its time, or to wait until released.
class WatchedFiles : public FileSystem {
public:
    std::optional<QStringList> list(const QString& dir) override
    {
        enter(lists);
        return FileSystem::disk().list(dir);
    }
    FileRead read(const QString& path) override
    {
        enter(reads);
        return FileSystem::disk().read(path);
    }
    bool remove(const QString& path) override
    {
        enter(removes);
        return FileSystem::disk().remove(path);
    }

    int calls() const { return lists + reads + removes; }
    std::atomic<int> lists {0};
    std::atomic<int> reads {0};
    std::atomic<int> removes {0};
    std::atomic<int> onCallingThread {0};
    std::atomic<int> delayMs {0};
    QSemaphore gate {1000000};
    Qt::HANDLE callingThread = QThread::currentThreadId();

private:
    void enter(std::atomic<int>& counter)
    {
        gate.acquire();
        gate.release();
        if (QThread::currentThreadId() == callingThread)
            ++onCallingThread;
        if (delayMs > 0)
            QThread::msleep(static_cast<unsigned long>(delayMs.load()));
        ++counter;
    }
};

TEST_F(WatchdogCycle, CallsOnTheShareAreOneListingPerTickAndThreePerMessage)
{
    WatchedFiles files;
    Watchdog cycle(state, timers, targets, ranking, &eventLog, &files, 0);
    writeFile(u"Erg/Bahn.txt"_s, "x");
    const struct {
        int protocol;
        std::function<void()> send;
        int lists, reads, removes;
    } cases[] = {
        // Nothing waiting: the listing alone, whatever lies in the folder.
        {1, [] {}, 1, 0, 0},
        // Results on every lane: data file, control file, results file.
        {1,
            [&] {
                for (int lane = 1; lane <= 10; ++lane)
                    serverSends(lane, 1, u"Erg\\Bahn.txt"_s);
            },
            1, 20, 10},
        // Named in another letter case: tried as written, the subfolder listed once for the tick.
        {1,
            [&] {
                for (int lane = 1; lane <= 10; ++lane)
                    serverSends(lane, 1, u"erg\\bahn.txt"_s);
            },
            2, 30, 10},
        // A definition as written, a name and a sighting switch need no third call.
        {1,
            [&] {
                serverSends(1, 47, u"Erg/Bahn.txt"_s);
                serverSendsName(2, u"x"_s);
                serverSends(3, 2, u"0"_s);
            },
            1, 4, 3},
        // The older protocol: announcement, results and the places file.
        {0,
            [&] {
                serverSendsAlt(4, 2, u"4$1.10$Anna"_s);
                serverSendsAlt(4, 1, u"Erg\\Bahn.txt"_s);
                writeFile(u"HPlatz.hwv"_s, "4,1\r\n");
            },
            1, 4, 3},
    };
    for (const auto& c : cases) {
        c.send();
        state.settings.VerbindungsArt = static_cast<std::uint8_t>(c.protocol);
        files.lists = files.reads = files.removes = 0;
        cycle.tick();
        EXPECT_EQ(files.lists, c.lists);
        EXPECT_EQ(files.reads, c.reads);
        EXPECT_EQ(files.removes, c.removes);
    }
    EXPECT_EQ(calls(1).count(u"LadeErgebnisse(%1)"_s.arg(path(u"Erg/Bahn.txt"_s))), 2);
}

TEST_F(WatchdogCycle, OnAShareThatHangsTheScreenGoesOnAndEachLaneKeepsItsOrder)
{
    WatchedFiles files;
    files.gate.acquire(1000000);
    auto cycle = std::make_unique<Watchdog>(state, timers, targets, ranking, &eventLog, &files, 4);
    struct TickMarks : WatchdogObserver {
        QStringList& log;
        explicit TickMarks(QStringList& l) : log(l) { }
        void tickFinished() override { log << u"tick"_s; }
    } marks(targets.log);
    cycle->addObserver(&marks);
    std::map<int, int> sent;
    const auto sendNext = [&](int lane) {
        if (!exists(u"HCVS1L%1.ctl"_s.arg(lane)))
            serverSendsName(lane, u"%1.%2"_s.arg(lane).arg(++sent[lane]));
    };
    for (int lane = 1; lane <= 10; ++lane)
        sendNext(lane);

    // The tick returns while every call on the share hangs, with no window touched.
    cycle->tick();
    cycle->tick();
    EXPECT_FALSE(cycle->idle());
    EXPECT_TRUE(targets.log.isEmpty());
    EXPECT_EQ(files.calls(), 0);

    // Released, but slow: ten rounds of messages in parallel lanes.
    files.delayMs = 5;
    files.gate.release(1000000);
    QElapsedTimer clock;
    clock.start();
    const auto pending = [&] {
        return std::any_of(sent.begin(), sent.end(), [](const auto& s) { return s.second < 10; })
            || !QDir(folder()).entryList({u"*.ctl"_s}, QDir::Files).isEmpty();
    };
    while (clock.elapsed() < 60000 && pending()) {
        cycle->tick();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        for (int lane = 1; lane <= 10; ++lane) {
            if (sent[lane] < 10)
                sendNext(lane);
        }
    }
    cycle.reset(); // applies what was taken
    for (int lane = 1; lane <= 10; ++lane) {
        QStringList expected;
        for (int n = 1; n <= 10; ++n)
            expected += named(u"%1.%2"_s.arg(lane).arg(n));
        EXPECT_EQ(calls(lane), expected) << "lane " << lane;
    }
    // Within a tick the lanes were applied in ascending order.
    int previous = 0;
    for (const QString& entry : std::as_const(targets.log)) {
        const int lane = entry == u"tick"_s ? 0 : entry.section(QLatin1Char(' '), -1).toInt();
        EXPECT_TRUE(lane == 0 || lane >= previous) << qPrintable(entry);
        previous = lane;
    }
    // Every call on the share was made by a worker.
    EXPECT_EQ(files.onCallingThread, 0);
    EXPECT_GT(files.calls(), 0);
    EXPECT_TRUE(QDir(folder()).entryList({u"*.ctl"_s}, QDir::Files).isEmpty());
}

// --- the observer: it hears of every tick that runs and of every message
// taken, after the lane's window was called ---

// The observer writes into the targets' shared log, so that its place among
// the calls on the windows shows.
class WatchdogObserved : public WatchdogTest, public WatchdogObserver {
protected:
    void SetUp() override
    {
        WatchdogTest::SetUp();
        watchdog.addObserver(this);
    }
    void tickStarted() override { log() << u"tick started"_s; }
    void tickFinished() override { log() << u"tick finished"_s; }
    void messageHandled(int lane, const QString& message) override
    {
        log() << u"handled %1: %2"_s.arg(lane).arg(message);
    }

    QStringList& log() { return targets.log; }
    QString handled(int lane, int b, const QString& n) const
    {
        return u"handled %1: %2"_s.arg(lane).arg(record(lane, b, n));
    }

    const QStringList emptyTick {u"tick started"_s, u"tick finished"_s};
};

TEST_F(WatchdogObserved, EveryTickThatRunsIsReportedHoweverItEnds)
{
    // The 2002 protocol, the older one, the ranking on screen.
    for (const auto& [ranglisteAktiv, verbindungsArt] : {std::pair {0, 1}, {0, 0}, {1, 1}}) {
        log().clear();
        state.pages.RanglisteAktiv = static_cast<std::uint8_t>(ranglisteAktiv);
        state.settings.VerbindungsArt = static_cast<std::uint8_t>(verbindungsArt);
        ticks(2);
        EXPECT_EQ(log(), emptyTick + emptyTick) << ranglisteAktiv << verbindungsArt;
    }
}

TEST_F(WatchdogObserved, MessagesAreReportedOnceInLaneOrderAfterTheWindowsWereCalled)
{
    serverSendsName(5, u"Fuenf"_s);
    serverSendsName(2, u"Zwei"_s);
    serverSends(7, 3, u"nichts"_s);
    ticks(2);
    EXPECT_EQ(log(),
        QStringList({u"tick started"_s, u"gTitelName(Zwei) 2"_s, u"Refresh 2"_s, handled(2, 4, u"Zwei"_s),
            u"gTitelName(Fuenf) 5"_s, u"Refresh 5"_s, handled(5, 4, u"Fuenf"_s), u"Refresh 7"_s,
            handled(7, 3, u"nichts"_s), u"tick finished"_s})
            + emptyTick);
}

TEST_F(WatchdogObserved, BothMessagesOfTheOlderProtocolAreReported)
{
    state.settings.VerbindungsArt = 0;
    serverSendsAlt(4, 2, u"4$1.10$Anna"_s);
    // A relative name is taken inside the folder.
    serverSendsAlt(4, 1, u"erg\\b4.txt"_s);
    watchdog.tick();
    EXPECT_EQ(log(),
        QStringList({u"tick started"_s, u"Init(4$1.10$Anna) 4"_s, u"handled 4: 4$1.10$Anna"_s,
            u"LadeErgebnisse(%1) 4"_s.arg(path(u"erg/b4.txt"_s)), u"Refresh 4"_s, u"handled 4: erg\\b4.txt"_s,
            u"tick finished"_s}));
}

TEST_F(WatchdogObserved, ATickRefusedWhileABoxIsOpenIsNotReported)
{
    Dialogs::setMessageHandler([this](const Dialogs::MessageRequest& request) {
        log() << u"box %1"_s.arg(request.title);
        watchdog.tick();
    });
    serverSendsRecord(3, u"kaputt"_s);
    watchdog.tick();
    EXPECT_EQ(log(),
        QStringList(
            {u"tick started"_s, u"box Syntax Error !"_s, u"Refresh 3"_s, u"handled 3: kaputt"_s, u"tick finished"_s}));
}

// --- the event log: one line per failed attempt, with lane and file ---

using WatchdogEventLog = WatchdogTest;

TEST_F(WatchdogEventLog, MissingResultsFileGivesOneLinePerAttempt)
{
    const QString results = path(u"fehlt.txt"_s);
    for (int attempt = 0; attempt < 3; ++attempt) {
        serverSends(4, 1, u"fehlt.txt"_s);
        ticks(2); // the second tick finds no message and writes nothing
    }
    EXPECT_EQ(logged(), QStringList(3, line(4, u"results file missing"_s, results)));
    EXPECT_EQ(calls(4).count(u"LadeErgebnisse(%1)"_s.arg(results)), 3);
}

TEST_F(WatchdogEventLog, EachPassedOverMessageNamesItsFault)
{
    const QString nrt = path(u"HCVS1L2.nrt"_s);
    const QByteArray flag = "\"x\"\r\n";
    const struct {
        const char* record; // sent on lane 2 after the files are written
        std::vector<std::pair<QString, QByteArray>> files;
        int protocol;
        bool failReads;
        QString expected;
    } cases[] = {
        {"A#1;X#2", {}, 1, false, line(2, u"malformed record: A#1;X#2"_s, nrt)},
        {"A#1;S#1;L#2;B#1;N#..\\weg.txt", {}, 1, false,
            line(2, u"results file named outside the exchange folder"_s, u"..\\weg.txt"_s)},
        {"A#1;S#1;L#2;B#47;N#s.def", {}, 1, false, line(2, u"target definition file missing"_s, path(u"s.def"_s))},
        {"A#1;S#1;L#2;B#1;N#erg.txt", {{u"erg.txt"_s, "1,2,"}}, 1, true,
            line(2, u"results file could not be read"_s, path(u"erg.txt"_s))},
        {nullptr, {{u"HCVS1L2.ctl"_s, flag}}, 1, false, line(2, u"message data file missing"_s, nrt)},
        {nullptr, {{u"HCVS1L2.ctl"_s, flag}, {u"HCVS1L2.nrt"_s, ""}}, 1, false,
            line(2, u"message data file holds no field"_s, nrt)},
        {nullptr, {{u"HPlatz.hwv"_s, "1,3\r\n2"}}, 0, false,
            u"-\tplaces file ends within a pair\t%1"_s.arg(path(u"HPlatz.hwv"_s))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        emptyFolder();
        QFile::remove(eventLog.path());
        for (const auto& [name, bytes] : c.files)
            writeFile(name, bytes);
        if (c.record != nullptr)
            serverSendsRecord(2, QString::fromUtf8(c.record));
        state.settings.VerbindungsArt = static_cast<std::uint8_t>(c.protocol);
        targets.lane(2).failReads = c.failReads;
        watchdog.tick();
        EXPECT_EQ(logged(), QStringList {c.expected});
    }
}

// --- end to end against the simulator ---

// Thousands of messages per run: a lost or doubled message in the handshake
// is a race between two processes and shows only over long runs.
constexpr int kLanes = 16;
constexpr int kMessages = 2400;
constexpr qint64 kTimeoutMs = 100000;

QString simulatorPath()
{
    const QByteArray binDir = qgetenv("OMR_BIN_DIR");
    const QString dir
        = binDir.isEmpty() ? QCoreApplication::applicationDirPath() + u"/../bin"_s : QString::fromLocal8Bit(binDir);
    return QDir(dir).filePath(u"omr_simulator"_s);
}

struct SentMessage {
    int seq = 0;
    QString file;
    QString value;
};

class WatchdogEndToEnd : public WatchdogTest {
protected:
    WatchdogEndToEnd() : WatchdogTest(kLanes, Watchdog::DefaultThreads) { }
    void SetUp() override
    {
        WatchdogTest::SetUp();
        for (int lane = 1; lane <= kLanes; ++lane) {
            targets.lane(lane).onLadeErgebnisse = [this, lane](const QString& datei) {
                TargetRecords& r = records[lane];
                calls(lane) << (ResultsFile::LadeErgebnisse(datei, r)
                        ? u"loaded seq=%1"_s.arg(r.Kopfwerte[6].toString())
                        : u"load failed"_s);
            };
        }
    }

    QString inDir(QString name) const { return path(name.replace(QLatin1Char('\\'), QLatin1Char('/'))); }

    // Runs the simulator to its end while the cycle ticks as fast as it can;
    // returns what it wrote to its standard output.
    QString runSimulator(const QStringList& arguments)
    {
        QProcess simulator;
        simulator.start(simulatorPath(), QStringList {u"--dir"_s, folder(), u"--pace"_s, u"0"_s} + arguments);
        if (!simulator.waitForStarted(10000)) {
            ADD_FAILURE() << "cannot start " << qPrintable(simulatorPath());
            return {};
        }
        QElapsedTimer clock;
        clock.start();
        while (simulator.state() != QProcess::NotRunning && clock.elapsed() < kTimeoutMs) {
            watchdog.tick();
            QCoreApplication::processEvents();
            // The workers need the processor more than a tick that finds every lane busy.
            if (!watchdog.idle())
                QThread::usleep(200);
        }
        if (simulator.state() != QProcess::NotRunning) {
            simulator.kill();
            ADD_FAILURE() << "the simulator did not finish in time";
        }
        // The last messages taken may still wait to be applied.
        while (!watchdog.idle() && clock.elapsed() < kTimeoutMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        simulator.waitForFinished(5000);
        // In the sanitizer build a report ends the simulator with an error
        // code or an abort; its text is on the standard error.
        const QByteArray errors = simulator.readAllStandardError();
        EXPECT_EQ(simulator.exitStatus(), QProcess::NormalExit) << errors.constData();
        EXPECT_EQ(simulator.exitCode(), 0) << errors.constData();
        return QString::fromUtf8(simulator.readAllStandardOutput());
    }
    QString runProtocol(const QString& protocol)
    {
        return runSimulator({u"--lanes"_s, QString::number(kLanes), u"--protocol"_s, protocol, u"--seed"_s, u"7"_s,
            u"--messages"_s, QString::number(kMessages)});
    }

    // What the cycle must have called on a lane for one message of the 2002
    // protocol: %F is the file named, %N the text, %P the sighting flag and %S
    // the message's number.
    QStringList expectedCalls2002(const SentMessage& m) const
    {
        static const QRegularExpression record(u"^A#1;S#1;L#\\d+;B#(\\d+);N#(.*)$"_s);
        static const QMap<int, QStringList> calls {{1, {u"LadeErgebnisse(%F)"_s, u"loaded seq=%S"_s}},
            {2, {u"SetProbe(%P)"_s}}, {4, {u"gTitelName(%N)"_s}},
            {47, {u"HS_Laden(%F)"_s, u"ZoomNummer(0)"_s, u"Zoom(1)"_s}}, {48, {u"Init2002"_s, u"HD_Laden(%F)"_s}},
            {49, {u"HW_Laden(%F)"_s}}};
        const auto match = record.match(m.value);
        const QString n = match.captured(2);
        QStringList expected
            = calls.value(match.hasMatch() ? match.captured(1).toInt() : -1, {u"unexpected record %1"_s.arg(m.value)});
        for (QString& call : expected) {
            call.replace(QLatin1String("%F"), inDir(n)).replace(QLatin1String("%S"), QString::number(m.seq));
            call.replace(QLatin1String("%P"), n == QLatin1String("0") ? u"0"_s : u"1"_s);
            call.replace(QLatin1String("%N"), n);
        }
        return expected << u"Refresh"_s;
    }
    static QStringList expectedCallsAlt(const SentMessage& m)
    {
        if (m.file.startsWith(QLatin1String("HAnz")))
            return {u"Init(%1)"_s.arg(m.value)};
        return {u"LadeErgebnisse(%1)"_s.arg(m.value), u"loaded seq=%1"_s.arg(m.seq), u"Refresh"_s};
    }

    // The log has "lane=3 seq=17 file=HCVS1L3 value=A#1;..." per message sent.
    void checkRun(const QString& log, bool alt)
    {
        static const QRegularExpression line(u"^lane=(\\d+) seq=(\\d+) file=(\\S+) value=(.*)$"_s);
        QMap<int, QList<SentMessage>> perLane;
        int total = 0;
        for (const QString& text : log.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const auto match = line.match(text);
            if (match.hasMatch()) {
                perLane[match.captured(1).toInt()].append(
                    {match.captured(2).toInt(), match.captured(3), match.captured(4)});
                ++total;
            }
        }
        EXPECT_TRUE(log.split(QLatin1Char('\n')).contains(u"done"_s));
        EXPECT_EQ(total, kMessages);
        EXPECT_EQ(perLane.size(), kLanes);

        int placeCalls = 0;
        for (int lane = 1; lane <= kLanes; ++lane) {
            const QList<SentMessage>& sent = perLane.value(lane);
            QStringList expected;
            int lastResults = 0;
            for (qsizetype i = 0; i < sent.size(); ++i) {
                ASSERT_EQ(sent[i].seq, i + 1) << "lane " << lane;
                expected += alt ? expectedCallsAlt(sent[i]) : expectedCalls2002(sent[i]);
                if (sent[i].value.contains(QLatin1String("Ergebnisse")))
                    lastResults = sent[i].seq;
            }
            QStringList received;
            for (const QString& call : calls(lane)) {
                // Places of the older protocol come beside the messages.
                const bool place = call.startsWith(QLatin1String("Platz(")) || call == QLatin1String("TextBelegen")
                    || call == QLatin1String("refreshPlatz");
                placeCalls += place ? 1 : 0;
                if (!place)
                    received << call;
            }
            ASSERT_EQ(received, expected) << "lane " << lane;

            // The target holds the results of the lane's last results message.
            ASSERT_GT(lastResults, 0) << "lane " << lane;
            EXPECT_EQ(records[lane].Kopfwerte[6].toDouble(), lastResults) << "lane " << lane;
            EXPECT_EQ(records[lane].Kopfwerte[5].toDouble(), lane);
            EXPECT_GT(records[lane].AktuellerSatz.SchussNummer, 0);
        }
        EXPECT_EQ(placeCalls > 0, alt);
        for (const QString& file : QDir(folder()).entryList(QDir::Files)) {
            EXPECT_FALSE(file.endsWith(QLatin1String(".ctl"), Qt::CaseInsensitive)) << qPrintable(file);
            EXPECT_NE(file.compare(QLatin1String("HPlatz.hwv"), Qt::CaseInsensitive), 0);
        }
        EXPECT_TRUE(TestDialogs::messages().isEmpty());
        // Messages handled without a fault write nothing into the event log.
        EXPECT_FALSE(QFileInfo::exists(eventLog.path()));
    }

    QMap<int, TargetRecords> records;
};

TEST_F(WatchdogEndToEnd, Telvox2002)
{
    checkRun(runProtocol(u"2002"_s), false);
}

TEST_F(WatchdogEndToEnd, Telvox2002DisplayServer2)
{
    state.settings.AnzeigeServerNr = 1;
    checkRun(runProtocol(u"2002s2"_s), false);
    EXPECT_FALSE(exists(u"HCVS1L1.nrt"_s));
    EXPECT_TRUE(exists(u"HCVS1L1-1.nrt"_s));
}

TEST_F(WatchdogEndToEnd, OlderProtocol)
{
    state.settings.VerbindungsArt = 0;
    checkRun(runProtocol(u"alt"_s), true);
}

TEST_F(WatchdogEndToEnd, RankingRequestIsAnswered)
{
    const QString rankingDir = path(u"rangliste"_s);
    QDir().mkpath(rankingDir);
    QString request = u"1$1$0$0$3"_s;
    ASSERT_EQ(AustauschRangliste(request, 3, 1, rankingDir, 1, 1), ExchangeCode::Done);
    runSimulator({u"--lanes"_s, u"4"_s, u"--messages"_s, u"40"_s, u"--ranking-dir"_s, rankingDir, u"--server-id"_s,
        u"3"_s, u"--quiet"_s});

    QString answer;
    ASSERT_EQ(AustauschRangliste(answer, 3, 1, rankingDir, 2, 1), ExchangeCode::Done);
    EXPECT_EQ(answer, u"HRang3.csv"_s);
    EXPECT_FALSE(QFile::exists(QDir(rankingDir).filePath(u"HRngCS3.ctl"_s)));
    QFile csv(QDir(rankingDir).filePath(u"HRang3.csv"_s));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    // Discipline 1 (air rifle) shoots on lanes 1 and 3.
    EXPECT_EQ(csv.readAll().count('\n'), 2);
}

} // namespace
