#pragma once

#include "options/OptionsHost.h"
#include "shell/FrameTimers.h"
#include "support/FakeLanes.h"

// The main frame as the options dialog sees it. Its eight targets write every
// call into targets.log, where the frame's rebuild and ranking title go too.
class FakeHost : public OptionsHost {
public:
    FrameTimers& timers() override { return frameTimers; }
    TargetList& scheiben() override { return targets; }
    QString frameCaption() const override { return caption; }
    void setFrameCaption(const QString& text) override { caption = text; }
    void rebuildFrame() override
    {
        ++rebuilds;
        targets.log << QStringLiteral("rebuildFrame");
    }
    void setRankingTitle(const QString& title) override
    {
        rankingTitle = title;
        targets.log << QStringLiteral("setRankingTitle");
    }
    void showDiagnostics() override { ++diagnostics; }

    FakeTargets targets {8};
    FrameTimers frameTimers;
    QString caption = QStringLiteral("VTX-Scheibenanzeige");
    QString rankingTitle;
    int rebuilds = 0;
    int diagnostics = 0;
};
