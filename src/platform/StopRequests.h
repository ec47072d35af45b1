#pragma once

#include <QObject>

class QSocketNotifier;

// The operating system's requests to end the program, delivered as one signal
// on the user-interface thread: SIGTERM and SIGINT (a service manager, the end
// of a kiosk session, Ctrl+C in a terminal) and, on Windows, the console's
// Ctrl+C, Ctrl+Break and close events and the end of the session.
//
// Only the first request is delivered. After it the earlier handling of the
// signals is back, so a second Ctrl+C ends a program whose shut-down hangs. A
// signal that was ignored when the program started (a shell starts background
// jobs with SIGINT ignored) stays ignored. One instance listens at a time.
class StopRequests : public QObject {
    Q_OBJECT
public:
    explicit StopRequests(QObject* parent = nullptr);
    ~StopRequests() override;

    StopRequests(const StopRequests&) = delete;
    StopRequests& operator=(const StopRequests&) = delete;

    bool isListening() const { return m_listening; }

Q_SIGNALS:
    void stopRequested();

private Q_SLOTS:
    void deliver();

private:
    void stopListening();

    bool m_listening = false;
    QSocketNotifier* m_notifier = nullptr;
};
