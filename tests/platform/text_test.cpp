#include "platform/TextCodec.h"
#include "platform/VbNumbers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

TEST(TextCodecTest, Windows1252BothWaysForEveryByte)
{
    const QByteArray bytes("Sch\xFC\x74zen \x80 \x84quoted\x93 \x9F \x81");
    EXPECT_EQ(TextCodec::decode(bytes), u"Schützen € „quoted“ Ÿ \u0081"_s);
    EXPECT_EQ(TextCodec::encode(TextCodec::decode(bytes)), bytes);
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(TextCodec::encode(TextCodec::decode(all)), all);
}

TEST(TextCodecTest, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(TextCodec::encode(u"a\u0416b"_s), QByteArray("a?b"));
    EXPECT_EQ(TextCodec::encode(u"a\u0416b"_s, "windows-1251"), QByteArray("a\xC6") + "b");
    EXPECT_EQ(TextCodec::encode(u"x\u00E4y"_s, "windows-1251"), QByteArray("x?y"));
}

TEST(TextCodecTest, OtherCodePagesAndTheFallbackTo1252)
{
    const std::tuple<const char*, QByteArray, QString> cases[]
        = {{"windows-1251", "\xCF\xF0\xE8\xE2\xE5\xF2", u"Привет"_s}, {"windows-1254", "\xDE\xFD\xFE\xF0", u"Şışğ"_s},
            {"windows-1253", "\xC1\xE8", u"Αθ"_s}, {"windows-1250", "\x8A\xE8", u"Šč"_s},
            {"Shift_JIS", "\x93\xFA\x96\x7B", u"日本"_s}, {"GBK", "\xD6\xD0\xCE\xC4", u"中文"_s},
            {"Big5", "\xA4\xA4\xA4\xE5", u"中文"_s}, {"windows-949", "\xC7\xD1\xB1\xB9", u"한국"_s},
            {"IBM850", "\x81\x9A", u"üÜ"_s}, {"windows-874", "\xA1", u"ก"_s}, {"UTF-8", "\xC3\xA4", u"ä"_s},
            {"cp866", "\x8F\xE0\xA8", u"При"_s}, // any code page known by its number
            {"no-such-code-page", "\x80", u"€"_s}};
    for (const auto& [codePage, bytes, text] : cases) {
        EXPECT_EQ(TextCodec::decode(bytes, codePage), text) << codePage;
        EXPECT_EQ(TextCodec::encode(text, codePage), bytes) << codePage;
    }
    // Broken multi-byte input does not stop decoding.
    const QString broken = TextCodec::decode(QByteArray("a\x93"), "Shift_JIS");
    EXPECT_TRUE(broken.startsWith(QLatin1Char('a')));
    EXPECT_EQ(broken.size(), 2);
}

TEST(TextCodecTest, CharsetNumbersNameCodePagesThatReallyConvert)
{
    // The default character set and unknown numbers: the system's ANSI code page.
    TextCodec::setAnsiCodePageForTest("windows-1251");
    const std::pair<int, const char*> cases[] = {{0, "windows-1252"}, {1, "windows-1251"}, {2, "windows-1251"},
        {128, "Shift_JIS"}, {129, "windows-949"}, {134, "GBK"}, {136, "Big5"}, {161, "windows-1253"},
        {162, "windows-1254"}, {163, "windows-1258"}, {177, "windows-1255"}, {178, "windows-1256"},
        {186, "windows-1257"}, {204, "windows-1251"}, {222, "windows-874"}, {238, "windows-1250"}, {255, "IBM850"},
        {77, "windows-1251"}, {-1, "windows-1251"}, {300, "windows-1251"}};
    QByteArray high;
    for (int b = 0xA1; b < 0xFF; ++b)
        high.append(char(b));
    for (const auto& [charset, name] : cases) {
        const QByteArray codePage = TextCodec::codePageForCharset(charset);
        EXPECT_EQ(codePage, QByteArray(name)) << charset;
        // Not silently falling back to 1252.
        if (codePage != "windows-1252") {
            EXPECT_NE(TextCodec::decode(high, codePage), TextCodec::decode(high, "windows-1252")) << name;
        }
    }
    TextCodec::setAnsiCodePageForTest(QByteArray());
}

