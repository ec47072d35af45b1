#include "options/AdvertisingFolder.h"
#include "options/OptionRules.h"
#include "options/WorkingCopies.h"
#include "options_program_folder.h"

#include <QDir>

namespace {

WorkingCopies copies(int count, int perPage, int first, int last, int interval)
{
    WorkingCopies m;
    m.mScheibenanzahl = static_cast<std::uint8_t>(count);
    m.mScheibenProSeite = static_cast<std::uint8_t>(perPage);
    m.mAnfScheibe = static_cast<std::int16_t>(first);
    m.mEndScheibe = static_cast<std::int16_t>(last);
    m.mWechselzeit = static_cast<std::int16_t>(interval);
    return m;
}

TEST(OptionsRules, ChangeTimeRunsInARingOfTenSecondSteps)
{
    WorkingCopies m = copies(8, 8, 1, 8, 0);
    m.cmdMinusWechselzeit();
    EXPECT_EQ(m.mWechselzeit, 9990);
    m.cmdPlusWechselzeit();
    EXPECT_EQ(m.mWechselzeit, 0);
    m.cmdPlusWechselzeit();
    EXPECT_EQ(m.mWechselzeit, 10);

    m.mWechselzeit = 9985;
    m.cmdPlusWechselzeit();
    EXPECT_EQ(m.mWechselzeit, 9995);
    m.cmdPlusWechselzeit();
    EXPECT_EQ(m.mWechselzeit, 0);

    m.mWechselzeit = 5;
    m.cmdMinusWechselzeit();
    EXPECT_EQ(m.mWechselzeit, 9990);
    m.mWechselzeit = 10;
    m.cmdMinusWechselzeit();
    EXPECT_EQ(m.mWechselzeit, 0);
}

struct StepCase {
    const char* what;
    bool (WorkingCopies::*step)();
    WorkingCopies before;
    bool changes;
    WorkingCopies after;
};

class StepperLimits : public ::testing::TestWithParam<StepCase> { };

TEST_P(StepperLimits, StepsOrStaysAtTheLimit)
{
    const StepCase& c = GetParam();
    WorkingCopies m = c.before;
    EXPECT_EQ((m.*c.step)(), c.changes) << c.what;
    EXPECT_EQ(m.mScheibenanzahl, c.after.mScheibenanzahl) << c.what;
    EXPECT_EQ(m.mScheibenProSeite, c.after.mScheibenProSeite) << c.what;
    EXPECT_EQ(m.mAnfScheibe, c.after.mAnfScheibe) << c.what;
    EXPECT_EQ(m.mEndScheibe, c.after.mEndScheibe) << c.what;
}

INSTANTIATE_TEST_SUITE_P(OptionsRules, StepperLimits,
    ::testing::Values(
        StepCase {"count minus", &WorkingCopies::Minus, copies(8, 4, 1, 8, 60), true, copies(7, 4, 1, 8, 60)},
        StepCase {"count minus at 1", &WorkingCopies::Minus, copies(1, 1, 1, 1, 60), false, copies(1, 1, 1, 1, 60)},
        StepCase {"count plus", &WorkingCopies::Plus, copies(8, 4, 1, 8, 60), true, copies(9, 4, 1, 8, 60)},
        StepCase {"count plus at 255", &WorkingCopies::Plus, copies(255, 4, 1, 8, 60), false, copies(255, 4, 1, 8, 60)},
        StepCase {"per page plus at count", &WorkingCopies::cmdPlusAnzSeite, copies(8, 8, 1, 8, 60), false,
            copies(8, 8, 1, 8, 60)},
        StepCase {
            "per page plus", &WorkingCopies::cmdPlusAnzSeite, copies(8, 7, 1, 8, 60), true, copies(8, 8, 1, 8, 60)},
        StepCase {
            "per page minus", &WorkingCopies::cmdMinusAnzSeite, copies(8, 2, 1, 8, 60), true, copies(8, 1, 1, 8, 60)},
        StepCase {"per page minus to 0", &WorkingCopies::cmdMinusAnzSeite, copies(8, 1, 1, 8, 60), true,
            copies(8, 0, 1, 8, 60)},
        StepCase {"per page minus at 0", &WorkingCopies::cmdMinusAnzSeite, copies(8, 0, 1, 8, 60), false,
            copies(8, 0, 1, 8, 60)},
        StepCase {
            "first plus at last", &WorkingCopies::cmdAnfangPlus, copies(8, 8, 5, 5, 60), false, copies(8, 8, 5, 5, 60)},
        StepCase {"first plus", &WorkingCopies::cmdAnfangPlus, copies(8, 8, 4, 5, 60), true, copies(8, 8, 5, 5, 60)},
        StepCase {"first plus at count", &WorkingCopies::cmdAnfangPlus, copies(4, 4, 4, 6, 60), false,
            copies(4, 4, 4, 6, 60)},
        StepCase {
            "first minus at 1", &WorkingCopies::cmdAnfangMinus, copies(8, 8, 1, 5, 60), false, copies(8, 8, 1, 5, 60)},
        StepCase {"first minus", &WorkingCopies::cmdAnfangMinus, copies(8, 8, 3, 5, 60), true, copies(8, 8, 2, 5, 60)},
        StepCase {
            "last minus at first", &WorkingCopies::cmdEndMinus, copies(8, 8, 5, 5, 60), false, copies(8, 8, 5, 5, 60)},
        StepCase {
            "last minus at 1", &WorkingCopies::cmdEndMinus, copies(8, 8, 0, 1, 60), false, copies(8, 8, 0, 1, 60)},
        StepCase {"last plus", &WorkingCopies::cmdEndPlus, copies(8, 8, 5, 5, 60), true, copies(8, 8, 5, 6, 60)},
        StepCase {
            "last plus at count", &WorkingCopies::cmdEndPlus, copies(8, 8, 5, 8, 60), false, copies(8, 8, 5, 8, 60)},
        StepCase {
            "last plus at 0", &WorkingCopies::cmdEndPlus, copies(8, 8, 0, 0, 60), false, copies(8, 8, 0, 0, 60)}));

TEST(OptionsRules, AdvertisingTimesStayWithinZeroToThirty)
{
    std::uint8_t seconds = 30;
    EXPECT_FALSE(AdvertisingSteppers::plus(seconds));
    EXPECT_EQ(seconds, 30);
    EXPECT_TRUE(AdvertisingSteppers::minus(seconds));
    EXPECT_EQ(seconds, 29);
    seconds = 0;
    EXPECT_FALSE(AdvertisingSteppers::minus(seconds));
    EXPECT_EQ(seconds, 0);
    seconds = 200; // from a hand-edited settings file
    EXPECT_FALSE(AdvertisingSteppers::plus(seconds));
    EXPECT_TRUE(AdvertisingSteppers::minus(seconds));
    EXPECT_EQ(seconds, 199);
}

TEST(OptionsRules, ResolutionCodeDependsOnTheStartPosition)
{
    for (int button = 0; button < 4; ++button) {
        EXPECT_EQ(OptionRules::resolutionCode(button, 2), button);
        EXPECT_EQ(OptionRules::resolutionCode(button, 0), 100 + button);
        EXPECT_EQ(OptionRules::resolutionCode(button, 1), 100 + button);
        EXPECT_EQ(OptionRules::resolutionButton(button), button);
        EXPECT_EQ(OptionRules::resolutionButton(100 + button), button);
    }
    for (int code : {4, 5, 99, 104, 255, -1})
        EXPECT_FALSE(OptionRules::resolutionButton(code).has_value()) << code;
}

TEST(OptionsRules, SightingColourRing)
{
    std::uint32_t colour = 255;
    const std::uint32_t ring[] = {16711680, 65280, 65535, 0, 255, 16711680};
    for (std::uint32_t expected : ring) {
        colour = OptionRules::nextSightingColour(colour);
        EXPECT_EQ(colour, expected);
    }
    for (std::uint32_t outside : {1u, 128u, 0xFFFFFFu, 0x00FF01u})
        EXPECT_EQ(OptionRules::nextSightingColour(outside), 255u) << outside;
}

TEST(OptionsRules, ColourFromSettingRoundsAndLimits)
{
    EXPECT_EQ(OptionRules::colourFromSetting(255.0), 255u);
    EXPECT_EQ(OptionRules::colourFromSetting(254.5), 254u);
    EXPECT_EQ(OptionRules::colourFromSetting(255.5), 256u);
    EXPECT_EQ(OptionRules::colourFromSetting(-3), 0u);
    EXPECT_EQ(OptionRules::colourFromSetting(1e20), 0xFFFFFFu);
    EXPECT_EQ(OptionRules::colourFromSetting(std::nan("")), 0u);
}

TEST(OptionsRules, NumberFields)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"7.5", 8},
        {"6.5", 6},
        {"", 0},
        {"12abc", 12},
        {"abc", 0},
        {"  42", 42},
        {"-3", -3},
        {"-2.5", -2},
        {"32767", 32767},
        {"-32768", -32768},
        {"40000", 32767},
        {"-99999", -32768},
        {"1e9", 32767},
        {"1 2", 12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OptionRules::numberField(QString::fromLatin1(c.text)), c.expected) << c.text;
}

