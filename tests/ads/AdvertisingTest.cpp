#include "ads/AdvertisingCycle.h"
#include "ads/AdvertisingPictures.h"
#include "ads/PictureFit.h"
#include "shell/AdvertisingView.h"
#include "shell/FrameTimers.h"
#include "shell/ProgramState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

using namespace Qt::StringLiterals;

namespace {

// A folder of empty files and the pictures read from it.
struct Folder {
    explicit Folder(const char* files)
    {
        for (const QString& name : QString::fromLatin1(files).split(u' ', Qt::SkipEmptyParts))
            EXPECT_TRUE(QFile(QDir(dir.path()).filePath(name)).open(QIODevice::WriteOnly)) << name.toStdString();
        pictures.bind(dir.path());
    }
    // Slots shown one after the other, "-" where none was shown.
    QString shown(std::uint8_t& position, int slots) const
    {
        QStringList names;
        for (int i = 0; i < slots; ++i) {
            const std::optional<QString> file = pictures.showNext(position, [](const QString&) { return true; });
            names.append(file ? QFileInfo(*file).fileName() : u"-"_s);
        }
        return names.join(u' ');
    }

    QTemporaryDir dir;
    AdvertisingPictures pictures;
};

TEST(AdvertisingPictures, PatternIgnoresCaseAndAdmitsOnlyBmpAndJpg)
{
    for (const char* name : {"hb_0_a.bmp", "HB_0_X.JPG", "Hb_0_Logo.Jpg", "hb_0_.jpg", "hb_0_a b.bmp"})
        EXPECT_TRUE(AdvertisingPictures::matchesPattern(QString::fromLatin1(name))) << name;
    for (const char* name :
        {"hb_1_a.bmp", "hb_0_a.png", "hb_0_a.jpeg", "xhb_0_a.bmp", "hb_0_a.bmp.txt", "hb0_a.bmp", "hb_0_bmp", ""})
        EXPECT_FALSE(AdvertisingPictures::matchesPattern(QString::fromLatin1(name))) << name;
}

TEST(AdvertisingPictures, ListsMatchingFilesSortedByNameIgnoringCase)
{
    Folder f("hb_0_c.jpg HB_0_B.BMP hb_0_a.bmp readme.txt hb_0_d.png logo.jpg");
    ASSERT_TRUE(QDir(f.dir.path()).mkdir(u"hb_0_folder.bmp"_s));
    f.pictures.bind(f.dir.path());
    EXPECT_EQ(f.pictures.names().join(u' '), u"hb_0_a.bmp HB_0_B.BMP hb_0_c.jpg"_s);
    EXPECT_EQ(f.pictures.filePath(1), QDir(f.dir.path()).absoluteFilePath(u"HB_0_B.BMP"_s));
    EXPECT_TRUE(f.pictures.filePath(3).isEmpty() && f.pictures.filePath(-1).isEmpty());

    f.pictures.bind(QDir(f.dir.path()).filePath(u"nowhere"_s));
    EXPECT_EQ(f.pictures.count(), 0);
}

TEST(AdvertisingPictures, PicturesRotateInNameOrder)
{
    // Files, start position, slots shown from there, position after them.
    const std::tuple<const char*, std::uint8_t, const char*, std::uint8_t> cases[] = {
        {"hb_0_b.bmp hb_0_c.bmp hb_0_a.bmp", 0, "hb_0_a.bmp hb_0_b.bmp hb_0_c.bmp hb_0_a.bmp hb_0_b.bmp", 2},
        {"hb_0_only.jpg", 0, "hb_0_only.jpg hb_0_only.jpg hb_0_only.jpg", 0},
        {"hb_0_a.bmp hb_0_b.bmp", 5, "hb_0_a.bmp hb_0_b.bmp", 0}, // beyond a shorter list starts over
        {"", 7, "- -", 7}, // an empty list shows nothing and keeps the position
    };
    for (const auto& [files, start, slots, end] : cases) {
        SCOPED_TRACE(slots);
        const Folder f(files);
        std::uint8_t position = start;
        EXPECT_EQ(f.shown(position, int(QString::fromLatin1(slots).count(u' ')) + 1), QLatin1String(slots));
        EXPECT_EQ(position, end);
    }

    // No picture shown: each is tried once and the position moves on by one.
    const Folder f("hb_0_a.bmp hb_0_b.bmp hb_0_c.bmp");
    std::uint8_t position = 1;
    int offered = 0;
    EXPECT_FALSE(f.pictures.showNext(position, [&](const QString&) { return ++offered < 0; })); // refuses every file
    EXPECT_EQ(offered, 3);
    EXPECT_EQ(position, 2);
}

TEST(PictureFit, FitsAnchoredTopLeftKeepingProportionsAndEmptyGivesEmpty)
{
    // A square picture in a landscape window is fitted to the height, a wider one to the width; the
    // same proportions fill the window, scaled up or down.
    const struct {
        QSizeF window, picture, expected;
    } cases[] = {{{800, 600}, {400, 400}, {600, 600}}, {{800, 600}, {1600, 900}, {800, 450}},
        {{800, 600}, {400, 300}, {800, 600}}, {{800, 600}, {1600, 1200}, {800, 600}},
        {{800, 600}, {300, 600}, {300, 600}}, {{600, 800}, {100, 100}, {600, 600}},
        // Fractions are kept, not rounded; twips work the same way.
        {{1000, 700}, {300, 200}, {1000, 2000.0 / 3.0}}, {{1000, 700}, {3, 7}, {300, 700}},
        {{15360, 11520}, {640, 480}, {15360, 11520}},
        // An empty picture or window gives an empty size.
        {{800, 600}, {0, 400}, {0, 0}}, {{800, 600}, {400, 0}, {0, 0}}, {{0, 600}, {400, 400}, {0, 0}},
        {{800, 0}, {400, 400}, {0, 0}}, {{-5, 600}, {400, 400}, {0, 0}}};
    for (const auto& c : cases) {
        const QSizeF result = PictureFit::fitted(c.window, c.picture);
        EXPECT_DOUBLE_EQ(result.width(), c.expected.width()) << &c - cases;
        EXPECT_DOUBLE_EQ(result.height(), c.expected.height()) << &c - cases;
    }
}

class FakeView : public AdvertisingView {
public:
    void Werbung_Laden() override { record("Werbung_Laden", visible); }
    void showInFront() override { record("showInFront", true); }
    void hideView() override { record("hideView", false); }
    bool isViewVisible() const override { return visible; }
    void record(const char* call, bool shows) { calls.append(QLatin1String(call)), visible = shows; }

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
    // Which of the pause, advertising and page-flip timers run, and whether the window shows.
    QString running() const
    {
        return QString::fromLatin1(timers.tmrWerbePause.isEnabled() ? "P" : "-")
            + QLatin1String(timers.tmrWerbung.isEnabled() ? "W" : "-")
            + QLatin1String(timers.tmrBlaettern.isEnabled() ? "B" : "-")
            + QLatin1String(view.visible ? " shown" : " hidden");
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
    EXPECT_EQ(view.calls, QStringList({u"Werbung_Laden"_s, u"showInFront"_s}));
    EXPECT_EQ(running(), u"-W- shown"_s);
    EXPECT_EQ(timers.tmrWerbung.interval(), 5000);

    // The intervals cover the whole byte range.
    state.settings.WerbeZeit = 255;
    state.settings.WerbePause = 255;
    cycle.startSlot();
    cycle.onWerbung();
    EXPECT_EQ(std::pair(timers.tmrWerbung.interval(), timers.tmrWerbePause.interval()), std::pair(255000, 255000));
}

TEST_F(AdvertisingCycleTest, AdvertisingOffNeverShowsTheWindowButLetsARunningSlotEnd)
{
    for (int off : {0, 2, 255}) {
        state.settings.FreieWerbung = std::uint8_t(off);
        timers.tmrWerbePause.setEnabled(true);
        timers.tmrWerbePause.fire();
        EXPECT_TRUE(view.calls.isEmpty()) << off;
        EXPECT_EQ(running(), u"P-- hidden"_s);
    }

    state.settings.FreieWerbung = 1;
    cycle.startSlot();
    state.settings.FreieWerbung = 0;
    timers.tmrWerbung.fire();
    timers.tmrWerbePause.fire();
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(view.calls.count(u"Werbung_Laden"_s), 1);
}

TEST_F(AdvertisingCycleTest, SlotEndStartsThePauseOrHandsBackToPageFlipping)
{
    for (int blaettern : {0, 1}) {
        state.settings.Blaettern = std::uint8_t(blaettern);
        cycle.startSlot();
        timers.tmrWerbePause.setEnabled(blaettern == 1); // with page flipping it must go off
        timers.tmrWerbung.fire();
        EXPECT_EQ(running(), QLatin1String(blaettern ? "--B hidden" : "P-- hidden"));
    }
    EXPECT_EQ(timers.tmrWerbePause.interval(), 7000);

    // The pause ends in the next slot.
    state.settings.Blaettern = 0;
    cycle.startSlot();
    timers.tmrWerbung.fire();
    timers.tmrWerbePause.fire();
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.calls.count(u"Werbung_Laden"_s), 4);
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
    spin();
    EXPECT_EQ(running(), u"-W- shown"_s);
    cycle.onWerbung();
    spin();
    EXPECT_EQ(running(), u"P-- hidden"_s);
    EXPECT_EQ(std::pair(timers.tmrWerbung.interval(), timers.tmrWerbePause.interval()), std::pair(0, 0));
    EXPECT_EQ(ticks, 0);
}

} // namespace
