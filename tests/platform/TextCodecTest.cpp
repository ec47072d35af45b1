#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace {

TEST(TextCodecTest, Windows1252BothWays)
{
    const QByteArray bytes("Sch\xFC\x74zen \x80 \x84quoted\x93 \x9F \x81");
    const QString text = TextCodec::decode(bytes);
    EXPECT_EQ(text, QStringLiteral("Schützen € „quoted“ Ÿ \u0081"));
    EXPECT_EQ(TextCodec::encode(text), bytes);
}

TEST(TextCodecTest, EveryByteOf1252RoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(TextCodec::encode(TextCodec::decode(all)), all);
}

TEST(TextCodecTest, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(TextCodec::encode(QStringLiteral("a\u0416b")), QByteArray("a?b"));
    EXPECT_EQ(TextCodec::encode(QStringLiteral("a\u0416b"), "windows-1251"), QByteArray("a\xC6") + "b");
    EXPECT_EQ(TextCodec::encode(QStringLiteral("x\u00E4y"), "windows-1251"), QByteArray("x?y"));
}

TEST(TextCodecTest, OtherCodePages)
{
    struct Case {
        const char* codePage;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"windows-1251", QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2"), QStringLiteral("Привет")},
        {"windows-1254", QByteArray("\xDE\xFD\xFE\xF0"), QStringLiteral("Şışğ")},
        {"windows-1253", QByteArray("\xC1\xE8"), QStringLiteral("Αθ")},
        {"windows-1250", QByteArray("\x8A\xE8"), QStringLiteral("Šč")},
        {"Shift_JIS", QByteArray("\x93\xFA\x96\x7B"), QStringLiteral("日本")},
        {"GBK", QByteArray("\xD6\xD0\xCE\xC4"), QStringLiteral("中文")},
        {"Big5", QByteArray("\xA4\xA4\xA4\xE5"), QStringLiteral("中文")},
        {"windows-949", QByteArray("\xC7\xD1\xB1\xB9"), QStringLiteral("한국")},
        {"IBM850", QByteArray("\x81\x9A"), QStringLiteral("üÜ")},
        {"windows-874", QByteArray("\xA1"), QStringLiteral("ก")},
        {"UTF-8", QByteArray("\xC3\xA4"), QStringLiteral("ä")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextCodec::decode(c.bytes, c.codePage), c.text) << c.codePage;
        EXPECT_EQ(TextCodec::encode(c.text, c.codePage), c.bytes) << c.codePage;
    }
}

TEST(TextCodecTest, BrokenMultiByteInputDoesNotStopDecoding)
{
    const QString text = TextCodec::decode(QByteArray("a\x93"), "Shift_JIS");
    EXPECT_TRUE(text.startsWith(QLatin1Char('a')));
    EXPECT_EQ(text.size(), 2);
}

TEST(TextCodecTest, UnknownCodePageFallsBackTo1252)
{
    EXPECT_EQ(TextCodec::decode("\x80", "no-such-code-page"), QStringLiteral("€"));
    EXPECT_EQ(TextCodec::encode(QStringLiteral("€"), "no-such-code-page"), QByteArray("\x80"));
}

TEST(TextCodecTest, CharsetNumbers)
{
    const std::pair<int, const char*> cases[] = {
        {0, "windows-1252"},
        {1, "windows-1252"},
        {2, "windows-1252"},
        {128, "Shift_JIS"},
        {129, "windows-949"},
        {134, "GBK"},
        {136, "Big5"},
        {161, "windows-1253"},
        {162, "windows-1254"},
        {163, "windows-1258"},
        {177, "windows-1255"},
        {178, "windows-1256"},
        {186, "windows-1257"},
        {204, "windows-1251"},
        {222, "windows-874"},
        {238, "windows-1250"},
        {255, "IBM850"},
        {77, "windows-1252"},
        {-1, "windows-1252"},
        {300, "windows-1252"},
    };
    for (const auto& [charset, name] : cases)
        EXPECT_EQ(TextCodec::codePageForCharset(charset), QByteArray(name)) << charset;
}

TEST(TextCodecTest, EveryCharsetCodePageIsUsable)
{
    // Each code page must really convert, not silently fall back to 1252.
    for (int charset : {128, 129, 134, 136, 161, 162, 163, 177, 178, 186, 204, 222, 238, 255}) {
        const QByteArray cp = TextCodec::codePageForCharset(charset);
        QByteArray high;
        for (int b = 0xA1; b < 0xFF; ++b)
            high.append(char(b));
        const QString decoded = TextCodec::decode(high, cp);
        EXPECT_NE(decoded, TextCodec::decode(high)) << cp.constData();
    }
}

} // namespace
