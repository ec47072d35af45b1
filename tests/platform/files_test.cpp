#include "platform/FileLookup.h"
#include "platform/ProfileDocument.h"
#include "platform/SequentialFile.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <array>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

class TempFolder : public ::testing::Test {
protected:
    QString p(const QString& relative) const { return QDir::toNativeSeparators(m_dir.filePath(relative)); }
    QString write(const QByteArray& bytes, const QString& name = u"test.ini"_s) const
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    void touch(const QString& relative) const { write(QByteArray(), relative); }
    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files); }

    QTemporaryDir m_dir;
};

using ProfileDocumentTest = TempFolder;

TEST_F(ProfileDocumentTest, ReadRules)
{
    // Sections and keys ignore case and blanks; a key of another section, or
    // before the first one, is not found.
    ProfileDocument doc(
        write("A=0\r\n[ Options ]\r\n  Scheibenanzahl =  12  \r\n[Scheibe]\r\nScheibe1=1234567890ABC\r\n"
              "[One]\nX=1\n[Two]\nY=2\n[Q]\nA=\"  spaced  \"\nB=\"\"x\"\"\nC=\"open\nD=say \"hi\"\n"
              "[I]\nA= 42abc\nB=-7\nC=+3\nD=abc\nE=\nF=\"15\"\nG=1.9\nH=99999999999\n;I=1\nI=2\n[L]\nK="
            + QByteArray(300, 'x') + "\n"));
    ASSERT_TRUE(doc.load());
    const struct {
        const char *section, *key, *def;
        int size;
        const char* expected;
    } strings[] = {{"options", "SCHEIBENANZAHL", "", 255, "12"}, {" SCHEIBE ", " scheibe1 ", "", 255, "1234567890ABC"},
        {"Options", "B", "def", 255, "def"}, {"Other", "A", "def", 255, "def"}, {"One", "Y", "def", 255, "def"},
        // One pair of quotes is removed.
        {"Q", "A", "", 255, "  spaced  "}, {"Q", "B", "", 255, "\"x\""}, {"Q", "C", "", 255, "\"open"},
        {"Q", "D", "", 255, "say \"hi\""},
        // The value is cut to the buffer size minus one.
        {"Scheibe", "Scheibe1", "", 10, "123456789"}, {"Scheibe", "Scheibe1", "", 1, ""},
        {"Scheibe", "Missing", "abcdef", 4, "abc"}};
    for (const auto& c : strings) {
        EXPECT_EQ(doc.readString(QLatin1String(c.section), QLatin1String(c.key), QLatin1String(c.def), c.size),
            QLatin1String(c.expected))
            << c.section << "/" << c.key;
    }
    EXPECT_EQ(doc.readString(u"L"_s, u"K"_s, QString()), QString(254, QLatin1Char('x')));
    // An int is the leading decimal number; comment lines are not keys.
    const std::tuple<const char*, const char*, int> ints[]
        = {{"Options", "Scheibenanzahl", 12}, {"One", "Y", -5}, {"Two", "Y", 2}, {"One", "A", -5}, {"Options", "B", -5},
            {"I", "A", 42}, {"I", "B", -7}, {"I", "C", 3}, {"I", "D", 0}, {"I", "E", 0}, {"I", "F", 15}, {"I", "G", 1},
            {"I", "H", std::numeric_limits<int>::max()}, {"I", "I", 2}};
    for (const auto& [section, key, expected] : ints)
        EXPECT_EQ(doc.readInt(QLatin1String(section), QLatin1String(key), -5), expected) << section << "/" << key;
    EXPECT_TRUE(doc.hasKey(u"OPTIONS"_s, u"scheibenanzahl"_s));
    EXPECT_FALSE(doc.hasKey(u"Scheibe"_s, u"Scheibenanzahl"_s));
}

