#include "frame_fakes.h"
#include "platform/FileLookup.h"
#include "platform/ProgramInfo.h"
#include "shell/ProgramState.h"
#include "shell/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ProgramState::reset();
        ProgramInfo::setDirectoryForTest(dir());
    }
    void TearDown() override { ProgramInfo::setDirectoryForTest(QString()); }

    QString dir() const { return QDir::toNativeSeparators(m_dir.path()); }
    QString iniPath() const { return FileLookup::join(dir(), QStringLiteral("omr_anzeige.ini")); }

    void writeIni(const QByteArray& text)
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    QStringList iniLines() const
    {
        QFile file(iniPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLatin1(file.readAll()).split(QRegularExpression(QStringLiteral("\r?\n")));
        lines.removeAll(QString());
        return lines;
    }
    Einstellungen& load()
    {
        SettingsFile::EinstellungenLaden();
        return ProgramState::instance().settings;
    }
    Einstellungen& loadOptions(const QByteArray& keys) // "Key=Value" lines of section Options
    {
        writeIni("[Options]\r\n" + keys);
        return load();
    }

    QTemporaryDir m_dir;
};

TEST_F(SettingsFileTest, MissingFileGivesTheDefaults)
{
    const Einstellungen& s = load();
    EXPECT_EQ(s.Scheibenanzahl, 8);
    EXPECT_EQ(s.ScheibenProSeite, 8);
    EXPECT_EQ(s.Wechselzeit, 60);
    EXPECT_EQ(s.Blaettern, 0);
    EXPECT_EQ(s.AnfEnde, 0);
    EXPECT_EQ(s.AnfScheibe, 1);
    EXPECT_EQ(s.EndScheibe, 8);
    EXPECT_EQ(s.VerbindungsArt, 1);
    EXPECT_EQ(s.SerienAnzeige, 1);
    EXPECT_EQ(s.AusfAnzeige, 1);
    EXPECT_EQ(s.ZehntelAnzeige, 1);
    EXPECT_EQ(s.TrefferVergroessern, 1);
    EXPECT_EQ(s.AutoZoom, 1);
    EXPECT_DOUBLE_EQ(s.FarbeProbeEcke, 1);
    EXPECT_EQ(s.Sprache, 1);
    EXPECT_EQ(s.BuliAnordnung, 1);
    EXPECT_EQ(s.SerienErgebnisse, 1);
    EXPECT_EQ(s.BildSchirm, 0);
    EXPECT_EQ(s.BildAufloesung, 0);
    EXPECT_EQ(s.KORVUDisziID, 1);
    EXPECT_EQ(s.KORVUWKID, 1);
    EXPECT_EQ(s.VTXServerID, 1);
    EXPECT_EQ(s.RanglisteAn, 0);
    EXPECT_EQ(s.WerbeZeit, 0);
    EXPECT_EQ(s.NetzwerkPfad, dir());
    EXPECT_EQ(s.KORVUPfad, dir());
    EXPECT_EQ(s.Disziplinen, QStringList(8, QStringLiteral("1.10")));
    EXPECT_EQ(ProgramState::instance().pages.Seitenanzahl, 0);
}

struct CountCase {
    const char* value;
    int expected;
};

class TargetCountTest : public SettingsFileTest, public ::testing::WithParamInterface<CountCase> { };

