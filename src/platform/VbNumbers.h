#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// Number conversions of the program's text formats.
namespace VbNumbers {

// Leading-number rule of the sequential files: leading blanks skipped, an
// optional sign, digits, an optional "." and digits, an optional exponent
// (E or D, sign, digits); stops at the first character that does not fit;
// nothing numeric gives 0.
double leadingNumber(QStringView text);

// The list-reading rule (Val): blanks, tabs and line feeds are ignored
// wherever they stand; otherwise as leadingNumber, plus "&H" hexadecimal and
// "&O" octal numbers.
double val(QStringView text);

// Rounds to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

// roundHalfEven, then the value if it fits the range, else nullopt.
std::optional<std::int16_t> toInt16(double value);
std::optional<std::int32_t> toInt32(double value);
std::optional<std::uint8_t> toUInt8(double value);

// Shortest decimal text of a number without a leading blank (9.7 -> "9.7",
// 8 -> "8", -0.5 -> "-0.5"), with the given decimal separator.
QString toText(double value, QChar decimalSeparator = QLatin1Char('.'));
// The same with a leading blank for values that are not negative, as numbers
// are printed (" 10", "-3").
QString toPrintText(double value);

} // namespace VbNumbers
