// The web view under load: 16 lanes take a results message every tick (one
// tick a second, as the display polls) while 200 pages are connected over
// WebSockets. Measured, against the same run without the web view:
//
// - the processor time of the tick on the user-interface thread (the
//   display's own work, from the tick's start until it has applied and
//   redrawn all 16 lanes and, with the web view, handed them over);
// - the processor time of the whole display process over each one-second
//   tick period, which holds the web view's thread as well;
// - how long after the tick applied a lane the last of the pages had that
//   lane's new state.
//
// The pages run in a process of their own (this program with --pages), so
// that their work is not the display's. Clocks: the steady clock, which on
// Linux is one clock for all processes.
//
//   omr_web_bench [--ticks 20] [--pages 200] [--rounds 2]

#include "BenchSupport.h"
#include "RangeFolder.h"
#include "exchange/Austausch.h"
#include "platform/ProgramInfo.h"
#include "shell/Watchdog.h"
#include "shell/frmMDI.h"
#include "target/ResultsFileWriter.h"
#include "target/TargetModel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTcpServer>
#include <QTextStream>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kLanes = 16;
constexpr int kShots = 60;
// Ticks left out at the start of each run: the first draws fill the caches.
constexpr int kWarmUp = 2;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Processor time of the calling thread; where the system cannot tell, of
// the process.
qint64 threadCpuNs()
{
#ifdef Q_OS_LINUX
    timespec ts {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
#else
    return qint64(std::clock()) * (1'000'000'000 / CLOCKS_PER_SEC);
#endif
}

qint64 processCpuNs()
{
    return qint64(double(std::clock()) * 1e9 / CLOCKS_PER_SEC);
}

// Lets the event loop run, idle, for ms.
void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size())))];
}

// --- the pages' process ---

// Opens the pages, says "ready" once every one has its state, and at the end
// writes, for every tick and lane, when the last page had it.
int runPages(quint16 port, int count, int expected, int seconds)
{
    QMap<qint64, qint64> lastSeen; // tick * 256 + lane -> ns
    int hellos = 0;
    qint64 messages = 0;
    std::vector<std::unique_ptr<QWebSocket>> pages;
    for (int i = 0; i < count; ++i) {
        auto page = std::make_unique<QWebSocket>();
        QObject::connect(page.get(), &QWebSocket::binaryMessageReceived, page.get(), [&](const QByteArray& text) {
            const qint64 at = nowNs();
            if (text.contains("\"t\":\"hello\"")) {
                if (++hellos == count) {
                    std::printf("ready\n");
                    std::fflush(stdout);
                }
                return;
            }
            // Every lane of the message: its number, then its name "T<tick>".
            for (qsizetype name = text.indexOf("\"name\":\"T"); name >= 0;
                 name = text.indexOf("\"name\":\"T", name + 1)) {
                const qsizetype nr = text.lastIndexOf("\"nr\":", name);
                if (nr < 0)
                    break;
                const int tick = text.mid(name + 9, 6).split('"').front().toInt();
                const int lane = text.mid(nr + 5, 4).split(',').front().toInt();
                qint64& seen = lastSeen[qint64(tick) * 256 + lane];
                seen = std::max(seen, at);
                ++messages;
            }
        });
        page->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
        pages.push_back(std::move(page));
    }
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (clock.elapsed() > qint64(seconds) * 1000 || messages >= qint64(expected) * count)
            loop.quit();
    });
    check.start(100);
    loop.exec();
    int open = 0;
    for (const auto& page : pages)
        open += page->state() == QAbstractSocket::ConnectedState ? 1 : 0;
    std::printf("open %d messages %lld\n", open, static_cast<long long>(messages));
    for (auto it = lastSeen.cbegin(); it != lastSeen.cend(); ++it)
        std::printf("seen %lld %lld %lld\n", it.key() / 256, it.key() % 256, static_cast<long long>(it.value()));
    std::fflush(stdout);
    return 0;
}

// --- the display's process ---

struct Run {
    std::vector<double> tickCpuMs;
    std::vector<double> periodCpuMs;
    QMap<qint64, qint64> applied; // tick * 256 + lane -> ns
};

