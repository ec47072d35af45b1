#include "diag/EventLog.h"

#include "platform/FileLookup.h"
#include "platform/ProgramInfo.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

// Line ends and tabs inside a field would break the one-line-per-fault form.
QString oneLine(QString text)
{
    for (QChar& c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace

EventLog::EventLog(QString path, qint64 bound) : m_path(std::move(path)), m_bound(std::max<qint64>(bound, 2))
{
}

QString EventLog::besideProgram()
{
    return FileLookup::join(ProgramInfo::directory(), QStringLiteral("OMRAnzeige.log"));
}

void EventLog::write(int lane, const QString& file, const QString& what)
{
    const QString laneText = lane > 0 ? QStringLiteral("lane %1").arg(lane) : QStringLiteral("-");
    const QString text = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))
        + QLatin1Char('\t') + laneText + QLatin1Char('\t') + oneLine(what) + QLatin1Char('\t') + oneLine(file);
    QByteArray line = text.toUtf8();
    // Each generation holds half the bound; a line longer than that is cut
    // rather than let the log outgrow its bound.
    const qint64 half = m_bound / 2;
    if (line.size() + 1 > half)
        line.truncate(half - 1);
    line.append('\n');

    if (!makeRoomFor(line.size()))
        return;
    QFile out(m_path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    out.write(line);
}

bool EventLog::makeRoomFor(qint64 lineSize)
{
    const QFileInfo current(m_path);
    if (!current.exists())
        return true;
    // Whatever else stands under the log's name is not ours to move.
    if (!current.isFile())
        return false;
    if (current.size() + lineSize <= m_bound / 2)
        return true;
    QFile::remove(olderPath());
    if (QFile::rename(m_path, olderPath()))
        return true;
    // The old generation could not be made (another process holds it open,
    // say): starting the current file afresh still keeps the bound.
    QFile out(m_path);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate);
}
