#include "platform/FileLookup.h"
#include "platform/SequentialFile.h"
#include "target/ResultsFile.h"
#include "target/ResultsFileWriter.h"

#include <QDir>
#include <QFile>
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

// The results file as the scoring system lays it out, one row per line.
class ResultsText
{
public:
    ResultsText& row(const QString& items)
    {
        m_bytes += items.toLatin1() + "\r\n";
        return *this;
    }
    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

QString numbers(int first, int count)
{
    QStringList items;
    for (int n = 0; n < count; ++n)
        items.append(QString::number(first + n));
    return items.join(QLatin1Char(','));
}

// Row 9 with field n of the target holding 100 + n (texts quoted).
QString scheibeRow()
{
    QStringList items {QStringLiteral("\"S\"")};
    for (int n = 0; n < 29; ++n)
        items.append(n == 0 || n == 22 || n == 28 ? QStringLiteral("\"T%1\"").arg(100 + n) : QString::number(100 + n));
    return items.join(QLatin1Char(','));
}

ResultsText sightingOnly(const QString& probeHeader = QStringLiteral("\"ka\",7,3,2,19.5,1,4,5,6,0,0,0,1.25"))
{
    ResultsText t;
    t.row(QStringLiteral("\"VTX\",3"))
        .row(QStringLiteral("\"Max Muster\",\"h1\",2,\"h3\",4,\"h5\",6,\"h7\""))
        .row(QStringLiteral("\"P\""))
        .row(probeHeader)
        .row(QStringLiteral("1,9.5,\"a\",100,-50,2,3,\"zd\",4"))
        .row(QStringLiteral("5,10.25,\"b\",-7,8,6,7,8,9"))
        .row(QStringLiteral("11,19.5"))
        .row(QStringLiteral("\"M\",-1"))
        .row(scheibeRow())
        .row(QStringLiteral("\"W\",\"LG\",2,450,3,4,5"))
        .row(QStringLiteral("\"K\",\"Herren\",1,45,21,10"))
        .row(QStringLiteral("\"B\",\"LG 40\",12,\"1.10\",\"zusatz\",") + numbers(200, 32))
        .row(QStringLiteral("\"E\",0,1,2,\"\",#TRUE#"));
    return t;
}

class ResultsFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name = QStringLiteral("erg.txt")) const { return FileLookup::join(m_dir.path(), name); }

    QString writeFile(const QByteArray& bytes, const QString& name = QStringLiteral("erg.txt")) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir m_dir;
};

