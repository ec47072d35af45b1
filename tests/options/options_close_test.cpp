#include "options/OptionsCloseHandler.h"
#include "options/OptionsCloseView.h"
#include "options_host.h"
#include "platform/ProfileDocument.h"
#include "shell/FrameCaption.h"
#include "shell/SettingsFile.h"
#include "support/ProgramFolder.h"
#include "support/SettingsFields.h"

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

using Outcome = OptionsCloseHandler::Outcome;

class CloseTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        // What the dialog holds right after loading from these settings; the
        // switches and fields not set here are 0 or empty on both sides.
        for (std::uint8_t* count :
            {&s().Scheibenanzahl, &s().ScheibenProSeite, &m.mScheibenanzahl, &m.mScheibenProSeite})
            *count = 8;
        s().AnfScheibe = m.mAnfScheibe = 1;
        s().EndScheibe = m.mEndScheibe = 8;
        s().RLTitel = c.tbxRanglistenTitel = QStringLiteral("Rangliste");
    }

    Outcome close(FakeHost& frame) { return OptionsCloseHandler(state(), frame, view).run(m, c); }
    Outcome close() { return close(host); }
    QStringList logged(const char* call) const { return host.targets.logged(QLatin1String(call)); }
    qsizetype logIndex(const char* entry) const { return host.targets.log.indexOf(QLatin1String(entry)); }
    static QString saved(const char* key)
    {
        ProfileDocument document(SettingsFile::path());
        document.load();
        return document.readString(QStringLiteral("Options"), QString::fromLatin1(key), QStringLiteral("<none>"));
    }

    FakeHost host;
    FakeView view;
    WorkingCopies m;
    OptionsControls c;
};

TEST_F(CloseTest, TitleOnlyIsSavedAndShownWithoutRebuild)
{
    c.tbxRanglistenTitel = QStringLiteral("Kreismeisterschaft 2024");
    EXPECT_EQ(close(), Outcome::InPlace);
    EXPECT_EQ(host.rebuilds, 0);
    EXPECT_EQ(s().RLTitel, QStringLiteral("Kreismeisterschaft 2024"));
    EXPECT_EQ(saved("RLTitel"), QStringLiteral("Kreismeisterschaft 2024"));
    EXPECT_EQ(host.rankingTitle, QStringLiteral("Kreismeisterschaft 2024"));
    EXPECT_TRUE(logged("Refresh").isEmpty());
    EXPECT_EQ(view.hides, 1);
}

TEST_F(CloseTest, DetailedDisplayOnlyGetsTextsAtOnceAndRepaintAfterTheSave)
{
    c.chkAusfAnzeige = 1;
    EXPECT_EQ(close(), Outcome::InPlace);
    EXPECT_EQ(s().AusfAnzeige, 1);
    const QStringList texts = logged("TextBelegen");
    const QStringList repaints = logged("Refresh");
    ASSERT_EQ(texts.size(), 8);
    ASSERT_EQ(repaints.size(), 8);
    EXPECT_EQ(texts.first(), QStringLiteral("TextBelegen 1"));
    EXPECT_EQ(repaints.last(), QStringLiteral("Refresh 8"));
    EXPECT_LT(host.targets.log.indexOf(texts.last()), logIndex("DisziplinNr 1"));
    EXPECT_LT(logIndex("DisziplinNr 1"), host.targets.log.indexOf(repaints.first()));
    EXPECT_EQ(saved("AusfAnzeige"), QStringLiteral("1"));
}

TEST_F(CloseTest, NewCountWithTitleRebuildsAndLeavesTheTitle)
{
    m.mScheibenanzahl = 10;
    c.tbxRanglistenTitel = QStringLiteral("Neu");
    EXPECT_EQ(close(), Outcome::Rebuilt);
    EXPECT_EQ(host.rebuilds, 1);
    EXPECT_EQ(view.rebuildNotices, 1);
    EXPECT_EQ(view.hides, 0);
    EXPECT_EQ(s().Scheibenanzahl, 10);
    EXPECT_EQ(s().RLTitel, QStringLiteral("Rangliste"));
    EXPECT_EQ(host.rankingTitle, QStringLiteral("Rangliste"));
    // The frame's rebuild saves; the handler itself does not.
    EXPECT_FALSE(QFile::exists(SettingsFile::path()));
    EXPECT_LT(logIndex("rebuildFrame"), logIndex("setRankingTitle"));
}

