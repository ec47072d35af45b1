#include "ads/AdvertisingCycle.h"
#include "shell/FrameTimers.h"
#include "shell/PageFlipping.h"
#include "support/FakeLanes.h"
#include "support/ProgramFolder.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

class PageFlippingTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        s().Scheibenanzahl = 10;
        s().ScheibenProSeite = 4;
        s().AnfScheibe = 1;
        s().EndScheibe = 10;
        s().Blaettern = 1;
        s().Wechselzeit = 30;
        s().VTXServerID = 1;
        s().KORVUWKID = 1;
        s().KORVUDisziID = 1;
        s().KORVUPfad = dir();
    }

    // The frame's load: the first page on screen, then the start-up step.
    void start(FakeTargets& targets)
    {
        SeitenBerechnen(state());
        targets.showOnly(1, s().ScheibenProSeite);
        state().pages.RanglisteAktiv = 0;
        state().pages.AlleSeitenGezeigt = 0;
        state().pages.RanglisteFertig = 1;
        state().pages.RanglisteAngefordert = 0;
    }
};

// Ten targets four to a page: pages of 4, 4 and 2 whose states turn in a ring.
TEST_F(PageFlippingTest, TenTargetsFourPerPageFlipInARing)
{
    FakeTargets targets(10);
    start(targets);
    const PageState& pages = state().pages;
    const auto states = [&pages] {
        return std::array<int, 3> {pages.Seiten[1].zustand, pages.Seiten[2].zustand, pages.Seiten[3].zustand};
    };
    EXPECT_EQ(pages.Seitenanzahl, 3);
    EXPECT_EQ((std::array<int, 3> {pages.Seiten[1].anzahl, pages.Seiten[2].anzahl, pages.Seiten[3].anzahl}),
        (std::array<int, 3> {4, 4, 2}));
    EXPECT_EQ(states(), (std::array<int, 3> {0, 2, 1}));
    EXPECT_EQ(pages.SeitenZaehler, 3);
    const struct {
        std::array<int, 3> states;
        QList<int> visible;
        int zaehler;
        int alleGezeigt;
    } steps[] = {
        {{1, 0, 2}, laneRange(5, 8), 2, 0},
        {{2, 1, 0}, laneRange(9, 10), 1, 0},
        {{0, 2, 1}, laneRange(1, 4), 0, 0},
        {{1, 0, 2}, laneRange(5, 8), 0, 1},
    };
    for (const auto& step : steps) {
        NaechsteSeite(state(), targets);
        EXPECT_EQ(states(), step.states);
        EXPECT_EQ(targets.visibleLanes(), step.visible);
        EXPECT_EQ(pages.SeitenZaehler, step.zaehler);
        EXPECT_EQ(pages.AlleSeitenGezeigt, step.alleGezeigt);
    }
}

TEST_F(PageFlippingTest, RangeThreeToNineFlipsBetweenTwoPages)
{
    s().AnfEnde = 1;
    s().AnfScheibe = 3;
    s().EndScheibe = 9;
    FakeTargets targets(10);
    SeitenBerechnen(state());
    EXPECT_EQ(state().pages.Seitenanzahl, 2);
    targets.showOnly(3, 6);
    for (const QList<int>& visible : {laneRange(7, 9), laneRange(3, 6), laneRange(7, 9)}) {
        NaechsteSeite(state(), targets);
        EXPECT_EQ(targets.visibleLanes(), visible);
    }
}

TEST_F(PageFlippingTest, OnePageOrPagesOfNoTargetsSwitchPagingOffAndAFlipShowsAll)
{
    // Per page, first and last shown target, pages.
    const std::array<int, 4> cases[] = {{10, 1, 10, 1}, {0, 1, 10, 0}, {4, 8, 3, 0}};
    for (const auto& [perPage, first, last, count] : cases) {
        s().ScheibenProSeite = static_cast<std::uint8_t>(perPage);
        s().Blaettern = 1;
        s().AnfEnde = 1;
        s().AnfScheibe = static_cast<std::int16_t>(first);
        s().EndScheibe = static_cast<std::int16_t>(last);
        state().pages.AlleSeitenGezeigt = 0;
        SeitenBerechnen(state());
        EXPECT_EQ(s().Blaettern, 0) << perPage;
        EXPECT_EQ(state().pages.Seitenanzahl, count) << perPage;
        EXPECT_EQ(state().pages.SeitenZaehler, 0);
        FakeTargets targets(10);
        NaechsteSeite(state(), targets);
        EXPECT_EQ(targets.visibleLanes(), laneRange(1, 10));
        EXPECT_EQ(state().pages.AlleSeitenGezeigt, 1);
    }
}