class AdvertisingFolderTest : public ProgramFolderTest { };

TEST_F(AdvertisingFolderTest, MissingFolderIsCreatedAndAnExistingOneFound)
{
    const QString created = AdvertisingFolder::ensure(dir());
    EXPECT_TRUE(QFileInfo(created).isDir());
    EXPECT_EQ(QFileInfo(created).fileName(), QStringLiteral("werbung"));

    QDir(created).removeRecursively();
    QDir(dir()).mkdir(QStringLiteral("Werbung"));
    EXPECT_EQ(QFileInfo(AdvertisingFolder::ensure(dir())).fileName(), QStringLiteral("Werbung"));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("werbung"))));
}

TEST_F(AdvertisingFolderTest, FileOfThatNameIsLeftAlone)
{
    write(QStringLiteral("werbung"), QByteArray("not a folder"));
    const QString path = AdvertisingFolder::ensure(dir());
    EXPECT_FALSE(QFileInfo(path).isDir());
    EXPECT_EQ(read(QStringLiteral("werbung")), QByteArray("not a folder"));
    write(QStringLiteral("logo.jpg"), QByteArray("jpg"));
    EXPECT_FALSE(AdvertisingFolder::addPicture(dir(), QStringLiteral("logo.jpg"), path));
}

TEST_F(AdvertisingFolderTest, AddingTwiceLeavesOneCopyWithTheNewContent)
{
    const QString target = AdvertisingFolder::ensure(dir());
    write(QStringLiteral("logo.jpg"), QByteArray("first"));
    EXPECT_TRUE(AdvertisingFolder::addPicture(dir(), QStringLiteral("logo.jpg"), target));
    write(QStringLiteral("logo.jpg"), QByteArray("second"));
    EXPECT_TRUE(AdvertisingFolder::addPicture(dir(), QStringLiteral("logo.jpg"), target));
    EXPECT_EQ(QDir(target).entryList(QDir::Files), QStringList {QStringLiteral("HB_0_logo.jpg")});
    EXPECT_EQ(read(QStringLiteral("werbung/HB_0_logo.jpg")), QByteArray("second"));
}

