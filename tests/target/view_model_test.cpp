#include "platform/ProgramInfo.h"
#include "support/TestDialogs.h"
#include "target/TargetModel.h"
#include "target_test_support.h"

#include <QDir>

namespace {

QByteArray competition(const QByteArray& name, const QByteArray& waffe, const QByteArray& scheibe)
{
    return "\"" + name + "\",1,\"R\",0,0,0,40,10,\"50\",15,1,\"stehend\",10,\"" + waffe + "\",\"" + scheibe
        + "\"\r\n1,\"50\",\"\",\"\",\"\",1,40,0,0,0,1,\"S\",\"\",\"\",\"\",1,4,0,0,0\r\n";
}

class ModelTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        ProgramState::reset();
        TestDialogs::clear();
        ProgramInfo::setDirectoryForTest(m_dir.path());
        write(QStringLiteral("hd_1-10.def"), competition("LG 10m", "waffe.def", "scheibe.def"));
        write(QStringLiteral("hd_1-40.def"), competition("Fehlt", "waffe.def", "fehlt.def"));
        write(QStringLiteral("scheibe.def"), "\"LG\",1,1,380,180,20,0,0,1,0,0,0,0,40,1,8,10,0,1000,1000,-1,0,0\r\n");
        write(QStringLiteral("waffe.def"), "\"LG 4,5\",1,20,45,4.5,0\r\n");
    }
    void TearDown() override { ProgramInfo::setDirectoryForTest(QString()); }
    static Einstellungen& settings() { return ProgramState::instance().settings; }

    TargetModel model;
};

TEST_F(ModelTest, InitLoadsTheDisciplineAndStartsAShooter)
{
    viewTestShots(model, 4);
    model.records.Scheibe.Probe = TaggedValue(0);
    ASSERT_TRUE(model.Init(QStringLiteral(" 255 $1.10$Max$Muster")));
    EXPECT_EQ(model.DisziplinNr, QStringLiteral("1.10"));
    EXPECT_EQ(model.records.SchuetzenName.toString(), QStringLiteral("Max$Muster"));
    EXPECT_EQ(model.records.Wettbewerb.Bezeichnung.toString(), QStringLiteral("LG 10m"));
    EXPECT_EQ(model.records.Scheibe.Ringbreite.toDouble(), 40);
    EXPECT_EQ(model.records.Waffe.AnzeigeRadius.toDouble(), 20);
    EXPECT_EQ(model.records.AktuellerSatz.LetzterIndex, -1);
    EXPECT_EQ(model.records.AktuellerSatz.SchussNummer, 0);
    EXPECT_TRUE(model.probe());
    EXPECT_EQ(model.VolleBreite, 1000);
}

TEST_F(ModelTest, BadAnnouncementChangesNothing)
{
    model.DisziplinNr = QStringLiteral("2.20");
    model.records.SchuetzenName = TaggedValue(QStringLiteral("Alt"));
    viewTestShots(model, 3);
    for (const char* bad : {"7$1.10", "7", "", "300$1.10$X", "-1$1.10$X", "abc$1.10$X", "$1.10$X"}) {
        EXPECT_FALSE(model.Init(QString::fromLatin1(bad))) << bad;
        EXPECT_EQ(model.DisziplinNr, QStringLiteral("2.20"));
        EXPECT_EQ(model.records.SchuetzenName.toString(), QStringLiteral("Alt"));
        EXPECT_EQ(model.records.AktuellerSatz.LetzterIndex, 2);
        EXPECT_TRUE(model.records.Wettbewerb.Bezeichnung.isEmpty());
    }
}

TEST_F(ModelTest, MissingTargetFileSkipsTheRest)
{
    viewTestShots(model, 3);
    model.records.Scheibe.Probe = TaggedValue(0);
    EXPECT_FALSE(model.Init(QStringLiteral("3$1.40$Name")));
    EXPECT_EQ(model.DisziplinNr, QStringLiteral("1.40"));
    EXPECT_EQ(model.records.Wettbewerb.Bezeichnung.toString(), QStringLiteral("Fehlt"));
    EXPECT_EQ(model.records.AktuellerSatz.LetzterIndex, 2);
    EXPECT_FALSE(model.probe());
}

TEST_F(ModelTest, FilesNamedWithBackslashesAndOtherCaseOrNotNamedAtAll)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("daten")));
    write(QStringLiteral("hd_2-10.def"), competition("LP", "WAFFE.DEF", "Daten\\Scheibe.DEF"));
    writeTestFile(FileLookup::join(path(QStringLiteral("daten")), QStringLiteral("scheibe.def")),
        "\"LP\",1,1,700,300,50,0,0,1,0,0,0,0,80,1,9,10,0,1700,1700,0,0,0\r\n");
    ASSERT_TRUE(model.Init(QStringLiteral("1$2.10$X")));
    EXPECT_EQ(model.records.Scheibe.Ringbreite.toDouble(), 80);
    EXPECT_EQ(model.records.Waffe.AnzeigeRadius.toDouble(), 20);

    // A competition that names no target or weapon leaves them as they were.
    write(QStringLiteral("hd_2-60.def"), competition("Ohne", "", ""));
    ASSERT_TRUE(model.Init(QStringLiteral("1$2.60$X")));
    EXPECT_EQ(model.records.Wettbewerb.Bezeichnung.toString(), QStringLiteral("Ohne"));
    EXPECT_EQ(model.records.Scheibe.Ringbreite.toDouble(), 80);
    EXPECT_EQ(model.records.Waffe.AnzeigeRadius.toDouble(), 20);
}

