#include "platform/VbNumbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Parses sign, digits, "." digits and an E/D exponent from pos on. Returns 0
// when no mantissa digit is found.
double parseDecimal(QStringView text, qsizetype pos)
{
    std::string number;
    const qsizetype n = text.size();
    if (pos < n && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
        if (text[pos] == QLatin1Char('-'))
            number += '-';
        ++pos;
    }
    bool anyDigit = false;
    int magnitude = 0; // decimal position of the first significant digit
    bool seenSignificant = false;
    while (pos < n && isDigit(text[pos])) {
        const char c = char(text[pos].unicode());
        number += c;
        anyDigit = true;
        if (c != '0')
            seenSignificant = true;
        if (seenSignificant)
            ++magnitude;
        ++pos;
    }
    if (pos < n && text[pos] == QLatin1Char('.')) {
        number += '.';
        ++pos;
        while (pos < n && isDigit(text[pos])) {
            const char c = char(text[pos].unicode());
            number += c;
            anyDigit = true;
            if (c != '0')
                seenSignificant = true;
            if (!seenSignificant)
                --magnitude;
            ++pos;
        }
    }
    if (!anyDigit)
        return 0;
    long long exponent = 0;
    if (pos < n) {
        const QChar e = text[pos].toUpper();
        if (e == QLatin1Char('E') || e == QLatin1Char('D')) {
            qsizetype p = pos + 1;
            bool negative = false;
            if (p < n && (text[p] == QLatin1Char('+') || text[p] == QLatin1Char('-'))) {
                negative = text[p] == QLatin1Char('-');
                ++p;
            }
            if (p < n && isDigit(text[p])) {
                while (p < n && isDigit(text[p])) {
                    if (exponent < 100000)
                        exponent = exponent * 10 + (text[p].unicode() - '0');
                    ++p;
                }
                if (negative)
                    exponent = -exponent;
                number += 'e';
                number += std::to_string(exponent);
            }
        }
    }
    double value = 0;
    const char* first = number.data();
    const char* last = number.data() + number.size();
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool negative = !number.empty() && number.front() == '-';
        if (seenSignificant && magnitude + exponent > 0)
            value = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        else
            value = negative ? -0.0 : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0;
    }
    return value;
}

// "&H" / "&O" numbers: values that fit 16 bits are Integers and those that fit
// 32 bits Longs, both read as signed, so "&HFFFF" is -1 and "&H8000" -32768.
double parseRadix(QStringView text, qsizetype pos, int radix)
{
    unsigned long long value = 0;
    bool any = false;
    bool tooLarge = false;
    for (; pos < text.size(); ++pos) {
        const int digit = QChar(text[pos]).digitValue();
        int d = digit;
        if (radix == 16 && digit < 0) {
            const char16_t c = QChar(text[pos]).toUpper().unicode();
            if (c >= u'A' && c <= u'F')
                d = c - u'A' + 10;
        }
        if (d < 0 || d >= radix || text[pos].unicode() > 127)
            break;
        any = true;
        value = value * unsigned(radix) + unsigned(d);
        if (value > 0xFFFFFFFFULL)
            tooLarge = true;
        if (value > (1ULL << 60))
            value = 1ULL << 60;
    }
    if (!any)
        return 0;
    if (tooLarge)
        return double(value);
    if (value <= 0xFFFF)
        return double(std::int16_t(std::uint16_t(value)));
    return double(std::int32_t(std::uint32_t(value)));
}

// Formats with the given number of significant digits the way VB prints
// numbers: no trailing zeros, no trailing point, exponent as E+NN / E-NN.
QString formatSignificant(double value, int digits, QChar decimalSeparator)
{
    std::array<char, 64> buffer {};
    const auto written
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific, digits - 1);
    const std::string s(buffer.data(), written.ptr);
    const auto ePos = s.find('e');
    std::string mantissa = s.substr(0, ePos);
    // Not locale-dependent: to_chars always writes ".".
    const int exponent = std::stoi(s.substr(ePos + 1));
    const bool negative = !mantissa.empty() && mantissa.front() == '-';
    if (negative)
        mantissa.erase(0, 1);
    std::string digitsOnly;
    for (char c : mantissa) {
        if (c != '.')
            digitsOnly += c;
    }
    while (digitsOnly.size() > 1 && digitsOnly.back() == '0')
        digitsOnly.pop_back();

    std::string out;
    if (exponent >= digits || exponent < -digits) {
        out = digitsOnly.substr(0, 1);
        if (digitsOnly.size() > 1)
            out += '.' + digitsOnly.substr(1);
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
        out += exp;
    } else if (exponent < 0) {
        out = "0." + std::string(size_t(-exponent - 1), '0') + digitsOnly;
    } else {
        const size_t intDigits = size_t(exponent) + 1;
        if (digitsOnly.size() <= intDigits) {
            out = digitsOnly + std::string(intDigits - digitsOnly.size(), '0');
        } else {
            out = digitsOnly.substr(0, intDigits) + '.' + digitsOnly.substr(intDigits);
        }
    }
    QString result = QString::fromLatin1(out.c_str());
    if (decimalSeparator != QLatin1Char('.'))
        result.replace(QLatin1Char('.'), decimalSeparator);
    if (negative)
        result.prepend(QLatin1Char('-'));
    return result;
}

template<typename T> std::optional<T> roundedInRange(double value)
{
    const double r = VbNumbers::roundHalfEven(value);
    if (std::isnan(r) || r < double(std::numeric_limits<T>::min()) || r > double(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(r);
}

} // namespace

namespace VbNumbers {

double leadingNumber(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return parseDecimal(text, pos);
}

double val(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            compact.append(c);
    }
    if (compact.size() >= 2 && compact[0] == QLatin1Char('&')) {
        const QChar kind = compact[1].toUpper();
        if (kind == QLatin1Char('H'))
            return parseRadix(compact, 2, 16);
        if (kind == QLatin1Char('O'))
            return parseRadix(compact, 2, 8);
    }
    return parseDecimal(compact, 0);
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return rounded;
}

std::optional<std::int16_t> toInt16(double value)
{
    return roundedInRange<std::int16_t>(value);
}

std::optional<std::int32_t> toInt32(double value)
{
    return roundedInRange<std::int32_t>(value);
}

std::optional<std::uint8_t> toUInt8(double value)
{
    return roundedInRange<std::uint8_t>(value);
}

// Values come in as double even when the program keeps them in 32-bit floats
// (the shot sets). A float 9.7f widened to double is 9.69999980926514, which
// VB would print as "9.7" because a Single prints with 7 significant digits.
// So a value that is exactly a float (and not a whole number) is printed with
// 7 digits; everything else with the 15 digits of a Double. Whole numbers
// below 1e15 print all their digits.
QString toText(double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    if (value == 0)
        return QStringLiteral("0");
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    const bool isFloat
        = std::fabs(value) <= double(std::numeric_limits<float>::max()) && double(static_cast<float>(value)) == value;
    return formatSignificant(value, isFloat ? 7 : 15, decimalSeparator);
}

QString toPrintText(double value)
{
    const QString text = toText(value);
    if (text.startsWith(QLatin1Char('-')))
        return text;
    return QLatin1Char(' ') + text;
}

} // namespace VbNumbers
