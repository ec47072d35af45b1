#include "exchange/ExchangeCodes.h"
#include "exchange/FileHandshake.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class Handshake : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString base() const { return path(QStringLiteral("HCVS1L3")); }

    QTemporaryDir dir;
};

TEST_F(Handshake, SendWritesBothFilesAsOneQuotedField)
{
    EXPECT_EQ(DateiSenden(QStringLiteral("A#1;S#1;L#3;B#4;N#Anna"), base()), ExchangeCode::Done);
    EXPECT_EQ(readAll(path(QStringLiteral("HCVS1L3.nrt"))), QByteArray("\"A#1;S#1;L#3;B#4;N#Anna\"\r\n"));
    EXPECT_EQ(readAll(path(QStringLiteral("HCVS1L3.ctl"))), QByteArray("\"A#1;S#1;L#3;B#4;N#Anna\"\r\n"));
}

TEST_F(Handshake, SecondSendBeforeConsumptionIsRefusedAndChangesNothing)
{
    ASSERT_EQ(DateiSenden(QStringLiteral("first"), base()), ExchangeCode::Done);
    EXPECT_EQ(DateiSenden(QStringLiteral("second"), base()), ExchangeCode::NothingToDo);
    EXPECT_EQ(readAll(path(QStringLiteral("HCVS1L3.nrt"))), QByteArray("\"first\"\r\n"));
    EXPECT_EQ(readAll(path(QStringLiteral("HCVS1L3.ctl"))), QByteArray("\"first\"\r\n"));
}

TEST_F(Handshake, ReceiveDeletesTheControlFileOnly)
{
    ASSERT_EQ(DateiSenden(QStringLiteral("message"), base()), ExchangeCode::Done);
    QString value = QStringLiteral("old");
    EXPECT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QStringLiteral("message"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("HCVS1L3.ctl"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("HCVS1L3.nrt"))));

    value = QStringLiteral("untouched");
    EXPECT_EQ(DateiEmpfangen(value, base()), ExchangeCode::NothingToDo);
    EXPECT_EQ(value, QStringLiteral("untouched"));
}

TEST_F(Handshake, DataFileWithoutControlFileIsNoMessage)
{
    writeAll(path(QStringLiteral("HCVS1L3.nrt")), "\"waiting\"\r\n");
    QString value = QStringLiteral("untouched");
    EXPECT_EQ(DateiEmpfangen(value, base()), ExchangeCode::NothingToDo);
    EXPECT_EQ(value, QStringLiteral("untouched"));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("HCVS1L3.nrt"))));
}

TEST_F(Handshake, SendAfterConsumptionOverwritesTheDataFile)
{
    QString value;
    ASSERT_EQ(DateiSenden(QStringLiteral("one"), base()), ExchangeCode::Done);
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    ASSERT_EQ(DateiSenden(QStringLiteral("two"), base()), ExchangeCode::Done);
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QStringLiteral("two"));
}

TEST_F(Handshake, CommaAndSemicolonInsideTheValueSurvive)
{
    const QString sent = QStringLiteral("Berger, Anna; SV 1898 #3");
    ASSERT_EQ(DateiSenden(sent, base()), ExchangeCode::Done);
    QString value;
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, sent);
}

TEST_F(Handshake, EmptyValueTravels)
{
    ASSERT_EQ(DateiSenden(QString(), base()), ExchangeCode::Done);
    QString value = QStringLiteral("x");
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QString());
}

TEST_F(Handshake, UnquotedValueOfAnotherWriterIsReadUpToTheComma)
{
    writeAll(path(QStringLiteral("HCVS1L3.nrt")), "  42 ,rest\r\n");
    writeAll(path(QStringLiteral("HCVS1L3.ctl")), "");
    QString value;
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QStringLiteral("42"));
}

TEST_F(Handshake, WindowsServerWritingOtherLetterCaseIsFound)
{
    writeAll(path(QStringLiteral("hcvs1l3.NRT")), "\"from windows\"\r\n");
    writeAll(path(QStringLiteral("Hcvs1L3.Ctl")), "\"from windows\"\r\n");
    QString value;
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QStringLiteral("from windows"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Hcvs1L3.Ctl"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("hcvs1l3.NRT"))));
}

TEST_F(Handshake, ControlFileInOtherLetterCaseBlocksSending)
{
    writeAll(path(QStringLiteral("hcvs1l3.ctl")), "\"pending\"\r\n");
    EXPECT_EQ(DateiSenden(QStringLiteral("new"), base()), ExchangeCode::NothingToDo);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("HCVS1L3.nrt"))));
}

TEST_F(Handshake, SendReusesTheDataFileOfAnotherLetterCase)
{
    writeAll(path(QStringLiteral("hcvs1l3.nrt")), "\"old\"\r\n");
    ASSERT_EQ(DateiSenden(QStringLiteral("new"), base()), ExchangeCode::Done);
    EXPECT_EQ(QDir(dir.path()).entryList(QStringList {QStringLiteral("*.nrt")}, QDir::Files),
        QStringList {QStringLiteral("hcvs1l3.nrt")});
    QString value;
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QStringLiteral("new"));
}

TEST_F(Handshake, ControlFileWithoutDataFileIsAFileErrorAndStaysFlagged)
{
    writeAll(path(QStringLiteral("HCVS1L3.ctl")), "\"x\"\r\n");
    QString value = QStringLiteral("untouched");
    EXPECT_EQ(DateiEmpfangen(value, base()), ExchangeCode::FileError);
    EXPECT_EQ(value, QStringLiteral("untouched"));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("HCVS1L3.ctl"))));
}

TEST_F(Handshake, EmptyDataFileIsAFileError)
{
    writeAll(path(QStringLiteral("HCVS1L3.nrt")), "");
    writeAll(path(QStringLiteral("HCVS1L3.ctl")), "");
    QString value = QStringLiteral("untouched");
    EXPECT_EQ(DateiEmpfangen(value, base()), ExchangeCode::FileError);
    EXPECT_EQ(value, QStringLiteral("untouched"));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("HCVS1L3.ctl"))));
}

TEST_F(Handshake, MissingDirectoryIsAFileErrorForSending)
{
    const QString missing = path(QStringLiteral("no/such/folder/HCVS1L3"));
    EXPECT_EQ(DateiSenden(QStringLiteral("x"), missing), ExchangeCode::FileError);
    QString value;
    EXPECT_EQ(DateiEmpfangen(value, missing), ExchangeCode::NothingToDo);
}

TEST_F(Handshake, TextIsWrittenAsWindows1252)
{
    ASSERT_EQ(DateiSenden(QStringLiteral("M\u00fcller"), base()), ExchangeCode::Done);
    EXPECT_EQ(readAll(path(QStringLiteral("HCVS1L3.nrt"))), QByteArray("\"M\xfcller\"\r\n"));
    QString value;
    ASSERT_EQ(DateiEmpfangen(value, base()), ExchangeCode::Done);
    EXPECT_EQ(value, QStringLiteral("M\u00fcller"));
}

} // namespace
