#pragma once

#include <QString>

#include <deque>
#include <vector>

// What the simulator sent and what the display handled, lane by lane, matched
// in order. The simulator writes a lane's next message only after the display
// has taken the previous one, so in a sound run every handled message is the
// lane's oldest unmatched one; anything else is a message lost or doubled.
class SoakLedger {
public:
    explicit SoakLedger(int lanes);

    // One line of the simulator's log ("lane=3 seq=17 file=HCVS1L3 value=...");
    // false for a line that reports no message.
    bool addLogLine(const QString& line);
    void addSent(int lane, int seq, const QString& message);
    // resultsSeq: for a results message, the message number that the lane's
    // window holds after loading the file (the simulator writes it into the
    // file); -1 for other messages.
    void addHandled(int lane, const QString& message, int resultsSeq);
    // Counts what is still unmatched as lost (sent) or doubled (handled).
    void close();

    qint64 sent() const { return m_sent; }
    qint64 handled() const { return m_handled; }
    qint64 matched() const { return m_matched; }
    qint64 lost() const { return m_lost; }
    qint64 doubled() const { return m_doubled; }
    // Results messages whose window shows the results of another message.
    qint64 wrongResults() const { return m_wrongResults; }
    // Log lines for a lane outside the range, or numbered out of turn.
    qint64 badLogLines() const { return m_badLogLines; }
    // The lane has a message sent that the display has not handled yet.
    bool waiting(int lane) const;

private:
    struct Sent {
        int seq = 0;
        QString message;
    };
    struct Handled {
        QString message;
        int resultsSeq = -1;
    };
    struct Lane {
        std::deque<Sent> sent;
        std::deque<Handled> handled;
        QString lastMatched;
        int lastSeq = 0;
    };

    void match(Lane& lane);

    std::vector<Lane> m_lanes;
    qint64 m_sent = 0;
    qint64 m_handled = 0;
    qint64 m_matched = 0;
    qint64 m_lost = 0;
    qint64 m_doubled = 0;
    qint64 m_wrongResults = 0;
    qint64 m_badLogLines = 0;
};