TEST_F(AdvertisingFolderTest, AddingReplacesAPictureThatDiffersInLetterCase)
{
    const QString target = AdvertisingFolder::ensure(dir());
    write(QStringLiteral("werbung/hb_0_logo.jpg"), QByteArray("old"));
    write(QStringLiteral("logo.jpg"), QByteArray("new"));
    EXPECT_TRUE(AdvertisingFolder::addPicture(dir(), QStringLiteral("logo.jpg"), target));
    EXPECT_EQ(QDir(target).entryList(QDir::Files), QStringList {QStringLiteral("HB_0_logo.jpg")});
}

TEST_F(AdvertisingFolderTest, FailedCopyKeepsTheOldPicture)
{
    const QString target = AdvertisingFolder::ensure(dir());
    write(QStringLiteral("werbung/HB_0_logo.jpg"), QByteArray("old"));
    EXPECT_FALSE(AdvertisingFolder::addPicture(dir(), QStringLiteral("logo.jpg"), target));
    EXPECT_EQ(read(QStringLiteral("werbung/HB_0_logo.jpg")), QByteArray("old"));
    EXPECT_EQ(QDir(target).entryList(QDir::Files), QStringList {QStringLiteral("HB_0_logo.jpg")});
}

TEST_F(AdvertisingFolderTest, DeleteRemovesOnlyTheNamedPicture)
{
    const QString target = AdvertisingFolder::ensure(dir());
    write(QStringLiteral("werbung/HB_0_a.jpg"), QByteArray("a"));
    write(QStringLiteral("werbung/HB_0_b.bmp"), QByteArray("b"));
    EXPECT_TRUE(AdvertisingFolder::deletePicture(target, QStringLiteral("HB_0_a.jpg")));
    EXPECT_FALSE(AdvertisingFolder::deletePicture(target, QString()));
    EXPECT_EQ(QDir(target).entryList(QDir::Files), QStringList {QStringLiteral("HB_0_b.bmp")});
}

} // namespace
