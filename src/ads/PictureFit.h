#pragma once

#include <QSizeF>

// BildEinpassen's arithmetic: the picture is scaled to the window keeping its
// proportions, anchored at the top left corner, in floating point.
namespace PictureFit {

// Size of a picture of natural size picture fitted into window: to the width
// when the window is at most as wide (relative to its height) as the picture,
// else to the height. An empty picture or window gives an empty size.
QSizeF fitted(QSizeF window, QSizeF picture);

} // namespace PictureFit
