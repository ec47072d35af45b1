#include "platform/SequentialFile.h"
#include "target/ResultsFile.h"
#include "target/ResultsFileWriter.h"
#include "target_test_support.h"

#include <QDir>

namespace {

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
    r.Klasse.RegelNummer = TaggedValue(QStringLiteral("bleibt"));
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(write(QStringLiteral("e.txt"), sightingOnly()), r));

    EXPECT_EQ(r.SchuetzenName, TaggedValue(QStringLiteral("Max Muster")));
    EXPECT_EQ(r.Kopfwerte[1], TaggedValue(2.0));
    EXPECT_EQ(r.Kopfwerte[6], TaggedValue(QStringLiteral("h7")));
    const SchussSatz& p = r.ProbeSatz;
    EXPECT_EQ(p.KopfA, TaggedValue(QStringLiteral("ka")));
    EXPECT_EQ(p.SchussNummer, 2);
    EXPECT_EQ(p.Gesamt, 19.5f);
    EXPECT_EQ(p.LetzterIndex, 1);
    EXPECT_EQ(p.SerienLetzter, 0);
    EXPECT_EQ(p.KopfG, 1.25);
    EXPECT_EQ(p.Ringwert[1], 10.25f);
    EXPECT_EQ(p.SchussText[1], QStringLiteral("b"));
    EXPECT_EQ(p.PosX[0], 50);
    EXPECT_EQ(p.PosY[0], -25);
    EXPECT_EQ(p.PosX[1], -3.5f);
    EXPECT_EQ(p.ZusatzD[0], TaggedValue(QStringLiteral("zd")));
    EXPECT_EQ(p.ZusatzE[1], 9);
    EXPECT_EQ(p.SerienWert[0], 19.5f);
    EXPECT_EQ(r.MatchSatz.LetzterIndex, -1);
    // Without match shots the sighting set is shown.
    EXPECT_EQ(r.AktuellerSatz.Ringwert[1], 10.25f);

    // The seven lengths of the target come halved.
    const QList<int> halbiert {3, 4, 5, 7, 13, 18, 19};
    for (int n = 0; n < 29; ++n) {
        const TaggedValue& feld = r.Scheibe.*kScheibeFelder[n];
        if (isScheibeText(n))
            EXPECT_EQ(feld, TaggedValue(QStringLiteral("T%1").arg(100 + n))) << n;
        else
            EXPECT_EQ(feld, TaggedValue((100 + n) / (halbiert.contains(n) ? 2.0 : 1.0))) << n;
    }
    EXPECT_EQ(r.Waffe.AnzeigeRadius, TaggedValue(225.0));
    EXPECT_EQ(r.Waffe.MikrofonEinstellung, TaggedValue(5.0));
    EXPECT_EQ(r.Klasse.KlassenNummer, TaggedValue(10.0));
    EXPECT_EQ(r.Klasse.RegelNummer, TaggedValue(QStringLiteral("bleibt")));
    EXPECT_EQ(r.Wettbewerb.Zusatzfeld, TaggedValue(QStringLiteral("zusatz")));
    EXPECT_EQ(r.Wettbewerb.WertungsRadius, TaggedValue(200.0));
    EXPECT_EQ(r.Wettbewerb.Serien[3], TaggedValue(231.0));
}

TEST_F(ResultsFileTest, UnquotedItemsBecomeNumbersFlagsOrNothing)
{
    TargetRecords r;
    r.ProbeSatz.KopfA = TaggedValue(QStringLiteral("alt"));
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(
        write(QStringLiteral("e.txt"), sightingOnly(",#TRUE#,\"drei\",2,19.5,1,4,5,6,0,0,0,1.25")), r));
    EXPECT_TRUE(r.ProbeSatz.KopfA.isEmpty());
    EXPECT_EQ(r.ProbeSatz.KopfC, 0); // a text where a number belongs gives its leading number
    EXPECT_EQ(r.ProbeSatz.KopfB, TaggedValue(-1.0));
    EXPECT_TRUE(r.Scheibe.ScheibenArt.isNumber());
    EXPECT_TRUE(r.Kopfwerte[0].isText()); // quoted digits stay text
}

TEST_F(ResultsFileTest, LatestIndexMinusOneIsTakenFromTheShotNumber)
{
    TargetRecords r;
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(
        write(QStringLiteral("e.txt"), withSets("\"\",\"\",0,3,27,-1,0,0,0,0,-1,0,0\r\n0,-1\r\n")), r));
    EXPECT_EQ(r.ProbeSatz.LetzterIndex, -1);
    EXPECT_EQ(r.AktuellerSatz.LetzterIndex, 2);
    EXPECT_EQ(r.AktuellerSatz.SchussNummer, 3);
}

