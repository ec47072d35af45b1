// The polling tick over 255 lanes of the 2002 protocol.
//
// Idle: no lane has a message waiting; the exchange folder is either empty or
// holds what a match leaves behind (each lane's last data file and results
// file, 510 files).
//
// Loaded: every lane has a message B=1 naming its own 60-shot results file.
// All 255 lanes are real target windows, but a screen shows 16 of them (a page
// at 3840x2160 or 1920x1080, 8 columns x 2 rows); the other 239 are hidden, as
// with page flipping, so their Refresh() paints nothing. Every lane reads its
// file; the 16 visible ones repaint. Writing the 255 messages is not timed.
// Every file holds the same match each tick, so the faces stay as they were,
// as they do while a match runs (a new shot changes the face only when it
// changes the zoom).

#include "BenchSupport.h"
#include "FreezeMeter.h"
#include "exchange/Austausch.h"
#include "shell/FrameTimers.h"
#include "shell/LaneTarget.h"
#include "shell/ProgramState.h"
#include "shell/RankingView.h"
#include "shell/TargetList.h"
#include "shell/Watchdog.h"
#include "target/ResultsFileWriter.h"
#include "target/Scheibe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int kLanes = 255;
constexpr int kVisible = 16;
constexpr int kShots = 60;

class NoRanking : public RankingView {
public:
    void showInFront() override { }
    void hideView() override { }
    bool isViewVisible() const override { return false; }
    int pendingLines() const override { return 0; }
    void LeseCSVEin() override { }
    void RanglisteLeeren() override { }
    void RanglisteFuellen() override { }
};

// The frame's collection `Scheiben`.
class Lanes : public TargetList {
public:
    std::vector<LaneTarget*> lanes;
    int count() const override { return static_cast<int>(lanes.size()); }
    LaneTarget* at(int lane) const override
    {
        return lane >= 1 && lane <= count() ? lanes[static_cast<std::size_t>(lane - 1)] : nullptr;
    }
};

// The exchange folder lives in memory where the machine has /dev/shm, so that
// the figures show the program rather than the disk's journal; set
// OMR_BENCH_EXCHANGE_PARENT to measure another folder. On a network share,
// OMR_BENCH_SHARE_SERVER names the exported folder (the messages are written
// there, as the scoring system's server does) and OMR_BENCH_SHARE_CLIENT the
// same folder as mounted (the display polls there).
QString exchangeParent()
{
    const QString share = qEnvironmentVariable("OMR_BENCH_SHARE_SERVER");
    if (!share.isEmpty())
        return share;
    const QString asked = qEnvironmentVariable("OMR_BENCH_EXCHANGE_PARENT");
    if (!asked.isEmpty())
        return asked;
    if (QFileInfo(QStringLiteral("/dev/shm")).isDir())
        return QStringLiteral("/dev/shm");
    return QDir::tempPath();
}

// Where the display finds the folder the server side wrote at serverPath.
QString asClientSees(const QString& serverPath)
{
    const QString client = qEnvironmentVariable("OMR_BENCH_SHARE_CLIENT");
    if (client.isEmpty() || qEnvironmentVariableIsEmpty("OMR_BENCH_SHARE_SERVER"))
        return serverPath;
    const QString path = QDir(client).filePath(QFileInfo(serverPath).fileName());
    // The share may take a moment to show what the server's side created.
    for (int i = 0; i < 50 && !QFileInfo(path).isDir(); ++i)
        QThread::msleep(100);
    return path;
}

// One tick to its end: the file work on the workers, then everything applied.
// The longest time the user-interface thread went without handling its
// events meanwhile is added to hold.
void tickToTheEnd(Watchdog& watchdog, FreezeMeter& freeze)
{
    freeze.markIdle();
    freeze.tickStarted();
    watchdog.tick();
    while (!watchdog.idle())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    freeze.tickFinished();
}

QString resultsName(int lane)
{
    return QStringLiteral("Ergebnis%1.txt").arg(lane);
}

// The program state, the exchange folder and the polling cycle.
class Range {
public:
    Range()
    {
        Einstellungen& s = ProgramState::instance().settings;
        s.Scheibenanzahl = kLanes;
        s.VerbindungsArt = 1;
        s.AnzeigeServerNr = 0;
        s.AnfEnde = 0;
        s.FreieWerbung = 0;
        s.NetzwerkPfad = asClientSees(m_dir.path());
        BenchSupport::useRangeSettings(s, BenchSupport::Marks::Latest);
        ProgramState::instance().pages.RanglisteAktiv = 0;
    }

    bool isValid() const { return m_dir.isValid(); }
    QString folder() const { return m_dir.path(); }
    Lanes& lanes() { return m_lanes; }
    Watchdog& watchdog() { return m_watchdog; }

    // What a finished match leaves: each lane's last message data file and
    // its results file.
    bool leaveMatchFiles()
    {
        for (int lane = 1; lane <= kLanes; ++lane) {
            if (!send(lane))
                return false;
            QFile::remove(QDir(folder()).filePath(QStringLiteral("HCVS1L%1.ctl").arg(lane)));
            QFile results(QDir(folder()).filePath(resultsName(lane)));
            if (!results.open(QIODevice::WriteOnly))
                return false;
        }
        return true;
    }

