#include "RankingResponder.h"

#include "exchange/Austausch.h"
#include "exchange/ExchangeCodes.h"
#include "platform/FileLookup.h"

#include <QSaveFile>

namespace {

// The server's side of the ranking names.
constexpr int kServerRole = -1;

} // namespace

RankingResponder::RankingResponder(QString directory, int serverId)
    : m_directory(std::move(directory)), m_serverId(serverId)
{
}

QString RankingResponder::csvPath() const
{
    return FileLookup::join(m_directory, QStringLiteral("HRang%1.csv").arg(m_serverId));
}

bool RankingResponder::sendAnswer()
{
    QString answer = QStringLiteral("HRang%1.csv").arg(m_serverId);
    const auto result = AustauschRangliste(answer, m_serverId, 1, m_directory, ExchangeDirection::Send, kServerRole);
    m_answerPending = result != ExchangeCode::Done;
    return !m_answerPending;
}

QString RankingResponder::poll(const Source& source)
{
    if (m_answerPending)
        return sendAnswer() ? QStringLiteral("ranking answer sent") : QString();

    QString request;
    if (AustauschRangliste(request, m_serverId, 1, m_directory, ExchangeDirection::Receive, kServerRole)
        != ExchangeCode::Done)
        return {};

    const QList<RankingEntry> entries = source(request);
    // Replaced in one step, so the display never reads half a ranking.
    QSaveFile file(csvPath());
    if (!file.open(QIODevice::WriteOnly) || file.write(RankingTable::csv(entries)) < 0 || !file.commit())
        return QStringLiteral("ranking request=%1 could not write %2").arg(request, csvPath());
    sendAnswer();
    return QStringLiteral("ranking request=%1 lines=%2 answer=%3")
        .arg(request)
        .arg(entries.size())
        .arg(m_answerPending ? QStringLiteral("pending") : QStringLiteral("sent"));
}
