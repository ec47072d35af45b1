#include "ads/AdvertisingCycle.h"

#include "shell/AdvertisingView.h"
#include "shell/FrameTimers.h"
#include "shell/ProgramState.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

class FakeView : public AdvertisingView {
public:
    void Werbung_Laden() override { calls.append(QStringLiteral("Werbung_Laden")); }
    void showInFront() override
    {
        calls.append(QStringLiteral("showInFront"));
        visible = true;
    }
    void hideView() override
    {
        calls.append(QStringLiteral("hideView"));
        visible = false;
    }
    bool isViewVisible() const override { return visible; }

    QStringList calls;
    bool visible = false;
};

class AdvertisingCycleTest : public ::testing::Test {
protected:
    AdvertisingCycleTest()
    {
        // The frame's wiring of the two advertising timers.
        QObject::connect(&timers.tmrWerbePause, &VbTimer::timeout, [this] { cycle.onWerbePause(); });
        QObject::connect(&timers.tmrWerbung, &VbTimer::timeout, [this] { cycle.onWerbung(); });
        state.settings.FreieWerbung = 1;
        state.settings.WerbeZeit = 5;
        state.settings.WerbePause = 7;
    }

    ProgramState state;
    FrameTimers timers;
    FakeView view;
    AdvertisingCycle cycle {state, timers, view};
};

TEST_F(AdvertisingCycleTest, SlotLoadsTheNextPictureStopsThePauseAndShowsTheWindow)
{
    timers.tmrWerbePause.setEnabled(true);
    timers.tmrWerbePause.fire();

    EXPECT_EQ(view.calls, QStringList({QStringLiteral("Werbung_Laden"), QStringLiteral("showInFront")}));
    EXPECT_TRUE(view.visible);
    EXPECT_FALSE(timers.tmrWerbePause.isEnabled());
    EXPECT_TRUE(timers.tmrWerbung.isEnabled());
    EXPECT_EQ(timers.tmrWerbung.interval(), 5000);
    EXPECT_FALSE(timers.tmrBlaettern.isEnabled());

    // The intervals cover the whole byte range.
    state.settings.WerbeZeit = 255;
    state.settings.WerbePause = 255;
    cycle.startSlot();
    EXPECT_EQ(timers.tmrWerbung.interval(), 255000);
    cycle.onWerbung();
    EXPECT_EQ(timers.tmrWerbePause.interval(), 255000);
}

TEST_F(AdvertisingCycleTest, AdvertisingOffNeverShowsTheWindowButLetsARunningSlotEnd)
{
    for (int off : {0, 2, 255}) {
        state.settings.FreieWerbung = std::uint8_t(off);
        timers.tmrWerbePause.setEnabled(true);
        timers.tmrWerbePause.fire();
        EXPECT_TRUE(view.calls.isEmpty()) << off;
        EXPECT_TRUE(timers.tmrWerbePause.isEnabled());
        EXPECT_FALSE(timers.tmrWerbung.isEnabled());
    }

    state.settings.FreieWerbung = 1;
    cycle.startSlot();
    state.settings.FreieWerbung = 0;
    timers.tmrWerbung.fire();
    EXPECT_FALSE(view.visible);
    timers.tmrWerbePause.fire();
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(view.calls.count(QStringLiteral("Werbung_Laden")), 1);
}

TEST_F(AdvertisingCycleTest, SlotEndStartsThePauseOrHandsBackToPageFlipping)
{
    for (int blaettern : {0, 1}) {
        state.settings.Blaettern = std::uint8_t(blaettern);
        cycle.startSlot();
        timers.tmrWerbePause.setEnabled(blaettern == 1); // with page flipping it must go off
        timers.tmrWerbung.fire();
        EXPECT_FALSE(view.visible);
        EXPECT_FALSE(timers.tmrWerbung.isEnabled());
        EXPECT_EQ(timers.tmrWerbePause.isEnabled(), blaettern == 0);
        EXPECT_EQ(timers.tmrBlaettern.isEnabled(), blaettern == 1);
    }
    EXPECT_EQ(timers.tmrWerbePause.interval(), 7000);

    // The pause ends in the next slot.
    state.settings.Blaettern = 0;
    cycle.startSlot();
    timers.tmrWerbung.fire();
    timers.tmrWerbePause.fire();
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.calls.count(QStringLiteral("Werbung_Laden")), 4);
}

TEST_F(AdvertisingCycleTest, ZeroSecondsNeverFire)
{
    state.settings.WerbeZeit = 0;
    state.settings.WerbePause = 0;
    int ticks = 0;
    QObject::connect(&timers.tmrWerbung, &VbTimer::timeout, [&] { ++ticks; });
    QObject::connect(&timers.tmrWerbePause, &VbTimer::timeout, [&] { ++ticks; });
    // A plain zero-interval timer would fire on the next pass of the event loop.
    const auto spin = [] {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    };

    cycle.startSlot();
    EXPECT_TRUE(timers.tmrWerbung.isEnabled());
    EXPECT_EQ(timers.tmrWerbung.interval(), 0);
    spin();
    EXPECT_TRUE(view.visible);
    cycle.onWerbung();
    EXPECT_TRUE(timers.tmrWerbePause.isEnabled());
    EXPECT_EQ(timers.tmrWerbePause.interval(), 0);
    spin();
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(ticks, 0);
}

} // namespace
