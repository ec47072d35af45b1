// The soak's ledger matches what the simulator sent with what the display
// handled, lane by lane, whichever side reports first, and counts every
// message lost, doubled or showing the wrong results.
#include "SoakLedger.h"

#include <gtest/gtest.h>

namespace {

QString results(int lane, char file)
{
    return QStringLiteral("A#1;S#1;L#%1;B#1;N#Ergebnisse\\Bahn%1%2.erg").arg(lane).arg(QLatin1Char(file));
}

QString name(int lane, const char* who)
{
    return QStringLiteral("A#1;S#1;L#%1;B#4;N#%2").arg(lane).arg(QLatin1String(who));
}

QString logLine(int lane, int seq, const QString& message)
{
    return QStringLiteral("lane=%1 seq=%2 file=HCVS1L%1 value=%3").arg(lane).arg(seq).arg(message);
}

struct Counts {
    qint64 sent, handled, lost, doubled, wrongResults, badLogLines;
};

void expectCounts(const SoakLedger& ledger, const Counts& c)
{
    EXPECT_EQ(ledger.sent(), c.sent);
    EXPECT_EQ(ledger.handled(), c.handled);
    EXPECT_EQ(ledger.lost(), c.lost);
    EXPECT_EQ(ledger.doubled(), c.doubled);
    EXPECT_EQ(ledger.wrongResults(), c.wrongResults);
    EXPECT_EQ(ledger.badLogLines(), c.badLogLines);
}

TEST(SoakLedger, ASoundRunMatchesEveryMessageWhicheverSideReportsFirst)
{
    SoakLedger ledger(2);
    EXPECT_TRUE(ledger.addLogLine(logLine(1, 1, name(1, "Anna Berger"))));
    EXPECT_TRUE(ledger.waiting(1));
    ledger.addHandled(1, name(1, "Anna Berger"), -1);
    EXPECT_FALSE(ledger.waiting(1));
    // The display may take a message before its log line has been read.
    ledger.addHandled(2, results(2, 'a'), 1);
    EXPECT_FALSE(ledger.waiting(2));
    EXPECT_TRUE(ledger.addLogLine(logLine(2, 1, results(2, 'a'))));
    // The same text twice in a row is two messages.
    EXPECT_TRUE(ledger.addLogLine(logLine(1, 2, name(1, "Anna Berger"))));
    ledger.addHandled(1, name(1, "Anna Berger"), -1);
    EXPECT_FALSE(ledger.addLogLine(QStringLiteral("done")));
    ledger.close();
    expectCounts(ledger, {3, 3, 0, 0, 0, 0});
    EXPECT_EQ(ledger.matched(), 3);
}

TEST(SoakLedger, FaultsAreCounted)
{
    const struct {
        const char* what;
        void (*run)(SoakLedger&);
        Counts expected;
    } cases[] = {
        {"a message never handled",
            [](SoakLedger& l) {
                l.addLogLine(logLine(1, 1, name(1, "A")));
                l.addLogLine(logLine(1, 2, results(1, 'a')));
                l.addHandled(1, results(1, 'a'), 2);
            },
            {2, 1, 1, 0, 0, 0}},
        {"the last message never handled", [](SoakLedger& l) { l.addLogLine(logLine(1, 1, name(1, "A"))); },
            {1, 0, 1, 0, 0, 0}},
        {"a message handled twice",
            [](SoakLedger& l) {
                l.addLogLine(logLine(1, 1, name(1, "A")));
                l.addHandled(1, name(1, "A"), -1);
                l.addHandled(1, name(1, "A"), -1);
                l.addLogLine(logLine(1, 2, results(1, 'a')));
                l.addHandled(1, results(1, 'a'), 2);
            },
            {2, 3, 0, 1, 0, 0}},
        {"a message handled that was never sent", [](SoakLedger& l) { l.addHandled(1, name(1, "B"), -1); },
            {0, 1, 0, 1, 0, 0}},
        {"a message handled on a lane outside the range", [](SoakLedger& l) { l.addHandled(3, name(3, "C"), -1); },
            {0, 1, 0, 1, 0, 0}},
        {"a window showing the results of another message",
            [](SoakLedger& l) {
                l.addLogLine(logLine(2, 1, results(2, 'a')));
                l.addHandled(2, results(2, 'a'), 7);
            },
            {1, 1, 0, 0, 1, 0}},
        {"the log numbering a lane's messages out of turn",
            [](SoakLedger& l) {
                l.addLogLine(logLine(1, 2, name(1, "A")));
                l.addHandled(1, name(1, "A"), -1);
            },
            {1, 1, 0, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SoakLedger ledger(2);
        c.run(ledger);
        ledger.close();
        expectCounts(ledger, c.expected);
    }
}

TEST(SoakLedger, AMalformedLogLineIsCountedAndNotTakenAsAMessage)
{
    SoakLedger ledger(2);
    EXPECT_FALSE(ledger.addLogLine(QStringLiteral("lane=x seq=1 file=HCVS1L1 value=A#1")));
    EXPECT_FALSE(ledger.addLogLine(QStringLiteral("lane=1 seq=1")));
    ledger.close();
    expectCounts(ledger, {0, 0, 0, 0, 0, 2});
}

} // namespace