TEST_F(ProfileDocumentTest, WritingKeepsEverythingElseAndReplacesTheFileWhole)
{
    const struct {
        QByteArray original;
        std::vector<std::array<const char*, 3>> edits;
        QByteArray expected;
    } cases[] = {
        {"; settings\r\n[Options]\r\nScheibenanzahl=8\r\n\r\n; paths\r\nNetzwerkPfad=C:\\x\r\n\r\n"
         "[Scheibe]\r\nScheibe1=1.10\r\n",
            {{"OPTIONS", "scheibenanzahl", "10"}, {"Options", "Wechselzeit", "60"}, {"Scheibe", "Scheibe2", "2.40D"}},
            "; settings\r\n[Options]\r\nScheibenanzahl=10\r\n\r\n; paths\r\nNetzwerkPfad=C:\\x\r\n"
            "Wechselzeit=60\r\n\r\n[Scheibe]\r\nScheibe1=1.10\r\nScheibe2=2.40D\r\n"},
        // A missing section is appended.
        {"[Options]\nA=1", {{"Scheibe", "Scheibe1", "1.10"}, {"Scheibe", "Scheibe2", "1.40"}},
            "[Options]\r\nA=1\r\n[Scheibe]\r\nScheibe1=1.10\r\nScheibe2=1.40\r\n"},
        // The key goes right after the header of a section without keys.
        {"[Empty]\n\n[Next]\nX=1\n", {{"empty", "K", "v"}}, "[Empty]\r\nK=v\r\n\r\n[Next]\r\nX=1\r\n"},
        {"[S]\nA=1\n", {{"S", "A", "2"}}, "[S]\r\nA=2\r\n"}};
    for (const auto& c : cases) {
        ProfileDocument doc(write(c.original));
        ASSERT_TRUE(doc.load());
        for (const auto& [section, key, value] : c.edits)
            doc.writeString(QLatin1String(section), QLatin1String(key), QLatin1String(value));
        ASSERT_TRUE(doc.save());
        EXPECT_EQ(contents(doc.path()), c.expected);
        // Nothing but the target is left behind.
        EXPECT_EQ(files(), QStringList {u"test.ini"_s});
    }
}

TEST_F(ProfileDocumentTest, ManyEditsKeepTheSectionsApart)
{
    ProfileDocument doc(write("[A]\nK=a\n[B]\nK=b\n  [C]\nK=c\n"));
    ASSERT_TRUE(doc.load());
    for (int i = 0; i < 5; ++i) {
        for (const char* section : {"C", "A", "B", "D"})
            doc.writeString(QLatin1String(section), u"N%1"_s.arg(i), QLatin1String(section));
    }
    doc.writeString(u"b"_s, u"k"_s, u"B2"_s);
    for (const char* section : {"A", "B", "C", "D"}) {
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(doc.readString(QLatin1String(section), u"N%1"_s.arg(i), QString()), QLatin1String(section));
    }
    for (const auto& [section, value] : {std::pair {"A", "a"}, {"B", "B2"}, {"C", "c"}})
        EXPECT_EQ(doc.readString(QLatin1String(section), u"K"_s, QString()), QLatin1String(value));
    EXPECT_FALSE(doc.hasKey(u"D"_s, u"K"_s));
    ASSERT_TRUE(doc.save());
    EXPECT_EQ(contents(doc.path()),
        QByteArray("[A]\r\nK=a\r\nN0=A\r\nN1=A\r\nN2=A\r\nN3=A\r\nN4=A\r\n"
                   "[B]\r\nK=B2\r\nN0=B\r\nN1=B\r\nN2=B\r\nN3=B\r\nN4=B\r\n"
                   "  [C]\r\nK=c\r\nN0=C\r\nN1=C\r\nN2=C\r\nN3=C\r\nN4=C\r\n"
                   "[D]\r\nN0=D\r\nN1=D\r\nN2=D\r\nN3=D\r\nN4=D\r\n"));
}

