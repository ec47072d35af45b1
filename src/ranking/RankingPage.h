#pragma once

#include "ranking/RankingColumn.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// What one page of the ranking list writes into the rows. Rows are emptied
// beforehand; a cell that the page does not write keeps its empty text, so
// only the written cells are carried.
struct RankingPage {
    using Row = std::array<std::optional<QString>, RankingColumnCount>;

    // Rows 0 .. Zeilen.
    std::vector<Row> rows;
    // Element r: the separator line lnZeile r (the line above row r) is shown.
    std::vector<bool> linesShown;
    // Lines taken from the front of the queue.
    int consumed = 0;

    const std::optional<QString>& cell(int row, RankingColumn column) const
    {
        return rows[std::size_t(row)][std::size_t(column)];
    }
};

// Fills the next page from the queue for a window with rows 0 .. zeilen:
// at most zeilen - 2 shooters start on a page; a shooter with more than 60
// shots takes a second row for series 7 to 12, and total and shot count stand
// on the shooter's last row; the separator under that row is shown.
RankingPage fillRankingPage(const QStringList& queue, int zeilen);