TEST_P(TargetCountTest, OnlyPositiveCountsThatFitAByteAreTaken)
{
    const Einstellungen& s = loadOptions(QByteArray("Scheibenanzahl=") + GetParam().value + "\r\n");
    EXPECT_EQ(s.Scheibenanzahl, GetParam().expected);
    EXPECT_EQ(s.Disziplinen.size(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, TargetCountTest,
    ::testing::Values(CountCase {"0", 8}, CountCase {"-1", 8}, CountCase {"300", 8}, CountCase {"256", 8},
        CountCase {"255", 255}, CountCase {"12", 12}, CountCase {"zwoelf", 8}, CountCase {"3 Bahnen", 3}));

TEST_F(SettingsFileTest, RangeOfShownTargetsIsCheckedAgainstTheCount)
{
    const Einstellungen& s = loadOptions("Scheibenanzahl=10\r\nAnfScheibe=12\r\nEndScheibe=12\r\n");
    EXPECT_EQ(s.AnfScheibe, 1);
    EXPECT_EQ(s.EndScheibe, 10);
}

TEST_F(SettingsFileTest, NonPositiveEndBecomesEightThenAtMostTheCount)
{
    EXPECT_EQ(loadOptions("Scheibenanzahl=10\r\nEndScheibe=0\r\n").EndScheibe, 8);
    ProgramState::reset();
    EXPECT_EQ(loadOptions("Scheibenanzahl=5\r\nEndScheibe=-3\r\n").EndScheibe, 5);
    ProgramState::reset();
    const Einstellungen& s = loadOptions("Scheibenanzahl=10\r\nAnfScheibe=7\r\nEndScheibe=4\r\n");
    // Nothing makes the first shown target lie before the last one.
    EXPECT_EQ(s.AnfScheibe, 7);
    EXPECT_EQ(s.EndScheibe, 4);
}

TEST_F(SettingsFileTest, ChecksReplaceValuesOutsideTheirRange)
{
    const Einstellungen& s = loadOptions("BildAufloesung=5\r\nBildSchirm=3\r\nRanglisteAn=1\r\nBlaettern=2\r\n"
                                         "SerienAnzeige=7\r\nVerbindungsArt=0\r\nTrefferkreuze=1\r\n"
                                         "Wechselzeit=-5\r\nAnzeigeServerNr=2\r\nAutoZoom=0\r\n");
    EXPECT_EQ(s.BildAufloesung, 1);
    EXPECT_EQ(s.BildSchirm, 0);
    EXPECT_EQ(s.RanglisteAn, 0);
    EXPECT_EQ(s.Blaettern, 0);
    EXPECT_EQ(s.SerienAnzeige, 1);
    EXPECT_EQ(s.VerbindungsArt, 0);
    EXPECT_EQ(s.Trefferkreuze, 1);
    EXPECT_EQ(s.Wechselzeit, 60);
    EXPECT_EQ(s.AnzeigeServerNr, 0);
    EXPECT_EQ(s.AutoZoom, 0);
}

TEST_F(SettingsFileTest, ValuesThatDoNotFitTheirFieldAreNotStored)
{
    const Einstellungen& s = loadOptions("Wechselzeit=70000\r\nNummeriert=65537\r\nWerbeZeit=256\r\n"
                                         "KORVUDisziID=40000\r\nKORVUKlassenNr=-32768\r\nSprache=-1\r\n"
                                         "BildAufloesung=102\r\nBildSchirm=2\r\n");
    EXPECT_EQ(s.Wechselzeit, 60);
    EXPECT_EQ(s.Nummeriert, 0);
    EXPECT_EQ(s.WerbeZeit, 0);
    EXPECT_EQ(s.KORVUDisziID, 0);
    EXPECT_EQ(s.KORVUKlassenNr, -32768);
    EXPECT_EQ(s.Sprache, 0);
    EXPECT_EQ(s.BildAufloesung, 102);
    EXPECT_EQ(s.BildSchirm, 2);
}

TEST_F(SettingsFileTest, ColourOfTheSightingCornerMustBePositive)
{
    EXPECT_DOUBLE_EQ(loadOptions("FarbeProbeEcke=255\r\n").FarbeProbeEcke, 255);
    EXPECT_DOUBLE_EQ(loadOptions("FarbeProbeEcke=0.5\r\n").FarbeProbeEcke, 0.5);
    EXPECT_DOUBLE_EQ(loadOptions("FarbeProbeEcke=16711680\r\n").FarbeProbeEcke, 16711680);
    EXPECT_DOUBLE_EQ(loadOptions("FarbeProbeEcke=-3\r\n").FarbeProbeEcke, 0);
    EXPECT_DOUBLE_EQ(loadOptions("FarbeProbeEcke=\r\n").FarbeProbeEcke, 0);
    EXPECT_DOUBLE_EQ(loadOptions("FarbeProbeEcke=rot\r\n").FarbeProbeEcke, 0);
}

TEST_F(SettingsFileTest, PathKeysMustNameAnExistingDirectory)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("Austausch")));
    const QString exchange = FileLookup::join(dir(), QStringLiteral("Austausch"));
    const QString missing = FileLookup::join(dir(), QStringLiteral("fehlt"));
    const Einstellungen& s
        = loadOptions("NetzwerkPfad=" + missing.toUtf8() + "\r\nKORVUPfad=" + exchange.toUtf8() + "\r\n");
    EXPECT_EQ(s.NetzwerkPfad, dir());
    EXPECT_EQ(s.KORVUPfad, exchange);

    ProgramState::reset();
    const Einstellungen& t = loadOptions("NetzwerkPfad=\r\nKORVUPfad=" + exchange.toUpper().toUtf8() + "\r\n");
    EXPECT_EQ(t.NetzwerkPfad, dir());
    // Found whatever the letter case: the directory that exists is used.
    EXPECT_TRUE(QDir(t.KORVUPfad).exists());
}

