#pragma once

#include <QtGlobal>

#include <optional>

// Resident memory (VmRSS) as the system reports it in /proc; nullopt where
// there is no such report.
namespace ResidentMemory {

// In KiB, of process pid (0: this process).
std::optional<qint64> kib(qint64 pid = 0);

} // namespace ResidentMemory
