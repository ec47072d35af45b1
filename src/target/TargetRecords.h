#pragma once

#include "target/Daten_Typen.h"

#include <array>

// Everything a target window knows about its lane: the four definition
// records, the shooter, and the three shot sets (the current set is always a
// whole copy of the sighting or the match set).
struct TargetRecords {
    WettbewerbsDaten Wettbewerb;
    ScheibenDaten Scheibe;
    WaffenDaten Waffe;
    KlassenDaten Klasse;

    TaggedValue SchuetzenName;
    std::array<TaggedValue, 7> Kopfwerte; // header values of the results file, kept

    SchussSatz ProbeSatz;
    SchussSatz MatchSatz;
    SchussSatz AktuellerSatz;
};
