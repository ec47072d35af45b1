#pragma once

class TargetList;
class RankingView;
class AdvertisingCycle;
struct FrameTimers;
struct ProgramState;

// Page table and the tick of tmrBlaettern.
void SeitenBerechnen(ProgramState& state);
void NaechsteSeite(ProgramState& state, TargetList& scheiben);

class PageFlipper {
public:
    PageFlipper(ProgramState& state, FrameTimers& timers, TargetList& scheiben, RankingView& rangliste,
                AdvertisingCycle& werbung);

    void ScheibenZeigen();
    void RanglisteZeigen();
    // The tick of tmrBlaettern.
    void tick();

private:
    ProgramState& m_state;
    FrameTimers& m_timers;
    TargetList& m_scheiben;
    RankingView& m_rangliste;
    AdvertisingCycle& m_werbung;
};
