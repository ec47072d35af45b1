#pragma once

#include <QString>

// Looks on at the polling cycle without changing it: told around every tick
// that runs and about every message the cycle takes. The soak harness counts
// and times the cycle through it; the program itself installs none.
class WatchdogObserver {
public:
    virtual ~WatchdogObserver() = default;

    // Around a tick that runs; a tick refused because one is under way or a
    // message box is open is not reported.
    virtual void tickStarted() { }
    virtual void tickFinished() { }
    // A message taken from the exchange folder for lane and acted on, after
    // the lane's window was called: the record of the 2002 protocol, or the
    // text received in the older protocol.
    virtual void messageHandled(int /*lane*/, const QString& /*message*/) { }
};
