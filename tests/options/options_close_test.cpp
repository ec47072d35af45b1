#include "options/OptionsCloseHandler.h"
#include "options/OptionsCloseView.h"
#include "options_fakes.h"
#include "options_program_folder.h"
#include "platform/ProfileDocument.h"
#include "shell/FrameCaption.h"
#include "shell/SettingsFile.h"

#include <optional>

namespace {

class FakeView : public OptionsCloseView {
public:
    void setNummerierungEnabled(bool enabled) override { nummerierung = enabled; }
    void beforeRebuild() override { ++rebuildNotices; }
    void hideDialog() override { ++hides; }

    std::optional<bool> nummerierung;
    int rebuildNotices = 0;
    int hides = 0;
};

class CloseTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Einstellungen& s = state().settings;
        s.Scheibenanzahl = 8;
        s.ScheibenProSeite = 8;
        s.Wechselzeit = 60;
        s.AnfScheibe = 1;
        s.EndScheibe = 8;
        s.SerienAnzeige = 1;
        s.AusfAnzeige = 1;
        s.ZehntelAnzeige = 1;
        s.TrefferVergroessern = 1;
        s.FarbeProbeEcke = 255;
        s.AutoZoom = 1;
        s.VerbindungsArt = 1;
        s.Sprache = 1;
        s.NetzwerkPfad = dir();
        s.KORVUPfad = dir();
        s.KORVUDisziID = 1;
        s.KORVUWKID = 1;
        s.VTXServerID = 1;
        s.RLTitel = QStringLiteral("Rangliste");
        s.Disziplinen = QStringList(8, QStringLiteral("1.10"));

        // What the dialog holds right after loading from these settings.
        m.mScheibenanzahl = s.Scheibenanzahl;
        m.mScheibenProSeite = s.ScheibenProSeite;
        m.mAnfScheibe = s.AnfScheibe;
        m.mEndScheibe = s.EndScheibe;
        m.mWechselzeit = s.Wechselzeit;
        m.mVerbindungsArt = s.VerbindungsArt;
        m.mNetzwerkPfad = s.NetzwerkPfad;
        m.mAnzeigeServer2 = s.AnzeigeServerNr;
        c.chkAusfAnzeige = s.AusfAnzeige;
        c.chkZehner_Serie = s.SerienAnzeige;
        c.chkTrefferVergroesserung = s.TrefferVergroessern;
        c.chkAutozoom = s.AutoZoom;
        c.tbxDisziplinID = QStringLiteral("1");
        c.tbxKlassenNr = QStringLiteral("0");
        c.tbxWettkampfID = QStringLiteral("1");
        c.tbxKennung = QStringLiteral("1");
        c.tbxRanglistenTitel = s.RLTitel;
        c.datenNetzwerkPfad = s.KORVUPfad;
        c.farbeProbeEcke = 255;
    }

    OptionsCloseHandler::Outcome close()
    {
        OptionsCloseHandler handler(state(), host, view);
        return handler.run(m, c);
    }

    QString saved(const char* key) const
    {
        ProfileDocument document(SettingsFile::path());
        document.load();
        return document.readString(QStringLiteral("Options"), QString::fromLatin1(key), QStringLiteral("<none>"));
    }

    Einstellungen& s() { return state().settings; }

    FakeHost host;
    FakeView view;
    WorkingCopies m;
    OptionsControls c;
};

TEST_F(CloseTest, NothingChangedSavesWithoutRebuildOrRepaint)
{
    EXPECT_EQ(close(), OptionsCloseHandler::Outcome::InPlace);
    EXPECT_EQ(host.rebuilds, 0);
    EXPECT_TRUE(host.logged(QStringLiteral("Refresh")).isEmpty());
    EXPECT_TRUE(host.logged(QStringLiteral("TextBelegen")).isEmpty());
    EXPECT_EQ(saved("Scheibenanzahl"), QStringLiteral("8"));
    EXPECT_EQ(view.hides, 1);
}

