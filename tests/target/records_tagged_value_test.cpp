#include "target/TaggedValue.h"

#include <gtest/gtest.h>

namespace {

TEST(TaggedValue, EmptyCountsAsZeroAndEmptyText)
{
    const TaggedValue empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.isNumber());
    EXPECT_EQ(empty.toDouble(), 0);
    EXPECT_EQ(empty.toString(), QString());
    EXPECT_FALSE(empty.toBool());
    EXPECT_TRUE(empty == TaggedValue(QString()));
    EXPECT_TRUE(TaggedValue(QString()) == empty);
    EXPECT_TRUE(empty == TaggedValue(0.0));
    EXPECT_FALSE(empty == TaggedValue(QStringLiteral("x")));
    EXPECT_FALSE(empty == TaggedValue(std::int32_t(1)));
}

TEST(TaggedValue, NumbersPrintInShortestFormAndTextsGiveTheirLeadingNumber)
{
    EXPECT_EQ(TaggedValue(std::int32_t(8)).toString(), QStringLiteral("8"));
    EXPECT_EQ(TaggedValue(std::int32_t(-1)).toString(), QStringLiteral("-1"));
    EXPECT_EQ(TaggedValue(9.7).toString(), QStringLiteral("9.7"));
    EXPECT_EQ(TaggedValue(-0.5).toString(), QStringLiteral("-0.5"));
    EXPECT_EQ(TaggedValue(2500.0).toString(), QStringLiteral("2500"));
    // A text gives its leading number.
    EXPECT_EQ(TaggedValue(QStringLiteral("  12.5mm")).toDouble(), 12.5);
    EXPECT_EQ(TaggedValue(QStringLiteral("-3")).toDouble(), -3);
    EXPECT_EQ(TaggedValue(QStringLiteral("abc")).toDouble(), 0);
    EXPECT_TRUE(TaggedValue(QStringLiteral("abc")).isText());
}

TEST(TaggedValue, NumbersCompareByValueAndAreTrueWhenNotZero)
{
    EXPECT_TRUE(TaggedValue(std::int32_t(5)) == TaggedValue(5.0));
    EXPECT_FALSE(TaggedValue(std::int32_t(5)) == TaggedValue(5.5));
    // A text never equals a number, even one that reads as the same number.
    EXPECT_FALSE(TaggedValue(QStringLiteral("5")) == TaggedValue(5.0));
    EXPECT_TRUE(TaggedValue(QStringLiteral("5")) == TaggedValue(QStringLiteral("5")));
    // The sighting flag is any non-zero number.
    EXPECT_TRUE(TaggedValue(std::int32_t(-1)).toBool());
    EXPECT_TRUE(TaggedValue(0.5).toBool());
    EXPECT_FALSE(TaggedValue(0.0).toBool());
    EXPECT_TRUE(TaggedValue(QStringLiteral("True")).toBool());
    EXPECT_FALSE(TaggedValue(QStringLiteral("False")).toBool());
    EXPECT_TRUE(TaggedValue(QStringLiteral("-1")).toBool());
}

} // namespace
