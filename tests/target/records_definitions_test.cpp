#include "platform/FileLookup.h"
#include "platform/ProfileDocument.h"
#include "platform/SequentialFile.h"
#include "support/TestDialogs.h"
#include "target/DefinitionFiles.h"
#include "target/TargetRecords.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <ostream>

void PrintTo(const TaggedValue& value, std::ostream* os)
{
    *os << (value.isText()      ? "text "
            : value.isInteger() ? "int "
            : value.isNumber()  ? "double "
                                : "empty ")
        << value.toString().toStdString();
}

namespace
{

using namespace DefinitionFiles;

class DefinitionFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        TestDialogs::clear();
    }

    QString path(const QString& name) const { return FileLookup::join(m_dir.path(), name); }

    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QByteArray readFile(const QString& name) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    // Key names of one section in the order they stand in the file.
    QStringList keysOf(const QString& name, const QString& section) const
    {
        QStringList keys;
        bool inside = false;
        for (const QByteArray& raw : readFile(name).split('\n')) {
            const QString line = QString::fromLatin1(raw).trimmed();
            if (line.startsWith(QLatin1Char('['))) {
                inside = line.compare(QLatin1Char('[') + section + QLatin1Char(']'), Qt::CaseInsensitive) == 0;
                continue;
            }
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (inside && eq > 0)
                keys.append(line.left(eq).trimmed());
        }
        return keys;
    }

    QTemporaryDir m_dir;
};

// Keys of the target section in file order, with the field each one fills.
struct ScheibeKey {
    const char* key;
    TaggedValue ScheibenDaten::*field;
    bool text;
};

const ScheibeKey kScheibeKeys[] = {
    {"Bezeichnung", &ScheibenDaten::Bezeichnung, true},
    {"ScheibenArt", &ScheibenDaten::ScheibenArt, false},
    {"KennNummer", &ScheibenDaten::KennNummer, false},
    {"AussenRadius", &ScheibenDaten::AussenRadius, false},
    {"SpiegelRadius", &ScheibenDaten::SpiegelRadius, false},
    {"ZehnerRadius", &ScheibenDaten::ZehnerRadius, false},
    {"ZehnerRingStyle", &ScheibenDaten::ZehnerRingStyle, false},
    {"InnenZehnerRadius", &ScheibenDaten::InnenZehnerRadius, false},
    {"InnenZehnerRingStyle", &ScheibenDaten::InnenZehnerRingStyle, false},
    {"InnenKreuzRadius", &ScheibenDaten::InnenKreuzRadius, false},
    {"InnenKreuzWinkel", &ScheibenDaten::InnenKreuzWinkel, false},
    {"VorhalteSpiegelRadius", &ScheibenDaten::VorhalteSpiegelRadius, false},
    {"VorhalteAbstand", &ScheibenDaten::VorhalteAbstand, false},
    {"Ringbreite", &ScheibenDaten::Ringbreite, false},
    {"RingMin", &ScheibenDaten::RingMin, false},
    {"RingMax", &ScheibenDaten::RingMax, false},
    {"RingAnzahl", &ScheibenDaten::RingAnzahl, false},
    {"RingNummerWinkel", &ScheibenDaten::RingNummerWinkel, false},
    {"KartonBreite", &ScheibenDaten::KartonBreite, false},
    {"KartonHoehe", &ScheibenDaten::KartonHoehe, false},
    {"Probe", &ScheibenDaten::Probe, false},
    {"BandVorschub", &ScheibenDaten::BandVorschub, false},
    {"OffsetX", &ScheibenDaten::OffsetX, false},
    {"OffsetY", &ScheibenDaten::OffsetY, false},
    {"ZoomZentrumX", &ScheibenDaten::ZoomZentrumX, false},
    {"ZoomZentrumY", &ScheibenDaten::ZoomZentrumY, false},
    {"ZoomLevels", &ScheibenDaten::ZoomLevels, false},
    {"HinterGrundBildDatei", &ScheibenDaten::HinterGrundBildDatei, true},
    {"DateiName", &ScheibenDaten::DateiName, true},
};

