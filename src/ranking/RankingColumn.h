#pragma once

#include <QString>

// The twelve label arrays of a ranking row, in the order in which the rows
// are created and emptied.
enum class RankingColumn {
    Rang,
    TitelName,
    VereinsName,
    LNr,
    SerieErg1,
    SerieErg2,
    SerieErg3,
    SerieErg4,
    SerieErg5,
    SerieErg6,
    GesErg,
    SNr,
};

inline constexpr int RankingColumnCount = 12;

// Name of the label array ("lblRang", "lblSerieErg3", ...); element r of the
// array is the widget named this plus r.
QString rankingColumnName(RankingColumn column);

// SerieErg1 .. SerieErg6 for k = 1 .. 6.
RankingColumn rankingSeriesColumn(int k);
