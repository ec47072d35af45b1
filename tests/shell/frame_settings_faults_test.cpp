#include "frame_fakes.h"
#include "platform/FileLookup.h"
#include "platform/ProgramInfo.h"
#include "shell/ProgramState.h"
#include "shell/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <random>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

// Bad settings files and interrupted saves: the program starts with the
// defaults (or whatever valid keys it finds) and never loses the file.

namespace {

// Every field of the record as "name=value", so that a difference shows by name.
QStringList fields(const Einstellungen& s)
{
    QStringList out;
    const auto add
        = [&out](const char* name, const QString& value) { out << QLatin1String(name) + QLatin1Char('=') + value; };
    const auto num = [&add](const char* name, double value) { add(name, QString::number(value)); };
    num("Scheibenanzahl", s.Scheibenanzahl);
    num("ScheibenProSeite", s.ScheibenProSeite);
    num("Wechselzeit", s.Wechselzeit);
    num("Blaettern", s.Blaettern);
    num("AnfEnde", s.AnfEnde);
    num("AnfScheibe", s.AnfScheibe);
    num("EndScheibe", s.EndScheibe);
    num("Trefferkreuze", s.Trefferkreuze);
    num("Nummeriert", s.Nummeriert);
    num("Trefferkreise", s.Trefferkreise);
    num("MittlereLage", s.MittlereLage);
    num("SerienAnzeige", s.SerienAnzeige);
    num("AusfAnzeige", s.AusfAnzeige);
    num("ZehntelAnzeige", s.ZehntelAnzeige);
    num("TrefferVergroessern", s.TrefferVergroessern);
    num("FarbeProbeEcke", s.FarbeProbeEcke);
    num("AutoZoom", s.AutoZoom);
    num("VerbindungsArt", s.VerbindungsArt);
    num("Sprache", s.Sprache);
    num("BuliAnordnung", s.BuliAnordnung);
    num("SerienErgebnisse", s.SerienErgebnisse);
    num("BildSchirm", s.BildSchirm);
    num("BildAufloesung", s.BildAufloesung);
    add("NetzwerkPfad", s.NetzwerkPfad);
    num("Schnellanzeige", s.Schnellanzeige);
    num("AnzeigeServerNr", s.AnzeigeServerNr);
    num("KORVUDisziID", s.KORVUDisziID);
    num("KORVUKlassenNr", s.KORVUKlassenNr);
    num("KORVUMannschaft", s.KORVUMannschaft);
    add("KORVUPfad", s.KORVUPfad);
    num("KORVUWKID", s.KORVUWKID);
    num("VTXServerID", s.VTXServerID);
    num("RanglisteAn", s.RanglisteAn);
    num("RangUndScheibe", s.RangUndScheibe);
    add("RLTitel", s.RLTitel);
    num("chkEinZeilig", s.chkEinZeilig);
    num("FreieWerbung", s.FreieWerbung);
    num("WerbeZeit", s.WerbeZeit);
    num("WerbePause", s.WerbePause);
    num("VergroessernAus", s.VergroessernAus);
    add("Disziplinen", s.Disziplinen.join(QLatin1Char('|')));
    return out;
}

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

class SettingsFaultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ProgramInfo::setDirectoryForTest(dir());
        ProgramState::reset();
        SettingsFile::EinstellungenLaden();
        m_defaults = fields(ProgramState::instance().settings);
        ProgramState::reset();
    }
    void TearDown() override { ProgramInfo::setDirectoryForTest(QString()); }

    QString dir() const { return QDir::toNativeSeparators(m_dir.path()); }
    QString iniPath() const { return FileLookup::join(dir(), QStringLiteral("omr_anzeige.ini")); }

    void writeIni(const QByteArray& bytes)
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray iniBytes() const
    {
        QFile file(iniPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }
    QStringList folderEntries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    const Einstellungen& load()
    {
        ProgramState::reset();
        SettingsFile::EinstellungenLaden();
        return ProgramState::instance().settings;
    }
    // A record that differs from the file in many keys, so a save rewrites it.
    void changeSettings()
    {
        Einstellungen& s = ProgramState::instance().settings;
        s.Wechselzeit = 90;
        s.RLTitel = QString(400, QLatin1Char('T'));
        s.Scheibenanzahl = 40;
    }

    QTemporaryDir m_dir;
    QStringList m_defaults;
};

