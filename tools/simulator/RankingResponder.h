#pragma once

#include "RankingTable.h"

#include <QString>

#include <functional>

// The ranking server's side: takes the display's request HRngCS<id>, writes
// the ranking file HRang<id>.csv and answers through HRang<id>. An answer the
// display has not consumed yet is never overwritten; it is sent again later.
class RankingResponder {
public:
    using Source = std::function<QList<RankingEntry>(const QString& request)>;

    RankingResponder(QString directory, int serverId);

    // Looks for a request and answers it. Returns a log line when something
    // happened, else an empty text.
    QString poll(const Source& source);

    QString csvPath() const;

private:
    bool sendAnswer();

    QString m_directory;
    int m_serverId;
    bool m_answerPending = false;
};
