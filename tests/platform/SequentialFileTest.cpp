#include "platform/SequentialFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <limits>

namespace {

QStringList readAll(SequentialReader& reader)
{
    QStringList items;
    while (!reader.atEnd())
        items.append(reader.readText());
    return items;
}

QStringList readAll(const QByteArray& bytes)
{
    return readAll(*SequentialReader::fromBytes(bytes));
}

TEST(SequentialReaderTest, ItemRules)
{
    struct Case {
        const char* input;
        QStringList items;
    };
    const Case cases[] = {
        {"\"a, b\",c\r\n", {QStringLiteral("a, b"), QStringLiteral("c")}},
        {"  plain text  ,  next  \r\n", {QStringLiteral("plain text"), QStringLiteral("next")}},
        {"a,,b\r\n", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {",\r\n", {QString()}},
        {"\"quoted\" dropped,next\r\n", {QStringLiteral("quoted"), QStringLiteral("next")}},
        {"\"x\"\r\n\"y\"\r\n", {QStringLiteral("x"), QStringLiteral("y")}},
        {"lf only\nsecond\n", {QStringLiteral("lf only"), QStringLiteral("second")}},
        {"cr only\rsecond", {QStringLiteral("cr only"), QStringLiteral("second")}},
        {"\"unterminated, to the end", {QStringLiteral("unterminated, to the end")}},
        {"1;2;3\r\n", {QStringLiteral("1;2;3")}},
        {"\r\n\r\n  \r\n", {}},
        {"a\r\n\r\nb\r\n", {QStringLiteral("a"), QStringLiteral("b")}},
        {"text\x1A\"ignored after ctrl-z\"", {QStringLiteral("text")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readAll(QByteArray(c.input)), c.items) << c.input;
}

TEST(SequentialReaderTest, QuotedFlag)
{
    auto reader = SequentialReader::fromBytes("\"a\",b\r\n");
    EXPECT_TRUE(reader->readItem().quoted);
    EXPECT_FALSE(reader->readItem().quoted);
}

TEST(SequentialReaderTest, NumbersUseTheLeadingNumberRule)
{
    auto reader = SequentialReader::fromBytes("12.5, -3e2 ,40 Schuss,abc,,\"7\",#TRUE#,#FALSE#\r\n");
    EXPECT_DOUBLE_EQ(reader->readNumber(), 12.5);
    EXPECT_DOUBLE_EQ(reader->readNumber(), -300);
    EXPECT_DOUBLE_EQ(reader->readNumber(), 40);
    EXPECT_DOUBLE_EQ(reader->readNumber(), 0);
    EXPECT_DOUBLE_EQ(reader->readNumber(), 0);
    EXPECT_DOUBLE_EQ(reader->readNumber(), 7);
    EXPECT_DOUBLE_EQ(reader->readNumber(), -1);
    EXPECT_DOUBLE_EQ(reader->readNumber(), 0);
    EXPECT_TRUE(reader->atEnd());
}

TEST(SequentialReaderTest, ReadingPastTheEndThrows)
{
    auto reader = SequentialReader::fromBytes("\"one\"\r\n  \r\n");
    EXPECT_EQ(reader->readText(), QStringLiteral("one"));
    EXPECT_TRUE(reader->atEnd());
    EXPECT_THROW(reader->readItem(), SequentialReadError);
    EXPECT_THROW(reader->readNumber(), SequentialReadError);
    EXPECT_THROW(SequentialReader::fromBytes(QByteArray())->readText(), SequentialReadError);
}

TEST(SequentialReaderTest, DecodesTheCodePage)
{
    EXPECT_EQ(readAll("\"M\xFCller\",\x80\r\n"), (QStringList {QStringLiteral("Müller"), QStringLiteral("€")}));
    auto cyrillic = SequentialReader::fromBytes("\"\xCF\xF0\xE8\xE2\xE5\xF2\"", QByteArrayLiteral("windows-1251"));
    EXPECT_EQ(cyrillic->readText(), QStringLiteral("Привет"));
}

class SequentialFileTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

TEST_F(SequentialFileTest, WriterFormat)
{
    SequentialWriter writer(path("out.txt"));
    ASSERT_TRUE(writer.open());
    writer.writeText(QStringLiteral("Zähler, mit Komma"));
    writer.writeNumber(8);
    writer.writeNumber(-2.25);
    writer.writeBool(true);
    writer.endRecord();
    writer.writeBool(false);
    writer.endRecord();
    ASSERT_TRUE(writer.close());
    QFile file(path("out.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"Z\xE4hler, mit Komma\",8,-2.25,#TRUE#\r\n#FALSE#\r\n"));
}

TEST_F(SequentialFileTest, WriterReaderRoundTrip)
{
    const double numbers[] = {0.5, 8, -2.25, 1e-7, 123456.789, 0.1, -0.0, 1e20, std::numeric_limits<double>::max()};
    {
        SequentialWriter writer(path("round.txt"));
        ASSERT_TRUE(writer.open());
        writer.writeText(QStringLiteral("a \"b\""));
        for (double n : numbers)
            writer.writeNumber(n);
        writer.endRecord();
        ASSERT_TRUE(writer.close());
    }
    SequentialReader reader(path("round.txt"));
    ASSERT_TRUE(reader.open());
    EXPECT_EQ(reader.readText(), QStringLiteral("a ")); // a quote inside text cannot be represented
    for (double n : numbers)
        EXPECT_EQ(reader.readNumber(), n);
    EXPECT_TRUE(reader.atEnd());
}

TEST(SequentialWriterTest, NumberFormat)
{
    EXPECT_EQ(SequentialWriter::formatNumber(0.5), QStringLiteral("0.5"));
    EXPECT_EQ(SequentialWriter::formatNumber(8), QStringLiteral("8"));
    EXPECT_EQ(SequentialWriter::formatNumber(-2.25), QStringLiteral("-2.25"));
    EXPECT_EQ(SequentialWriter::formatNumber(0), QStringLiteral("0"));
    EXPECT_EQ(SequentialWriter::formatNumber(-0.0), QStringLiteral("0"));
    EXPECT_EQ(SequentialWriter::formatNumber(100000), QStringLiteral("100000"));
    EXPECT_EQ(SequentialWriter::formatNumber(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(SequentialWriter::formatNumber(0.00001), QStringLiteral("0.00001"));
    EXPECT_EQ(SequentialWriter::formatNumber(1e-7), QStringLiteral("1e-07"));
    EXPECT_EQ(SequentialWriter::formatNumber(2e20), QStringLiteral("2e+20"));
}

TEST_F(SequentialFileTest, MissingFileDoesNotOpen)
{
    SequentialReader reader(path("missing.txt"));
    EXPECT_FALSE(reader.open());
    EXPECT_FALSE(reader.isOpen());
    EXPECT_TRUE(reader.atEnd());
    EXPECT_THROW(reader.readText(), SequentialReadError);

    SequentialReader directory(m_dir.path());
    EXPECT_FALSE(directory.open(true));

    SequentialWriter writer(path("no/dir/out.txt"));
    EXPECT_FALSE(writer.open());
    writer.writeText(QStringLiteral("x"));
    EXPECT_FALSE(writer.close());
}

TEST_F(SequentialFileTest, ReadLockKeepsWritersOut)
{
    {
        SequentialWriter writer(path("locked.txt"));
        ASSERT_TRUE(writer.open());
        writer.writeText(QStringLiteral("old"));
        writer.endRecord();
        ASSERT_TRUE(writer.close());
    }
    {
        SequentialReader reader(path("locked.txt"));
        ASSERT_TRUE(reader.open(true));
        SequentialWriter writer(path("locked.txt"));
        EXPECT_FALSE(writer.open());
        // A second reader is still welcome.
        SequentialReader second(path("locked.txt"));
        EXPECT_TRUE(second.open(true));
        EXPECT_EQ(reader.readText(), QStringLiteral("old"));
        reader.close();
        second.close();
        EXPECT_TRUE(writer.open());
        EXPECT_TRUE(writer.close());
    }
    {
        auto reader = std::make_unique<SequentialReader>(path("locked.txt"));
        ASSERT_TRUE(reader->open(true));
        reader.reset(); // the destructor releases the lock too
        SequentialWriter writer(path("locked.txt"));
        EXPECT_TRUE(writer.open());
    }
}

TEST_F(SequentialFileTest, UnlockedReaderDoesNotBlockWriters)
{
    QFile file(path("free.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1,2\r\n");
    file.close();
    SequentialReader reader(path("free.txt"));
    ASSERT_TRUE(reader.open(false));
    SequentialWriter writer(path("free.txt"));
    EXPECT_TRUE(writer.open());
    EXPECT_TRUE(writer.close());
    // The content was taken at open.
    EXPECT_EQ(reader.readNumber(), 1);
    EXPECT_EQ(reader.readNumber(), 2);
}

} // namespace
