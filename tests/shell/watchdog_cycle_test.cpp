#include "exchange/Austausch.h"
#include "platform/FileLookup.h"
#include "shell/FrameTimers.h"
#include "shell/ProgramState.h"
#include "shell/Watchdog.h"
#include "support/TestDialogs.h"
#include "watchdog_fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class WatchdogCycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestDialogs::install();
        TestDialogs::clear();
        state.settings.Scheibenanzahl = 10;
        state.settings.VerbindungsArt = 1;
        state.settings.NetzwerkPfad = dir.path();
    }
    void TearDown() override { TestDialogs::install(); }

    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    bool exists(const QString& name) const { return QFile::exists(path(name)); }
    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QDir(dir.path()).mkpath(QFileInfo(path(name)).path());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // The server side of the 2002 protocol.
    void serverSends(int lane, const QString& record, bool server2 = false)
    {
        QString value = record;
        const auto result = server2 ? Austausch2002Server2(value, 1, lane, 1, dir.path(), 1, 1)
                                    : Austausch2002(value, 1, lane, 1, dir.path(), 1, 1);
        ASSERT_EQ(result, 0);
    }
    void serverSendsAlt(int lane, int role, const QString& text)
    {
        QString value = text;
        ASSERT_EQ(AustauschAlt(value, lane, 1, dir.path(), 1, role), 0);
    }
    QString record(int lane, int b, const QString& n) const
    {
        return QStringLiteral("A#1;S#1;L#%1;B#%2;N#%3").arg(lane).arg(b).arg(n);
    }

    QTemporaryDir dir;
    ProgramState state;
    FrameTimers timers;
    RecordingTargets targets {10};
    FakeRankingView ranking;
    Watchdog watchdog {state, timers, targets, ranking};
};

TEST_F(WatchdogCycle, EachMessageTypeReachesItsTarget)
{
    struct Case {
        int b;
        QString n;
        QStringList expected;
    };
    const QString file = path(QStringLiteral("datei.ini"));
    const std::vector<Case> cases {
        {1, QStringLiteral("datei.ini"), {QStringLiteral("LadeErgebnisse(%1)").arg(file), QStringLiteral("Refresh")}},
        {2, QStringLiteral("0"), {QStringLiteral("SetProbe(0)"), QStringLiteral("Refresh")}},
        {2, QStringLiteral("1"), {QStringLiteral("SetProbe(1)"), QStringLiteral("Refresh")}},
        {2, QStringLiteral("ja"), {QStringLiteral("SetProbe(1)"), QStringLiteral("Refresh")}},
        {4, QStringLiteral("Anna Berger"), {QStringLiteral("gTitelName(Anna Berger)"), QStringLiteral("Refresh")}},
        {47, QStringLiteral("datei.ini"),
            {QStringLiteral("HS_Laden(%1)").arg(file), QStringLiteral("ZoomNummer(0)"), QStringLiteral("Zoom(1)"),
                QStringLiteral("Refresh")}},
        {48, QStringLiteral("datei.ini"),
            {QStringLiteral("Init2002"), QStringLiteral("HD_Laden(%1)").arg(file), QStringLiteral("Refresh")}},
        {49, QStringLiteral("datei.ini"), {QStringLiteral("HW_Laden(%1)").arg(file), QStringLiteral("Refresh")}},
        {3, QStringLiteral("datei.ini"), {QStringLiteral("Refresh")}},
        {0, QStringLiteral("x"), {QStringLiteral("Refresh")}},
    };
    for (const Case& c : cases) {
        targets.lane(3).calls.clear();
        serverSends(3, record(3, c.b, c.n));
        watchdog.tick();
        EXPECT_EQ(targets.lane(3).calls, c.expected) << "B = " << c.b;
        EXPECT_FALSE(exists(QStringLiteral("HCVS1L3.ctl")));
    }
    EXPECT_TRUE(TestDialogs::messages().isEmpty());
}

TEST_F(WatchdogCycle, DisplayServer2ReadsOnlyItsOwnFiles)
{
    state.settings.AnzeigeServerNr = 1;
    serverSends(3, record(3, 4, QStringLiteral("Zwei")), true);
    serverSends(3, record(3, 4, QStringLiteral("Eins")));
    watchdog.tick();
    EXPECT_EQ(targets.lane(3).calls, (QStringList {QStringLiteral("gTitelName(Zwei)"), QStringLiteral("Refresh")}));
    EXPECT_FALSE(exists(QStringLiteral("HCVS1L3-1.ctl")));
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L3.ctl")));
}

