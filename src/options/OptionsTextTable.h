#pragma once

#include <QLatin1String>

#include <array>

// The 55 texts of section "Options" of a language file, in the order in which
// they are read and put onto the options dialog. `control` is the objectName
// of the widget whose caption a text sets; an empty name is the dialog itself.
// Elements of control arrays carry their index in the name (optNr0).
namespace OptionsTextTable {

struct Entry {
    QLatin1String key;
    QLatin1String defaultText;
    QLatin1String control;
};

constexpr int Count = 55;

const std::array<Entry, Count>& entries();

} // namespace OptionsTextTable
