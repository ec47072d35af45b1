#include "web/RankingTable.h"

#include "ranking/RankingPage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace RankingTable {

QByteArray message(const QStringList& lines, const QString& title)
{
    const QStringList shown = lines.mid(0, MaxLines);
    // Room for every shooter on two rows, and the two rows a page keeps free.
    const RankingPage page = fillRankingPage(shown, 2 * int(shown.size()) + 2);
    QJsonArray rows;
    for (std::size_t r = 0; r < page.rows.size(); ++r) {
        QJsonArray cells;
        bool written = false;
        for (const std::optional<QString>& cell : page.rows[r]) {
            cells.append(cell.value_or(QString()));
            written = written || cell.has_value();
        }
        if (!written)
            break;
        const bool end = r + 1 < page.linesShown.size() && page.linesShown[r + 1];
        rows.append(QJsonObject {{QStringLiteral("c"), cells}, {QStringLiteral("end"), end}});
    }
    const QJsonObject message {
        {QStringLiteral("t"), QStringLiteral("ranking")},
        {QStringLiteral("title"), title},
        {QStringLiteral("rows"), rows},
    };
    return QJsonDocument(message).toJson(QJsonDocument::Compact);
}

} // namespace RankingTable