TEST_F(WatchdogCycle, FirstServerDisplayIgnoresServer2Files)
{
    serverSends(3, record(3, 4, QStringLiteral("Zwei")), true);
    watchdog.tick();
    EXPECT_TRUE(targets.lane(3).calls.isEmpty());
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L3-1.ctl")));
}

TEST_F(WatchdogCycle, OneMessagePerLaneAndTick)
{
    serverSends(2, record(2, 4, QStringLiteral("erst")));
    watchdog.tick();
    serverSends(2, record(2, 4, QStringLiteral("dann")));
    EXPECT_EQ(targets.lane(2).calls.size(), 2);
    watchdog.tick();
    watchdog.tick();
    EXPECT_EQ(targets.lane(2).calls,
        (QStringList {QStringLiteral("gTitelName(erst)"), QStringLiteral("Refresh"), QStringLiteral("gTitelName(dann)"),
            QStringLiteral("Refresh")}));
}

TEST_F(WatchdogCycle, RangeOfAnfEndePollsOnlyThoseLanes)
{
    state.settings.AnfEnde = 1;
    state.settings.AnfScheibe = 5;
    state.settings.EndScheibe = 8;
    for (int lane = 1; lane <= 10; ++lane)
        serverSends(lane, record(lane, 3, QString()));
    watchdog.tick();
    for (int lane = 1; lane <= 10; ++lane) {
        const bool polled = lane >= 5 && lane <= 8;
        EXPECT_EQ(exists(QStringLiteral("HCVS1L%1.ctl").arg(lane)), !polled) << lane;
        EXPECT_EQ(targets.lane(lane).calls.isEmpty(), !polled) << lane;
    }
}

TEST_F(WatchdogCycle, WithoutAnfEndeAllLanesUpToScheibenanzahl)
{
    state.settings.Scheibenanzahl = 4;
    for (int lane = 1; lane <= 5; ++lane)
        serverSends(lane, record(lane, 3, QString()));
    watchdog.tick();
    for (int lane = 1; lane <= 4; ++lane)
        EXPECT_FALSE(exists(QStringLiteral("HCVS1L%1.ctl").arg(lane)));
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L5.ctl")));
}

TEST_F(WatchdogCycle, LaneWithoutWindowKeepsItsMessage)
{
    state.settings.Scheibenanzahl = 12;
    serverSends(12, record(12, 4, QStringLiteral("spaeter")));
    watchdog.tick();
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L12.ctl")));
}

TEST_F(WatchdogCycle, RankingOnScreenTouchesNoFile)
{
    state.pages.RanglisteAktiv = 1;
    ranking.visible = true;
    serverSends(1, record(1, 4, QStringLiteral("x")));
    writeFile(QStringLiteral("HPlatz.hwv"), "1,2\r\n");
    state.settings.VerbindungsArt = 1;
    watchdog.tick();
    state.settings.VerbindungsArt = 0;
    watchdog.tick();
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L1.ctl")));
    EXPECT_TRUE(exists(QStringLiteral("HPlatz.hwv")));
    EXPECT_TRUE(targets.lane(1).calls.isEmpty());
    EXPECT_EQ(ranking.hideCalls, 0);
}

TEST_F(WatchdogCycle, VisibleRankingWindowIsHiddenWhenTheTargetsAreBack)
{
    ranking.visible = true;
    watchdog.tick();
    EXPECT_FALSE(ranking.visible);
    EXPECT_EQ(ranking.hideCalls, 1);
    watchdog.tick();
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
    serverSends(1, record(1, 1, QStringLiteral("ergebnisse\\BAHN1.TXT")));
    watchdog.tick();
    EXPECT_EQ(targets.lane(1).calls,
        (QStringList {QStringLiteral("LadeErgebnisse(%1)").arg(path(QStringLiteral("Ergebnisse/Bahn1.txt"))),
            QStringLiteral("Refresh")}));
}

