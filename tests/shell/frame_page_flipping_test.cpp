#include "ads/AdvertisingCycle.h"
#include "frame_fakes.h"
#include "platform/FileLookup.h"
#include "shell/FrameTimers.h"
#include "shell/PageFlipping.h"
#include "shell/ProgramState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <gtest/gtest.h>

namespace
{

std::array<int, 3> states(const PageState& pages)
{
    return {pages.Seiten[1].zustand, pages.Seiten[2].zustand, pages.Seiten[3].zustand};
}

QList<int> lanes(int first, int last)
{
    QList<int> result;
    for (int lane = first; lane <= last; ++lane)
        result.append(lane);
    return result;
}

class PageFlippingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ProgramState::reset();
        ASSERT_TRUE(m_dir.isValid());
        Einstellungen& s = state().settings;
        s.Scheibenanzahl = 10;
        s.ScheibenProSeite = 4;
        s.AnfScheibe = 1;
        s.EndScheibe = 10;
        s.Blaettern = 1;
        s.Wechselzeit = 30;
        s.VTXServerID = 1;
        s.KORVUWKID = 1;
        s.KORVUDisziID = 1;
        s.KORVUPfad = QDir::toNativeSeparators(m_dir.path());
    }
    void TearDown() override { ProgramState::reset(); }

    static ProgramState& state() { return ProgramState::instance(); }
    QString korvuFile(const QString& name) const { return FileLookup::join(state().settings.KORVUPfad, name); }

    // The frame's load: the first page on screen, then the start-up step.
    void start(FakeTargets& targets)
    {
        SeitenBerechnen(state());
        targets.showOnly(1, state().settings.ScheibenProSeite);
        PageState& pages = state().pages;
        pages.RanglisteAktiv = 0;
        pages.AlleSeitenGezeigt = 0;
        pages.RanglisteFertig = 1;
        pages.RanglisteAngefordert = 0;
    }

    QTemporaryDir m_dir;
};

TEST_F(PageFlippingTest, TenTargetsFourPerPage)
{
    SeitenBerechnen(state());
    const PageState& pages = state().pages;
    EXPECT_EQ(pages.Seitenanzahl, 3);
    EXPECT_EQ(pages.Seiten[1].anzahl, 4);
    EXPECT_EQ(pages.Seiten[2].anzahl, 4);
    EXPECT_EQ(pages.Seiten[3].anzahl, 2);
    EXPECT_EQ(states(pages), (std::array<int, 3> {0, 2, 1}));
    EXPECT_EQ(pages.SeitenZaehler, 3);
    EXPECT_EQ(state().settings.Blaettern, 1);
}

TEST_F(PageFlippingTest, FlipsTurnThePagesInARing)
{
    FakeTargets targets(10);
    start(targets);
    struct Step {
        std::array<int, 3> states;
        QList<int> visible;
        int zaehler;
        int alleGezeigt;
    };
    const Step steps[] = {
        {{1, 0, 2}, lanes(5, 8), 2, 0},
        {{2, 1, 0}, lanes(9, 10), 1, 0},
        {{0, 2, 1}, lanes(1, 4), 0, 0},
        {{1, 0, 2}, lanes(5, 8), 0, 1},
    };
    for (const Step& step : steps) {
        NaechsteSeite(state(), targets);
        EXPECT_EQ(states(state().pages), step.states);
        EXPECT_EQ(targets.visibleLanes(), step.visible);
        EXPECT_EQ(state().pages.SeitenZaehler, step.zaehler);
        EXPECT_EQ(state().pages.AlleSeitenGezeigt, step.alleGezeigt);
    }
}

TEST_F(PageFlippingTest, RangeThreeToNine)
{
    Einstellungen& s = state().settings;
    s.AnfEnde = 1;
    s.AnfScheibe = 3;
    s.EndScheibe = 9;
    FakeTargets targets(10);
    SeitenBerechnen(state());
    EXPECT_EQ(state().pages.Seitenanzahl, 2);
    EXPECT_EQ(state().pages.Seiten[1].anzahl, 4);
    EXPECT_EQ(state().pages.Seiten[2].anzahl, 3);
    targets.showOnly(3, 6);

    NaechsteSeite(state(), targets);
    EXPECT_EQ(targets.visibleLanes(), lanes(7, 9));
    NaechsteSeite(state(), targets);
    EXPECT_EQ(targets.visibleLanes(), lanes(3, 6));
    NaechsteSeite(state(), targets);
    EXPECT_EQ(targets.visibleLanes(), lanes(7, 9));
}

TEST_F(PageFlippingTest, OnePageSwitchesPagingOff)
{
    Einstellungen& s = state().settings;
    s.Scheibenanzahl = 8;
    s.ScheibenProSeite = 8;
    SeitenBerechnen(state());
    EXPECT_EQ(s.Blaettern, 0);
    EXPECT_EQ(state().pages.Seitenanzahl, 1);
    EXPECT_EQ(state().pages.SeitenZaehler, 0);

    FakeTargets targets(8);
    NaechsteSeite(state(), targets);
    EXPECT_EQ(targets.visibleLanes(), lanes(1, 8));
    EXPECT_EQ(state().pages.AlleSeitenGezeigt, 1);
}

