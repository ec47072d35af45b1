#include "exchange/SatzZerlegen.h"
#include "support/TestDialogs.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

struct RecordCase {
    const char16_t* record;
    std::int32_t A, S, L, B;
    const char16_t* N;
    bool syntaxError;
};

TEST(SatzZerlegen, SplitsTheRecordOrShowsTheSyntaxBox)
{
    const RecordCase cases[] = {{u"A#1;S#1;L#5;B#4;N#  Schuetze 7  ", 1, 1, 5, 4, u"Schuetze 7", false},
        {u"a # 1 ; s # 1 ; l # 12 ; b # 1 ; n # res.txt", 1, 1, 12, 1, u"res.txt", false},
        {u"A#1;S#1;L#1;B#4;N#A;B#C", 1, 1, 1, 4, u"A;B#C", false}, {u"A#1;S#1;L#1;B#2.5;N#x", 1, 1, 1, 2, u"x", false},
        {u"A#1;S#1;L#1;B#3.5;N#x", 1, 1, 1, 4, u"x", false}, {u"A#1;S#1;L#1;B#x;N#x", 1, 1, 1, 0, u"x", false},
        {u"A#1;S#1;L#1;B#;N#", 1, 1, 1, 0, u"", false},
        {u"A# 1 2 ;S#-3;L#7abc;B#48;N#defs\\Wettbewerb.ini", 12, -3, 7, 48, u"defs\\Wettbewerb.ini", false},
        {u"A#1;S#1;L#1;B#4;N#M\u00fcller, Hans", 1, 1, 1, 4, u"M\u00fcller, Hans", false},
        // The tab is not a blank: the tag is "\tN".
        {u"A#1;S#1;L#1;B#4;\tN#x", 1, 1, 1, 4, u"", true}, {u"A#1;S#1;L#1;B#4", 1, 1, 1, 4, u"", true},
        {u"A#1;S#1;L#1;B#4;", 1, 1, 1, 4, u"", true}, {u"A#1;S#1;L#1;B#4;X#name", 1, 1, 1, 4, u"", true},
        {u"X#1;S#1;L#1;B#4;N#x", 0, 0, 0, 0, u"", true}, {u"", 0, 0, 0, 0, u"", true},
        {u"no hash at all", 0, 0, 0, 0, u"", true}, {u"A#1;L#1;S#1;B#4;N#x", 1, 0, 0, 0, u"", true},
        {u"A#1;S#2;L#3", 1, 2, 3, 0, u"", true}, {u"A#1;S#2;L#3;B#99999999999;N#x", 1, 2, 3, 0, u"", true},
        {u"AB#1;S#1;L#1;B#4;N#x", 0, 0, 0, 0, u"", true}};
    for (const RecordCase& c : cases) {
        TestDialogs::clear();
        const QString record = QString::fromUtf16(c.record);
        SCOPED_TRACE(record.toStdString());
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

    // The outputs are cleared before parsing.
    TestDialogs::clear();
    std::int32_t A = 7, S = 7, L = 7, B = 7;
    QString N = QStringLiteral("stale");
    SatzZerlegen(QStringLiteral("X#"), A, S, L, B, N);
    EXPECT_EQ(std::make_tuple(A, S, L, B), std::make_tuple(0, 0, 0, 0));
    EXPECT_TRUE(N.isEmpty());
    EXPECT_EQ(TestDialogs::messages().size(), 1);
}

} // namespace
