// The polling cycle against the scoring-system simulator running as a separate
// process on a temporary exchange folder: every message must reach its target
// exactly once and in order, and the files must be left clean.
#include "exchange/Austausch.h"
#include "exchange/ExchangeCodes.h"
#include "shell/FrameTimers.h"
#include "shell/ProgramState.h"
#include "shell/Watchdog.h"
#include "support/TestDialogs.h"
#include "target/ResultsFile.h"
#include "watchdog_fakes.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int kLanes = 16;
constexpr int kMessages = 2400;
constexpr qint64 kTimeoutMs = 100000;

QString simulatorPath()
{
    const QByteArray binDir = qgetenv("OMR_BIN_DIR");
    const QString dir = binDir.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")
                                         : QString::fromLocal8Bit(binDir);
    return QDir(dir).filePath(QStringLiteral("omr_simulator"));
}

struct SentMessage {
    int seq = 0;
    QString file;
    QString value;
};

// "lane=3 seq=17 file=HCVS1L3 value=A#1;..." per message the simulator sent.
QMap<int, QList<SentMessage>> parseLog(const QString& log, int& total, bool& done)
{
    static const QRegularExpression line(QStringLiteral("^lane=(\\d+) seq=(\\d+) file=(\\S+) value=(.*)$"));
    QMap<int, QList<SentMessage>> perLane;
    total = 0;
    done = false;
    for (const QString& text : log.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (text == QLatin1String("done")) {
            done = true;
            continue;
        }
        const auto match = line.match(text);
        if (!match.hasMatch())
            continue;
        perLane[match.captured(1).toInt()].append({match.captured(2).toInt(), match.captured(3), match.captured(4)});
        ++total;
    }
    return perLane;
}

class WatchdogEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestDialogs::install();
        TestDialogs::clear();
        state.settings.Scheibenanzahl = kLanes;
        state.settings.NetzwerkPfad = dir.path();
        for (int lane = 1; lane <= kLanes; ++lane) {
            RecordingLane& target = targets.lane(lane);
            target.onLadeErgebnisse = [this, lane, &target](const QString& datei) {
                TargetRecords& r = records[lane];
                if (ResultsFile::LadeErgebnisse(datei, r))
                    target.calls << QStringLiteral("loaded seq=%1").arg(r.Kopfwerte[6].toString());
                else
                    target.calls << QStringLiteral("load failed");
            };
        }
    }

    QString inDir(QString name) const
    {
        return QDir(dir.path()).filePath(name.replace(QLatin1Char('\\'), QLatin1Char('/')));
    }

    // Runs the simulator to its end while the cycle ticks as fast as it can.
    QString runAgainstSimulator(const QString& protocol)
    {
        QProcess simulator;
        simulator.setProgram(simulatorPath());
        simulator.setArguments({QStringLiteral("--dir"), dir.path(), QStringLiteral("--lanes"), QString::number(kLanes),
            QStringLiteral("--protocol"), protocol, QStringLiteral("--pace"), QStringLiteral("0"),
            QStringLiteral("--seed"), QStringLiteral("7"), QStringLiteral("--messages"), QString::number(kMessages)});
        simulator.setProcessChannelMode(QProcess::SeparateChannels);
        simulator.start();
        if (!simulator.waitForStarted(10000)) {
            ADD_FAILURE() << "cannot start " << qPrintable(simulatorPath());
            return {};
        }
        QElapsedTimer clock;
        clock.start();
        while (simulator.state() != QProcess::NotRunning && clock.elapsed() < kTimeoutMs) {
            watchdog.tick();
            QCoreApplication::processEvents();
        }
        if (simulator.state() != QProcess::NotRunning) {
            simulator.kill();
            simulator.waitForFinished(5000);
            ADD_FAILURE() << "the simulator did not finish in time";
        }
        simulator.waitForFinished(5000);
        EXPECT_EQ(simulator.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(simulator.exitCode(), 0) << simulator.readAllStandardError().constData();
        return QString::fromUtf8(simulator.readAllStandardOutput());
    }

    // What the cycle must have called on a lane for each message, in order.
    QStringList expectedCalls2002(const QList<SentMessage>& sent) const
    {
        static const QRegularExpression record(QStringLiteral("^A#1;S#1;L#\\d+;B#(\\d+);N#(.*)$"));
        QStringList calls;
        for (const SentMessage& m : sent) {
            const auto match = record.match(m.value);
            if (!match.hasMatch()) {
                calls << QStringLiteral("unexpected record %1").arg(m.value);
                continue;
            }
            const QString n = match.captured(2);
            switch (match.captured(1).toInt()) {
            case 1:
                calls << QStringLiteral("LadeErgebnisse(%1)").arg(inDir(n))
                      << QStringLiteral("loaded seq=%1").arg(m.seq);
                break;
            case 2:
                calls << QStringLiteral("SetProbe(%1)").arg(n == QLatin1String("0") ? 0 : 1);
                break;
            case 4:
                calls << QStringLiteral("gTitelName(%1)").arg(n);
                break;
            case 47:
                calls << QStringLiteral("HS_Laden(%1)").arg(inDir(n)) << QStringLiteral("ZoomNummer(0)")
                      << QStringLiteral("Zoom(1)");
                break;
            case 48:
                calls << QStringLiteral("Init2002") << QStringLiteral("HD_Laden(%1)").arg(inDir(n));
                break;
            case 49:
                calls << QStringLiteral("HW_Laden(%1)").arg(inDir(n));
                break;
            default:
                calls << QStringLiteral("unexpected type %1").arg(m.value);
            }
            calls << QStringLiteral("Refresh");
        }
        return calls;
    }

    QStringList expectedCallsAlt(const QList<SentMessage>& sent) const
    {
        QStringList calls;
        for (const SentMessage& m : sent) {
            if (m.file.startsWith(QLatin1String("HAnz"))) {
                calls << QStringLiteral("Init(%1)").arg(m.value);
            } else {
                calls << QStringLiteral("LadeErgebnisse(%1)").arg(m.value) << QStringLiteral("loaded seq=%1").arg(m.seq)
                      << QStringLiteral("Refresh");
            }
        }
        return calls;
    }

    void checkRun(const QString& log, bool alt)
    {
        int total = 0;
        bool done = false;
        const auto perLane = parseLog(log, total, done);
        EXPECT_TRUE(done);
        EXPECT_EQ(total, kMessages);
        EXPECT_EQ(perLane.size(), kLanes);

        int placeCalls = 0;
        for (int lane = 1; lane <= kLanes; ++lane) {
            const QList<SentMessage>& sent = perLane.value(lane);
            for (qsizetype i = 0; i < sent.size(); ++i)
                ASSERT_EQ(sent[i].seq, i + 1) << "lane " << lane;
            QStringList calls;
            for (const QString& call : targets.lane(lane).calls) {
                // Places of the older protocol come beside the messages.
                if (call.startsWith(QLatin1String("Platz(")) || call == QLatin1String("TextBelegen")
                    || call == QLatin1String("refreshPlatz")) {
                    ++placeCalls;
                    continue;
                }
                calls << call;
            }
            const QStringList expected = alt ? expectedCallsAlt(sent) : expectedCalls2002(sent);
            ASSERT_EQ(calls.size(), expected.size()) << "lane " << lane;
            for (qsizetype i = 0; i < calls.size(); ++i)
                ASSERT_EQ(calls[i], expected[i]) << "lane " << lane << " call " << i;

            // The target holds the results of the lane's last results message.
            int lastResults = 0;
            for (const SentMessage& m : sent) {
                if (m.value.contains(QLatin1String("Ergebnisse")))
                    lastResults = m.seq;
            }
            ASSERT_GT(lastResults, 0) << "lane " << lane;
            EXPECT_EQ(records[lane].Kopfwerte[6].toDouble(), lastResults) << "lane " << lane;
            EXPECT_EQ(records[lane].Kopfwerte[5].toDouble(), lane);
            EXPECT_GT(records[lane].AktuellerSatz.SchussNummer, 0);
        }
        if (alt) {
            EXPECT_GT(placeCalls, 0);
        }

        const QStringList left = QDir(dir.path()).entryList(QDir::Files);
        for (const QString& file : left) {
            EXPECT_FALSE(file.endsWith(QLatin1String(".ctl"), Qt::CaseInsensitive)) << qPrintable(file);
            EXPECT_FALSE(file.compare(QLatin1String("HPlatz.hwv"), Qt::CaseInsensitive) == 0);
        }
        EXPECT_TRUE(TestDialogs::messages().isEmpty());
    }

    QTemporaryDir dir;
    ProgramState state;
    FrameTimers timers;
    RecordingTargets targets {kLanes};
    FakeRankingView ranking;
    Watchdog watchdog {state, timers, targets, ranking};
    QMap<int, TargetRecords> records;
};