TEST_F(WatchdogCycle, NamesClimbingOutOrAbsoluteAreNotLoaded)
{
    const QStringList escapes {QStringLiteral("..\\geheim.txt"), QStringLiteral("../geheim.txt"),
        QStringLiteral("sub/../../geheim.txt"), QDir::rootPath() + QStringLiteral("etc/passwd"), QString()};
    for (int b : {1, 47, 48, 49}) {
        for (const QString& name : escapes) {
            targets.lane(1).calls.clear();
            serverSends(1, record(1, b, name));
            watchdog.tick();
            EXPECT_EQ(targets.lane(1).calls, QStringList {QStringLiteral("Refresh")}) << b << " " << qPrintable(name);
            EXPECT_FALSE(exists(QStringLiteral("HCVS1L1.ctl")));
        }
    }
}

TEST_F(WatchdogCycle, SyntaxErrorIsReportedOnceAndTheLaneRedrawn)
{
    serverSends(2, QStringLiteral("A#1;S#1;L#2;B#4"));
    watchdog.tick();
    ASSERT_EQ(TestDialogs::messages().size(), 1);
    EXPECT_EQ(TestDialogs::messages().first().text, QStringLiteral("A#1;S#1;L#2;B#4"));
    // B was read before the error, but N is missing: the name is set empty.
    EXPECT_EQ(targets.lane(2).calls, (QStringList {QStringLiteral("gTitelName()"), QStringLiteral("Refresh")}));
    watchdog.tick();
    EXPECT_EQ(TestDialogs::messages().size(), 1);
}

TEST_F(WatchdogCycle, NoTickRunsWhileTheSyntaxErrorBoxIsOpen)
{
    serverSends(1, QStringLiteral("kaputt"));
    serverSends(2, record(2, 4, QStringLiteral("wartet")));
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
    EXPECT_EQ(targets.lane(1).calls, QStringList {QStringLiteral("Refresh")});
    EXPECT_EQ(targets.lane(2).calls, (QStringList {QStringLiteral("gTitelName(wartet)"), QStringLiteral("Refresh")}));
}

TEST_F(WatchdogCycle, TargetThatRunsTheEventLoopCannotStartASecondTick)
{
    serverSends(1, record(1, 1, QStringLiteral("erg.txt")));
    serverSends(2, record(2, 4, QStringLiteral("wartet")));
    bool secondLaneWaited = false;
    targets.lane(1).onLadeErgebnisse = [&](const QString&) {
        watchdog.tick();
        secondLaneWaited = exists(QStringLiteral("HCVS1L2.ctl"));
    };
    watchdog.tick();
    EXPECT_TRUE(secondLaneWaited);
    EXPECT_EQ(targets.lane(2).calls, (QStringList {QStringLiteral("gTitelName(wartet)"), QStringLiteral("Refresh")}));
}

TEST_F(WatchdogCycle, NothingHappensWhileAnotherBoxIsOpen)
{
    state.settings.FreieWerbung = 1;
    serverSends(1, record(1, 4, QStringLiteral("x")));
    Dialogs::setMessageHandler([&](const Dialogs::MessageRequest&) { watchdog.tick(); });
    Dialogs::showMessage(Dialogs::Icon::Exclamation, QStringLiteral("Datei existiert nicht: "), QStringLiteral("x"));
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L1.ctl")));
    EXPECT_FALSE(timers.tmrWerbePause.isEnabled());
    watchdog.tick();
    EXPECT_FALSE(exists(QStringLiteral("HCVS1L1.ctl")));
    EXPECT_TRUE(timers.tmrWerbePause.isEnabled());
}

TEST_F(WatchdogCycle, FailedReceiveSkipsTheLane)
{
    writeFile(QStringLiteral("HCVS1L4.ctl"), "\"x\"\r\n");
    watchdog.tick();
    EXPECT_TRUE(targets.lane(4).calls.isEmpty());
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L4.ctl")));
}

TEST_F(WatchdogCycle, MissingExchangeFolderDoesNothing)
{
    state.settings.NetzwerkPfad = path(QStringLiteral("fehlt"));
    watchdog.tick();
    state.settings.VerbindungsArt = 0;
    watchdog.tick();
    for (int lane = 1; lane <= 10; ++lane)
        EXPECT_TRUE(targets.lane(lane).calls.isEmpty());
}

// --- older protocol ---

