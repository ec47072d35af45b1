#include "platform/ProfileDocument.h"
#include "platform/ProgramInfo.h"
#include "platform/SequentialFile.h"
#include "support/TestDialogs.h"
#include "target/DefinitionFiles.h"
#include "target/ResultsFile.h"
#include "target/ResultsFileWriter.h"
#include "target_test_support.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

using namespace DefinitionFiles;

TEST(TaggedValue, ReadsAsTextNumberAndFlagAndComparesByValue)
{
    // Value, its text, its number (a text gives its leading number) and whether it is true.
    const std::tuple<TaggedValue, const char*, double, bool> cases[] = {{TaggedValue(), "", 0, false},
        {std::int32_t(8), "8", 8, true}, {std::int32_t(-1), "-1", -1, true}, {9.7, "9.7", 9.7, true},
        {-0.5, "-0.5", -0.5, true}, {2500.0, "2500", 2500, true}, {0.0, "0", 0, false}, {0.5, "0.5", 0.5, true},
        {u"  12.5mm"_s, "  12.5mm", 12.5, true}, {u"-3"_s, "-3", -3, true}, {u"abc"_s, "abc", 0, false},
        {u"-1"_s, "-1", -1, true}, {u"True"_s, "True", 0, true}, {u"False"_s, "False", 0, false}};
    for (const auto& [value, text, number, flag] : cases) {
        SCOPED_TRACE(describe(value).toStdString());
        EXPECT_EQ(value.toString(), QLatin1String(text));
        EXPECT_EQ(value.toDouble(), number);
        EXPECT_EQ(value.toBool(), flag);
    }
    EXPECT_TRUE(TaggedValue().isEmpty() && !TaggedValue().isNumber() && TaggedValue(u"1"_s).isText());

    // An empty value is the empty text and 0; numbers compare by value; a text never equals a number.
    const std::tuple<TaggedValue, TaggedValue, bool> pairs[]
        = {{TaggedValue(), QString(), true}, {QString(), TaggedValue(), true}, {TaggedValue(), 0.0, true},
            {TaggedValue(), u"x"_s, false}, {TaggedValue(), std::int32_t(1), false}, {std::int32_t(5), 5.0, true},
            {std::int32_t(5), 5.5, false}, {u"5"_s, 5.0, false}, {u"5"_s, u"5"_s, true}};
    for (const auto& [a, b, equal] : pairs)
        EXPECT_EQ(a == b, equal) << describe({a, b}).toStdString();
}

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
        for (const auto& m : QRegularExpression(u"^(\\w+)="_s, QRegularExpression::MultilineOption).globalMatch(text))
            keys.append(m.captured(1));
        return keys;
    }
};

