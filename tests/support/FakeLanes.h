#pragma once

#include "shell/LaneTarget.h"
#include "shell/RankingView.h"
#include "shell/TargetList.h"

#include <QFileInfo>
#include <QList>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

// Stand-ins for the windows the shell's logic drives. A lane writes every call
// into its own list and, followed by its number, into the shared log of its
// list, so that the order across lanes shows too.
class FakeLane : public LaneTarget {
public:
    FakeLane(int lane, QStringList& log) : m_lane(lane), m_log(log) { }

    mutable QStringList calls;
    // Extra work for LadeErgebnisse (e.g. really loading the file).
    std::function<void(const QString&)> onLadeErgebnisse;

    void Init(const QString& text) override { record(QStringLiteral("Init(%1)").arg(text)); }
    void Init2002() override { record(QStringLiteral("Init2002")); }
    // A file that is there reads.
    bool LadeErgebnisse(const QString& datei) override
    {
        record(QStringLiteral("LadeErgebnisse(%1)").arg(datei));
        if (onLadeErgebnisse)
            onLadeErgebnisse(datei);
        return QFileInfo::exists(datei);
    }
    void SetProbe(bool probe) override { record(QStringLiteral("SetProbe(%1)").arg(probe ? 1 : 0)); }
    void setGTitelName(const QString& name) override { record(QStringLiteral("gTitelName(%1)").arg(name)); }
    void HS_Laden(const QString& datei) override { record(QStringLiteral("HS_Laden(%1)").arg(datei)); }
    void HD_Laden(const QString& datei) override { record(QStringLiteral("HD_Laden(%1)").arg(datei)); }
    void HW_Laden(const QString& datei) override { record(QStringLiteral("HW_Laden(%1)").arg(datei)); }
    void setScheibe_ZoomNummer(double step) override { record(QStringLiteral("ZoomNummer(%1)").arg(step)); }
    void Zoom(bool manuel) override { record(QStringLiteral("Zoom(%1)").arg(manuel ? 1 : 0)); }
    void setPlatz(std::int16_t platz) override { record(QStringLiteral("Platz(%1)").arg(platz)); }
    void TextBelegen() override { record(QStringLiteral("TextBelegen")); }
    void TextPositionieren() override { record(QStringLiteral("TextPositionieren")); }
    void Refresh() override { record(QStringLiteral("Refresh")); }
    void refreshPlatz() override { record(QStringLiteral("refreshPlatz")); }
    // The settings save asks every target for its discipline.
    QString DisziplinNr() const override
    {
        record(QStringLiteral("DisziplinNr"));
        return m_disziplin;
    }
    void setDisziplinNr(const QString& nr) override { m_disziplin = nr; }
    int LinienNr() const override { return m_lane; }
    void setTargetVisible(bool visible) override { m_visible = visible; }
    bool isTargetVisible() const override { return m_visible; }

private:
    void record(const QString& call) const
    {
        calls << call;
        m_log << QStringLiteral("%1 %2").arg(call).arg(m_lane);
    }

    int m_lane;
    QStringList& m_log;
    QString m_disziplin = QStringLiteral("1.10");
    bool m_visible = true;
};

class FakeTargets : public TargetList {
public:
    explicit FakeTargets(int n)
    {
        for (int lane = 1; lane <= n; ++lane)
            m_lanes.push_back(std::make_unique<FakeLane>(lane, log));
    }
    Q_DISABLE_COPY_MOVE(FakeTargets)

    int count() const override { return static_cast<int>(m_lanes.size()); }
    LaneTarget* at(int lane) const override
    {
        return lane >= 1 && lane <= count() ? m_lanes[static_cast<std::size_t>(lane - 1)].get() : nullptr;
    }
    FakeLane& lane(int lane) { return *m_lanes.at(static_cast<std::size_t>(lane - 1)); }

    QList<int> visibleLanes() const
    {
        QList<int> lanes;
        for (int lane = 1; lane <= count(); ++lane) {
            if (at(lane)->isTargetVisible())
                lanes.append(lane);
        }
        return lanes;
    }
    mutable QStringList log;

private:
    std::vector<std::unique_ptr<FakeLane>> m_lanes;
};

// The ranking window, shown or hidden, with no lines waiting.
class FakeRanking : public RankingView {
public:
    void showInFront() override { visible = true; }
    void hideView() override { visible = false; }
    bool isViewVisible() const override { return visible; }
    int pendingLines() const override { return 0; }
    void LeseCSVEin() override { }
    void RanglisteLeeren() override { }
    void RanglisteFuellen() override { }

    bool visible = false;
};
