#pragma once

#include <QColor>

#include <cstddef>
#include <vector>

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
// masking frame; then the label captions are filled. With earlierShotsDrawn
// the earlier shots are taken to be on the canvas already (drawEarlierShots).
void drawOverlay(Canvas& canvas, TargetModel& model, const Einstellungen& settings, const QPalette& palette,
    const FaceResult& face, bool earlierShotsDrawn = false);

// An earlier shot as it is marked under the latest one: its place on the
// canvas, the number it is counted under, and whether it is the picked-out
// shot (MarkSchuss) that is filled blue, which only a shot circle shows.
struct ShotMark {
    double nummer = 0;
    double x = 0;
    double y = 0;
    bool markiert = false;

    bool operator==(const ShotMark&) const = default;
};

// The earlier shots a paint marks, in drawing order, with everything apart
// from the face that their marks are drawn with.
struct EarlierShots {
    double anzeigeRadius = 0;
    bool vergroessert = false;
    bool kreise = false;
    bool nummeriert = false;
    std::vector<ShotMark> marks;

    // Whether these marks are drawn by drawing the ones of `drawn` and then
    // the rest: nothing drawn yet, or the same way of marking with drawn's
    // marks first.
    bool continues(const EarlierShots& drawn) const;
};
EarlierShots earlierShots(const TargetModel& model, const Einstellungen& settings);
// Draws marks from `from` on, over a face drawn with the same key and the
// marks before `from`. Drawing all of them on the face gives the picture
// drawOverlay draws below the latest shot.
void drawEarlierShots(Canvas& canvas, TargetModel& model, const Einstellungen& settings, const QPalette& palette,
    const FaceResult& face, const EarlierShots& shots, std::size_t from);

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