TEST_F(WatchdogCycle, OlderProtocolAnnouncementThenResults)
{
    state.settings.VerbindungsArt = 0;
    writeFile(QStringLiteral("erg/b3.txt"), "x");
    serverSendsAlt(3, 2, QStringLiteral("3$1.10$Anna Berger"));
    serverSendsAlt(3, 1, path(QStringLiteral("erg/b3.txt")));
    watchdog.tick();
    EXPECT_EQ(targets.lane(3).calls,
        (QStringList {QStringLiteral("Init(3$1.10$Anna Berger)"),
            QStringLiteral("LadeErgebnisse(%1)").arg(path(QStringLiteral("erg/b3.txt"))), QStringLiteral("Refresh")}));
    EXPECT_FALSE(exists(QStringLiteral("HAnz3.ctl")));
    EXPECT_FALSE(exists(QStringLiteral("HSlav3.ctl")));
}

TEST_F(WatchdogCycle, OlderProtocolRelativeResultsNameIsTakenInsideTheFolder)
{
    state.settings.VerbindungsArt = 0;
    serverSendsAlt(5, 1, QStringLiteral("erg\\b5.txt"));
    watchdog.tick();
    EXPECT_EQ(targets.lane(5).calls,
        (QStringList {
            QStringLiteral("LadeErgebnisse(%1)").arg(path(QStringLiteral("erg/b5.txt"))), QStringLiteral("Refresh")}));
}

TEST_F(WatchdogCycle, OlderProtocolAnnouncementAloneIsNotRedrawn)
{
    state.settings.VerbindungsArt = 0;
    serverSendsAlt(3, 2, QStringLiteral("3$1.10$Anna Berger"));
    watchdog.tick();
    EXPECT_EQ(targets.lane(3).calls, QStringList {QStringLiteral("Init(3$1.10$Anna Berger)")});
}

TEST_F(WatchdogCycle, PlacesFileSkipsLanesBeyondScheibenanzahl)
{
    state.settings.VerbindungsArt = 0;
    writeFile(QStringLiteral("HPlatz.hwv"), "3,1\r\n12,2\r\n7,3\r\n");
    watchdog.tick();
    EXPECT_EQ(targets.lane(3).calls,
        (QStringList {QStringLiteral("Platz(1)"), QStringLiteral("TextBelegen"), QStringLiteral("refreshPlatz")}));
    EXPECT_EQ(targets.lane(7).calls,
        (QStringList {QStringLiteral("Platz(3)"), QStringLiteral("TextBelegen"), QStringLiteral("refreshPlatz")}));
    EXPECT_FALSE(exists(QStringLiteral("HPlatz.hwv")));
}

TEST_F(WatchdogCycle, PlacesFileInOtherLetterCaseIsFound)
{
    state.settings.VerbindungsArt = 0;
    writeFile(QStringLiteral("hplatz.HWV"), "2,4\r\n");
    watchdog.tick();
    EXPECT_EQ(targets.lane(2).calls.value(0), QStringLiteral("Platz(4)"));
    EXPECT_FALSE(exists(QStringLiteral("hplatz.HWV")));
}

TEST_F(WatchdogCycle, PlacesFileEndingEarlyIsStillDeleted)
{
    state.settings.VerbindungsArt = 0;
    writeFile(QStringLiteral("HPlatz.hwv"), "1,5\r\n2");
    watchdog.tick();
    EXPECT_EQ(targets.lane(1).calls.value(0), QStringLiteral("Platz(5)"));
    EXPECT_TRUE(targets.lane(2).calls.isEmpty());
    EXPECT_FALSE(exists(QStringLiteral("HPlatz.hwv")));
}

TEST_F(WatchdogCycle, PlacesBeyondSixteenBitsStopTheFile)
{
    state.settings.VerbindungsArt = 0;
    writeFile(QStringLiteral("HPlatz.hwv"), "1,70000\r\n2,1\r\n");
    watchdog.tick();
    EXPECT_TRUE(targets.lane(1).calls.isEmpty());
    EXPECT_TRUE(targets.lane(2).calls.isEmpty());
    EXPECT_FALSE(exists(QStringLiteral("HPlatz.hwv")));
}

TEST_F(WatchdogCycle, PlacesAreAppliedInTheTwoThousandTwoProtocolOnlyByHand)
{
    writeFile(QStringLiteral("HPlatz.hwv"), "1,1\r\n");
    watchdog.tick();
    EXPECT_TRUE(exists(QStringLiteral("HPlatz.hwv")));
    watchdog.PlaetzeLaden(path(QStringLiteral("HPlatz.hwv")));
    EXPECT_EQ(targets.lane(1).calls.value(0), QStringLiteral("Platz(1)"));
    EXPECT_FALSE(exists(QStringLiteral("HPlatz.hwv")));
}

} // namespace
