#include "exchange/MessageFileNames.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    int nr;
    int role;
    int direction;
    const char* expected;
};

class DateinameAltTable : public ::testing::TestWithParam<NameCase> { };

TEST_P(DateinameAltTable, BuildsTheName)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(DateinameAlt(c.nr, c.role, c.direction), QLatin1String(c.expected));
}

INSTANTIATE_TEST_SUITE_P(AllRows, DateinameAltTable,
    ::testing::Values(NameCase {7, -1, 2, "HSlav7"}, NameCase {7, -1, 1, "HServ7"}, NameCase {7, -1, 3, "HSlav7"},
        NameCase {3, 2, 1, "HAnz3"}, NameCase {3, 2, 2, "HAnz3"}, NameCase {3, 2, 9, "HAnz3"},
        NameCase {12, 1, 1, "HSlav12"}, NameCase {12, 0, 3, "HPlatz12"}, NameCase {12, 5, 4, "HTreff12"},
        NameCase {12, 1, 2, "HServ12"}, NameCase {0, 1, 0, "HServ0"}, NameCase {100, -1, 2, "HSlav100"}));

class DateinameRanglisteTable : public ::testing::TestWithParam<NameCase> { };

TEST_P(DateinameRanglisteTable, BuildsTheName)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(DateinameRangliste(c.nr, c.role, c.direction), QLatin1String(c.expected));
}

INSTANTIATE_TEST_SUITE_P(AllRows, DateinameRanglisteTable,
    ::testing::Values(NameCase {3, 1, 1, "HRngCS3"}, NameCase {3, 1, 2, "HRang3"}, NameCase {3, -1, 1, "HRang3"},
        NameCase {3, -1, 2, "HRngCS3"}, NameCase {0, 7, 1, "HRngCS0"}, NameCase {12, 7, 4, "HRang12"},
        NameCase {12, -1, 0, "HRngCS12"}));

struct Name2002Case {
    int a;
    int b;
    int role;
    int direction;
    const char* expected;
};

class Dateiname2002Table : public ::testing::TestWithParam<Name2002Case> { };

TEST_P(Dateiname2002Table, BuildsTheNameAndItsServer2Form)
{
    const Name2002Case& c = GetParam();
    EXPECT_EQ(Dateiname2002(c.a, c.b, c.role, c.direction), QLatin1String(c.expected));
    EXPECT_EQ(Dateiname2002Server2(c.a, c.b, c.role, c.direction), QLatin1String(c.expected) + QLatin1String("-1"));
}

INSTANTIATE_TEST_SUITE_P(AllRows, Dateiname2002Table,
    ::testing::Values(Name2002Case {1, 12, -1, 2, "HCVS1L12"}, Name2002Case {1, 12, -1, 1, "HMVS1L12"},
        Name2002Case {1, 3, 1, 1, "HCVS1L3"}, Name2002Case {1, 3, 1, 2, "HMVS1L3"},
        Name2002Case {1, 3, 0, 4, "HMVS1L3"}, Name2002Case {2, 10, -1, 3, "HCVS2L10"},
        Name2002Case {10, 0, -1, 1, "HMVS10L0"}));

TEST(DateinameRoles, BothSidesMeetUnderTheSameName)
{
    // What the server sends with its role is what the display receives with -1.
    EXPECT_EQ(Dateiname2002(1, 5, 1, 1), Dateiname2002(1, 5, -1, 2));
    EXPECT_EQ(DateinameAlt(5, 1, 1), DateinameAlt(5, -1, 2));
    EXPECT_EQ(DateinameAlt(5, 2, 1), DateinameAlt(5, 2, 2));
    EXPECT_EQ(DateinameRangliste(4, 1, 1), DateinameRangliste(4, -1, 2));
    EXPECT_EQ(DateinameRangliste(4, -1, 1), DateinameRangliste(4, 1, 2));
}

TEST(DateinameNumbers, NoLeadingZerosOrBlanks)
{
    EXPECT_EQ(DateinameAlt(7, 2, 2), QLatin1String("HAnz7"));
    EXPECT_EQ(DateinameAlt(-1, 2, 2), QLatin1String("HAnz-1"));
    EXPECT_EQ(Dateiname2002(0, 0, -1, 2), QLatin1String("HCVS0L0"));
}

} // namespace
