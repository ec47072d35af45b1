#include "shell/FrameTimers.h"

void FrameTimers::resetToDesign()
{
    tmrStartUp.setInterval(10000);
    tmrStartUp.setEnabled(true);
    for (VbTimer* timer : {&tmrWatchdog, &tmrBlaettern, &tmrWerbung, &tmrWerbePause}) {
        timer->setEnabled(false);
        timer->setInterval(timer == &tmrWatchdog ? 1000 : 10000);
    }
}
