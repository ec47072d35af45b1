#include "ranking/RankingFile.h"

#include "platform/FileLookup.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(RankingFile, NameIsDirectoryHRangIdAndExtension)
{
    const QString dir = QStringLiteral("/srv/korvu");
    EXPECT_EQ(RankingFile::fileName(dir, 0), FileLookup::join(dir, QStringLiteral("HRang0.csv")));
    EXPECT_EQ(RankingFile::fileName(dir, 12), FileLookup::join(dir, QStringLiteral("HRang12.csv")));
}

struct ItemCase {
    const char* name;
    QByteArray bytes;
    QStringList items;
};

class RankingFileItems : public testing::TestWithParam<ItemCase> { };

TEST_P(RankingFileItems, FollowTheListReadingRule)
{
    EXPECT_EQ(RankingFile::readItems(GetParam().bytes), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Cases, RankingFileItems,
    testing::Values(ItemCase {"empty", QByteArray(), {}},
        ItemCase {"oneLinePerItem", "1;;Meier;Anna\r\n2;;Huber;Max\r\n",
            {QStringLiteral("1;;Meier;Anna"), QStringLiteral("2;;Huber;Max")}},
        ItemCase {"lastLineWithoutEnd", "a\r\nb", {QStringLiteral("a"), QStringLiteral("b")}},
        ItemCase {"lfAndCrLineEnds", "a\nb\rc", {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
        ItemCase {"quotedLineKeepsCommas", "\"1;;Meier, Jr.;Anna;SV 1, Nord\"\r\n\"2;;B;C\"\r\n",
            {QStringLiteral("1;;Meier, Jr.;Anna;SV 1, Nord"), QStringLiteral("2;;B;C")}},
        ItemCase {"unquotedCommaCuts", "1;;Meier, Anna;x\r\n", {QStringLiteral("1;;Meier"), QStringLiteral("Anna;x")}},
        ItemCase {"leadingBlanksSkipped", "  \tabc\r\n", {QStringLiteral("abc")}},
        ItemCase {"trailingBlanksKept", "abc  \r\n", {QStringLiteral("abc  ")}},
        ItemCase {"emptyLineIsEmptyItem", "a\r\n\r\nb\r\n", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        ItemCase {"restAfterQuoteDropped", "\"ab\"cd,ef\r\n", {QStringLiteral("ab"), QStringLiteral("ef")}},
        ItemCase {"quoteRunsOverLineEnd", "\"a\r\nb\"\r\nc", {QStringLiteral("a\r\nb"), QStringLiteral("c")}},
        ItemCase {"unclosedQuoteRunsToEnd", "\"abc;d\r\n", {QStringLiteral("abc;d\r\n")}},
        ItemCase {"windows1252", "M\xfcller;\x80", {QStringLiteral("M\u00fcller;\u20ac")}}),
    [](const testing::TestParamInfo<ItemCase>& info) { return std::string(info.param.name); });

TEST(RankingFile, MissingFileGivesNothingEmptyFileNoItems)
{
    QTemporaryDir dir;
    EXPECT_FALSE(RankingFile::read(RankingFile::fileName(dir.path(), 3)).has_value());

    QFile file(dir.filePath(QStringLiteral("hrang3.CSV"))); // found whatever the letter case
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    std::optional<QStringList> items = RankingFile::read(RankingFile::fileName(dir.path(), 3));
    ASSERT_TRUE(items.has_value());
    EXPECT_TRUE(items->isEmpty());

    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1;;A;B\r\n");
    file.close();
    items = RankingFile::read(RankingFile::fileName(dir.path(), 3));
    EXPECT_EQ(items, QStringList {QStringLiteral("1;;A;B")});
}
