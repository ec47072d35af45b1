#include "shell/FrameLayout.h"

#include "shell/Einstellungen.h"

namespace FrameLayout {

namespace {

QSize sizeForCode(int code)
{
    switch (code) {
    case 0:
        return {640, 480};
    case 1:
        return {800, 600};
    case 2:
        return {1024, 768};
    case 3:
        return {1360, 768};
    default:
        return {};
    }
}

} // namespace

FramePlacement framePlacement(const Einstellungen& s, const ScreenMetrics& screen)
{
    FramePlacement placement;
    const double screenWidth = screen.pixels.width() * screen.twipsPerPixelX;
    const double screenHeight = screen.pixels.height() * screen.twipsPerPixelY;
    QSize pixels;
    switch (s.BildSchirm) {
    case 0:
        placement.left = 0;
        pixels = screen.pixels;
        break;
    case 1:
        placement.left = screenWidth / 2;
        if (s.BildAufloesung >= 100)
            pixels = sizeForCode(s.BildAufloesung - 100);
        break;
    case 2:
        // On a single screen this puts the frame beyond the right edge: the
        // operator asked for the screen to the right.
        placement.left = screenWidth;
        if (s.BildAufloesung < 100)
            pixels = sizeForCode(s.BildAufloesung);
        break;
    default:
        break;
    }
    if (s.BildSchirm == 0)
        placement.size = QSizeF(screenWidth, screenHeight);
    else if (pixels.isValid())
        placement.size = QSizeF(pixels.width() * screen.twipsPerPixelX, pixels.height() * screen.twipsPerPixelY);
    return placement;
}

int targetsPerScreen(const Einstellungen& s)
{
    if (s.Blaettern == 1)
        return s.ScheibenProSeite;
    if (s.AnfEnde == 1)
        return s.EndScheibe - s.AnfScheibe + 1;
    return s.Scheibenanzahl;
}

int columns(const Einstellungen& s)
{
    const int n = targetsPerScreen(s);
    if (s.chkEinZeilig == 1)
        return n > 1 ? n : 1;
    return n > 4 ? (n + 1) / 2 : 2;
}

int position(const Einstellungen& s, int i)
{
    if (s.Blaettern != 1)
        return s.AnfEnde == 1 ? i - s.AnfScheibe + 1 : i;
    int k = s.AnfEnde == 1 ? i - s.AnfScheibe + 1 : i;
    if (k < 1)
        k = s.AnfScheibe;
    const int perPage = s.ScheibenProSeite;
    // No page can hold zero targets; such a page size places every target by
    // its own number instead of dividing by zero.
    if (k <= perPage || perPage <= 0)
        return k;
    const int rest = k % perPage;
    return rest == 0 ? perPage : rest;
}

TargetPlacement placeTarget(const Einstellungen& s, int i, QSizeF frameTwips)
{
    const double W = frameTwips.width();
    const double H = frameTwips.height();
    const int c = columns(s);

    TargetPlacement placement;
    double width = 0;
    if (H / 2 <= W / c) {
        width = H / 2.1;
        placement.resultLabelsVisible = false;
    } else {
        width = W / (c + 0.1);
        placement.resultLabelsVisible = true;
    }
    const double height = s.chkEinZeilig == 1 ? H / 1.1 : H / 2.1;

    const int p = position(s, i);
    double left = 0;
    double top = 0;
    if (s.BuliAnordnung == 1) {
        left = ((p - 1) / 2) * width;
        top = (1 - p % 2) * height;
    } else if (p <= c) {
        left = (p - 1) * width;
    } else {
        left = (p % (c + 1)) * width;
        top = height;
    }
    placement.rect = QRectF(left, top, width, height);
    return placement;
}

bool hiddenAtStart(const Einstellungen& s, int i)
{
    if (s.Blaettern == 1 && i > s.ScheibenProSeite && (s.AnfEnde == 0 || i >= s.ScheibenProSeite + s.AnfScheibe))
        return true;
    return s.AnfEnde == 1 && (i < s.AnfScheibe || i > s.EndScheibe);
}

} // namespace FrameLayout