TEST_F(CloseTest, RangeRestrictionShowsOnlyTheRangeAndRebuilds)
{
    const struct {
        int before, after, first, last, count;
        QList<int> visible;
        int storedFirst, storedLast;
    } cases[] = {
        {0, 1, 3, 5, 8, {3, 4, 5}, 3, 5}, {1, 1, 4, 6, 8, {4, 5, 6}, 4, 6}, // moved while ticked
        {0, 1, 3, 5, 6, laneRange(1, 8), 3, 5}, // a new count leaves the visibility to the rebuild
        {0, 0, 3, 5, 8, laneRange(1, 8), 1, 8}, // not stored while the restriction is off
    };
    for (const auto& t : cases) {
        FakeHost frame;
        s().Scheibenanzahl = 8;
        s().AnfEnde = static_cast<std::uint8_t>(t.before);
        s().AnfScheibe = t.before ? 3 : 1;
        s().EndScheibe = t.before ? 5 : 8;
        c.chkAnfEnd = static_cast<std::uint8_t>(t.after);
        m.mAnfScheibe = static_cast<std::int16_t>(t.first);
        m.mEndScheibe = static_cast<std::int16_t>(t.last);
        m.mScheibenanzahl = static_cast<std::uint8_t>(t.count);
        SCOPED_TRACE(testing::Message() << t.first << ".." << t.last << " of " << t.count);
        EXPECT_EQ(close(frame), Outcome::Rebuilt);
        EXPECT_EQ(frame.targets.visibleLanes(), t.visible);
        SettingsFields::expect(s(),
            QStringLiteral("AnfEnde=%1;AnfScheibe=%2;EndScheibe=%3").arg(t.after).arg(t.storedFirst).arg(t.storedLast));
    }
}

TEST_F(CloseTest, ServerIdIsRoundedHalfToEvenAndLimited)
{
    const std::pair<const char*, int> cases[] = {{"7.5", 8}, {"6.5", 6}, {"99999", 32767}};
    for (const auto& [text, expected] : cases) {
        c.tbxKennung = QString::fromLatin1(text);
        close();
        EXPECT_EQ(s().VTXServerID, expected) << text;
        EXPECT_EQ(saved("VTXServerID"), QString::number(expected)) << text;
    }
}

TEST_F(CloseTest, RankingFieldsWorkingCopiesAndSwatchAreTakenInPlace)
{
    c.tbxDisziplinID = QStringLiteral("4");
    c.tbxKlassenNr = QStringLiteral("2");
    c.tbxWettkampfID = QStringLiteral(" 17 ");
    c.chkMannschaftsliste = 1;
    c.chkRanglisteAn = 1;
    c.chkRngShbWechseln = 1;
    c.datenNetzwerkPfad = QStringLiteral("/srv/korvu");
    c.farbeProbeEcke = 65280;
    m.mVerbindungsArt = 1;
    m.mAnzeigeServer2 = 1;
    m.mNetzwerkPfad = QStringLiteral("/srv/exchange");
    EXPECT_EQ(close(), Outcome::InPlace);
    SettingsFields::expect(s(),
        QStringLiteral("KORVUDisziID=4;KORVUKlassenNr=2;KORVUWKID=17;KORVUMannschaft=1;RanglisteAn=1;RangUndScheibe=1;"
                       "VerbindungsArt=1;AnzeigeServerNr=1;KORVUPfad=/srv/korvu;NetzwerkPfad=/srv/exchange;"
                       "FarbeProbeEcke=65280"));
    EXPECT_TRUE(logged("Refresh").isEmpty());
}