TEST_F(ResultsFileTest, ItemsLandInTheirFieldsAndLengthsAreHalved)
{
    TargetRecords r;
    r.Klasse.RegelNummer = TaggedValue(QStringLiteral("bleibt"));
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(writeFile(sightingOnly().bytes()), r));

    EXPECT_EQ(r.SchuetzenName, TaggedValue(QStringLiteral("Max Muster")));
    EXPECT_EQ(r.Kopfwerte[0], TaggedValue(QStringLiteral("h1")));
    EXPECT_EQ(r.Kopfwerte[1], TaggedValue(2.0));
    EXPECT_EQ(r.Kopfwerte[6], TaggedValue(QStringLiteral("h7")));

    const SchussSatz& p = r.ProbeSatz;
    EXPECT_EQ(p.KopfA, TaggedValue(QStringLiteral("ka")));
    EXPECT_EQ(p.KopfB, TaggedValue(7.0));
    EXPECT_EQ(p.KopfC, 3);
    EXPECT_EQ(p.SchussNummer, 2);
    EXPECT_EQ(p.Gesamt, 19.5f);
    EXPECT_EQ(p.LetzterIndex, 1);
    EXPECT_EQ(p.KopfD, 4);
    EXPECT_EQ(p.KopfE, 5);
    EXPECT_EQ(p.KopfF, 6);
    EXPECT_EQ(p.SerienLetzter, 0);
    EXPECT_EQ(p.KopfG, 1.25);
    EXPECT_EQ(p.ZusatzA[1], 5);
    EXPECT_EQ(p.Ringwert[0], 9.5f);
    EXPECT_EQ(p.Ringwert[1], 10.25f);
    EXPECT_EQ(p.SchussText[1], QStringLiteral("b"));
    EXPECT_EQ(p.PosX[0], 50);
    EXPECT_EQ(p.PosY[0], -25);
    EXPECT_EQ(p.PosX[1], -3.5f);
    EXPECT_EQ(p.ZusatzB[1], 6);
    EXPECT_EQ(p.ZusatzC[1], 7);
    EXPECT_EQ(p.ZusatzD[0], TaggedValue(QStringLiteral("zd")));
    EXPECT_EQ(p.ZusatzD[1], TaggedValue(8.0));
    EXPECT_EQ(p.ZusatzE[1], 9);
    EXPECT_EQ(p.SerienZusatz[0], 11);
    EXPECT_EQ(p.SerienWert[0], 19.5f);
    EXPECT_EQ(r.MatchSatz.LetzterIndex, -1);

    // Target fields in declaration order; the seven lengths come halved.
    const TaggedValue ScheibenDaten::*felder[] = {
        &ScheibenDaten::Bezeichnung,
        &ScheibenDaten::ScheibenArt,
        &ScheibenDaten::KennNummer,
        &ScheibenDaten::AussenRadius,
        &ScheibenDaten::SpiegelRadius,
        &ScheibenDaten::ZehnerRadius,
        &ScheibenDaten::ZehnerRingStyle,
        &ScheibenDaten::InnenZehnerRadius,
        &ScheibenDaten::InnenZehnerRingStyle,
        &ScheibenDaten::InnenKreuzRadius,
        &ScheibenDaten::InnenKreuzWinkel,
        &ScheibenDaten::VorhalteSpiegelRadius,
        &ScheibenDaten::VorhalteAbstand,
        &ScheibenDaten::Ringbreite,
        &ScheibenDaten::RingMin,
        &ScheibenDaten::RingMax,
        &ScheibenDaten::RingAnzahl,
        &ScheibenDaten::RingNummerWinkel,
        &ScheibenDaten::KartonBreite,
        &ScheibenDaten::KartonHoehe,
        &ScheibenDaten::Probe,
        &ScheibenDaten::BandVorschub,
        &ScheibenDaten::HinterGrundBildDatei,
        &ScheibenDaten::ZoomZentrumX,
        &ScheibenDaten::ZoomZentrumY,
        &ScheibenDaten::ZoomLevels,
        &ScheibenDaten::OffsetX,
        &ScheibenDaten::OffsetY,
        &ScheibenDaten::DateiName,
    };
    const QList<int> halbiert {3, 4, 5, 7, 13, 18, 19};
    for (int n = 0; n < 29; ++n) {
        SCOPED_TRACE(n);
        const TaggedValue& feld = r.Scheibe.*felder[n];
        if (n == 0 || n == 22 || n == 28)
            EXPECT_EQ(feld, TaggedValue(QStringLiteral("T%1").arg(100 + n)));
        else if (halbiert.contains(n))
            EXPECT_EQ(feld, TaggedValue((100 + n) / 2.0));
        else
            EXPECT_EQ(feld, TaggedValue(double(100 + n)));
    }

    EXPECT_EQ(r.Waffe.Bezeichnung, TaggedValue(QStringLiteral("LG")));
    EXPECT_EQ(r.Waffe.KennNummer, TaggedValue(2.0));
    EXPECT_EQ(r.Waffe.AnzeigeRadius, TaggedValue(225.0));
    EXPECT_EQ(r.Waffe.Durchmesser, TaggedValue(3.0));
    EXPECT_EQ(r.Waffe.MikrofonEinstellung, TaggedValue(5.0));

    EXPECT_EQ(r.Klasse.Bezeichnung, TaggedValue(QStringLiteral("Herren")));
    EXPECT_EQ(r.Klasse.AlterMax, TaggedValue(45.0));
    EXPECT_EQ(r.Klasse.AlterMin, TaggedValue(21.0));
    EXPECT_EQ(r.Klasse.KlassenNummer, TaggedValue(10.0));
    EXPECT_EQ(r.Klasse.RegelNummer, TaggedValue(QStringLiteral("bleibt")));

    const WettbewerbsDaten& w = r.Wettbewerb;
    EXPECT_EQ(w.Bezeichnung, TaggedValue(QStringLiteral("LG 40")));
    EXPECT_EQ(w.KennNummer, TaggedValue(12.0));
    EXPECT_EQ(w.RegelNummer, TaggedValue(QStringLiteral("1.10")));
    EXPECT_EQ(w.Zusatzfeld, TaggedValue(QStringLiteral("zusatz")));
    EXPECT_EQ(w.WertungsRadius, TaggedValue(200.0));
    EXPECT_EQ(w.DateiScheibe, TaggedValue(211.0));
    EXPECT_EQ(w.ZeitenAnzahl, TaggedValue(212.0));
    EXPECT_EQ(w.Zeit[3], TaggedValue(216.0));
    EXPECT_EQ(w.SchussAnzahl, TaggedValue(217.0));
    EXPECT_EQ(w.PositionsAnzahl, TaggedValue(222.0));
    EXPECT_EQ(w.SerienAnzahl, TaggedValue(227.0));
    EXPECT_EQ(w.Serien[3], TaggedValue(231.0));
}

