#pragma once

#include "FreezeMeter.h"
#include "shell/WatchdogObserver.h"

#include <QElapsedTimer>

#include <ctime>
#include <deque>
#include <functional>

// Times every tick of the polling cycle and passes each handled message on.
class TickTimer : public WatchdogObserver {
public:
    using MessageCallback = std::function<void(int lane, const QString& message)>;
    TickTimer(FreezeMeter* freeze, MessageCallback onMessage) : m_freeze(freeze), m_onMessage(std::move(onMessage)) { }

    void tickStarted() override;
    void tickFinished() override;
    void messageHandled(int lane, const QString& message) override { m_onMessage(lane, message); }

    qint64 ticks() const { return m_ticks; }
    qint64 worstNs() const { return m_worstNs; }
    qint64 meanNs() const { return m_ticks > 0 ? m_totalNs / m_ticks : 0; }
    // Processor time of this process during the ticks: on a busy machine the
    // wall time also holds the time the tick waited for a processor.
    qint64 worstCpuNs() const { return m_worstCpuNs; }
    qint64 meanCpuNs() const { return m_ticks > 0 ? m_totalCpuNs / m_ticks : 0; }
    // Ticks that took longer than slowNs.
    qint64 slowTicks() const { return m_slowTicks; }
    static constexpr qint64 slowNs = 100'000'000;
    // When the worst tick ended, in ms of the clock given to markStart.
    qint64 worstAtMs() const { return m_worstAtMs; }
    void markStart(const QElapsedTimer& runClock) { m_runClock = &runClock; }

private:
    FreezeMeter* m_freeze;
    MessageCallback m_onMessage;
    QElapsedTimer m_clock;
    const QElapsedTimer* m_runClock = nullptr;
    qint64 m_ticks = 0;
    qint64 m_totalNs = 0;
    qint64 m_worstNs = 0;
    qint64 m_worstAtMs = 0;
    qint64 m_slowTicks = 0;
    struct Start {
        qint64 ns;
        std::clock_t cpu;
    };
    std::deque<Start> m_started;
    qint64 m_totalCpuNs = 0;
    qint64 m_worstCpuNs = 0;
};
