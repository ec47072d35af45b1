#include "ads/AdvertisingCycle.h"

#include "shell/AdvertisingView.h"
#include "shell/FrameTimers.h"
#include "shell/ProgramState.h"

namespace {
// The settings hold whole seconds in a byte, so the product always fits an int.
int seconds(std::uint8_t value)
{
    return int(value) * 1000;
}
} // namespace

AdvertisingCycle::AdvertisingCycle(ProgramState& state, FrameTimers& timers, AdvertisingView& view)
    : m_state(state), m_timers(timers), m_view(view)
{
}

void AdvertisingCycle::startSlot()
{
    m_view.Werbung_Laden();
    m_timers.tmrWerbePause.setEnabled(false);
    m_timers.tmrWerbung.setInterval(seconds(m_state.settings.WerbeZeit));
    m_timers.tmrWerbung.setEnabled(true);
    m_view.showInFront();
}

void AdvertisingCycle::onWerbePause()
{
    // With advertising switched off the pause timer keeps running idle; the
    // polling cycle would only start it again anyway.
    if (m_state.settings.FreieWerbung == 1)
        startSlot();
}

void AdvertisingCycle::onWerbung()
{
    m_view.hideView();
    if (m_state.settings.Blaettern == 1) {
        m_timers.tmrWerbung.setEnabled(false);
        m_timers.tmrWerbePause.setEnabled(false);
        m_timers.tmrBlaettern.setEnabled(true);
    } else {
        m_timers.tmrWerbePause.setInterval(seconds(m_state.settings.WerbePause));
        m_timers.tmrWerbung.setEnabled(false);
        m_timers.tmrWerbePause.setEnabled(true);
    }
}
