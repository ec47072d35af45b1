#include "platform/FileLookup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class FileLookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("Sub/Deeper")));
        touch(QStringLiteral("HRang3.csv"));
        touch(QStringLiteral("Sub/File.TXT"));
        touch(QStringLiteral("Sub/Deeper/x.def"));
    }

    void touch(const QString& relative)
    {
        QFile file(m_dir.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QString p(const QString& relative) const { return QDir::toNativeSeparators(m_dir.filePath(relative)); }

    QTemporaryDir m_dir;
};

TEST_F(FileLookupTest, JoinUsesOneSeparator)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(FileLookup::join(QStringLiteral("dir"), QStringLiteral("a.ini")),
        QStringLiteral("dir") + sep + QStringLiteral("a.ini"));
    EXPECT_EQ(FileLookup::join(QStringLiteral("dir/"), QStringLiteral("a.ini")), QStringLiteral("dir/a.ini"));
    EXPECT_EQ(FileLookup::join(QStringLiteral("dir\\"), QStringLiteral("a.ini")), QStringLiteral("dir\\a.ini"));
    EXPECT_EQ(FileLookup::join(QStringLiteral("dir"), QStringLiteral("\\a.ini")),
        QStringLiteral("dir") + sep + QStringLiteral("a.ini"));
    EXPECT_EQ(FileLookup::join(QString(), QStringLiteral("a.ini")), QStringLiteral("a.ini"));
}

TEST_F(FileLookupTest, FindFileIgnoresCaseAndPrefersExact)
{
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("HRang3.csv"))), p(QStringLiteral("HRang3.csv")));
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("hrang3.CSV"))), p(QStringLiteral("HRang3.csv")));
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("sub/file.txt"))), p(QStringLiteral("Sub/File.TXT")));
    EXPECT_TRUE(FileLookup::fileExists(p(QStringLiteral("SUB/DEEPER/X.DEF"))));
    EXPECT_FALSE(FileLookup::fileExists(p(QStringLiteral("HRang4.csv"))));
    EXPECT_FALSE(FileLookup::fileExists(p(QStringLiteral("Sub"))));
    EXPECT_FALSE(FileLookup::fileExists(QString()));
    // No wildcards.
    EXPECT_FALSE(FileLookup::fileExists(p(QStringLiteral("HRang*.csv"))));

    touch(QStringLiteral("hrang3.csv"));
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("hrang3.csv"))), p(QStringLiteral("hrang3.csv")));
    EXPECT_EQ(FileLookup::findFile(p(QStringLiteral("HRang3.csv"))), p(QStringLiteral("HRang3.csv")));
}

TEST_F(FileLookupTest, BackslashesSeparateFolders)
{
    const QString windowsStyle = m_dir.path() + QStringLiteral("\\sub\\file.txt");
    EXPECT_EQ(FileLookup::findFile(windowsStyle), p(QStringLiteral("Sub/File.TXT")));
}

TEST_F(FileLookupTest, FindDirectory)
{
    EXPECT_EQ(FileLookup::findDirectory(p(QStringLiteral("sub/deeper"))), p(QStringLiteral("Sub/Deeper")));
    EXPECT_EQ(FileLookup::findDirectory(p(QStringLiteral("SUB")) + QDir::separator()), p(QStringLiteral("Sub")));
    EXPECT_TRUE(FileLookup::directoryExists(m_dir.path()));
    EXPECT_FALSE(FileLookup::directoryExists(p(QStringLiteral("HRang3.csv"))));
    EXPECT_FALSE(FileLookup::directoryExists(p(QStringLiteral("werbung"))));
    EXPECT_FALSE(FileLookup::directoryExists(QString()));
}

TEST_F(FileLookupTest, ResolveInside)
{
    struct Case {
        const char* name;
        std::optional<QString> expected; // relative to the directory
    };
    const Case cases[] = {
        {"sub\\file.txt", QStringLiteral("Sub/File.TXT")},
        {"SUB/FILE.TXT", QStringLiteral("Sub/File.TXT")},
        {"sub\\deeper\\X.def", QStringLiteral("Sub/Deeper/x.def")},
        {"./hrang3.csv", QStringLiteral("HRang3.csv")},
        {"sub\\\\new.txt", QStringLiteral("Sub/new.txt")},
        {"NEW.TXT", QStringLiteral("NEW.TXT")},
        {"missing\\Dir\\a.txt", QStringLiteral("missing/Dir/a.txt")},
        {"sub", QStringLiteral("Sub")},
        {"../x", std::nullopt},
        {"sub/../../x", std::nullopt},
        {"sub/..", std::nullopt},
        {"/abs", std::nullopt},
        {"\\abs", std::nullopt},
        {"\\\\server\\share\\x", std::nullopt},
        {"C:\\x", std::nullopt},
        {"c:x", std::nullopt},
        {"./C:\\x", std::nullopt},
        {"sub\\file.txt:stream", std::nullopt},
        {".. \\x", std::nullopt},
        {"sub\\...\\x", std::nullopt},
        {"sub\\. \\x", std::nullopt},
        {"sub\\.hidden", QStringLiteral("Sub/.hidden")},
        {"", std::nullopt},
        {".", std::nullopt},
        {"\\", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto result = FileLookup::resolveInside(m_dir.path(), QString::fromLatin1(c.name));
        if (c.expected)
            EXPECT_EQ(result, p(*c.expected)) << c.name;
        else
            EXPECT_EQ(result, std::nullopt) << c.name;
    }
}

TEST_F(FileLookupTest, ToNative)
{
    EXPECT_EQ(FileLookup::toNative(QStringLiteral("a\\b/c")), QDir::toNativeSeparators(QStringLiteral("a/b/c")));
}

} // namespace
