#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The texts of the current language file: character-set number, caption of
// the main frame and the 55 texts of the options dialog (index 0 = its title).
struct LanguageTexts {
    static constexpr int OptionsTextCount = 55;
    std::optional<std::uint8_t> SprachZeichensatz;
    QString MDICaption;
    std::array<QString, OptionsTextCount> OptionsTexte;
};
