#include "shell/SettingsFile.h"
#include "support/FakeLanes.h"
#include "support/ProgramFolder.h"
#include "support/SettingsFields.h"
#include "support/TestData.h"

#include <QRegularExpression>

#include <random>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

// omr_anzeige.ini into and out of the settings record, and bad settings files
// and interrupted saves: the program starts with the defaults (or whatever
// valid keys it finds) and never loses the file.

namespace {

using SettingsFields::fields;

// Bytes of a literal, NULs included.
template<std::size_t N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArray randomBytes(qsizetype size, unsigned seed)
{
    std::mt19937 generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

const QString kIni = u"omr_anzeige.ini"_s;

class SettingsFileTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        m_defaults = fields(load());
        ProgramState::reset();
    }

    const Einstellungen& load()
    {
        ProgramState::reset();
        SettingsFile::EinstellungenLaden();
        return s();
    }
    // "Key=Value" items of section Options, separated by ';'.
    const Einstellungen& loadOptions(const char* keys)
    {
        write(kIni, "[Options]\r\n" + QByteArray(keys).replace(';', "\r\n") + "\r\n");
        return load();
    }
    static void save(int targets) { SettingsFile::EinstellungenSpeichern(FakeTargets(targets)); }
    QStringList iniLines() const
    {
        return QString::fromLatin1(read(kIni)).split(QRegularExpression(u"\r?\n"_s), Qt::SkipEmptyParts);
    }
    // A record that differs from the file in many keys, so a save rewrites it.
    static void changeSettings()
    {
        s().Wechselzeit = 90;
        s().RLTitel = QString(400, QLatin1Char('T'));
        s().Scheibenanzahl = 40;
    }

    // Loading gives the defaults, and a save leaves the thing in the file's place alone.
    void expectDefaultsAndFileLeftAlone()
    {
        EXPECT_EQ(fields(load()), m_defaults);
        changeSettings();
        save(8);
        EXPECT_EQ(entries(), QStringList {kIni});
    }

    QStringList m_defaults;
};

TEST_F(SettingsFileTest, MissingFileGivesTheDefaults)
{
    TestData::expectPinned(u"shell/defaults.txt"_s, fields(load()).join(u'\n').replace(dir(), u"{dir}"_s) + u'\n');
    EXPECT_EQ(state().pages.Seitenanzahl, 0);
}

TEST_F(SettingsFileTest, ValuesOutsideTheirRangeOrFieldAreNotTaken)
{
    for (const TestData::Line& row : TestData::lines(u"tables/settings-load.txt"_s)) {
        SCOPED_TRACE(row.where);
        SettingsFields::expect(loadOptions(row.cell(0).toLatin1().constData()), row.cell(1));
        EXPECT_EQ(s().Disziplinen.size(), s().Scheibenanzahl);
    }
}

TEST_F(SettingsFileTest, PathKeysMustNameAnExistingDirectoryAndFallBackToTheProgramDirectory)
{
    ASSERT_TRUE(QDir(dir()).mkpath(u"Austausch"_s));
    const QByteArray exchange = file(u"Austausch"_s).toUtf8();
    const QByteArray missing = file(u"fehlt"_s).toUtf8();
    EXPECT_EQ(loadOptions("NetzwerkPfad=" + missing + ";KORVUPfad=" + exchange).NetzwerkPfad, dir());
    EXPECT_EQ(s().KORVUPfad, QString::fromUtf8(exchange));

    // Found whatever the letter case and the separators, and kept as written,
    // so that the next save writes it back unchanged.
    const QByteArray windowsForm = exchange.toUpper().replace('/', '\\') + '\\';
    EXPECT_EQ(loadOptions("NetzwerkPfad=;KORVUPfad=" + windowsForm).NetzwerkPfad, dir());
    EXPECT_EQ(s().KORVUPfad, QString::fromUtf8(windowsForm));
    save(8);
    EXPECT_TRUE(iniLines().contains(u"KORVUPfad="_s + QString::fromUtf8(windowsForm)));

    // The fall-back is what the next save writes.
    loadOptions("NetzwerkPfad=" + missing);
    save(8);
    EXPECT_TRUE(iniLines().contains(u"NetzwerkPfad="_s + dir()));
}

