// The soak's ledger matches what the simulator sent with what the display
// handled, lane by lane, whichever side reports first, and counts every
// message lost, doubled or showing the wrong results.
#include "SoakLedger.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

QString message(int lane, const QString& shorthand)
{
    const QString value = shorthand.section(QLatin1Char(':'), 1);
    return shorthand.startsWith(QLatin1String("name:"))
        ? QStringLiteral("A#1;S#1;L#%1;B#4;N#%2").arg(lane).arg(value)
        : QStringLiteral("A#1;S#1;L#%1;B#1;N#Ergebnisse\\Bahn%1%2.erg").arg(lane).arg(value);
}

TEST(SoakLedger, CountsWhatWasSentAndHandled)
{
    for (const TestData::Line& row : TestData::lines(QStringLiteral("tables/soak-ledger.txt"))) {
        SCOPED_TRACE(row.where);
        SoakLedger ledger(2);
        qint64 lines = 0;
        for (const QString& step : row.cell(0).split(QLatin1Char(';'))) {
            const QStringList w = step.trimmed().split(QLatin1Char(' '));
            if (w[0] == QLatin1String("log"))
                lines += ledger.addLogLine(QStringLiteral("lane=%1 seq=%2 file=HCVS1L%1 value=%3")
                                               .arg(w[1], w[2], message(w[1].toInt(), w[3])));
            else if (w[0] == QLatin1String("handled"))
                ledger.addHandled(w[1].toInt(), message(w[1].toInt(), w[2]), w.value(3, QStringLiteral("-1")).toInt());
            else
                lines += ledger.addLogLine(step.trimmed().mid(5));
        }
        ledger.close();
        const QList<qint64> counts {ledger.sent(), ledger.handled(), ledger.lost(), ledger.doubled(),
            ledger.wrongResults(), ledger.badLogLines()};
        QStringList text;
        for (const qint64 count : counts)
            text << QString::number(count);
        EXPECT_EQ(text.join(QLatin1Char(' ')), row.cell(1));
        // Only a line that reports a message says so.
        EXPECT_EQ(lines, ledger.sent());
        EXPECT_EQ(ledger.matched(), ledger.handled() - ledger.doubled());
    }
}

} // namespace
