#pragma once

class AdvertisingView;
struct FrameTimers;
struct ProgramState;

// The advertising slots driven by the frame's timers tmrWerbung (how long a
// picture stays) and tmrWerbePause (the pause between pictures). The frame
// routes the timers' timeouts to onWerbung and onWerbePause; the cycle only
// switches timers and the view.
class AdvertisingCycle {
public:
    AdvertisingCycle(ProgramState& state, FrameTimers& timers, AdvertisingView& view);

    // Werbung_Laden, stop the pause, run tmrWerbung for WerbeZeit seconds,
    // show the window in front.
    void startSlot();
    // tmrWerbePause fired.
    void onWerbePause();
    // tmrWerbung fired: the slot ends.
    void onWerbung();

private:
    ProgramState& m_state;
    FrameTimers& m_timers;
    AdvertisingView& m_view;
};