TEST_F(SettingsFileTest, DisciplineTableComesFromSectionScheibe)
{
    write(kIni,
        "[Options]\r\nScheibenanzahl=4\r\n[Scheibe]\r\nScheibe1=2.20\r\nScheibe3=  4.40  \r\n"
        "Scheibe4=1234567890123\r\nScheibe5=9.99\r\n");
    EXPECT_EQ(load().Disziplinen, u"2.20 1.10 4.40 123456789"_s.split(QLatin1Char(' ')));
}

TEST_F(SettingsFileTest, SaveWritesEveryKeyInItsOrderAndTheRecordLoadsBackUnchanged)
{
    loadOptions("Scheibenanzahl=8;ScheibenProSeite=4;Blaettern=1;AnfEnde=1;AnfScheibe=3;EndScheibe=7;BildSchirm=1;"
                "BildAufloesung=102;FarbeProbeEcke=0.5;KORVUKlassenNr=-4;RLTitel=Finale;WerbeZeit=30;Wechselzeit=120;"
                "chkEinZeilig=1");
    const QStringList before = fields(s());
    EXPECT_NE(before, m_defaults);
    // A new file: an existing one keeps the order of its keys.
    ASSERT_TRUE(QFile::remove(file(kIni)));
    save(8);
    TestData::expectPinned(u"shell/saved.ini"_s, QString::fromLatin1(read(kIni)).replace(dir(), u"{dir}"_s));
    EXPECT_EQ(fields(load()), before);
}

TEST_F(SettingsFileTest, SaveTouchesOnlyTheDisciplinesOfExistingTargetsAndLeavesNothingBehind)
{
    write(kIni,
        "; Schiessstand Nord\r\n[Options]\r\nScheibenanzahl=3\r\n[Scheibe]\r\nScheibe1=1.10\r\n"
        "; alte Bahnen\r\nScheibe4=7.70\r\nScheibe12=8.80\r\n");
    load();
    // Raised in the options dialog; the windows of the new lanes do not exist yet.
    s().Scheibenanzahl = 5;
    FakeTargets targets(3);
    targets.at(1)->setDisziplinNr(u"2.20"_s);
    targets.at(3)->setDisziplinNr(u"3.30"_s);
    SettingsFile::EinstellungenSpeichern(targets);

    const QStringList lines = iniLines();
    EXPECT_EQ(lines.first(), u"; Schiessstand Nord"_s);
    for (const char* line : {"; alte Bahnen", "Scheibenanzahl=5", "Scheibe1=2.20", "Scheibe2=1.10", "Scheibe3=3.30",
             "Scheibe4=7.70", "Scheibe12=8.80"})
        EXPECT_TRUE(lines.contains(QLatin1String(line))) << line;
    EXPECT_FALSE(lines.join(QLatin1Char('\n')).contains(u"Scheibe5="_s));
    EXPECT_TRUE(read(kIni).endsWith("\r\n"));
    EXPECT_EQ(entries(), QStringList {kIni});
}

// --- bad files ---

TEST_F(SettingsFileTest, DirectoryOrPipeInPlaceOfTheFileGivesTheDefaultsAndStays)
{
    ASSERT_TRUE(QDir(dir()).mkdir(kIni));
    expectDefaultsAndFileLeftAlone();
    EXPECT_TRUE(QFileInfo(file(kIni)).isDir());
#ifdef Q_OS_UNIX
    // Reading a pipe would block.
    ASSERT_TRUE(QDir(dir()).rmdir(kIni));
    ASSERT_EQ(::mkfifo(QFile::encodeName(file(kIni)).constData(), 0600), 0);
    expectDefaultsAndFileLeftAlone();
    EXPECT_FALSE(QFileInfo(file(kIni)).isFile());
#endif
}

