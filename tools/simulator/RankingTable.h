#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One shooter's line in the ranking the server publishes.
struct RankingEntry {
    QString name;
    QString vorname;
    QString verein;
    int totalTenths = 0;
    QString totalText;
    int lane = 0;
    int shots = 0;
    QStringList series; // up to 12
};

namespace RankingTable {

// Best total first; equal totals share the place, ties broken by lane.
QList<RankingEntry> sorted(QList<RankingEntry> entries);
// Places in lane order as (lane, place) for the older protocol's places file.
QList<std::pair<int, int>> places(const QList<RankingEntry>& entries);
// The ranking file: per shooter one line of 20 fields separated by ";"
// (Rang; unused; Name; Vorname; Verein; GesErg; LNr; SNr; Serie1..12),
// CR LF, Windows-1252. Separators inside a field are replaced by blanks.
QByteArray csv(const QList<RankingEntry>& entries);

} // namespace RankingTable
