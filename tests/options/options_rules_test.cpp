#include "options/AdvertisingFolder.h"
#include "options/OptionRules.h"
#include "options/WorkingCopies.h"
#include "support/ProgramFolder.h"

#include <QDir>

#include <array>

namespace {

TEST(OptionsRules, ChangeTimeRunsInARingOfTenSecondSteps)
{
    const struct {
        int from;
        bool (WorkingCopies::*step)();
        int to;
    } cases[] = {{0, &WorkingCopies::cmdMinusWechselzeit, 9990}, {9990, &WorkingCopies::cmdPlusWechselzeit, 0},
        {0, &WorkingCopies::cmdPlusWechselzeit, 10},
        {9985, &WorkingCopies::cmdPlusWechselzeit, 9995}, // from a hand-edited file
        {9995, &WorkingCopies::cmdPlusWechselzeit, 0}, {5, &WorkingCopies::cmdMinusWechselzeit, 9990},
        {10, &WorkingCopies::cmdMinusWechselzeit, 0}};
    for (const auto& c : cases) {
        WorkingCopies m;
        m.mWechselzeit = static_cast<std::int16_t>(c.from);
        (m.*c.step)();
        EXPECT_EQ(m.mWechselzeit, c.to) << c.from;
    }
}

// Count, per page, first and last shown target.
using Copies = std::array<int, 4>;

Copies copiesOf(const WorkingCopies& m)
{
    return {m.mScheibenanzahl, m.mScheibenProSeite, m.mAnfScheibe, m.mEndScheibe};
}

TEST(OptionsRules, SteppersStepOrStayAtTheirLimits)
{
    const struct {
        const char* what;
        bool (WorkingCopies::*step)();
        Copies before;
        Copies after; // equal to before: the click changes nothing
    } cases[] = {
        {"count minus", &WorkingCopies::Minus, {8, 4, 1, 8}, {7, 4, 1, 8}},
        {"count minus at 1", &WorkingCopies::Minus, {1, 1, 1, 1}, {1, 1, 1, 1}},
        {"count plus", &WorkingCopies::Plus, {8, 4, 1, 8}, {9, 4, 1, 8}},
        {"count plus at 255", &WorkingCopies::Plus, {255, 4, 1, 8}, {255, 4, 1, 8}},
        {"per page plus at count", &WorkingCopies::cmdPlusAnzSeite, {8, 8, 1, 8}, {8, 8, 1, 8}},
        {"per page plus", &WorkingCopies::cmdPlusAnzSeite, {8, 7, 1, 8}, {8, 8, 1, 8}},
        {"per page minus", &WorkingCopies::cmdMinusAnzSeite, {8, 2, 1, 8}, {8, 1, 1, 8}},
        {"per page minus to 0", &WorkingCopies::cmdMinusAnzSeite, {8, 1, 1, 8}, {8, 0, 1, 8}},
        {"per page minus at 0", &WorkingCopies::cmdMinusAnzSeite, {8, 0, 1, 8}, {8, 0, 1, 8}},
        {"first plus at last", &WorkingCopies::cmdAnfangPlus, {8, 8, 5, 5}, {8, 8, 5, 5}},
        {"first plus", &WorkingCopies::cmdAnfangPlus, {8, 8, 4, 5}, {8, 8, 5, 5}},
        {"first plus at count", &WorkingCopies::cmdAnfangPlus, {4, 4, 4, 6}, {4, 4, 4, 6}},
        {"first minus at 1", &WorkingCopies::cmdAnfangMinus, {8, 8, 1, 5}, {8, 8, 1, 5}},
        {"first minus", &WorkingCopies::cmdAnfangMinus, {8, 8, 3, 5}, {8, 8, 2, 5}},
        {"last minus at first", &WorkingCopies::cmdEndMinus, {8, 8, 5, 5}, {8, 8, 5, 5}},
        {"last minus at 1", &WorkingCopies::cmdEndMinus, {8, 8, 0, 1}, {8, 8, 0, 1}},
        {"last plus", &WorkingCopies::cmdEndPlus, {8, 8, 5, 5}, {8, 8, 5, 6}},
        {"last plus at count", &WorkingCopies::cmdEndPlus, {8, 8, 5, 8}, {8, 8, 5, 8}},
        {"last plus at 0", &WorkingCopies::cmdEndPlus, {8, 8, 0, 0}, {8, 8, 0, 0}},
    };
    for (const auto& c : cases) {
        WorkingCopies m;
        m.mScheibenanzahl = static_cast<std::uint8_t>(c.before[0]);
        m.mScheibenProSeite = static_cast<std::uint8_t>(c.before[1]);
        m.mAnfScheibe = static_cast<std::int16_t>(c.before[2]);
        m.mEndScheibe = static_cast<std::int16_t>(c.before[3]);
        EXPECT_EQ((m.*c.step)(), c.after != c.before) << c.what;
        EXPECT_EQ(copiesOf(m), c.after) << c.what;
    }
}

TEST(OptionsRules, AdvertisingTimesStayWithinZeroToThirty)
{
    const struct {
        int from;
        bool (*step)(std::uint8_t&);
        int to; // equal to from: the click changes nothing
    } cases[] = {{30, AdvertisingSteppers::plus, 30}, {30, AdvertisingSteppers::minus, 29},
        {0, AdvertisingSteppers::minus, 0}, {200, AdvertisingSteppers::plus, 200}, // from a hand-edited file
        {200, AdvertisingSteppers::minus, 199}};
    for (const auto& c : cases) {
        auto seconds = static_cast<std::uint8_t>(c.from);
        EXPECT_EQ(c.step(seconds), c.to != c.from) << c.from;
        EXPECT_EQ(seconds, c.to);
    }
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

TEST(OptionsRules, SightingColourOutsideTheRingStepsToRed)
{
    // The ring itself is walked on the dialog's swatch.
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
    const std::pair<const char*, int> cases[]
        = {{"7.5", 8}, {"6.5", 6}, {"", 0}, {"12abc", 12}, {"abc", 0}, {"  42", 42}, {"-3", -3}, {"-2.5", -2},
            {"32767", 32767}, {"-32768", -32768}, {"40000", 32767}, {"-99999", -32768}, {"1e9", 32767}, {"1 2", 12}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(OptionRules::numberField(QString::fromLatin1(text)), expected) << text;
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

TEST_F(AdvertisingFolderTest, AddingReplacesThePictureOfThatNameAndAFailedCopyKeepsIt)
{
    const QString target = AdvertisingFolder::ensure(dir());
    const auto pictures = [&target] { return QDir(target).entryList(QDir::Files); };
    write(QStringLiteral("werbung/hb_0_logo.jpg"), QByteArray("old"));
    EXPECT_FALSE(AdvertisingFolder::addPicture(dir(), QStringLiteral("logo.jpg"), target));
    EXPECT_EQ(read(QStringLiteral("werbung/hb_0_logo.jpg")), QByteArray("old"));
    EXPECT_EQ(pictures(), QStringList {QStringLiteral("hb_0_logo.jpg")});

    // Also when the name differs in letter case, and when the same picture comes twice.
    for (const char* content : {"first", "second"}) {
        write(QStringLiteral("logo.jpg"), QByteArray(content));
        EXPECT_TRUE(AdvertisingFolder::addPicture(dir(), QStringLiteral("logo.jpg"), target));
        EXPECT_EQ(pictures(), QStringList {QStringLiteral("HB_0_logo.jpg")});
        EXPECT_EQ(read(QStringLiteral("werbung/HB_0_logo.jpg")), QByteArray(content));
    }
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