class Range {
public:
    explicit Range(RangeFolder& folder) : m_folder(folder)
    {
        for (int lane = 1; lane <= kLanes; ++lane) {
            TargetModel model = BenchSupport::loadedTarget(
                lane % 2 ? QStringLiteral("1.10") : QStringLiteral("2.10"), kShots, unsigned(lane));
            m_records.push_back(model.records);
        }
    }

    // Each lane's results for tick, named after it, and the message that
    // announces them.
    bool send(int tick)
    {
        const QString exchange = m_folder.exchange();
        for (int lane = 1; lane <= kLanes; ++lane) {
            TargetRecords& records = m_records[std::size_t(lane - 1)];
            records.SchuetzenName = TaggedValue(QStringLiteral("T%1").arg(tick));
            const QString name = QStringLiteral("Ergebnis%1.txt").arg(lane);
            if (!ResultsFileWriter::write(QDir(exchange).filePath(name), records))
                return false;
            QString record = QStringLiteral("A#1;S#1;L#%1;B#1;N#%2").arg(lane).arg(name);
            if (Austausch2002(record, 1, lane, 1, exchange, 1, 1) != 0)
                return false;
        }
        return true;
    }

    // ready: called once the frame is up, before the first tick.
    Run run(int ticks, const std::function<void()>& ready = {})
    {
        Run result;
        frmMDI frame;
        frame.show();
        if (ready)
            ready();
        waitMs(500);
        int tick = 0;
        int appliedThisTick = 0;
        QObject::connect(&frame, &frmMDI::laneUpdated, &frame, [&](int lane) {
            result.applied[qint64(tick) * 256 + lane] = nowNs();
            ++appliedThisTick;
        });
        qint64 periodStart = processCpuNs();
        for (tick = 1; tick <= ticks + kWarmUp; ++tick) {
            if (!send(tick))
                qFatal("cannot write the messages");
            appliedThisTick = 0;
            const qint64 cpu = threadCpuNs();
            frame.watchdog()->tick();
            while (appliedThisTick < kLanes)
                QCoreApplication::processEvents();
            // The web view hands the lanes over once the tick is done: that
            // belongs to the tick.
            QCoreApplication::processEvents();
            const qint64 tickCpu = threadCpuNs() - cpu;
            // The rest of the second, as between two ticks of the display.
            waitMs(1000);
            const qint64 periodEnd = processCpuNs();
            if (tick > kWarmUp) {
                result.tickCpuMs.push_back(double(tickCpu) / 1e6);
                result.periodCpuMs.push_back(double(periodEnd - periodStart) / 1e6);
            }
            periodStart = periodEnd;
        }
        return result;
    }

private:
    RangeFolder& m_folder;
    std::vector<TargetRecords> m_records;
};

