#pragma once

#include "platform/VbTimer.h"

// The five timers of the main frame, created in their designed state. The
// frame owns them; the logic of the polling cycle, the page flipping, the
// advertising cycle and the options dialog works on them by reference.
struct FrameTimers {
    VbTimer tmrStartUp {10000, true};
    VbTimer tmrWatchdog {1000, false};
    VbTimer tmrBlaettern {10000, false};
    VbTimer tmrWerbung {10000, false};
    VbTimer tmrWerbePause {10000, false};

    // Back to the designed state (the frame's load after a rebuild).
    void resetToDesign();
};