TEST_F(PageFlippingTest, TableLeftFromEarlierPagingIsNotFlipped)
{
    FakeTargets targets(10);
    SeitenBerechnen(state());
    state().settings.Blaettern = 0;
    NaechsteSeite(state(), targets);
    EXPECT_EQ(targets.visibleLanes(), lanes(1, 10));
    EXPECT_EQ(state().pages.SeitenZaehler, 2);
}

TEST_F(PageFlippingTest, PagesOfNoTargetsSwitchPagingOff)
{
    state().settings.ScheibenProSeite = 0;
    SeitenBerechnen(state());
    EXPECT_EQ(state().settings.Blaettern, 0);

    ProgramState::reset();
    Einstellungen& s = state().settings;
    s.Scheibenanzahl = 10;
    s.ScheibenProSeite = 4;
    s.Blaettern = 1;
    s.AnfEnde = 1;
    s.AnfScheibe = 8;
    s.EndScheibe = 3;
    SeitenBerechnen(state());
    EXPECT_EQ(s.Blaettern, 0);
    EXPECT_EQ(state().pages.Seitenanzahl, 0);
}

TEST_F(PageFlippingTest, RankingRequestText)
{
    Einstellungen s;
    s.KORVUWKID = 3;
    s.KORVUDisziID = 1;
    s.KORVUKlassenNr = 0;
    s.KORVUMannschaft = 0;
    s.VTXServerID = 2;
    EXPECT_EQ(ranglistenAnfrage(s), QStringLiteral("3$1$0$0$2"));
    s.KORVUKlassenNr = -7;
    s.VTXServerID = 12;
    EXPECT_EQ(ranglistenAnfrage(s), QStringLiteral("3$1$-7$0$12"));
}

