#pragma once

#include "target/Daten_Typen.h"

#include <QString>

// The definition files of the target window: profile-style files published by
// the scoring system and the per-discipline sequential files beside the
// program.
namespace DefinitionFiles {

// Profile files (sections "XWettbewerb", "Rscheibe", "XWaffe", "XKlasse").
// A missing file changes nothing.
void HD_Laden(const QString& datei, WettbewerbsDaten& daten);
void HD_Speichern(const QString& datei, const WettbewerbsDaten& daten);
void HS_Laden(const QString& datei, ScheibenDaten& daten);
void HS_Speichern(const QString& datei, const ScheibenDaten& daten);
void HW_Laden(const QString& datei, WaffenDaten& daten);
void HW_Speichern(const QString& datei, const WaffenDaten& daten);
void HK_Laden(const QString& datei, KlassenDaten& daten);
void HK_Speichern(const QString& datei, const KlassenDaten& daten);

// "hd_1-10.def" and the like for a discipline number (exact comparison).
QString wettbewerbsDateiFuer(const QString& disziplinNr);

// Sequential competition file, read into a fresh record. A missing file shows
// the box "Datei existiert nicht: " + path titled "Wettbewerbsdaten laden" and
// gives an empty record; a file that cannot be read or ends early throws
// SequentialReadError without a message, and the half-read record is lost.
WettbewerbsDaten LadeWettbewerbsDatei(const QString& path);
// Sequential target and weapon files: fields are overwritten one by one; a
// missing file or one that ends early throws SequentialReadError after the
// fields already read have taken their new values.
void LadeScheibenDaten(const QString& path, ScheibenDaten& daten);
void LadeWaffenDatei(const QString& path, WaffenDaten& daten);

} // namespace DefinitionFiles
