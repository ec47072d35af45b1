#pragma once

#include "shell/Einstellungen.h"
#include "shell/LanguageTexts.h"
#include "shell/PageState.h"

#include <cstdint>

// The program-wide state, in one place: the settings record, the page table
// and its flags, the position of the next advertising picture and the
// language texts. It lives for the whole run; tests reset it.
struct ProgramState {
    Einstellungen settings;
    PageState pages;
    std::uint8_t WerbeBildNr = 0;
    LanguageTexts language;

    static ProgramState& instance();
    // Back to a freshly started program (tests).
    static void reset();
};