TEST_F(ProfileDocumentTest, FileAndFolderAreFoundWhateverTheirCase)
{
    write("[S]\nA=5\n", u"Sprache_1.INI"_s);
    const QString asked = p(u"sprache_1.ini"_s);
    EXPECT_EQ(GetPrivateProfileInt(u"S"_s, u"A"_s, 0, asked), 5);
    EXPECT_TRUE(WritePrivateProfileString(u"S"_s, u"A"_s, u"6"_s, asked));
    EXPECT_EQ(files(), QStringList {u"Sprache_1.INI"_s});
    EXPECT_EQ(GetPrivateProfileInt(u"S"_s, u"A"_s, 0, asked), 6);

    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"Daten"_s));
    const QString inFolder = m_dir.path() + u"\\daten\\hd.ini"_s;
    EXPECT_TRUE(WritePrivateProfileString(u"XWettbewerb"_s, u"KennNummer"_s, u"3"_s, inFolder));
    EXPECT_EQ(contents(p(u"Daten/hd.ini"_s)), QByteArray("[XWettbewerb]\r\nKennNummer=3\r\n"));
    EXPECT_EQ(GetPrivateProfileInt(u"xwettbewerb"_s, u"kennnummer"_s, 0, inFolder), 3);
}

TEST_F(ProfileDocumentTest, OneShotFunctionsOnMissingOrUnusableFilesAndWrittenValuesReadBack)
{
    const QString missing = p(u"none.ini"_s);
    EXPECT_EQ(GetPrivateProfileString(u"S"_s, u"K"_s, u"d"_s, 255, missing), u"d"_s);
    EXPECT_EQ(GetPrivateProfileInt(u"S"_s, u"K"_s, 7, missing), 7);
    EXPECT_FALSE(ProfileDocument(missing).load());
    EXPECT_TRUE(WritePrivateProfileString(u"Options"_s, u"RLTitel"_s, u"Ränge, Stand 1"_s, missing));
    EXPECT_EQ(contents(missing), QByteArray("[Options]\r\nRLTitel=R\xE4nge, Stand 1\r\n"));
    EXPECT_EQ(GetPrivateProfileString(u"Options"_s, u"RLTitel"_s, QString(), 255, missing), u"Ränge, Stand 1"_s);

    EXPECT_EQ(GetPrivateProfileInt(u"S"_s, u"K"_s, 3, m_dir.path()), 3);
    EXPECT_FALSE(WritePrivateProfileString(u"S"_s, u"K"_s, u"v"_s, m_dir.path()));
    const QString unwritable = p(u"no/such/dir/x.ini"_s);
    EXPECT_FALSE(WritePrivateProfileString(u"S"_s, u"K"_s, u"v"_s, unwritable));
    EXPECT_FALSE(QFileInfo::exists(unwritable));
}

