#include "exchange/ExchangeCodes.h"
#include "exchange/FileHandshake.h"
#include "platform/SequentialFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Data files the other side leaves in a state this side cannot use: the
// message waits (code 3, control file kept) or is read by the field rules,
// never taken half written and never lost.

namespace {

class HandshakeFaults : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString base() const { return path(QStringLiteral("HCVS1L3")); }
    QString dataFile() const { return path(QStringLiteral("HCVS1L3.nrt")); }
    QString controlFile() const { return path(QStringLiteral("HCVS1L3.ctl")); }

    void writeAll(const QString& file, const QByteArray& bytes)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }
    // Receives and expects the message to stay waiting.
    void expectWaiting()
    {
        QString value = QStringLiteral("untouched");
        EXPECT_EQ(DateiEmpfangen(value, base()), ExchangeCode::FileError);
        EXPECT_EQ(value, QStringLiteral("untouched"));
        EXPECT_TRUE(QFile::exists(controlFile()));
    }

    QTemporaryDir dir;
};

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
    QString value;
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, record);
    EXPECT_FALSE(QFile::exists(controlFile()));
}

TEST_F(HandshakeFaults, MessageBeingReadCannotBeOverwritten)
{
    ASSERT_EQ(DateiSenden(QStringLiteral("first"), base()), ExchangeCode::Done);
    // A reader of the other side (or a virus scanner) holds the data file.
    SequentialReader reader(dataFile());
    ASSERT_TRUE(reader.open(true));
    QString value;
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QStringLiteral("first"));
    EXPECT_EQ(DateiSenden(QStringLiteral("second"), base()), ExchangeCode::FileError);
    EXPECT_FALSE(QFile::exists(controlFile()));
    reader.close();
    EXPECT_EQ(DateiSenden(QStringLiteral("second"), base()), ExchangeCode::Done);
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QStringLiteral("second"));
}

TEST_F(HandshakeFaults, DirectoryInPlaceOfTheDataFileKeepsTheMessageWaiting)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("HCVS1L3.nrt")));
    writeAll(controlFile(), "\"flag\"\r\n");
    expectWaiting();
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("HCVS1L3.nrt")));
    writeAll(dataFile(), "\"da\"\r\n");
    QString value;
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QStringLiteral("da"));
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
    QString value;
    EXPECT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
}

TEST_F(HandshakeFaults, DataFileOfBlankLinesIsAFileError)
{
    writeAll(dataFile(), "\r\n  \r\n\t\r\n");
    writeAll(controlFile(), "");
    expectWaiting();
}

TEST_F(HandshakeFaults, DataFileWithoutQuotesIsReadByTheFieldRules)
{
    struct Case {
        QByteArray bytes;
        QString expected;
    };
    const std::vector<Case> cases {
        {"A#1;S#1;L#3;B#4;N#Anna\r\n", QStringLiteral("A#1;S#1;L#3;B#4;N#Anna")},
        {"A#1;S#1;L#3;B#4;N#Berger, Anna\r\n", QStringLiteral("A#1;S#1;L#3;B#4;N#Berger")},
        {"   A#1;B#4   \r\nsecond line\r\n", QStringLiteral("A#1;B#4")},
        {"\r\n\r\nA#1", QStringLiteral("A#1")},
        {"\"no closing quote", QStringLiteral("no closing quote")},
        {"\"A#1\" trailing, next\r\n", QStringLiteral("A#1")},
    };
    for (const Case& c : cases) {
        writeAll(dataFile(), c.bytes);
        writeAll(controlFile(), "");
        QString value;
        EXPECT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done) << c.bytes.constData();
        EXPECT_EQ(value, c.expected) << c.bytes.constData();
    }
}

TEST_F(HandshakeFaults, DataFileInAnotherCodePageIsReadAsWindows1252)
{
    // A server that writes UTF-8 gets its bytes back one character each; the
    // message is consumed, nothing breaks.
    writeAll(dataFile(), "\"N#M\xc3\xbcller \xe2\x82\xac\"\r\n");
    writeAll(controlFile(), "");
    QString value;
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QStringLiteral("N#M\u00c3\u00bcller \u00e2\u201a\u00ac"));
    EXPECT_FALSE(QFile::exists(controlFile()));
}

TEST_F(HandshakeFaults, BinaryDataFileIsConsumedWithoutHarm)
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(static_cast<char>(i));
    writeAll(dataFile(), QByteArray("\"A\0B\"\r\n", 7) + bytes);
    writeAll(controlFile(), "");
    QString value;
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QString(QStringLiteral("A")) + QChar(0) + QStringLiteral("B"));
}

} // namespace