TEST(VbNumbersTest, LeadingNumberAndVal)
{
    const std::pair<const char*, double> leading[]
        = {{"12abc", 12}, {" -3.5e2x", -350}, {"x", 0}, {"1D2", 100}, {"", 0}, {"  +7", 7}, {".5", 0.5}, {"5.", 5},
            {"-.25", -0.25}, {"1e", 1}, {"1E+", 1}, {"2e-1", 0.2}, {"1 2", 1}, {"-", 0}, {".", 0}, {"1.2.3", 1.2},
            {"\t4", 4}, {"0009", 9}, {"10,5", 10}, {"&H10", 0}, {"1d-2", 0.01}, {"40 Schuss", 40}};
    for (const auto& [text, value] : leading)
        EXPECT_DOUBLE_EQ(VbNumbers::leadingNumber(QString::fromLatin1(text)), value) << text;
    EXPECT_TRUE(std::isinf(VbNumbers::leadingNumber(u"1e999"_s)));
    EXPECT_LT(VbNumbers::leadingNumber(u"-1e999"_s), 0);
    EXPECT_EQ(VbNumbers::leadingNumber(u"1e-999"_s), 0);
    EXPECT_EQ(VbNumbers::leadingNumber(u"0e999"_s), 0);

    const std::pair<const char*, double> val[]
        = {{" 1 2 3", 123}, {"&H1F", 31}, {"&h1f", 31}, {"&O17", 15}, {"&o 17", 15}, {"&HFFFF", -1}, {"&H8000", -32768},
            {"&H7FFF", 32767}, {"&H10000", 65536}, {"&HFFFFFFFF", -1}, {"&H", 0}, {"&O8", 0}, {"- 4\t0\n", -40},
            {"40 Schuss", 40}, {"1 0.5", 10.5}, {"abc", 0}, {"", 0}, {"1e 2", 100}};
    for (const auto& [text, value] : val)
        EXPECT_DOUBLE_EQ(VbNumbers::val(QString::fromLatin1(text)), value) << text;
}

TEST(VbNumbersTest, RoundHalfEvenAndRangeChecks)
{
    const std::pair<double, double> cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {10.5, 10}, {11.5, 12}, {0.5, 0},
        {1.5, 2}, {-1.5, -2}, {2.4, 2}, {2.6, 3}, {-2.6, -3}, {0, 0}, {1e300, 1e300}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(VbNumbers::roundHalfEven(in), out) << in;

    // Out of range is no value; the limits round half to even first.
    using Limited = std::tuple<std::optional<double> (*)(double), double, std::optional<double>>;
    const auto int16 = [](double v) -> std::optional<double> { return VbNumbers::toInt16(v); };
    const auto uint8 = [](double v) -> std::optional<double> { return VbNumbers::toUInt8(v); };
    const auto int32 = [](double v) -> std::optional<double> { return VbNumbers::toInt32(v); };
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const Limited limits[] = {{int16, 32767.4, 32767}, {int16, 32767.5, {}}, {int16, -32768.5, -32768},
        {int16, -32768.6, {}}, {int16, 10.5, 10}, {uint8, 255.5, {}}, {uint8, 254.5, 254}, {uint8, -0.5, 0},
        {uint8, -0.6, {}}, {uint8, 300, {}}, {int32, 2147483647.0, 2147483647}, {int32, 2147483648.0, {}},
        {int32, nan, {}}, {int32, inf, {}}};
    for (const auto& [limit, in, out] : limits)
        EXPECT_EQ(limit(in), out) << in;
}

TEST(VbNumbersTest, ToTextAndPrintText)
{
    const std::pair<double, const char*> cases[] = {{9.7, "9.7"}, {double(9.7f), "9.7"}, {double(0.1f), "0.1"},
        {double(10.4f) + double(9.7f), "20.0999994277954"}, {8, "8"}, {-0.5, "-0.5"}, {-0.0, "0"}, {255, "255"},
        {0.05, "0.05"}, {1.0 / 3.0, "0.333333333333333"}, {double(1.0f / 3.0f), "0.3333333"}, {12345678, "12345678"},
        {1e15, "1E+15"}, {1.5e20, "1.5E+20"}, {-2.5e-20, "-2.5E-20"}, {123.456, "123.456"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(VbNumbers::toText(value), QLatin1String(text)) << text;
    EXPECT_EQ(VbNumbers::toText(9.5, QLatin1Char(',')), u"9,5"_s);
    for (double value : {9.7, 1.0 / 7.0, -123.456, 1e-7, 6.02e23})
        EXPECT_NEAR(VbNumbers::leadingNumber(VbNumbers::toText(value)), value, std::fabs(value) * 1e-14) << value;
    for (const auto& [value, text] : {std::pair {10.0, " 10"}, {0.0, " 0"}, {-3.0, "-3"}, {8.5, " 8.5"}})
        EXPECT_EQ(VbNumbers::toPrintText(value), QLatin1String(text)) << text;
}

} // namespace