TEST_F(ResultsFileTest, MatchWithoutShotsShowsTheSightingSet)
{
    TargetRecords r;
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(writeFile(sightingOnly().bytes()), r));
    EXPECT_EQ(r.AktuellerSatz.LetzterIndex, 1);
    EXPECT_EQ(r.AktuellerSatz.Ringwert[1], 10.25f);
    EXPECT_EQ(r.AktuellerSatz.Gesamt, 19.5f);
}

TEST_F(ResultsFileTest, LatestIndexMinusOneIsTakenFromTheShotNumber)
{
    // Sighting header with LetzterIndex -1 but shot number 3, no shots or series.
    ResultsText t;
    t.row(QStringLiteral("0,0"))
        .row(QStringLiteral("\"N\",1,2,3,4,5,6,7"))
        .row(QStringLiteral("0"))
        .row(QStringLiteral("\"\",\"\",0,3,27,-1,0,0,0,0,-1,0,0"))
        .row(QStringLiteral("0,-1"))
        .row(scheibeRow())
        .row(QStringLiteral("0,\"W\",1,2,3,4,5"))
        .row(QStringLiteral("0,\"K\",1,2,3,4"))
        .row(QStringLiteral("0,") + numbers(1, 36))
        .row(QStringLiteral("0,0,255,0,0,#FALSE#"));
    TargetRecords r;
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(writeFile(t.bytes()), r));
    EXPECT_EQ(r.ProbeSatz.LetzterIndex, -1);
    EXPECT_EQ(r.AktuellerSatz.LetzterIndex, 2);
    EXPECT_EQ(r.AktuellerSatz.SchussNummer, 3);
}

TEST_F(ResultsFileTest, UnquotedItemsBecomeNumbersFlagsOrNothing)
{
    ResultsText t = sightingOnly(QStringLiteral(",#TRUE#,0,2,19.5,1,4,5,6,0,0,0,1.25"));
    TargetRecords r;
    r.ProbeSatz.KopfA = TaggedValue(QStringLiteral("alt"));
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(writeFile(t.bytes()), r));
    EXPECT_TRUE(r.ProbeSatz.KopfA.isEmpty());
    EXPECT_EQ(r.ProbeSatz.KopfB, TaggedValue(-1.0));
    EXPECT_TRUE(r.Scheibe.ScheibenArt.isNumber());
    // Quoted digits stay text.
    EXPECT_TRUE(r.Kopfwerte[0].isText());
}

TEST_F(ResultsFileTest, MissingFileChangesNothing)
{
    TargetRecords r;
    r.SchuetzenName = TaggedValue(QStringLiteral("alt"));
    EXPECT_FALSE(ResultsFile::LadeErgebnisse(path(QStringLiteral("fehlt.txt")), r));
    EXPECT_EQ(r.SchuetzenName, TaggedValue(QStringLiteral("alt")));
}

