#pragma once

#include "LaneMatch.h"
#include "RankingResponder.h"
#include "ShotRandom.h"
#include "SimulatorOptions.h"

#include <QString>
#include <QTextStream>

#include <memory>
#include <optional>
#include <vector>

// The scoring system's server as the display sees it through the exchange
// folder. Each lane has at most one message waiting at a time: the next one is
// only written when the display has consumed the previous one (its control
// file is gone), so the display receives every message exactly once and in
// order. Every message sent is logged as
//   lane=<n> seq=<k> file=<base name> value=<text>
// and "done" ends the log when a bounded run has been consumed completely.
// What each lane sends depends only on the seed; how the lanes interleave
// depends on how fast the display consumes. A bounded run gives every lane its
// share of the messages.
class Simulator {
public:
    Simulator(SimulatorOptions options, QTextStream& log);
    ~Simulator();

    // Creates the folders and publishes the definitions.
    bool prepare(QString& error);
    // One pass over the lanes (and the ranking folder); true when a message
    // went out. now is a monotonic clock in milliseconds.
    bool step(qint64 now);
    // A bounded run whose messages have all been consumed.
    bool finished() const;
    // step() until finished (or forever); returns the exit code.
    int run();

    int messagesSent() const { return m_sent; }

private:
    struct Outgoing {
        int seq = 0;
        QString fileName; // base name of the message files
        QString value;
        bool writesResults = false;
        QString resultsPath;
    };
    struct Lane {
        std::unique_ptr<LaneMatch> match;
        int budget = -1; // messages left; -1 endless
        int seq = 0;
        int resultsToggle = 0;
        qint64 dueAt = 0;
        std::optional<Outgoing> pending;
        QString waitingControl; // control file of the last message sent
    };

    bool serveLane(Lane& lane, qint64 now);
    std::optional<Outgoing> nextOutgoing(Lane& lane);
    std::optional<Outgoing> outgoingFor(Lane& lane, LaneMatch::Event event);
    std::uint8_t send(const Outgoing& outgoing, int lane);
    QString record(int lane, int b, const QString& n) const;
    void servePlaces();
    void serveRanking();
    QList<RankingEntry> rankingEntries(const QString& request) const;
    qint64 jitteredPace();

    SimulatorOptions m_options;
    QTextStream& m_log;
    std::vector<Lane> m_lanes;
    std::unique_ptr<RankingResponder> m_ranking;
    ShotRandom m_timing;
    int m_sent = 0;
    bool m_placesDirty = false;
    qint64 m_nextRankingPoll = 0;
};
