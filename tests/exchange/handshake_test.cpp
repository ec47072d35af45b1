#include "exchange_test_support.h"

namespace {

using Handshake = ExchangeFolderTest;

TEST_F(Handshake, SendWritesBothFilesAsOneQuotedFieldAndRefusesASecondSend)
{
    EXPECT_EQ(DateiSenden(QStringLiteral("A#1;S#1;L#3;B#4;N#Anna"), base()), ExchangeCode::Done);
    EXPECT_EQ(readAll(dataFile()), QByteArray("\"A#1;S#1;L#3;B#4;N#Anna\"\r\n"));
    EXPECT_EQ(readAll(controlFile()), QByteArray("\"A#1;S#1;L#3;B#4;N#Anna\"\r\n"));

    // Before the first is taken a second send changes nothing.
    EXPECT_EQ(DateiSenden(QStringLiteral("second"), base()), ExchangeCode::NothingToDo);
    EXPECT_EQ(readAll(dataFile()), QByteArray("\"A#1;S#1;L#3;B#4;N#Anna\"\r\n"));
    EXPECT_EQ(readAll(controlFile()), QByteArray("\"A#1;S#1;L#3;B#4;N#Anna\"\r\n"));
}

TEST_F(Handshake, ReceiveDeletesTheControlFileOnlyAndASecondReceiveFindsNothing)
{
    ASSERT_EQ(DateiSenden(QStringLiteral("message"), base()), ExchangeCode::Done);
    EXPECT_EQ(received(), QStringLiteral("message"));
    EXPECT_FALSE(QFile::exists(controlFile()));
    EXPECT_TRUE(QFile::exists(dataFile()));

    QString value = QStringLiteral("untouched");
    EXPECT_EQ(receive(value), ExchangeCode::NothingToDo);
    EXPECT_EQ(value, QStringLiteral("untouched"));

    ASSERT_EQ(DateiSenden(QStringLiteral("two"), base()), ExchangeCode::Done);
    EXPECT_EQ(received(), QStringLiteral("two"));
}

TEST_F(Handshake, ValuesTravelUnchangedInWindows1252)
{
    for (const QString& sent : {QStringLiteral("Berger, Anna; SV 1898 #3"), QString(), QStringLiteral("M\u00fcller")}) {
        ASSERT_EQ(DateiSenden(sent, base()), ExchangeCode::Done);
        EXPECT_EQ(received(), sent);
    }
    EXPECT_EQ(readAll(dataFile()), QByteArray("\"M\xfcller\"\r\n"));
}

TEST_F(Handshake, DataFileWithoutControlFileIsNoMessage)
{
    writeAll(dataFile(), "\"waiting\"\r\n");
    QString value = QStringLiteral("untouched");
    EXPECT_EQ(receive(value), ExchangeCode::NothingToDo);
    EXPECT_EQ(value, QStringLiteral("untouched"));
    EXPECT_TRUE(QFile::exists(dataFile()));
}

TEST_F(Handshake, LetterCaseOfTheOtherSideIsFound)
{
    writeAll(path(QStringLiteral("hcvs1l3.NRT")), "\"from windows\"\r\n");
    writeAll(path(QStringLiteral("Hcvs1L3.Ctl")), "\"from windows\"\r\n");
    // A waiting control file in another letter case blocks sending.
    EXPECT_EQ(DateiSenden(QStringLiteral("new"), base()), ExchangeCode::NothingToDo);
    EXPECT_EQ(received(), QStringLiteral("from windows"));
    EXPECT_FALSE(exists(QStringLiteral("Hcvs1L3.Ctl")));

    // The next send reuses the data file of the other letter case.
    ASSERT_EQ(DateiSenden(QStringLiteral("new"), base()), ExchangeCode::Done);
    EXPECT_EQ(QDir(dir.path()).entryList(QStringList {QStringLiteral("*.nrt")}, QDir::Files),
        QStringList {QStringLiteral("hcvs1l3.NRT")});
    EXPECT_EQ(received(), QStringLiteral("new"));
}

TEST_F(Handshake, MissingDirectoryIsAFileErrorForSending)
{
    const QString missing = path(QStringLiteral("no/such/folder/HCVS1L3"));
    EXPECT_EQ(DateiSenden(QStringLiteral("x"), missing), ExchangeCode::FileError);
    QString value;
    EXPECT_EQ(DateiEmpfangen(value, missing), ExchangeCode::NothingToDo);
}

} // namespace