TEST_F(CloseTest, PageIntervalOnlyIsSavedWithoutRebuildOrRepaint)
{
    m.mWechselzeit = 120;
    EXPECT_EQ(close(), Outcome::InPlace);
    EXPECT_EQ(host.rebuilds, 0);
    EXPECT_TRUE(logged("Refresh").isEmpty());
    EXPECT_TRUE(logged("TextBelegen").isEmpty());
    EXPECT_EQ(s().Wechselzeit, 120);
    EXPECT_EQ(saved("Wechselzeit"), QStringLiteral("120"));
    EXPECT_EQ(saved("Scheibenanzahl"), QStringLiteral("8"));
    EXPECT_EQ(view.hides, 1);
}

TEST_F(CloseTest, HitCrossesChangeEnablesNumberingAndRepaints)
{
    c.TrefferKreuz = 1;
    close();
    EXPECT_EQ(s().Trefferkreuze, 1);
    EXPECT_EQ(view.nummerierung, std::optional<bool>(true));
    EXPECT_EQ(logged("Refresh").size(), 8);
    EXPECT_TRUE(logged("TextBelegen").isEmpty());
}

TEST_F(CloseTest, DisplaySwitchesAreTakenEachAndRepaint)
{
    for (std::uint8_t* box : {&c.chkTrefferKreise, &c.chkZehner_Serie, &c.chkTrefferVergroesserung, &c.chkAutozoom,
             &c.chkSerienErgebnisse, &c.chkSchnellAnzeige, &c.chkEinZeilig})
        *box = 1;
    close();
    SettingsFields::expect(s(),
        QStringLiteral("Trefferkreise=1;SerienAnzeige=1;TrefferVergroessern=1;AutoZoom=1;SerienErgebnisse=1;"
                       "Schnellanzeige=1;chkEinZeilig=1"));
    EXPECT_EQ(logged("Refresh").size(), 8);
    EXPECT_FALSE(view.nummerierung.has_value());
}

TEST_F(CloseTest, LeagueArrangementOrPagingRebuildsWithoutTakingDisplayOptions)
{
    c.chkBuLiAnordnung = 1;
    c.chkSchnellAnzeige = 1;
    c.chkBlaettern = 1;
    m.mScheibenProSeite = 4;
    EXPECT_EQ(close(), Outcome::Rebuilt);
    EXPECT_EQ(host.rebuilds, 1);
    SettingsFields::expect(s(), QStringLiteral("BuliAnordnung=1;Schnellanzeige=0;Blaettern=1"));
    // Paging recomputes the page table.
    EXPECT_EQ(state().pages.Seitenanzahl, 2);
}

TEST_F(CloseTest, CaptionIsReloadedAndGetsTheVersionSuffix)
{
    host.caption = QStringLiteral("Frame");
    close();
    EXPECT_EQ(host.caption, QStringLiteral("Frame") + frameCaptionSuffix());

    write(QStringLiteral("Sprache_0.ini"), QByteArray("[frmMidi]\r\nForm_Caption=VTX target display\r\n"));
    close();
    EXPECT_EQ(host.caption, QStringLiteral("VTX target display") + frameCaptionSuffix());
    EXPECT_EQ(state().language.OptionsTexte[0], QStringLiteral("Optionen"));
}

TEST_F(CloseTest, UnwritableProgramFolderKeepsEverythingInMemory)
{
    write(QStringLiteral("plain"), QByteArray("x"));
    ProgramInfo::setDirectoryForTest(file(QStringLiteral("plain")));
    c.tbxRanglistenTitel = QStringLiteral("Titel");
    c.chkAusfAnzeige = 1;
    EXPECT_EQ(close(), Outcome::InPlace);
    SettingsFields::expect(s(), QStringLiteral("RLTitel=Titel;AusfAnzeige=1"));
    EXPECT_EQ(host.rankingTitle, QStringLiteral("Titel"));
    EXPECT_EQ(read(QStringLiteral("plain")), QByteArray("x"));
    EXPECT_EQ(view.hides, 1);
}

} // namespace
