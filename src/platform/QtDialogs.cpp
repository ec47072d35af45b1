#include "platform/QtDialogs.h"

#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQtIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

namespace QtDialogs {

void install()
{
    Dialogs::setMessageHandler([](const Dialogs::MessageRequest& request) {
        QMessageBox box(
            toQtIcon(request.icon), request.title, request.text, QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    });
    Dialogs::setOpenFileHandler([](const QString& startDir, const QString& filter) -> std::optional<QString> {
        const QString file = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), startDir, filter);
        if (file.isEmpty())
            return std::nullopt;
        return file;
    });
}

} // namespace QtDialogs
