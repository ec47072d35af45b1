#include "exchange_test_support.h"
#include "platform/SequentialFile.h"

// Data files the other side leaves in a state this side cannot use: the
// message waits (code 3, control file kept) or is read by the field rules,
// never taken half written and never lost.

namespace {

using HandshakeFaults = ExchangeFolderTest;

QByteArray everyByte()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(static_cast<char>(i));
    return bytes;
}

TEST_F(HandshakeFaults, FlaggedMessageWithoutUsableDataKeepsWaiting)
{
    writeAll(controlFile(), "\"x\"\r\n");
    expectWaiting(); // no data file
    for (const QByteArray& bytes : {QByteArray(), QByteArray("\r\n  \r\n\t\r\n")}) {
        writeAll(dataFile(), bytes);
        expectWaiting();
    }
    ASSERT_TRUE(QFile::remove(dataFile()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("HCVS1L3.nrt")));
    expectWaiting();

    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("HCVS1L3.nrt")));
    writeAll(dataFile(), "\"da\"\r\n");
    EXPECT_EQ(received(), QStringLiteral("da"));
}

TEST_F(HandshakeFaults, DataFileStillOpenForWritingIsNotTakenHalfWritten)
{
    // More than a write buffer, so part of it is on disk while the writer works.
    const QString record = QStringLiteral("A#1;S#1;L#3;B#4;N#") + QString(40000, QLatin1Char('x'));
    writeAll(controlFile(), "\"flag\"\r\n");
    {
        SequentialWriter writer(dataFile());
        ASSERT_TRUE(writer.open());
        writer.writeText(record);
        ASSERT_GT(QFileInfo(dataFile()).size(), 0);
        expectWaiting();
        writer.endRecord();
        ASSERT_TRUE(writer.close());
    }
    EXPECT_EQ(received(), record);
    EXPECT_FALSE(QFile::exists(controlFile()));
}

TEST_F(HandshakeFaults, MessageBeingReadCannotBeOverwritten)
{
    ASSERT_EQ(DateiSenden(QStringLiteral("first"), base()), ExchangeCode::Done);
    // A reader of the other side (or a virus scanner) holds the data file.
    SequentialReader reader(dataFile());
    ASSERT_TRUE(reader.open(true));
    EXPECT_EQ(received(), QStringLiteral("first"));
    EXPECT_EQ(DateiSenden(QStringLiteral("second"), base()), ExchangeCode::FileError);
    EXPECT_FALSE(QFile::exists(controlFile()));
    reader.close();
    EXPECT_EQ(DateiSenden(QStringLiteral("second"), base()), ExchangeCode::Done);
    EXPECT_EQ(received(), QStringLiteral("second"));
}

TEST_F(HandshakeFaults, DataFileWithoutReadPermissionKeepsTheMessageWaiting)
{
    writeAll(dataFile(), "\"A#1;S#1;L#3;B#4;N#x\"\r\n");
    writeAll(controlFile(), "\"A#1;S#1;L#3;B#4;N#x\"\r\n");
    QFile::setPermissions(dataFile(), QFileDevice::WriteOwner);
    QFile probe(dataFile());
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    expectWaiting();
    QFile::setPermissions(dataFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(received(), QStringLiteral("A#1;S#1;L#3;B#4;N#x"));
}

TEST_F(HandshakeFaults, ForeignDataFilesAreReadByTheFieldRules)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"  42 ,rest\r\n", QStringLiteral("42")},
        {"A#1;S#1;L#3;B#4;N#Berger, Anna\r\n", QStringLiteral("A#1;S#1;L#3;B#4;N#Berger")},
        {"   A#1;B#4   \r\nsecond line\r\n", QStringLiteral("A#1;B#4")},
        {"\r\n\r\nA#1", QStringLiteral("A#1")},
        {"\"no closing quote", QStringLiteral("no closing quote")},
        {"\"A#1\" trailing, next\r\n", QStringLiteral("A#1")},
        // A server writing UTF-8 gets its bytes back one character each.
        {"\"N#M\xc3\xbcller \xe2\x82\xac\"\r\n", QStringLiteral("N#M\u00c3\u00bcller \u00e2\u201a\u00ac")},
        {QByteArray("\"A\0B\"\r\n", 7) + everyByte(), QStringLiteral("A") + QChar(0) + QStringLiteral("B")},
    };
    for (const auto& [bytes, expected] : cases) {
        writeAll(dataFile(), bytes);
        writeAll(controlFile(), "");
        EXPECT_EQ(received(), expected) << bytes.constData();
        EXPECT_FALSE(QFile::exists(controlFile()));
    }
}

} // namespace
