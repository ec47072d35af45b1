#include "platform/Dialogs.h"

namespace {
Dialogs::MessageHandler g_messageHandler;
Dialogs::OpenFileHandler g_openFileHandler;
int g_openMessages = 0;
} // namespace

namespace Dialogs {

void setMessageHandler(MessageHandler handler)
{
    g_messageHandler = std::move(handler);
}

void setOpenFileHandler(OpenFileHandler handler)
{
    g_openFileHandler = std::move(handler);
}

void showMessage(Icon icon, const QString& title, const QString& text)
{
    if (!g_messageHandler)
        return;
    // A copy, so a handler that installs another handler does not destroy itself.
    const MessageHandler handler = g_messageHandler;
    ++g_openMessages;
    struct Leave {
        ~Leave() { --g_openMessages; }
    } leave;
    handler(MessageRequest {icon, title, text});
}

std::optional<QString> openFile(const QString& startDir, const QString& filter)
{
    if (!g_openFileHandler)
        return std::nullopt;
    const OpenFileHandler handler = g_openFileHandler;
    return handler(startDir, filter);
}

bool messageOpen()
{
    return g_openMessages > 0;
}

} // namespace Dialogs