TEST_F(SettingsFileTest, GarbageGivesTheDefaultsAndValidKeysAfterItAreTaken)
{
    const std::pair<const char*, QByteArray> files[]
        = {{"empty", QByteArray()}, {"random", randomBytes(64 * 1024, 7)}, {"nuls", QByteArray(4096, '\0')},
            {"nulInKeys",
                raw("[Scheibe]\r\nScheibe\0"
                    "1=2.20\r\nScheibe2\0=3.30\r\n\0Scheibe3=4.40\r\n")},
            {"brokenSections",
                raw("[\r\n[]\r\n]Options[\r\n[[Options]]\r\n[Opt\0ions]\r\n=3\r\n==\r\nScheibenanzahl\r\n"
                    "[Options2]\r\nScheibenanzahl=3\r\n[ Optionen ]\r\nWechselzeit=5\r\n")},
            {"utf16",
                raw("\xff\xfe[\0O\0p\0t\0i\0o\0n\0s\0]\0\r\0\n\0W\0e\0c\0h\0s\0e\0l\0z\0e\0i\0t\0=\0"
                    "5\0\r\0\n\0")},
            {"lineEndsOnly", QByteArray(10000, '\r') + QByteArray(10000, '\n')}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        write(kIni, bytes);
        EXPECT_EQ(fields(load()), m_defaults);
        // Saving over the garbage gives a file that loads back.
        s().Wechselzeit = 45;
        s().RLTitel = u"Nach dem Müll"_s;
        save(8);
        SettingsFields::expect(load(), u"Wechselzeit=45;RLTitel=Nach dem Müll;Scheibenanzahl=8"_s);

        write(kIni, bytes + "\r\n[Options]\r\nScheibenanzahl=12\r\nWechselzeit=30\r\nRLTitel=Finale\r\n");
        SettingsFields::expect(load(), u"Scheibenanzahl=12;Wechselzeit=30;RLTitel=Finale;VerbindungsArt=1"_s);
        EXPECT_EQ(s().Disziplinen, QStringList(12, u"1.10"_s));
    }
}

TEST_F(SettingsFileTest, HugeFileIsReadWithoutHangingAndKeepsItsValidKeys)
{
    // 20 MB: many short junk lines, then one line of several MB without a line end
    // before the valid section.
    QByteArray junk = randomBytes(12 * 1024 * 1024, 11);
    junk += "\r\n" + QByteArray(8 * 1024 * 1024, 'a') + "\r\n";
    write(kIni, junk + "[Options]\r\nScheibenanzahl=200\r\nVerbindungsArt=0\r\n[Scheibe]\r\nScheibe200=9.90\r\n");
    SettingsFields::expect(load(), u"Scheibenanzahl=200;VerbindungsArt=0"_s);
    ASSERT_EQ(s().Disziplinen.size(), 200);
    EXPECT_EQ(s().Disziplinen.last(), u"9.90"_s);
    EXPECT_EQ(s().Disziplinen.first(), u"1.10"_s);
}

TEST_F(SettingsFileTest, FileBeyondAnySensibleSizeIsLeftAlone)
{
    const QByteArray start = "[Options]\r\nScheibenanzahl=12\r\n";
    write(kIni, start);
    QFile file(this->file(kIni));
    // Sparse where the file system allows: no time or disk spent on it.
    ASSERT_TRUE(file.resize(100 * 1024 * 1024));
    expectDefaultsAndFileLeftAlone();
    EXPECT_EQ(file.size(), 100 * 1024 * 1024);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(start.size()), start);
}

#ifdef Q_OS_UNIX

// Runs a save in a child process whose files may not grow beyond 512 bytes,
// so that it breaks off in the middle of writing. With killed the child dies of
// the signal right there, as if the program were killed while saving; without
// it the write fails and the save must clean up. Returns the child's wait status.
int saveInChild(bool killed)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit noCore {0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
        const rlimit small {512, 512};
        ::setrlimit(RLIMIT_FSIZE, &small);
        SettingsFile::EinstellungenSpeichern(FakeTargets(40));
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

const QByteArray kOriginal = "; Stand Nord\r\n[Options]\r\nScheibenanzahl=12\r\nWechselzeit=30\r\n";

TEST_F(SettingsFileTest, FailedOrKilledSaveLeavesTheOldFileWhole)
{
    write(kIni, kOriginal);
    load();
    changeSettings();
    ASSERT_TRUE(WIFEXITED(saveInChild(false)));
    EXPECT_EQ(read(kIni), kOriginal);
    // No temporary file is left behind.
    EXPECT_EQ(entries(), QStringList {kIni});

    const int status = saveInChild(true);
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(read(kIni), kOriginal);

    // With room again, the next save goes through.
    save(40);
    EXPECT_EQ(load().Scheibenanzahl, 40);
}

#endif

} // namespace
