#pragma once

#include <QString>

class TargetList;
class RankingView;
class AdvertisingCycle;
struct Einstellungen;
struct FrameTimers;
struct ProgramState;

// Page table and one page flip.
void SeitenBerechnen(ProgramState& state);
void NaechsteSeite(ProgramState& state, TargetList& scheiben);

// KORVUWKID$KORVUDisziID$KORVUKlassenNr$KORVUMannschaft$VTXServerID
QString ranglistenAnfrage(const Einstellungen& s);

// The tick of tmrBlaettern: targets page by page, the ranking list instead of
// them or after every full pass, and the hand-over to the advertising slot.
class PageFlipper {
public:
    PageFlipper(ProgramState& state, FrameTimers& timers, TargetList& scheiben, RankingView& rangliste,
        AdvertisingCycle& werbung);

    void ScheibenZeigen();
    void RanglisteZeigen();
    void tick();

private:
    ProgramState& m_state;
    FrameTimers& m_timers;
    TargetList& m_scheiben;
    RankingView& m_rangliste;
    AdvertisingCycle& m_werbung;
};
