#pragma once

#include <QString>

#include <cstdint>

struct Einstellungen;

// The options dialog's own copies of the settings that its steppers and some
// choices edit; the close handler copies them into the settings record.
struct WorkingCopies {
    std::uint8_t mScheibenanzahl = 0;
    std::uint8_t mScheibenProSeite = 0;
    std::int16_t mAnfScheibe = 0;
    std::int16_t mEndScheibe = 0;
    std::int16_t mWechselzeit = 0;
    std::uint8_t mVerbindungsArt = 0;
    std::uint8_t mAufloesung = 0;
    std::uint8_t mStartPosition = 0;
    QString mNetzwerkPfad;
    std::uint8_t mAnzeigeServer2 = 0;

    // The steppers. Each returns whether the value changed; a click at a
    // limit changes nothing.

    // The count is a byte and stays within 0..255. A count of 0 is taken
    // (a frame without targets); the next start reads it as 8.
    bool Minus();
    bool Plus();
    // Targets per page: 1..mScheibenanzahl (a page of no targets would leave
    // the page table without pages).
    bool cmdMinusAnzSeite();
    bool cmdPlusAnzSeite();
    // Change time: 0, 10, ..., 9990 seconds in a ring.
    bool cmdMinusWechselzeit();
    bool cmdPlusWechselzeit();
    // First and last shown target: 1 <= first <= last <= count.
    bool cmdAnfangMinus();
    bool cmdAnfangPlus();
    bool cmdEndMinus();
    bool cmdEndPlus();
};

// WerbeZeit and WerbePause, stepped in the settings record at once: 0..30.
namespace AdvertisingSteppers {
bool minus(std::uint8_t& seconds);
bool plus(std::uint8_t& seconds);
} // namespace AdvertisingSteppers
