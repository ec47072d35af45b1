#pragma once

#include <QList>
#include <QString>

#include <optional>

class EventLog;
class LaneTarget;
class TargetList;
class RankingView;
class WatchdogObserver;
struct FrameTimers;
struct ProgramState;

// The polling cycle of tmrWatchdog: once a second each lane on screen takes
// its next message from the exchange directory. Faults it passes over go to
// the event log when one is given.
class Watchdog {
public:
    Watchdog(ProgramState& state, FrameTimers& timers, TargetList& scheiben, RankingView& rangliste,
        EventLog* log = nullptr);

    // One tick. Refuses to run while a message box is open or a tick is still
    // under way (the "Syntax Error !" box is shown from inside a tick).
    void tick();
    // Applies the places file of the older protocol, then closes and deletes it.
    void PlaetzeLaden(const QString& path);
    // Someone to tell about ticks and messages; not owned, removed before it
    // goes. Observers are told in the order they were added.
    void addObserver(WatchdogObserver* observer);
    void removeObserver(WatchdogObserver* observer);

private:
    void pollLanes2002(int first, int last);
    void pollLanesAlt(int first, int last);
    void handleRecord(int lane, const QString& record);
    void loadResults(int lane, LaneTarget& target, const QString& datei);
    // The file a message names, or nullopt (written down) when it lies
    // outside the exchange folder; a definition file is also checked for.
    std::optional<QString> namedFile(int lane, const QString& name, const QString& kind);
    std::optional<QString> definitionFile(int lane, const QString& name, const QString& kind);
    // The data file that a lane's 2002 message came in.
    QString messageFile2002(int lane) const;
    void note(int lane, const QString& file, const QString& what);
    // A file name received from the server, inside NetzwerkPfad; nullopt for
    // an empty name, an absolute one or one that climbs out of the folder.
    std::optional<QString> serverFile(const QString& name) const;
    // The path received with an older-protocol results message.
    QString resultsPathAlt(const QString& text) const;

    ProgramState& m_state;
    FrameTimers& m_timers;
    TargetList& m_scheiben;
    RankingView& m_rangliste;
    EventLog* m_log;
    bool m_inTick = false;
    QList<WatchdogObserver*> m_observers;
};