TEST_F(ProfileDocumentTest, UnreadableFileIsNotOverwritten)
{
    const QString path = write("[S]\nA=1\n");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    EXPECT_FALSE(WritePrivateProfileString(u"S"_s, u"B"_s, u"2"_s, path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(contents(path), QByteArray("[S]\nA=1\n"));
}

QStringList readAll(SequentialReader& reader)
{
    QStringList items;
    while (!reader.atEnd())
        items.append(reader.readText());
    return items;
}

TEST(SequentialReaderTest, ItemRules)
{
    const std::pair<const char*, QStringList> cases[]
        = {{"\"a, b\",c\r\n", {u"a, b"_s, u"c"_s}}, {"  plain text  ,  next  \r\n", {u"plain text"_s, u"next"_s}},
            {"a,,b\r\n", {u"a"_s, QString(), u"b"_s}}, {",\r\n", {QString()}},
            {"\"quoted\" dropped,next\r\n", {u"quoted"_s, u"next"_s}}, {"\"x\"\r\n\"y\"\r\n", {u"x"_s, u"y"_s}},
            {"lf only\nsecond\n", {u"lf only"_s, u"second"_s}}, {"cr only\rsecond", {u"cr only"_s, u"second"_s}},
            {"\"unterminated, to the end", {u"unterminated, to the end"_s}}, {"1;2;3\r\n", {u"1;2;3"_s}},
            {"\r\n\r\n  \r\n", {}}, {"a\r\n\r\nb\r\n", {u"a"_s, u"b"_s}},
            {"text\x1A\"ignored after ctrl-z\"", {u"text"_s}}};
    for (const auto& [input, items] : cases)
        EXPECT_EQ(readAll(*SequentialReader::fromBytes(input)), items) << input;
    auto reader = SequentialReader::fromBytes("\"a\",b\r\n");
    EXPECT_TRUE(reader->readItem().quoted);
    EXPECT_FALSE(reader->readItem().quoted);
}

TEST(SequentialReaderTest, NumbersUseTheLeadingNumberRule)
{
    auto reader = SequentialReader::fromBytes("12.5, -3e2 ,40 Schuss,abc,,\"7\",#TRUE#,#FALSE#\r\n");
    for (double expected : {12.5, -300.0, 40.0, 0.0, 0.0, 7.0, -1.0, 0.0})
        EXPECT_DOUBLE_EQ(reader->readNumber(), expected);
    EXPECT_TRUE(reader->atEnd());
}

TEST(SequentialReaderTest, ReadingPastTheEndThrows)
{
    auto reader = SequentialReader::fromBytes("\"one\"\r\n  \r\n");
    EXPECT_EQ(reader->readText(), u"one"_s);
    EXPECT_TRUE(reader->atEnd());
    EXPECT_THROW(reader->readItem(), SequentialReadError);
    EXPECT_THROW(reader->readNumber(), SequentialReadError);
    EXPECT_THROW(SequentialReader::fromBytes(QByteArray())->readText(), SequentialReadError);
}

TEST(SequentialReaderTest, DecodesTheCodePage)
{
    EXPECT_EQ(readAll(*SequentialReader::fromBytes("\"M\xFCller\",\x80\r\n")), (QStringList {u"Müller"_s, u"€"_s}));
    auto cyrillic = SequentialReader::fromBytes("\"\xCF\xF0\xE8\xE2\xE5\xF2\"", QByteArrayLiteral("windows-1251"));
    EXPECT_EQ(cyrillic->readText(), u"Привет"_s);
}

using SequentialFileTest = TempFolder;

TEST_F(SequentialFileTest, FilesWithoutACodePageOfTheirOwnTakeTheSystemsAnsiCodePage)
{
#ifndef Q_OS_WIN
    EXPECT_EQ(TextCodec::ansiCodePage(), QByteArray("windows-1252"));
#endif
    TextCodec::setAnsiCodePageForTest("windows-1251");
    const QByteArray privet = "\xCF\xF0\xE8\xE2\xE5\xF2";
    const QString profile = write("[S]\r\nK=" + privet + "\r\n");
    ProfileDocument document(profile);
    document.load();
    SequentialWriter writer(p(u"out.txt"_s));
    ASSERT_TRUE(writer.open());
    writer.writeText(u"Привет"_s);
    writer.close();
    const std::pair<const char*, QString> readers[] = {{"decode", TextCodec::decode(privet)},
        {"sequential", SequentialReader::fromBytes('"' + privet + '"')->readText()},
        {"profile", document.readString(u"S"_s, u"K"_s, QString(), 255)},
        {"written", TextCodec::decode(contents(p(u"out.txt"_s)), "windows-1251").remove(u'"').trimmed()}};
    TextCodec::setAnsiCodePageForTest(QByteArray());
    for (const auto& [reader, text] : readers)
        EXPECT_EQ(text, u"Привет"_s) << reader;
}

TEST(SequentialWriterTest, NumberFormat)
{
    const std::pair<double, const char*> cases[] = {{0.5, "0.5"}, {8, "8"}, {-2.25, "-2.25"}, {0, "0"}, {-0.0, "0"},
        {100000, "100000"}, {0.1, "0.1"}, {0.00001, "0.00001"}, {1e-7, "1e-07"}, {2e20, "2e+20"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(SequentialWriter::formatNumber(value), QLatin1String(text)) << text;
}

TEST_F(SequentialFileTest, WriterFormatAndRoundTrip)
{
    SequentialWriter writer(p(u"out.txt"_s));
    ASSERT_TRUE(writer.open());
    writer.writeText(u"Zähler, mit Komma"_s);
    writer.writeNumber(8);
    writer.writeNumber(-2.25);
    writer.writeBool(true);
    writer.endRecord();
    writer.writeBool(false);
    writer.endRecord();
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(contents(p(u"out.txt"_s)), QByteArray("\"Z\xE4hler, mit Komma\",8,-2.25,#TRUE#\r\n#FALSE#\r\n"));

    const double numbers[] = {0.5, 8, -2.25, 1e-7, 123456.789, 0.1, -0.0, 1e20, std::numeric_limits<double>::max()};
    SequentialWriter again(p(u"round.txt"_s));
    ASSERT_TRUE(again.open());
    again.writeText(u"a \"b\""_s);
    for (double n : numbers)
        again.writeNumber(n);
    again.endRecord();
    ASSERT_TRUE(again.close());
    SequentialReader reader(p(u"round.txt"_s));
    ASSERT_TRUE(reader.open());
    EXPECT_EQ(reader.readText(), u"a "_s); // a quote inside text cannot be represented
    for (double n : numbers)
        EXPECT_EQ(reader.readNumber(), n);
    EXPECT_TRUE(reader.atEnd());
}

TEST_F(SequentialFileTest, MissingFileDoesNotOpen)
{
    SequentialReader reader(p(u"missing.txt"_s));
    EXPECT_FALSE(reader.open());
    EXPECT_FALSE(reader.isOpen());
    EXPECT_TRUE(reader.atEnd());
    EXPECT_THROW(reader.readText(), SequentialReadError);
    SequentialReader directory(m_dir.path());
    EXPECT_FALSE(directory.open(true));
    SequentialWriter writer(p(u"no/dir/out.txt"_s));
    EXPECT_FALSE(writer.open());
    writer.writeText(u"x"_s);
    EXPECT_FALSE(writer.close());
}

TEST_F(SequentialFileTest, ReadLockLetsOtherReadersInAndEndsWithTheReaderButAnUnlockedReaderBlocksNothing)
{
    const QString path = write("\"old\"\r\n1,2\r\n", u"locked.txt"_s);
    auto reader = std::make_unique<SequentialReader>(path);
    ASSERT_TRUE(reader->open(true));
    SequentialReader second(path);
    EXPECT_TRUE(second.open(true));
    EXPECT_EQ(second.readText(), u"old"_s);
    second.close();
    EXPECT_FALSE(SequentialWriter(path).open());
    reader.reset(); // the destructor releases the lock too
    SequentialReader unlocked(path);
    ASSERT_TRUE(unlocked.open(false));
    SequentialWriter writer(path);
    EXPECT_TRUE(writer.open());
    EXPECT_TRUE(writer.close());
    // The content was taken at open.
    EXPECT_EQ(unlocked.readText(), u"old"_s);
    EXPECT_EQ(unlocked.readNumber(), 1);
    EXPECT_EQ(unlocked.readNumber(), 2);
}

class FileLookupTest : public TempFolder {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"Sub/Deeper"_s));
        for (const QString& name : {u"HRang3.csv"_s, u"Sub/File.TXT"_s, u"Sub/Deeper/x.def"_s})
            touch(name);
    }
    std::optional<QString> find(const QString& relative) const { return FileLookup::findFile(p(relative)); }
    bool has(const QString& relative) const { return FileLookup::fileExists(p(relative)); }
};

TEST_F(FileLookupTest, JoinUsesOneSeparatorAndToNativeTurnsBackslashes)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(FileLookup::join(u"dir"_s, u"a.ini"_s), u"dir"_s + sep + u"a.ini"_s);
    EXPECT_EQ(FileLookup::join(u"dir/"_s, u"a.ini"_s), u"dir/a.ini"_s);
    EXPECT_EQ(FileLookup::join(u"dir\\"_s, u"a.ini"_s), u"dir\\a.ini"_s);
    EXPECT_EQ(FileLookup::join(u"dir"_s, u"\\a.ini"_s), u"dir"_s + sep + u"a.ini"_s);
    EXPECT_EQ(FileLookup::join(QString(), u"a.ini"_s), u"a.ini"_s);
    EXPECT_EQ(FileLookup::toNative(u"a\\b/c"_s), QDir::toNativeSeparators(u"a/b/c"_s));
}

