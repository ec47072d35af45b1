#include "exchange/MessageFileNames.h"

#include <array>
#include <gtest/gtest.h>

namespace {

struct NameCase {
    int nr;
    int role;
    int direction;
    const char* expected;
};

TEST(MessageFileNames, OlderProtocolByRoleAndDirection)
{
    const NameCase cases[] = {{7, -1, 2, "HSlav7"}, {7, -1, 1, "HServ7"}, {7, -1, 3, "HSlav7"}, {3, 2, 1, "HAnz3"},
        {3, 2, 2, "HAnz3"}, {3, 2, 9, "HAnz3"}, {12, 1, 1, "HSlav12"}, {12, 0, 3, "HPlatz12"}, {12, 5, 4, "HTreff12"},
        {12, 1, 2, "HServ12"}, {0, 1, 0, "HServ0"}, {100, -1, 2, "HSlav100"}, {-1, 2, 2, "HAnz-1"}};
    for (const NameCase& c : cases)
        EXPECT_EQ(DateinameAlt(c.nr, c.role, c.direction), QLatin1String(c.expected)) << c.expected;
}

TEST(MessageFileNames, RankingByRoleAndDirection)
{
    const NameCase cases[] = {{3, 1, 1, "HRngCS3"}, {3, 1, 2, "HRang3"}, {3, -1, 1, "HRang3"}, {3, -1, 2, "HRngCS3"},
        {0, 7, 1, "HRngCS0"}, {12, 7, 4, "HRang12"}, {12, -1, 0, "HRngCS12"}};
    for (const NameCase& c : cases)
        EXPECT_EQ(DateinameRangliste(c.nr, c.role, c.direction), QLatin1String(c.expected)) << c.expected;
}

TEST(MessageFileNames, Protocol2002AndItsServer2Form)
{
    // Server number, lane, role, direction.
    const std::pair<std::array<int, 4>, const char*> cases[] = {{{1, 12, -1, 2}, "HCVS1L12"},
        {{1, 12, -1, 1}, "HMVS1L12"}, {{1, 3, 1, 1}, "HCVS1L3"}, {{1, 3, 1, 2}, "HMVS1L3"}, {{1, 3, 0, 4}, "HMVS1L3"},
        {{2, 10, -1, 3}, "HCVS2L10"}, {{10, 0, -1, 1}, "HMVS10L0"}, {{0, 0, -1, 2}, "HCVS0L0"}};
    for (const auto& [n, expected] : cases) {
        EXPECT_EQ(Dateiname2002(n[0], n[1], n[2], n[3]), QLatin1String(expected));
        EXPECT_EQ(Dateiname2002Server2(n[0], n[1], n[2], n[3]), QLatin1String(expected) + QLatin1String("-1"));
    }
}

TEST(MessageFileNames, BothSidesMeetUnderTheSameName)
{
    // What the server sends with its role is what the display receives with -1.
    EXPECT_EQ(Dateiname2002(1, 5, 1, 1), Dateiname2002(1, 5, -1, 2));
    EXPECT_EQ(DateinameAlt(5, 1, 1), DateinameAlt(5, -1, 2));
    EXPECT_EQ(DateinameAlt(5, 2, 1), DateinameAlt(5, 2, 2));
    EXPECT_EQ(DateinameRangliste(4, 1, 1), DateinameRangliste(4, -1, 2));
    EXPECT_EQ(DateinameRangliste(4, -1, 1), DateinameRangliste(4, 1, 2));
}

} // namespace
