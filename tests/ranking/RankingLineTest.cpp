#include "ranking/RankingLine.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace
{

// "f1;f2;...;fN" with N fields.
QString numberedFields(int n)
{
    QStringList fields;
    for (int k = 1; k <= n; ++k)
        fields.append(QStringLiteral("f%1").arg(k));
    return fields.join(QLatin1Char(';'));
}

} // namespace

TEST(RankingLine, NineteenSeparatorsLastFieldRunsToLineEnd)
{
    const RankingLine line(numberedFields(19) + QStringLiteral(";last field"));
    for (int k = 1; k <= 19; ++k)
        EXPECT_EQ(line.field(k), QStringLiteral("f%1").arg(k));
    EXPECT_EQ(line.field(20), QStringLiteral("last field"));
}

TEST(RankingLine, TrailingSeparatorEndsFieldTwenty)
{
    const RankingLine line(numberedFields(20) + QLatin1Char(';'));
    EXPECT_EQ(line.field(20), QStringLiteral("f20"));
}

TEST(RankingLine, FieldsAfterTheTwentiethAreDropped)
{
    const RankingLine line(numberedFields(26));
    EXPECT_EQ(line.field(1), QStringLiteral("f1"));
    EXPECT_EQ(line.field(20), QStringLiteral("f20"));
    EXPECT_TRUE(line.field(21).isEmpty());
    EXPECT_TRUE(line.field(0).isEmpty());
}

TEST(RankingLine, FieldsStayAsTheyStand)
{
    const RankingLine line(QStringLiteral(" 1 ;x; Meier ;Anna;SV 1, Nord;98,5;3;40;9.5;;;;;;;;;;;"));
    EXPECT_EQ(line.field(1), QStringLiteral(" 1 "));
    EXPECT_EQ(line.field(3), QStringLiteral(" Meier "));
    EXPECT_EQ(line.field(5), QStringLiteral("SV 1, Nord"));
    EXPECT_EQ(line.field(6), QStringLiteral("98,5"));
    EXPECT_EQ(line.field(9), QStringLiteral("9.5"));
    EXPECT_TRUE(line.field(10).isEmpty());
}

TEST(RankingLine, ShortLineLacksTrailingFields)
{
    const RankingLine line(QStringLiteral("7;x;Kurz"));
    EXPECT_EQ(line.field(1), QStringLiteral("7"));
    EXPECT_EQ(line.field(3), QStringLiteral("Kurz"));
    for (int k = 4; k <= 20; ++k)
        EXPECT_TRUE(line.field(k).isEmpty()) << k;
    EXPECT_EQ(line.shotCount(), 0);

    const RankingLine empty(QStringView {});
    for (int k = 1; k <= 20; ++k)
        EXPECT_TRUE(empty.field(k).isEmpty()) << k;
}

TEST(RankingLine, ShotCountComesFromFieldEight)
{
    EXPECT_EQ(RankingLine(QStringLiteral("1;;A;B;C;390;4;40;")).shotCount(), 40);
    EXPECT_EQ(RankingLine(QStringLiteral("1;;A;B;C;390;4;61;")).shotCount(), 61);
}

struct ShotCase {
    const char* text;
    int shots;
};

class RankingShotCount : public testing::TestWithParam<ShotCase>
{
};

TEST_P(RankingShotCount, ReadsTheLeadingNumber)
{
    EXPECT_EQ(RankingLine::shotCount(QString::fromLatin1(GetParam().text)), GetParam().shots) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, RankingShotCount,
    testing::Values(ShotCase {"40", 40}, ShotCase {"40 Schuss", 40}, ShotCase {"", 0}, ShotCase {"10.5", 10},
        ShotCase {"11.5", 12}, ShotCase {" 4 0", 40}, ShotCase {"&H10", 16}, ShotCase {"Schuss", 0},
        ShotCase {"32767", 32767}, ShotCase {"-32768", -32768}, ShotCase {"32768", 0}, ShotCase {"99999", 0},
        ShotCase {"32767.5", 0}, ShotCase {"1e999", 0}, ShotCase {"60,5", 60}));
