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
namespace TargetPainter {

// Angle at which a shot circle's arc starts and ends, with its radius line.
constexpr double SchussWinkel = 6.24;

// The sighting-corner colour from the setting FarbeProbeEcke (an RGB number,
// red in the low byte); 0 or less is black.
QColor probeEckFarbe(double farbeProbeEcke);

// ZeichneScheibe. The card colour is the palette's tool-tip base, the frame
// colour its button colour. A visible width of zero or less (no target
// definition) draws only the frame colour over the whole client area.
// It is drawFace followed by drawOverlay on the same canvas.
void ZeichneScheibe(Canvas& canvas, TargetModel& model, const Einstellungen& settings, const QPalette& palette);

// What the face hands on to the marks drawn over it.
struct FaceResult {
    // The ring numbers' font fits into a ring: the shots get their numbers.
    bool ringNumbersFit = false;
    // The font size the face ends with.
    double fontSize = 0;
};

// The face: the card, the black area, the tens, the rings with their
// numbers and the sighting corner (or, without a visible width, the frame
// colour over everything).
FaceResult drawFace(Canvas& canvas, TargetModel& model, const Einstellungen& settings, const QPalette& palette);
// Everything over the face: the shots, the mean point of impact and the
// masking frame; then the label captions are filled.
void drawOverlay(
    Canvas& canvas, TargetModel& model, const Einstellungen& settings, const QPalette& palette, const FaceResult& face);

// Everything drawFace reads apart from the canvas: two faces with equal keys
// on canvases of equal size are drawn alike.
struct FaceKey {
    double sichtBreite = 0;
    double rand = 0;
    double kartonGroesse = 0;
    double mitteX = 0;
    double mitteY = 0;
    double spiegelRadius = 0;
    double innenZehnerRadius = 0;
    double innenZehnerRingStyle = 0;
    double zehnerRadius = 0;
    double zehnerRingStyle = 0;
    double ringbreite = 0;
    double aussenRadius = 0;
    double ringAnzahl = 0;
    double ringMin = 0;
    double ringMax = 0;
    bool probe = false;
    double farbeProbeEcke = 0;
    QRgb karte = 0;
    QRgb knopf = 0;

    bool operator==(const FaceKey&) const = default;
};
FaceKey faceKey(const TargetModel& model, const Einstellungen& settings, const QPalette& palette);
// Whether the model has a visible width, so that drawFace draws a target.
bool hasFace(const TargetModel& model);

// Mean point of impact of the set, stored at index SchussNummer. A set
// without shots (SchussNummer 0 or less) only gets the means cleared.
void TrefferDurchschnitt_Errechnen(SchussSatz& satz, const WettbewerbsDaten& wettbewerb);

} // namespace TargetPainter
