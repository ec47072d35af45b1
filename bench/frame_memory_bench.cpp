// Resident memory of the display's main frame in working order: the frame
// with 8 lanes (one screen) or 255 lanes (16 to a page) on a 3840x2160 screen,
// every lane showing a 60-shot match received through the exchange folder,
// and every page shown once. The figure is the counter rss_MB: the VmRSS of
// this process, which holds nothing else, so each lane count runs in a process
// of its own (the run script filters). The time is that of loading and
// showing everything, for information only.

#include "BenchSupport.h"
#include "RangeFolder.h"
#include "ResidentMemory.h"
#include "exchange/Austausch.h"
#include "platform/ProgramInfo.h"
#include "shell/ProgramState.h"
#include "shell/Watchdog.h"
#include "shell/frmMDI.h"
#include "target/ResultsFileWriter.h"
#include "target/Scheibe.h"
#include "target/TargetModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPerPage = 16;
constexpr int kShots = 60;

QString resultsName(int lane)
{
    return QStringLiteral("Ergebnis%1.txt").arg(lane);
}

bool writeMatches(const QString& exchange, int lanes)
{
    for (int lane = 1; lane <= lanes; ++lane) {
        const QString disziplin = lane % 2 == 1 ? QStringLiteral("1.10") : QStringLiteral("2.10");
        const TargetModel match = BenchSupport::loadedTarget(disziplin, kShots, unsigned(lane));
        if (!ResultsFileWriter::write(QDir(exchange).filePath(resultsName(lane)), match.records))
            return false;
    }
    return true;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void BM_Frame_Loaded(benchmark::State& state)
{
    const int lanes = static_cast<int>(state.range(0));
    RangeFolder folder;
    RangeFolder::Range range;
    range.lanes = lanes;
    range.perPage = kPerPage;
    if (!folder.prepare(QStringLiteral(OMR_DATA_DIR), range) || !writeMatches(folder.exchange(), lanes)) {
        state.SkipWithError("cannot prepare the program folder");
        return;
    }
    ProgramInfo::setDirectoryForTest(folder.path());
    const int pages = (lanes + kPerPage - 1) / kPerPage;
    std::optional<qint64> rss;
    for (auto _ : state) {
        frmMDI frame;
        frame.show();
        settle();
        FrameTimers& timers = frame.timers();
        timers.tmrStartUp.fire();
        for (int lane = 1; lane <= lanes; ++lane) {
            QString record = QStringLiteral("A#1;S#1;L#%1;B#1;N#%2").arg(lane).arg(resultsName(lane));
            Austausch2002(record, 1, lane, 1, folder.exchange(), 1, 1);
        }
        timers.tmrWatchdog.fire();
        while (!frame.watchdog()->idle()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            QThread::msleep(1);
        }
        settle();
        for (int page = 1; page < pages; ++page) {
            timers.tmrBlaettern.fire();
            settle();
        }
        rss = ResidentMemory::kib();
        for (int lane = 1; lane <= lanes; ++lane) {
            if (frame.scheibe(lane)->model().records.AktuellerSatz.SchussNummer != kShots) {
                state.SkipWithError("a lane did not load its match");
                return;
            }
        }
    }
    state.counters["rss_MB"] = rss ? double(*rss) / 1024 : 0;
    state.SetLabel(std::to_string(lanes) + " lanes, " + std::to_string(pages) + " page(s) at 3840x2160");
}

BENCHMARK(BM_Frame_Loaded)->ArgName("lanes")->Arg(8)->Arg(255)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
