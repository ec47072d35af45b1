#include "exchange/Austausch.h"
#include "exchange_test_support.h"

#include <functional>

namespace {

class Dispatch : public ExchangeFolderTest {
protected:
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
};

using Operation = std::function<std::uint8_t(QString&, int enable, int direction)>;

std::vector<Operation> allOperations(const QString& d)
{
    return {
        [d](QString& v, int e, int dir) { return AustauschAlt(v, 3, e, d, dir, -1); },
        [d](QString& v, int e, int dir) { return AustauschRangliste(v, 3, e, d, dir, 1); },
        [d](QString& v, int e, int dir) { return Austausch2002(v, 1, 3, e, d, dir, -1); },
        [d](QString& v, int e, int dir) { return Austausch2002Server2(v, 1, 3, e, d, dir, -1); },
    };
}

TEST_F(Dispatch, EnableOtherThanOneDoesNothingAndUnknownDirectionsGiveFour)
{
    for (const auto& operation : allOperations(dir.path())) {
        for (int direction : {0, 1, 2, 3, 4, 5, -1}) {
            QString value = QStringLiteral("v");
            for (int enable : {0, 2, -1})
                EXPECT_EQ(operation(value, enable, direction), ExchangeCode::Done);
            EXPECT_EQ(value, QStringLiteral("v"));
            if (direction < 1 || direction > 4) {
                EXPECT_EQ(operation(value, 1, direction), ExchangeCode::UnknownDirection);
            }
        }
    }
    // The ranking does not send on three or four.
    QString value = QStringLiteral("v");
    EXPECT_EQ(AustauschRangliste(value, 3, 1, dir.path(), 3, 1), ExchangeCode::UnknownDirection);
    EXPECT_EQ(AustauschRangliste(value, 3, 1, dir.path(), 4, 1), ExchangeCode::UnknownDirection);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(Dispatch, LaneOperationsSendOnOneThreeAndFour)
{
    QString value = QStringLiteral("v");
    EXPECT_EQ(AustauschAlt(value, 4, 1, dir.path(), 3, 1), ExchangeCode::Done);
    EXPECT_TRUE(exists(QStringLiteral("HPlatz4.ctl")));
    EXPECT_EQ(AustauschAlt(value, 4, 1, dir.path(), 4, 1), ExchangeCode::Done);
    EXPECT_TRUE(exists(QStringLiteral("HTreff4.nrt")));
    EXPECT_EQ(Austausch2002(value, 1, 4, 1, dir.path(), 3, 1), ExchangeCode::Done);
    EXPECT_TRUE(exists(QStringLiteral("HMVS1L4.ctl")));
    // A directory given with a trailing separator.
    ASSERT_EQ(AustauschAlt(value, 9, 1, dir.path() + QLatin1Char('/'), 1, 2), ExchangeCode::Done);
    EXPECT_TRUE(exists(QStringLiteral("HAnz9.ctl")));
}

TEST_F(Dispatch, ServerSendsWhatTheDisplayReceives)
{
    QString sent = QStringLiteral("A#1;S#1;L#12;B#1;N#erg.txt");
    ASSERT_EQ(Austausch2002(sent, 1, 12, 1, dir.path(), 1, 1), ExchangeCode::Done);
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L12.ctl")));
    QString received;
    // Display server 2 does not look at the first server's file.
    EXPECT_EQ(Austausch2002Server2(received, 1, 12, 1, dir.path(), 2, -1), ExchangeCode::NothingToDo);
    EXPECT_EQ(Austausch2002(received, 1, 12, 1, dir.path(), 2, -1), ExchangeCode::Done);
    EXPECT_EQ(received, sent);

    ASSERT_EQ(Austausch2002Server2(sent, 1, 12, 1, dir.path(), 1, 1), ExchangeCode::Done);
    EXPECT_TRUE(exists(QStringLiteral("HCVS1L12-1.ctl")));
    EXPECT_EQ(Austausch2002Server2(received, 1, 12, 1, dir.path(), 2, -1), ExchangeCode::Done);
}

TEST_F(Dispatch, RankingRequestAndAnswerUseTheirOwnFiles)
{
    QString request = QStringLiteral("3$1$0$0$2");
    ASSERT_EQ(AustauschRangliste(request, 2, 1, dir.path(), 1, 1), ExchangeCode::Done);
    EXPECT_TRUE(exists(QStringLiteral("HRngCS2.ctl")));
    EXPECT_EQ(AustauschRangliste(request, 2, 1, dir.path(), 1, 1), ExchangeCode::NothingToDo);

    QString answer;
    EXPECT_EQ(AustauschRangliste(answer, 2, 1, dir.path(), 2, 1), ExchangeCode::NothingToDo);
    QString atServer;
    ASSERT_EQ(AustauschRangliste(atServer, 2, 1, dir.path(), 2, -1), ExchangeCode::Done);
    EXPECT_EQ(atServer, request);
    QString reply = QStringLiteral("HRang2.csv");
    ASSERT_EQ(AustauschRangliste(reply, 2, 1, dir.path(), 1, -1), ExchangeCode::Done);
    EXPECT_EQ(AustauschRangliste(answer, 2, 1, dir.path(), 2, 1), ExchangeCode::Done);
    EXPECT_EQ(answer, reply);
}

} // namespace