class PageFlipperTest : public PageFlippingTest
{
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
    void setMode(int rangUndScheibe, int ranglisteAn)
    {
        state().settings.RangUndScheibe = static_cast<std::uint8_t>(rangUndScheibe);
        state().settings.RanglisteAn = static_cast<std::uint8_t>(ranglisteAn);
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
    for (const int mode : {0, 2}) {
        SCOPED_TRACE(mode);
        start(m_targets);
        setMode(mode / 2, 0);
        m_rangliste.visible = true;
        state().pages.RanglisteAktiv = 1;
        state().pages.RanglisteAngefordert = 1;
        state().pages.RanglisteFertig = 0;

        const int zaehler[] = {2, 1, 0, 3};
        for (int flip = 0; flip < 4; ++flip) {
            m_timers.tmrBlaettern.setInterval(1234);
            m_flipper.tick();
            EXPECT_EQ(state().pages.SeitenZaehler, zaehler[flip]) << flip;
            EXPECT_EQ(state().pages.AlleSeitenGezeigt, 0);
            EXPECT_TRUE(m_timers.tmrBlaettern.isEnabled());
            EXPECT_EQ(m_timers.tmrBlaettern.interval(), flip == 3 ? 30000 : 1234);
        }
        EXPECT_FALSE(m_rangliste.visible);
        EXPECT_EQ(state().pages.RanglisteAktiv, 0);
        EXPECT_EQ(state().pages.RanglisteFertig, 1);
        EXPECT_EQ(state().pages.RanglisteAngefordert, 0);
        EXPECT_TRUE(m_rangliste.calls.isEmpty());
    }
}

TEST_F(PageFlipperTest, AlternatingModeShowsTheRankingAfterEveryFullPass)
{
    setMode(1, 1);
    m_rangliste.csvLines = 30;
    // The ranking server has answered already.
    for (const char* ext : {".nrt", ".ctl"}) {
        QFile file(korvuFile(QStringLiteral("HRang1") + QLatin1String(ext)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\"ok\"\r\n");
    }

    const int zaehler[] = {2, 1, 0, 0};
    for (int flip = 0; flip < 4; ++flip) {
        m_flipper.tick();
        EXPECT_EQ(state().pages.SeitenZaehler, zaehler[flip]) << flip;
        EXPECT_EQ(state().pages.RanglisteAktiv, flip == 3 ? 1 : 0) << flip;
        EXPECT_FALSE(m_rangliste.visible);
    }
    EXPECT_EQ(state().pages.RanglisteFertig, 0);
    EXPECT_EQ(m_targets.visibleLanes(), lanes(5, 8));

    // First ranking screen: the answer is taken and the file read.
    m_flipper.tick();
    EXPECT_TRUE(m_rangliste.visible);
    EXPECT_FALSE(FileLookup::fileExists(korvuFile(QStringLiteral("HRang1.ctl"))));
    EXPECT_EQ(state().pages.RanglisteAngefordert, 1);
    EXPECT_EQ(m_rangliste.calls,
        (QStringList {QStringLiteral("showInFront"), QStringLiteral("LeseCSVEin"), QStringLiteral("RanglisteLeeren"),
            QStringLiteral("RanglisteFuellen")}));
    EXPECT_EQ(m_rangliste.pending, 11);
    EXPECT_EQ(state().pages.RanglisteFertig, 0);

    // Second screen empties the queue; a new request goes out.
    m_rangliste.calls.clear();
    m_flipper.tick();
    EXPECT_EQ(m_rangliste.calls,
        (QStringList {
            QStringLiteral("showInFront"), QStringLiteral("RanglisteLeeren"), QStringLiteral("RanglisteFuellen")}));
    EXPECT_TRUE(FileLookup::fileExists(korvuFile(QStringLiteral("HRngCS1.ctl"))));
    EXPECT_EQ(state().pages.RanglisteFertig, 1);
    EXPECT_EQ(m_targets.visibleLanes(), lanes(5, 8));

    // The ranking has been shown through: the pages resume with a full count.
    m_flipper.tick();
    EXPECT_EQ(state().pages.SeitenZaehler, 3);
    EXPECT_EQ(state().pages.RanglisteAktiv, 0);
    EXPECT_EQ(state().pages.AlleSeitenGezeigt, 0);
    EXPECT_TRUE(m_rangliste.visible);

    m_flipper.tick();
    EXPECT_FALSE(m_rangliste.visible);
    EXPECT_EQ(m_targets.visibleLanes(), lanes(9, 10));
    EXPECT_EQ(state().pages.SeitenZaehler, 2);
    EXPECT_TRUE(m_timers.tmrBlaettern.isEnabled());
}

TEST_F(PageFlipperTest, RankingOnlyWithoutServerSendsTheRequestOnce)
{
    setMode(0, 1);
    state().settings.KORVUWKID = 3;
    state().settings.VTXServerID = 2;
    m_flipper.tick();
    EXPECT_TRUE(m_rangliste.visible);
    EXPECT_EQ(state().pages.RanglisteAktiv, 1);
    EXPECT_EQ(state().pages.RanglisteAngefordert, 0);
    EXPECT_EQ(state().pages.RanglisteFertig, 1);
    EXPECT_EQ(m_targets.visibleLanes(), lanes(1, 4));
    const QString request = korvuFile(QStringLiteral("HRngCS2.nrt"));
    const QString control = korvuFile(QStringLiteral("HRngCS2.ctl"));
    ASSERT_TRUE(FileLookup::fileExists(request));
    ASSERT_TRUE(FileLookup::fileExists(control));
    QFile sent(request);
    ASSERT_TRUE(sent.open(QIODevice::ReadOnly));
    EXPECT_EQ(sent.readAll(), QByteArray("\"3$1$0$0$2\"\r\n"));
    sent.close();

    // A marker shows whether the request is written again.
    ASSERT_TRUE(sent.open(QIODevice::WriteOnly | QIODevice::Truncate));
    sent.write("\"alt\"\r\n");
    sent.close();
    for (int tick = 0; tick < 3; ++tick) {
        m_rangliste.calls.clear();
        m_flipper.tick();
        EXPECT_EQ(state().pages.RanglisteAngefordert, 1);
        EXPECT_EQ(state().pages.RanglisteFertig, 0);
        EXPECT_TRUE(m_rangliste.calls.contains(QStringLiteral("LeseCSVEin")));
        EXPECT_TRUE(m_timers.tmrBlaettern.isEnabled());
    }
    ASSERT_TRUE(sent.open(QIODevice::ReadOnly));
    EXPECT_EQ(sent.readAll(), QByteArray("\"alt\"\r\n"));
    EXPECT_TRUE(FileLookup::fileExists(control));
    EXPECT_FALSE(FileLookup::fileExists(korvuFile(QStringLiteral("HRang2.nrt"))));
}

TEST_F(PageFlipperTest, OtherModesOnlyRestartTheTimer)
{
    setMode(2, 0);
    m_flipper.tick();
    EXPECT_EQ(m_targets.visibleLanes(), lanes(1, 4));
    EXPECT_EQ(state().pages.SeitenZaehler, 3);
    EXPECT_TRUE(m_rangliste.calls.isEmpty());
    EXPECT_TRUE(m_timers.tmrBlaettern.isEnabled());
}

TEST_F(PageFlipperTest, AdvertisingTakesOverAfterTheFlip)
{
    state().settings.FreieWerbung = 1;
    state().settings.WerbeZeit = 5;
    m_timers.tmrWerbePause.setEnabled(true);
    m_flipper.tick();
    EXPECT_EQ(m_targets.visibleLanes(), lanes(5, 8));
    EXPECT_FALSE(m_timers.tmrBlaettern.isEnabled());
    EXPECT_FALSE(m_timers.tmrWerbePause.isEnabled());
    EXPECT_TRUE(m_timers.tmrWerbung.isEnabled());
    EXPECT_EQ(m_timers.tmrWerbung.interval(), 5000);
    EXPECT_EQ(m_werbung.calls, (QStringList {QStringLiteral("Werbung_Laden"), QStringLiteral("showInFront")}));
}

} // namespace
