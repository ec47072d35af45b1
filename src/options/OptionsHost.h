#pragma once

#include <QString>

struct FrameTimers;
class TargetList;

// What the options dialog needs of the main frame. The frame implements it.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;

    virtual FrameTimers& timers() = 0;
    virtual TargetList& scheiben() = 0;
    virtual QString frameCaption() const = 0;
    virtual void setFrameCaption(const QString& caption) = 0;
    // The frame's shut-down steps without ending the program (settings saved,
    // targets removed, ranking, advertising and options windows unloaded),
    // then its load steps again. The dialog is destroyed by it, so the caller
    // must return right after (the frame defers the destruction safely).
    virtual void rebuildFrame() = 0;
    virtual void setRankingTitle(const QString& title) = 0;
    virtual void showDiagnostics() = 0;
};