TEST_F(ResultsFileTest, TruncatedFileKeepsWhatWasReadAndStops)
{
    QByteArray bytes = sightingOnly().bytes();
    // Cut inside the target row, after Ringbreite (field 13).
    const qsizetype cut = bytes.indexOf(",114,");
    ASSERT_GT(cut, 0);
    bytes.truncate(cut);
    TargetRecords r;
    r.Scheibe.RingMin = TaggedValue(QStringLiteral("alt"));
    r.AktuellerSatz.Gesamt = 77;
    EXPECT_FALSE(ResultsFile::LadeErgebnisse(writeFile(bytes), r));
    EXPECT_EQ(r.SchuetzenName, TaggedValue(QStringLiteral("Max Muster")));
    EXPECT_EQ(r.ProbeSatz.Ringwert[1], 10.25f);
    EXPECT_EQ(r.ProbeSatz.PosX[0], 50); // positions are halved as they are read
    EXPECT_EQ(r.Scheibe.Ringbreite, TaggedValue(113.0)); // not halved
    EXPECT_EQ(r.Scheibe.AussenRadius, TaggedValue(103.0));
    EXPECT_EQ(r.Scheibe.RingMin, TaggedValue(QStringLiteral("alt")));
    EXPECT_EQ(r.AktuellerSatz.Gesamt, 77); // no choice of set
}

TEST_F(ResultsFileTest, FileIsReleasedAfterAReadError)
{
    QByteArray bytes = sightingOnly().bytes();
    bytes.truncate(bytes.size() / 2);
    const QString file = writeFile(bytes);
    {
        // While a reader holds the file, no writer gets it: the check below
        // would otherwise prove nothing.
        SequentialReader holder(file);
        ASSERT_TRUE(holder.open(true));
        SequentialWriter blocked(file);
        EXPECT_FALSE(blocked.open());
    }
    TargetRecords r;
    ASSERT_FALSE(ResultsFile::LadeErgebnisse(file, r));
    SequentialWriter writer(file);
    ASSERT_TRUE(writer.open());
    writer.writeText(QStringLiteral("neu"));
    EXPECT_TRUE(writer.close());
    EXPECT_TRUE(QFile::remove(file));
}

TEST_F(ResultsFileTest, FileIsReleasedAfterASuccessfulRead)
{
    const QString file = writeFile(sightingOnly().bytes());
    TargetRecords r;
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(file, r));
    SequentialWriter writer(file);
    EXPECT_TRUE(writer.open());
}

TEST_F(ResultsFileTest, CountsOutsideTheSetsAreReadErrors)
{
    const struct {
        const char* name;
        QString probeHeader;
        QString matchRow;
    } cases[] = {
        {"LetzterIndex 151", QStringLiteral("\"\",\"\",0,2,0,151,0,0,0,0,-1,0,0"), QString()},
        {"LetzterIndex huge", QStringLiteral("\"\",\"\",0,2,0,1E30,0,0,0,0,-1,0,0"), QString()},
        {"LetzterIndex beyond single", QStringLiteral("\"\",\"\",0,2,0,1E300,0,0,0,0,-1,0,0"), QString()},
        {"LetzterIndex -2", QStringLiteral("\"\",\"\",0,2,0,-2,0,0,0,0,-1,0,0"), QString()},
        {"SerienLetzter 200", QStringLiteral("\"\",\"\",0,2,0,-1,0,0,0,0,200,0,0"), QString()},
        {"SerienLetzter -5", QStringLiteral("\"\",\"\",0,2,0,-1,0,0,0,0,-5,0,0"), QString()},
        {"match LetzterIndex 1000", QStringLiteral("\"\",\"\",0,2,0,-1,0,0,0,0,-1,0,0"), QStringLiteral("\"M\",1000")},
        {"match SerienLetzter 151", QStringLiteral("\"\",\"\",0,2,0,-1,0,0,0,0,-1,0,0"),
            QStringLiteral("\"M\",0\r\n\"\",\"\",0,1,0,0,0,0,0,151,0,0\r\n0,9,\"\",0,0,0,0,0,0")},
        {"shot number 1000", QStringLiteral("\"\",\"\",0,1000,0,-1,0,0,0,0,-1,0,0"), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes = "0,0\r\n\"N\",1,2,3,4,5,6,7\r\n0\r\n" + c.probeHeader.toLatin1() + "\r\n";
        bytes += (c.matchRow.isEmpty() ? QByteArray("\"M\",-1") : c.matchRow.toLatin1()) + "\r\n";
        bytes += scheibeRow().toLatin1() + "\r\n0,\"W\",1,2,3,4,5\r\n0,\"K\",1,2,3,4\r\n0," + numbers(1, 36).toLatin1()
            + "\r\n0,0,1,2,0,#TRUE#\r\n";
        TargetRecords r;
        EXPECT_FALSE(ResultsFile::LadeErgebnisse(writeFile(bytes), r));
        EXPECT_GE(r.ProbeSatz.LetzterIndex, -1);
        EXPECT_LE(r.ProbeSatz.LetzterIndex, 150);
        EXPECT_LE(r.ProbeSatz.SerienLetzter, 150);
        EXPECT_LE(r.MatchSatz.LetzterIndex, 150);
        EXPECT_LE(r.MatchSatz.SerienLetzter, 150);
        EXPECT_EQ(r.AktuellerSatz.LetzterIndex, -1);
    }
}

TEST_F(ResultsFileTest, FullSetOf150ShotsIsAccepted)
{
    ResultsText t;
    t.row(QStringLiteral("0,0")).row(QStringLiteral("\"N\",1,2,3,4,5,6,7")).row(QStringLiteral("0"));
    t.row(QStringLiteral("\"\",\"\",0,151,0,150,0,0,0,0,150,0,0"));
    for (int i = 0; i <= 150; ++i)
        t.row(QStringLiteral("0,%1,\"\",%2,0,0,0,0,0").arg(i % 11).arg(2 * i));
    for (int k = 0; k <= 150; ++k)
        t.row(QStringLiteral("0,%1").arg(k));
    t.row(QStringLiteral("0,-1"))
        .row(scheibeRow())
        .row(QStringLiteral("0,\"W\",1,2,3,4,5"))
        .row(QStringLiteral("0,\"K\",1,2,3,4"))
        .row(QStringLiteral("0,") + numbers(1, 36))
        .row(QStringLiteral("0,0,1,2,0,#TRUE#"));
    TargetRecords r;
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(writeFile(t.bytes()), r));
    EXPECT_EQ(r.AktuellerSatz.PosX[150], 150);
    EXPECT_EQ(r.AktuellerSatz.SerienWert[150], 150);
}

