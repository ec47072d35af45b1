#include "shell/SettingsFile.h"
#include "support/FakeLanes.h"
#include "support/ProgramFolder.h"
#include "support/SettingsFields.h"

#include <QRegularExpression>

#include <random>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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

const QString kIni = QStringLiteral("omr_anzeige.ini");

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
        return QString::fromLatin1(read(kIni)).split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts);
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
    SettingsFields::expect(load(),
        QStringLiteral("Scheibenanzahl=8;ScheibenProSeite=8;Wechselzeit=60;Blaettern=0;AnfEnde=0;AnfScheibe=1;"
                       "EndScheibe=8;VerbindungsArt=1;SerienAnzeige=1;AusfAnzeige=1;ZehntelAnzeige=1;"
                       "TrefferVergroessern=1;AutoZoom=1;FarbeProbeEcke=1;Sprache=1;BuliAnordnung=1;"
                       "SerienErgebnisse=1;BildSchirm=0;BildAufloesung=0;KORVUDisziID=1;KORVUWKID=1;VTXServerID=1;"
                       "RanglisteAn=0;WerbeZeit=0;Disziplinen=1.10|1.10|1.10|1.10|1.10|1.10|1.10|1.10;NetzwerkPfad=")
            + dir() + QStringLiteral(";KORVUPfad=") + dir());
    EXPECT_EQ(state().pages.Seitenanzahl, 0);
}

