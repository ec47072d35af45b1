// The polling cycle with recording targets, where a scenario file cannot reach:
// message boxes and targets that run the event loop, faults in the middle of a
// tick, the calls on the share and a share that hangs, what it tells its
// observers; and the cycle against the scoring-system simulator running as a
// separate process, where every message must reach its target exactly once and
// in order and the files must be left clean. What each message does, and the
// faults it logs, are scenarios in tests/scenarios/.
#include "SoakLedger.h"
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

    static QString record(int lane, int b, const QString& n)
    {
        return u"A#1;S#1;L#%1;B#%2;N#%3"_s.arg(lane).arg(b).arg(n);
    }
    // The server side of the 2002 protocol.
    void serverSendsRecord(int lane, QString value) { ASSERT_EQ(Austausch2002(value, 1, lane, 1, folder(), 1, 1), 0); }
    void serverSends(int lane, int b, const QString& n) { serverSendsRecord(lane, record(lane, b, n)); }
    void serverSendsName(int lane, const QString& name) { serverSends(lane, 4, name); }
    // The older protocol: role 1 sends results, role 2 the announcement.
    void serverSendsAlt(int lane, int role, QString text)
    {
        ASSERT_EQ(AustauschAlt(text, lane, 1, folder(), 1, role), 0);
    }

    QStringList& calls(int lane) { return targets.lane(lane).calls; }
    static QStringList named(const QString& name) { return {u"gTitelName(%1)"_s.arg(name), u"Refresh"_s}; }
    void ticks(int n)
    {
        while (n-- > 0)
            watchdog.tick();
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

// --- faults of the exchange folder ---

using WatchdogFaults = WatchdogTest;

TEST_F(WatchdogFaults, FolderRemovedAndCreatedAgainDuringATick)
{
    serverSends(1, 1, u"erg1.txt"_s);
    serverSendsName(4, u"weg"_s);
    // While lane 1 loads its results, the server side wipes the folder and
    // starts over with a fresh message for lane 6.
    targets.lane(1).onLadeErgebnisse = [this](const QString&) {
        ASSERT_TRUE(QDir(folder()).removeRecursively() && QDir(root.path()).mkdir(u"austausch"_s));
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
    EXPECT_EQ(calls(3), QStringList({u"Platz(2)"_s, u"TextBelegen"_s, u"refreshPlatz"_s}));
    EXPECT_FALSE(exists(u"HPlatz.hwv"_s));
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
};

// No second tick runs inside the syntax error's box or inside a window that
// runs the event loop, and a refused tick is not reported. Each message is
// reported once, in lane order, after its window was called; a record broken
// after its B still sets what it read.
TEST_F(WatchdogObserved, NoTickInsideABoxOrAWindowAndEachMessageReportedAfterItsWindow)
{
    serverSends(1, 1, u"erg.txt"_s);
    serverSendsRecord(2, u"A#1;S#1;L#2;B#4"_s);
    serverSendsName(3, u"wartet"_s);
    serverSendsRecord(4, u"kaputt"_s);
    targets.lane(1).onLadeErgebnisse = [this](const QString&) { watchdog.tick(); };
    Dialogs::setMessageHandler([this](const Dialogs::MessageRequest& request) {
        log() << u"box %1: %2"_s.arg(request.title, request.text);
        watchdog.tick();
    });
    ticks(2);
    EXPECT_EQ(log(),
        QStringList({u"tick started"_s, u"LadeErgebnisse(%1) 1"_s.arg(path(u"erg.txt"_s)), u"Refresh 1"_s,
            handled(1, 1, u"erg.txt"_s), u"box Syntax Error !: A#1;S#1;L#2;B#4"_s, u"gTitelName() 2"_s, u"Refresh 2"_s,
            u"handled 2: A#1;S#1;L#2;B#4"_s, u"gTitelName(wartet) 3"_s, u"Refresh 3"_s, handled(3, 4, u"wartet"_s),
            u"box Syntax Error !: kaputt"_s, u"Refresh 4"_s, u"handled 4: kaputt"_s, u"tick finished"_s,
            u"tick started"_s, u"tick finished"_s}));

    // Nor inside a box that the cycle did not open.
    log().clear();
    serverSendsName(5, u"x"_s);
    Dialogs::showMessage(Dialogs::Icon::Exclamation, u"Datei existiert nicht: "_s, u"x"_s);
    EXPECT_EQ(log(), QStringList {u"box Datei existiert nicht: : x"_s});
    EXPECT_TRUE(exists(u"HCVS1L5.ctl"_s));
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

// The cycle with worker threads against the simulator, real results loaded on
// every lane, and every message it reports handled entered in the soak's
// ledger beside what the simulator logged as sent.
class WatchdogEndToEnd : public WatchdogTest, public WatchdogObserver {
protected:
    WatchdogEndToEnd() : WatchdogTest(kLanes, Watchdog::DefaultThreads) { }
    void SetUp() override
    {
        WatchdogTest::SetUp();
        watchdog.addObserver(this);
        for (int lane = 1; lane <= kLanes; ++lane) {
            targets.lane(lane).onLadeErgebnisse = [this, lane](const QString& datei) {
                EXPECT_TRUE(ResultsFile::LadeErgebnisse(datei, records[lane])) << qPrintable(datei);
                loadedSeq[lane] = static_cast<int>(records[lane].Kopfwerte[6].toDouble());
            };
        }
    }
    void messageHandled(int lane, const QString& message) override
    {
        ledger.addHandled(lane, message, loadedSeq.value(lane, -1));
        loadedSeq.remove(lane);
    }

    // Runs the simulator to its end while the cycle ticks as fast as it can,
    // and enters what it logged.
    void runSimulator(const QStringList& arguments)
    {
        QProcess simulator;
        simulator.start(simulatorPath(), QStringList {u"--dir"_s, folder(), u"--pace"_s, u"0"_s} + arguments);
        ASSERT_TRUE(simulator.waitForStarted(10000)) << qPrintable(simulatorPath());
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
        for (const QString& line : QString::fromUtf8(simulator.readAllStandardOutput()).split(u'\n'))
            ledger.addLogLine(line);
    }

    // Every message taken once, in order, the results shown the ones named;
    // the folder left clean, no box, no line in the event log.
    void runProtocol(const QString& protocol)
    {
        runSimulator({u"--lanes"_s, QString::number(kLanes), u"--protocol"_s, protocol, u"--seed"_s, u"7"_s,
            u"--messages"_s, QString::number(kMessages)});
        ledger.close();
        EXPECT_EQ(ledger.sent(), kMessages);
        EXPECT_EQ(ledger.matched(), kMessages);
        EXPECT_EQ(ledger.lost() + ledger.doubled() + ledger.wrongResults() + ledger.badLogLines(), 0);
        int placed = 0;
        for (int lane = 1; lane <= kLanes; ++lane) {
            EXPECT_GT(records[lane].AktuellerSatz.SchussNummer, 0) << "lane " << lane;
            placed += static_cast<int>(calls(lane).count(u"refreshPlatz"_s));
        }
        EXPECT_EQ(placed > 0, protocol == u"alt"_s);
        for (const QString& file : QDir(folder()).entryList(QDir::Files)) {
            EXPECT_FALSE(file.endsWith(QLatin1String(".ctl"), Qt::CaseInsensitive)) << qPrintable(file);
            EXPECT_NE(file.compare(QLatin1String("HPlatz.hwv"), Qt::CaseInsensitive), 0);
        }
        EXPECT_TRUE(TestDialogs::messages().isEmpty());
        EXPECT_FALSE(QFileInfo::exists(eventLog.path()));
    }

    SoakLedger ledger {kLanes};
    QMap<int, TargetRecords> records;
    QMap<int, int> loadedSeq;
};

TEST_F(WatchdogEndToEnd, Telvox2002)
{
    runProtocol(u"2002"_s);
}

TEST_F(WatchdogEndToEnd, Telvox2002DisplayServer2)
{
    state.settings.AnzeigeServerNr = 1;
    runProtocol(u"2002s2"_s);
    EXPECT_FALSE(exists(u"HCVS1L1.nrt"_s));
    EXPECT_TRUE(exists(u"HCVS1L1-1.nrt"_s));
}

TEST_F(WatchdogEndToEnd, OlderProtocol)
{
    state.settings.VerbindungsArt = 0;
    runProtocol(u"alt"_s);
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
