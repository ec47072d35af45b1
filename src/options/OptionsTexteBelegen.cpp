#include "options/OptionsTextTable.h"
#include "options/Sprache.h"
#include "shell/ProgramState.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace Sprache {

namespace {

QWidget* receiver(QWidget* dialog, const OptionsTextTable::Entry& entry)
{
    if (entry.control.isEmpty())
        return dialog;
    return dialog->findChild<QWidget*>(QString(entry.control));
}

void setCaption(QWidget* widget, QWidget* dialog, const QString& text)
{
    if (widget == dialog)
        widget->setWindowTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        frame->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
}

} // namespace

void OptionsTexte_Belegen(QWidget* optionsDialog)
{
    if (!optionsDialog)
        return;
    const LanguageTexts& language = ProgramState::instance().language;
    const int charset = language.SprachZeichensatz.value_or(0);
    const auto& entries = OptionsTextTable::entries();

    for (const auto& entry : entries) {
        if (QWidget* widget = receiver(optionsDialog, entry))
            widget->setProperty("omrCharset", charset);
    }
    for (int i = 0; i < OptionsTextTable::Count; ++i) {
        if (QWidget* widget = receiver(optionsDialog, entries[i]))
            setCaption(widget, optionsDialog, language.OptionsTexte[i]);
    }
}

} // namespace Sprache
