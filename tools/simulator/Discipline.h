#pragma once

#include "TargetGeometry.h"
#include "target/Daten_Typen.h"

#include <QList>
#include <QString>

#include <optional>

// One discipline the simulated range shoots: the definition records the
// server publishes and copies into every results file, and how widely its
// shooters scatter.
struct Discipline {
    QString kurzname; // stem of the published file names
    QString disziplinNr; // discipline number of the older protocol's announcement
    int rankingId = 1; // discipline id of ranking requests
    WettbewerbsDaten wettbewerb;
    ScheibenDaten scheibe;
    WaffenDaten waffe;
    KlassenDaten klasse;
    // Group size of the shooters (standard deviation per axis, target units).
    double sigmaBest = 100;
    double sigmaWorst = 400;
    // Published files, relative to the exchange folder, "\" separated as a
    // Windows server writes them.
    QString wettbewerbDatei;
    QString scheibeDatei;
    QString waffeDatei;

    TargetGeometry geometry() const { return TargetGeometry::from(scheibe, waffe); }
    bool wholeRings() const { return wettbewerb.Wertung.toDouble() == 0; }
    int schussZahl() const;
    int serienlaenge() const;

    // Air rifle and air pistol, 10 m, with the geometry of the shipped files.
    static QList<Discipline> builtIn();
};