TEST_F(PageFlippingTest, TableLeftFromEarlierPagingIsNotFlipped)
{
    FakeTargets targets(10);
    SeitenBerechnen(state());
    s().Blaettern = 0;
    NaechsteSeite(state(), targets);
    EXPECT_EQ(targets.visibleLanes(), laneRange(1, 10));
    EXPECT_EQ(state().pages.SeitenZaehler, 2);
}

class PageFlipperTest : public PageFlippingTest {
protected:
    PageFlipperTest()
        : m_targets(10), m_werbeZyklus(state(), m_timers, m_werbung),
          m_flipper(state(), m_timers, m_targets, m_rangliste, m_werbeZyklus)
    {
    }
    void SetUp() override
    {
        PageFlippingTest::SetUp();
        start(m_targets);
        m_timers.tmrBlaettern.setInterval(30000);
        m_timers.tmrBlaettern.setEnabled(true);
    }
    // Page counter, ranking active, all pages shown, ranking done, ranking requested.
    static QString flags()
    {
        const PageState& p = state().pages;
        return u"Z%1 A%2 G%3 F%4 R%5"_s.arg(p.SeitenZaehler)
            .arg(p.RanglisteAktiv)
            .arg(p.AlleSeitenGezeigt)
            .arg(p.RanglisteFertig)
            .arg(p.RanglisteAngefordert);
    }
    void setMode(int rangUndScheibe, int ranglisteAn)
    {
        s().RangUndScheibe = static_cast<std::uint8_t>(rangUndScheibe);
        s().RanglisteAn = static_cast<std::uint8_t>(ranglisteAn);
    }

    FrameTimers m_timers;
    FakeTargets m_targets;
    FakeRanking m_rangliste;
    FakeAdvertising m_werbung;
    AdvertisingCycle m_werbeZyklus;
    PageFlipper m_flipper;
};

TEST_F(PageFlipperTest, TargetsOnlyStartTheNextPassAfterTheLastPage)
{
    for (const int rangUndScheibe : {0, 1}) {
        start(m_targets);
        setMode(rangUndScheibe, 0);
        m_rangliste.visible = true;
        state().pages.RanglisteAktiv = 1;
        state().pages.RanglisteAngefordert = 1;
        state().pages.RanglisteFertig = 0;
        for (const char* expected : {"Z2 A0 G0 F1 R0", "Z1 A0 G0 F1 R0", "Z0 A0 G0 F1 R0", "Z3 A0 G0 F1 R0"}) {
            m_timers.tmrBlaettern.setInterval(1234);
            m_flipper.tick();
            EXPECT_EQ(flags(), QLatin1String(expected)) << rangUndScheibe;
            EXPECT_TRUE(m_timers.tmrBlaettern.isEnabled());
        }
        // The new pass starts with the full change time.
        EXPECT_EQ(m_timers.tmrBlaettern.interval(), 30000);
        EXPECT_FALSE(m_rangliste.visible);
        EXPECT_TRUE(m_rangliste.calls.isEmpty());
    }
}

