#include "platform/Dialogs.h"
#include "platform/StopRequests.h"
#include "platform/VbTimer.h"
#include "support/TestDialogs.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(VbTimerTest, CountsOnlyWhenEnabledWithAnInterval)
{
    VbTimer stopped;
    EXPECT_FALSE(stopped.isEnabled() || stopped.isCounting());
    EXPECT_EQ(stopped.interval(), 0);
    VbTimer running(1000, true);
    EXPECT_TRUE(running.isEnabled() && running.isCounting());

    // Interval zero stays enabled but never counts.
    VbTimer timer(0, true);
    EXPECT_TRUE(timer.isEnabled());
    EXPECT_FALSE(timer.isCounting());
    timer.setInterval(500);
    EXPECT_TRUE(timer.isCounting());
    for (int interval : {0, -5}) {
        timer.setInterval(interval);
        EXPECT_EQ(timer.interval(), 0);
        EXPECT_TRUE(timer.isEnabled());
        EXPECT_FALSE(timer.isCounting());
    }
}

TEST(VbTimerTest, EnableAndDisable)
{
    VbTimer timer(10000);
    EXPECT_FALSE(timer.isCounting());
    for (int i = 0; i < 2; ++i) {
        timer.setEnabled(true);
        EXPECT_TRUE(timer.isCounting());
    }
    timer.setEnabled(false);
    EXPECT_FALSE(timer.isEnabled() || timer.isCounting());
    // Setting the interval of a disabled timer does not start it.
    timer.setInterval(2000);
    EXPECT_EQ(timer.interval(), 2000);
    EXPECT_FALSE(timer.isCounting());
}

TEST(VbTimerTest, FireDeliversOneTickAtOnceAndTheHandlerMayStopTheTimer)
{
    VbTimer idle(0, false);
    int ticks = 0;
    QObject::connect(&idle, &VbTimer::timeout, [&ticks] { ++ticks; });
    idle.fire();
    idle.fire();
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(idle.isEnabled());

    VbTimer timer(1000, true);
    QObject::connect(&timer, &VbTimer::timeout, [&timer] { timer.setEnabled(false); });
    timer.fire();
    EXPECT_FALSE(timer.isEnabled() || timer.isCounting());
}

class DialogsTest : public ::testing::Test {
protected:
    void TearDown() override { TestDialogs::install(); }
};

TEST_F(DialogsTest, BoxIsClosedAgainWhenTheHandlerThrows)
{
    Dialogs::setMessageHandler([](const Dialogs::MessageRequest&) { throw std::runtime_error("x"); });
    EXPECT_THROW(Dialogs::showMessage(Dialogs::Icon::Critical, QString(), QString()), std::runtime_error);
    EXPECT_FALSE(Dialogs::messageOpen());
}

TEST_F(DialogsTest, FileDialogAnswersComeFromTheHandlerAndWithoutHandlersNothingShows)
{
    QString startSeen;
    Dialogs::setOpenFileHandler([&](const QString& start, const QString&) -> std::optional<QString> {
        startSeen = start;
        return u"/pics/hb_0_a.bmp"_s;
    });
    EXPECT_EQ(Dialogs::openFile(u"/pics"_s, u"*.bmp"_s), u"/pics/hb_0_a.bmp"_s);
    EXPECT_EQ(startSeen, u"/pics"_s);

    Dialogs::setMessageHandler(nullptr);
    Dialogs::setOpenFileHandler(nullptr);
    Dialogs::showMessage(Dialogs::Icon::Information, u"t"_s, u"x"_s);
    EXPECT_FALSE(Dialogs::messageOpen());
    EXPECT_EQ(Dialogs::openFile(u"/"_s, u"Pictures (*.bmp)"_s), std::nullopt);
}

#if defined(Q_OS_UNIX)

volatile std::sig_atomic_t g_earlierCalls = 0;

void earlierHandler(int)
{
    g_earlierCalls = g_earlierCalls + 1;
}

TEST(StopRequestsTest, FirstSignalArrivesOnTheEventLoopOnceAndThenTheEarlierHandlingIsBack)
{
    const struct {
        int signal;
        bool ignoredAtStart;
    } cases[] = {{SIGTERM, false}, {SIGINT, false}, {SIGINT, true}, {SIGTERM, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signal);
        const auto before = std::signal(c.signal, c.ignoredAtStart ? SIG_IGN : earlierHandler);
        g_earlierCalls = 0;
        int delivered = 0;
        {
            StopRequests requests;
            EXPECT_TRUE(requests.isListening());
            EXPECT_FALSE(StopRequests().isListening());
            QObject::connect(&requests, &StopRequests::stopRequested, [&delivered] { ++delivered; });
            std::raise(c.signal);
            EXPECT_EQ(delivered, 0);
            const QDeadlineTimer deadline(30000);
            for (int pass = 0; delivered == 0 && (pass < 20 || !c.ignoredAtStart) && !deadline.hasExpired(); ++pass)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            EXPECT_EQ(delivered, c.ignoredAtStart ? 0 : 1);
            EXPECT_EQ(requests.isListening(), c.ignoredAtStart);
            EXPECT_EQ(g_earlierCalls, 0);

            std::raise(c.signal);
            QCoreApplication::processEvents();
        }
        std::raise(c.signal);
        QCoreApplication::processEvents();
        EXPECT_EQ(delivered, c.ignoredAtStart ? 0 : 1);
        EXPECT_EQ(g_earlierCalls, c.ignoredAtStart ? 0 : 2);
        std::signal(c.signal, before);
    }
}

#endif

} // namespace
