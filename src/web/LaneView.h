#pragma once

#include "target/TargetModel.h"
#include "target/TargetPainter.h"

#include <QByteArray>
#include <QList>
#include <QSize>

#include <optional>

struct LaneSnapshot;

// What the page shows of one lane, kept on the server's thread from one
// state of the lane to the next: the texts of the window's labels and its
// target drawn as SVG by the window's own drawing code, in two layers as the
// window keeps them. The face (card, rings, numbers, sighting corner) is
// drawn again only when something it shows has changed; the marks over it
// (shots, mean point, masking frame) with every state.
class LaneView {
public:
    // Takes the lane's new state and draws what has changed.
    void update(const LaneSnapshot& snapshot);

    // The lane as compact JSON. Fields: "nr", "name", "ringwert", "gesamt",
    // "schuss", "platz", "serien" (the series the window shows), "probe"
    // (sighting mode), "marks" (an SVG layer over the face) and, withFace,
    // "face" (an SVG document; both empty without a target).
    QByteArray json(bool withFace) const;
    // Whether the last update drew the face anew.
    bool faceChanged() const { return m_faceChanged; }

    // The message that carries lanes to the page: {"t": "lanes", "lanes":
    // [...]} from the JSON of each lane.
    static QByteArray message(const QList<QByteArray>& lanes);

private:
    struct FaceCache {
        TargetPainter::FaceKey key;
        QSize pixels;
    };

    int m_lane = 0;
    TargetModel m_model;
    std::optional<FaceCache> m_faceOf;
    TargetPainter::FaceResult m_faceResult;
    QByteArray m_face;
    QByteArray m_marks;
    bool m_faceChanged = false;
    // The label fields of the JSON, from "nr" to "probe".
    QByteArray m_labels;
};
