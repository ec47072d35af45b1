#include "platform/VbTimer.h"

VbTimer::VbTimer(int intervalMs, bool enabled, QObject* parent)
    : QObject(parent), m_interval(intervalMs > 0 ? intervalMs : 0), m_enabled(enabled)
{
    m_timer.setSingleShot(false);
    connect(&m_timer, &QTimer::timeout, this, &VbTimer::timeout);
    restart();
}

void VbTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    restart();
}

void VbTimer::setInterval(int intervalMs)
{
    m_interval = intervalMs > 0 ? intervalMs : 0;
    restart();
}

void VbTimer::fire()
{
    Q_EMIT timeout();
}

void VbTimer::restart()
{
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
    else
        m_timer.stop();
}