TEST_F(SettingsFaultsTest, DirectoryInPlaceOfTheFileGivesTheDefaultsAndStays)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("omr_anzeige.ini")));
    EXPECT_EQ(fields(load()), m_defaults);

    changeSettings();
    SettingsFile::EinstellungenSpeichern(FakeTargets(8));
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
    EXPECT_EQ(folderEntries(), QStringList {QStringLiteral("omr_anzeige.ini")});
}

TEST_F(SettingsFaultsTest, FileWithoutReadPermissionGivesTheDefaultsAndIsNotReplaced)
{
    const QByteArray original = "[Options]\r\nScheibenanzahl=12\r\nWechselzeit=30\r\n";
    writeIni(original);
    QFile::setPermissions(iniPath(), QFileDevice::WriteOwner);
    QFile probe(iniPath());
    if (probe.open(QIODevice::ReadOnly)) {
        QFile::setPermissions(iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        GTEST_SKIP() << "running with rights that read any file";
    }
    EXPECT_EQ(fields(load()), m_defaults);
    changeSettings();
    SettingsFile::EinstellungenSpeichern(FakeTargets(8));
    QFile::setPermissions(iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Saving over a file it could not read would throw away the operator's keys.
    EXPECT_EQ(iniBytes(), original);
}

struct GarbageCase {
    const char* name;
    QByteArray bytes;
};

class SettingsGarbageTest : public SettingsFaultsTest, public ::testing::WithParamInterface<GarbageCase> { };

TEST_P(SettingsGarbageTest, GarbageGivesTheDefaults)
{
    writeIni(GetParam().bytes);
    EXPECT_EQ(fields(load()), m_defaults);
}

TEST_P(SettingsGarbageTest, ValidOptionsAfterTheGarbageAreTaken)
{
    writeIni(GetParam().bytes + "\r\n[Options]\r\nScheibenanzahl=12\r\nWechselzeit=30\r\nRLTitel=Finale\r\n");
    const Einstellungen& s = load();
    EXPECT_EQ(s.Scheibenanzahl, 12);
    EXPECT_EQ(s.Wechselzeit, 30);
    EXPECT_EQ(s.RLTitel, QStringLiteral("Finale"));
    EXPECT_EQ(s.VerbindungsArt, 1);
    EXPECT_EQ(s.Disziplinen, QStringList(12, QStringLiteral("1.10")));
}

TEST_P(SettingsGarbageTest, SavingOverGarbageGivesAFileThatLoadsBack)
{
    writeIni(GetParam().bytes);
    load();
    ProgramState::instance().settings.Wechselzeit = 45;
    ProgramState::instance().settings.RLTitel = QStringLiteral("Nach dem Müll");
    SettingsFile::EinstellungenSpeichern(FakeTargets(8));
    const Einstellungen& s = load();
    EXPECT_EQ(s.Wechselzeit, 45);
    EXPECT_EQ(s.RLTitel, QStringLiteral("Nach dem Müll"));
    EXPECT_EQ(s.Scheibenanzahl, 8);
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

TEST_F(SettingsFaultsTest, HugeFileIsReadWithoutHangingAndKeepsItsValidKeys)
{
    // 20 MB: many short junk lines, then one line of several MB without a line end
    // before the valid section.
    QByteArray junk = randomBytes(12 * 1024 * 1024, 11);
    junk += "\r\n" + QByteArray(8 * 1024 * 1024, 'a') + "\r\n";
    writeIni(junk + "[Options]\r\nScheibenanzahl=200\r\nVerbindungsArt=0\r\n[Scheibe]\r\nScheibe200=9.90\r\n");
    const Einstellungen& s = load();
    EXPECT_EQ(s.Scheibenanzahl, 200);
    EXPECT_EQ(s.VerbindungsArt, 0);
    ASSERT_EQ(s.Disziplinen.size(), 200);
    EXPECT_EQ(s.Disziplinen.last(), QStringLiteral("9.90"));
    EXPECT_EQ(s.Disziplinen.first(), QStringLiteral("1.10"));
}

TEST_F(SettingsFaultsTest, FileBeyondAnySensibleSizeIsLeftAlone)
{
    const QByteArray start = "[Options]\r\nScheibenanzahl=12\r\n";
    writeIni(start);
    {
        // Sparse where the file system allows: no time or disk spent on it.
        QFile file(iniPath());
        ASSERT_TRUE(file.resize(100 * 1024 * 1024));
    }
    EXPECT_EQ(fields(load()), m_defaults);
    changeSettings();
    SettingsFile::EinstellungenSpeichern(FakeTargets(8));
    QFile file(iniPath());
    EXPECT_EQ(file.size(), 100 * 1024 * 1024);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(start.size()), start);
}

TEST_F(SettingsFaultsTest, SaveReplacesTheFileAndLeavesNothingBehind)
{
    const QByteArray original = "; Stand Nord\r\n[Options]\r\nScheibenanzahl=4\r\n";
    writeIni(original);
    load();
    changeSettings();
    SettingsFile::EinstellungenSpeichern(FakeTargets(4));
    const QByteArray saved = iniBytes();
    EXPECT_TRUE(saved.startsWith("; Stand Nord\r\n[Options]\r\n"));
    EXPECT_TRUE(saved.contains("Scheibenanzahl=40\r\n"));
    EXPECT_TRUE(saved.endsWith("Scheibe4=1.10\r\n"));
    EXPECT_EQ(folderEntries(), QStringList {QStringLiteral("omr_anzeige.ini")});
}

#ifdef Q_OS_UNIX

// Runs a save in a child process whose files may not grow beyond limit bytes,
// so that it breaks off in the middle of writing. With killed the child dies of
// the signal right there, as if the program were killed while saving; without
// it the write fails and the save must clean up. Returns the child's wait status.
int saveInChild(bool killed, rlim_t limit)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit noCore {0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
        const rlimit small {limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        SettingsFile::EinstellungenSpeichern(FakeTargets(40));
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

TEST_F(SettingsFaultsTest, PipeInPlaceOfTheFileDoesNotBlock)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(iniPath()).constData(), 0600), 0);
    EXPECT_EQ(fields(load()), m_defaults);
    changeSettings();
    SettingsFile::EinstellungenSpeichern(FakeTargets(8));
    EXPECT_FALSE(QFileInfo(iniPath()).isFile());
    EXPECT_EQ(folderEntries(), QStringList {QStringLiteral("omr_anzeige.ini")});
}

TEST_F(SettingsFaultsTest, KilledWhileSavingLeavesTheOldFileWhole)
{
    QByteArray original = "; Stand Nord\r\n[Options]\r\nScheibenanzahl=12\r\nWechselzeit=30\r\n";
    original += "[Scheibe]\r\nScheibe1=2.20\r\n";
    writeIni(original);
    load();
    changeSettings();

    const int status = saveInChild(true, 512);
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(iniBytes(), original);
    EXPECT_EQ(load().Scheibenanzahl, 12);
}

TEST_F(SettingsFaultsTest, FailedSaveLeavesTheOldFileWholeAndNoTemporaryFile)
{
    const QByteArray original = "[Options]\r\nScheibenanzahl=12\r\nWechselzeit=30\r\n";
    writeIni(original);
    load();
    changeSettings();

    const int status = saveInChild(false, 512);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(iniBytes(), original);
    EXPECT_EQ(folderEntries(), QStringList {QStringLiteral("omr_anzeige.ini")});

    // With room again, the next save goes through.
    SettingsFile::EinstellungenSpeichern(FakeTargets(40));
    EXPECT_EQ(load().Scheibenanzahl, 40);
    EXPECT_EQ(folderEntries(), QStringList {QStringLiteral("omr_anzeige.ini")});
}

#endif

} // namespace