TEST_F(CloseTest, TitleOnlyIsSavedAndShownWithoutRebuild)
{
    c.tbxRanglistenTitel = QStringLiteral("Kreismeisterschaft 2024");
    EXPECT_EQ(close(), OptionsCloseHandler::Outcome::InPlace);
    EXPECT_EQ(host.rebuilds, 0);
    EXPECT_EQ(s().RLTitel, QStringLiteral("Kreismeisterschaft 2024"));
    EXPECT_EQ(saved("RLTitel"), QStringLiteral("Kreismeisterschaft 2024"));
    EXPECT_EQ(host.rankingTitle, QStringLiteral("Kreismeisterschaft 2024"));
    EXPECT_TRUE(host.logged(QStringLiteral("Refresh")).isEmpty());
    EXPECT_EQ(view.hides, 1);
}

TEST_F(CloseTest, DetailedDisplayGetsTextsAtOnceAndRepaintAfterTheSave)
{
    c.chkAusfAnzeige = 0;
    close();
    EXPECT_EQ(s().AusfAnzeige, 0);
    const QStringList texts = host.logged(QStringLiteral("TextBelegen"));
    const QStringList repaints = host.logged(QStringLiteral("Refresh"));
    ASSERT_EQ(texts.size(), 8);
    ASSERT_EQ(repaints.size(), 8);
    EXPECT_EQ(texts.first(), QStringLiteral("TextBelegen 1"));
    EXPECT_EQ(repaints.last(), QStringLiteral("Refresh 8"));
    const qsizetype lastText = host.log.indexOf(texts.last());
    const qsizetype save = host.log.indexOf(QStringLiteral("DisziplinNr 1"));
    const qsizetype firstRepaint = host.log.indexOf(repaints.first());
    EXPECT_LT(lastText, save);
    EXPECT_LT(save, firstRepaint);
    EXPECT_EQ(saved("AusfAnzeige"), QStringLiteral("0"));
}

TEST_F(CloseTest, NewCountWithTitleRebuildsAndLeavesTheTitle)
{
    m.mScheibenanzahl = 10;
    c.tbxRanglistenTitel = QStringLiteral("Neu");
    EXPECT_EQ(close(), OptionsCloseHandler::Outcome::Rebuilt);
    EXPECT_EQ(host.rebuilds, 1);
    EXPECT_EQ(view.rebuildNotices, 1);
    EXPECT_EQ(view.hides, 0);
    EXPECT_EQ(s().Scheibenanzahl, 10);
    EXPECT_EQ(s().RLTitel, QStringLiteral("Rangliste"));
    EXPECT_EQ(host.rankingTitle, QStringLiteral("Rangliste"));
    // The frame's rebuild saves; the handler itself does not.
    EXPECT_FALSE(QFile::exists(SettingsFile::path()));
    EXPECT_LT(host.log.indexOf(QStringLiteral("rebuildFrame")), host.log.indexOf(QStringLiteral("setRankingTitle")));
}

TEST_F(CloseTest, RangeTickedShowsOnlyTheRangeAndRebuilds)
{
    c.chkAnfEnd = 1;
    m.mAnfScheibe = 3;
    m.mEndScheibe = 5;
    EXPECT_EQ(close(), OptionsCloseHandler::Outcome::Rebuilt);
    EXPECT_EQ(s().AnfEnde, 1);
    EXPECT_EQ(s().AnfScheibe, 3);
    EXPECT_EQ(s().EndScheibe, 5);
    EXPECT_EQ(host.visibleLanes(), (QList<int> {3, 4, 5}));
}

TEST_F(CloseTest, RangeMovedWhileTickedIsAppliedToo)
{
    s().AnfEnde = 1;
    s().AnfScheibe = 3;
    s().EndScheibe = 5;
    c.chkAnfEnd = 1;
    m.mAnfScheibe = 4;
    m.mEndScheibe = 6;
    EXPECT_EQ(close(), OptionsCloseHandler::Outcome::Rebuilt);
    EXPECT_EQ(host.visibleLanes(), (QList<int> {4, 5, 6}));
}