TEST_F(SettingsFileTest, ValuesOutsideTheirRangeOrFieldAreNotTaken)
{
    const struct {
        const char* keys;
        const char* expected;
    } cases[] = {
        // Only positive counts that fit a byte.
        {"Scheibenanzahl=0", "Scheibenanzahl=8"},
        {"Scheibenanzahl=-1", "Scheibenanzahl=8"},
        {"Scheibenanzahl=256", "Scheibenanzahl=8"},
        {"Scheibenanzahl=zwoelf", "Scheibenanzahl=8"},
        {"Scheibenanzahl=255", "Scheibenanzahl=255"},
        {"Scheibenanzahl=3 Bahnen", "Scheibenanzahl=3"},
        // The range of shown targets against the count; nothing orders first and last.
        {"Scheibenanzahl=10;AnfScheibe=12;EndScheibe=12", "AnfScheibe=1;EndScheibe=10"},
        {"Scheibenanzahl=10;EndScheibe=0", "EndScheibe=8"},
        {"Scheibenanzahl=5;EndScheibe=-3", "EndScheibe=5"},
        {"Scheibenanzahl=10;AnfScheibe=7;EndScheibe=4", "AnfScheibe=7;EndScheibe=4"},
        {"BildAufloesung=5;BildSchirm=3;RanglisteAn=1;Blaettern=2;SerienAnzeige=7;VerbindungsArt=0;Trefferkreuze=1;"
         "Wechselzeit=-5;AnzeigeServerNr=2;AutoZoom=0",
            "BildAufloesung=1;BildSchirm=0;RanglisteAn=0;Blaettern=0;SerienAnzeige=1;VerbindungsArt=0;Trefferkreuze=1;"
            "Wechselzeit=60;AnzeigeServerNr=0;AutoZoom=0"},
        // A value that does not fit its field is not stored.
        {"Wechselzeit=70000;Nummeriert=65537;WerbeZeit=256;KORVUDisziID=40000;KORVUKlassenNr=-32768;Sprache=-1;"
         "BildAufloesung=102;BildSchirm=2",
            "Wechselzeit=60;Nummeriert=0;WerbeZeit=0;KORVUDisziID=0;KORVUKlassenNr=-32768;Sprache=0;"
            "BildAufloesung=102;BildSchirm=2"},
        // The colour of the sighting corner must be positive.
        {"FarbeProbeEcke=0.5", "FarbeProbeEcke=0.5"},
        {"FarbeProbeEcke=16711680", "FarbeProbeEcke=16711680"},
        {"FarbeProbeEcke=-3", "FarbeProbeEcke=0"},
        {"FarbeProbeEcke=", "FarbeProbeEcke=0"},
        {"FarbeProbeEcke=rot", "FarbeProbeEcke=0"},
        {"RLTitel=Kreismeisterschaft 2002, Luftgewehr", "RLTitel=Kreismeisterschaft 2002, Luftgewehr"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        SettingsFields::expect(loadOptions(c.keys), QString::fromLatin1(c.expected));
        EXPECT_EQ(s().Disziplinen.size(), s().Scheibenanzahl);
    }
}

TEST_F(SettingsFileTest, PathKeysMustNameAnExistingDirectoryAndFallBackToTheProgramDirectory)
{
    ASSERT_TRUE(QDir(dir()).mkpath(QStringLiteral("Austausch")));
    const QByteArray exchange = file(QStringLiteral("Austausch")).toUtf8();
    const QByteArray missing = file(QStringLiteral("fehlt")).toUtf8();
    EXPECT_EQ(loadOptions("NetzwerkPfad=" + missing + ";KORVUPfad=" + exchange).NetzwerkPfad, dir());
    EXPECT_EQ(s().KORVUPfad, QString::fromUtf8(exchange));

    EXPECT_EQ(loadOptions("NetzwerkPfad=;KORVUPfad=" + exchange.toUpper()).NetzwerkPfad, dir());
    // Found whatever the letter case: the directory that exists is used.
    EXPECT_TRUE(QDir(s().KORVUPfad).exists());

    // The fall-back is what the next save writes.
    loadOptions("NetzwerkPfad=" + missing);
    save(8);
    EXPECT_TRUE(iniLines().contains(QStringLiteral("NetzwerkPfad=") + dir()));
}

TEST_F(SettingsFileTest, DisciplineTableComesFromSectionScheibe)
{
    write(kIni,
        "[Options]\r\nScheibenanzahl=4\r\n[Scheibe]\r\nScheibe1=2.20\r\nScheibe3=  4.40  \r\n"
        "Scheibe4=1234567890123\r\nScheibe5=9.99\r\n");
    EXPECT_EQ(load().Disziplinen, QStringLiteral("2.20 1.10 4.40 123456789").split(QLatin1Char(' ')));
}

TEST_F(SettingsFileTest, PagingOnBuildsThePageTable)
{
    loadOptions("Scheibenanzahl=10;ScheibenProSeite=4;Blaettern=1");
    EXPECT_EQ(s().Blaettern, 1);
    EXPECT_EQ(state().pages.Seitenanzahl, 3);
    EXPECT_EQ(state().pages.SeitenZaehler, 3);
    EXPECT_EQ(loadOptions("Scheibenanzahl=8;ScheibenProSeite=8;Blaettern=1").Blaettern, 0);
}

TEST_F(SettingsFileTest, SaveWritesEveryKeyInItsOrder)
{
    load();
    s().FarbeProbeEcke = 0.5;
    s().Wechselzeit = 120;
    s().RLTitel = QStringLiteral("Finale");
    save(8);

    const QStringList lines = iniLines();
    QStringList keys;
    for (const QString& line : lines)
        keys << line.section(QLatin1Char('='), 0, 0);
    EXPECT_EQ(keys.join(QLatin1Char(' ')),
        QStringLiteral("[Options] Trefferkreuze AusfAnzeige Scheibenanzahl ScheibenProSeite Wechselzeit Blaettern "
                       "Trefferkreise Nummeriert MittlereLage SerienAnzeige ZehntelAnzeige AnfScheibe EndScheibe "
                       "AnfEnde TrefferVergroessern AutoZoom VerbindungsArt Sprache BildSchirm BildAufloesung "
                       "NetzwerkPfad Schnellanzeige BuliAnordnung SerienErgebnisse FarbeProbeEcke AnzeigeServerNr "
                       "KORVUDisziID KORVUKlassenNr KORVUMannschaft KORVUPfad KORVUWKID VTXServerID RanglisteAn "
                       "RangUndScheibe RLTitel chkEinZeilig FreieWerbung WerbeZeit WerbePause VergroessernAus "
                       "[Scheibe] Scheibe1 Scheibe2 Scheibe3 Scheibe4 Scheibe5 Scheibe6 Scheibe7 Scheibe8"));
    for (const char* line :
        {"FarbeProbeEcke=0.5", "Wechselzeit=120", "Scheibenanzahl=8", "RLTitel=Finale", "Scheibe8=1.10"})
        EXPECT_TRUE(lines.contains(QLatin1String(line))) << line;
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
    targets.at(1)->setDisziplinNr(QStringLiteral("2.20"));
    targets.at(3)->setDisziplinNr(QStringLiteral("3.30"));
    SettingsFile::EinstellungenSpeichern(targets);

    const QStringList lines = iniLines();
    EXPECT_EQ(lines.first(), QStringLiteral("; Schiessstand Nord"));
    for (const char* line : {"; alte Bahnen", "Scheibenanzahl=5", "Scheibe1=2.20", "Scheibe2=1.10", "Scheibe3=3.30",
             "Scheibe4=7.70", "Scheibe12=8.80"})
        EXPECT_TRUE(lines.contains(QLatin1String(line))) << line;
    EXPECT_FALSE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("Scheibe5=")));
    EXPECT_TRUE(read(kIni).endsWith("\r\n"));
    EXPECT_EQ(entries(), QStringList {kIni});
}

TEST_F(SettingsFileTest, SavedRecordLoadsBackUnchanged)
{
    loadOptions("Scheibenanzahl=12;ScheibenProSeite=6;Blaettern=1;AnfEnde=1;AnfScheibe=3;EndScheibe=9;BildSchirm=1;"
                "BildAufloesung=102;FarbeProbeEcke=65280;KORVUKlassenNr=-4;RLTitel=Finale;WerbeZeit=30;"
                "chkEinZeilig=1");
    const QStringList before = fields(s());
    save(12);
    EXPECT_EQ(fields(load()), before);
    EXPECT_NE(before, m_defaults);
}

