#include "ranking/RankingPage.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

// A line as the evaluation software writes it; series k holds "s<k>".
QString shooter(int rank, int shots)
{
    QStringList fields {QString::number(rank), QStringLiteral("x"), QStringLiteral("Meier"), QStringLiteral("Anna"),
        QStringLiteral("SV Tell"), QStringLiteral("387"), QStringLiteral("4"), QString::number(shots)};
    for (int k = 1; k <= 12; ++k)
        fields.append(QStringLiteral("s%1").arg(k));
    return fields.join(QLatin1Char(';'));
}

QStringList shooters(int count, int shots = 40)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(shooter(i, shots));
    return lines;
}

// The series texts written into a row joined by "|", empty text for series not written.
QString seriesOf(const RankingPage& page, int row)
{
    QStringList series;
    for (int k = 1; k <= 6; ++k)
        series.append(page.cell(row, rankingSeriesColumn(k)).value_or(QString()));
    return series.join(QLatin1Char('|'));
}

const QString noSeries = QStringLiteral("|||||");

bool rowUntouched(const RankingPage& page, int row)
{
    for (const std::optional<QString>& cell : page.rows[std::size_t(row)]) {
        if (cell)
            return false;
    }
    return true;
}

constexpr int Zeilen = 21;

} // namespace

TEST(RankingPage, ShowsTheSeriesFired)
{
    // Shots; series on the first row and, for a shooter who takes two rows, on the second.
    const std::tuple<int, const char*, const char*> cases[]
        = {{0, "|||||", ""}, {10, "s1|||||", ""}, {11, "s1|s2||||", ""}, {60, "s1|s2|s3|s4|s5|s6", ""},
            {61, "s1|s2|s3|s4|s5|s6", "s7|||||"}, {111, "s1|s2|s3|s4|s5|s6", "s7|s8|s9|s10|s11|s12"}};
    for (const auto& [shots, firstRow, secondRow] : cases) {
        SCOPED_TRACE(shots);
        const RankingPage page = fillRankingPage({shooter(1, shots)}, Zeilen);
        ASSERT_EQ(page.consumed, 1);
        EXPECT_EQ(seriesOf(page, 0), QLatin1String(firstRow));
        EXPECT_EQ(page.cell(0, RankingColumn::Rang), QStringLiteral("1."));
        EXPECT_EQ(page.cell(0, RankingColumn::TitelName), QStringLiteral("Meier, Anna"));
        EXPECT_EQ(page.cell(0, RankingColumn::VereinsName), QStringLiteral("SV Tell"));
        EXPECT_EQ(page.cell(0, RankingColumn::LNr), QStringLiteral("4"));

        const int last = *secondRow ? 1 : 0;
        if (last == 1) {
            EXPECT_EQ(seriesOf(page, 1), QLatin1String(secondRow));
            for (RankingColumn column :
                {RankingColumn::Rang, RankingColumn::TitelName, RankingColumn::VereinsName, RankingColumn::LNr})
                EXPECT_FALSE(page.cell(1, column));
            EXPECT_FALSE(page.cell(0, RankingColumn::GesErg));
            EXPECT_FALSE(page.cell(0, RankingColumn::SNr));
        } else {
            EXPECT_TRUE(rowUntouched(page, 1));
        }
        EXPECT_EQ(page.cell(last, RankingColumn::GesErg), QStringLiteral("387"));
        EXPECT_EQ(page.cell(last, RankingColumn::SNr), QString::number(shots));
        // Only the line under the shooter's last row, none between its rows.
        for (int r = 0; r <= Zeilen; ++r)
            EXPECT_EQ(page.linesShown[std::size_t(r)], r == last + 1) << r;
    }
}

