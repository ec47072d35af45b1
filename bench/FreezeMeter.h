#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// How long the user-interface thread goes without handling events: a timer
// beats every few milliseconds on that thread, and a beat that comes late was
// held up by work that did not return to the event loop (a page flip or the
// options dialog would have waited as long). Gaps in which the polling cycle
// ran are kept apart from the others.
class FreezeMeter : public QObject {
public:
    explicit FreezeMeter(int intervalMs = 10, QObject* parent = nullptr);

    void start();
    void stop();
    // The polling cycle's tick began / its work is done (for gaps "during a tick").
    void tickStarted();
    void tickFinished();
    // The thread has just handled its events (a benchmark about to start a
    // tick after untimed work of its own).
    void markIdle();

    // The longest time between two beats beyond the interval, in a gap that
    // overlapped a tick, and in any gap.
    qint64 worstDuringTickNs() const { return m_worstDuringTickNs; }
    qint64 worstNs() const { return m_worstNs; }

private:
    void beat();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_intervalNs;
    qint64 m_lastBeatNs = 0;
    int m_ticksRunning = 0;
    bool m_tickSinceLastBeat = false;
    qint64 m_worstDuringTickNs = 0;
    qint64 m_worstNs = 0;
};