TEST_F(WatchdogEndToEnd, Telvox2002)
{
    state.settings.VerbindungsArt = 1;
    checkRun(runAgainstSimulator(QStringLiteral("2002")), false);
}

TEST_F(WatchdogEndToEnd, Telvox2002DisplayServer2)
{
    state.settings.VerbindungsArt = 1;
    state.settings.AnzeigeServerNr = 1;
    checkRun(runAgainstSimulator(QStringLiteral("2002s2")), false);
    EXPECT_FALSE(QFile::exists(inDir(QStringLiteral("HCVS1L1.nrt"))));
    EXPECT_TRUE(QFile::exists(inDir(QStringLiteral("HCVS1L1-1.nrt"))));
}

TEST_F(WatchdogEndToEnd, OlderProtocol)
{
    state.settings.VerbindungsArt = 0;
    checkRun(runAgainstSimulator(QStringLiteral("alt")), true);
}

TEST_F(WatchdogEndToEnd, RankingRequestIsAnswered)
{
    const QString rankingDir = inDir(QStringLiteral("rangliste"));
    QDir().mkpath(rankingDir);
    QString request = QStringLiteral("1$1$0$0$3");
    ASSERT_EQ(AustauschRangliste(request, 3, 1, rankingDir, 1, 1), ExchangeCode::Done);

    QProcess simulator;
    simulator.start(simulatorPath(),
        {QStringLiteral("--dir"), dir.path(), QStringLiteral("--lanes"), QStringLiteral("4"), QStringLiteral("--pace"),
            QStringLiteral("0"), QStringLiteral("--messages"), QStringLiteral("40"), QStringLiteral("--ranking-dir"),
            rankingDir, QStringLiteral("--server-id"), QStringLiteral("3"), QStringLiteral("--quiet")});
    ASSERT_TRUE(simulator.waitForStarted(10000));
    state.settings.VerbindungsArt = 1;
    QElapsedTimer clock;
    clock.start();
    while (simulator.state() != QProcess::NotRunning && clock.elapsed() < kTimeoutMs) {
        watchdog.tick();
        QCoreApplication::processEvents();
    }
    simulator.waitForFinished(5000);

    QString answer;
    ASSERT_EQ(AustauschRangliste(answer, 3, 1, rankingDir, 2, 1), ExchangeCode::Done);
    EXPECT_EQ(answer, QStringLiteral("HRang3.csv"));
    EXPECT_FALSE(QFile::exists(QDir(rankingDir).filePath(QStringLiteral("HRngCS3.ctl"))));
    QFile csv(QDir(rankingDir).filePath(QStringLiteral("HRang3.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    // Discipline 1 (air rifle) shoots on lanes 1 and 3.
    ASSERT_EQ(lines.size(), 3);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(lines[i].endsWith('\r'));
        EXPECT_EQ(lines[i].count(';'), 19);
        EXPECT_FALSE(lines[i].contains(','));
    }
    EXPECT_TRUE(lines[2].isEmpty());
}

} // namespace
