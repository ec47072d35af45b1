#include "target/TargetZoom.h"

#include "platform/VbNumbers.h"
#include "shell/Einstellungen.h"
#include "target/TargetModel.h"

#include <algorithm>
#include <cmath>

namespace TargetZoom {

namespace {

double ganzeKarte(const TargetModel& model)
{
    return model.VolleBreite * (100 + model.RandProzent) / 100;
}

// Ring value of the latest shot, or nothing when there is no usable shot.
bool letzterRingwert(const SchussSatz& satz, double& ringwert)
{
    if (!(satz.LetzterIndex >= 0))
        return false;
    const double index = VbNumbers::roundHalfEven(satz.LetzterIndex);
    if (index > SchussSatz::Groesse - 1)
        return false;
    ringwert = satz.Ringwert[static_cast<std::size_t>(index)];
    return true;
}

} // namespace

bool isAllowedStep(double step)
{
    return step == 1 || step == 6 || step == 8;
}

void Zoom(TargetModel& model, bool manuel, const Einstellungen& settings)
{
    const ScheibenDaten& scheibe = model.records.Scheibe;
    const double ringAnzahl = scheibe.RingAnzahl.toDouble();
    const double ringbreite = scheibe.Ringbreite.toDouble();

    double ringwert = 0;
    const bool automatisch
        = settings.AutoZoom == 1 && !manuel && letzterRingwert(model.records.AktuellerSatz, ringwert);

    double z = ringAnzahl >= 1 ? 1 : 0;
    // A zero ring width makes the threshold infinite or undefined: no step
    // qualifies and the default step stays.
    const double schwelle = ringwert - 1.5 * model.records.Waffe.AnzeigeRadius.toDouble() / ringbreite;
    bool angehalten = false;
    const double letzterRing = std::min(ringAnzahl, MaxRingSteps);
    for (double r = 1; r <= letzterRing; ++r) {
        if (automatisch) {
            if (isAllowedStep(r) && r < schwelle)
                z = r;
        } else {
            if (model.Scheibe_ZoomNummer > ringAnzahl)
                model.Scheibe_ZoomNummer = 0;
            if (isAllowedStep(model.Scheibe_ZoomNummer))
                angehalten = true;
            if (!angehalten)
                model.Scheibe_ZoomNummer += 1;
        }
    }
    if (automatisch)
        model.Scheibe_ZoomNummer = z;

    const double ringMin = scheibe.RingMin.toDouble();
    if (model.Scheibe_ZoomNummer < ringMin) {
        model.SichtBreite = ganzeKarte(model);
    } else {
        model.SichtBreite = 2 * scheibe.AussenRadius.toDouble() + 3 * ringbreite
            - 2.2 * ringbreite * (model.Scheibe_ZoomNummer - ringMin);
        if (!(model.SichtBreite > 0))
            model.SichtBreite = ganzeKarte(model);
    }
}

void Scheibe_ZoomBerechnen(TargetModel& model)
{
    const double breite = model.SichtBreite;
    model.Rand = std::floor(breite / 100 * model.RandProzent);
    model.KartonGroesse = std::floor(breite / 100 * model.KartonProzent);
    model.MitteX = std::floor(breite / 2);
    model.MitteY = model.MitteX;
}

} // namespace TargetZoom
