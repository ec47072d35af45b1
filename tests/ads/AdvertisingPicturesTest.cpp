#include "ads/AdvertisingPictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

void touch(const QString& dir, const QString& name)
{
    QFile f(QDir(dir).filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

QStringList shownNames(const AdvertisingPictures& pictures, std::uint8_t& position, int slots,
    const std::function<bool(const QString&)>& show)
{
    QStringList shown;
    for (int i = 0; i < slots; ++i) {
        const std::optional<QString> file = pictures.showNext(position, show);
        shown.append(file ? QFileInfo(*file).fileName() : QStringLiteral("-"));
    }
    return shown;
}

bool always(const QString&)
{
    return true;
}

TEST(AdvertisingPictures, PatternIgnoresCaseAndAdmitsOnlyBmpAndJpg)
{
    const std::pair<const char*, bool> cases[] = {
        {"hb_0_a.bmp", true},
        {"HB_0_X.JPG", true},
        {"Hb_0_Logo.Jpg", true},
        {"hb_0_.jpg", true},
        {"hb_0_a b.bmp", true},
        {"hb_1_a.bmp", false},
        {"hb_0_a.png", false},
        {"hb_0_a.jpeg", false},
        {"xhb_0_a.bmp", false},
        {"hb_0_a.bmp.txt", false},
        {"hb0_a.bmp", false},
        {"hb_0_bmp", false},
        {"", false},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(AdvertisingPictures::matchesPattern(QString::fromLatin1(name)), expected) << name;
}

TEST(AdvertisingPictures, ListsMatchingFilesSortedByNameIgnoringCase)
{
    QTemporaryDir dir;
    for (const char* name : {"hb_0_c.jpg", "HB_0_B.BMP", "hb_0_a.bmp", "readme.txt", "hb_0_d.png", "logo.jpg"})
        touch(dir.path(), QString::fromLatin1(name));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("hb_0_folder.bmp")));

    AdvertisingPictures pictures;
    pictures.bind(dir.path());

    EXPECT_EQ(pictures.names(),
        QStringList({QStringLiteral("hb_0_a.bmp"), QStringLiteral("HB_0_B.BMP"), QStringLiteral("hb_0_c.jpg")}));
    EXPECT_EQ(pictures.directory(), dir.path());
    EXPECT_EQ(QFileInfo(pictures.filePath(1)).fileName(), QStringLiteral("HB_0_B.BMP"));
    EXPECT_EQ(QFileInfo(pictures.filePath(1)).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(pictures.filePath(3).isEmpty());
    EXPECT_TRUE(pictures.filePath(-1).isEmpty());
}

TEST(AdvertisingPictures, MissingDirectoryGivesEmptyList)
{
    QTemporaryDir dir;
    AdvertisingPictures pictures;
    pictures.bind(QDir(dir.path()).filePath(QStringLiteral("nowhere")));
    EXPECT_EQ(pictures.count(), 0);
}

TEST(AdvertisingPictures, ThreePicturesRotateInNameOrder)
{
    QTemporaryDir dir;
    for (const char* name : {"hb_0_b.bmp", "hb_0_c.bmp", "hb_0_a.bmp"})
        touch(dir.path(), QString::fromLatin1(name));
    AdvertisingPictures pictures;
    pictures.bind(dir.path());

    std::uint8_t position = 0;
    EXPECT_EQ(shownNames(pictures, position, 5, always).join(QLatin1Char(' ')),
        QStringLiteral("hb_0_a.bmp hb_0_b.bmp hb_0_c.bmp hb_0_a.bmp hb_0_b.bmp"));
    EXPECT_EQ(position, 2);
}

TEST(AdvertisingPictures, OnePictureRepeats)
{
    QTemporaryDir dir;
    touch(dir.path(), QStringLiteral("hb_0_only.jpg"));
    AdvertisingPictures pictures;
    pictures.bind(dir.path());

    std::uint8_t position = 0;
    EXPECT_EQ(shownNames(pictures, position, 3, always), QStringList(3, QStringLiteral("hb_0_only.jpg")));
    EXPECT_EQ(position, 0);
}

TEST(AdvertisingPictures, EmptyListShowsNothingAndKeepsThePosition)
{
    AdvertisingPictures pictures;
    std::uint8_t position = 7;
    int offered = 0;
    EXPECT_FALSE(pictures.showNext(position, [&](const QString&) {
        ++offered;
        return true;
    }));
    EXPECT_EQ(offered, 0);
    EXPECT_EQ(position, 7);
}

TEST(AdvertisingPictures, NoPictureShownTriesEachOnceAndMovesOnByOne)
{
    QTemporaryDir dir;
    for (const char* name : {"hb_0_a.bmp", "hb_0_b.bmp", "hb_0_c.bmp"})
        touch(dir.path(), QString::fromLatin1(name));
    AdvertisingPictures pictures;
    pictures.bind(dir.path());

    std::uint8_t position = 1;
    int offered = 0;
    EXPECT_FALSE(pictures.showNext(position, [&](const QString&) {
        ++offered;
        return false;
    }));
    EXPECT_EQ(offered, 3);
    EXPECT_EQ(position, 2);
}

TEST(AdvertisingPictures, PositionBeyondAShorterListStartsOver)
{
    QTemporaryDir dir;
    for (const char* name : {"hb_0_a.bmp", "hb_0_b.bmp"})
        touch(dir.path(), QString::fromLatin1(name));
    AdvertisingPictures pictures;
    pictures.bind(dir.path());

    std::uint8_t position = 5;
    EXPECT_EQ(
        shownNames(pictures, position, 2, always).join(QLatin1Char(' ')), QStringLiteral("hb_0_a.bmp hb_0_b.bmp"));
}

} // namespace
