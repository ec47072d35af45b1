#include "ads/AdvertisingPictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>

namespace {

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
    for (const char* name : {"hb_0_a.bmp", "HB_0_X.JPG", "Hb_0_Logo.Jpg", "hb_0_.jpg", "hb_0_a b.bmp"})
        EXPECT_TRUE(AdvertisingPictures::matchesPattern(QString::fromLatin1(name))) << name;
    for (const char* name :
        {"hb_1_a.bmp", "hb_0_a.png", "hb_0_a.jpeg", "xhb_0_a.bmp", "hb_0_a.bmp.txt", "hb0_a.bmp", "hb_0_bmp", ""})
        EXPECT_FALSE(AdvertisingPictures::matchesPattern(QString::fromLatin1(name))) << name;
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

    pictures.bind(QDir(dir.path()).filePath(QStringLiteral("nowhere")));
    EXPECT_EQ(pictures.count(), 0);
}

// Slots shown one after the other from a start position, "-" where none was shown.
struct RotationCase {
    QStringList files;
    std::uint8_t start;
    const char* shown;
    std::uint8_t end;
};

TEST(AdvertisingPictures, PicturesRotateInNameOrder)
{
    const RotationCase cases[] = {
        {{QStringLiteral("hb_0_b.bmp"), QStringLiteral("hb_0_c.bmp"), QStringLiteral("hb_0_a.bmp")}, 0,
            "hb_0_a.bmp hb_0_b.bmp hb_0_c.bmp hb_0_a.bmp hb_0_b.bmp", 2},
        {{QStringLiteral("hb_0_only.jpg")}, 0, "hb_0_only.jpg hb_0_only.jpg hb_0_only.jpg", 0},
        // A position beyond a shorter list starts over.
        {{QStringLiteral("hb_0_a.bmp"), QStringLiteral("hb_0_b.bmp")}, 5, "hb_0_a.bmp hb_0_b.bmp", 0},
        // An empty list shows nothing and keeps the position.
        {{}, 7, "- -", 7},
    };
    for (const RotationCase& c : cases) {
        QTemporaryDir dir;
        for (const QString& name : c.files)
            touch(dir.path(), name);
        AdvertisingPictures pictures;
        pictures.bind(dir.path());
        std::uint8_t position = c.start;
        const int slots = int(QString::fromLatin1(c.shown).count(QLatin1Char(' '))) + 1;
        EXPECT_EQ(shownNames(pictures, position, slots, always).join(QLatin1Char(' ')), QLatin1String(c.shown));
        EXPECT_EQ(position, c.end) << c.shown;
    }
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

} // namespace