TEST_F(ResultsFileTest, TrailerByteOutOfRangeIsAReadError)
{
    QByteArray bytes = sightingOnly().bytes();
    bytes.replace("\"E\",0,1,2,", "\"E\",0,1,256,");
    TargetRecords r;
    EXPECT_FALSE(ResultsFile::LadeErgebnisse(writeFile(bytes), r));
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
    s.AnzeigeSerie = 0;
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
        s.ZusatzD[i] = i % 2 ? TaggedValue(QStringLiteral("d%1").arg(i)) : TaggedValue(double(i) / 7);
        s.ZusatzE[i] = -float(i);
    }
    for (int k = 0; k <= serienLetzter; ++k) {
        s.SerienZusatz[k] = float(k);
        s.SerienWert[k] = 95.3f + float(k);
    }
    return s;
}

void expectSameSet(const SchussSatz& a, const SchussSatz& b, bool mitZusatzD)
{
    EXPECT_EQ(a.LetzterIndex, b.LetzterIndex);
    EXPECT_EQ(a.KopfD, b.KopfD);
    EXPECT_EQ(a.SchussNummer, b.SchussNummer);
    EXPECT_EQ(a.Gesamt, b.Gesamt);
    EXPECT_EQ(a.KopfE, b.KopfE);
    EXPECT_EQ(a.KopfF, b.KopfF);
    EXPECT_EQ(a.MarkSchuss, b.MarkSchuss);
    EXPECT_EQ(a.SerienLetzter, b.SerienLetzter);
    EXPECT_EQ(a.AnzeigeSerie, b.AnzeigeSerie);
    EXPECT_EQ(a.KopfA, b.KopfA);
    EXPECT_EQ(a.KopfB, b.KopfB);
    EXPECT_EQ(a.KopfC, b.KopfC);
    EXPECT_EQ(a.KopfG, b.KopfG);
    EXPECT_EQ(a.ZusatzA, b.ZusatzA);
    EXPECT_EQ(a.Ringwert, b.Ringwert);
    EXPECT_EQ(a.SchussText, b.SchussText);
    EXPECT_EQ(a.PosX, b.PosX);
    EXPECT_EQ(a.PosY, b.PosY);
    EXPECT_EQ(a.ZusatzB, b.ZusatzB);
    EXPECT_EQ(a.ZusatzC, b.ZusatzC);
    if (mitZusatzD) {
        EXPECT_EQ(a.ZusatzD, b.ZusatzD);
    }
    EXPECT_EQ(a.ZusatzE, b.ZusatzE);
    EXPECT_EQ(a.SerienZusatz, b.SerienZusatz);
    EXPECT_EQ(a.SerienWert, b.SerienWert);
}

