#include "TickTimer.h"

#include <algorithm>

void TickTimer::tickFinished()
{
    const qint64 ns = m_clock.nsecsElapsed();
    const qint64 cpuNs = static_cast<qint64>(double(std::clock() - m_cpuAtStart) * 1e9 / CLOCKS_PER_SEC);
    m_totalCpuNs += cpuNs;
    m_worstCpuNs = std::max(m_worstCpuNs, cpuNs);
    ++m_ticks;
    m_totalNs += ns;
    if (ns > slowNs)
        ++m_slowTicks;
    if (ns > m_worstNs) {
        m_worstNs = ns;
        m_worstAtMs = m_runClock ? m_runClock->elapsed() : 0;
    }
}
