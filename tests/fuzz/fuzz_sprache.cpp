// The language file: its character set chooses the code page of the texts.

#include "FuzzSupport.h"
#include "options/Sprache.h"
#include "platform/ProgramInfo.h"
#include "shell/ProgramState.h"

#include <algorithm>
#include <iterator>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ProgramState::reset();
    // A missing or empty file makes the loader look beside the program.
    ProgramInfo::setDirectoryForTest(FuzzSupport::tempDir());
    QString path = FuzzSupport::writeFile(QStringLiteral("Sprache_9.ini"), FuzzSupport::bytes(data, size));
    QStringList captions;
    Sprache::Sprache_Laden(path, [&captions](const QString& caption) { captions.append(caption); });

    // The empty file is removed and no language file is found instead.
    const LanguageTexts& texts = ProgramState::instance().language;
    FUZZ_CHECK(size == 0
            ? captions.isEmpty() && !QFileInfo::exists(FuzzSupport::filePath(QStringLiteral("Sprache_9.ini")))
            : captions == QStringList {texts.MDICaption});
    const auto fits = [](const QString& text) { return text.size() <= 254; };
    FUZZ_CHECK(fits(texts.MDICaption) && std::ranges::all_of(texts.OptionsTexte, fits));
    // Both loaders once more under a code page that the last byte picks.
    if (size > 0) {
        static const int charsets[] = {0, 128, 129, 134, 136, 161, 162, 163, 177, 178, 186, 204, 222, 238, 255};
        ProgramState::instance().language.SprachZeichensatz
            = std::uint8_t(charsets[data[size - 1] % std::size(charsets)]);
        Sprache::MDITexte_Laden(path);
        Sprache::OptionsTexte_Laden(path);
        FUZZ_CHECK(fits(texts.MDICaption) && std::ranges::all_of(texts.OptionsTexte, fits));
    }
    return 0;
}
