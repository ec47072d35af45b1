#pragma once

#include "options/OptionsHost.h"
#include "shell/FrameTimers.h"
#include "shell/LaneTarget.h"
#include "shell/TargetList.h"

#include <QStringList>

#include <memory>
#include <vector>

// Stand-ins for the main frame and its target windows. Every call that the
// options code makes on them is written to one shared log, in order.

class LoggingLane : public LaneTarget {
public:
    LoggingLane(int lane, QStringList& log) : m_lane(lane), m_log(log) { }
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
    void TextBelegen() override { m_log.append(QStringLiteral("TextBelegen %1").arg(m_lane)); }
    void TextPositionieren() override { }
    void Refresh() override { m_log.append(QStringLiteral("Refresh %1").arg(m_lane)); }
    void refreshPlatz() override { }
    // The settings save asks every target for its discipline.
    QString DisziplinNr() const override
    {
        m_log.append(QStringLiteral("DisziplinNr %1").arg(m_lane));
        return QStringLiteral("1.10");
    }
    void setDisziplinNr(const QString&) override { }
    int LinienNr() const override { return m_lane; }
    void setTargetVisible(bool visible) override { m_visible = visible; }
    bool isTargetVisible() const override { return m_visible; }

private:
    int m_lane;
    QStringList& m_log;
    bool m_visible = true;
};

class FakeHost : public OptionsHost, public TargetList {
public:
    explicit FakeHost(int lanes = 8)
    {
        for (int lane = 1; lane <= lanes; ++lane)
            m_lanes.push_back(std::make_unique<LoggingLane>(lane, log));
    }

    // TargetList
    int count() const override { return static_cast<int>(m_lanes.size()); }
    LaneTarget* at(int lane) const override
    {
        if (lane < 1 || lane > count())
            return nullptr;
        return m_lanes[static_cast<std::size_t>(lane - 1)].get();
    }

    // OptionsHost
    FrameTimers& timers() override { return frameTimers; }
    TargetList& scheiben() override { return *this; }
    QString frameCaption() const override { return caption; }
    void setFrameCaption(const QString& text) override { caption = text; }
    void rebuildFrame() override
    {
        ++rebuilds;
        log.append(QStringLiteral("rebuildFrame"));
    }
    void setRankingTitle(const QString& title) override
    {
        rankingTitle = title;
        log.append(QStringLiteral("setRankingTitle"));
    }
    void showDiagnostics() override { ++diagnostics; }

    QList<int> visibleLanes() const
    {
        QList<int> lanes;
        for (int lane = 1; lane <= count(); ++lane) {
            if (at(lane)->isTargetVisible())
                lanes.append(lane);
        }
        return lanes;
    }
    QStringList logged(const QString& prefix) const
    {
        QStringList result;
        for (const QString& line : log) {
            if (line.startsWith(prefix))
                result.append(line);
        }
        return result;
    }

    mutable QStringList log;
    FrameTimers frameTimers;
    QString caption = QStringLiteral("VTX-Scheibenanzeige");
    QString rankingTitle;
    int rebuilds = 0;
    int diagnostics = 0;

private:
    std::vector<std::unique_ptr<LoggingLane>> m_lanes;
};
