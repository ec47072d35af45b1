#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>

#include <optional>

// Pre-answers every message box and file dialog so that no test run blocks.
// Boxes are recorded in order; file dialogs return the queued answers
// (std::nullopt = the operator cancelled).
namespace TestDialogs {
void install();
QList<Dialogs::MessageRequest>& messages();
void queueOpenFileAnswer(std::optional<QString> answer);
void clear();
} // namespace TestDialogs
