#pragma once

#include <QString>

#include <functional>

class QWidget;

// Module Sprache: the language file of the current language and the texts it
// supplies (kept in ProgramState::instance().language).
//
// The file's OMRCharset names a Windows font character set; the texts are
// stored in the 8-bit code page of that character set, so the number decides
// how the file's bytes are decoded (204 -> windows-1251, 128 -> Shift_JIS,
// ...). Once decoded, the texts are Unicode and show on any widget, so the
// number itself only travels along with the texts (see OptionsTexte_Belegen).
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

// Both read with the code page of the current SprachZeichensatz.
void MDITexte_Laden(const QString& path);
void OptionsTexte_Laden(const QString& path);

// Puts MDICaption onto the main frame.
void MDITexte_Belegen(const std::function<void(const QString&)>& setMainCaption);

// Applies character set and the 55 texts to the options dialog (found by the
// controls' object names). The character set is kept on the dialog and on
// each receiving control as the dynamic property "omrCharset".
void OptionsTexte_Belegen(QWidget* optionsDialog);

} // namespace Sprache
