#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>

struct LaneSnapshot;

// What the page shows of one lane: the texts of the window's labels and its
// target drawn as SVG by the window's own drawing code.
namespace LaneView {

// The window of a lane as its next paint would show it: the zoom of the paint,
// the face with the shots, mean point and frame, and the labels. Fields: "nr",
// "name", "ringwert", "gesamt", "schuss", "platz", "serien" (the series the
// window shows), "probe" (sighting mode) and "svg" (empty without a target).
QJsonObject render(const LaneSnapshot& snapshot);

// render as compact JSON.
QByteArray json(const LaneSnapshot& snapshot);
// The message that carries lanes to the page: {"t": "lanes", "lanes": [...]}
// from the JSON of each lane.
QByteArray message(const QList<QByteArray>& lanes);

} // namespace LaneView