TEST_F(SettingsFileTest, MissingExchangeDirectoryIsWrittenBackAsTheProgramDirectory)
{
    writeIni("[Options]\r\nNetzwerkPfad=" + FileLookup::join(dir(), QStringLiteral("weg")).toUtf8() + "\r\n");
    load();
    SettingsFile::EinstellungenSpeichern(FakeTargets(8));
    EXPECT_TRUE(iniLines().contains(QStringLiteral("NetzwerkPfad=") + dir()));
}

TEST_F(SettingsFileTest, DisciplineTableComesFromSectionScheibe)
{
    writeIni("[Options]\r\nScheibenanzahl=4\r\n[Scheibe]\r\nScheibe1=2.20\r\nScheibe3=  4.40  \r\n"
             "Scheibe4=1234567890123\r\nScheibe5=9.99\r\n");
    const Einstellungen& s = load();
    EXPECT_EQ(s.Disziplinen,
        (QStringList {
            QStringLiteral("2.20"), QStringLiteral("1.10"), QStringLiteral("4.40"), QStringLiteral("123456789")}));
}

TEST_F(SettingsFileTest, PagingOnBuildsThePageTable)
{
    loadOptions("Scheibenanzahl=10\r\nScheibenProSeite=4\r\nBlaettern=1\r\n");
    const ProgramState& state = ProgramState::instance();
    EXPECT_EQ(state.settings.Blaettern, 1);
    EXPECT_EQ(state.pages.Seitenanzahl, 3);
    EXPECT_EQ(state.pages.SeitenZaehler, 3);

    ProgramState::reset();
    loadOptions("Scheibenanzahl=8\r\nScheibenProSeite=8\r\nBlaettern=1\r\n");
    EXPECT_EQ(ProgramState::instance().settings.Blaettern, 0);
}

TEST_F(SettingsFileTest, TextKeysAreTakenAsTheyStand)
{
    const Einstellungen& s = loadOptions("RLTitel=Kreismeisterschaft 2002, Luftgewehr\r\n");
    EXPECT_EQ(s.RLTitel, QStringLiteral("Kreismeisterschaft 2002, Luftgewehr"));
}