TEST_F(DefinitionFilesTest, MissingProfileKeysTakeTheirDefaultsAndAMissingFileChangesNothing)
{
    WettbewerbsDaten w;
    HD_Laden(write(u"w.ini"_s, "[XWettbewerb]\r\nKennNummer=7\r\n"), w);
    EXPECT_EQ(describe({w.Bezeichnung, w.SchussZahl, w.KennNummer, w.Zeit[3], w.Serien[3], w.Zusatzfeld}),
        u"text Bezeichnung|int 1|int 7|text Zeit4|int 1|empty"_s);
    ScheibenDaten s;
    HS_Laden(write(u"s.ini"_s, "[Rscheibe]\r\nRingbreite=250\r\n"), s);
    EXPECT_EQ(describe({s.Probe, s.AussenRadius, s.Ringbreite, s.Bezeichnung, s.DateiName}),
        u"int -1|int 0|int 250|text Bezeichnung|text DateiName"_s);

    ScheibenDaten d;
    d.Ringbreite = TaggedValue(12.5);
    HS_Laden(path(u"fehlt.ini"_s), d);
    EXPECT_EQ(describe({d.Ringbreite, d.Probe}), u"double 12.5|empty"_s);
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

TEST_F(DefinitionFilesTest, TargetSurvivesSaveAndLoadExceptEmptyFields)
{
    ScheibenDaten out;
    for (int n = 0; n < int(std::size(kScheibeFelder)); ++n)
        out.*kScheibeFelder[n] = isScheibeText(n) ? TaggedValue(u"Text %1"_s.arg(n)) : TaggedValue(n - 3);
    out.Probe = TaggedValue();
    out.ZoomLevels = TaggedValue();
    out.HinterGrundBildDatei = TaggedValue(QString());
    HS_Speichern(path(u"s.ini"_s), out);
    const QStringList keys = keysOf(u"s.ini"_s);
    ASSERT_EQ(keys.size(), 29);
    EXPECT_EQ(keys.first() + u' ' + keys.last(), u"Bezeichnung DateiName"_s);

    ScheibenDaten in;
    HS_Laden(path(u"s.ini"_s), in);
    EXPECT_EQ(
        describe({in.Probe, in.ZoomLevels, in.HinterGrundBildDatei}), u"int -1|int 0|text HinterGrundBildDatei"_s);
    out.Probe = in.Probe;
    out.ZoomLevels = in.ZoomLevels;
    out.HinterGrundBildDatei = in.HinterGrundBildDatei;
    for (int n = 0; n < int(std::size(kScheibeFelder)); ++n)
        EXPECT_EQ(in.*kScheibeFelder[n], out.*kScheibeFelder[n]) << n;
}

TEST_F(DefinitionFilesTest, CompetitionAndClassSurviveSaveAndLoad)
{
    WettbewerbsDaten out;
    out.Bezeichnung = TaggedValue(u"Luftgewehr 10 m"_s);
    out.KennNummer = TaggedValue(110);
    out.SchussZahl = TaggedValue(60.0);
    out.DateiScheibe = TaggedValue(u"sd_lg10.def"_s);
    for (int n = 0; n < 4; ++n) {
        out.Zeit[n] = TaggedValue(u"%1 min"_s.arg(n));
        out.SchussZahlen[n] = TaggedValue(20 + n);
        out.Position[n] = TaggedValue(u"P%1"_s.arg(n));
        out.Serien[n] = TaggedValue(-n);
    }
    out.Zusatzfeld = TaggedValue(u"not a key"_s);
    HD_Speichern(path(u"w.ini"_s), out);
    const QStringList keys = keysOf(u"w.ini"_s);
    ASSERT_EQ(keys.size(), 35);
    EXPECT_EQ(keys.mid(15, 6).join(u' '), u"ZeitenAnzahl Zeit1 Zeit2 Zeit3 Zeit4 SchussAnzahl"_s);
    EXPECT_EQ(keys.last(), u"Serien4"_s);

    WettbewerbsDaten in;
    HD_Laden(path(u"w.ini"_s), in);
    EXPECT_EQ(QList<TaggedValue>({in.Bezeichnung, in.KennNummer, in.SchussZahl, in.DateiScheibe}),
        QList<TaggedValue>({out.Bezeichnung, out.KennNummer, out.SchussZahl, out.DateiScheibe}));
    EXPECT_TRUE(in.Zeit == out.Zeit && in.SchussZahlen == out.SchussZahlen && in.Position == out.Position);
    EXPECT_EQ(in.Serien, out.Serien);
    // Left empty: RegelNummer (text) and WertungsRadius (number).
    EXPECT_EQ(describe({in.Zusatzfeld, in.RegelNummer, in.WertungsRadius}), u"empty|text RegelNummer|int 1"_s);

    KlassenDaten klasse;
    klasse.RegelNummer = TaggedValue(u"0.10.30"_s);
    klasse.AlterMin = TaggedValue(19);
    HK_Speichern(path(u"k.ini"_s), klasse);
    KlassenDaten back;
    HK_Laden(path(u"k.ini"_s), back);
    EXPECT_EQ(describe({back.RegelNummer, back.AlterMin}), u"text 0.10.30|int 19"_s);
}

TEST_F(DefinitionFilesTest, WeaponKeysIgnoreCaseAndSavingKeepsTheRestOfTheFile)
{
    const QString file = write(u"x.ini"_s,
        "; Kommentar\r\n[Andere]\r\nA=1\r\n[ xwaffe ]\r\n  anzeigeradius = 225 \r\nkaliber=9\r\nFremd=ja\r\n");
    WaffenDaten d;
    HW_Laden(file, d);
    EXPECT_EQ(describe({d.AnzeigeRadius, d.Bezeichnung}), u"int 225|text Bezeichnung"_s);
    d.Kaliber = TaggedValue(4.5);
    d.Bezeichnung = TaggedValue(u"LP 4,5"_s);
    HW_Speichern(file, d);
    const QString saved = QString::fromLatin1(readTestFile(file));
    EXPECT_TRUE(saved.contains(u"; Kommentar"_s) && saved.contains(u"Fremd=ja"_s));
    EXPECT_EQ(GetPrivateProfileInt(u"Andere"_s, u"A"_s, 0, file), 1);
    EXPECT_EQ(saved.count(u"Kaliber"_s, Qt::CaseInsensitive), 1);
    WaffenDaten back;
    HW_Laden(file, back);
    // Whole numbers only in profile files.
    EXPECT_EQ(describe({back.Kaliber, back.Bezeichnung}), u"int 4|text LP 4,5"_s);
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

TEST_F(DefinitionFilesTest, CompetitionFileIsFoundWhateverTheCaseMissingShowsTheBoxShortThrows)
{
    const QString missing = path(u"hd_9-99.def"_s);
    const WettbewerbsDaten none = LadeWettbewerbsDatei(missing);
    ASSERT_EQ(TestDialogs::messages().size(), 1);
    const Dialogs::MessageRequest& box = TestDialogs::messages().first();
    EXPECT_EQ(box.icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(box.title + u'|' + box.text, u"Wettbewerbsdaten laden|Datei existiert nicht: "_s + missing);
    EXPECT_TRUE(none.Bezeichnung.isEmpty() && none.DateiScheibe.isEmpty());
    TestDialogs::clear();

    write(u"HD_1-10.DEF"_s,
        "\"Luftgewehr 10 m\",110,\"1.10\"\r\n225,450,450\r\n60,0,\"75 min\",15,1,\"stehend\",10\r\n"
        "\"wd_lg.def\",\"sd_lg10.def\"\r\n1,\"75 min\",\"\",\"\",\"\"\r\n1,60,0,0,0\r\n"
        "1,\"stehend\",\"\",\"\",\"\"\r\n1,6,0,0,7\r\n");
    const WettbewerbsDaten d = LadeWettbewerbsDatei(path(u"hd_1-10.def"_s));
    EXPECT_EQ(describe({d.Bezeichnung, d.KennNummer, d.SchussZahl, d.Serienlaenge, d.DateiWaffe, d.DateiScheibe,
                  d.Position[0], d.Serien[3], d.Zusatzfeld}),
        u"text Luftgewehr 10 m|double 110|double 60|double 10|text wd_lg.def|text sd_lg10.def|"
        "text stehend|double 7|empty"_s);

    // A file that ends early hands the error on, without a message.
    EXPECT_THROW(LadeWettbewerbsDatei(write(u"k.def"_s, "\"Kurz\",5,\"R\"\r\n225,450")), SequentialReadError);
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

TEST_F(DefinitionFilesTest, TargetFileOverwritesItsFieldsOnly)
{
    ScheibenDaten d;
    d.ZoomLevels = TaggedValue(3);
    d.OffsetX = TaggedValue(17);
    LadeScheibenDaten(write(u"sd.def"_s,
                          "\"Luftgewehr 10 m\"\r\n1,2\r\n2275,1525,25,0,0,1\r\n3,4,5,6\r\n"
                          "250,1,8,10,7\r\n8000,7900\r\n-1,9\r\n42\r\n"),
        d);
    // Resetting the offsets belongs to the window, not to the file reader.
    EXPECT_EQ(describe({d.Bezeichnung, d.AussenRadius, d.InnenKreuzRadius, d.Ringbreite, d.RingNummerWinkel,
                  d.KartonHoehe, d.Probe, d.DateiName, d.ZoomLevels, d.OffsetX}),
        u"text Luftgewehr 10 m|double 2275|double 3|double 250|double 7|double 7900|double -1|double "
        "42|int 3|int 17"_s);
}

TEST_F(DefinitionFilesTest, ShortOrMissingTargetAndWeaponFilesThrowAfterWhatTheyHad)
{
    ScheibenDaten s;
    s.KartonBreite = TaggedValue(5);
    EXPECT_THROW(LadeScheibenDaten(write(u"sd.def"_s, "\"Kurz\"\r\n1,2,300\r\n"), s), SequentialReadError);
    EXPECT_THROW(LadeScheibenDaten(path(u"fehlt.def"_s), s), SequentialReadError);
    EXPECT_EQ(describe({s.Bezeichnung, s.AussenRadius, s.SpiegelRadius, s.KartonBreite}),
        u"text Kurz|double 300|empty|int 5"_s);

    WaffenDaten w;
    LadeWaffenDatei(write(u"WD_LG.DEF"_s, "\"Luftgewehr 4,5 mm\"\r\n1,225,450,177,3\r\n"), w);
    EXPECT_EQ(describe({w.Bezeichnung, w.AnzeigeRadius, w.MikrofonEinstellung}),
        u"text Luftgewehr 4,5 mm|double 225|double 3"_s);
    WaffenDaten kurz;
    EXPECT_THROW(LadeWaffenDatei(write(u"k.def"_s, "\"LP\",2,225"), kurz), SequentialReadError);
    EXPECT_THROW(LadeWaffenDatei(path(u"fehlt.def"_s), kurz), SequentialReadError);
    EXPECT_EQ(describe({kurz.AnzeigeRadius, kurz.Durchmesser}), u"double 225|empty"_s);
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

// Row 9 of a results file with field n of the target holding 100 + n (texts quoted).
QByteArray scheibeRow()
{
    QByteArray row = "\"S\"";
    for (int n = 0; n < 29; ++n)
        row += isScheibeText(n) ? ",\"T" + QByteArray::number(100 + n) + '"' : ',' + QByteArray::number(100 + n);
    return row + "\r\n";
}

QByteArray numbers(int first, int count)
{
    QByteArray items;
    for (int n = 0; n < count; ++n)
        items += (n ? "," : "") + QByteArray::number(first + n);
    return items;
}

// A file with two sighting shots, one series and no match shots; everything
// after the sets is the same in every file of these tests.
QByteArray sightingOnly(const QByteArray& probeHeader = "\"ka\",7,3,2,19.5,1,4,5,6,0,0,0,1.25")
{
    return "\"VTX\",3\r\n\"Max Muster\",\"h1\",2,\"h3\",4,\"h5\",6,\"h7\"\r\n\"P\"\r\n" + probeHeader
        + "\r\n1,9.5,\"a\",100,-50,2,3,\"zd\",4\r\n5,10.25,\"b\",-7,8,6,7,8,9\r\n11,19.5\r\n\"M\",-1\r\n" + scheibeRow()
        + "\"W\",\"LG\",2,450,3,4,5\r\n\"K\",\"Herren\",1,45,21,10\r\n\"B\",\"LG 40\",12,\"1.10\",\"zusatz\","
        + numbers(200, 32) + "\r\n\"E\",0,1,2,\"\",#TRUE#\r\n";
}

// Sets given as rows after the name line; the rest as in every file.
QByteArray withSets(const QByteArray& sets)
{
    return "0,0\r\n\"N\",1,2,3,4,5,6,7\r\n0\r\n" + sets + scheibeRow() + "0,\"W\",1,2,3,4,5\r\n0,\"K\",1,2,3,4\r\n0,"
        + numbers(1, 36) + "\r\n0,0,1,2,0,#TRUE#\r\n";
}

using ResultsFileTest = TempDirTest;

TEST_F(ResultsFileTest, ItemsLandInTheirFieldsAndLengthsAreHalved)
{
    TargetRecords r;
    r.Klasse.RegelNummer = TaggedValue(u"bleibt"_s);
    r.ProbeSatz.KopfA = TaggedValue(u"alt"_s);
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(write(u"e.txt"_s, sightingOnly()), r));
    const SchussSatz& p = r.ProbeSatz;
    EXPECT_EQ(describe({r.SchuetzenName, r.Kopfwerte[0], r.Kopfwerte[1], r.Kopfwerte[6], p.KopfA, p.ZusatzD[0]}),
        u"text Max Muster|text h1|double 2|text h7|text ka|text zd"_s);
    EXPECT_EQ(QList<double>({p.SchussNummer, p.Gesamt, p.LetzterIndex, p.SerienLetzter, p.KopfG, p.Ringwert[1],
                  p.PosX[0], p.PosY[0], p.PosX[1], p.ZusatzE[1], p.SerienWert[0], r.MatchSatz.LetzterIndex}),
        QList<double>({2, 19.5, 1, 0, 1.25, 10.25, 50, -25, -3.5, 9, 19.5, -1}));
    EXPECT_EQ(p.SchussText[1], u"b"_s);
    // Without match shots the sighting set is shown.
    EXPECT_EQ(r.AktuellerSatz.Ringwert[1], 10.25f);

    // The seven lengths of the target come halved.
    const QList<int> halbiert {3, 4, 5, 7, 13, 18, 19};
    for (int n = 0; n < 29; ++n) {
        const TaggedValue& feld = r.Scheibe.*kScheibeFelder[n];
        if (isScheibeText(n))
            EXPECT_EQ(feld, TaggedValue(u"T%1"_s.arg(100 + n))) << n;
        else
            EXPECT_EQ(feld, TaggedValue((100 + n) / (halbiert.contains(n) ? 2.0 : 1.0))) << n;
    }
    EXPECT_EQ(describe({r.Waffe.AnzeigeRadius, r.Waffe.MikrofonEinstellung, r.Klasse.KlassenNummer,
                  r.Klasse.RegelNummer, r.Wettbewerb.Zusatzfeld, r.Wettbewerb.WertungsRadius, r.Wettbewerb.Serien[3]}),
        u"double 225|double 5|double 10|text bleibt|text zusatz|double 200|double 231"_s);

    // Unquoted items become numbers, flags or nothing; a text where a number belongs gives its leading number.
    ASSERT_TRUE(
        ResultsFile::LadeErgebnisse(write(u"e.txt"_s, sightingOnly(",#TRUE#,\"drei\",2,19.5,1,4,5,6,0,0,0,1.25")), r));
    EXPECT_EQ(describe({p.KopfA, p.KopfB, r.Scheibe.ScheibenArt}), u"empty|double -1|double 101"_s);
    EXPECT_EQ(p.KopfC, 0);
}

TEST_F(ResultsFileTest, LatestIndexMinusOneIsTakenFromTheShotNumber)
{
    TargetRecords r;
    ASSERT_TRUE(
        ResultsFile::LadeErgebnisse(write(u"e.txt"_s, withSets("\"\",\"\",0,3,27,-1,0,0,0,0,-1,0,0\r\n0,-1\r\n")), r));
    EXPECT_EQ(QList<float>({r.ProbeSatz.LetzterIndex, r.AktuellerSatz.LetzterIndex, r.AktuellerSatz.SchussNummer}),
        QList<float>({-1, 2, 3}));
}

TEST_F(ResultsFileTest, TruncatedOrMissingFileKeepsWhatWasReadAndIsReleased)
{
    TargetRecords r;
    r.SchuetzenName = TaggedValue(u"alt"_s);
    EXPECT_FALSE(ResultsFile::LadeErgebnisse(path(u"fehlt.txt"_s), r));
    EXPECT_EQ(r.SchuetzenName, TaggedValue(u"alt"_s));

    QByteArray bytes = sightingOnly();
    bytes.truncate(bytes.indexOf(",114,")); // inside the target row, after Ringbreite
    const QString file = write(u"e.txt"_s, bytes);
    {
        // While a reader holds the file no writer gets it, so the check below proves something.
        SequentialReader holder(file);
        ASSERT_TRUE(holder.open(true));
        EXPECT_FALSE(SequentialWriter(file).open());
    }
    r.Scheibe.RingMin = TaggedValue(u"alt"_s);
    r.AktuellerSatz.Gesamt = 77;
    EXPECT_FALSE(ResultsFile::LadeErgebnisse(file, r));
    // Ringbreite is not halved: the read broke off before; and no set is chosen.
    EXPECT_EQ(
        describe({r.SchuetzenName, r.Scheibe.Ringbreite, r.Scheibe.RingMin}), u"text Max Muster|double 113|text alt"_s);
    EXPECT_EQ(std::pair(r.ProbeSatz.PosX[0], r.AktuellerSatz.Gesamt), std::pair(50.0f, 77.0f));
    EXPECT_TRUE(SequentialWriter(file).open());

    ASSERT_TRUE(ResultsFile::LadeErgebnisse(write(u"e.txt"_s, sightingOnly()), r));
    EXPECT_TRUE(SequentialWriter(file).open());
}

TEST_F(ResultsFileTest, CountsOutsideTheSetsAreReadErrors)
{
    const QByteArray probe = "\"\",\"\",0,2,0,-1,0,0,0,0,-1,0,0\r\n";
    const QByteArray noMatch = "\"M\",-1\r\n";
    const QByteArray cases[] = {
        "\"\",\"\",0,2,0,151,0,0,0,0,-1,0,0\r\n" + noMatch,
        "\"\",\"\",0,2,0,1E30,0,0,0,0,-1,0,0\r\n" + noMatch,
        "\"\",\"\",0,2,0,1E300,0,0,0,0,-1,0,0\r\n" + noMatch,
        "\"\",\"\",0,2,0,-2,0,0,0,0,-1,0,0\r\n" + noMatch,
        "\"\",\"\",0,2,0,-1,0,0,0,0,200,0,0\r\n" + noMatch,
        "\"\",\"\",0,2,0,-1,0,0,0,0,-5,0,0\r\n" + noMatch,
        "\"\",\"\",0,1000,0,-1,0,0,0,0,-1,0,0\r\n" + noMatch,
        probe + "\"M\",1000\r\n",
        probe + "\"M\",0\r\n\"\",\"\",0,1,0,0,0,0,0,151,0,0\r\n0,9,\"\",0,0,0,0,0,0\r\n",
    };
    for (const QByteArray& sets : cases) {
        SCOPED_TRACE(sets.constData());
        TargetRecords r;
        EXPECT_FALSE(ResultsFile::LadeErgebnisse(write(u"e.txt"_s, withSets(sets)), r));
        for (const SchussSatz* satz : {&r.ProbeSatz, &r.MatchSatz}) {
            EXPECT_GE(satz->LetzterIndex, -1);
            EXPECT_LE(satz->LetzterIndex, 150);
            EXPECT_LE(satz->SerienLetzter, 150);
        }
        EXPECT_EQ(r.AktuellerSatz.LetzterIndex, -1);
    }
    QByteArray trailer = sightingOnly();
    trailer.replace("\"E\",0,1,2,", "\"E\",0,1,256,");
    TargetRecords r;
    EXPECT_FALSE(ResultsFile::LadeErgebnisse(write(u"e.txt"_s, trailer), r));
}

TEST_F(ResultsFileTest, FullSetOf150ShotsIsAccepted)
{
    QByteArray sets = "\"\",\"\",0,151,0,150,0,0,0,0,150,0,0\r\n";
    for (int i = 0; i <= 150; ++i)
        sets += "0," + QByteArray::number(i % 11) + ",\"\"," + QByteArray::number(2 * i) + ",0,0,0,0,0\r\n";
    for (int k = 0; k <= 150; ++k)
        sets += "0," + QByteArray::number(k) + "\r\n";
    TargetRecords r;
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(write(u"e.txt"_s, withSets(sets + "0,-1\r\n")), r));
    EXPECT_EQ(std::pair(r.AktuellerSatz.PosX[150], r.AktuellerSatz.SerienWert[150]), std::pair(150.0f, 150.0f));
}

// A set with a distinct value in every field the file carries.
SchussSatz beispielSatz(float basis, int letzter, int serienLetzter)
{
    SchussSatz s;
    s.LetzterIndex = float(letzter);
    s.KopfD = basis + 0.1f;
    s.SchussNummer = float(letzter + 1);
    s.Gesamt = basis + 0.3f;
    s.KopfE = basis + 0.4f;
    s.KopfF = basis + 0.5f;
    s.MarkSchuss = 1;
    s.SerienLetzter = float(serienLetzter);
    s.KopfA = TaggedValue(u"A%1"_s.arg(basis));
    s.KopfB = TaggedValue(double(basis) + 0.7);
    s.KopfC = basis + 0.8f;
    s.KopfG = basis + 1.0 / 3.0;
    for (int i = 0; i <= letzter; ++i) {
        s.ZusatzA[i] = basis + i;
        s.Ringwert[i] = 9.1f + 0.1f * float(i);
        s.SchussText[i] = u"Schuss, %1"_s.arg(i);
        s.PosX[i] = -123.456f + float(i);
        s.PosY[i] = 0.1f * float(i);
        s.ZusatzB[i] = 1e-7f * float(i);
        s.ZusatzC[i] = 3e7f;
        s.ZusatzE[i] = -float(i);
    }
    for (int k = 0; k <= serienLetzter; ++k) {
        s.SerienZusatz[k] = float(k);
        s.SerienWert[k] = 95.3f + float(k);
    }
    return s;
}

TargetRecords beispiel()
{
    TargetRecords r;
    r.SchuetzenName = TaggedValue(u"Müller, Jörg"_s);
    for (int n = 0; n < 6; ++n)
        r.Kopfwerte[n] = n % 2 ? TaggedValue(u"k%1"_s.arg(n)) : TaggedValue(double(n) * 1.5);
    r.ProbeSatz = beispielSatz(1, 4, 0);
    for (int i = 0; i <= 4; ++i)
        r.ProbeSatz.ZusatzD[i] = i % 2 ? TaggedValue(u"d%1"_s.arg(i)) : TaggedValue(double(i) / 7);
    r.MatchSatz = beispielSatz(2, 12, 1);
    for (int n = 0; n < 29; ++n)
        r.Scheibe.*kScheibeFelder[n] = isScheibeText(n) ? TaggedValue(QString::number(n)) : TaggedValue(n + 0.25);
    r.Scheibe.Probe = TaggedValue(-1.0);
    r.Waffe.Bezeichnung = TaggedValue(u"LP"_s);
    r.Waffe.AnzeigeRadius = TaggedValue(112.5);
    r.Klasse.AlterMin = TaggedValue(21.0);
    r.Wettbewerb.Bezeichnung = TaggedValue(u"LP 40"_s);
    r.Wettbewerb.Zusatzfeld = TaggedValue(3.25);
    r.Wettbewerb.Zeit[2] = TaggedValue(u"50 min"_s);
    r.Wettbewerb.Serien[3] = TaggedValue(-4.0);
    return r;
}

// What the writer puts down, the reader takes up: writing what was read gives
// the same bytes again.
TEST_F(ResultsFileTest, WriterOutputReadsBackUnchanged)
{
    for (const bool mitMatch : {true, false}) {
        SCOPED_TRACE(mitMatch);
        TargetRecords out = beispiel();
        if (!mitMatch)
            out.MatchSatz.LetzterIndex = -1;
        const QString file = write(u"erg.txt"_s, "alter Inhalt");
        ASSERT_TRUE(ResultsFileWriter::write(file, out));
        TargetRecords in;
        ASSERT_TRUE(ResultsFile::LadeErgebnisse(file, in));
        ASSERT_TRUE(ResultsFileWriter::write(path(u"again.txt"_s), in));
        EXPECT_EQ(readTestFile(path(u"again.txt"_s)), readTestFile(file));

        const SchussSatz& shown = mitMatch ? out.MatchSatz : out.ProbeSatz;
        EXPECT_EQ(QList<TaggedValue>({in.SchuetzenName, in.Scheibe.KartonHoehe}),
            QList<TaggedValue>({out.SchuetzenName, out.Scheibe.KartonHoehe}));
        EXPECT_TRUE(in.Scheibe.HinterGrundBildDatei.isText());
        EXPECT_TRUE(in.AktuellerSatz.PosX == shown.PosX && in.AktuellerSatz.KopfG == shown.KopfG);
        EXPECT_EQ(in.ProbeSatz.ZusatzD, out.ProbeSatz.ZusatzD);
    }
    // No temporary file is left behind, and a missing folder fails.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
        QStringList({u"again.txt"_s, u"erg.txt"_s}));
    EXPECT_FALSE(ResultsFileWriter::write(FileLookup::join(path(u"fehlt"_s), u"e.txt"_s), beispiel()));
}

QString dataFile(const QString& name = QString())
{
    return FileLookup::join(FileLookup::join(qEnvironmentVariable("OMR_SOURCE_DIR"), u"data"_s), name);
}

int itemCount(const QString& path)
{
    SequentialReader reader(path);
    int count = 0;
    for (const bool open = reader.open(); open && !reader.atEnd(); ++count)
        reader.readItem();
    return count;
}

// Every discipline's files load beside the program without a box, and the
// window can zoom onto the face they give.
TEST(ShippedData, EveryDisciplineLoadsAndZooms)
{
    ProgramState::reset();
    ProgramInfo::setDirectoryForTest(dataFile());
    QSet<QString> referenced;
    for (const char* nummer : {"1.10", "1.40", "1.52", "2.10", "2.20", "2.40D", "2.40P", "2.50D", "2.50P", "2.60"}) {
        SCOPED_TRACE(nummer);
        TestDialogs::clear();
        TargetModel model;
        model.DisziplinNr = QLatin1String(nummer);
        model.Laden(ProgramState::instance().settings);
        EXPECT_TRUE(TestDialogs::messages().isEmpty());
        const WettbewerbsDaten& w = model.records.Wettbewerb;
        const QString scheibe = w.DateiScheibe.toString();
        const QString waffe = w.DateiWaffe.toString();
        referenced << scheibe << waffe;
        EXPECT_EQ(QList<int>({itemCount(dataFile(wettbewerbsDateiFuer(model.DisziplinNr))),
                      itemCount(dataFile(scheibe)), itemCount(dataFile(waffe))}),
            QList<int>({35, 23, 6}));
        EXPECT_FALSE(w.Bezeichnung.toString().isEmpty());
        EXPECT_GE(w.Serienlaenge.toDouble(), 1);
        EXPECT_GE(w.SchussZahl.toDouble(), w.Serienlaenge.toDouble());
        EXPECT_FALSE(model.probe());
        EXPECT_GT(model.records.Waffe.AnzeigeRadius.toDouble(), 0);
        EXPECT_GT(model.records.Scheibe.Ringbreite.toDouble(), 0);
        // Step 1 shows the whole scoring area.
        EXPECT_EQ(model.Scheibe_ZoomNummer, 1);
        EXPECT_GT(model.SichtBreite, 2 * model.records.Scheibe.AussenRadius.toDouble());
    }
    ProgramInfo::setDirectoryForTest(QString());
    // No definition file lies about unused.
    const QStringList present = QDir(dataFile()).entryList({u"sd_*.def"_s, u"wd_*.def"_s}, QDir::Files);
    EXPECT_EQ(QSet<QString>(present.begin(), present.end()), referenced);
}

// Reference figures of the real targets in millimetres: ring diameters from
// the ten outwards, inner ten, black, card, and the ring numbers printed.
struct Referenz {
    const char* datei;
    QList<double> ringe; // diameter of the 10, 9, 8, ... ring down to the lowest scoring ring
    double innenZehner, spiegel, karton;
    int ringMin, ringMax;
};

TEST(ShippedData, TargetRingsReproduceTheRealTargetsAndNamesAreWindows1252)
{
    const Referenz referenzen[] = {
        {"sd_lg10.def", {0.5, 5.5, 10.5, 15.5, 20.5, 25.5, 30.5, 35.5, 40.5, 45.5}, 0, 30.5, 80, 1, 8},
        {"sd_lp10.def", {11.5, 27.5, 43.5, 59.5, 75.5, 91.5, 107.5, 123.5, 139.5, 155.5}, 5, 59.5, 170, 1, 8},
        {"sd_kk50.def", {10.4, 26.4, 42.4, 58.4, 74.4, 90.4, 106.4, 122.4, 138.4, 154.4}, 5, 112.4, 250, 1, 8},
        {"sd_pp25.def", {50, 100, 150, 200, 250, 300, 350, 400, 450, 500}, 25, 200, 550, 1, 9},
        {"sd_sf25.def", {100, 180, 260, 340, 420, 500}, 50, 500, 550, 5, 9},
    };
    for (const Referenz& ref : referenzen) {
        SCOPED_TRACE(ref.datei);
        ScheibenDaten s;
        ASSERT_NO_THROW(LadeScheibenDaten(dataFile(QLatin1String(ref.datei)), s));
        // Target units are 1/100 mm.
        const auto mm = [](const TaggedValue& v) { return v.toDouble() / 100; };
        const double zehner = mm(s.ZehnerRadius);
        const double breite = mm(s.Ringbreite);
        const int anzahl = int(s.RingAnzahl.toDouble());

        // Ring v is bounded outside by circle RingAnzahl - v, whose number
        // (RingAnzahl - 1 - i for circle i) is printed in the band beyond it.
        for (int n = 0; n < ref.ringe.size(); ++n) {
            const int ring = 10 - n;
            const int kreis = ring == 10 ? 0 : anzahl - ring;
            EXPECT_NEAR(2 * (zehner + kreis * breite), ref.ringe[n], 1e-9) << "ring " << ring;
        }
        const QList<double> sizes {2 * mm(s.AussenRadius), 2 * mm(s.InnenZehnerRadius), 2 * mm(s.SpiegelRadius),
            mm(s.KartonBreite), mm(s.KartonHoehe)};
        const QList<double> expected {ref.ringe.last(), ref.innenZehner, ref.spiegel, ref.karton, ref.karton};
        for (int k = 0; k < sizes.size(); ++k)
            EXPECT_NEAR(sizes[k], expected[k], 1e-9) << k;
        EXPECT_EQ(
            std::pair(s.RingMin.toDouble(), s.RingMax.toDouble()), std::pair(double(ref.ringMin), double(ref.ringMax)));
        // The circle beyond the lowest scoring ring is not a ring any more.
        EXPECT_GT(zehner + (anzahl - (11 - int(ref.ringe.size())) + 1) * breite, mm(s.AussenRadius));
        // The card holds the whole scoring area.
        EXPECT_GT(mm(s.KartonBreite), 2 * mm(s.AussenRadius));
    }
    ScheibenDaten pp;
    LadeScheibenDaten(dataFile(u"sd_pp25.def"_s), pp);
    EXPECT_EQ(pp.Bezeichnung.toString(), u"Pr\u00e4zisionsscheibe 25 m / 50 m"_s);
}

TEST(ShippedData, ShotMarksHaveTheRadiusOfTheCalibre)
{
    const std::pair<const char*, double> waffen[]
        = {{"wd_lg.def", 4.5}, {"wd_lp.def", 4.5}, {"wd_kk.def", 5.6}, {"wd_kkp.def", 5.6}, {"wd_zf.def", 9.0}};
    for (const auto& [datei, kaliber] : waffen) {
        WaffenDaten d;
        ASSERT_NO_THROW(LadeWaffenDatei(dataFile(QLatin1String(datei)), d)) << datei;
        EXPECT_NEAR(2 * d.AnzeigeRadius.toDouble() / 100, kaliber, 1e-9) << datei;
    }
}

} // namespace
