#pragma once

#include <QObject>
#include <QTimer>

// A timer with the semantics the display's logic assumes: an enabled flag and
// an interval in milliseconds; enabling (also when already enabled) or setting
// the interval restarts the count; an interval of 0 leaves the timer enabled
// but it never fires. "Running" in the display's rules means enabled.
class VbTimer : public QObject {
    Q_OBJECT
public:
    explicit VbTimer(int intervalMs = 0, bool enabled = false, QObject* parent = nullptr);

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    void setInterval(int intervalMs);
    int interval() const { return m_interval; }
    // True while the count runs, i.e. enabled with an interval above 0.
    bool isCounting() const { return m_timer.isActive(); }

    // Delivers one tick now, as if the interval had run out (tests, start-up).
    void fire();

Q_SIGNALS:
    void timeout();

private:
    void restart();

    QTimer m_timer;
    int m_interval = 0;
    bool m_enabled = false;
};
