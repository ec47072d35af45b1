#pragma once

#include "shell/LaneTarget.h"
#include "shell/RankingView.h"
#include "shell/TargetList.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// A target window that writes down every call the polling cycle makes.
class RecordingLane : public LaneTarget {
public:
    QStringList calls;
    // Extra work for LadeErgebnisse (the end-to-end test loads the file).
    std::function<void(const QString&)> onLadeErgebnisse;

    void Init(const QString& pNachricht) override { calls << QStringLiteral("Init(%1)").arg(pNachricht); }
    void Init2002() override { calls << QStringLiteral("Init2002"); }
    void LadeErgebnisse(const QString& datei) override
    {
        calls << QStringLiteral("LadeErgebnisse(%1)").arg(datei);
        if (onLadeErgebnisse)
            onLadeErgebnisse(datei);
    }
    void SetProbe(bool pProbe) override { calls << QStringLiteral("SetProbe(%1)").arg(pProbe ? 1 : 0); }
    void setGTitelName(const QString& name) override { calls << QStringLiteral("gTitelName(%1)").arg(name); }
    void HS_Laden(const QString& datei) override { calls << QStringLiteral("HS_Laden(%1)").arg(datei); }
    void HD_Laden(const QString& datei) override { calls << QStringLiteral("HD_Laden(%1)").arg(datei); }
    void HW_Laden(const QString& datei) override { calls << QStringLiteral("HW_Laden(%1)").arg(datei); }
    void setScheibe_ZoomNummer(double step) override { calls << QStringLiteral("ZoomNummer(%1)").arg(step); }
    void Zoom(bool manuel) override { calls << QStringLiteral("Zoom(%1)").arg(manuel ? 1 : 0); }
    void setPlatz(std::int16_t platz) override { calls << QStringLiteral("Platz(%1)").arg(platz); }
    void TextBelegen() override { calls << QStringLiteral("TextBelegen"); }
    void TextPositionieren() override { calls << QStringLiteral("TextPositionieren"); }
    void Refresh() override { calls << QStringLiteral("Refresh"); }
    void refreshPlatz() override { calls << QStringLiteral("refreshPlatz"); }

    QString DisziplinNr() const override { return m_disziplin; }
    void setDisziplinNr(const QString& nr) override { m_disziplin = nr; }
    int LinienNr() const override { return 0; }
    void setTargetVisible(bool visible) override { m_visible = visible; }
    bool isTargetVisible() const override { return m_visible; }

private:
    QString m_disziplin = QStringLiteral("1.10");
    bool m_visible = true;
};

class RecordingTargets : public TargetList {
public:
    explicit RecordingTargets(int count)
    {
        for (int i = 0; i < count; ++i)
            m_lanes.push_back(std::make_unique<RecordingLane>());
    }
    int count() const override { return static_cast<int>(m_lanes.size()); }
    LaneTarget* at(int lane) const override
    {
        return lane >= 1 && lane <= count() ? m_lanes[static_cast<size_t>(lane - 1)].get() : nullptr;
    }
    RecordingLane& lane(int lane) { return *m_lanes.at(static_cast<size_t>(lane - 1)); }

private:
    std::vector<std::unique_ptr<RecordingLane>> m_lanes;
};

class FakeRankingView : public RankingView {
public:
    bool visible = false;
    int hideCalls = 0;

    void showInFront() override { visible = true; }
    void hideView() override
    {
        visible = false;
        ++hideCalls;
    }
    bool isViewVisible() const override { return visible; }
    int pendingLines() const override { return 0; }
    void LeseCSVEin() override { }
    void RanglisteLeeren() override { }
    void RanglisteFuellen() override { }
};
