// The observer of the polling cycle: it hears of every tick that runs and of
// every message taken, after the lane's window was called, and changes
// nothing the cycle does.
#include "platform/Dialogs.h"
#include "shell/WatchdogObserver.h"
#include "watchdog_fixture.h"

namespace {

// Writes what it hears into the targets' shared log, so that its place among
// the calls on the windows shows.
class LoggingObserver : public WatchdogObserver {
public:
    explicit LoggingObserver(QStringList& log) : m_log(log) { }
    void tickStarted() override { m_log << QStringLiteral("tick started"); }
    void tickFinished() override { m_log << QStringLiteral("tick finished"); }
    void messageHandled(int lane, const QString& message) override
    {
        m_log << QStringLiteral("handled %1: %2").arg(lane).arg(message);
    }

private:
    QStringList& m_log;
};

class WatchdogObserved : public WatchdogTest {
protected:
    void SetUp() override
    {
        WatchdogTest::SetUp();
        watchdog.setObserver(&observer);
    }
    QStringList& log() { return targets.log; }
    QString handled(int lane, int b, const QString& n) const
    {
        return QStringLiteral("handled %1: %2").arg(lane).arg(record(lane, b, n));
    }

    LoggingObserver observer {targets.log};
};

TEST_F(WatchdogObserved, EveryTickThatRunsIsReportedHoweverItEnds)
{
    const struct {
        int ranglisteAktiv;
        int verbindungsArt;
    } cases[] = {{0, 1}, {0, 0}, {1, 1}};
    for (const auto& c : cases) {
        log().clear();
        state.pages.RanglisteAktiv = static_cast<std::uint8_t>(c.ranglisteAktiv);
        state.settings.VerbindungsArt = static_cast<std::uint8_t>(c.verbindungsArt);
        ticks(2);
        EXPECT_EQ(log(),
            QStringList({QStringLiteral("tick started"), QStringLiteral("tick finished"),
                QStringLiteral("tick started"), QStringLiteral("tick finished")}))
            << "RanglisteAktiv " << c.ranglisteAktiv << ", VerbindungsArt " << c.verbindungsArt;
    }
}

TEST_F(WatchdogObserved, MessagesAreReportedInLaneOrderAfterTheWindowsWereCalled)
{
    serverSendsName(5, QStringLiteral("Fuenf"));
    serverSendsName(2, QStringLiteral("Zwei"));
    serverSends(7, 3, QStringLiteral("nichts"));
    watchdog.tick();
    EXPECT_EQ(log(),
        QStringList({QStringLiteral("tick started"), QStringLiteral("gTitelName(Zwei) 2"), QStringLiteral("Refresh 2"),
            handled(2, 4, QStringLiteral("Zwei")), QStringLiteral("gTitelName(Fuenf) 5"), QStringLiteral("Refresh 5"),
            handled(5, 4, QStringLiteral("Fuenf")), QStringLiteral("Refresh 7"),
            handled(7, 3, QStringLiteral("nichts")), QStringLiteral("tick finished")}));

    // A message is reported once: the next tick finds nothing.
    log().clear();
    watchdog.tick();
    EXPECT_EQ(log(), QStringList({QStringLiteral("tick started"), QStringLiteral("tick finished")}));
}

TEST_F(WatchdogObserved, BothMessagesOfTheOlderProtocolAreReported)
{
    state.settings.VerbindungsArt = 0;
    serverSendsAlt(4, 2, QStringLiteral("4$1.10$Anna"));
    serverSendsAlt(4, 1, QStringLiteral("erg4.txt"));
    watchdog.tick();
    EXPECT_EQ(log(),
        QStringList({QStringLiteral("tick started"), QStringLiteral("Init(4$1.10$Anna) 4"),
            QStringLiteral("handled 4: 4$1.10$Anna"),
            QStringLiteral("LadeErgebnisse(%1) 4").arg(path(QStringLiteral("erg4.txt"))), QStringLiteral("Refresh 4"),
            QStringLiteral("handled 4: erg4.txt"), QStringLiteral("tick finished")}));
}

TEST_F(WatchdogObserved, ATickRefusedWhileABoxIsOpenIsNotReported)
{
    // The syntax-error box of a malformed record; a timer tick arrives while
    // it is open.
    Dialogs::setMessageHandler([this](const Dialogs::MessageRequest& request) {
        log() << QStringLiteral("box %1").arg(request.title);
        watchdog.tick();
    });
    serverSendsRecord(3, QStringLiteral("kaputt"));
    watchdog.tick();
    EXPECT_EQ(log(),
        QStringList({QStringLiteral("tick started"), QStringLiteral("box Syntax Error !"), QStringLiteral("Refresh 3"),
            QStringLiteral("handled 3: kaputt"), QStringLiteral("tick finished")}));
}

TEST_F(WatchdogObserved, WithoutAnObserverTheCycleRunsAsBefore)
{
    watchdog.setObserver(nullptr);
    serverSendsName(2, QStringLiteral("Zwei"));
    watchdog.tick();
    EXPECT_EQ(log(), QStringList({QStringLiteral("gTitelName(Zwei) 2"), QStringLiteral("Refresh 2")}));
    EXPECT_FALSE(exists(QStringLiteral("HCVS1L2.ctl")));
}

} // namespace
