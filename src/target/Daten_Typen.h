#pragma once

#include "target/TaggedValue.h"

#include <QString>

#include <array>

// The record types shared by the whole target subsystem.

struct KlassenDaten {
    TaggedValue Bezeichnung;
    TaggedValue KennNummer;
    TaggedValue AlterMax;
    TaggedValue AlterMin;
    TaggedValue KlassenNummer;
    TaggedValue RegelNummer;
};

struct WaffenDaten {
    TaggedValue Bezeichnung;
    TaggedValue KennNummer;
    TaggedValue AnzeigeRadius;
    TaggedValue Durchmesser;
    TaggedValue Kaliber;
    TaggedValue MikrofonEinstellung;
};

struct ScheibenDaten {
    TaggedValue Bezeichnung;
    TaggedValue ScheibenArt;
    TaggedValue KennNummer;
    TaggedValue AussenRadius;
    TaggedValue SpiegelRadius;
    TaggedValue ZehnerRadius;
    TaggedValue ZehnerRingStyle;
    TaggedValue InnenZehnerRadius;
    TaggedValue InnenZehnerRingStyle;
    TaggedValue InnenKreuzRadius;
    TaggedValue InnenKreuzWinkel;
    TaggedValue VorhalteSpiegelRadius;
    TaggedValue VorhalteAbstand;
    TaggedValue Ringbreite;
    TaggedValue RingMin;
    TaggedValue RingMax;
    TaggedValue RingAnzahl;
    TaggedValue RingNummerWinkel;
    TaggedValue KartonBreite;
    TaggedValue KartonHoehe;
    TaggedValue Probe; // sighting mode: -1 when true
    TaggedValue BandVorschub;
    TaggedValue HinterGrundBildDatei;
    TaggedValue ZoomZentrumX;
    TaggedValue ZoomZentrumY;
    TaggedValue ZoomLevels;
    TaggedValue OffsetX;
    TaggedValue OffsetY;
    TaggedValue DateiName;
};

struct WettbewerbsDaten {
    TaggedValue Bezeichnung;
    TaggedValue KennNummer;
    TaggedValue Zusatzfeld;
    TaggedValue RegelNummer;
    TaggedValue WertungsRadius;
    TaggedValue MaximalerDurchmesser;
    TaggedValue MinimalerDurchmesser;
    TaggedValue SchussZahl;
    TaggedValue ProbeSchuesse;
    TaggedValue SchiessZeit;
    TaggedValue ProbeZeit;
    TaggedValue Wertung;
    TaggedValue SchiessPosition;
    TaggedValue Serienlaenge;
    TaggedValue DateiWaffe;
    TaggedValue DateiScheibe;
    TaggedValue ZeitenAnzahl;
    std::array<TaggedValue, 4> Zeit;
    TaggedValue SchussAnzahl;
    std::array<TaggedValue, 4> SchussZahlen;
    TaggedValue PositionsAnzahl;
    std::array<TaggedValue, 4> Position;
    TaggedValue SerienAnzahl;
    std::array<TaggedValue, 4> Serien;
};

// One set of shots (sighting or match). Index SchussNummer (one past the
// latest shot) receives the mean point of impact, so a set holds at most 150
// shots.
struct SchussSatz {
    static constexpr int Groesse = 151;

    float LetzterIndex = -1;
    float KopfD = 0;
    float SchussNummer = 0;
    float Gesamt = 0;
    std::array<float, Groesse> ZusatzA {};
    std::array<float, Groesse> Ringwert {};
    std::array<QString, Groesse> SchussText;
    std::array<float, Groesse> PosX {};
    std::array<float, Groesse> PosY {};
    std::array<float, Groesse> ZusatzB {};
    std::array<float, Groesse> ZusatzC {};
    float KopfE = 0;
    float KopfF = 0;
    float MarkSchuss = 0;
    std::array<float, Groesse> SerienZusatz {};
    std::array<float, Groesse> SerienWert {};
    float SerienLetzter = -1;
    float AnzeigeSerie = 0;
    TaggedValue KopfA;
    TaggedValue KopfB;
    float KopfC = 0;
    std::array<TaggedValue, Groesse> ZusatzD;
    std::array<float, Groesse> ZusatzE {};
    double KopfG = 0;
    float MittelRing = 0;
    float MittelX = 0;
    float MittelY = 0;
};
