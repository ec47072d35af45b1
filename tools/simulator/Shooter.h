#pragma once

#include "ShotRandom.h"

#include <QString>

// A made-up shooter: name, club, and how he shoots.
struct Shooter {
    QString vorname;
    QString name;
    QString verein;
    int startNummer = 0;
    // Spread of the group and where its centre sits, target units.
    double sigma = 0;
    double offsetX = 0;
    double offsetY = 0;
    // Sighting shots he takes before the match.
    int probeSchuesse = 0;

    QString displayName() const { return vorname + QLatin1Char(' ') + name; }

    static Shooter random(ShotRandom& random, double sigmaBest, double sigmaWorst);
};