TEST_F(ModelTest, TargetFileResetsTheZoomAndEndsSighting)
{
    model.Scheibe_ZoomNummer = 6;
    model.RandProzent = 7;
    model.KartonProzent = 50;
    model.records.Scheibe.OffsetX = TaggedValue(12.0);
    model.records.Scheibe.Probe = TaggedValue(-1);
    const TaggedValue result = model.ScheibenSelection(path(QStringLiteral("scheibe.def")), TaggedValue(3.0));
    EXPECT_TRUE(result.isEmpty());
    EXPECT_FALSE(model.probe());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 0);
    EXPECT_EQ(model.records.Scheibe.OffsetX.toDouble(), 0);
    EXPECT_EQ(model.SichtBreite, 1000);
    EXPECT_EQ(model.KartonProzent, 90);
    EXPECT_EQ(model.RandProzent, 5);
}

TEST_F(ModelTest, Init2002ResetsEverySet)
{
    model.records.SchuetzenName = TaggedValue(QStringLiteral("Alt"));
    model.records.ProbeSatz.LetzterIndex = 4;
    model.records.ProbeSatz.SchussNummer = 5;
    model.records.MatchSatz.Gesamt = 300;
    viewTestShots(model, 2);
    model.records.Scheibe.Probe = TaggedValue(0);
    model.captions.lblSerie.fill(QStringLiteral("99"));
    model.captions.lblGesamt = QStringLiteral("19");
    model.Init2002();
    EXPECT_EQ(model.records.SchuetzenName.toString(), QString());
    for (const SchussSatz* satz : {&model.records.ProbeSatz, &model.records.MatchSatz, &model.records.AktuellerSatz}) {
        EXPECT_EQ(satz->LetzterIndex, -1);
        EXPECT_EQ(satz->SchussNummer, 0);
        EXPECT_EQ(satz->Gesamt, 0);
    }
    EXPECT_TRUE(model.probe());
    for (const QString& serie : model.captions.lblSerie)
        EXPECT_TRUE(serie.isEmpty());
    EXPECT_EQ(model.captions.lblGesamt, QStringLiteral("19"));
}

TEST_F(ModelTest, SetProbeCopiesTheChosenSet)
{
    model.records.ProbeSatz.SchussNummer = 3;
    model.records.MatchSatz.SchussNummer = 7;
    model.SetProbe(true);
    EXPECT_TRUE(model.probe());
    EXPECT_EQ(model.records.AktuellerSatz.SchussNummer, 3);
    model.records.ProbeSatz.SchussNummer = 4;
    EXPECT_EQ(model.records.AktuellerSatz.SchussNummer, 3);

    model.SetProbe(false);
    EXPECT_FALSE(model.probe());
    EXPECT_EQ(model.records.AktuellerSatz.SchussNummer, 7);
    model.records.AktuellerSatz.SchussNummer = 1;
    EXPECT_EQ(model.records.MatchSatz.SchussNummer, 7);
}

TEST_F(ModelTest, LoadEventZoomsByTheAutoZoomRule)
{
    model.DisziplinNr = QStringLiteral("1.10");
    model.gTitelName = QStringLiteral("wartet");
    settings().AutoZoom = 0;
    model.Scheibe_ZoomNummer = 8;
    model.Laden(settings());
    EXPECT_TRUE(model.gTitelName.isEmpty());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 1);
    EXPECT_DOUBLE_EQ(model.SichtBreite, 2 * 380 + 3 * 40);
    EXPECT_EQ(model.Rand, 44);
    EXPECT_EQ(model.KartonGroesse, 792);
    EXPECT_EQ(model.MitteX, 440);

    settings().AutoZoom = 1;
    viewTestShots(model, 1);
    model.records.AktuellerSatz.Ringwert[0] = 9.8f;
    model.Laden(settings());
    EXPECT_EQ(model.Scheibe_ZoomNummer, 8);
}

TEST_F(ModelTest, LoadEventSurvivesMissingFiles)
{
    model.DisziplinNr = QStringLiteral("1.40");
    model.Laden(settings());
    EXPECT_EQ(model.records.Wettbewerb.Bezeichnung.toString(), QStringLiteral("Fehlt"));

    // Without its competition file no target or weapon is read.
    QFile::remove(path(QStringLiteral("hd_1-10.def")));
    model.records.Scheibe.Bezeichnung = TaggedValue(QStringLiteral("vorher"));
    model.DisziplinNr = QString();
    model.Laden(settings());
    ASSERT_EQ(TestDialogs::messages().size(), 1);
    EXPECT_TRUE(TestDialogs::messages()[0].text.startsWith(QStringLiteral("Datei existiert nicht: ")));
    EXPECT_TRUE(model.records.Wettbewerb.Bezeichnung.isEmpty());
    EXPECT_EQ(model.records.Scheibe.Bezeichnung.toString(), QStringLiteral("vorher"));
}

} // namespace
