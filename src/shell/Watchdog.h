#pragma once

#include "platform/FileWorkers.h"
#include "shell/LaneFetch.h"

#include <QList>
#include <QSet>
#include <QString>

#include <deque>
#include <memory>

class EventLog;
class FileSystem;
class LaneTarget;
class TargetList;
class RankingView;
class WatchdogObserver;
struct FrameTimers;
struct ProgramState;

// The polling cycle of tmrWatchdog: once a second each lane on screen takes
// its next message from the exchange folder. Faults it passes over go to the
// event log when one is given.
//
// The exchange folder is usually a network share, where every file operation
// waits for the network. So, unlike everything else in the program, the
// cycle's file work (the folder listing, reading the data files, deleting the
// control files, reading the files the messages name) runs on a few worker
// threads, lanes side by side, while the user-interface thread goes on
// painting and paging. What the workers took comes back to the user-interface
// thread, which alone touches windows, settings and the event log, and is
// applied there in lane order, in slices short enough to keep the screen
// live. A lane is not polled again before its last message was applied, so
// each lane keeps its handshake order.
class Watchdog {
public:
    // Worker threads of the program's cycle.
    static constexpr int DefaultThreads = 4;

    // threads 0 does the file work on the calling thread, lane by lane, within
    // tick() (tests that want every step in order).
    Watchdog(ProgramState& state, FrameTimers& timers, TargetList& scheiben, RankingView& rangliste,
        EventLog* log = nullptr, FileSystem* files = nullptr, int threads = DefaultThreads);
    // Waits for the file work under way and applies what it took: a message
    // taken from the folder is never dropped.
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // One tick. Refuses to run while a message box is open or messages are
    // being applied (the "Syntax Error !" box is shown while applying).
    void tick();
    // Applies the places file of the older protocol, then closes and deletes it.
    void PlaetzeLaden(const QString& path);
    // Someone to tell about ticks and messages; not owned, removed before it
    // goes. Observers are told in the order they were added.
    void addObserver(WatchdogObserver* observer);
    void removeObserver(WatchdogObserver* observer);
    // No tick's work is under way or waiting to be applied.
    bool idle() const { return m_batches.empty(); }

private:
    struct Batch;

    // Applies what the workers have brought back, in order, until something
    // is still missing or the slice of time is used up.
    void drain();
    void startApplying(Batch& batch);
    void applyRecord(const LaneFetch& fetch);
    void applyAlt(const LaneFetch& fetch);
    void applyPlaces(const PlacesFetch& places);
    void loadResults(int lane, LaneTarget& target, const NamedFile& file);
    // A definition file: false (written down) when the name was refused.
    bool definitionFile(int lane, const NamedFile& file, const QString& kind);
    void noteFault(int lane, const Received& received);
    void note(int lane, const QString& file, const QString& what);
    void finishTick();

    ProgramState& m_state;
    FrameTimers& m_timers;
    TargetList& m_scheiben;
    RankingView& m_rangliste;
    EventLog* m_log;
    FileSystem& m_files;
    QList<WatchdogObserver*> m_observers;
    // Ticks whose work is under way or not yet applied, oldest first.
    std::deque<std::shared_ptr<Batch>> m_batches;
    // The last tick that listed the folder.
    std::weak_ptr<Batch> m_lastListing;
    // Lanes polled by one of those ticks and not yet done.
    QSet<int> m_inFlight;
    bool m_applying = false;
    bool m_drainQueued = false;
    bool m_folderLost = false;
    // Last: destroyed first, so that no work is left that refers to the rest.
    FileWorkers m_workers;
};