TEST_F(FileLookupTest, FindFileIgnoresCaseAndPrefersExact)
{
    EXPECT_EQ(find(u"HRang3.csv"_s), p(u"HRang3.csv"_s));
    EXPECT_EQ(find(u"hrang3.CSV"_s), p(u"HRang3.csv"_s));
    EXPECT_EQ(find(u"sub/file.txt"_s), p(u"Sub/File.TXT"_s));
    // Backslashes separate folders.
    EXPECT_EQ(FileLookup::findFile(m_dir.path() + u"\\sub\\file.txt"_s), p(u"Sub/File.TXT"_s));
    EXPECT_TRUE(has(u"SUB/DEEPER/X.DEF"_s));
    // No folders and no wildcards.
    for (const QString& name : {u"HRang4.csv"_s, u"Sub"_s, u"HRang*.csv"_s})
        EXPECT_FALSE(has(name)) << qPrintable(name);
    EXPECT_FALSE(FileLookup::fileExists(QString()));
    touch(u"hrang3.csv"_s);
    EXPECT_EQ(find(u"hrang3.csv"_s), p(u"hrang3.csv"_s));
    EXPECT_EQ(find(u"HRang3.csv"_s), p(u"HRang3.csv"_s));
}

TEST_F(FileLookupTest, FindDirectory)
{
    EXPECT_EQ(FileLookup::findDirectory(p(u"sub/deeper"_s)), p(u"Sub/Deeper"_s));
    EXPECT_EQ(FileLookup::findDirectory(p(u"SUB"_s) + QDir::separator()), p(u"Sub"_s));
    EXPECT_TRUE(FileLookup::directoryExists(m_dir.path()));
    for (const QString& path : {p(u"HRang3.csv"_s), p(u"werbung"_s), QString()})
        EXPECT_FALSE(FileLookup::directoryExists(path)) << qPrintable(path);
}

