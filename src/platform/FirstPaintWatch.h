#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

class QEvent;
class QWidget;

// Tells once when a window has been painted for the first time: the reading
// of std::chrono::steady_clock in nanoseconds, taken when the first paint pass
// over the window or any of its children has ended. The start-up benchmark
// compares it with its own reading from before it started the program.
class FirstPaintWatch : public QObject {
public:
    using Callback = std::function<void(std::int64_t steadyNanoseconds)>;
    FirstPaintWatch(QWidget& window, Callback painted);
    ~FirstPaintWatch() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    Callback m_painted;
    bool m_seen = false;
};