TEST_F(CloseTest, RangeWithNewCountLeavesVisibilityToTheRebuild)
{
    c.chkAnfEnd = 1;
    m.mAnfScheibe = 3;
    m.mEndScheibe = 5;
    m.mScheibenanzahl = 6;
    close();
    EXPECT_EQ(host.visibleLanes().size(), 8);
    EXPECT_EQ(s().AnfScheibe, 3);
}

TEST_F(CloseTest, RangeNotStoredWhenRestrictionIsOff)
{
    m.mAnfScheibe = 3;
    m.mEndScheibe = 5;
    close();
    EXPECT_EQ(s().AnfScheibe, 1);
    EXPECT_EQ(s().EndScheibe, 8);
    EXPECT_EQ(host.visibleLanes().size(), 8);
}

TEST_F(CloseTest, ServerIdIsRoundedHalfToEven)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {{"7.5", 8}, {"6.5", 6}, {"", 0}, {"12abc", 12}, {"99999", 32767}, {"-40000", -32768}};
    for (const auto& tc : cases) {
        c.tbxKennung = QString::fromLatin1(tc.text);
        close();
        EXPECT_EQ(s().VTXServerID, tc.expected) << tc.text;
        EXPECT_EQ(saved("VTXServerID"), QString::number(tc.expected)) << tc.text;
    }
}

TEST_F(CloseTest, RankingFieldsAreTakenInPlace)
{
    c.tbxDisziplinID = QStringLiteral("4");
    c.tbxKlassenNr = QStringLiteral("2");
    c.tbxWettkampfID = QStringLiteral(" 17 ");
    c.chkMannschaftsliste = 1;
    c.chkRanglisteAn = 1;
    c.chkRngShbWechseln = 1;
    c.datenNetzwerkPfad = QStringLiteral("/srv/korvu");
    close();
    EXPECT_EQ(s().KORVUDisziID, 4);
    EXPECT_EQ(s().KORVUKlassenNr, 2);
    EXPECT_EQ(s().KORVUWKID, 17);
    EXPECT_EQ(s().KORVUMannschaft, 1);
    EXPECT_EQ(s().RanglisteAn, 1);
    EXPECT_EQ(s().RangUndScheibe, 1);
    EXPECT_EQ(s().KORVUPfad, QStringLiteral("/srv/korvu"));
    EXPECT_TRUE(host.logged(QStringLiteral("Refresh")).isEmpty());
}

TEST_F(CloseTest, PageIntervalOnlyIsSavedWithoutRepaint)
{
    m.mWechselzeit = 120;
    EXPECT_EQ(close(), OptionsCloseHandler::Outcome::InPlace);
    EXPECT_EQ(host.rebuilds, 0);
    EXPECT_TRUE(host.logged(QStringLiteral("Refresh")).isEmpty());
    EXPECT_EQ(s().Wechselzeit, 120);
    EXPECT_EQ(saved("Wechselzeit"), QStringLiteral("120"));
}

TEST_F(CloseTest, CopiesTheWorkingCopiesAndTheSwatch)
{
    m.mVerbindungsArt = 0;
    m.mAnzeigeServer2 = 1;
    m.mNetzwerkPfad = QStringLiteral("/srv/exchange");
    c.farbeProbeEcke = 65280;
    close();
    EXPECT_EQ(s().VerbindungsArt, 0);
    EXPECT_EQ(s().AnzeigeServerNr, 1);
    EXPECT_EQ(s().NetzwerkPfad, QStringLiteral("/srv/exchange"));
    EXPECT_EQ(s().FarbeProbeEcke, 65280.0);
    EXPECT_EQ(host.rebuilds, 0);
}

