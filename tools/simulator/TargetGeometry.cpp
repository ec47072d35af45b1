#include "TargetGeometry.h"

#include <algorithm>
#include <cmath>

TargetGeometry TargetGeometry::from(const ScheibenDaten& scheibe, const WaffenDaten& waffe)
{
    TargetGeometry g;
    g.zehnerRadius = scheibe.ZehnerRadius.toDouble();
    g.ringbreite = scheibe.Ringbreite.toDouble() > 0 ? scheibe.Ringbreite.toDouble() : 1;
    g.ringAnzahl = static_cast<int>(scheibe.RingAnzahl.toDouble());
    g.kartonBreite = scheibe.KartonBreite.toDouble();
    const double kaliber = waffe.Kaliber.toDouble();
    g.kaliber = kaliber > 0 ? kaliber : 2 * waffe.AnzeigeRadius.toDouble();
    return g;
}

double TargetGeometry::ringValue(double x, double y) const
{
    const double edge = std::hypot(x, y) - kaliber / 2;
    const double value = 10.0 - (edge - zehnerRadius) / ringbreite;
    // The small allowance keeps 9.7 from becoming 9.6 through binary fractions.
    const double tenths = std::min(109.0, std::floor(value * 10 + 1e-9));
    const double lowest = 11 - std::max(1, ringAnzahl);
    if (tenths < lowest * 10)
        return 0;
    return tenths / 10;
}
