#include "platform/ProfileDocument.h"
#include "platform/SequentialFile.h"
#include "support/TestDialogs.h"
#include "target/DefinitionFiles.h"
#include "target_test_support.h"

#include <QRegularExpression>

namespace {

using namespace DefinitionFiles;

class DefinitionFilesTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        TestDialogs::clear();
    }

    // Key names of a saved profile file in the order they stand.
    QStringList keysOf(const QString& name) const
    {
        QStringList keys;
        const QString text = QString::fromLatin1(readTestFile(path(name)));
        for (const auto& m :
            QRegularExpression(QStringLiteral("^(\\w+)="), QRegularExpression::MultilineOption).globalMatch(text))
            keys.append(m.captured(1));
        return keys;
    }
};

TEST_F(DefinitionFilesTest, MissingProfileKeysTakeTheirDefaults)
{
    WettbewerbsDaten w;
    HD_Laden(write(QStringLiteral("w.ini"), "[XWettbewerb]\r\nKennNummer=7\r\n"), w);
    EXPECT_EQ(w.Bezeichnung, TaggedValue(QStringLiteral("Bezeichnung")));
    EXPECT_TRUE(w.SchussZahl.isInteger());
    EXPECT_EQ(w.SchussZahl.toDouble(), 1);
    EXPECT_EQ(w.KennNummer.toDouble(), 7);
    EXPECT_EQ(w.Zeit[3], TaggedValue(QStringLiteral("Zeit4")));
    EXPECT_EQ(w.Serien[3].toDouble(), 1);
    EXPECT_TRUE(w.Zusatzfeld.isEmpty());

    ScheibenDaten s;
    HS_Laden(write(QStringLiteral("s.ini"), "[Rscheibe]\r\nRingbreite=250\r\n"), s);
    EXPECT_EQ(s.Probe.toDouble(), -1);
    EXPECT_TRUE(s.AussenRadius.isInteger());
    EXPECT_EQ(s.AussenRadius.toDouble(), 0);
    EXPECT_EQ(s.Ringbreite.toDouble(), 250);
    EXPECT_EQ(s.Bezeichnung.toString(), QStringLiteral("Bezeichnung"));
    EXPECT_EQ(s.DateiName.toString(), QStringLiteral("DateiName"));
}