TEST_F(CloseTest, HitCrossesChangeEnablesNumberingAndRepaints)
{
    c.TrefferKreuz = 1;
    close();
    EXPECT_EQ(s().Trefferkreuze, 1);
    EXPECT_EQ(view.nummerierung, std::optional<bool>(true));
    EXPECT_EQ(host.logged(QStringLiteral("Refresh")).size(), 8);
    EXPECT_TRUE(host.logged(QStringLiteral("TextBelegen")).isEmpty());
}

TEST_F(CloseTest, DisplaySwitchesAreTakenEachAndRepaint)
{
    c.chkTrefferKreise = 1;
    c.chkZehner_Serie = 0;
    c.chkTrefferVergroesserung = 0;
    c.chkAutozoom = 0;
    c.chkSerienErgebnisse = 1;
    c.chkSchnellAnzeige = 1;
    c.chkEinZeilig = 1;
    close();
    EXPECT_EQ(s().Trefferkreise, 1);
    EXPECT_EQ(s().SerienAnzeige, 0);
    EXPECT_EQ(s().TrefferVergroessern, 0);
    EXPECT_EQ(s().AutoZoom, 0);
    EXPECT_EQ(s().SerienErgebnisse, 1);
    EXPECT_EQ(s().Schnellanzeige, 1);
    EXPECT_EQ(s().chkEinZeilig, 1);
    EXPECT_EQ(host.logged(QStringLiteral("Refresh")).size(), 8);
    EXPECT_FALSE(view.nummerierung.has_value());
}

TEST_F(CloseTest, LeagueArrangementChangeRebuildsWithoutTakingDisplayOptions)
{
    c.chkBuLiAnordnung = 1;
    c.chkSchnellAnzeige = 1;
    EXPECT_EQ(close(), OptionsCloseHandler::Outcome::Rebuilt);
    EXPECT_EQ(s().BuliAnordnung, 1);
    EXPECT_EQ(s().Schnellanzeige, 0);
}

TEST_F(CloseTest, PagingRecomputesThePageTable)
{
    c.chkBlaettern = 1;
    m.mScheibenProSeite = 4;
    close();
    EXPECT_EQ(s().Blaettern, 1);
    EXPECT_EQ(state().pages.Seitenanzahl, 2);
    EXPECT_EQ(host.rebuilds, 1);
}

TEST_F(CloseTest, CaptionIsReloadedAndGetsTheVersionSuffix)
{
    write(QStringLiteral("Sprache_1.ini"), QByteArray("[frmMidi]\r\nForm_Caption=VTX target display\r\n"));
    host.caption = QStringLiteral("VTX-Scheibenanzeige 2002 V1.3.904  Company");
    close();
    EXPECT_EQ(host.caption, QStringLiteral("VTX target display") + frameCaptionSuffix());
    EXPECT_EQ(state().language.OptionsTexte[0], QStringLiteral("Optionen"));
}

TEST_F(CloseTest, WithoutLanguageFileTheSuffixIsStillAppended)
{
    host.caption = QStringLiteral("Frame");
    close();
    EXPECT_EQ(host.caption, QStringLiteral("Frame") + frameCaptionSuffix());
}

TEST_F(CloseTest, UnwritableProgramFolderKeepsEverythingInMemory)
{
    write(QStringLiteral("plain"), QByteArray("x"));
    ProgramInfo::setDirectoryForTest(file(QStringLiteral("plain")));
    c.tbxRanglistenTitel = QStringLiteral("Titel");
    c.chkAusfAnzeige = 0;
    EXPECT_EQ(close(), OptionsCloseHandler::Outcome::InPlace);
    EXPECT_EQ(s().RLTitel, QStringLiteral("Titel"));
    EXPECT_EQ(s().AusfAnzeige, 0);
    EXPECT_EQ(host.rankingTitle, QStringLiteral("Titel"));
    EXPECT_EQ(read(QStringLiteral("plain")), QByteArray("x"));
    EXPECT_EQ(view.hides, 1);
}

} // namespace
