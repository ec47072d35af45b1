#include "platform/ProfileDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ProfileDocumentTest : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("test.ini"))
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    ProfileDocument loaded(const QByteArray& bytes)
    {
        ProfileDocument document(write(bytes));
        EXPECT_TRUE(document.load());
        return document;
    }

    QTemporaryDir m_dir;
};

TEST_F(ProfileDocumentTest, SectionsAndKeysIgnoreCaseAndBlanks)
{
    const auto doc = loaded("[ Options ]\r\n  Scheibenanzahl =  12  \r\n[Scheibe]\r\nScheibe1=2.40D\r\n");
    EXPECT_EQ(
        doc.readString(QStringLiteral("options"), QStringLiteral("SCHEIBENANZAHL"), QString()), QStringLiteral("12"));
    EXPECT_EQ(
        doc.readString(QStringLiteral(" SCHEIBE "), QStringLiteral(" scheibe1 "), QString()), QStringLiteral("2.40D"));
    EXPECT_TRUE(doc.hasKey(QStringLiteral("OPTIONS"), QStringLiteral("scheibenanzahl")));
    EXPECT_FALSE(doc.hasKey(QStringLiteral("Scheibe"), QStringLiteral("Scheibenanzahl")));
}

TEST_F(ProfileDocumentTest, MissingKeyOrSectionGivesDefault)
{
    const auto doc = loaded("[Options]\nA=1\n");
    EXPECT_EQ(
        doc.readString(QStringLiteral("Options"), QStringLiteral("B"), QStringLiteral("def")), QStringLiteral("def"));
    EXPECT_EQ(
        doc.readString(QStringLiteral("Other"), QStringLiteral("A"), QStringLiteral("def")), QStringLiteral("def"));
    EXPECT_EQ(doc.readInt(QStringLiteral("Options"), QStringLiteral("B"), 8), 8);
}

TEST_F(ProfileDocumentTest, KeyOfAnotherSectionIsNotFound)
{
    const auto doc = loaded("A=0\n[One]\nX=1\n[Two]\nY=2\n");
    EXPECT_EQ(doc.readInt(QStringLiteral("One"), QStringLiteral("Y"), -5), -5);
    EXPECT_EQ(doc.readInt(QStringLiteral("Two"), QStringLiteral("Y"), -5), 2);
    EXPECT_EQ(doc.readInt(QStringLiteral("One"), QStringLiteral("A"), -5), -5);
}

TEST_F(ProfileDocumentTest, OnePairOfQuotesIsRemoved)
{
    const auto doc = loaded("[S]\nA=\"  spaced  \"\nB=\"\"x\"\"\nC=\"open\nD=say \"hi\"\n");
    EXPECT_EQ(doc.readString(QStringLiteral("S"), QStringLiteral("A"), QString()), QStringLiteral("  spaced  "));
    EXPECT_EQ(doc.readString(QStringLiteral("S"), QStringLiteral("B"), QString()), QStringLiteral("\"x\""));
    EXPECT_EQ(doc.readString(QStringLiteral("S"), QStringLiteral("C"), QString()), QStringLiteral("\"open"));
    EXPECT_EQ(doc.readString(QStringLiteral("S"), QStringLiteral("D"), QString()), QStringLiteral("say \"hi\""));
}

TEST_F(ProfileDocumentTest, ValueIsCutToBufferSizeMinusOne)
{
    const auto doc = loaded("[Scheibe]\nScheibe1=1234567890ABC\n");
    EXPECT_EQ(doc.readString(QStringLiteral("Scheibe"), QStringLiteral("Scheibe1"), QString(), 10),
        QStringLiteral("123456789"));
    EXPECT_EQ(doc.readString(QStringLiteral("Scheibe"), QStringLiteral("Scheibe1"), QString(), 1), QString());
    EXPECT_EQ(doc.readString(QStringLiteral("Scheibe"), QStringLiteral("Missing"), QStringLiteral("abcdef"), 4),
        QStringLiteral("abc"));
    const QString longValue(300, QLatin1Char('x'));
    const auto longDoc = loaded("[S]\nK=" + longValue.toLatin1() + "\n");
    EXPECT_EQ(longDoc.readString(QStringLiteral("S"), QStringLiteral("K"), QString()).size(), 254);
}

