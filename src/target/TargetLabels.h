#pragma once

#include <QRectF>
#include <QString>

#include <array>
#include <optional>

struct Einstellungen;
class TargetModel;

// What the labels of a target window show and where they stand, as functions
// of the window's state; the widget only copies the results onto its labels.
namespace TargetLabels {

// A number as the labels write it: shortest decimal form, no leading blank,
// the decimal separator of the current locale.
QString numberText(double value);
// The same for a single-precision field, so that 9.7 stays "9.7".
QString singleText(float value);

// Fills model.captions from the current state; moves a pending gTitelName
// into the shooter name first.
void TextBelegen(TargetModel& model, const Einstellungen& settings);

// The label rules applied at the end of every repaint.
struct PaintTimeLabels {
    std::array<bool, 6> serieVisible {};
    bool ergebnisVisible = false;
    bool titelNameVisible = false;
    std::optional<QString> ergebnisText; // only when there is a latest shot
};
PaintTimeLabels paintTimeLabels(const TargetModel& model, const Einstellungen& settings);

// Geometry of the repositioned labels, in target units.
struct LabelLayout {
    QRectF titelName;
    QRectF name;
    QRectF ringwert;
    QRectF gesamt;
    QRectF schussNr;
    QRectF platz;
    std::array<QRectF, 6> serie;
};
// Lays the labels out for the visible width sichtBreite, starting from their
// current geometry (sizes, and the designed left edges of the series labels).
LabelLayout TextPositionieren(const LabelLayout& current, double sichtBreite, const Einstellungen& settings);

} // namespace TargetLabels