TEST_F(FileLookupTest, ResolveInside)
{
    const std::pair<const char*, const char*> cases[] = {{"sub\\file.txt", "Sub/File.TXT"},
        {"SUB/FILE.TXT", "Sub/File.TXT"}, {"sub\\deeper\\X.def", "Sub/Deeper/x.def"}, {"./hrang3.csv", "HRang3.csv"},
        {"sub\\\\new.txt", "Sub/new.txt"}, {"NEW.TXT", "NEW.TXT"}, {"missing\\Dir\\a.txt", "missing/Dir/a.txt"},
        {"sub", "Sub"}, {"sub\\.hidden", "Sub/.hidden"},
        // Names that leave the folder, name a drive or a stream, or that Windows reads otherwise.
        {"../x", nullptr}, {"sub/../../x", nullptr}, {"sub/..", nullptr}, {"/abs", nullptr}, {"\\abs", nullptr},
        {"\\\\server\\share\\x", nullptr}, {"C:\\x", nullptr}, {"c:x", nullptr}, {"./C:\\x", nullptr},
        {"sub\\file.txt:stream", nullptr}, {".. \\x", nullptr}, {"sub\\...\\x", nullptr}, {"sub\\. \\x", nullptr},
        {"", nullptr}, {".", nullptr}, {"\\", nullptr}};
    for (const auto& [name, expected] : cases) {
        const auto result = FileLookup::resolveInside(m_dir.path(), QString::fromLatin1(name));
        EXPECT_EQ(result, expected ? std::optional(p(QLatin1String(expected))) : std::nullopt) << name;
    }
}

TEST_F(FileLookupTest, ExactSpellingFirstAndFilesAndFoldersApart)
{
    for (const QString& name : {u"Data.TXT"_s, u"dATA.txt"_s, u"DATA.txt"_s})
        touch(name);
    EXPECT_EQ(find(u"data.txt"_s), p(u"DATA.txt"_s));
    EXPECT_EQ(find(u"dATA.txt"_s), p(u"dATA.txt"_s));
    // A directory of that name does not count as a file, nor a file as a folder.
    EXPECT_FALSE(has(u"SUB"_s));
    EXPECT_EQ(FileLookup::findDirectory(p(u"SUB"_s)), p(u"Sub"_s));
    EXPECT_FALSE(FileLookup::directoryExists(p(u"data.TXT"_s)));
}

} // namespace
