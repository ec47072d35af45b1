#pragma once

#include <QObject>
#include <QThreadPool>

#include <functional>
#include <memory>

// The threads that wait on the exchange folder so that the screen does not:
// work runs on a few worker threads, side by side, and what it brings back is
// handed to the thread that made this object, the user-interface thread, the
// only one that touches windows, settings and the event log. Without threads
// (tests that want every step in order) work runs at once on the calling
// thread and hands back at once.
class FileWorkers {
public:
    explicit FileWorkers(int threads);
    // Waits for the work that runs; what it would hand back is dropped.
    ~FileWorkers();
    FileWorkers(const FileWorkers&) = delete;
    FileWorkers& operator=(const FileWorkers&) = delete;

    bool threaded() const { return m_pool != nullptr; }
    void run(std::function<void()> work);
    // Called by work: back runs on the home thread, queued behind its events.
    void handBack(std::function<void()> back);
    void waitForDone();

private:
    std::unique_ptr<QThreadPool> m_pool;
    QObject m_home;
};
