#include "Soak.h"

#include "FreezeMeter.h"
#include "RangeFolder.h"
#include "ResidentMemory.h"
#include "SoakLedger.h"
#include "TickTimer.h"
#include "exchange/ExchangeCodes.h"
#include "exchange/MessageFileNames.h"
#include "platform/Dialogs.h"
#include "shell/Watchdog.h"
#include "shell/frmMDI.h"
#include "target/Scheibe.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <functional>
#include <optional>

namespace {

// The display's role for the lane files.
constexpr int kDisplayRole = -1;

bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

QString megabytes(std::optional<qint64> kib)
{
    return kib ? QString::number(double(*kib) / 1024, 'f', 1) + QStringLiteral(" MB") : QStringLiteral("n/a");
}

QString milliseconds(qint64 ns)
{
    return QString::number(double(ns) / 1e6, 'f', 1) + QStringLiteral(" ms");
}

// Reads the simulator's log line by line as it comes.
class LogReader {
public:
    explicit LogReader(SoakLedger& ledger) : m_ledger(ledger) { }
    void feed(const QByteArray& bytes, bool atEnd = false)
    {
        m_pending += bytes;
        qsizetype start = 0;
        for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n', start)) {
            m_ledger.addLogLine(QString::fromUtf8(m_pending.mid(start, end - start)));
            start = end + 1;
        }
        m_pending.remove(0, start);
        if (atEnd && !m_pending.isEmpty()) {
            m_ledger.addLogLine(QString::fromUtf8(m_pending));
            m_pending.clear();
        }
        m_quiet.start();
    }
    qint64 quietMs() const { return m_quiet.isValid() ? m_quiet.elapsed() : 0; }

private:
    SoakLedger& m_ledger;
    QByteArray m_pending;
    QElapsedTimer m_quiet;
};

} // namespace

Soak::Soak(const SoakOptions& options, const RangeFolder& folder, QTextStream& out)
    : m_options(options), m_folder(folder), m_out(out)
{
}

