#include "ranking/RankingColumn.h"

QString rankingColumnName(RankingColumn column)
{
    switch (column) {
    case RankingColumn::Rang:
        return QStringLiteral("lblRang");
    case RankingColumn::TitelName:
        return QStringLiteral("lblTitelName");
    case RankingColumn::VereinsName:
        return QStringLiteral("lblVereinsName");
    case RankingColumn::LNr:
        return QStringLiteral("lblLNr");
    case RankingColumn::GesErg:
        return QStringLiteral("lblGesErg");
    case RankingColumn::SNr:
        return QStringLiteral("lblSNr");
    default:
        return QStringLiteral("lblSerieErg") + QString::number(int(column) - int(RankingColumn::SerieErg1) + 1);
    }
}

RankingColumn rankingSeriesColumn(int k)
{
    return RankingColumn(int(RankingColumn::SerieErg1) + k - 1);
}
