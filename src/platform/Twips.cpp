#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

double g_dpiX = 0;
double g_dpiY = 0;

QScreen* primaryScreen()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    return QGuiApplication::primaryScreen();
}

// Without a screen the classic 96 DPI, i.e. 15 twips per pixel.
double dpi(bool horizontal)
{
    const double forced = horizontal ? g_dpiX : g_dpiY;
    if (forced > 0)
        return forced;
    if (QScreen* screen = primaryScreen()) {
        const double real = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
        if (real > 0)
            return real;
    }
    return 96;
}

} // namespace

namespace Twips {

double twipsPerPixelX()
{
    return 1440.0 / dpi(true);
}

double twipsPerPixelY()
{
    return 1440.0 / dpi(false);
}

int toPixelsX(double twips)
{
    return int(std::lround(twips / twipsPerPixelX()));
}

int toPixelsY(double twips)
{
    return int(std::lround(twips / twipsPerPixelY()));
}

double fromPixelsX(int pixels)
{
    return pixels * twipsPerPixelX();
}

double fromPixelsY(int pixels)
{
    return pixels * twipsPerPixelY();
}

QSize screenSize()
{
    if (QScreen* screen = primaryScreen())
        return screen->size();
    return QSize(1024, 768);
}

void overrideDpiForTest(double dpiX, double dpiY)
{
    g_dpiX = dpiX;
    g_dpiY = dpiY;
}

} // namespace Twips
