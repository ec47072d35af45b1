#include "TickTimer.h"

#include <algorithm>

void TickTimer::tickStarted()
{
    if (m_freeze)
        m_freeze->tickStarted();
    if (!m_clock.isValid())
        m_clock.start();
    m_started.push_back({m_clock.nsecsElapsed(), std::clock()});
}

void TickTimer::tickFinished()
{
    if (m_freeze)
        m_freeze->tickFinished();
    if (m_started.empty())
        return;
    // Ticks finish in the order they started, also when the next one starts
    // before the last one's messages are all applied.
    const Start start = m_started.front();
    m_started.pop_front();
    const qint64 ns = m_clock.nsecsElapsed() - start.ns;
    const qint64 cpuNs = static_cast<qint64>(double(std::clock() - start.cpu) * 1e9 / CLOCKS_PER_SEC);
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