TargetRecords beispiel()
{
    TargetRecords r;
    r.SchuetzenName = TaggedValue(QStringLiteral("Müller, Jörg"));
    for (int n = 0; n < 7; ++n)
        r.Kopfwerte[n] = n % 2 ? TaggedValue(QStringLiteral("k%1").arg(n)) : TaggedValue(double(n) * 1.5);
    r.Kopfwerte[6] = TaggedValue();
    r.ProbeSatz = beispielSatz(1, 4, 0);
    r.MatchSatz = beispielSatz(2, 12, 1);

    ScheibenDaten& s = r.Scheibe;
    s.Bezeichnung = TaggedValue(QStringLiteral("LP 10 m"));
    s.ScheibenArt = TaggedValue(std::int32_t(2));
    s.AussenRadius = TaggedValue(7775.0);
    s.SpiegelRadius = TaggedValue(2975.0);
    s.ZehnerRadius = TaggedValue(287.5);
    s.ZehnerRingStyle = TaggedValue(1.0);
    s.InnenZehnerRadius = TaggedValue(125.0);
    s.Ringbreite = TaggedValue(400.0);
    s.RingMin = TaggedValue(1.0);
    s.RingMax = TaggedValue(8.0);
    s.RingAnzahl = TaggedValue(10.0);
    s.KartonBreite = TaggedValue(8500.0);
    s.KartonHoehe = TaggedValue(8500.25);
    s.Probe = TaggedValue(-1.0);
    s.HinterGrundBildDatei = TaggedValue(QStringLiteral("12"));
    s.ZoomLevels = TaggedValue(0.125);
    s.DateiName = TaggedValue(QStringLiteral("sd_lp10.def"));
    r.Waffe.Bezeichnung = TaggedValue(QStringLiteral("LP"));
    r.Waffe.AnzeigeRadius = TaggedValue(112.5);
    r.Waffe.Kaliber = TaggedValue(4.5);
    r.Klasse.Bezeichnung = TaggedValue(QStringLiteral("Damen"));
    r.Klasse.AlterMin = TaggedValue(21.0);
    r.Wettbewerb.Bezeichnung = TaggedValue(QStringLiteral("LP 40"));
    r.Wettbewerb.Zusatzfeld = TaggedValue(3.25);
    r.Wettbewerb.SchussZahl = TaggedValue(40.0);
    r.Wettbewerb.Zeit[2] = TaggedValue(QStringLiteral("50 min"));
    r.Wettbewerb.Serien[3] = TaggedValue(-4.0);
    return r;
}