    // The scoring system announces lane's results file.
    bool send(int lane)
    {
        QString record = QStringLiteral("A#1;S#1;L#%1;B#1;N#%2").arg(lane).arg(resultsName(lane));
        return Austausch2002(record, 1, lane, 1, folder(), 1, 1) == 0;
    }

private:
    QTemporaryDir m_dir {QDir(exchangeParent()).filePath(QStringLiteral("omr_bench_XXXXXX"))};
    Lanes m_lanes;
    NoRanking m_ranking;
    FrameTimers m_timers;
    Watchdog m_watchdog {ProgramState::instance(), m_timers, m_lanes, m_ranking};
};

class NullLane : public LaneTarget {
public:
    void Init(const QString&) override { }
    void Init2002() override { }
    bool LadeErgebnisse(const QString&) override { return true; }
    void SetProbe(bool) override { }
    void setGTitelName(const QString&) override { }
    void HS_Laden(const QString&) override { }
    void HD_Laden(const QString&) override { }
    void HW_Laden(const QString&) override { }
    void setScheibe_ZoomNummer(double) override { }
    void Zoom(bool) override { }
    void setPlatz(std::int16_t) override { }
    void TextBelegen() override { }
    void TextPositionieren() override { }
    void Refresh() override { }
    void refreshPlatz() override { }
    QString DisziplinNr() const override { return QStringLiteral("1.10"); }
    void setDisziplinNr(const QString&) override { }
    int LinienNr() const override { return 0; }
    void setTargetVisible(bool) override { }
    bool isTargetVisible() const override { return true; }
};

void BM_Tick_Idle(benchmark::State& state)
{
    Range range;
    if (!range.isValid()) {
        state.SkipWithError("cannot create the exchange folder");
        return;
    }
    std::vector<NullLane> lanes(kLanes);
    for (NullLane& lane : lanes)
        range.lanes().lanes.push_back(&lane);
    const bool afterMatch = state.range(0) != 0;
    if (afterMatch && !range.leaveMatchFiles()) {
        state.SkipWithError("cannot write the exchange folder");
        return;
    }
    FreezeMeter freeze;
    freeze.start();
    for (auto _ : state)
        tickToTheEnd(range.watchdog(), freeze);
    state.counters["hold_ms"] = double(freeze.worstDuringTickNs()) / 1e6;
    const auto files = QDir(range.folder()).entryList(QDir::Files).size();
    state.SetLabel(std::to_string(kLanes) + " lanes, " + std::to_string(files) + " files in "
        + QDir::toNativeSeparators(QFileInfo(ProgramState::instance().settings.NetzwerkPfad).path()).toStdString());
}

void BM_Tick_Loaded(benchmark::State& state, QSize screenSize, BenchSupport::Marks marks)
{
    Range range;
    if (!range.isValid()) {
        state.SkipWithError("cannot create the exchange folder");
        return;
    }
    BenchSupport::useRangeSettings(ProgramState::instance().settings, marks);
    QWidget screen;
    screen.resize(screenSize);
    TargetModel match = BenchSupport::loadedTarget(QStringLiteral("1.10"), kShots);
    for (int lane = 1; lane <= kLanes; ++lane) {
        auto* target = new Scheibe(&screen);
        target->setDisziplinNr(QStringLiteral("1.10"));
        target->setLinienNr(lane);
        // Lanes beyond the first page share its places and stay hidden.
        const int place = (lane - 1) % kVisible + 1;
        target->setGeometry(BenchSupport::targetRect(screenSize, kVisible, place));
        target->Laden();
        if (lane > kVisible)
            target->setTargetVisible(false);
        range.lanes().lanes.push_back(target);

        BenchSupport::fillMatch(match.records, kShots, unsigned(lane));
        if (!ResultsFileWriter::write(QDir(range.folder()).filePath(resultsName(lane)), match.records)) {
            state.SkipWithError("cannot write a results file");
            return;
        }
    }
    screen.show();
    QCoreApplication::processEvents();

    FreezeMeter freeze;
    freeze.start();
    for (auto _ : state) {
        state.PauseTiming();
        for (int lane = 1; lane <= kLanes; ++lane) {
            if (!range.send(lane)) {
                state.SkipWithError("a message was not taken");
                return;
            }
        }
        state.ResumeTiming();
        tickToTheEnd(range.watchdog(), freeze);
    }
    state.counters["hold_ms"] = double(freeze.worstDuringTickNs()) / 1e6;
    state.SetLabel(std::to_string(kLanes) + " lanes, " + std::to_string(kVisible) + " visible at "
        + std::to_string(screenSize.width()) + "x" + std::to_string(screenSize.height()) + ", "
        + BenchSupport::marksName(marks));
}

BENCHMARK(BM_Tick_Idle)->ArgName("after_match")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tick_Loaded, screen_3840x2160__latest_shot_marked, BenchSupport::Uhd, BenchSupport::Marks::Latest)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    BM_Tick_Loaded, screen_1920x1080__latest_shot_marked, BenchSupport::FullHd, BenchSupport::Marks::Latest)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tick_Loaded, screen_3840x2160__all_shots_marked, BenchSupport::Uhd, BenchSupport::Marks::All)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tick_Loaded, screen_1920x1080__all_shots_marked, BenchSupport::FullHd, BenchSupport::Marks::All)
    ->Unit(benchmark::kMillisecond);

} // namespace
