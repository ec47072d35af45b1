// Start-up of the real program, omr_anzeige, to its first painted frame.
//
// The program is copied into a program folder of its own with the shipped
// data and a settings file for 8 lanes (one screen) or 255 lanes (16 to a
// page), and started on the offscreen platform with a 3840x2160 screen. With
// OMR_REPORT_FIRST_PAINT set it prints the steady clock's reading once the
// first paint pass over its frame has ended; the time is that reading minus
// the reading taken just before the process was started, so it covers the
// process start, the loading of the settings and the target windows and the
// first paint. The resident memory of the program at that moment is the
// counter rss_MB. One start that is not timed comes first, so the figures are
// those of a warm start.

#include "BenchSupport.h"
#include "RangeFolder.h"
#include "ResidentMemory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <benchmark/benchmark.h>
#include <chrono>
#include <optional>

namespace {

std::int64_t steadyNow()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

struct Start {
    double seconds = 0;
    std::optional<qint64> rssKib;
};

std::optional<Start> startOnce(const QString& program, const QString& platform, QString& error)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("OMR_REPORT_FIRST_PAINT"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    const std::int64_t before = steadyNow();
    process.start(program, {});
    std::optional<Start> start;
    QByteArray output;
    while (!start && process.waitForReadyRead(30000)) {
        output += process.readAllStandardOutput();
        const qsizetype at = output.indexOf("first-paint ");
        const qsizetype end = output.indexOf('\n', at);
        if (at >= 0 && end > at) {
            bool ok = false;
            const qint64 painted = output.mid(at + 12, end - at - 12).toLongLong(&ok);
            if (ok)
                start = Start {double(painted - before) / 1e9, ResidentMemory::kib(process.processId())};
        }
    }
    if (!start)
        error = QStringLiteral("no first paint reported: ") + QString::fromLocal8Bit(process.readAllStandardError());
    process.kill();
    process.waitForFinished(10000);
    return start;
}

void BM_StartUp_FirstPaint(benchmark::State& state)
{
    const int lanes = static_cast<int>(state.range(0));
    RangeFolder folder;
    RangeFolder::Range range;
    range.lanes = lanes;
    range.perPage = 16;
    const QString program = QDir(folder.path()).filePath(QStringLiteral("omr_anzeige"));
    if (!folder.prepare(QStringLiteral(OMR_DATA_DIR), range)
        || !QFile::copy(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("omr_anzeige")), program)) {
        state.SkipWithError("cannot prepare the program folder");
        return;
    }
    const QString platform = folder.offscreenPlatform(BenchSupport::Uhd);
    QString error;
    if (!startOnce(program, platform, error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    double rssMb = 0;
    for (auto _ : state) {
        const auto start = startOnce(program, platform, error);
        if (!start) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
        state.SetIterationTime(start->seconds);
        rssMb = start->rssKib ? double(*start->rssKib) / 1024 : 0;
    }
    state.counters["rss_MB"] = rssMb;
    state.SetLabel(std::to_string(lanes) + " lanes, 3840x2160 offscreen");
}

BENCHMARK(BM_StartUp_FirstPaint)
    ->ArgName("lanes")
    ->Arg(8)
    ->Arg(255)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
