#include "ads/PictureFit.h"

namespace PictureFit {

QSizeF fitted(QSizeF window, QSizeF picture)
{
    const double w = window.width();
    const double h = window.height();
    const double W = picture.width();
    const double H = picture.height();
    if (W <= 0 || H <= 0 || w <= 0 || h <= 0)
        return QSizeF(0, 0);
    // w / h <= W / H, compared without dividing so that equal proportions
    // never fall to the other side through rounding.
    if (w * H <= h * W)
        return QSizeF(w, w * H / W);
    return QSizeF(h * W / H, h);
}

} // namespace PictureFit