TEST(RankingPage, FiveShootersOnAPageOfNineteen)
{
    const RankingPage page = fillRankingPage(shooters(5), Zeilen);
    EXPECT_EQ(page.consumed, 5);
    ASSERT_EQ(page.rows.size(), std::size_t(Zeilen + 1));
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(page.cell(r, RankingColumn::Rang), QStringLiteral("%1.").arg(r + 1));
    for (int r = 5; r <= Zeilen; ++r)
        EXPECT_TRUE(rowUntouched(page, r)) << r;
    for (int r = 0; r <= Zeilen; ++r)
        EXPECT_EQ(page.linesShown[std::size_t(r)], r >= 1 && r <= 5) << r;
}

TEST(RankingPage, NextPageContinuesAtRowZero)
{
    QStringList queue = shooters(30);
    const RankingPage first = fillRankingPage(queue, Zeilen);
    EXPECT_EQ(first.consumed, Zeilen - 2);
    EXPECT_EQ(first.cell(18, RankingColumn::Rang), QStringLiteral("19."));
    EXPECT_TRUE(rowUntouched(first, 19));

    queue.remove(0, first.consumed);
    const RankingPage second = fillRankingPage(queue, Zeilen);
    EXPECT_EQ(second.consumed, 11);
    EXPECT_EQ(second.cell(0, RankingColumn::Rang), QStringLiteral("20."));
    EXPECT_EQ(second.cell(10, RankingColumn::Rang), QStringLiteral("30."));
}

TEST(RankingPage, TwoRowShooterMayUseTheRowAfterTheLastStart)
{
    const RankingPage page = fillRankingPage(shooters(15, 70), Zeilen);
    // Starts on rows 0, 2, ..., 18; the last one ends on row 19.
    EXPECT_EQ(page.consumed, 10);
    EXPECT_EQ(page.cell(18, RankingColumn::Rang), QStringLiteral("10."));
    EXPECT_EQ(page.cell(19, RankingColumn::SNr), QStringLiteral("70"));
    EXPECT_TRUE(page.linesShown[20]);
    EXPECT_FALSE(page.linesShown[19]);
    EXPECT_TRUE(rowUntouched(page, 20));
}

TEST(RankingPage, ShortLinesAndBadShotCounts)
{
    const RankingPage page = fillRankingPage(
        {shooter(3, 40), QStringLiteral(";;;;;;;"), QStringLiteral("7;x;Kurz"), shooter(1, 99999), shooter(2, -5)},
        Zeilen);
    EXPECT_EQ(page.consumed, 5);
    EXPECT_EQ(page.cell(0, RankingColumn::Rang), QStringLiteral("3."));
    EXPECT_EQ(page.cell(1, RankingColumn::Rang), QStringLiteral("."));
    EXPECT_EQ(page.cell(1, RankingColumn::TitelName), QStringLiteral(", "));
    EXPECT_EQ(page.cell(2, RankingColumn::TitelName), QStringLiteral("Kurz, "));
    EXPECT_EQ(page.cell(2, RankingColumn::SNr), QString());
    EXPECT_EQ(seriesOf(page, 2), noSeries);
    // Shot counts beyond 16 bits or below zero show no series.
    EXPECT_EQ(page.cell(3, RankingColumn::SNr), QStringLiteral("99999"));
    EXPECT_EQ(seriesOf(page, 3), noSeries);
    EXPECT_EQ(seriesOf(page, 4), noSeries);
}

TEST(RankingPage, EmptyQueueOrTooFewRowsWritesNothing)
{
    for (int zeilen : {-1, 0, 1, 2}) {
        const RankingPage page = fillRankingPage(shooters(3), zeilen);
        EXPECT_EQ(page.consumed, 0) << zeilen;
    }
    const RankingPage empty = fillRankingPage({}, Zeilen);
    EXPECT_EQ(empty.consumed, 0);
    for (int r = 0; r <= Zeilen; ++r)
        EXPECT_TRUE(rowUntouched(empty, r));

    const RankingPage one = fillRankingPage(shooters(3, 70), 3);
    EXPECT_EQ(one.consumed, 1);
    EXPECT_TRUE(one.linesShown[2]);
}
