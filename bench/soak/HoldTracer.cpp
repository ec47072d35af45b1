#include "HoldTracer.h"

#include <QMetaEnum>
#include <QThread>

#include <algorithm>
#include <vector>

namespace {

constexpr qint64 kThresholdNs = 20'000'000;

QString describe(const QObject* receiver, const QEvent* event)
{
    const QString type = QString::fromLatin1(QMetaEnum::fromType<QEvent::Type>().valueToKey(event->type()));
    return QStringLiteral("%1 to %2 \"%3\"")
        .arg(type.isEmpty() ? QString::number(event->type()) : type,
            QString::fromLatin1(receiver->metaObject()->className()), receiver->objectName());
}

} // namespace

HoldTracer::HoldTracer(int& argc, char** argv) : QApplication(argc, argv)
{
    m_clock.start();
}

bool HoldTracer::notify(QObject* receiver, QEvent* event)
{
    if (!m_enabled || m_depth > 2 || QThread::currentThread() != thread())
        return QApplication::notify(receiver, event);
    // Named before the delivery: a receiver may be gone after it (a deferred delete).
    const QString what = QString(m_depth * 2, u' ') + describe(receiver, event);
    ++m_depth;
    const qint64 start = m_clock.nsecsElapsed();
    const bool result = QApplication::notify(receiver, event);
    const qint64 took = m_clock.nsecsElapsed() - start;
    --m_depth;
    // What a long delivery is made of counts from a quarter of the threshold.
    if (took >= (m_depth == 0 ? kThresholdNs : kThresholdNs / 4)) {
        Kind& kind = m_kinds[what];
        ++kind.count;
        kind.totalNs += took;
        kind.worstNs = std::max(kind.worstNs, took);
    }
    return result;
}

QString HoldTracer::report(int lines) const
{
    std::vector<std::pair<QString, Kind>> all(m_kinds.begin(), m_kinds.end());
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.second.worstNs > b.second.worstNs; });
    QString text;
    for (std::size_t i = 0; i < all.size() && i < std::size_t(lines); ++i) {
        const Kind& k = all[i].second;
        text += QStringLiteral("  %1 ms worst, %2 over 20 ms (mean %3 ms): %4\n")
                    .arg(double(k.worstNs) / 1e6, 0, 'f', 1)
                    .arg(k.count)
                    .arg(double(k.totalNs) / 1e6 / double(k.count), 0, 'f', 1)
                    .arg(all[i].first);
    }
    return text;
}