TEST_F(DefinitionFilesTest, MissingProfileFileChangesNothing)
{
    ScheibenDaten d;
    d.Ringbreite = TaggedValue(12.5);
    HS_Laden(path(QStringLiteral("fehlt.ini")), d);
    EXPECT_EQ(d.Ringbreite, TaggedValue(12.5));
    EXPECT_TRUE(d.Probe.isEmpty());
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

TEST_F(DefinitionFilesTest, TargetSurvivesSaveAndLoadExceptEmptyFields)
{
    ScheibenDaten out;
    for (int n = 0; n < int(std::size(kScheibeFelder)); ++n)
        out.*kScheibeFelder[n] = isScheibeText(n) ? TaggedValue(QStringLiteral("Text %1").arg(n)) : TaggedValue(n - 3);
    out.Probe = TaggedValue();
    out.ZoomLevels = TaggedValue();
    out.HinterGrundBildDatei = TaggedValue(QString());
    HS_Speichern(path(QStringLiteral("s.ini")), out);

    const QStringList keys = keysOf(QStringLiteral("s.ini"));
    ASSERT_EQ(keys.size(), 29);
    EXPECT_EQ(keys.first(), QStringLiteral("Bezeichnung"));
    EXPECT_EQ(keys.last(), QStringLiteral("DateiName"));

    ScheibenDaten in;
    HS_Laden(path(QStringLiteral("s.ini")), in);
    EXPECT_EQ(in.Probe, TaggedValue(-1));
    EXPECT_EQ(in.ZoomLevels, TaggedValue(0));
    EXPECT_EQ(in.HinterGrundBildDatei, TaggedValue(QStringLiteral("HinterGrundBildDatei")));
    out.Probe = in.Probe;
    out.ZoomLevels = in.ZoomLevels;
    out.HinterGrundBildDatei = in.HinterGrundBildDatei;
    for (int n = 0; n < int(std::size(kScheibeFelder)); ++n)
        EXPECT_EQ(in.*kScheibeFelder[n], out.*kScheibeFelder[n]) << n;
}

TEST_F(DefinitionFilesTest, CompetitionAndClassSurviveSaveAndLoad)
{
    WettbewerbsDaten out;
    out.Bezeichnung = TaggedValue(QStringLiteral("Luftgewehr 10 m"));
    out.KennNummer = TaggedValue(110);
    out.SchussZahl = TaggedValue(60.0);
    out.DateiScheibe = TaggedValue(QStringLiteral("sd_lg10.def"));
    for (int n = 0; n < 4; ++n) {
        out.Zeit[n] = TaggedValue(QStringLiteral("%1 min").arg(n));
        out.SchussZahlen[n] = TaggedValue(20 + n);
        out.Position[n] = TaggedValue(QStringLiteral("P%1").arg(n));
        out.Serien[n] = TaggedValue(-n);
    }
    out.Zusatzfeld = TaggedValue(QStringLiteral("not a key"));
    HD_Speichern(path(QStringLiteral("w.ini")), out);
    const QStringList keys = keysOf(QStringLiteral("w.ini"));
    ASSERT_EQ(keys.size(), 35);
    EXPECT_EQ(keys.mid(15, 6),
        QStringList({QStringLiteral("ZeitenAnzahl"), QStringLiteral("Zeit1"), QStringLiteral("Zeit2"),
            QStringLiteral("Zeit3"), QStringLiteral("Zeit4"), QStringLiteral("SchussAnzahl")}));
    EXPECT_EQ(keys.last(), QStringLiteral("Serien4"));

    WettbewerbsDaten in;
    HD_Laden(path(QStringLiteral("w.ini")), in);
    EXPECT_EQ(in.Bezeichnung, out.Bezeichnung);
    EXPECT_EQ(in.KennNummer, out.KennNummer);
    EXPECT_EQ(in.SchussZahl, out.SchussZahl);
    EXPECT_EQ(in.DateiScheibe, out.DateiScheibe);
    EXPECT_EQ(in.Zeit, out.Zeit);
    EXPECT_EQ(in.SchussZahlen, out.SchussZahlen);
    EXPECT_EQ(in.Position, out.Position);
    EXPECT_EQ(in.Serien, out.Serien);
    EXPECT_TRUE(in.Zusatzfeld.isEmpty());
    // Left empty: RegelNummer (text) and WertungsRadius (number).
    EXPECT_EQ(in.RegelNummer.toString(), QStringLiteral("RegelNummer"));
    EXPECT_EQ(in.WertungsRadius, TaggedValue(1));

    KlassenDaten klasse;
    klasse.RegelNummer = TaggedValue(QStringLiteral("0.10.30"));
    klasse.AlterMin = TaggedValue(19);
    HK_Speichern(path(QStringLiteral("k.ini")), klasse);
    KlassenDaten back;
    HK_Laden(path(QStringLiteral("k.ini")), back);
    EXPECT_EQ(back.RegelNummer, klasse.RegelNummer);
    EXPECT_EQ(back.AlterMin, klasse.AlterMin);
}

TEST_F(DefinitionFilesTest, WeaponKeysIgnoreCaseAndSavingKeepsTheRestOfTheFile)
{
    const QString file = write(QStringLiteral("x.ini"),
        "; Kommentar\r\n[Andere]\r\nA=1\r\n[ xwaffe ]\r\n  anzeigeradius = 225 \r\nkaliber=9\r\nFremd=ja\r\n");
    WaffenDaten d;
    HW_Laden(file, d);
    EXPECT_EQ(d.AnzeigeRadius.toDouble(), 225);
    EXPECT_EQ(d.Bezeichnung.toString(), QStringLiteral("Bezeichnung"));
    d.Kaliber = TaggedValue(4.5);
    d.Bezeichnung = TaggedValue(QStringLiteral("LP 4,5"));
    HW_Speichern(file, d);
    const QString saved = QString::fromLatin1(readTestFile(file));
    EXPECT_TRUE(saved.contains(QStringLiteral("; Kommentar")));
    EXPECT_TRUE(saved.contains(QStringLiteral("Fremd=ja")));
    EXPECT_EQ(GetPrivateProfileInt(QStringLiteral("Andere"), QStringLiteral("A"), 0, file), 1);
    EXPECT_EQ(saved.count(QStringLiteral("Kaliber"), Qt::CaseInsensitive), 1);
    WaffenDaten back;
    HW_Laden(file, back);
    EXPECT_EQ(back.Kaliber.toDouble(), 4); // whole numbers only in profile files
    EXPECT_EQ(back.Bezeichnung.toString(), QStringLiteral("LP 4,5"));
}

TEST(DisciplineTable, ChoosesTheCompetitionFileByExactNumber)
{
    const char* const rows[][2]
        = {{"1.10", "hd_1-10.def"}, {"1.40", "hd_1-40.def"}, {"1.52", "hd_1-50.def"}, {"2.10", "hd_2-10.def"},
            {"2.20", "hd_2-20.def"}, {"2.40D", "hd_2-40d.def"}, {"2.40P", "hd_2-40p.def"}, {"2.50D", "hd_2-50d.def"},
            {"2.50P", "hd_2-50p.def"}, {"2.60", "hd_2-60.def"}, {"2.40d", "hd_1-10.def"}, {"2.50p", "hd_1-10.def"},
            {"1.50", "hd_1-10.def"}, {"", "hd_1-10.def"}, {" 1.40", "hd_1-10.def"}, {"1.40 ", "hd_1-10.def"}};
    for (const auto& row : rows)
        EXPECT_EQ(wettbewerbsDateiFuer(QLatin1String(row[0])), QLatin1String(row[1])) << row[0];
}

TEST_F(DefinitionFilesTest, MissingCompetitionFileShowsTheBoxAndGivesAnEmptyRecord)
{
    const QString file = path(QStringLiteral("hd_9-99.def"));
    const WettbewerbsDaten d = LadeWettbewerbsDatei(file);
    ASSERT_EQ(TestDialogs::messages().size(), 1);
    const Dialogs::MessageRequest& box = TestDialogs::messages().first();
    EXPECT_EQ(box.icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(box.title, QStringLiteral("Wettbewerbsdaten laden"));
    EXPECT_EQ(box.text, QStringLiteral("Datei existiert nicht: ") + file);
    EXPECT_TRUE(d.Bezeichnung.isEmpty());
    EXPECT_TRUE(d.DateiScheibe.isEmpty());
}

TEST_F(DefinitionFilesTest, CompetitionFileIsFoundWhateverTheCaseAndFillsAFreshRecord)
{
    write(QStringLiteral("HD_1-10.DEF"),
        "\"Luftgewehr 10 m\",110,\"1.10\"\r\n225,450,450\r\n60,0,\"75 min\",15,1,\"stehend\",10\r\n"
        "\"wd_lg.def\",\"sd_lg10.def\"\r\n1,\"75 min\",\"\",\"\",\"\"\r\n1,60,0,0,0\r\n"
        "1,\"stehend\",\"\",\"\",\"\"\r\n1,6,0,0,7\r\n");
    const WettbewerbsDaten d = LadeWettbewerbsDatei(path(QStringLiteral("hd_1-10.def")));
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
    EXPECT_EQ(d.Bezeichnung, TaggedValue(QStringLiteral("Luftgewehr 10 m")));
    EXPECT_TRUE(d.KennNummer.isNumber() && !d.KennNummer.isInteger());
    EXPECT_EQ(d.KennNummer.toDouble(), 110);
    EXPECT_EQ(d.SchussZahl.toDouble(), 60);
    EXPECT_EQ(d.Serienlaenge.toDouble(), 10);
    EXPECT_EQ(d.DateiWaffe.toString(), QStringLiteral("wd_lg.def"));
    EXPECT_EQ(d.DateiScheibe.toString(), QStringLiteral("sd_lg10.def"));
    EXPECT_EQ(d.Position[0].toString(), QStringLiteral("stehend"));
    EXPECT_EQ(d.Serien[3].toDouble(), 7);
    EXPECT_TRUE(d.Zusatzfeld.isEmpty());

    const WettbewerbsDaten kurz = LadeWettbewerbsDatei(write(QStringLiteral("k.def"), "\"Kurz\",5,\"R\"\r\n225,450"));
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
    EXPECT_EQ(kurz.MaximalerDurchmesser.toDouble(), 450);
    EXPECT_TRUE(kurz.MinimalerDurchmesser.isEmpty());
}

TEST_F(DefinitionFilesTest, TargetFileOverwritesItsFieldsOnly)
{
    ScheibenDaten d;
    d.ZoomLevels = TaggedValue(3);
    d.OffsetX = TaggedValue(17);
    LadeScheibenDaten(write(QStringLiteral("sd.def"),
                          "\"Luftgewehr 10 m\"\r\n1,2\r\n2275,1525,25,0,0,1\r\n3,4,5,6\r\n"
                          "250,1,8,10,7\r\n8000,7900\r\n-1,9\r\n42\r\n"),
        d);
    EXPECT_EQ(d.Bezeichnung.toString(), QStringLiteral("Luftgewehr 10 m"));
    EXPECT_TRUE(d.AussenRadius.isNumber() && !d.AussenRadius.isInteger());
    EXPECT_EQ(d.AussenRadius.toDouble(), 2275);
    EXPECT_EQ(d.InnenKreuzRadius.toDouble(), 3);
    EXPECT_EQ(d.Ringbreite.toDouble(), 250);
    EXPECT_EQ(d.RingNummerWinkel.toDouble(), 7);
    EXPECT_EQ(d.KartonHoehe.toDouble(), 7900);
    EXPECT_EQ(d.Probe.toDouble(), -1);
    EXPECT_EQ(d.DateiName.toDouble(), 42);
    EXPECT_EQ(d.ZoomLevels.toDouble(), 3);
    // Resetting the offsets belongs to the window, not to the file reader.
    EXPECT_EQ(d.OffsetX.toDouble(), 17);
}

TEST_F(DefinitionFilesTest, ShortOrMissingTargetAndWeaponFilesThrowAfterWhatTheyHad)
{
    ScheibenDaten s;
    s.KartonBreite = TaggedValue(5);
    EXPECT_THROW(LadeScheibenDaten(write(QStringLiteral("sd.def"), "\"Kurz\"\r\n1,2,300\r\n"), s), SequentialReadError);
    EXPECT_EQ(s.AussenRadius.toDouble(), 300);
    EXPECT_TRUE(s.SpiegelRadius.isEmpty());
    EXPECT_EQ(s.KartonBreite, TaggedValue(5));
    EXPECT_THROW(LadeScheibenDaten(path(QStringLiteral("fehlt.def")), s), SequentialReadError);
    EXPECT_EQ(s.Bezeichnung.toString(), QStringLiteral("Kurz"));

    WaffenDaten w;
    LadeWaffenDatei(write(QStringLiteral("WD_LG.DEF"), "\"Luftgewehr 4,5 mm\"\r\n1,225,450,177,3\r\n"), w);
    EXPECT_EQ(w.Bezeichnung.toString(), QStringLiteral("Luftgewehr 4,5 mm"));
    EXPECT_EQ(w.AnzeigeRadius.toDouble(), 225);
    EXPECT_EQ(w.MikrofonEinstellung.toDouble(), 3);
    WaffenDaten kurz;
    EXPECT_THROW(LadeWaffenDatei(write(QStringLiteral("k.def"), "\"LP\",2,225"), kurz), SequentialReadError);
    EXPECT_EQ(kurz.AnzeigeRadius.toDouble(), 225);
    EXPECT_TRUE(kurz.Durchmesser.isEmpty());
    EXPECT_THROW(LadeWaffenDatei(path(QStringLiteral("fehlt.def")), kurz), SequentialReadError);
    EXPECT_EQ(kurz.AnzeigeRadius.toDouble(), 225);
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

} // namespace
