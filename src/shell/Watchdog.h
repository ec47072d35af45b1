#pragma once

#include <QString>

class TargetList;
class RankingView;
struct FrameTimers;
struct ProgramState;

// The polling cycle of tmrWatchdog: once a second each lane on screen takes
// its next message from the exchange directory.
class Watchdog {
public:
    Watchdog(ProgramState& state, FrameTimers& timers, TargetList& scheiben, RankingView& rangliste);

    void tick();
    void PlaetzeLaden(const QString& path);

private:
    ProgramState& m_state;
    FrameTimers& m_timers;
    TargetList& m_scheiben;
    RankingView& m_rangliste;
    bool m_inTick = false;
};