TEST_F(ResultsFileTest, TruncatedOrMissingFileKeepsWhatWasReadAndIsReleased)
{
    TargetRecords r;
    r.SchuetzenName = TaggedValue(QStringLiteral("alt"));
    EXPECT_FALSE(ResultsFile::LadeErgebnisse(path(QStringLiteral("fehlt.txt")), r));
    EXPECT_EQ(r.SchuetzenName, TaggedValue(QStringLiteral("alt")));

    QByteArray bytes = sightingOnly();
    bytes.truncate(bytes.indexOf(",114,")); // inside the target row, after Ringbreite
    const QString file = write(QStringLiteral("e.txt"), bytes);
    {
        // While a reader holds the file no writer gets it, so the check below proves something.
        SequentialReader holder(file);
        ASSERT_TRUE(holder.open(true));
        EXPECT_FALSE(SequentialWriter(file).open());
    }
    r.Scheibe.RingMin = TaggedValue(QStringLiteral("alt"));
    r.AktuellerSatz.Gesamt = 77;
    EXPECT_FALSE(ResultsFile::LadeErgebnisse(file, r));
    EXPECT_EQ(r.SchuetzenName, TaggedValue(QStringLiteral("Max Muster")));
    EXPECT_EQ(r.ProbeSatz.PosX[0], 50);
    EXPECT_EQ(r.Scheibe.Ringbreite, TaggedValue(113.0)); // not halved: the read broke off before
    EXPECT_EQ(r.Scheibe.RingMin, TaggedValue(QStringLiteral("alt")));
    EXPECT_EQ(r.AktuellerSatz.Gesamt, 77); // no choice of set
    EXPECT_TRUE(SequentialWriter(file).open());

    ASSERT_TRUE(ResultsFile::LadeErgebnisse(write(QStringLiteral("e.txt"), sightingOnly()), r));
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
        EXPECT_FALSE(ResultsFile::LadeErgebnisse(write(QStringLiteral("e.txt"), withSets(sets)), r));
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
    EXPECT_FALSE(ResultsFile::LadeErgebnisse(write(QStringLiteral("e.txt"), trailer), r));
}

TEST_F(ResultsFileTest, FullSetOf150ShotsIsAccepted)
{
    QByteArray sets = "\"\",\"\",0,151,0,150,0,0,0,0,150,0,0\r\n";
    for (int i = 0; i <= 150; ++i)
        sets += "0," + QByteArray::number(i % 11) + ",\"\"," + QByteArray::number(2 * i) + ",0,0,0,0,0\r\n";
    for (int k = 0; k <= 150; ++k)
        sets += "0," + QByteArray::number(k) + "\r\n";
    TargetRecords r;
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(write(QStringLiteral("e.txt"), withSets(sets + "0,-1\r\n")), r));
    EXPECT_EQ(r.AktuellerSatz.PosX[150], 150);
    EXPECT_EQ(r.AktuellerSatz.SerienWert[150], 150);
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
    s.KopfA = TaggedValue(QStringLiteral("A%1").arg(basis));
    s.KopfB = TaggedValue(double(basis) + 0.7);
    s.KopfC = basis + 0.8f;
    s.KopfG = basis + 1.0 / 3.0;
    for (int i = 0; i <= letzter; ++i) {
        s.ZusatzA[i] = basis + i;
        s.Ringwert[i] = 9.1f + 0.1f * float(i);
        s.SchussText[i] = QStringLiteral("Schuss, %1").arg(i);
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
    r.SchuetzenName = TaggedValue(QStringLiteral("Müller, Jörg"));
    for (int n = 0; n < 6; ++n)
        r.Kopfwerte[n] = n % 2 ? TaggedValue(QStringLiteral("k%1").arg(n)) : TaggedValue(double(n) * 1.5);
    r.ProbeSatz = beispielSatz(1, 4, 0);
    for (int i = 0; i <= 4; ++i)
        r.ProbeSatz.ZusatzD[i] = i % 2 ? TaggedValue(QStringLiteral("d%1").arg(i)) : TaggedValue(double(i) / 7);
    r.MatchSatz = beispielSatz(2, 12, 1);
    for (int n = 0; n < 29; ++n)
        r.Scheibe.*kScheibeFelder[n] = isScheibeText(n) ? TaggedValue(QString::number(n)) : TaggedValue(n + 0.25);
    r.Scheibe.Probe = TaggedValue(-1.0);
    r.Waffe.Bezeichnung = TaggedValue(QStringLiteral("LP"));
    r.Waffe.AnzeigeRadius = TaggedValue(112.5);
    r.Klasse.AlterMin = TaggedValue(21.0);
    r.Wettbewerb.Bezeichnung = TaggedValue(QStringLiteral("LP 40"));
    r.Wettbewerb.Zusatzfeld = TaggedValue(3.25);
    r.Wettbewerb.Zeit[2] = TaggedValue(QStringLiteral("50 min"));
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
        const QString file = write(QStringLiteral("erg.txt"), "alter Inhalt");
        ASSERT_TRUE(ResultsFileWriter::write(file, out));
        TargetRecords in;
        ASSERT_TRUE(ResultsFile::LadeErgebnisse(file, in));
        ASSERT_TRUE(ResultsFileWriter::write(path(QStringLiteral("again.txt")), in));
        EXPECT_EQ(readTestFile(path(QStringLiteral("again.txt"))), readTestFile(file));

        EXPECT_EQ(in.SchuetzenName, out.SchuetzenName);
        EXPECT_EQ(in.Scheibe.KartonHoehe, out.Scheibe.KartonHoehe);
        EXPECT_TRUE(in.Scheibe.HinterGrundBildDatei.isText());
        EXPECT_EQ(in.AktuellerSatz.PosX, (mitMatch ? out.MatchSatz : out.ProbeSatz).PosX);
        EXPECT_EQ(in.AktuellerSatz.KopfG, (mitMatch ? out.MatchSatz : out.ProbeSatz).KopfG);
        EXPECT_EQ(in.ProbeSatz.ZusatzD, out.ProbeSatz.ZusatzD);
    }
    // No temporary file is left behind, and a missing folder fails.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
        QStringList({QStringLiteral("again.txt"), QStringLiteral("erg.txt")}));
    EXPECT_FALSE(
        ResultsFileWriter::write(FileLookup::join(path(QStringLiteral("fehlt")), QStringLiteral("e.txt")), beispiel()));
}

} // namespace
