#include "FreezeMeter.h"

#include <algorithm>

FreezeMeter::FreezeMeter(int intervalMs, QObject* parent)
    : QObject(parent), m_intervalNs(qint64(intervalMs) * 1'000'000)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &FreezeMeter::beat);
}

void FreezeMeter::start()
{
    m_clock.start();
    m_lastBeatNs = 0;
    m_timer.start();
}

void FreezeMeter::stop()
{
    m_timer.stop();
}

void FreezeMeter::tickStarted()
{
    if (m_ticksRunning++ == 0 && m_clock.isValid())
        m_tickStartNs = m_clock.nsecsElapsed();
}

void FreezeMeter::tickFinished()
{
    // The gap so far overlapped the tick, whether or not a beat comes in it.
    if (m_timer.isActive())
        m_worstDuringTickNs = std::max(m_worstDuringTickNs, heldSinceTickOrBeat(m_clock.nsecsElapsed()));
    m_ticksRunning = std::max(0, m_ticksRunning - 1);
}

qint64 FreezeMeter::heldSinceTickOrBeat(qint64 now) const
{
    // Time the thread spent on other work before the tick began is not the tick's.
    if (m_tickStartNs > m_lastBeatNs)
        return now - m_tickStartNs;
    return std::max<qint64>(0, now - m_lastBeatNs - m_intervalNs);
}

void FreezeMeter::reset()
{
    m_worstDuringTickNs = 0;
    m_worstNs = 0;
    m_lastBeatNs = m_clock.isValid() ? m_clock.nsecsElapsed() : 0;
}

void FreezeMeter::beat()
{
    const qint64 now = m_clock.nsecsElapsed();
    m_worstNs = std::max(m_worstNs, now - m_lastBeatNs - m_intervalNs);
    if (m_ticksRunning > 0)
        m_worstDuringTickNs = std::max(m_worstDuringTickNs, heldSinceTickOrBeat(now));
    m_lastBeatNs = now;
}
