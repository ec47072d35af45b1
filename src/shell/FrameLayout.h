#pragma once

#include <QRect>
#include <QSize>

struct Einstellungen;

// Geometry rules of the main frame and of the target windows, in twips.
namespace FrameLayout {

// Left edge and size of the frame for BildSchirm / BildAufloesung, given the
// screen size in twips. A code that does not belong to the position keeps
// the current size (returned as an invalid size).
struct FramePlacement {
    double left = 0;
    QSizeF size; // invalid: keep the size the frame has
};
FramePlacement framePlacement(const Einstellungen& s, QSizeF screenTwips);

// Targets per screen, columns, and the rectangle of target i (1-based) in a
// frame of the given size; also whether the four result labels are shown.
struct TargetPlacement {
    QRectF rect;
    bool resultLabelsVisible = true;
};
int targetsPerScreen(const Einstellungen& s);
int columns(const Einstellungen& s);
int position(const Einstellungen& s, int i);
TargetPlacement placeTarget(const Einstellungen& s, int i, QSizeF frameTwips);
// Whether target i is hidden right after creation.
bool hiddenAtStart(const Einstellungen& s, int i);

} // namespace FrameLayout
