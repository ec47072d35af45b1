#pragma once

#include <QString>

class TargetList;

// omr_anzeige.ini beside the program, into and out of the settings record of
// ProgramState.
namespace SettingsFile {

QString path();
// Reads every key into ProgramState::instance().settings, builds the
// discipline table and, with paging on, the page table.
void EinstellungenLaden();
// Writes every key back in one save; section "Scheibe" gets the DisziplinNr
// of target windows 1..Scheibenanzahl (a lane without a window keeps its key).
void EinstellungenSpeichern(const TargetList& scheiben);

} // namespace SettingsFile
