#include "RankingTable.h"

#include "platform/TextCodec.h"

#include <algorithm>

namespace {

// The file has no quoting: a ";" would shift the fields, a "," or a double
// quote would cut the line when the display reads it item by item.
QString field(QString text)
{
    for (const QChar c : {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('"')})
        text.replace(c, QLatin1Char(' '));
    return text;
}

QList<int> placeNumbers(const QList<RankingEntry>& sorted)
{
    QList<int> numbers;
    for (qsizetype i = 0; i < sorted.size(); ++i) {
        if (i > 0 && sorted[i].totalTenths == sorted[i - 1].totalTenths)
            numbers << numbers.last();
        else
            numbers << static_cast<int>(i + 1);
    }
    return numbers;
}

} // namespace

namespace RankingTable {

QList<RankingEntry> sorted(QList<RankingEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const RankingEntry& a, const RankingEntry& b) {
        if (a.totalTenths != b.totalTenths)
            return a.totalTenths > b.totalTenths;
        return a.lane < b.lane;
    });
    return entries;
}

QList<std::pair<int, int>> places(const QList<RankingEntry>& entries)
{
    const QList<RankingEntry> ranked = sorted(entries);
    const QList<int> numbers = placeNumbers(ranked);
    QList<std::pair<int, int>> result;
    for (qsizetype i = 0; i < ranked.size(); ++i)
        result.append({ranked[i].lane, numbers[i]});
    std::sort(result.begin(), result.end());
    return result;
}

QByteArray csv(const QList<RankingEntry>& entries)
{
    const QList<RankingEntry> ranked = sorted(entries);
    const QList<int> numbers = placeNumbers(ranked);
    QString text;
    for (qsizetype i = 0; i < ranked.size(); ++i) {
        const RankingEntry& e = ranked[i];
        QStringList fields {QString::number(numbers[i]), QString(), field(e.name), field(e.vorname), field(e.verein),
            e.totalText, QString::number(e.lane), QString::number(e.shots)};
        for (int k = 0; k < 12; ++k)
            fields << field(e.series.value(k));
        text += fields.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return TextCodec::encode(text);
}

} // namespace RankingTable