TEST_F(DefinitionFilesTest, MissingCompetitionKeysTakeTheirDefaults)
{
    const QString file = writeFile(QStringLiteral("w.ini"), "[XWettbewerb]\r\nKennNummer=7\r\n");
    WettbewerbsDaten d;
    HD_Laden(file, d);
    EXPECT_EQ(d.Bezeichnung, TaggedValue(QStringLiteral("Bezeichnung")));
    EXPECT_TRUE(d.SchussZahl.isInteger());
    EXPECT_EQ(d.SchussZahl.toDouble(), 1);
    EXPECT_EQ(d.KennNummer.toDouble(), 7);
    EXPECT_EQ(d.Zeit[3], TaggedValue(QStringLiteral("Zeit4")));
    EXPECT_EQ(d.Serien[3].toDouble(), 1);
    EXPECT_TRUE(d.Zusatzfeld.isEmpty());
}

TEST_F(DefinitionFilesTest, MissingTargetKeysTakeTheirDefaults)
{
    const QString file = writeFile(QStringLiteral("s.ini"), "[Rscheibe]\r\nRingbreite=250\r\n");
    ScheibenDaten d;
    HS_Laden(file, d);
    EXPECT_EQ(d.Probe.toDouble(), -1);
    EXPECT_TRUE(d.Probe.toBool());
    EXPECT_TRUE(d.AussenRadius.isInteger());
    EXPECT_EQ(d.AussenRadius.toDouble(), 0);
    EXPECT_EQ(d.Ringbreite.toDouble(), 250);
    EXPECT_EQ(d.Bezeichnung.toString(), QStringLiteral("Bezeichnung"));
    EXPECT_EQ(d.DateiName.toString(), QStringLiteral("DateiName"));
}

