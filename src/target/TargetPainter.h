#pragma once

#include <QColor>

class Canvas;
class QPalette;
class TargetModel;
struct Einstellungen;
struct SchussSatz;
struct WettbewerbsDaten;

// Draws a target window from its records: the face, the shots, the mean point
// of impact and the masking frame, then fills the label captions.
namespace TargetPainter
{

// Angle at which a shot circle's arc starts and ends, with its radius line.
constexpr double SchussWinkel = 6.24;

// The sighting-corner colour from the setting FarbeProbeEcke (an RGB number,
// red in the low byte); 0 or less is black.
QColor probeEckFarbe(double farbeProbeEcke);

// ZeichneScheibe. The card colour is the palette's tool-tip base, the frame
// colour its button colour. A visible width of zero or less (no target
// definition) draws only the frame colour over the whole client area.
void ZeichneScheibe(Canvas& canvas, TargetModel& model, const Einstellungen& settings, const QPalette& palette);

// Mean point of impact of the set, stored at index SchussNummer. A set
// without shots (SchussNummer 0 or less) only gets the means cleared.
void TrefferDurchschnitt_Errechnen(SchussSatz& satz, const WettbewerbsDaten& wettbewerb);

} // namespace TargetPainter
