#include "exchange/SatzZerlegen.h"
#include "support/TestDialogs.h"

#include <gtest/gtest.h>

namespace {

struct RecordCase {
    const char16_t* record;
    std::int32_t A, S, L, B;
    const char16_t* N;
    bool syntaxError;
};

class SatzZerlegenTable : public ::testing::TestWithParam<RecordCase> {
protected:
    void SetUp() override { TestDialogs::clear(); }
};

TEST_P(SatzZerlegenTable, SplitsTheRecord)
{
    const RecordCase& c = GetParam();
    const QString record = QString::fromUtf16(c.record);
    const LaneMessage m = SatzZerlegen(record);
    EXPECT_EQ(m.A, c.A);
    EXPECT_EQ(m.S, c.S);
    EXPECT_EQ(m.L, c.L);
    EXPECT_EQ(m.B, c.B);
    EXPECT_EQ(m.N, QString::fromUtf16(c.N));
    if (c.syntaxError) {
        ASSERT_EQ(TestDialogs::messages().size(), 1);
        const Dialogs::MessageRequest& box = TestDialogs::messages().first();
        EXPECT_EQ(box.icon, Dialogs::Icon::Exclamation);
        EXPECT_EQ(box.title, QStringLiteral("Syntax Error !"));
        EXPECT_EQ(box.text, record);
    } else {
        EXPECT_TRUE(TestDialogs::messages().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Records, SatzZerlegenTable,
    ::testing::Values(RecordCase {u"A#1;S#1;L#5;B#4;N#  Schuetze 7  ", 1, 1, 5, 4, u"Schuetze 7", false},
        RecordCase {u"a # 1 ; s # 1 ; l # 12 ; b # 1 ; n # res.txt", 1, 1, 12, 1, u"res.txt", false},
        RecordCase {u"A#1;S#1;L#1;B#4;N#A;B#C", 1, 1, 1, 4, u"A;B#C", false},
        RecordCase {u"A#1;S#1;L#1;B#2.5;N#x", 1, 1, 1, 2, u"x", false},
        RecordCase {u"A#1;S#1;L#1;B#3.5;N#x", 1, 1, 1, 4, u"x", false},
        RecordCase {u"A#1;S#1;L#1;B#x;N#x", 1, 1, 1, 0, u"x", false},
        RecordCase {u"A#1;S#1;L#1;B#;N#", 1, 1, 1, 0, u"", false},
        RecordCase {u"A# 1 2 ;S#-3;L#7abc;B#48;N#defs\\Wettbewerb.ini", 12, -3, 7, 48, u"defs\\Wettbewerb.ini", false},
        RecordCase {u"A#1;S#1;L#1;B#4;N#M\u00fcller, Hans", 1, 1, 1, 4, u"M\u00fcller, Hans", false},
        // The tab is not a blank: the tag is "\tN".
        RecordCase {u"A#1;S#1;L#1;B#4;\tN#x", 1, 1, 1, 4, u"", true},
        RecordCase {u"A#1;S#1;L#1;B#4", 1, 1, 1, 4, u"", true}, RecordCase {u"A#1;S#1;L#1;B#4;", 1, 1, 1, 4, u"", true},
        RecordCase {u"A#1;S#1;L#1;B#4;X#name", 1, 1, 1, 4, u"", true},
        RecordCase {u"X#1;S#1;L#1;B#4;N#x", 0, 0, 0, 0, u"", true}, RecordCase {u"", 0, 0, 0, 0, u"", true},
        RecordCase {u"no hash at all", 0, 0, 0, 0, u"", true},
        RecordCase {u"A#1;L#1;S#1;B#4;N#x", 1, 0, 0, 0, u"", true}, RecordCase {u"A#1;S#2;L#3", 1, 2, 3, 0, u"", true},
        RecordCase {u"A#1;S#2;L#3;B#99999999999;N#x", 1, 2, 3, 0, u"", true},
        RecordCase {u"AB#1;S#1;L#1;B#4;N#x", 0, 0, 0, 0, u"", true}));

TEST(SatzZerlegenOutputs, AreClearedBeforeParsing)
{
    TestDialogs::clear();
    std::int32_t A = 7, S = 7, L = 7, B = 7;
    QString N = QStringLiteral("stale");
    SatzZerlegen(QStringLiteral("X#"), A, S, L, B, N);
    EXPECT_EQ(A, 0);
    EXPECT_EQ(S, 0);
    EXPECT_EQ(L, 0);
    EXPECT_EQ(B, 0);
    EXPECT_TRUE(N.isEmpty());
    EXPECT_EQ(TestDialogs::messages().size(), 1);
}

} // namespace
