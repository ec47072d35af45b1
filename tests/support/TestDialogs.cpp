#include "support/TestDialogs.h"

#include <QQueue>

namespace {
QList<Dialogs::MessageRequest> g_messages;
QQueue<std::optional<QString>> g_openAnswers;
} // namespace

namespace TestDialogs {

void install()
{
    Dialogs::setMessageHandler([](const Dialogs::MessageRequest& request) { g_messages.append(request); });
    Dialogs::setOpenFileHandler([](const QString&, const QString&) -> std::optional<QString> {
        if (g_openAnswers.isEmpty())
            return std::nullopt;
        return g_openAnswers.dequeue();
    });
}

QList<Dialogs::MessageRequest>& messages()
{
    return g_messages;
}

void queueOpenFileAnswer(std::optional<QString> answer)
{
    g_openAnswers.enqueue(std::move(answer));
}

void clear()
{
    g_messages.clear();
    g_openAnswers.clear();
}

} // namespace TestDialogs
