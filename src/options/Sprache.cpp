#include "options/Sprache.h"

#include "options/OptionsTextTable.h"
#include "platform/FileLookup.h"
#include "platform/ProfileDocument.h"
#include "platform/ProgramInfo.h"
#include "platform/TextCodec.h"
#include "platform/VbNumbers.h"
#include "shell/ProgramState.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace Sprache {

namespace {

// GetPrivateProfileString's buffer: texts are cut to 254 characters.
constexpr int TextBuffer = 255;

QByteArray currentCodePage()
{
    return TextCodec::codePageForCharset(ProgramState::instance().language.SprachZeichensatz.value_or(0));
}

// A character-set text that is a number from 0 to 255; anything else leaves
// the character set as it was.
std::optional<std::uint8_t> charsetFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return VbNumbers::toUInt8(value);
}

} // namespace

int DateiPruefen(const QString& path)
{
    if (path.isEmpty())
        return -1;
    QFile file(path);
    // Opening for reading and writing creates a missing file; the empty file
    // is removed again below, so a missing file leaves no trace.
    if (!file.open(QIODevice::ReadWrite))
        return -1;
    const qint64 size = file.size();
    file.close();
    if (size == 0)
        return file.remove() ? 0 : -1;
    return static_cast<int>(std::min<qint64>(size, std::numeric_limits<int>::max()));
}

QString dateiFuer(int sprache)
{
    const QString path = FileLookup::join(ProgramInfo::directory(), QStringLiteral("Sprache_%1.ini").arg(sprache));
    return FileLookup::findFile(path).value_or(path);
}

void Sprache_Laden(QString& path, const std::function<void(const QString&)>& setMainCaption)
{
    int length = DateiPruefen(path);
    if (length == 0) {
        path = dateiFuer(ProgramState::instance().settings.Sprache);
        length = DateiPruefen(path);
    }
    if (length <= 0)
        return;

    // The character-set number is plain ASCII; it decides how the texts that
    // follow are decoded.
    ProfileDocument charsetDocument(path);
    if (charsetDocument.load()) {
        const QString text = charsetDocument.readString(
            QStringLiteral("Zeichensatz"), QStringLiteral("OMRCharset"), QStringLiteral("1"), TextBuffer);
        if (const auto charset = charsetFromText(text))
            ProgramState::instance().language.SprachZeichensatz = *charset;
    }
    MDITexte_Laden(path);
    OptionsTexte_Laden(path);
    MDITexte_Belegen(setMainCaption);
}

void MDITexte_Laden(const QString& path)
{
    ProfileDocument document(path, currentCodePage());
    if (!document.load())
        return;
    ProgramState::instance().language.MDICaption = document.readString(
        QStringLiteral("frmMidi"), QStringLiteral("Form_Caption"), QStringLiteral("VTX-VANTORI"), TextBuffer);
}

void OptionsTexte_Laden(const QString& path)
{
    ProfileDocument document(path, currentCodePage());
    if (!document.load())
        return;
    auto& texts = ProgramState::instance().language.OptionsTexte;
    const auto& entries = OptionsTextTable::entries();
    for (int i = 0; i < OptionsTextTable::Count; ++i) {
        texts[i] = document.readString(QStringLiteral("Options"), entries[i].key, entries[i].defaultText, TextBuffer);
    }
}

void MDITexte_Belegen(const std::function<void(const QString&)>& setMainCaption)
{
    if (setMainCaption)
        setMainCaption(ProgramState::instance().language.MDICaption);
}

} // namespace Sprache