TEST_F(SettingsFileTest, SaveWritesEveryKeyInItsOrder)
{
    Einstellungen& s = load();
    s.FarbeProbeEcke = 0.5;
    s.Wechselzeit = 120;
    s.RLTitel = QStringLiteral("Finale");
    SettingsFile::EinstellungenSpeichern(FakeTargets(8));

    const QStringList lines = iniLines();
    QStringList keys;
    for (const QString& line : lines)
        keys << line.section(QLatin1Char('='), 0, 0);
    const QStringList expected {QStringLiteral("[Options]"), QStringLiteral("Trefferkreuze"),
        QStringLiteral("AusfAnzeige"), QStringLiteral("Scheibenanzahl"), QStringLiteral("ScheibenProSeite"),
        QStringLiteral("Wechselzeit"), QStringLiteral("Blaettern"), QStringLiteral("Trefferkreise"),
        QStringLiteral("Nummeriert"), QStringLiteral("MittlereLage"), QStringLiteral("SerienAnzeige"),
        QStringLiteral("ZehntelAnzeige"), QStringLiteral("AnfScheibe"), QStringLiteral("EndScheibe"),
        QStringLiteral("AnfEnde"), QStringLiteral("TrefferVergroessern"), QStringLiteral("AutoZoom"),
        QStringLiteral("VerbindungsArt"), QStringLiteral("Sprache"), QStringLiteral("BildSchirm"),
        QStringLiteral("BildAufloesung"), QStringLiteral("NetzwerkPfad"), QStringLiteral("Schnellanzeige"),
        QStringLiteral("BuliAnordnung"), QStringLiteral("SerienErgebnisse"), QStringLiteral("FarbeProbeEcke"),
        QStringLiteral("AnzeigeServerNr"), QStringLiteral("KORVUDisziID"), QStringLiteral("KORVUKlassenNr"),
        QStringLiteral("KORVUMannschaft"), QStringLiteral("KORVUPfad"), QStringLiteral("KORVUWKID"),
        QStringLiteral("VTXServerID"), QStringLiteral("RanglisteAn"), QStringLiteral("RangUndScheibe"),
        QStringLiteral("RLTitel"), QStringLiteral("chkEinZeilig"), QStringLiteral("FreieWerbung"),
        QStringLiteral("WerbeZeit"), QStringLiteral("WerbePause"), QStringLiteral("VergroessernAus"),
        QStringLiteral("[Scheibe]"), QStringLiteral("Scheibe1"), QStringLiteral("Scheibe2"), QStringLiteral("Scheibe3"),
        QStringLiteral("Scheibe4"), QStringLiteral("Scheibe5"), QStringLiteral("Scheibe6"), QStringLiteral("Scheibe7"),
        QStringLiteral("Scheibe8")};
    EXPECT_EQ(keys, expected);
    EXPECT_TRUE(lines.contains(QStringLiteral("FarbeProbeEcke=0.5")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Wechselzeit=120")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Scheibenanzahl=8")));
    EXPECT_TRUE(lines.contains(QStringLiteral("RLTitel=Finale")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Scheibe8=1.10")));
}

TEST_F(SettingsFileTest, SaveTouchesOnlyTheDisciplinesOfExistingTargets)
{
    writeIni("; Schiessstand Nord\r\n[Options]\r\nScheibenanzahl=3\r\n[Scheibe]\r\nScheibe1=1.10\r\n"
             "; alte Bahnen\r\nScheibe4=7.70\r\nScheibe12=8.80\r\n");
    load();
    FakeTargets targets(3);
    targets.at(1)->setDisziplinNr(QStringLiteral("2.20"));
    targets.at(3)->setDisziplinNr(QStringLiteral("3.30"));
    SettingsFile::EinstellungenSpeichern(targets);

    const QStringList lines = iniLines();
    EXPECT_EQ(lines.first(), QStringLiteral("; Schiessstand Nord"));
    EXPECT_TRUE(lines.contains(QStringLiteral("; alte Bahnen")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Scheibe1=2.20")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Scheibe2=1.10")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Scheibe3=3.30")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Scheibe4=7.70")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Scheibe12=8.80")));
}

TEST_F(SettingsFileTest, LaneWithoutWindowKeepsItsKey)
{
    writeIni("[Scheibe]\r\nScheibe9=5.50\r\n");
    Einstellungen& s = load();
    // Raised in the options dialog; the windows of the new lanes do not exist yet.
    s.Scheibenanzahl = 10;
    SettingsFile::EinstellungenSpeichern(FakeTargets(8));
    const QStringList lines = iniLines();
    EXPECT_TRUE(lines.contains(QStringLiteral("Scheibenanzahl=10")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Scheibe8=1.10")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Scheibe9=5.50")));
    EXPECT_FALSE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("Scheibe10=")));
}

TEST_F(SettingsFileTest, SavedRecordLoadsBackUnchanged)
{
    Einstellungen& s = loadOptions("Scheibenanzahl=12\r\nScheibenProSeite=6\r\nBlaettern=1\r\nAnfEnde=1\r\n"
                                   "AnfScheibe=3\r\nEndScheibe=9\r\nBildSchirm=1\r\nBildAufloesung=102\r\n"
                                   "FarbeProbeEcke=65280\r\nKORVUKlassenNr=-4\r\nRLTitel=Finale\r\n"
                                   "WerbeZeit=30\r\nchkEinZeilig=1\r\n");
    const Einstellungen before = s;
    SettingsFile::EinstellungenSpeichern(FakeTargets(12));
    ProgramState::reset();
    const Einstellungen& after = load();
    EXPECT_EQ(after.Scheibenanzahl, before.Scheibenanzahl);
    EXPECT_EQ(after.ScheibenProSeite, before.ScheibenProSeite);
    EXPECT_EQ(after.Blaettern, before.Blaettern);
    EXPECT_EQ(after.AnfScheibe, 3);
    EXPECT_EQ(after.EndScheibe, 9);
    EXPECT_EQ(after.BildAufloesung, 102);
    EXPECT_DOUBLE_EQ(after.FarbeProbeEcke, 65280);
    EXPECT_EQ(after.KORVUKlassenNr, -4);
    EXPECT_EQ(after.RLTitel, QStringLiteral("Finale"));
    EXPECT_EQ(after.WerbeZeit, 30);
    EXPECT_EQ(after.chkEinZeilig, 1);
    EXPECT_EQ(after.Disziplinen, before.Disziplinen);
}

} // namespace
