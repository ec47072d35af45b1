#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Small rules of the options dialog: the resolution code, the colour ring of
// the sighting corner and the reading of the number fields.
namespace OptionRules {

// Resolution button i (0..3): code i for the start position "right" (2),
// which opens the frame on a second screen, else 100 + i.
std::uint8_t resolutionCode(int button, int startPosition);
// The button a stored code selects (i or 100 + i), or none.
std::optional<int> resolutionButton(int code);

// Colour values are 0x00BBGGRR. The ring runs red -> blue -> green -> yellow
// -> black -> red; a colour outside it steps to red.
std::uint32_t nextSightingColour(std::uint32_t colour);
// FarbeProbeEcke rounded to a whole colour value, kept within 0..0xFFFFFF.
std::uint32_t colourFromSetting(double value);

// A number field: the leading decimal number of the text, blanks skipped
// (empty or non-numeric gives 0, "12abc" gives 12), rounded half to even and
// limited to -32768..32767 (a number beyond takes the nearest limit).
std::int16_t numberField(const QString& text);

} // namespace OptionRules
