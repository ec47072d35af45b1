#pragma once

// What the close handler does to the options dialog itself.
class OptionsCloseView {
public:
    virtual ~OptionsCloseView() = default;
    virtual void setNummerierungEnabled(bool enabled) = 0;
    // The frame is about to be rebuilt, which unloads the dialog: it must not
    // touch the frame's timers any more.
    virtual void beforeRebuild() = 0;
    // Hide, not unload.
    virtual void hideDialog() = 0;
};
