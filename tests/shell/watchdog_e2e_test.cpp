// The polling cycle against the scoring-system simulator running as a separate
// process on a temporary exchange folder: every message must reach its target
// exactly once and in order, and the files must be left clean.
#include "exchange/ExchangeCodes.h"
#include "target/ResultsFile.h"
#include "watchdog_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>

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

class WatchdogEndToEnd : public WatchdogTest {
protected:
    WatchdogEndToEnd() : WatchdogTest(kLanes) { }
    void SetUp() override
    {
        WatchdogTest::SetUp();
        for (int lane = 1; lane <= kLanes; ++lane) {
            targets.lane(lane).onLadeErgebnisse = [this, lane](const QString& datei) {
                TargetRecords& r = records[lane];
                calls(lane) << (ResultsFile::LadeErgebnisse(datei, r)
                        ? QStringLiteral("loaded seq=%1").arg(r.Kopfwerte[6].toString())
                        : QStringLiteral("load failed"));
            };
        }
    }

    QString inDir(QString name) const { return path(name.replace(QLatin1Char('\\'), QLatin1Char('/'))); }

    // Runs the simulator to its end while the cycle ticks as fast as it can;
    // returns what it wrote to its standard output.
    QString runSimulator(const QStringList& arguments)
    {
        QProcess simulator;
        simulator.start(simulatorPath(),
            QStringList {QStringLiteral("--dir"), folder(), QStringLiteral("--pace"), QStringLiteral("0")} + arguments);
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
            ADD_FAILURE() << "the simulator did not finish in time";
        }
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
        return runSimulator({QStringLiteral("--lanes"), QString::number(kLanes), QStringLiteral("--protocol"), protocol,
            QStringLiteral("--seed"), QStringLiteral("7"), QStringLiteral("--messages"), QString::number(kMessages)});
    }

    // What the cycle must have called on a lane for one message of the 2002
    // protocol: %F is the file named, %N the text, %P the sighting flag and %S
    // the message's number.
    QStringList expectedCalls2002(const SentMessage& m) const
    {
        static const QRegularExpression record(QStringLiteral("^A#1;S#1;L#\\d+;B#(\\d+);N#(.*)$"));
        static const QMap<int, QStringList> calls {
            {1, {QStringLiteral("LadeErgebnisse(%F)"), QStringLiteral("loaded seq=%S")}},
            {2, {QStringLiteral("SetProbe(%P)")}}, {4, {QStringLiteral("gTitelName(%N)")}},
            {47, {QStringLiteral("HS_Laden(%F)"), QStringLiteral("ZoomNummer(0)"), QStringLiteral("Zoom(1)")}},
            {48, {QStringLiteral("Init2002"), QStringLiteral("HD_Laden(%F)")}}, {49, {QStringLiteral("HW_Laden(%F)")}}};
        const auto match = record.match(m.value);
        const QString n = match.captured(2);
        QStringList expected = calls.value(
            match.hasMatch() ? match.captured(1).toInt() : -1, {QStringLiteral("unexpected record %1").arg(m.value)});
        for (QString& call : expected) {
            call.replace(QLatin1String("%F"), inDir(n)).replace(QLatin1String("%S"), QString::number(m.seq));
            call.replace(QLatin1String("%P"), n == QLatin1String("0") ? QStringLiteral("0") : QStringLiteral("1"));
            call.replace(QLatin1String("%N"), n);
        }
        return expected << QStringLiteral("Refresh");
    }
    static QStringList expectedCallsAlt(const SentMessage& m)
    {
        if (m.file.startsWith(QLatin1String("HAnz")))
            return {QStringLiteral("Init(%1)").arg(m.value)};
        return {QStringLiteral("LadeErgebnisse(%1)").arg(m.value), QStringLiteral("loaded seq=%1").arg(m.seq),
            QStringLiteral("Refresh")};
    }

    // The log has "lane=3 seq=17 file=HCVS1L3 value=A#1;..." per message sent.
    void checkRun(const QString& log, bool alt)
    {
        static const QRegularExpression line(QStringLiteral("^lane=(\\d+) seq=(\\d+) file=(\\S+) value=(.*)$"));
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
        EXPECT_TRUE(log.split(QLatin1Char('\n')).contains(QStringLiteral("done")));
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
            ASSERT_EQ(received.size(), expected.size()) << "lane " << lane;
            for (qsizetype i = 0; i < received.size(); ++i)
                ASSERT_EQ(received[i], expected[i]) << "lane " << lane << " call " << i;

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
    }

    QMap<int, TargetRecords> records;
};

TEST_F(WatchdogEndToEnd, Telvox2002)
{
    checkRun(runProtocol(QStringLiteral("2002")), false);
}

TEST_F(WatchdogEndToEnd, Telvox2002DisplayServer2)
{
    state.settings.AnzeigeServerNr = 1;
    checkRun(runProtocol(QStringLiteral("2002s2")), false);
    EXPECT_FALSE(exists(QStringLiteral("HCVS1L1.nrt")));
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L1-1.nrt")));
}

TEST_F(WatchdogEndToEnd, OlderProtocol)
{
    state.settings.VerbindungsArt = 0;
    checkRun(runProtocol(QStringLiteral("alt")), true);
}

TEST_F(WatchdogEndToEnd, RankingRequestIsAnswered)
{
    const QString rankingDir = path(QStringLiteral("rangliste"));
    QDir().mkpath(rankingDir);
    QString request = QStringLiteral("1$1$0$0$3");
    ASSERT_EQ(AustauschRangliste(request, 3, 1, rankingDir, 1, 1), ExchangeCode::Done);
    runSimulator({QStringLiteral("--lanes"), QStringLiteral("4"), QStringLiteral("--messages"), QStringLiteral("40"),
        QStringLiteral("--ranking-dir"), rankingDir, QStringLiteral("--server-id"), QStringLiteral("3"),
        QStringLiteral("--quiet")});

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
