#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The settings record: one field per key of section "Options" of
// omr_anzeige.ini, each as wide as the key's field (byte, 16-bit integer,
// text, double). A value read that does not fit its field is not stored.
struct Einstellungen {
    std::uint8_t Scheibenanzahl = 0;
    std::uint8_t ScheibenProSeite = 0;
    std::int16_t Wechselzeit = 0;
    std::uint8_t Blaettern = 0;
    std::uint8_t AnfEnde = 0;
    std::int16_t AnfScheibe = 0;
    std::int16_t EndScheibe = 0;
    std::uint8_t Trefferkreuze = 0;
    std::int16_t Nummeriert = 0;
    std::uint8_t Trefferkreise = 0;
    std::uint8_t MittlereLage = 0;
    std::uint8_t SerienAnzeige = 0;
    std::uint8_t AusfAnzeige = 0;
    std::uint8_t ZehntelAnzeige = 0;
    std::uint8_t TrefferVergroessern = 0;
    double FarbeProbeEcke = 0;
    std::uint8_t AutoZoom = 0;
    std::uint8_t VerbindungsArt = 0;
    std::uint8_t Sprache = 0;
    std::uint8_t BuliAnordnung = 0;
    std::uint8_t SerienErgebnisse = 0;
    std::uint8_t BildSchirm = 0;
    std::uint8_t BildAufloesung = 0;
    QString NetzwerkPfad;
    std::uint8_t Schnellanzeige = 0;
    std::uint8_t AnzeigeServerNr = 0;
    std::int16_t KORVUDisziID = 0;
    std::int16_t KORVUKlassenNr = 0;
    std::int16_t KORVUMannschaft = 0;
    QString KORVUPfad;
    std::int16_t KORVUWKID = 0;
    std::int16_t VTXServerID = 0;
    std::uint8_t RanglisteAn = 0;
    std::uint8_t RangUndScheibe = 0;
    QString RLTitel;
    std::uint8_t chkEinZeilig = 0;
    std::uint8_t FreieWerbung = 0;
    std::uint8_t WerbeZeit = 0;
    std::uint8_t WerbePause = 0;
    std::uint8_t VergroessernAus = 0;

    // Discipline table of section "Scheibe": entry 0 is target 1.
    QStringList Disziplinen;
};
