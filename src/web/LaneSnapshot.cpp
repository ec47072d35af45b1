#include "web/LaneSnapshot.h"

LaneSnapshot LaneSnapshot::of(int lane, const TargetModel& model, QSize window, std::shared_ptr<const Look> look)
{
    LaneSnapshot snapshot;
    snapshot.lane = lane;
    snapshot.window = window;
    snapshot.look = std::move(look);
    snapshot.take(model);
    return snapshot;
}

void LaneSnapshot::take(const TargetModel& model)
{
    const TargetRecords& records = model.records;
    wettbewerb = records.Wettbewerb;
    scheibe = records.Scheibe;
    waffe = records.Waffe;
    schuetzenName = records.SchuetzenName;
    satz = records.AktuellerSatz;
    sichtBreite = model.SichtBreite;
    volleBreite = model.VolleBreite;
    randProzent = model.RandProzent;
    kartonProzent = model.KartonProzent;
    rand = model.Rand;
    kartonGroesse = model.KartonGroesse;
    mitteX = model.MitteX;
    mitteY = model.MitteY;
    zoomNummer = model.Scheibe_ZoomNummer;
    linienNr = model.LinienNr;
    gTitelName = model.gTitelName;
    platz = model.Platz;
    disziplinNr = model.DisziplinNr;
    captions = model.captions;
}

void LaneSnapshot::applyTo(TargetModel& model) const
{
    TargetRecords& records = model.records;
    records.Wettbewerb = wettbewerb;
    records.Scheibe = scheibe;
    records.Waffe = waffe;
    records.SchuetzenName = schuetzenName;
    records.AktuellerSatz = satz;
    model.SichtBreite = sichtBreite;
    model.VolleBreite = volleBreite;
    model.RandProzent = randProzent;
    model.KartonProzent = kartonProzent;
    model.Rand = rand;
    model.KartonGroesse = kartonGroesse;
    model.MitteX = mitteX;
    model.MitteY = mitteY;
    model.Scheibe_ZoomNummer = zoomNummer;
    model.LinienNr = linienNr;
    model.gTitelName = gTitelName;
    model.Platz = platz;
    model.DisziplinNr = disziplinNr;
    model.captions = captions;
}
