#include "ranking/RankingPage.h"

#include "ranking/RankingLine.h"

RankingPage fillRankingPage(const QStringList& queue, int zeilen)
{
    RankingPage page;
    const std::size_t rowCount = zeilen >= 0 ? std::size_t(zeilen) + 1 : 0;
    page.rows.resize(rowCount);
    page.linesShown.assign(rowCount, false);

    auto set = [&page](int row, RankingColumn column, const QString& text) {
        page.rows[std::size_t(row)][std::size_t(column)] = text;
    };

    int r = 0;
    while (r < zeilen - 2) {
        if (page.consumed >= queue.size())
            break;
        const RankingLine line(queue.at(page.consumed));
        ++page.consumed;
        const int n = line.shotCount();

        set(r, RankingColumn::Rang, line.field(1) + QLatin1Char('.'));
        set(r, RankingColumn::TitelName, line.field(3) + QStringLiteral(", ") + line.field(4));
        set(r, RankingColumn::VereinsName, line.field(5));
        set(r, RankingColumn::LNr, line.field(7));
        for (int k = 1; k <= 6; ++k) {
            if (n > 10 * (k - 1))
                set(r, rankingSeriesColumn(k), line.field(8 + k));
        }
        if (n > 60) {
            ++r;
            for (int k = 1; k <= 6; ++k) {
                if (n > 60 + 10 * (k - 1))
                    set(r, rankingSeriesColumn(k), line.field(14 + k));
            }
        }
        set(r, RankingColumn::GesErg, line.field(6));
        set(r, RankingColumn::SNr, line.field(8));
        page.linesShown[std::size_t(r) + 1] = true;
        ++r;
    }
    return page;
}
