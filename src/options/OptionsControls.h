#pragma once

#include <QString>

#include <cstdint>

// What the close handler reads from the options dialog's controls at the
// moment OptionSchliessen is clicked (check boxes as 0 or 1, or the value a
// greyed box still stands for).
struct OptionsControls {
    std::uint8_t chkBlaettern = 0;
    std::uint8_t chkAnfEnd = 0;
    std::uint8_t chkBuLiAnordnung = 0;
    std::uint8_t chkEinZeilig = 0;
    std::uint8_t chkAusfAnzeige = 0;
    std::uint8_t TrefferKreuz = 0;
    std::uint8_t chkTrefferKreise = 0;
    std::uint8_t chkZehner_Serie = 0;
    std::uint8_t chkTrefferVergroesserung = 0;
    std::uint8_t chkAutozoom = 0;
    std::uint8_t chkSerienErgebnisse = 0;
    std::uint8_t chkSchnellAnzeige = 0;
    std::int16_t chkMannschaftsliste = 0;
    std::uint8_t chkRanglisteAn = 0;
    std::uint8_t chkRngShbWechseln = 0;

    QString tbxDisziplinID;
    QString tbxKlassenNr;
    QString tbxWettkampfID;
    QString tbxKennung;
    QString tbxRanglistenTitel;

    // Path of the folder list dLbDatenNetzwerk.
    QString datenNetzwerkPfad;
    // Colour of the swatch shpFarbTestProbeEcke (0x00BBGGRR).
    std::uint32_t farbeProbeEcke = 0;
};
