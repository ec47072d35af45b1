#include "platform/DirectoryListingCache.h"

#include "platform/FileLookup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DirectoryListingCacheTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("sub"))); }

    void touch(const QString& relative)
    {
        QFile file(m_dir.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QString p(const QString& relative) const { return QDir::toNativeSeparators(m_dir.filePath(relative)); }

    QTemporaryDir m_dir;
};

TEST_F(DirectoryListingCacheTest, NoScopeOutsideATick)
{
    EXPECT_EQ(DirectoryListingCache::current(), nullptr);
    {
        const DirectoryListingCache scope;
        EXPECT_EQ(DirectoryListingCache::current(), &scope);
    }
    EXPECT_EQ(DirectoryListingCache::current(), nullptr);
}

TEST_F(DirectoryListingCacheTest, EachDirectoryIsListedOncePerScope)
{
    touch(QStringLiteral("HCVS1L3.ctl"));
    touch(QStringLiteral("sub/Other.TXT"));
    const DirectoryListingCache scope;
    for (int lane = 1; lane <= 20; ++lane)
        FileLookup::findFile(p(QStringLiteral("hcvs1l%1.ctl").arg(lane)));
    EXPECT_EQ(scope.listingsTaken(), 1);
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("hcvs1l3.ctl"))), p(QStringLiteral("HCVS1L3.ctl")));
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("sub/other.txt"))), p(QStringLiteral("sub/Other.TXT")));
    EXPECT_EQ(scope.listingsTaken(), 2);
    // An exact name needs no listing at all.
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("HCVS1L3.ctl"))), p(QStringLiteral("HCVS1L3.ctl")));
    EXPECT_EQ(scope.listingsTaken(), 2);
}

TEST_F(DirectoryListingCacheTest, ExactNamesAreAlwaysFresh)
{
    const DirectoryListingCache scope;
    EXPECT_FALSE(FileLookup::fileExists(p(QStringLiteral("HCVS1L1.ctl"))));
    touch(QStringLiteral("HCVS1L1.ctl"));
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("HCVS1L1.ctl"))), p(QStringLiteral("HCVS1L1.ctl")));
}

TEST_F(DirectoryListingCacheTest, OtherLetterCaseWrittenDuringTheScopeIsSeenByTheNext)
{
    {
        const DirectoryListingCache scope;
        EXPECT_FALSE(FileLookup::fileExists(p(QStringLiteral("HCVS1L1.ctl"))));
        touch(QStringLiteral("hcvs1l1.CTL"));
        EXPECT_FALSE(FileLookup::fileExists(p(QStringLiteral("HCVS1L1.ctl"))));
    }
    const DirectoryListingCache next;
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("HCVS1L1.ctl"))), p(QStringLiteral("hcvs1l1.CTL")));
}

TEST_F(DirectoryListingCacheTest, AFileGoneSinceTheListingIsNotFound)
{
    touch(QStringLiteral("hcvs1l1.ctl"));
    const DirectoryListingCache scope;
    EXPECT_TRUE(FileLookup::fileExists(p(QStringLiteral("HCVS1L1.ctl"))));
    ASSERT_TRUE(QFile::remove(m_dir.filePath(QStringLiteral("hcvs1l1.ctl"))));
    EXPECT_FALSE(FileLookup::fileExists(p(QStringLiteral("HCVS1L1.ctl"))));
}

TEST_F(DirectoryListingCacheTest, SameChoiceAsWithoutTheScope)
{
    touch(QStringLiteral("Data.TXT"));
    touch(QStringLiteral("dATA.txt"));
    touch(QStringLiteral("DATA.txt"));
    const auto fresh = FileLookup::findFile(p(QStringLiteral("data.txt")));
    ASSERT_TRUE(fresh.has_value());
    const DirectoryListingCache scope;
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("data.txt"))), fresh);
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("DATA.txt"))), p(QStringLiteral("DATA.txt")));
    // A directory of that name does not count as a file, nor a file as a folder.
    EXPECT_FALSE(FileLookup::fileExists(p(QStringLiteral("SUB"))));
    EXPECT_EQ(FileLookup::findDirectory(p(QStringLiteral("SUB"))), p(QStringLiteral("sub")));
    EXPECT_FALSE(FileLookup::directoryExists(p(QStringLiteral("data.TXT"))));
}

TEST_F(DirectoryListingCacheTest, NamesReceivedInMessagesAreResolvedFresh)
{
    const DirectoryListingCache scope;
    EXPECT_FALSE(FileLookup::fileExists(p(QStringLiteral("Ergebnis1.txt"))));
    touch(QStringLiteral("ERGEBNIS1.TXT"));
    EXPECT_EQ(
        FileLookup::resolveInside(m_dir.path(), QStringLiteral("ergebnis1.txt")), p(QStringLiteral("ERGEBNIS1.TXT")));
}

TEST_F(DirectoryListingCacheTest, InnerScopesShareTheOuterListings)
{
    const DirectoryListingCache outer;
    FileLookup::fileExists(p(QStringLiteral("a.ctl")));
    {
        const DirectoryListingCache inner;
        EXPECT_EQ(DirectoryListingCache::current(), &outer);
        touch(QStringLiteral("A.CTL"));
        EXPECT_FALSE(FileLookup::fileExists(p(QStringLiteral("a.ctl"))));
        EXPECT_EQ(inner.listingsTaken(), 0);
    }
    EXPECT_EQ(DirectoryListingCache::current(), &outer);
    EXPECT_EQ(outer.listingsTaken(), 1);
}

} // namespace
