#pragma once

#include <QRectF>
#include <QSize>
#include <QSizeF>

#include <optional>

struct Einstellungen;

// Geometry rules of the main frame and of the target windows, in twips.
namespace FrameLayout {

struct ScreenMetrics {
    QSize pixels;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

// Where BildSchirm / BildAufloesung put the frame. A size code that does not
// belong to the chosen position sets no size: the frame keeps the size it has
// (an invalid size here). A position outside 0..2 moves nothing.
struct FramePlacement {
    std::optional<double> left;
    QSizeF size;
};
FramePlacement framePlacement(const Einstellungen& s, const ScreenMetrics& screen);

// Targets on one screen and the number of columns they stand in.
int targetsPerScreen(const Einstellungen& s);
int columns(const Einstellungen& s);
// Position (1-based) of target i on its screen.
int position(const Einstellungen& s, int i);

// Rectangle of target i in a frame client area of the given size, and whether
// the result labels (total, place, shot number, ring value) and the name are
// shown; when false the four result labels are hidden and the name untouched.
struct TargetPlacement {
    QRectF rect;
    bool resultLabelsVisible = true;
};
TargetPlacement placeTarget(const Einstellungen& s, int i, QSizeF frameTwips);

// Whether target i is hidden again right after it was first shown.
bool hiddenAtStart(const Einstellungen& s, int i);

} // namespace FrameLayout