TEST_F(PageFlipperTest, AlternatingModeShowsTheRankingAfterEveryFullPass)
{
    setMode(1, 1);
    m_rangliste.csvLines = 30;
    // The ranking server has answered already.
    write(u"HRang1.nrt"_s, "\"ok\"\r\n");
    write(u"HRang1.ctl"_s, "\"ok\"\r\n");
    const QStringList none;
    const QStringList firstScreen {u"showInFront"_s, u"LeseCSVEin"_s, u"RanglisteLeeren"_s, u"RanglisteFuellen"_s};
    const QStringList nextScreen {u"showInFront"_s, u"RanglisteLeeren"_s, u"RanglisteFuellen"_s};
    const struct {
        const char* flags;
        bool rankingShown;
        QStringList calls;
        QList<int> lanes;
    } steps[] = {
        {"Z2 A0 G0 F1 R0", false, none, laneRange(5, 8)},
        {"Z1 A0 G0 F1 R0", false, none, laneRange(9, 10)},
        {"Z0 A0 G0 F1 R0", false, none, laneRange(1, 4)},
        {"Z0 A1 G1 F0 R0", false, none, laneRange(5, 8)}, // the fourth flip: ranking next
        {"Z0 A1 G1 F0 R1", true, firstScreen, laneRange(5, 8)}, // the answer is taken and the file read
        {"Z0 A1 G1 F1 R0", true, nextScreen, laneRange(5, 8)}, // the queue is empty; a new request goes out
        {"Z3 A0 G0 F1 R0", true, none, laneRange(5, 8)}, // shown through: the pages resume at a full count
        {"Z2 A0 G0 F1 R0", false, none, laneRange(9, 10)},
    };
    for (const auto& step : steps) {
        m_rangliste.calls.clear();
        m_flipper.tick();
        EXPECT_EQ(flags(), QLatin1String(step.flags));
        EXPECT_EQ(m_rangliste.visible, step.rankingShown) << step.flags;
        EXPECT_EQ(m_rangliste.calls, step.calls) << step.flags;
        EXPECT_EQ(m_targets.visibleLanes(), step.lanes) << step.flags;
    }
    EXPECT_FALSE(exists(u"HRang1.ctl"_s));
    EXPECT_TRUE(exists(u"HRngCS1.ctl"_s));
    EXPECT_TRUE(m_timers.tmrBlaettern.isEnabled());
}

TEST_F(PageFlipperTest, RankingOnlyWithoutServerSendsTheRequestOnce)
{
    setMode(0, 1);
    s().KORVUWKID = 3;
    s().KORVUKlassenNr = -7;
    s().VTXServerID = 2;
    m_flipper.tick();
    EXPECT_TRUE(m_rangliste.visible);
    EXPECT_EQ(flags(), u"Z3 A1 G0 F1 R0"_s);
    EXPECT_EQ(m_targets.visibleLanes(), laneRange(1, 4));
    ASSERT_TRUE(exists(u"HRngCS2.ctl"_s));
    EXPECT_EQ(read(u"HRngCS2.nrt"_s), QByteArray("\"3$1$-7$0$2\"\r\n"));
    // A marker shows whether the request is written again.
    write(u"HRngCS2.nrt"_s, "\"alt\"\r\n");
    for (int tick = 0; tick < 3; ++tick) {
        m_rangliste.calls.clear();
        m_flipper.tick();
        EXPECT_EQ(flags(), u"Z3 A1 G0 F0 R1"_s);
        EXPECT_TRUE(m_rangliste.calls.contains(u"LeseCSVEin"_s));
        EXPECT_TRUE(m_timers.tmrBlaettern.isEnabled());
    }
    EXPECT_EQ(read(u"HRngCS2.nrt"_s), QByteArray("\"alt\"\r\n"));
    EXPECT_TRUE(exists(u"HRngCS2.ctl"_s));
    EXPECT_FALSE(exists(u"HRang2.nrt"_s));
}

TEST_F(PageFlipperTest, OtherModesOnlyRestartTheTimer)
{
    setMode(2, 0);
    m_flipper.tick();
    EXPECT_EQ(m_targets.visibleLanes(), laneRange(1, 4));
    EXPECT_EQ(state().pages.SeitenZaehler, 3);
    EXPECT_TRUE(m_rangliste.calls.isEmpty());
    EXPECT_TRUE(m_timers.tmrBlaettern.isEnabled());
}

TEST_F(PageFlipperTest, AdvertisingTakesOverAfterTheFlip)
{
    s().FreieWerbung = 1;
    m_timers.tmrWerbePause.setEnabled(true);
    m_flipper.tick();
    EXPECT_EQ(m_targets.visibleLanes(), laneRange(5, 8));
    EXPECT_FALSE(m_timers.tmrBlaettern.isEnabled());
    EXPECT_TRUE(m_timers.tmrWerbung.isEnabled());
}

} // namespace
