#include "platform/VbNumbers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(VbNumbersTest, LeadingNumber)
{
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"12abc", 12},
        {" -3.5e2x", -350},
        {"x", 0},
        {"1D2", 100},
        {"", 0},
        {"  +7", 7},
        {".5", 0.5},
        {"5.", 5},
        {"-.25", -0.25},
        {"1e", 1},
        {"1E+", 1},
        {"2e-1", 0.2},
        {"1 2", 1},
        {"-", 0},
        {".", 0},
        {"1.2.3", 1.2},
        {"\t4", 4},
        {"0009", 9},
        {"10,5", 10},
        {"&H10", 0},
        {"1d-2", 0.01},
        {"40 Schuss", 40},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(VbNumbers::leadingNumber(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(VbNumbersTest, LeadingNumberOutOfRange)
{
    EXPECT_TRUE(std::isinf(VbNumbers::leadingNumber(QStringLiteral("1e999"))));
    EXPECT_LT(VbNumbers::leadingNumber(QStringLiteral("-1e999")), 0);
    EXPECT_EQ(VbNumbers::leadingNumber(QStringLiteral("1e-999")), 0);
    EXPECT_EQ(VbNumbers::leadingNumber(QStringLiteral("0e999")), 0);
}

TEST(VbNumbersTest, Val)
{
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {" 1 2 3", 123},
        {"&H1F", 31},
        {"&h1f", 31},
        {"&O17", 15},
        {"&o 17", 15},
        {"&HFFFF", -1},
        {"&H8000", -32768},
        {"&H7FFF", 32767},
        {"&H10000", 65536},
        {"&HFFFFFFFF", -1},
        {"&H", 0},
        {"&O8", 0},
        {"- 4\t0\n", -40},
        {"40 Schuss", 40},
        {"1 0.5", 10.5},
        {"abc", 0},
        {"", 0},
        {"1e 2", 100},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(VbNumbers::val(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(VbNumbersTest, RoundHalfEven)
{
    const std::pair<double, double> cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {10.5, 10},
        {11.5, 12},
        {0.5, 0},
        {1.5, 2},
        {-1.5, -2},
        {2.4, 2},
        {2.6, 3},
        {-2.6, -3},
        {0, 0},
        {1e300, 1e300},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(VbNumbers::roundHalfEven(in), out) << in;
}

TEST(VbNumbersTest, RangeChecks)
{
    EXPECT_EQ(VbNumbers::toInt16(32767.4), std::optional<std::int16_t>(32767));
    EXPECT_EQ(VbNumbers::toInt16(32767.5), std::nullopt);
    EXPECT_EQ(VbNumbers::toInt16(-32768.5), std::optional<std::int16_t>(-32768));
    EXPECT_EQ(VbNumbers::toInt16(-32768.6), std::nullopt);
    EXPECT_EQ(VbNumbers::toInt16(10.5), std::optional<std::int16_t>(10));
    EXPECT_EQ(VbNumbers::toUInt8(255.5), std::nullopt);
    EXPECT_EQ(VbNumbers::toUInt8(254.5), std::optional<std::uint8_t>(254));
    EXPECT_EQ(VbNumbers::toUInt8(-0.5), std::optional<std::uint8_t>(0));
    EXPECT_EQ(VbNumbers::toUInt8(-0.6), std::nullopt);
    EXPECT_EQ(VbNumbers::toUInt8(300), std::nullopt);
    EXPECT_EQ(VbNumbers::toInt32(2147483647.0), std::optional<std::int32_t>(2147483647));
    EXPECT_EQ(VbNumbers::toInt32(2147483648.0), std::nullopt);
    EXPECT_EQ(VbNumbers::toInt32(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(VbNumbers::toInt32(std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(VbNumbersTest, ToText)
{
    const std::pair<double, const char*> cases[] = {
        {9.7, "9.7"},
        {double(9.7f), "9.7"},
        {double(0.1f), "0.1"},
        {double(10.4f) + double(9.7f), "20.0999994277954"},
        {8, "8"},
        {-0.5, "-0.5"},
        {-0.0, "0"},
        {255, "255"},
        {0.05, "0.05"},
        {1.0 / 3.0, "0.333333333333333"},
        {double(1.0f / 3.0f), "0.3333333"},
        {12345678, "12345678"},
        {1e15, "1E+15"},
        {1.5e20, "1.5E+20"},
        {-2.5e-20, "-2.5E-20"},
        {123.456, "123.456"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(VbNumbers::toText(value), QString::fromLatin1(text)) << text;
    EXPECT_EQ(VbNumbers::toText(9.5, QLatin1Char(',')), QStringLiteral("9,5"));
}

TEST(VbNumbersTest, ToTextReadsBack)
{
    for (double value : {9.7, 1.0 / 7.0, -123.456, 1e-7, 6.02e23})
        EXPECT_NEAR(VbNumbers::leadingNumber(VbNumbers::toText(value)), value, std::fabs(value) * 1e-14) << value;
}

TEST(VbNumbersTest, ToPrintText)
{
    EXPECT_EQ(VbNumbers::toPrintText(10), QStringLiteral(" 10"));
    EXPECT_EQ(VbNumbers::toPrintText(0), QStringLiteral(" 0"));
    EXPECT_EQ(VbNumbers::toPrintText(-3), QStringLiteral("-3"));
    EXPECT_EQ(VbNumbers::toPrintText(8.5), QStringLiteral(" 8.5"));
}

} // namespace
