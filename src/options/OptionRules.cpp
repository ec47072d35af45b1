#include "options/OptionRules.h"

#include "platform/VbNumbers.h"

#include <algorithm>
#include <cmath>

namespace OptionRules {

namespace {
constexpr std::uint32_t Red = 255;
constexpr std::uint32_t Blue = 0xFF0000;
constexpr std::uint32_t Green = 0x00FF00;
constexpr std::uint32_t Yellow = 0x00FFFF;
constexpr std::uint32_t Black = 0;
constexpr std::uint32_t White = 0xFFFFFF;
} // namespace

std::uint8_t resolutionCode(int button, int startPosition)
{
    return static_cast<std::uint8_t>(startPosition == 2 ? button : 100 + button);
}

std::optional<int> resolutionButton(int code)
{
    if (code >= 0 && code <= 3)
        return code;
    if (code >= 100 && code <= 103)
        return code - 100;
    return std::nullopt;
}

std::uint32_t nextSightingColour(std::uint32_t colour)
{
    switch (colour) {
    case Red:
        return Blue;
    case Blue:
        return Green;
    case Green:
        return Yellow;
    case Yellow:
        return Black;
    case Black:
        return Red;
    default:
        return Red;
    }
}

std::uint32_t colourFromSetting(double value)
{
    if (std::isnan(value))
        return Black;
    const double rounded = VbNumbers::roundHalfEven(std::clamp(value, 0.0, double(White)));
    return static_cast<std::uint32_t>(rounded);
}

std::int16_t numberField(const QString& text)
{
    const double value = VbNumbers::roundHalfEven(VbNumbers::val(text));
    if (std::isnan(value))
        return 0;
    return static_cast<std::int16_t>(std::clamp(value, -32768.0, 32767.0));
}

} // namespace OptionRules
