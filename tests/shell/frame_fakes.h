#pragma once

#include "shell/AdvertisingView.h"
#include "shell/LaneTarget.h"
#include "shell/RankingView.h"
#include "shell/TargetList.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <vector>

// Stand-ins for the windows the shell's logic drives.

class FakeTarget : public LaneTarget
{
public:
    explicit FakeTarget(int lane) : m_lane(lane) { }
    void Init(const QString&) override { }
    void Init2002() override { }
    void LadeErgebnisse(const QString&) override { }
    void SetProbe(bool) override { }
    void setGTitelName(const QString&) override { }
    void HS_Laden(const QString&) override { }
    void HD_Laden(const QString&) override { }
    void HW_Laden(const QString&) override { }
    void setScheibe_ZoomNummer(double) override { }
    void Zoom(bool) override { }
    void setPlatz(std::int16_t) override { }
    void TextBelegen() override { }
    void TextPositionieren() override { }
    void Refresh() override { }
    void refreshPlatz() override { }
    QString DisziplinNr() const override { return m_disziplin; }
    void setDisziplinNr(const QString& nr) override { m_disziplin = nr; }
    int LinienNr() const override { return m_lane; }
    void setTargetVisible(bool visible) override { m_visible = visible; }
    bool isTargetVisible() const override { return m_visible; }

private:
    int m_lane;
    QString m_disziplin = QStringLiteral("1.10");
    bool m_visible = true;
};

class FakeTargets : public TargetList
{
public:
    explicit FakeTargets(int n)
    {
        for (int lane = 1; lane <= n; ++lane)
            m_targets.push_back(std::make_unique<FakeTarget>(lane));
    }
    int count() const override { return static_cast<int>(m_targets.size()); }
    LaneTarget* at(int lane) const override
    {
        if (lane < 1 || lane > count())
            return nullptr;
        return m_targets[static_cast<std::size_t>(lane - 1)].get();
    }
    void showOnly(int first, int last)
    {
        for (int lane = 1; lane <= count(); ++lane)
            at(lane)->setTargetVisible(lane >= first && lane <= last);
    }
    QList<int> visibleLanes() const
    {
        QList<int> lanes;
        for (int lane = 1; lane <= count(); ++lane) {
            if (at(lane)->isTargetVisible())
                lanes.append(lane);
        }
        return lanes;
    }

private:
    std::vector<std::unique_ptr<FakeTarget>> m_targets;
};

// The ranking window with a ranking file of csvLines lines, perPage of which
// fit one screen.
class FakeRanking : public RankingView
{
public:
    void showInFront() override
    {
        visible = true;
        calls << QStringLiteral("showInFront");
    }
    void hideView() override { visible = false; }
    bool isViewVisible() const override { return visible; }
    int pendingLines() const override { return pending; }
    void LeseCSVEin() override
    {
        calls << QStringLiteral("LeseCSVEin");
        pending = csvLines;
    }
    void RanglisteLeeren() override { calls << QStringLiteral("RanglisteLeeren"); }
    void RanglisteFuellen() override
    {
        calls << QStringLiteral("RanglisteFuellen");
        pending = std::max(0, pending - perPage);
    }

    bool visible = false;
    int pending = 0;
    int csvLines = 0;
    int perPage = 19;
    QStringList calls;
};

class FakeAdvertising : public AdvertisingView
{
public:
    void Werbung_Laden() override { calls << QStringLiteral("Werbung_Laden"); }
    void showInFront() override
    {
        visible = true;
        calls << QStringLiteral("showInFront");
    }
    void hideView() override { visible = false; }
    bool isViewVisible() const override { return visible; }

    bool visible = false;
    QStringList calls;
};
