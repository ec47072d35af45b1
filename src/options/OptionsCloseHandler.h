#pragma once

#include "options/OptionsControls.h"
#include "options/WorkingCopies.h"

class LaneTarget;
class OptionsCloseView;
class OptionsHost;
struct Einstellungen;
struct ProgramState;

// OptionSchliessen: reloads the language, applies the working copies and the
// controls to the settings record, rebuilds the frame when the target layout
// changed or else applies the display options in place, saves, repaints,
// passes the ranking title on and hides the dialog.
class OptionsCloseHandler {
public:
    enum class Outcome { InPlace, Rebuilt };

    OptionsCloseHandler(ProgramState& state, OptionsHost& host, OptionsCloseView& view);

    // After Outcome::Rebuilt the dialog is on its way out: return at once.
    Outcome run(const WorkingCopies& m, const OptionsControls& controls);

    // Whether the target windows must be created anew (read before copying).
    static bool layoutChanged(const Einstellungen& s, const WorkingCopies& m, const OptionsControls& c);

private:
    void showRange();
    // The display options of the in-place path; returns whether a repaint is needed.
    bool applyDisplayOptions(const OptionsControls& c);
    void forEachTarget(void (*call)(LaneTarget&));

    ProgramState& m_state;
    OptionsHost& m_host;
    OptionsCloseView& m_view;
};