TEST_F(DefinitionFilesTest, SectionAndKeyNamesIgnoreCaseAndBlanks)
{
    const QString file = writeFile(QStringLiteral("wk.ini"),
        "[ xwaffe ]\r\n  anzeigeradius = 225 \r\n"
        "bezeichnung = \"LG 4,5\"\r\n"
        "[XKLASSE]\r\nALTERMAX=20\r\n");
    WaffenDaten waffe;
    HW_Laden(file, waffe);
    EXPECT_EQ(waffe.AnzeigeRadius.toDouble(), 225);
    EXPECT_EQ(waffe.Bezeichnung.toString(), QStringLiteral("LG 4,5"));
    EXPECT_EQ(waffe.Kaliber.toDouble(), 0);
    KlassenDaten klasse;
    HK_Laden(file, klasse);
    EXPECT_EQ(klasse.AlterMax.toDouble(), 20);
    EXPECT_EQ(klasse.AlterMin.toDouble(), 0);
    EXPECT_EQ(klasse.RegelNummer.toString(), QStringLiteral("RegelNummer"));
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

TEST_F(DefinitionFilesTest, ProfileTextIsCutToTheBuffer)
{
    const QByteArray longName(400, 'x');
    const QString file = writeFile(QStringLiteral("k.ini"), "[XKlasse]\r\nBezeichnung=" + longName + "\r\n");
    KlassenDaten d;
    HK_Laden(file, d);
    EXPECT_EQ(d.Bezeichnung.toString().size(), 254);
}

TEST_F(DefinitionFilesTest, TargetKeysFillTheirFieldsAndAreSavedInFileOrder)
{
    QByteArray text = "[Rscheibe]\r\n";
    for (int n = 0; n < int(std::size(kScheibeKeys)); ++n)
        text += QByteArray(kScheibeKeys[n].key) + '=' + QByteArray::number(100 + n) + "\r\n";
    // Stored in reverse so that the order of the saved file is ours, not the input's.
    QList<QByteArray> lines = text.split('\n');
    std::reverse(lines.begin() + 1, lines.end());
    const QString file = writeFile(QStringLiteral("s.ini"), lines.join('\n'));

    ScheibenDaten d;
    HS_Laden(file, d);
    for (int n = 0; n < int(std::size(kScheibeKeys)); ++n) {
        const TaggedValue& field = d.*kScheibeKeys[n].field;
        SCOPED_TRACE(kScheibeKeys[n].key);
        if (kScheibeKeys[n].text)
            EXPECT_EQ(field, TaggedValue(QString::number(100 + n)));
        else
            EXPECT_EQ(field, TaggedValue(std::int32_t(100 + n)));
    }

    HS_Speichern(path(QStringLiteral("neu.ini")), d);
    QStringList expected;
    for (const auto& key : kScheibeKeys)
        expected.append(QLatin1String(key.key));
    EXPECT_EQ(keysOf(QStringLiteral("neu.ini"), QStringLiteral("Rscheibe")), expected);
}

TEST_F(DefinitionFilesTest, CompetitionKeysAreSavedInFileOrder)
{
    WettbewerbsDaten d;
    HD_Speichern(path(QStringLiteral("w.ini")), d);
    const QStringList keys = keysOf(QStringLiteral("w.ini"), QStringLiteral("XWettbewerb"));
    ASSERT_EQ(keys.size(), 35);
    EXPECT_EQ(keys.first(), QStringLiteral("Bezeichnung"));
    EXPECT_EQ(keys.mid(15, 6),
        QStringList({QStringLiteral("ZeitenAnzahl"), QStringLiteral("Zeit1"), QStringLiteral("Zeit2"),
            QStringLiteral("Zeit3"), QStringLiteral("Zeit4"), QStringLiteral("SchussAnzahl")}));
    EXPECT_EQ(keys.last(), QStringLiteral("Serien4"));
    EXPECT_FALSE(keys.contains(QStringLiteral("Zusatzfeld")));
}

TEST_F(DefinitionFilesTest, CompetitionSurvivesSaveAndLoad)
{
    WettbewerbsDaten out;
    out.Bezeichnung = TaggedValue(QStringLiteral("Luftgewehr 10 m"));
    out.KennNummer = TaggedValue(std::int32_t(110));
    out.SchussZahl = TaggedValue(60.0);
    out.Serienlaenge = TaggedValue(std::int32_t(10));
    out.DateiScheibe = TaggedValue(QStringLiteral("sd_lg10.def"));
    for (int n = 0; n < 4; ++n) {
        out.Zeit[n] = TaggedValue(QStringLiteral("%1 min").arg(n));
        out.SchussZahlen[n] = TaggedValue(std::int32_t(20 + n));
        out.Position[n] = TaggedValue(QStringLiteral("P%1").arg(n));
        out.Serien[n] = TaggedValue(std::int32_t(-n));
    }
    // Left empty: RegelNummer (text) and WertungsRadius (number).
    const QString file = path(QStringLiteral("w.ini"));
    HD_Speichern(file, out);
    WettbewerbsDaten in;
    HD_Laden(file, in);
    EXPECT_EQ(in.Bezeichnung, out.Bezeichnung);
    EXPECT_EQ(in.KennNummer, out.KennNummer);
    EXPECT_EQ(in.SchussZahl, out.SchussZahl);
    EXPECT_EQ(in.Serienlaenge, out.Serienlaenge);
    EXPECT_EQ(in.DateiScheibe, out.DateiScheibe);
    EXPECT_EQ(in.Zeit, out.Zeit);
    EXPECT_EQ(in.SchussZahlen, out.SchussZahlen);
    EXPECT_EQ(in.Position, out.Position);
    EXPECT_EQ(in.Serien[3], out.Serien[3]);
    EXPECT_EQ(in.RegelNummer.toString(), QStringLiteral("RegelNummer"));
    EXPECT_EQ(in.WertungsRadius, TaggedValue(std::int32_t(1)));
}

TEST_F(DefinitionFilesTest, TargetSurvivesSaveAndLoadExceptEmptyFields)
{
    ScheibenDaten out;
    for (int n = 0; n < int(std::size(kScheibeKeys)); ++n) {
        TaggedValue& field = out.*kScheibeKeys[n].field;
        field = kScheibeKeys[n].text ? TaggedValue(QStringLiteral("Text %1").arg(n)) : TaggedValue(std::int32_t(n - 3));
    }
    out.Probe = TaggedValue();
    out.ZoomLevels = TaggedValue();
    out.HinterGrundBildDatei = TaggedValue(QString());
    const QString file = path(QStringLiteral("s.ini"));
    HS_Speichern(file, out);

    ScheibenDaten in;
    HS_Laden(file, in);
    for (const auto& key : kScheibeKeys) {
        SCOPED_TRACE(key.key);
        const QString name = QLatin1String(key.key);
        if (name == QLatin1String("Probe"))
            EXPECT_EQ(in.*key.field, TaggedValue(std::int32_t(-1)));
        else if (name == QLatin1String("ZoomLevels"))
            EXPECT_EQ(in.*key.field, TaggedValue(std::int32_t(0)));
        else if (name == QLatin1String("HinterGrundBildDatei"))
            EXPECT_EQ(in.*key.field, TaggedValue(name));
        else
            EXPECT_EQ(in.*key.field, out.*key.field);
    }
}

TEST_F(DefinitionFilesTest, SavingKeepsTheRestOfTheFile)
{
    const QString file = writeFile(QStringLiteral("x.ini"),
        "; Kommentar\r\n[Andere]\r\nA=1\r\n[XWaffe]\r\n"
        "Kaliber=9\r\nFremd=ja\r\n");
    WaffenDaten d;
    d.Kaliber = TaggedValue(4.5);
    d.Bezeichnung = TaggedValue(QStringLiteral("LP"));
    HW_Speichern(file, d);
    const QString saved = QString::fromLatin1(readFile(QStringLiteral("x.ini")));
    EXPECT_TRUE(saved.contains(QStringLiteral("; Kommentar")));
    EXPECT_TRUE(saved.contains(QStringLiteral("Fremd=ja")));
    EXPECT_EQ(GetPrivateProfileInt(QStringLiteral("Andere"), QStringLiteral("A"), 0, file), 1);
    EXPECT_EQ(saved.count(QStringLiteral("Kaliber")), 1);
    WaffenDaten back;
    HW_Laden(file, back);
    EXPECT_EQ(back.Kaliber.toDouble(), 4); // whole numbers only in profile files
    EXPECT_EQ(back.Bezeichnung.toString(), QStringLiteral("LP"));
}

TEST_F(DefinitionFilesTest, ClassSurvivesSaveAndLoad)
{
    KlassenDaten out;
    out.Bezeichnung = TaggedValue(QStringLiteral("Junioren A"));
    out.KennNummer = TaggedValue(std::int32_t(4));
    out.AlterMax = TaggedValue(std::int32_t(20));
    out.AlterMin = TaggedValue(std::int32_t(19));
    out.KlassenNummer = TaggedValue(std::int32_t(30));
    out.RegelNummer = TaggedValue(QStringLiteral("0.10.30"));
    const QString file = path(QStringLiteral("k.ini"));
    HK_Speichern(file, out);
    KlassenDaten in;
    HK_Laden(file, in);
    EXPECT_EQ(in.Bezeichnung, out.Bezeichnung);
    EXPECT_EQ(in.KennNummer, out.KennNummer);
    EXPECT_EQ(in.AlterMax, out.AlterMax);
    EXPECT_EQ(in.AlterMin, out.AlterMin);
    EXPECT_EQ(in.KlassenNummer, out.KlassenNummer);
    EXPECT_EQ(in.RegelNummer, out.RegelNummer);
}

TEST(DisciplineTable, ChoosesTheCompetitionFileByExactNumber)
{
    const struct {
        const char* nummer;
        const char* datei;
    } rows[] = {
        {"1.10", "hd_1-10.def"},
        {"1.40", "hd_1-40.def"},
        {"1.52", "hd_1-50.def"},
        {"2.10", "hd_2-10.def"},
        {"2.20", "hd_2-20.def"},
        {"2.40D", "hd_2-40d.def"},
        {"2.40P", "hd_2-40p.def"},
        {"2.50D", "hd_2-50d.def"},
        {"2.50P", "hd_2-50p.def"},
        {"2.60", "hd_2-60.def"},
        {"2.40d", "hd_1-10.def"},
        {"2.50p", "hd_1-10.def"},
        {"1.50", "hd_1-10.def"},
        {"", "hd_1-10.def"},
        {" 1.40", "hd_1-10.def"},
        {"1.40 ", "hd_1-10.def"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(wettbewerbsDateiFuer(QLatin1String(row.nummer)), QLatin1String(row.datei)) << row.nummer;
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
    EXPECT_TRUE(d.DateiWaffe.isEmpty());
}

const QByteArray kCompetition = "\"Luftgewehr 10 m\",110,\"1.10\"\r\n225,450,450\r\n"
                                "60,0,\"75 min\",15,1,\"stehend\",10\r\n\"wd_lg.def\",\"sd_lg10.def\"\r\n"
                                "1,\"75 min\",\"\",\"\",\"\"\r\n1,60,0,0,0\r\n1,\"stehend\",\"\",\"\",\"\"\r\n"
                                "1,6,0,0,7\r\n";

TEST_F(DefinitionFilesTest, CompetitionFileFillsAFreshRecord)
{
    const WettbewerbsDaten d = LadeWettbewerbsDatei(writeFile(QStringLiteral("hd_1-10.def"), kCompetition));
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
    EXPECT_EQ(d.Bezeichnung, TaggedValue(QStringLiteral("Luftgewehr 10 m")));
    EXPECT_EQ(d.RegelNummer, TaggedValue(QStringLiteral("1.10")));
    EXPECT_TRUE(d.KennNummer.isNumber() && !d.KennNummer.isInteger());
    EXPECT_EQ(d.KennNummer.toDouble(), 110);
    EXPECT_EQ(d.MinimalerDurchmesser.toDouble(), 450);
    EXPECT_EQ(d.SchussZahl.toDouble(), 60);
    EXPECT_EQ(d.SchiessZeit.toString(), QStringLiteral("75 min"));
    EXPECT_EQ(d.ProbeZeit.toDouble(), 15);
    EXPECT_EQ(d.Wertung.toDouble(), 1);
    EXPECT_EQ(d.SchiessPosition.toString(), QStringLiteral("stehend"));
    EXPECT_EQ(d.Serienlaenge.toDouble(), 10);
    EXPECT_EQ(d.DateiWaffe.toString(), QStringLiteral("wd_lg.def"));
    EXPECT_EQ(d.DateiScheibe.toString(), QStringLiteral("sd_lg10.def"));
    EXPECT_EQ(d.Zeit[0].toString(), QStringLiteral("75 min"));
    EXPECT_EQ(d.SchussZahlen[0].toDouble(), 60);
    EXPECT_EQ(d.Position[0].toString(), QStringLiteral("stehend"));
    EXPECT_EQ(d.SerienAnzahl.toDouble(), 1);
    EXPECT_EQ(d.Serien[0].toDouble(), 6);
    EXPECT_EQ(d.Serien[3].toDouble(), 7);
    EXPECT_TRUE(d.Zusatzfeld.isEmpty());
}

TEST_F(DefinitionFilesTest, CompetitionFileIsFoundWhateverTheCaseOfItsName)
{
    writeFile(QStringLiteral("HD_1-10.DEF"), kCompetition);
    const WettbewerbsDaten d = LadeWettbewerbsDatei(path(QStringLiteral("hd_1-10.def")));
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
    EXPECT_EQ(d.DateiScheibe.toString(), QStringLiteral("sd_lg10.def"));
}

TEST_F(DefinitionFilesTest, ShortCompetitionFileGivesWhatWasRead)
{
    const WettbewerbsDaten d = LadeWettbewerbsDatei(writeFile(QStringLiteral("hd.def"), "\"Kurz\",5,\"R\"\r\n225,450"));
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
    EXPECT_EQ(d.Bezeichnung.toString(), QStringLiteral("Kurz"));
    EXPECT_EQ(d.MaximalerDurchmesser.toDouble(), 450);
    EXPECT_TRUE(d.MinimalerDurchmesser.isEmpty());
    EXPECT_TRUE(d.DateiScheibe.isEmpty());
}

const QByteArray kTarget = "\"Luftgewehr 10 m\"\r\n1,2\r\n2275,1525,25,0,0,1\r\n3,4,5,6\r\n"
                           "250,1,8,10,7\r\n8000,7900\r\n-1,9\r\n42\r\n";

TEST_F(DefinitionFilesTest, TargetFileOverwritesItsFieldsOnly)
{
    ScheibenDaten d;
    d.HinterGrundBildDatei = TaggedValue(QStringLiteral("bild.bmp"));
    d.ZoomLevels = TaggedValue(std::int32_t(3));
    d.OffsetX = TaggedValue(std::int32_t(17));
    LadeScheibenDaten(writeFile(QStringLiteral("sd.def"), kTarget), d);
    EXPECT_EQ(d.Bezeichnung.toString(), QStringLiteral("Luftgewehr 10 m"));
    const double expected[] = {1, 2, 2275, 1525, 25, 0, 0, 1, 3, 4, 5, 6, 250, 1, 8, 10, 7, 8000, 7900, -1, 9, 42};
    const TaggedValue* fields[] = {
        &d.ScheibenArt,
        &d.KennNummer,
        &d.AussenRadius,
        &d.SpiegelRadius,
        &d.ZehnerRadius,
        &d.ZehnerRingStyle,
        &d.InnenZehnerRadius,
        &d.InnenZehnerRingStyle,
        &d.InnenKreuzRadius,
        &d.InnenKreuzWinkel,
        &d.VorhalteSpiegelRadius,
        &d.VorhalteAbstand,
        &d.Ringbreite,
        &d.RingMin,
        &d.RingMax,
        &d.RingAnzahl,
        &d.RingNummerWinkel,
        &d.KartonBreite,
        &d.KartonHoehe,
        &d.Probe,
        &d.BandVorschub,
        &d.DateiName,
    };
    for (size_t n = 0; n < std::size(fields); ++n) {
        EXPECT_TRUE(fields[n]->isNumber() && !fields[n]->isInteger()) << n;
        EXPECT_EQ(fields[n]->toDouble(), expected[n]) << n;
    }
    EXPECT_EQ(d.HinterGrundBildDatei.toString(), QStringLiteral("bild.bmp"));
    EXPECT_EQ(d.ZoomLevels.toDouble(), 3);
    // Resetting the offsets belongs to the window, not to the file reader.
    EXPECT_EQ(d.OffsetX.toDouble(), 17);
}

TEST_F(DefinitionFilesTest, ShortTargetFileThrowsAfterTheFieldsItHad)
{
    ScheibenDaten d;
    d.KartonBreite = TaggedValue(std::int32_t(5));
    EXPECT_THROW(
        LadeScheibenDaten(writeFile(QStringLiteral("sd.def"), "\"Kurz\"\r\n1,2,300\r\n"), d), SequentialReadError);
    EXPECT_EQ(d.Bezeichnung.toString(), QStringLiteral("Kurz"));
    EXPECT_EQ(d.AussenRadius.toDouble(), 300);
    EXPECT_TRUE(d.SpiegelRadius.isEmpty());
    EXPECT_EQ(d.KartonBreite, TaggedValue(std::int32_t(5)));
}

TEST_F(DefinitionFilesTest, MissingTargetOrWeaponFileThrowsAndChangesNothing)
{
    ScheibenDaten scheibe;
    scheibe.Bezeichnung = TaggedValue(QStringLiteral("alt"));
    EXPECT_THROW(LadeScheibenDaten(path(QStringLiteral("fehlt.def")), scheibe), SequentialReadError);
    EXPECT_EQ(scheibe.Bezeichnung.toString(), QStringLiteral("alt"));
    WaffenDaten waffe;
    EXPECT_THROW(LadeWaffenDatei(path(QStringLiteral("fehlt.def")), waffe), SequentialReadError);
    EXPECT_TRUE(waffe.Bezeichnung.isEmpty());
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

TEST_F(DefinitionFilesTest, WeaponFileFillsSixFields)
{
    WaffenDaten d;
    LadeWaffenDatei(writeFile(QStringLiteral("WD_LG.DEF"), "\"Luftgewehr 4,5 mm\"\r\n1,225,450,177,3\r\n"), d);
    EXPECT_EQ(d.Bezeichnung.toString(), QStringLiteral("Luftgewehr 4,5 mm"));
    EXPECT_EQ(d.KennNummer.toDouble(), 1);
    EXPECT_EQ(d.AnzeigeRadius.toDouble(), 225);
    EXPECT_EQ(d.Durchmesser.toDouble(), 450);
    EXPECT_EQ(d.Kaliber.toDouble(), 177);
    EXPECT_EQ(d.MikrofonEinstellung.toDouble(), 3);

    WaffenDaten kurz;
    EXPECT_THROW(LadeWaffenDatei(writeFile(QStringLiteral("k.def"), "\"LP\",2,225"), kurz), SequentialReadError);
    EXPECT_EQ(kurz.AnzeigeRadius.toDouble(), 225);
    EXPECT_TRUE(kurz.Durchmesser.isEmpty());
}

// How the window chooses its per-discipline files, composed of the operations
// above: the competition record is replaced whole, the target and weapon only
// read when the competition names them.
void ladeDisziplin(const QString& dir, const QString& nummer, TargetRecords& records)
{
    records.Wettbewerb = LadeWettbewerbsDatei(FileLookup::join(dir, wettbewerbsDateiFuer(nummer)));
    if (!records.Wettbewerb.DateiScheibe.toString().isEmpty())
        LadeScheibenDaten(FileLookup::join(dir, records.Wettbewerb.DateiScheibe.toString()), records.Scheibe);
    if (!records.Wettbewerb.DateiWaffe.toString().isEmpty())
        LadeWaffenDatei(FileLookup::join(dir, records.Wettbewerb.DateiWaffe.toString()), records.Waffe);
}

TEST_F(DefinitionFilesTest, CompetitionWithoutTargetNameLeavesTheTargetUntouched)
{
    QByteArray ohneScheibe = kCompetition;
    ohneScheibe.replace("\"sd_lg10.def\"", "\"\"");
    writeFile(QStringLiteral("hd_2-60.def"), ohneScheibe);
    writeFile(QStringLiteral("wd_lg.def"), "\"LG\",1,225,450,450,0\r\n");
    TargetRecords records;
    records.Scheibe.Bezeichnung = TaggedValue(QStringLiteral("vorher"));
    records.Scheibe.Ringbreite = TaggedValue(std::int32_t(800));
    ASSERT_NO_THROW(ladeDisziplin(m_dir.path(), QStringLiteral("2.60"), records));
    EXPECT_EQ(records.Scheibe.Bezeichnung.toString(), QStringLiteral("vorher"));
    EXPECT_EQ(records.Scheibe.Ringbreite.toDouble(), 800);
    EXPECT_EQ(records.Waffe.Bezeichnung.toString(), QStringLiteral("LG"));
}

TEST_F(DefinitionFilesTest, MissingCompetitionFileReadsNoTargetOrWeapon)
{
    writeFile(QStringLiteral("sd_lg10.def"), kTarget);
    TargetRecords records;
    records.Wettbewerb.Bezeichnung = TaggedValue(QStringLiteral("alt"));
    ASSERT_NO_THROW(ladeDisziplin(m_dir.path(), QStringLiteral("1.40"), records));
    EXPECT_EQ(TestDialogs::messages().size(), 1);
    EXPECT_TRUE(records.Wettbewerb.Bezeichnung.isEmpty());
    EXPECT_TRUE(records.Scheibe.Bezeichnung.isEmpty());
}

} // namespace
