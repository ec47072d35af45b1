#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QString>

#include <map>

// The application with every event delivery of the user-interface thread
// timed, so that a long hold can be named: which receiver, which event. Only
// the outermost delivery counts; what it calls inside is part of it.
class HoldTracer : public QApplication {
public:
    HoldTracer(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    void setEnabled(bool on) { m_enabled = on; }
    // The longest deliveries over the threshold, worst first, a line each.
    QString report(int lines) const;

private:
    struct Kind {
        qint64 count = 0;
        qint64 worstNs = 0;
        qint64 totalNs = 0;
    };
    bool m_enabled = false;
    int m_depth = 0;
    QElapsedTimer m_clock;
    std::map<QString, Kind> m_kinds;
};
