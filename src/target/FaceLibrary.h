#pragma once

#include "target/TargetPainter.h"

#include <QImage>
#include <QSize>

#include <list>
#include <utility>

// Blank faces, without shots, shared by the target windows of one frame.
// Lanes that shoot the same discipline at the same size show the same rings,
// so a page of windows shown at once draws each kind of face once instead of
// once a window; a window that draws shots onto its copy gets a copy of its
// own.
class FaceLibrary {
public:
    // Everything a face picture is drawn from.
    struct Look {
        TargetPainter::FaceKey key;
        QSize window;
        qreal ratio = 1;
        QRgb background = 0;
        bool operator==(const Look&) const = default;
    };
    struct Face {
        QImage picture;
        TargetPainter::FaceResult result;
    };

    // The face of that look, or none.
    const Face* find(const Look& look);
    void keep(const Look& look, const Face& face);

private:
    // A frame shows a few disciplines and sighting either on or off.
    static constexpr std::size_t kCapacity = 8;
    // Most recently used first.
    std::list<std::pair<Look, Face>> m_faces;
};
