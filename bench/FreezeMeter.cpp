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
    ++m_ticksRunning;
    m_tickSinceLastBeat = true;
}

void FreezeMeter::tickFinished()
{
    m_ticksRunning = std::max(0, m_ticksRunning - 1);
}

void FreezeMeter::markIdle()
{
    if (m_clock.isValid())
        m_lastBeatNs = m_clock.nsecsElapsed();
}

void FreezeMeter::beat()
{
    const qint64 now = m_clock.nsecsElapsed();
    const qint64 late = std::max<qint64>(0, now - m_lastBeatNs - m_intervalNs);
    m_worstNs = std::max(m_worstNs, late);
    if (m_ticksRunning > 0 || m_tickSinceLastBeat)
        m_worstDuringTickNs = std::max(m_worstDuringTickNs, late);
    m_tickSinceLastBeat = false;
    m_lastBeatNs = now;
}
