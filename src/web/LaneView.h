#pragma once

#include <QByteArray>
#include <QJsonObject>

struct LaneSnapshot;

// What the page shows of one lane: the texts of the window's labels and its
// target drawn as SVG by the window's own drawing code.
namespace LaneView {

// The window of a lane as its next paint would show it: the zoom of the paint,
// the face with the shots, mean point and frame, and the labels. Fields: "nr",
// "name", "ringwert", "gesamt", "schuss", "platz", "serien" (the series the
// window shows), "probe" (sighting mode) and "svg" (empty without a target).
QJsonObject render(const LaneSnapshot& snapshot);

// The message that carries one lane to the page.
QByteArray message(const LaneSnapshot& snapshot);

} // namespace LaneView
