#include "ranking/RankingLine.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// "f1;f2;...;fN" with N fields.
QString numberedFields(int n)
{
    QStringList fields;
    for (int k = 1; k <= n; ++k)
        fields.append(QStringLiteral("f%1").arg(k));
    return fields.join(QLatin1Char(';'));
}

} // namespace

TEST(RankingLine, TwentyFieldsTheLastRunningToTheLineEnd)
{
    const RankingLine nineteen(numberedFields(19) + QStringLiteral(";last field"));
    for (int k = 1; k <= 19; ++k)
        EXPECT_EQ(nineteen.field(k), QStringLiteral("f%1").arg(k));
    EXPECT_EQ(nineteen.field(20), QStringLiteral("last field"));
    EXPECT_EQ(RankingLine(numberedFields(20) + QLatin1Char(';')).field(20), QStringLiteral("f20"));

    // Fields after the twentieth are dropped, here with 25 separators.
    const RankingLine longer(numberedFields(26));
    EXPECT_EQ(longer.field(20), QStringLiteral("f20"));
    EXPECT_TRUE(longer.field(21).isEmpty());
    EXPECT_TRUE(longer.field(0).isEmpty());
}

TEST(RankingLine, FieldsStayAsTheyStandAndShortLinesLackTheRest)
{
    const RankingLine line(QStringLiteral(" 1 ;x; Meier ;Anna;SV 1, Nord;98,5;3;40;9.5;;;;;;;;;;;"));
    EXPECT_EQ(line.field(1), QStringLiteral(" 1 "));
    EXPECT_EQ(line.field(3), QStringLiteral(" Meier "));
    EXPECT_EQ(line.field(5), QStringLiteral("SV 1, Nord"));
    EXPECT_EQ(line.field(6), QStringLiteral("98,5"));
    EXPECT_TRUE(line.field(10).isEmpty());
    EXPECT_EQ(line.shotCount(), 40); // from field 8

    const RankingLine kurz(QStringLiteral("7;x;Kurz"));
    EXPECT_EQ(kurz.field(3), QStringLiteral("Kurz"));
    const RankingLine empty(QStringView {});
    for (int k = 4; k <= 20; ++k) {
        EXPECT_TRUE(kurz.field(k).isEmpty()) << k;
        EXPECT_TRUE(empty.field(k).isEmpty()) << k;
    }
    EXPECT_TRUE(empty.field(1).isEmpty());
    EXPECT_EQ(kurz.shotCount(), 0);
}

struct ShotCase {
    const char* text;
    int shots;
};

class RankingShotCount : public testing::TestWithParam<ShotCase> { };

TEST_P(RankingShotCount, ReadsTheLeadingNumber)
{
    EXPECT_EQ(RankingLine::shotCount(QString::fromLatin1(GetParam().text)), GetParam().shots) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, RankingShotCount,
    testing::Values(ShotCase {"40", 40}, ShotCase {"40 Schuss", 40}, ShotCase {"", 0}, ShotCase {"10.5", 10},
        ShotCase {"11.5", 12}, ShotCase {" 4 0", 40}, ShotCase {"&H10", 16}, ShotCase {"Schuss", 0},
        ShotCase {"32767", 32767}, ShotCase {"-32768", -32768}, ShotCase {"32768", 0}, ShotCase {"99999", 0},
        ShotCase {"32767.5", 0}, ShotCase {"1e999", 0}, ShotCase {"60,5", 60}));
