#include "TickTimer.h"

void TickTimer::tickFinished()
{
    const qint64 ns = m_clock.nsecsElapsed();
    ++m_ticks;
    m_totalNs += ns;
    if (ns > slowNs)
        ++m_slowTicks;
    if (ns > m_worstNs) {
        m_worstNs = ns;
        m_worstAtMs = m_runClock ? m_runClock->elapsed() : 0;
    }
}