TEST_F(ProfileDocumentTest, IntIsTheLeadingDecimalNumber)
{
    const auto doc = loaded("[S]\nA= 42abc\nB=-7\nC=+3\nD=abc\nE=\nF=\"15\"\nG=1.9\nH=99999999999\n");
    const QString s = QStringLiteral("S");
    EXPECT_EQ(doc.readInt(s, QStringLiteral("A"), 1), 42);
    EXPECT_EQ(doc.readInt(s, QStringLiteral("B"), 1), -7);
    EXPECT_EQ(doc.readInt(s, QStringLiteral("C"), 1), 3);
    EXPECT_EQ(doc.readInt(s, QStringLiteral("D"), 1), 0);
    EXPECT_EQ(doc.readInt(s, QStringLiteral("E"), 1), 0);
    EXPECT_EQ(doc.readInt(s, QStringLiteral("F"), 1), 15);
    EXPECT_EQ(doc.readInt(s, QStringLiteral("G"), 1), 1);
    EXPECT_EQ(doc.readInt(s, QStringLiteral("H"), 1), std::numeric_limits<int>::max());
}

TEST_F(ProfileDocumentTest, CommentLinesAreNotKeys)
{
    const auto doc = loaded("[S]\n;A=1\nA=2\n");
    EXPECT_EQ(doc.readInt(QStringLiteral("S"), QStringLiteral("A"), 0), 2);
}

TEST_F(ProfileDocumentTest, WritingKeepsEverythingElse)
{
    const QByteArray original
        = "; settings\r\n[Options]\r\nScheibenanzahl=8\r\n\r\n; paths\r\nNetzwerkPfad=C:\\x\r\n\r\n"
          "[Scheibe]\r\nScheibe1=1.10\r\n";
    ProfileDocument doc(write(original));
    ASSERT_TRUE(doc.load());
    doc.writeString(QStringLiteral("OPTIONS"), QStringLiteral("scheibenanzahl"), QStringLiteral("10"));
    doc.writeString(QStringLiteral("Options"), QStringLiteral("Wechselzeit"), QStringLiteral("60"));
    doc.writeString(QStringLiteral("Scheibe"), QStringLiteral("Scheibe2"), QStringLiteral("2.40D"));
    ASSERT_TRUE(doc.save());
    EXPECT_EQ(contents(doc.path()),
        QByteArray("; settings\r\n[Options]\r\nScheibenanzahl=10\r\n\r\n; paths\r\nNetzwerkPfad=C:\\x\r\n"
                   "Wechselzeit=60\r\n\r\n[Scheibe]\r\nScheibe1=1.10\r\nScheibe2=2.40D\r\n"));
}

TEST_F(ProfileDocumentTest, MissingSectionIsAppended)
{
    ProfileDocument doc(write("[Options]\nA=1"));
    ASSERT_TRUE(doc.load());
    doc.writeString(QStringLiteral("Scheibe"), QStringLiteral("Scheibe1"), QStringLiteral("1.10"));
    doc.writeString(QStringLiteral("Scheibe"), QStringLiteral("Scheibe2"), QStringLiteral("1.40"));
    ASSERT_TRUE(doc.save());
    EXPECT_EQ(contents(doc.path()), QByteArray("[Options]\r\nA=1\r\n[Scheibe]\r\nScheibe1=1.10\r\nScheibe2=1.40\r\n"));
}

TEST_F(ProfileDocumentTest, KeyGoesRightAfterHeaderOfSectionWithoutKeys)
{
    ProfileDocument doc(write("[Empty]\n\n[Next]\nX=1\n"));
    ASSERT_TRUE(doc.load());
    doc.writeString(QStringLiteral("empty"), QStringLiteral("K"), QStringLiteral("v"));
    ASSERT_TRUE(doc.save());
    EXPECT_EQ(contents(doc.path()), QByteArray("[Empty]\r\nK=v\r\n\r\n[Next]\r\nX=1\r\n"));
}

TEST_F(ProfileDocumentTest, ManyEditsKeepTheSectionsApart)
{
    ProfileDocument doc(write("[A]\nK=a\n[B]\nK=b\n  [C]\nK=c\n"));
    ASSERT_TRUE(doc.load());
    for (int i = 0; i < 5; ++i) {
        for (const char* section : {"C", "A", "B", "D"}) {
            doc.writeString(QLatin1String(section), QStringLiteral("N%1").arg(i), QLatin1String(section));
        }
    }
    doc.writeString(QStringLiteral("b"), QStringLiteral("k"), QStringLiteral("B2"));
    for (const char* section : {"A", "B", "C", "D"}) {
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(doc.readString(QLatin1String(section), QStringLiteral("N%1").arg(i), QString()),
                QLatin1String(section));
        }
    }
    EXPECT_EQ(doc.readString(QStringLiteral("A"), QStringLiteral("K"), QString()), QStringLiteral("a"));
    EXPECT_EQ(doc.readString(QStringLiteral("B"), QStringLiteral("K"), QString()), QStringLiteral("B2"));
    EXPECT_EQ(doc.readString(QStringLiteral("C"), QStringLiteral("K"), QString()), QStringLiteral("c"));
    EXPECT_FALSE(doc.hasKey(QStringLiteral("D"), QStringLiteral("K")));
    ASSERT_TRUE(doc.save());
    EXPECT_EQ(contents(doc.path()),
        QByteArray("[A]\r\nK=a\r\nN0=A\r\nN1=A\r\nN2=A\r\nN3=A\r\nN4=A\r\n"
                   "[B]\r\nK=B2\r\nN0=B\r\nN1=B\r\nN2=B\r\nN3=B\r\nN4=B\r\n"
                   "  [C]\r\nK=c\r\nN0=C\r\nN1=C\r\nN2=C\r\nN3=C\r\nN4=C\r\n"
                   "[D]\r\nN0=D\r\nN1=D\r\nN2=D\r\nN3=D\r\nN4=D\r\n"));
}