// --- bad files ---

TEST_F(SettingsFileTest, DirectoryInPlaceOfTheFileGivesTheDefaultsAndStays)
{
    ASSERT_TRUE(QDir(dir()).mkdir(kIni));
    expectDefaultsAndFileLeftAlone();
    EXPECT_TRUE(QFileInfo(file(kIni)).isDir());
}

TEST_F(SettingsFileTest, FileWithoutReadPermissionGivesTheDefaultsAndIsNotReplaced)
{
    const QByteArray original = "[Options]\r\nScheibenanzahl=12\r\nWechselzeit=30\r\n";
    write(kIni, original);
    QFile::setPermissions(file(kIni), QFileDevice::WriteOwner);
    const bool readable = QFile(file(kIni)).open(QIODevice::ReadOnly);
    if (!readable)
        expectDefaultsAndFileLeftAlone();
    QFile::setPermissions(file(kIni), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (readable)
        GTEST_SKIP() << "running with rights that read any file";
    // Saving over a file it could not read would throw away the operator's keys.
    EXPECT_EQ(read(kIni), original);
}

struct GarbageCase {
    const char* name;
    QByteArray bytes;
};

class SettingsGarbageTest : public SettingsFileTest, public ::testing::WithParamInterface<GarbageCase> { };

TEST_P(SettingsGarbageTest, GarbageGivesTheDefaultsAndValidKeysAfterItAreTaken)
{
    write(kIni, GetParam().bytes);
    EXPECT_EQ(fields(load()), m_defaults);
    // Saving over the garbage gives a file that loads back.
    s().Wechselzeit = 45;
    s().RLTitel = QStringLiteral("Nach dem Müll");
    save(8);
    SettingsFields::expect(load(), QStringLiteral("Wechselzeit=45;RLTitel=Nach dem Müll;Scheibenanzahl=8"));

    write(kIni, GetParam().bytes + "\r\n[Options]\r\nScheibenanzahl=12\r\nWechselzeit=30\r\nRLTitel=Finale\r\n");
    SettingsFields::expect(load(), QStringLiteral("Scheibenanzahl=12;Wechselzeit=30;RLTitel=Finale;VerbindungsArt=1"));
    EXPECT_EQ(s().Disziplinen, QStringList(12, QStringLiteral("1.10")));
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsGarbageTest,
    ::testing::Values(GarbageCase {"empty", QByteArray()}, GarbageCase {"random", randomBytes(64 * 1024, 7)},
        GarbageCase {"nuls", QByteArray(4096, '\0')},
        GarbageCase {"nulInKeys",
            raw("[Scheibe]\r\nScheibe\0"
                "1=2.20\r\nScheibe2\0=3.30\r\n\0Scheibe3=4.40\r\n")},
        GarbageCase {"brokenSections",
            raw("[\r\n[]\r\n]Options[\r\n[[Options]]\r\n[Opt\0ions]\r\n=3\r\n==\r\nScheibenanzahl\r\n"
                "[Options2]\r\nScheibenanzahl=3\r\n[ Optionen ]\r\nWechselzeit=5\r\n")},
        GarbageCase {"utf16",
            raw("\xff\xfe[\0O\0p\0t\0i\0o\0n\0s\0]\0\r\0\n\0W\0e\0c\0h\0s\0e\0l\0z\0e\0i\0t\0=\0"
                "5\0\r\0\n\0")},
        GarbageCase {"lineEndsOnly", QByteArray(10000, '\r') + QByteArray(10000, '\n')}),
    [](const ::testing::TestParamInfo<GarbageCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, HugeFileIsReadWithoutHangingAndKeepsItsValidKeys)
{
    // 20 MB: many short junk lines, then one line of several MB without a line end
    // before the valid section.
    QByteArray junk = randomBytes(12 * 1024 * 1024, 11);
    junk += "\r\n" + QByteArray(8 * 1024 * 1024, 'a') + "\r\n";
    write(kIni, junk + "[Options]\r\nScheibenanzahl=200\r\nVerbindungsArt=0\r\n[Scheibe]\r\nScheibe200=9.90\r\n");
    SettingsFields::expect(load(), QStringLiteral("Scheibenanzahl=200;VerbindungsArt=0"));
    ASSERT_EQ(s().Disziplinen.size(), 200);
    EXPECT_EQ(s().Disziplinen.last(), QStringLiteral("9.90"));
    EXPECT_EQ(s().Disziplinen.first(), QStringLiteral("1.10"));
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

TEST_F(SettingsFileTest, PipeInPlaceOfTheFileDoesNotBlock)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(file(kIni)).constData(), 0600), 0);
    expectDefaultsAndFileLeftAlone();
    EXPECT_FALSE(QFileInfo(file(kIni)).isFile());
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
