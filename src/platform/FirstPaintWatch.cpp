#include "platform/FirstPaintWatch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>

FirstPaintWatch::FirstPaintWatch(QWidget& window, Callback painted) : m_window(window), m_painted(std::move(painted))
{
    // An opaque child covering the window leaves the window itself without a
    // paint event, so the paints of the children count as well.
    QCoreApplication::instance()->installEventFilter(this);
}

FirstPaintWatch::~FirstPaintWatch()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool FirstPaintWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == &m_window) {
        m_seen = true;
        QCoreApplication::instance()->removeEventFilter(this);
        // Posted: it runs once the whole pass, of which this paint is the
        // first, has been painted.
        QTimer::singleShot(0, this, [this] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            m_painted(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
        });
    }
    return QObject::eventFilter(watched, event);
}
