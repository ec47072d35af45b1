#include "shell/SettingsFile.h"

#include "platform/FileLookup.h"
#include "platform/ProfileDocument.h"
#include "platform/ProgramInfo.h"
#include "platform/VbNumbers.h"
#include "shell/LaneTarget.h"
#include "shell/PageFlipping.h"
#include "shell/ProgramState.h"
#include "shell/TargetList.h"

#include <limits>

namespace SettingsFile {

namespace {

const QString kOptions = QStringLiteral("Options");
const QString kScheibe = QStringLiteral("Scheibe");
const QString kDefaultDisziplin = QStringLiteral("1.10");
constexpr int kDisziplinBuffer = 10;

// The field keeps its value when the number read does not fit its width.
template<typename Field> void readNumber(const ProfileDocument& doc, const char* key, int def, Field& field)
{
    const int value = doc.readInt(kOptions, QLatin1String(key), def);
    if (value >= std::numeric_limits<Field>::min() && value <= std::numeric_limits<Field>::max())
        field = static_cast<Field>(value);
}

template<typename Field>
void readFlag(const ProfileDocument& doc, const char* key, int def, Field& field, Field otherwise)
{
    readNumber(doc, key, def, field);
    if (field != 0 && field != 1)
        field = otherwise;
}

QString readText(const ProfileDocument& doc, const char* key)
{
    return doc.readString(kOptions, QLatin1String(key), QString());
}

// A path key names a directory or falls back to the program directory. The
// text is kept as it was read (separators, letter case), so that it is written
// back unchanged; the places that use it find the folder it names. An empty
// key counts as missing, so the exchange never goes to the working directory
// by accident.
QString existingDirectoryOr(const QString& text, const QString& programDir)
{
    if (!text.isEmpty() && FileLookup::directoryExists(text))
        return text;
    return programDir;
}

bool isSizeCode(int code)
{
    return (code >= 0 && code <= 3) || (code >= 100 && code <= 103);
}

} // namespace

QString path()
{
    const QString wanted = FileLookup::join(ProgramInfo::directory(), QStringLiteral("omr_anzeige.ini"));
    return FileLookup::findFile(wanted).value_or(wanted);
}

void EinstellungenLaden()
{
    ProgramState& state = ProgramState::instance();
    Einstellungen& s = state.settings;
    const QString programDir = ProgramInfo::directory();
    ProfileDocument doc(path());
    doc.load();

    readNumber(doc, "Scheibenanzahl", 8, s.Scheibenanzahl);
    if (s.Scheibenanzahl <= 0)
        s.Scheibenanzahl = 8;
    readNumber(doc, "ScheibenProSeite", 8, s.ScheibenProSeite);
    if (s.ScheibenProSeite <= 0)
        s.ScheibenProSeite = 8;
    readNumber(doc, "Wechselzeit", 60, s.Wechselzeit);
    if (s.Wechselzeit <= 0)
        s.Wechselzeit = 60;
    readFlag(doc, "Blaettern", 0, s.Blaettern, std::uint8_t(0));
    readFlag(doc, "AnfEnde", 0, s.AnfEnde, std::uint8_t(0));

    readNumber(doc, "AnfScheibe", 1, s.AnfScheibe);
    if (s.AnfScheibe <= 0)
        s.AnfScheibe = 1;
    if (s.AnfScheibe > s.Scheibenanzahl)
        s.AnfScheibe = 1;
    readNumber(doc, "EndScheibe", 8, s.EndScheibe);
    if (s.EndScheibe <= 0)
        s.EndScheibe = 8;
    if (s.EndScheibe > s.Scheibenanzahl)
        s.EndScheibe = s.Scheibenanzahl;

    readFlag(doc, "Trefferkreuze", 0, s.Trefferkreuze, std::uint8_t(0));
    readFlag(doc, "Nummeriert", 0, s.Nummeriert, std::int16_t(0));
    readFlag(doc, "Trefferkreise", 0, s.Trefferkreise, std::uint8_t(0));
    readFlag(doc, "MittlereLage", 0, s.MittlereLage, std::uint8_t(0));
    readFlag(doc, "SerienAnzeige", 1, s.SerienAnzeige, std::uint8_t(1));
    readFlag(doc, "AusfAnzeige", 1, s.AusfAnzeige, std::uint8_t(1));
    readFlag(doc, "ZehntelAnzeige", 1, s.ZehntelAnzeige, std::uint8_t(1));
    readFlag(doc, "TrefferVergroessern", 1, s.TrefferVergroessern, std::uint8_t(1));

    const double farbe
        = VbNumbers::val(doc.readString(kOptions, QStringLiteral("FarbeProbeEcke"), QStringLiteral("1")));
    s.FarbeProbeEcke = farbe > 0 ? farbe : 0;

    readFlag(doc, "AutoZoom", 1, s.AutoZoom, std::uint8_t(1));
    readFlag(doc, "VerbindungsArt", 1, s.VerbindungsArt, std::uint8_t(1));
    // Byte fields cannot hold a negative value: "not below 0" is their width.
    readNumber(doc, "Sprache", 1, s.Sprache);
    readNumber(doc, "BuliAnordnung", 1, s.BuliAnordnung);
    readNumber(doc, "SerienErgebnisse", 1, s.SerienErgebnisse);
    readNumber(doc, "BildSchirm", 0, s.BildSchirm);
    if (s.BildSchirm > 2)
        s.BildSchirm = 0;
    readNumber(doc, "BildAufloesung", 0, s.BildAufloesung);
    if (!isSizeCode(s.BildAufloesung))
        s.BildAufloesung = 1;
    s.NetzwerkPfad = existingDirectoryOr(readText(doc, "NetzwerkPfad"), programDir);
    readNumber(doc, "Schnellanzeige", 0, s.Schnellanzeige);

    s.Disziplinen.clear();
    for (int i = 1; i <= s.Scheibenanzahl; ++i)
        s.Disziplinen.append(
            doc.readString(kScheibe, kScheibe + QString::number(i), kDefaultDisziplin, kDisziplinBuffer));
    if (s.Blaettern == 1)
        SeitenBerechnen(state);

    readFlag(doc, "AnzeigeServerNr", 0, s.AnzeigeServerNr, std::uint8_t(0));
    readNumber(doc, "KORVUDisziID", 1, s.KORVUDisziID);
    readNumber(doc, "KORVUKlassenNr", 0, s.KORVUKlassenNr);
    readNumber(doc, "KORVUMannschaft", 0, s.KORVUMannschaft);
    s.KORVUPfad = existingDirectoryOr(readText(doc, "KORVUPfad"), programDir);
    readNumber(doc, "KORVUWKID", 1, s.KORVUWKID);
    readNumber(doc, "VTXServerID", 1, s.VTXServerID);
    // The ranking list always starts switched off, whatever was saved.
    readNumber(doc, "RanglisteAn", 0, s.RanglisteAn);
    s.RanglisteAn = 0;
    readNumber(doc, "RangUndScheibe", 0, s.RangUndScheibe);
    s.RLTitel = readText(doc, "RLTitel");
    readNumber(doc, "chkEinZeilig", 0, s.chkEinZeilig);
    readNumber(doc, "FreieWerbung", 0, s.FreieWerbung);
    readNumber(doc, "WerbeZeit", 0, s.WerbeZeit);
    readNumber(doc, "WerbePause", 0, s.WerbePause);
    readNumber(doc, "VergroessernAus", 0, s.VergroessernAus);
}

void EinstellungenSpeichern(const TargetList& scheiben)
{
    const Einstellungen& s = ProgramState::instance().settings;
    ProfileDocument doc(path());
    doc.load();

    const auto put
        = [&doc](const char* key, const QString& value) { doc.writeString(kOptions, QLatin1String(key), value); };
    const auto number = [&put](const char* key, int value) { put(key, QString::number(value)); };

    number("Trefferkreuze", s.Trefferkreuze);
    number("AusfAnzeige", s.AusfAnzeige);
    number("Scheibenanzahl", s.Scheibenanzahl);
    number("ScheibenProSeite", s.ScheibenProSeite);
    number("Wechselzeit", s.Wechselzeit);
    number("Blaettern", s.Blaettern);
    number("Trefferkreise", s.Trefferkreise);
    number("Nummeriert", s.Nummeriert);
    number("MittlereLage", s.MittlereLage);
    number("SerienAnzeige", s.SerienAnzeige);
    number("ZehntelAnzeige", s.ZehntelAnzeige);
    number("AnfScheibe", s.AnfScheibe);
    number("EndScheibe", s.EndScheibe);
    number("AnfEnde", s.AnfEnde);
    number("TrefferVergroessern", s.TrefferVergroessern);
    number("AutoZoom", s.AutoZoom);
    number("VerbindungsArt", s.VerbindungsArt);
    number("Sprache", s.Sprache);
    number("BildSchirm", s.BildSchirm);
    number("BildAufloesung", s.BildAufloesung);
    put("NetzwerkPfad", s.NetzwerkPfad);
    number("Schnellanzeige", s.Schnellanzeige);
    number("BuliAnordnung", s.BuliAnordnung);
    number("SerienErgebnisse", s.SerienErgebnisse);
    put("FarbeProbeEcke", VbNumbers::toText(s.FarbeProbeEcke));
    number("AnzeigeServerNr", s.AnzeigeServerNr);
    number("KORVUDisziID", s.KORVUDisziID);
    number("KORVUKlassenNr", s.KORVUKlassenNr);
    number("KORVUMannschaft", s.KORVUMannschaft);
    put("KORVUPfad", s.KORVUPfad);
    number("KORVUWKID", s.KORVUWKID);
    number("VTXServerID", s.VTXServerID);
    number("RanglisteAn", s.RanglisteAn);
    number("RangUndScheibe", s.RangUndScheibe);
    put("RLTitel", s.RLTitel);
    number("chkEinZeilig", s.chkEinZeilig);
    number("FreieWerbung", s.FreieWerbung);
    number("WerbeZeit", s.WerbeZeit);
    number("WerbePause", s.WerbePause);
    number("VergroessernAus", s.VergroessernAus);

    for (int i = 1; i <= s.Scheibenanzahl; ++i) {
        if (const LaneTarget* target = scheiben.at(i))
            doc.writeString(kScheibe, kScheibe + QString::number(i), target->DisziplinNr());
    }
    doc.save();
}

} // namespace SettingsFile
