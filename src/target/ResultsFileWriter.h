#pragma once

#include "target/TargetRecords.h"

#include <QString>

// The exact inverse of ResultsFile::LadeErgebnisse: the file it writes reads
// back into the same records (the lengths and positions that the reader halves
// are written doubled). Used by the scoring-system simulator and by tests.
namespace ResultsFileWriter {

// Writes atomically (temporary file, then rename) so that a reader never sees
// half a file. Returns false on any write error.
bool write(const QString& datei, const TargetRecords& records);

} // namespace ResultsFileWriter
