#include "ResidentMemory.h"

#include <QFile>

namespace ResidentMemory {

std::optional<qint64> kib(qint64 pid)
{
    QFile status(pid == 0 ? QStringLiteral("/proc/self/status") : QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    // "VmRSS:     81234 kB"
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (!line.startsWith("VmRSS:"))
            continue;
        bool ok = false;
        const qint64 value = line.mid(6).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? std::optional<qint64>(value) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace ResidentMemory