TEST_F(ResultsFileTest, WriterOutputReadsBackFieldByField)
{
    const TargetRecords out = beispiel();
    const QString file = path();
    ASSERT_TRUE(ResultsFileWriter::write(file, out));
    TargetRecords in;
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(file, in));

    EXPECT_EQ(in.SchuetzenName, out.SchuetzenName);
    EXPECT_EQ(in.Kopfwerte, out.Kopfwerte);
    {
        SCOPED_TRACE("Probe");
        expectSameSet(in.ProbeSatz, out.ProbeSatz, true);
    }
    {
        SCOPED_TRACE("Match");
        expectSameSet(in.MatchSatz, out.MatchSatz, false);
        expectSameSet(in.AktuellerSatz, out.MatchSatz, false);
    }
    const ScheibenDaten& a = in.Scheibe;
    const ScheibenDaten& b = out.Scheibe;
    for (auto feld : {&ScheibenDaten::Bezeichnung, &ScheibenDaten::ScheibenArt, &ScheibenDaten::KennNummer,
             &ScheibenDaten::AussenRadius, &ScheibenDaten::SpiegelRadius, &ScheibenDaten::ZehnerRadius,
             &ScheibenDaten::ZehnerRingStyle, &ScheibenDaten::InnenZehnerRadius, &ScheibenDaten::InnenZehnerRingStyle,
             &ScheibenDaten::InnenKreuzRadius, &ScheibenDaten::InnenKreuzWinkel, &ScheibenDaten::VorhalteSpiegelRadius,
             &ScheibenDaten::VorhalteAbstand, &ScheibenDaten::Ringbreite, &ScheibenDaten::RingMin,
             &ScheibenDaten::RingMax, &ScheibenDaten::RingAnzahl, &ScheibenDaten::RingNummerWinkel,
             &ScheibenDaten::KartonBreite, &ScheibenDaten::KartonHoehe, &ScheibenDaten::Probe,
             &ScheibenDaten::BandVorschub, &ScheibenDaten::HinterGrundBildDatei, &ScheibenDaten::ZoomZentrumX,
             &ScheibenDaten::ZoomZentrumY, &ScheibenDaten::ZoomLevels, &ScheibenDaten::OffsetX, &ScheibenDaten::OffsetY,
             &ScheibenDaten::DateiName})
        EXPECT_EQ(a.*feld, b.*feld);
    EXPECT_TRUE(a.HinterGrundBildDatei.isText());
    EXPECT_TRUE(a.Probe.toBool());

    for (auto feld : {&WaffenDaten::Bezeichnung, &WaffenDaten::KennNummer, &WaffenDaten::AnzeigeRadius,
             &WaffenDaten::Durchmesser, &WaffenDaten::Kaliber, &WaffenDaten::MikrofonEinstellung})
        EXPECT_EQ(in.Waffe.*feld, out.Waffe.*feld);
    for (auto feld : {&KlassenDaten::Bezeichnung, &KlassenDaten::KennNummer, &KlassenDaten::AlterMax,
             &KlassenDaten::AlterMin, &KlassenDaten::KlassenNummer})
        EXPECT_EQ(in.Klasse.*feld, out.Klasse.*feld);

    const WettbewerbsDaten& w = in.Wettbewerb;
    const WettbewerbsDaten& v = out.Wettbewerb;
    for (auto feld : {&WettbewerbsDaten::Bezeichnung, &WettbewerbsDaten::KennNummer, &WettbewerbsDaten::Zusatzfeld,
             &WettbewerbsDaten::RegelNummer, &WettbewerbsDaten::WertungsRadius, &WettbewerbsDaten::MaximalerDurchmesser,
             &WettbewerbsDaten::MinimalerDurchmesser, &WettbewerbsDaten::SchussZahl, &WettbewerbsDaten::ProbeSchuesse,
             &WettbewerbsDaten::SchiessZeit, &WettbewerbsDaten::ProbeZeit, &WettbewerbsDaten::Wertung,
             &WettbewerbsDaten::SchiessPosition, &WettbewerbsDaten::Serienlaenge, &WettbewerbsDaten::DateiWaffe,
             &WettbewerbsDaten::DateiScheibe, &WettbewerbsDaten::ZeitenAnzahl, &WettbewerbsDaten::SchussAnzahl,
             &WettbewerbsDaten::PositionsAnzahl, &WettbewerbsDaten::SerienAnzahl})
        EXPECT_EQ(w.*feld, v.*feld);
    EXPECT_EQ(w.Zeit, v.Zeit);
    EXPECT_EQ(w.SchussZahlen, v.SchussZahlen);
    EXPECT_EQ(w.Position, v.Position);
    EXPECT_EQ(w.Serien, v.Serien);
}

TEST_F(ResultsFileTest, WriterReplacesTheFileAndLeavesNoTemporaryBehind)
{
    const QString file = writeFile("alter Inhalt");
    TargetRecords out = beispiel();
    out.MatchSatz.LetzterIndex = -1;
    ASSERT_TRUE(ResultsFileWriter::write(file, out));
    TargetRecords in;
    ASSERT_TRUE(ResultsFile::LadeErgebnisse(file, in));
    expectSameSet(in.AktuellerSatz, out.ProbeSatz, true);
    const QStringList entries = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(entries, QStringList {QStringLiteral("erg.txt")});
}

TEST_F(ResultsFileTest, WriterFailsIntoAMissingFolder)
{
    EXPECT_FALSE(
        ResultsFileWriter::write(FileLookup::join(path(QStringLiteral("fehlt")), QStringLiteral("e.txt")), beispiel()));
}

} // namespace
