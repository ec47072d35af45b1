#include "options/OptionsTextTable.h"

namespace OptionsTextTable {

namespace {
constexpr QLatin1String L(const char* text)
{
    return QLatin1String(text);
}

const std::array<Entry, Count> g_entries {{
    {L("Form_Caption"), L("Optionen"), L("")},
    {L("Rahmen_Anzeige"), L("Anzeige"), L("Rahmen_Anzeige")},
    {L("TrefferKreuze"), L("Trefferkreuze"), L("TrefferKreuz")},
    {L("Nummerierung"), L("Trefferkreuze nummerieren"), L("Nummerierung")},
    {L("chkTrefferKreise"), L("Kreise statt Kreuze"), L("chkTrefferKreise")},
    {L("MittlereTrefferLage"), L("Mittlere Trefferlage"), L("MittlereTrefferLage")},
    {L("cbxZehntel"), L("Zehntel"), L("cbxZehntel")},
    {L("chkAusfAnzeige"), L("Ausfuehrliche Anzeige"), L("chkAusfAnzeige")},
    {L("Zehner_Serie"), L("Serien-Darstellung"), L("chkZehner_Serie")},
    {L("chkTrefferVergroessern"), L("Treffer Vergroessern"), L("chkTrefferVergroesserung")},
    {L("AutoZoom"), L("AutoZoom"), L("chkAutozoom")},
    {L("frmScheibenAnzahl"), L("ScheibenAnzahl"), L("frmScheibenAnzahl")},
    {L("chkAnfEnd"), L("Anzeige Einschraenken"), L("chkAnfEnd")},
    {L("frmAnfScheibe"), L("AnfangsScheibe"), L("frmAnfScheibe")},
    {L("frmEndScheibe"), L("EndScheibe"), L("frmEndScheibe")},
    {L("fraVerbindungsArt"), L("Verbindungsart"), L("fraVerbindungsArt")},
    {L("optVerbindungsArt0"), L("Telvox V1.0-V3.9"), L("optNr0")},
    {L("optVerbindungsArt1"), L("Telvox 2002"), L("optNr1")},
    {L("chkBlaettern"), L("AnzeigeBlaettern"), L("chkBlaettern")},
    {L("frmAnzSeite"), L("Scheiben Pro Seite"), L("frmAnzSeite")},
    {L("frmWechselZeit"), L("WechselZeit"), L("frmWechselzeit")},
    {L("fraFensterOptionen"), L("FensterOptionen"), L("fraFensterOptionen")},
    {L("fraStartPosition"), L("StartPosition"), L("fraStartPosition")},
    {L("optStartPosition0"), L("links"), L("optStartPosition0")},
    {L("optStartPosition1"), L("mitte"), L("optStartPosition1")},
    {L("optStartPosition2"), L("rechts"), L("optStartPosition2")},
    {L("fraAufloesung"), L("Aufloesung"), L("fraAufloesung")},
    {L("fraNetzWerk"), L("NetzWerk"), L("fraNetzWerk")},
    {L("fraSprachen"), L("Sprache"), L("fraSprachen")},
    {L("optSprache0_deutsch"), L("deutsch"), L("optSprache0")},
    {L("optSprache1_english"), L("english"), L("optSprache1")},
    {L("optSprache2_japanisch"), L("japanisch"), L("optSprache2")},
    {L("optSprache3_russisch"), L("russisch"), L("optSprache3")},
    {L("optSprache4_tuerkisch"), L("tuerkisch"), L("optSprache4")},
    {L("optSprache5_franzoesisch"), L("Benutzerdefiniert"), L("optSprache5")},
    {L("optSprache6_italienisch"), L("Benutzerdefiniert"), L("optSprache6")},
    {L("optSprache7_user"), L("Benutzerdefiniert"), L("optSprache7")},
    {L("OptionSchliessen"), L("Schliessen"), L("OptionSchliessen")},
    {L("fraScheibenanzeige"), L("Einstellung Scheibenanzeige"), L("fraScheibenanzeige")},
    {L("chkEinZeilig"), L("Einzeilige Darstellung"), L("chkEinZeilig")},
    {L("chkAnzeigeServer2"), L("AnzeigeServer2"), L("chkAnzeigeServer2")},
    {L("cmdWerbung"), L("Zur Werbung"), L("cmdWerbung")},
    {L("chkSchnellAnzeige"), L("SchnellAnzeige"), L("chkSchnellAnzeige")},
    {L("chkBuLiAnordnung"), L("BuLiAnordnung"), L("chkBuLiAnordnung")},
    {L("chkSerienErgebnisse"), L("SerienAnzeige"), L("chkSerienErgebnisse")},
    {L("lblFarbeProbeEcke"), L("FarbeProbeEcke"), L("lblFarbeProbeEcke")},
    {L("fraWerbung"), L("werbung"), L("fraWerbung")},
    {L("fraQuelleVerz"), L("QuellVerzeichnis"), L("fraQuelleVerz")},
    {L("fraZielVerz"), L("ZielVerzeichnis"), L("fraZielVerz")},
    {L("cmdHinzufuegen"), L("Hinzufuegen"), L("cmdHinzufuegen")},
    {L("cmdloeschen"), L("loeschen"), L("cmdloeschen")},
    {L("chkFreieWerbung"), L("FreieWerbung"), L("chkFreieWerbung")},
    {L("fraWerbeZeit"), L("WerbeZeit"), L("fraWerbeZeit")},
    {L("fraWerbePause"), L("WerbePause"), L("fraWerbePause")},
    {L("cmdWerbungUebernehmen"), L("WerbungUebernehmen"), L("cmdWerbungUebernehmen")},
}};
} // namespace

const std::array<Entry, Count>& entries()
{
    return g_entries;
}

} // namespace OptionsTextTable
