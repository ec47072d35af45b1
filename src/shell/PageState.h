#pragma once

#include <array>
#include <cstdint>

// Page table and flags of the page flipping. Row p (1-based) of Seiten holds
// the number of targets on page p and its state: 0 on screen, 1 hidden,
// 2 shown at the next flip, 3 becomes 2 later in the same flip.
struct PageState {
    std::uint8_t Seitenanzahl = 0;
    struct Seite {
        std::uint8_t anzahl = 0;
        std::uint8_t zustand = 0;
    };
    std::array<Seite, 256> Seiten {}; // index 1..Seitenanzahl
    std::int16_t SeitenZaehler = 0;
    int RanglisteAktiv = 0;
    int AlleSeitenGezeigt = 0;
    int RanglisteFertig = 0;
    int RanglisteAngefordert = 0;
};