TEST_F(ProfileDocumentTest, WrittenValuesReadBack)
{
    ProfileDocument doc(m_dir.filePath(QStringLiteral("new.ini")));
    EXPECT_FALSE(doc.load());
    doc.writeString(QStringLiteral("Options"), QStringLiteral("RLTitel"), QStringLiteral("Ränge, Stand 1"));
    ASSERT_TRUE(doc.save());
    EXPECT_EQ(contents(doc.path()), QByteArray("[Options]\r\nRLTitel=R\xE4nge, Stand 1\r\n"));
    ProfileDocument again(doc.path());
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.readString(QStringLiteral("Options"), QStringLiteral("RLTitel"), QString()),
        QStringLiteral("Ränge, Stand 1"));
}

TEST_F(ProfileDocumentTest, SaveReplacesTheFileAtomically)
{
    const QString path = write("[S]\nA=1\n");
    ProfileDocument doc(path);
    ASSERT_TRUE(doc.load());
    doc.writeString(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("2"));
    ASSERT_TRUE(doc.save());
    // Nothing but the target is left behind, and it is complete.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("test.ini")});
    EXPECT_EQ(contents(path), QByteArray("[S]\r\nA=2\r\n"));
}

TEST_F(ProfileDocumentTest, FileIsFoundWhateverItsCase)
{
    write("[S]\nA=5\n", QStringLiteral("Sprache_1.INI"));
    const QString asked = m_dir.filePath(QStringLiteral("sprache_1.ini"));
    EXPECT_EQ(GetPrivateProfileInt(QStringLiteral("S"), QStringLiteral("A"), 0, asked), 5);
    EXPECT_TRUE(WritePrivateProfileString(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("6"), asked));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("Sprache_1.INI")});
    EXPECT_EQ(GetPrivateProfileInt(QStringLiteral("S"), QStringLiteral("A"), 0, asked), 6);
}

TEST_F(ProfileDocumentTest, NewFileGoesIntoTheFolderWhateverItsCase)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Daten")));
    const QString asked = m_dir.path() + QStringLiteral("\\daten\\hd.ini");
    EXPECT_TRUE(WritePrivateProfileString(
        QStringLiteral("XWettbewerb"), QStringLiteral("KennNummer"), QStringLiteral("3"), asked));
    EXPECT_EQ(
        contents(m_dir.filePath(QStringLiteral("Daten/hd.ini"))), QByteArray("[XWettbewerb]\r\nKennNummer=3\r\n"));
    EXPECT_EQ(GetPrivateProfileInt(QStringLiteral("xwettbewerb"), QStringLiteral("kennnummer"), 0, asked), 3);
}

TEST_F(ProfileDocumentTest, OneShotFunctionsOnMissingFiles)
{
    const QString missing = m_dir.filePath(QStringLiteral("none.ini"));
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d"), 255, missing),
        QStringLiteral("d"));
    EXPECT_EQ(GetPrivateProfileInt(QStringLiteral("S"), QStringLiteral("K"), 7, missing), 7);
    EXPECT_TRUE(WritePrivateProfileString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"), missing));
    EXPECT_EQ(contents(missing), QByteArray("[S]\r\nK=v\r\n"));

    EXPECT_EQ(GetPrivateProfileInt(QStringLiteral("S"), QStringLiteral("K"), 3, m_dir.path()), 3);
    EXPECT_FALSE(
        WritePrivateProfileString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"), m_dir.path()));

    const QString unwritable = m_dir.filePath(QStringLiteral("no/such/dir/x.ini"));
    EXPECT_FALSE(WritePrivateProfileString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"), unwritable));
    EXPECT_FALSE(QFileInfo::exists(unwritable));
}

TEST_F(ProfileDocumentTest, UnreadableFileIsNotOverwritten)
{
    const QString path = write("[S]\nA=1\n");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    EXPECT_FALSE(WritePrivateProfileString(QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("2"), path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(contents(path), QByteArray("[S]\nA=1\n"));
}

} // namespace
