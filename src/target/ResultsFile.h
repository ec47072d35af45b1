#pragma once

#include "target/TargetRecords.h"

#include <QString>

// The results file that the scoring system publishes for a lane.
namespace ResultsFile {

// LadeErgebnisse: reads the file into `records` (locked while read, released
// on every path), halves the lengths, chooses the current set. Returns false
// when the file is missing (nothing changed) or a read error stopped it part
// way (what was read keeps its new value; no halving, no choice). A count
// that would index outside a set (LetzterIndex, SerienLetzter, or the index
// derived from SchussNummer outside -1..150) is such a read error.
bool LadeErgebnisse(const QString& datei, TargetRecords& records);

} // namespace ResultsFile
