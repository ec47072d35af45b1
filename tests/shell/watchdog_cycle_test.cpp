#include "watchdog_fixture.h"

#include <map>

namespace {

using WatchdogCycle = WatchdogTest;

TEST_F(WatchdogCycle, EachMessageTypeReachesItsTarget)
{
    const QString file = path(QStringLiteral("datei.ini"));
    const struct {
        int b;
        const char* n;
        QStringList expected;
    } cases[] = {
        {1, "datei.ini", {QStringLiteral("LadeErgebnisse(%1)").arg(file)}},
        {2, "0", {QStringLiteral("SetProbe(0)")}},
        {2, "1", {QStringLiteral("SetProbe(1)")}},
        {2, "ja", {QStringLiteral("SetProbe(1)")}},
        {4, "Anna Berger", {QStringLiteral("gTitelName(Anna Berger)")}},
        {47, "datei.ini",
            {QStringLiteral("HS_Laden(%1)").arg(file), QStringLiteral("ZoomNummer(0)"), QStringLiteral("Zoom(1)")}},
        {48, "datei.ini", {QStringLiteral("Init2002"), QStringLiteral("HD_Laden(%1)").arg(file)}},
        {49, "datei.ini", {QStringLiteral("HW_Laden(%1)").arg(file)}},
        {3, "datei.ini", {}},
        {0, "x", {}},
    };
    for (const auto& c : cases) {
        calls(3).clear();
        serverSends(3, c.b, QString::fromUtf8(c.n));
        watchdog.tick();
        EXPECT_EQ(calls(3), c.expected + QStringList {QStringLiteral("Refresh")}) << "B = " << c.b;
        EXPECT_FALSE(exists(QStringLiteral("HCVS1L3.ctl")));
    }
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

TEST_F(WatchdogCycle, EachDisplayServerReadsOnlyItsOwnFiles)
{
    serverSendsName(3, QStringLiteral("Eins"));
    serverSends(3, 4, QStringLiteral("Zwei"), true);
    state.settings.AnzeigeServerNr = 1;
    watchdog.tick();
    EXPECT_EQ(calls(3), named(QStringLiteral("Zwei")));
    EXPECT_FALSE(exists(QStringLiteral("HCVS1L3-1.ctl")));
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L3.ctl")));

    serverSends(3, 4, QStringLiteral("Drei"), true);
    state.settings.AnzeigeServerNr = 0;
    watchdog.tick();
    EXPECT_EQ(calls(3), named(QStringLiteral("Zwei")) + named(QStringLiteral("Eins")));
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L3-1.ctl")));
}

TEST_F(WatchdogCycle, OneMessagePerLaneAndTick)
{
    serverSendsName(2, QStringLiteral("erst"));
    watchdog.tick();
    serverSendsName(2, QStringLiteral("dann"));
    EXPECT_EQ(calls(2), named(QStringLiteral("erst")));
    ticks(2);
    EXPECT_EQ(calls(2), named(QStringLiteral("erst")) + named(QStringLiteral("dann")));
}

TEST_F(WatchdogCycle, OnlyTheLanesOfTheRangeOrCountThatHaveAWindowArePolled)
{
    const struct {
        int anfEnde, count, first, last;
    } cases[] = {{1, 10, 5, 8}, {0, 4, 1, 4}, {0, 12, 1, 10}};
    for (const auto& c : cases) {
        emptyFolder();
        state.settings.AnfEnde = static_cast<std::uint8_t>(c.anfEnde);
        state.settings.AnfScheibe = 5;
        state.settings.EndScheibe = 8;
        state.settings.Scheibenanzahl = static_cast<std::uint8_t>(c.count);
        for (int lane = 1; lane <= 12; ++lane) {
            serverSends(lane, 3, QString());
            if (lane <= 10)
                calls(lane).clear();
        }
        watchdog.tick();
        for (int lane = 1; lane <= 12; ++lane) {
            const bool polled = lane >= c.first && lane <= c.last;
            EXPECT_EQ(exists(QStringLiteral("HCVS1L%1.ctl").arg(lane)), !polled) << c.count << ": " << lane;
            if (lane <= 10) {
                EXPECT_EQ(calls(lane).isEmpty(), !polled) << c.count << ": " << lane;
            }
        }
    }
}

TEST_F(WatchdogCycle, RankingOnScreenTouchesNoFileAndIsHiddenWhenTheTargetsAreBack)
{
    state.pages.RanglisteAktiv = 1;
    ranking.visible = true;
    serverSendsName(1, QStringLiteral("x"));
    writeFile(QStringLiteral("HPlatz.hwv"), "1,2\r\n");
    watchdog.tick();
    state.settings.VerbindungsArt = 0;
    watchdog.tick();
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L1.ctl")));
    EXPECT_TRUE(exists(QStringLiteral("HPlatz.hwv")));
    EXPECT_TRUE(calls(1).isEmpty());
    EXPECT_EQ(ranking.hideCalls, 0);

    state.pages.RanglisteAktiv = 0;
    ticks(2);
    EXPECT_FALSE(ranking.visible);
    EXPECT_EQ(ranking.hideCalls, 1);
}

TEST_F(WatchdogCycle, AdvertisingPauseStartsWhenNeitherTimerRuns)
{
    state.settings.FreieWerbung = 1;
    state.pages.RanglisteAktiv = 1;
    watchdog.tick();
    EXPECT_TRUE(timers.tmrWerbePause.isEnabled());

    timers.tmrWerbePause.setEnabled(false);
    timers.tmrWerbung.setEnabled(true);
    watchdog.tick();
    EXPECT_FALSE(timers.tmrWerbePause.isEnabled());

    timers.tmrWerbung.setEnabled(false);
    state.settings.FreieWerbung = 0;
    watchdog.tick();
    EXPECT_FALSE(timers.tmrWerbePause.isEnabled());
}

TEST_F(WatchdogCycle, NamesAreResolvedInsideTheExchangeFolder)
{
    writeFile(QStringLiteral("Ergebnisse/Bahn1.txt"), "x");
    serverSends(1, 1, QStringLiteral("ergebnisse\\BAHN1.TXT"));
    watchdog.tick();
    EXPECT_EQ(calls(1),
        (QStringList {QStringLiteral("LadeErgebnisse(%1)").arg(path(QStringLiteral("Ergebnisse/Bahn1.txt"))),
            QStringLiteral("Refresh")}));
}

TEST_F(WatchdogCycle, SyntaxErrorIsReportedOnceAndTheLaneRedrawn)
{
    serverSendsRecord(2, QStringLiteral("A#1;S#1;L#2;B#4"));
    ticks(2);
    ASSERT_EQ(TestDialogs::messages().size(), 1);
    EXPECT_EQ(TestDialogs::messages().first().text, QStringLiteral("A#1;S#1;L#2;B#4"));
    // B was read before the error, but N is missing: the name is set empty.
    EXPECT_EQ(calls(2), named(QString()));
}

TEST_F(WatchdogCycle, NoTickRunsWhileTheSyntaxErrorBoxIsOpen)
{
    serverSendsRecord(1, QStringLiteral("kaputt"));
    serverSendsName(2, QStringLiteral("wartet"));
    int boxes = 0;
    bool secondLaneWaitedInsideBox = false;
    Dialogs::setMessageHandler([&](const Dialogs::MessageRequest&) {
        ++boxes;
        watchdog.tick();
        secondLaneWaitedInsideBox = exists(QStringLiteral("HCVS1L2.ctl"));
    });
    watchdog.tick();
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(secondLaneWaitedInsideBox);
    EXPECT_EQ(calls(1), QStringList {QStringLiteral("Refresh")});
    EXPECT_EQ(calls(2), named(QStringLiteral("wartet")));
}

TEST_F(WatchdogCycle, TargetThatRunsTheEventLoopCannotStartASecondTick)
{
    serverSends(1, 1, QStringLiteral("erg.txt"));
    serverSendsName(2, QStringLiteral("wartet"));
    bool secondLaneWaited = false;
    targets.lane(1).onLadeErgebnisse = [&](const QString&) {
        watchdog.tick();
        secondLaneWaited = exists(QStringLiteral("HCVS1L2.ctl"));
    };
    watchdog.tick();
    EXPECT_TRUE(secondLaneWaited);
    EXPECT_EQ(calls(2), named(QStringLiteral("wartet")));
}

TEST_F(WatchdogCycle, NothingHappensWhileAnotherBoxIsOpen)
{
    state.settings.FreieWerbung = 1;
    serverSendsName(1, QStringLiteral("x"));
    Dialogs::setMessageHandler([&](const Dialogs::MessageRequest&) { watchdog.tick(); });
    Dialogs::showMessage(Dialogs::Icon::Exclamation, QStringLiteral("Datei existiert nicht: "), QStringLiteral("x"));
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L1.ctl")));
    EXPECT_FALSE(timers.tmrWerbePause.isEnabled());
    watchdog.tick();
    EXPECT_FALSE(exists(QStringLiteral("HCVS1L1.ctl")));
    EXPECT_TRUE(timers.tmrWerbePause.isEnabled());
}

// --- older protocol ---

TEST_F(WatchdogCycle, OlderProtocolAnnouncementAndResults)
{
    state.settings.VerbindungsArt = 0;
    const QString results = path(QStringLiteral("erg/b3.txt"));
    writeFile(QStringLiteral("erg/b3.txt"), "x");
    serverSendsAlt(3, 2, QStringLiteral("3$1.10$Anna Berger"));
    serverSendsAlt(3, 1, results);
    // A relative name is taken inside the folder.
    serverSendsAlt(5, 1, QStringLiteral("erg\\b5.txt"));
    // An announcement alone is not redrawn.
    serverSendsAlt(6, 2, QStringLiteral("6$1.10$Bert"));
    watchdog.tick();
    EXPECT_EQ(calls(3),
        (QStringList {QStringLiteral("Init(3$1.10$Anna Berger)"), QStringLiteral("LadeErgebnisse(%1)").arg(results),
            QStringLiteral("Refresh")}));
    EXPECT_EQ(calls(5),
        (QStringList {
            QStringLiteral("LadeErgebnisse(%1)").arg(path(QStringLiteral("erg/b5.txt"))), QStringLiteral("Refresh")}));
    EXPECT_EQ(calls(6), QStringList {QStringLiteral("Init(6$1.10$Bert)")});
    for (const char* control : {"HAnz3.ctl", "HSlav3.ctl", "HSlav5.ctl", "HAnz6.ctl"})
        EXPECT_FALSE(exists(QLatin1String(control))) << control;
}

TEST_F(WatchdogCycle, PlacesFileIsAppliedWithinTheCountAndDeleted)
{
    state.settings.VerbindungsArt = 0;
    const struct {
        const char* name;
        QByteArray content;
        std::map<int, int> places; // lane -> place
    } cases[] = {
        {"HPlatz.hwv", "3,1\r\n12,2\r\n7,3\r\n", {{3, 1}, {7, 3}}}, {"hplatz.HWV", "2,4\r\n", {{2, 4}}},
        {"HPlatz.hwv", "1,5\r\n2", {{1, 5}}},
        {"HPlatz.hwv", "1,70000\r\n2,1\r\n", {}}, // a place beyond 16 bits stops the file
    };
    for (const auto& c : cases) {
        for (int lane = 1; lane <= 10; ++lane)
            calls(lane).clear();
        writeFile(QLatin1String(c.name), c.content);
        watchdog.tick();
        for (int lane = 1; lane <= 10; ++lane) {
            const auto place = c.places.find(lane);
            EXPECT_EQ(calls(lane), place == c.places.end() ? QStringList() : placed(place->second))
                << c.content.constData() << " lane " << lane;
        }
        EXPECT_FALSE(exists(QLatin1String(c.name)));
    }
}

TEST_F(WatchdogCycle, PlacesAreAppliedInTheTwoThousandTwoProtocolOnlyByHand)
{
    writeFile(QStringLiteral("HPlatz.hwv"), "1,1\r\n");
    watchdog.tick();
    EXPECT_TRUE(exists(QStringLiteral("HPlatz.hwv")));
    watchdog.PlaetzeLaden(path(QStringLiteral("HPlatz.hwv")));
    EXPECT_EQ(calls(1), placed(1));
    EXPECT_FALSE(exists(QStringLiteral("HPlatz.hwv")));
}

} // namespace
