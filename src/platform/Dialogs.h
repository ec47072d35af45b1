#pragma once

#include <QString>

#include <functional>
#include <optional>

// The one seam through which every message box and file dialog of the program
// passes. The running program installs Qt's dialogs (QtDialogs); tests install
// handlers that record and pre-answer, so an offscreen run never blocks.
// Without any handler installed a box is dropped and a file dialog cancels.
namespace Dialogs {

enum class Icon { Information, Exclamation, Critical, Question };

struct MessageRequest {
    Icon icon = Icon::Information;
    QString title;
    QString text;
};

// Shows a box with one OK button; returns when the operator has closed it.
using MessageHandler = std::function<void(const MessageRequest&)>;
// Asks for one existing file, starting in startDir; filter in Qt's
// "Pictures (*.bmp *.jpg)" form. Returns the full path or nullopt on cancel.
using OpenFileHandler = std::function<std::optional<QString>(const QString& startDir, const QString& filter)>;

void setMessageHandler(MessageHandler handler);
void setOpenFileHandler(OpenFileHandler handler);

void showMessage(Icon icon, const QString& title, const QString& text);
std::optional<QString> openFile(const QString& startDir, const QString& filter);

// True while a message box is open (so timer ticks can refuse to re-enter).
bool messageOpen();

} // namespace Dialogs
