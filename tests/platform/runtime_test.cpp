#include "platform/Dialogs.h"
#include "platform/VbTimer.h"
#include "support/TestDialogs.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Each step and the timer's state after it: interval, enabled, counting.
TEST(VbTimerTest, CountsOnlyWhileEnabledWithAnInterval)
{
    VbTimer timer(-5, true);
    const std::pair<std::function<void()>, std::tuple<int, bool, bool>> steps[]
        = {{[] {}, {0, true, false}}, // an interval of zero stays enabled but never counts
            {[&timer] { timer.setInterval(500); }, {500, true, true}},
            {[&timer] { timer.setInterval(-5); }, {0, true, false}},
            {[&timer] { timer.setInterval(2000); }, {2000, true, true}},
            {[&timer] { timer.setEnabled(true); }, {2000, true, true}},
            {[&timer] { timer.setEnabled(false); }, {2000, false, false}},
            {[&timer] { timer.setInterval(3000); }, {3000, false, false}},
            {[&timer] { timer.setEnabled(true); }, {3000, true, true}}};
    for (const auto& [step, state] : steps) {
        step();
        EXPECT_EQ(std::make_tuple(timer.interval(), timer.isEnabled(), timer.isCounting()), state);
    }
    VbTimer stopped(1000);
    EXPECT_EQ(std::make_tuple(stopped.interval(), stopped.isEnabled(), stopped.isCounting()),
        std::make_tuple(1000, false, false));
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

} // namespace
