#include "platform/Dialogs.h"

#include "support/TestDialogs.h"

#include <gtest/gtest.h>

namespace {

class DialogsTest : public ::testing::Test {
protected:
    void TearDown() override { TestDialogs::install(); }
};

TEST_F(DialogsTest, MessagesReachTheHandlerAndMarkTheBoxOpen)
{
    std::vector<Dialogs::MessageRequest> seen;
    bool openDuringCall = false;
    Dialogs::setMessageHandler([&](const Dialogs::MessageRequest& request) {
        seen.push_back(request);
        openDuringCall = Dialogs::messageOpen();
    });
    EXPECT_FALSE(Dialogs::messageOpen());
    Dialogs::showMessage(Dialogs::Icon::Exclamation, QStringLiteral("Wettbewerbsdaten laden"),
        QStringLiteral("Datei existiert nicht: x"));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(seen[0].title, QStringLiteral("Wettbewerbsdaten laden"));
    EXPECT_EQ(seen[0].text, QStringLiteral("Datei existiert nicht: x"));
    EXPECT_TRUE(openDuringCall);
    EXPECT_FALSE(Dialogs::messageOpen());
}

TEST_F(DialogsTest, BoxIsClosedAgainWhenTheHandlerThrows)
{
    Dialogs::setMessageHandler([](const Dialogs::MessageRequest&) { throw std::runtime_error("x"); });
    EXPECT_THROW(Dialogs::showMessage(Dialogs::Icon::Critical, QString(), QString()), std::runtime_error);
    EXPECT_FALSE(Dialogs::messageOpen());
}

TEST_F(DialogsTest, WithoutHandlersBoxesAreDroppedAndFileDialogsCancel)
{
    Dialogs::setMessageHandler(nullptr);
    Dialogs::setOpenFileHandler(nullptr);
    Dialogs::showMessage(Dialogs::Icon::Information, QStringLiteral("t"), QStringLiteral("x"));
    EXPECT_FALSE(Dialogs::messageOpen());
    EXPECT_EQ(Dialogs::openFile(QStringLiteral("/"), QStringLiteral("Pictures (*.bmp)")), std::nullopt);
}

TEST_F(DialogsTest, OpenFileAnswersComeFromTheHandler)
{
    QString startSeen;
    Dialogs::setOpenFileHandler([&](const QString& start, const QString&) -> std::optional<QString> {
        startSeen = start;
        return QStringLiteral("/pics/hb_0_a.bmp");
    });
    EXPECT_EQ(Dialogs::openFile(QStringLiteral("/pics"), QStringLiteral("*.bmp")), QStringLiteral("/pics/hb_0_a.bmp"));
    EXPECT_EQ(startSeen, QStringLiteral("/pics"));
}

} // namespace
