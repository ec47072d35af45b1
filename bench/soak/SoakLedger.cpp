#include "SoakLedger.h"

#include <algorithm>

SoakLedger::SoakLedger(int lanes) : m_lanes(static_cast<std::size_t>(std::max(lanes, 0)) + 1)
{
}

bool SoakLedger::addLogLine(const QString& line)
{
    if (!line.startsWith(QLatin1String("lane=")))
        return false;
    const qsizetype seqAt = line.indexOf(QLatin1String(" seq="));
    const qsizetype fileAt = line.indexOf(QLatin1String(" file="), seqAt);
    const qsizetype valueAt = line.indexOf(QLatin1String(" value="), fileAt);
    if (seqAt < 0 || fileAt < 0 || valueAt < 0) {
        ++m_badLogLines;
        return false;
    }
    bool laneOk = false;
    bool seqOk = false;
    const int lane = line.mid(5, seqAt - 5).toInt(&laneOk);
    const int seq = line.mid(seqAt + 5, fileAt - seqAt - 5).toInt(&seqOk);
    if (!laneOk || !seqOk) {
        ++m_badLogLines;
        return false;
    }
    addSent(lane, seq, line.mid(valueAt + 7));
    return true;
}

void SoakLedger::addSent(int lane, int seq, const QString& message)
{
    if (lane < 1 || static_cast<std::size_t>(lane) >= m_lanes.size()) {
        ++m_badLogLines;
        return;
    }
    Lane& l = m_lanes[static_cast<std::size_t>(lane)];
    if (seq != l.lastSeq + 1)
        ++m_badLogLines;
    l.lastSeq = seq;
    l.sent.push_back({seq, message});
    ++m_sent;
    match(l);
}

void SoakLedger::addHandled(int lane, const QString& message, int resultsSeq)
{
    ++m_handled;
    if (lane < 1 || static_cast<std::size_t>(lane) >= m_lanes.size()) {
        ++m_doubled;
        return;
    }
    Lane& l = m_lanes[static_cast<std::size_t>(lane)];
    l.handled.push_back({message, resultsSeq});
    match(l);
}

void SoakLedger::match(Lane& lane)
{
    while (!lane.handled.empty()) {
        const Handled& h = lane.handled.front();
        if (!lane.sent.empty() && h.message == lane.sent.front().message) {
            if (h.resultsSeq >= 0 && h.resultsSeq != lane.sent.front().seq)
                ++m_wrongResults;
            lane.lastMatched = h.message;
            lane.handled.pop_front();
            lane.sent.pop_front();
            ++m_matched;
            continue;
        }
        if (!lane.lastMatched.isNull() && h.message == lane.lastMatched) {
            // The message before was taken a second time.
            lane.handled.pop_front();
            ++m_doubled;
            continue;
        }
        const auto later
            = std::find_if(lane.sent.begin(), lane.sent.end(), [&h](const Sent& s) { return s.message == h.message; });
        if (later == lane.sent.end())
            return; // its log line has not been read yet
        // The messages before it never reached the window.
        m_lost += later - lane.sent.begin();
        lane.sent.erase(lane.sent.begin(), later);
    }
}

bool SoakLedger::waiting(int lane) const
{
    return lane >= 1 && static_cast<std::size_t>(lane) < m_lanes.size()
        && !m_lanes[static_cast<std::size_t>(lane)].sent.empty();
}

void SoakLedger::close()
{
    for (Lane& lane : m_lanes) {
        m_lost += static_cast<qint64>(lane.sent.size());
        m_doubled += static_cast<qint64>(lane.handled.size());
        lane.sent.clear();
        lane.handled.clear();
    }
}
