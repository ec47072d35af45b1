#pragma once

#include <QString>
#include <functional>

class QWidget;

// Module Sprache: the language file of the current language and the texts it
// supplies (kept in ProgramState::instance().language).
namespace Sprache {

// Length of the file, 0 when missing or empty (an empty file is deleted),
// -1 when it cannot be opened for reading and writing.
int DateiPruefen(const QString& path);

// program directory + "Sprache_" + n + ".ini"
QString dateiFuer(int sprache);

// Loads the language file; when it is missing or empty the path is rebuilt
// from the current `Sprache` and written back into `path`. setMainCaption is
// MDITexte_Belegen's way to the main frame's caption.
void Sprache_Laden(QString& path, const std::function<void(const QString&)>& setMainCaption);

void MDITexte_Laden(const QString& path);
void OptionsTexte_Laden(const QString& path);

// Applies character set and the 55 texts to the options dialog (found by the
// controls' object names).
void OptionsTexte_Belegen(QWidget* optionsDialog);

} // namespace Sprache
