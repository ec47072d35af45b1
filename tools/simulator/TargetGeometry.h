#pragma once

#include "target/Daten_Typen.h"

// What the simulator needs of a target and weapon to score a shot. Lengths in
// the display's target units (1/100 mm in the shipped definitions).
struct TargetGeometry {
    double zehnerRadius = 25; // outer radius of the ten
    double ringbreite = 250; // width of one ring
    int ringAnzahl = 10; // ring circles, the ten included
    double kaliber = 450; // diameter of the projectile
    double kartonBreite = 8000;

    static TargetGeometry from(const ScheibenDaten& scheibe, const WaffenDaten& waffe);

    // Decimal ring value of a shot whose centre lies at (x, y) from the target
    // centre. A hole counts the best ring it touches, so the distance is taken
    // to the hole's nearest edge: 10.0 exactly when that edge touches the ten's
    // outer circle, one ring less per ring width outwards, and the tenths go on
    // inwards up to 10.9. Cut down to the tenth (never rounded up); below the
    // lowest ring the shot is a miss and scores 0.
    double ringValue(double x, double y) const;
};
