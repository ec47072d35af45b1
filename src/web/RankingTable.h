#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The ranking for the page: every line the ranking window was given, laid
// out into rows by the window's own rule (a shooter with more than 60 shots
// takes a second row for series 7 to 12), all on one page.
namespace RankingTable {

// At most this many lines go to the page.
constexpr int MaxLines = 1000;

// {"t": "ranking", "title", "rows": [{"c": [12 cells], "end": last row of a
// shooter}]}; the cells in the order of the window's columns.
QByteArray message(const QStringList& lines, const QString& title);

} // namespace RankingTable
