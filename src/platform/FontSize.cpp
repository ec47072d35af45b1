#include "platform/FontSize.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;

} // namespace

int FontSize::toPixels(double points)
{
    const double pixels = std::isfinite(points) ? points * kPixelsPerPoint : 1;
    return std::clamp(int(std::lround(pixels)), 1, 4000);
}

double FontSize::toPoints(int pixels)
{
    return double(pixels) / kPixelsPerPoint;
}
