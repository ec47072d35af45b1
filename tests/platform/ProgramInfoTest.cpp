#include "platform/ProgramInfo.h"

#include "platform/Twips.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(ProgramInfoTest, DirectoryIsTheExecutablesUnlessOverridden)
{
    EXPECT_EQ(QDir(ProgramInfo::directory()), QDir(QCoreApplication::applicationDirPath()));
    ProgramInfo::setDirectoryForTest(QStringLiteral("/tmp/omr"));
    EXPECT_EQ(ProgramInfo::directory(), QStringLiteral("/tmp/omr"));
    ProgramInfo::setDirectoryForTest(QString());
    EXPECT_EQ(QDir(ProgramInfo::directory()), QDir(QCoreApplication::applicationDirPath()));
}

TEST(ProgramInfoTest, VersionAndCompany)
{
    EXPECT_EQ(ProgramInfo::versionMajor(), 1);
    EXPECT_EQ(ProgramInfo::versionMinor(), 3);
    EXPECT_EQ(ProgramInfo::versionRevision(), 904);
    EXPECT_FALSE(ProgramInfo::companyName().isEmpty());
}

TEST(TwipsTest, ConversionsFollowTheDpi)
{
    Twips::overrideDpiForTest(96, 120);
    EXPECT_DOUBLE_EQ(Twips::twipsPerPixelX(), 15);
    EXPECT_DOUBLE_EQ(Twips::twipsPerPixelY(), 12);
    EXPECT_EQ(Twips::toPixelsX(1440), 96);
    EXPECT_EQ(Twips::toPixelsY(1440), 120);
    EXPECT_EQ(Twips::toPixelsX(22), 1);
    EXPECT_DOUBLE_EQ(Twips::fromPixelsX(10), 150);
    EXPECT_DOUBLE_EQ(Twips::fromPixelsY(10), 120);
    Twips::overrideDpiForTest(0, 0);
    EXPECT_GT(Twips::twipsPerPixelX(), 0);
    EXPECT_FALSE(Twips::screenSize().isEmpty());
}

} // namespace
