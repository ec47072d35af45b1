#pragma once

struct Einstellungen;
class TargetModel;

// The zoom of a target window: a step on the ring numbers 1, 6 and 8 that
// narrows the visible width around the target centre.
namespace TargetZoom {

// At most this many rings are stepped through or drawn, so that a broken
// definition file cannot stall a tick or a repaint.
constexpr double MaxRingSteps = 1000;

bool isAllowedStep(double step);

// Chooses Scheibe_ZoomNummer (automatically from the latest shot unless
// manuel, else by stepping to the next allowed step) and sets SichtBreite.
// A width of zero or less, from a face whose AussenRadius is small against
// its Ringbreite, falls back to the whole card.
void Zoom(TargetModel& model, bool manuel, const Einstellungen& settings);

// Rand, KartonGroesse, MitteX and MitteY from SichtBreite.
void Scheibe_ZoomBerechnen(TargetModel& model);

} // namespace TargetZoom