int Soak::run()
{
    const SoakOptions& o = m_options;
    // The simulator and the harness's own checks work on the server's side.
    const QString exchange = m_folder.serverExchange();
    QString simulatorPath = o.simulator;
    if (simulatorPath.isEmpty())
        simulatorPath = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("omr_simulator"));

    // A box would be a fault: no message of the simulator is malformed and
    // every file it names exists.
    qint64 boxes = 0;
    Dialogs::setMessageHandler([this, &boxes](const Dialogs::MessageRequest& request) {
        if (++boxes <= 5)
            m_out << "message box: " << request.title << ": " << request.text << Qt::endl;
    });

    frmMDI frame;
    frame.show();
    waitFor([] { return false; }, 300);
    Watchdog* watchdog = frame.watchdog();
    if (!watchdog) {
        m_out << "soak: the frame has no polling cycle" << Qt::endl;
        return 2;
    }

    SoakLedger ledger(o.lanes);
    FreezeMeter freeze;
    TickTimer ticks(&freeze, [&frame, &ledger](int lane, const QString& message) {
        // The simulator numbers its results files; the window shows whose
        // results it loaded.
        int resultsSeq = -1;
        if (message.contains(QLatin1String(";B#1;"))) {
            if (Scheibe* target = frame.scheibe(lane))
                resultsSeq = static_cast<int>(target->model().records.Kopfwerte[6].toDouble());
        }
        ledger.addHandled(lane, message, resultsSeq);
    });
    watchdog->addObserver(&ticks);

    LogReader log(ledger);
    QProcess simulator;
    QObject::connect(&simulator, &QProcess::readyReadStandardOutput, &simulator,
        [&] { log.feed(simulator.readAllStandardOutput()); });
    QObject::connect(&simulator, &QProcess::readyReadStandardError, &simulator,
        [&] { m_out << "simulator: " << QString::fromLocal8Bit(simulator.readAllStandardError()) << Qt::flush; });
    simulator.start(simulatorPath,
        {QStringLiteral("--dir"), exchange, QStringLiteral("--lanes"), QString::number(o.lanes),
            QStringLiteral("--pace"), QStringLiteral("0"), QStringLiteral("--seed"), QString::number(o.seed)});
    if (!simulator.waitForStarted(10000)) {
        m_out << "soak: cannot start " << simulatorPath << Qt::endl;
        return 2;
    }

    // The start-up step now instead of ten seconds after the frame appeared.
    FrameTimers& timers = frame.timers();
    timers.tmrStartUp.fire();
    timers.tmrWatchdog.setInterval(o.tickMs);

    m_out << "soak: " << o.lanes << " lanes, " << o.perPage << " per page every " << o.wechselzeit << " s, screen "
          << o.screen.width() << "x" << o.screen.height() << ", polling every " << o.tickMs
          << " ms, simulator at pace 0, " << o.minutes << " min, program folder " << m_folder.path()
          << ", exchange folder " << m_folder.exchange() << Qt::endl;

    const std::optional<qint64> rssStart = ResidentMemory::kib();
    std::optional<qint64> rssBaseline;
    std::optional<qint64> rssPeak = rssStart;
    QElapsedTimer clock;
    clock.start();
    ticks.markStart(clock);
    const qint64 durationMs = static_cast<qint64>(o.minutes * 60000);
    const qint64 baselineMs = static_cast<qint64>(o.baselineMinutes * 60000);
    qint64 nextReportMs = 60000;
    bool simulatorDied = false;

    freeze.start();
    QEventLoop loop;
    QTimer sampler;
    sampler.setInterval(1000);
    QObject::connect(&sampler, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.elapsed();
        const auto rss = ResidentMemory::kib();
        if (rss && (!rssPeak || *rss > *rssPeak))
            rssPeak = rss;
        if (!rssBaseline && now >= baselineMs)
            rssBaseline = rss;
        if (now >= nextReportMs) {
            m_out << QStringLiteral("  %1 min: %2 handled, %3 ticks, worst tick %4, longest hold %5, VmRSS %6")
                         .arg(double(now) / 60000, 0, 'f', 1)
                         .arg(ledger.handled())
                         .arg(ticks.ticks())
                         .arg(milliseconds(ticks.worstNs()), milliseconds(freeze.worstDuringTickNs()), megabytes(rss))
                  << Qt::endl;
            nextReportMs += 60000;
        }
        if (simulator.state() != QProcess::Running) {
            simulatorDied = true;
            loop.quit();
        }
        if (now >= durationMs)
            loop.quit();
    });
    sampler.start();
    loop.exec();
    sampler.stop();
    freeze.stop();
    const std::optional<qint64> rssEnd = ResidentMemory::kib();
    const qint64 runMs = clock.elapsed();

    // Stop taking messages; the simulator then fills every lane once more and
    // can send nothing further, so it can be stopped without cutting a
    // message off its log.
    timers.tmrWatchdog.setEnabled(false);
    const auto controlFile = [&exchange](int lane) {
        return QDir(exchange).filePath(
            Dateiname2002(1, lane, kDisplayRole, ExchangeDirection::Receive) + QStringLiteral(".ctl"));
    };
    const bool settled = waitFor(
        [&] {
            for (int lane = 1; lane <= o.lanes; ++lane) {
                if (!ledger.waiting(lane) || !QFileInfo::exists(controlFile(lane)))
                    return false;
            }
            return log.quietMs() > 500;
        },
        30000);
    simulator.terminate();
    if (!simulator.waitForFinished(5000)) {
        simulator.kill();
        simulator.waitForFinished(5000);
    }
    log.feed(simulator.readAllStandardOutput(), true);

    // The display takes the last message of every lane.
    // A message is taken when its control file goes, and handled once the
    // user-interface thread has applied what the workers took.
    const bool drained = waitFor(
        [&] {
            if (!watchdog->idle())
                return false;
            for (int lane = 1; lane <= o.lanes; ++lane) {
                if (QFileInfo::exists(controlFile(lane))) {
                    timers.tmrWatchdog.fire();
                    return false;
                }
            }
            return true;
        },
        60000);
    ledger.close();
    watchdog->removeObserver(&ticks);

    std::optional<double> growth;
    if (rssBaseline && rssEnd && *rssBaseline > 0)
        growth = 100.0 * double(*rssEnd - *rssBaseline) / double(*rssBaseline);

    QStringList faults;
    if (simulatorDied)
        faults << QStringLiteral("the simulator ended early");
    if (!settled)
        faults << QStringLiteral("the simulator did not settle before it was stopped");
    if (!drained)
        faults << QStringLiteral("messages were left in the exchange folder");
    if (ledger.handled() == 0)
        faults << QStringLiteral("no message was handled");
    if (ledger.lost() != 0)
        faults << QStringLiteral("messages lost");
    if (ledger.doubled() != 0)
        faults << QStringLiteral("messages doubled");
    if (ledger.wrongResults() != 0)
        faults << QStringLiteral("windows showing the results of another message");
    if (ledger.badLogLines() != 0)
        faults << QStringLiteral("simulator log out of order");
    if (boxes != 0)
        faults << QStringLiteral("message boxes");
    if (growth && *growth >= o.growthLimitPercent)
        faults << QStringLiteral("memory growth");

    const auto line = [this](const char* what, const QString& value) {
        m_out << QStringLiteral("%1 %2").arg(QLatin1String(what), -22).arg(value) << Qt::endl;
    };
    m_out << "soak report" << Qt::endl;
    line("run time", QString::number(double(runMs) / 60000, 'f', 2) + QStringLiteral(" min"));
    line("messages sent", QString::number(ledger.sent()));
    line("messages handled", QString::number(ledger.handled()));
    line("messages lost", QString::number(ledger.lost()));
    line("messages doubled", QString::number(ledger.doubled()));
    line("wrong results", QString::number(ledger.wrongResults()));
    line("message boxes", QString::number(boxes));
    line("ticks", QString::number(ticks.ticks()));
    line("worst tick",
        milliseconds(ticks.worstNs())
            + QStringLiteral(" (at %1 min)").arg(double(ticks.worstAtMs()) / 60000, 0, 'f', 2));
    line("mean tick", milliseconds(ticks.meanNs()));
    line("tick processor time",
        QStringLiteral("worst %1, mean %2").arg(milliseconds(ticks.worstCpuNs()), milliseconds(ticks.meanCpuNs())));
    line("ticks over 100 ms", QString::number(ticks.slowTicks()));
    line("longest UI hold",
        QStringLiteral("%1 during a tick, %2 at any time")
            .arg(milliseconds(freeze.worstDuringTickNs()), milliseconds(freeze.worstNs())));
    line("handled per second",
        QString::number(double(ledger.handled()) * 1000 / double(std::max<qint64>(runMs, 1)), 'f', 1));
    line("VmRSS start", megabytes(rssStart));
    line("VmRSS baseline", megabytes(rssBaseline) + QStringLiteral(" (at %1 min)").arg(o.baselineMinutes));
    line("VmRSS end", megabytes(rssEnd));
    line("VmRSS peak", megabytes(rssPeak));
    line("growth since baseline",
        growth ? QStringLiteral("%1 % (limit %2 %)").arg(*growth, 0, 'f', 2).arg(o.growthLimitPercent)
               : QStringLiteral("not measured (the run is not longer than the baseline mark)"));
    line("result",
        faults.isEmpty() ? QStringLiteral("PASS") : QStringLiteral("FAIL: ") + faults.join(QStringLiteral(", ")));
    return faults.isEmpty() ? 0 : 1;
}
