#pragma once

#include <QSize>

// Window geometry is specified in twips (1/1440 inch); the screen's real DPI
// turns them into pixels.
namespace Twips {

double twipsPerPixelX();
double twipsPerPixelY();
int toPixelsX(double twips);
int toPixelsY(double twips);
double fromPixelsX(int pixels);
double fromPixelsY(int pixels);
// Size of the primary screen in pixels.
QSize screenSize();

// Tests fix the DPI so that results do not depend on the machine (0 = real).
void overrideDpiForTest(double dpiX, double dpiY);

} // namespace Twips