// The settings file of the range, with the web view on at port or off.
bool writeSettings(const RangeFolder& folder, const QByteArray& base, quint16 port)
{
    QFile ini(QDir(folder.path()).filePath(QStringLiteral("omr_anzeige.ini")));
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    ini.write(base);
    if (port != 0)
        ini.write("[Web]\r\nPort=" + QByteArray::number(port) + "\r\nAdresse=127.0.0.1\r\n");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int ticks = 20;
    int pages = 200;
    int rounds = 2;
    quint16 port = 0;
    bool pagesRole = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QByteArray option = argv[i];
        const int value = QByteArray(argv[i + 1]).toInt();
        if (option == "--ticks")
            ticks = std::max(1, value);
        else if (option == "--pages")
            pages = std::max(1, value);
        else if (option == "--rounds")
            rounds = std::max(1, value);
        else if (option == "--port") {
            port = quint16(value);
            pagesRole = true;
        }
    }
    if (pagesRole) {
        QCoreApplication app(argc, argv);
        return runPages(port, pages, (ticks + kWarmUp) * kLanes, ticks + kWarmUp + 60);
    }

    QString parent;
    if (QFileInfo(QStringLiteral("/dev/shm")).isDir())
        parent = QStringLiteral("/dev/shm");
    RangeFolder folder(parent);
    RangeFolder::Range lanes;
    lanes.lanes = kLanes;
    if (!folder.prepare(QStringLiteral(OMR_DATA_DIR), lanes))
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", folder.offscreenPlatform(BenchSupport::FullHd).toLocal8Bit());
    QApplication app(argc, argv);
    ProgramInfo::setDirectoryForTest(folder.path());
    QTextStream out(stdout);

    out << "omr_web_bench: " << kLanes << " lanes loaded every tick, " << rounds << " rounds of " << ticks
        << " ticks without and with the web view, " << pages << " pages" << Qt::endl;
    QFile iniFile(QDir(folder.path()).filePath(QStringLiteral("omr_anzeige.ini")));
    if (!iniFile.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray baseSettings = iniFile.readAll();
    iniFile.close();

    // Runs without and with the web view take turns, so that a change in the
    // machine's load meets both alike.
    Range range(folder);
    Run without;
    Run with;
    std::vector<double> latencyMs;
    int open = 0;
    for (int round = 1; round <= rounds; ++round) {
        if (!writeSettings(folder, baseSettings, 0))
            return 2;
        const Run plain = range.run(ticks);
        without.tickCpuMs.insert(without.tickCpuMs.end(), plain.tickCpuMs.begin(), plain.tickCpuMs.end());
        without.periodCpuMs.insert(without.periodCpuMs.end(), plain.periodCpuMs.begin(), plain.periodCpuMs.end());

        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const quint16 webPort = probe.serverPort();
        probe.close();
        if (!writeSettings(folder, baseSettings, webPort))
            return 2;
        QProcess pageProcess;
        pageProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // The pages connect once the display's server listens; they say
        // when every one of them has its state.
        const Run served = range.run(ticks, [&] {
            pageProcess.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--pages"), QString::number(pages), QStringLiteral("--ticks"), QString::number(ticks),
                    QStringLiteral("--port"), QString::number(webPort)});
            QElapsedTimer clock;
            clock.start();
            QByteArray lines;
            while (!lines.contains("ready") && clock.elapsed() < 60000) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                pageProcess.waitForReadyRead(20);
                lines += pageProcess.readAllStandardOutput();
            }
            if (!lines.contains("ready"))
                qFatal("the pages did not connect");
        });
        pageProcess.waitForFinished(120000);
        with.tickCpuMs.insert(with.tickCpuMs.end(), served.tickCpuMs.begin(), served.tickCpuMs.end());
        with.periodCpuMs.insert(with.periodCpuMs.end(), served.periodCpuMs.begin(), served.periodCpuMs.end());

        // When the last page had each lane's state, after the tick applied it.
        for (const QByteArray& line : pageProcess.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() == 4 && f[0] == "open")
                open = f[1].toInt();
            if (f.size() != 4 || f[0] != "seen" || f[1].toInt() <= kWarmUp)
                continue;
            const qint64 key = f[1].toLongLong() * 256 + f[2].toLongLong();
            if (served.applied.contains(key))
                latencyMs.push_back(double(f[3].toLongLong() - served.applied.value(key)) / 1e6);
        }
    }

    const double base = median(without.tickCpuMs);
    const double web = median(with.tickCpuMs);
    out << Qt::fixed;
    out.setRealNumberPrecision(2);
    out << "tick on the user-interface thread, processor time (median ms): without " << base << ", with " << web
        << ", rise " << (base > 0 ? 100 * (web - base) / base : 0) << " %" << Qt::endl;
    out << "display process over each 1 s tick period, processor time (median ms): without "
        << median(without.periodCpuMs) << ", with " << median(with.periodCpuMs) << Qt::endl;
    out << "lane state at the last of the pages after the tick applied it (ms): median " << median(latencyMs)
        << ", 95th percentile " << percentile(latencyMs, 0.95) << ", worst "
        << (latencyMs.empty() ? 0 : *std::max_element(latencyMs.begin(), latencyMs.end())) << " over "
        << latencyMs.size() << " lane states (" << rounds << " x " << ticks << " ticks x " << kLanes << " lanes)"
        << Qt::endl;
    out << "pages still connected at the end: " << open << " of " << pages << Qt::endl;
    return 0;
}
