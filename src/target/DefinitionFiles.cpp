#include "target/DefinitionFiles.h"

#include "platform/Dialogs.h"
#include "platform/FileLookup.h"
#include "platform/ProfileDocument.h"
#include "platform/SequentialFile.h"

#include <type_traits>
#include <vector>

namespace {

// One key of a profile section and the field it fills.
template<class Field> struct ProfileKey {
    QString name;
    Field* field;
    bool text;
};

template<class Record> using FieldOf = std::conditional_t<std::is_const_v<Record>, const TaggedValue, TaggedValue>;

template<class Record> std::vector<ProfileKey<FieldOf<Record>>> wettbewerbKeys(Record& d)
{
    using Key = ProfileKey<FieldOf<Record>>;
    std::vector<Key> keys {
        {QStringLiteral("Bezeichnung"), &d.Bezeichnung, true},
        {QStringLiteral("KennNummer"), &d.KennNummer, false},
        {QStringLiteral("RegelNummer"), &d.RegelNummer, true},
        {QStringLiteral("WertungsRadius"), &d.WertungsRadius, false},
        {QStringLiteral("MaximalerDurchmesser"), &d.MaximalerDurchmesser, false},
        {QStringLiteral("MinimalerDurchmesser"), &d.MinimalerDurchmesser, false},
        {QStringLiteral("SchussZahl"), &d.SchussZahl, false},
        {QStringLiteral("ProbeSchuesse"), &d.ProbeSchuesse, false},
        {QStringLiteral("SchiessZeit"), &d.SchiessZeit, true},
        {QStringLiteral("ProbeZeit"), &d.ProbeZeit, false},
        {QStringLiteral("Wertung"), &d.Wertung, false},
        {QStringLiteral("SchiessPosition"), &d.SchiessPosition, true},
        {QStringLiteral("Serienlaenge"), &d.Serienlaenge, false},
        {QStringLiteral("DateiWaffe"), &d.DateiWaffe, true},
        {QStringLiteral("DateiScheibe"), &d.DateiScheibe, true},
        {QStringLiteral("ZeitenAnzahl"), &d.ZeitenAnzahl, false},
    };
    const auto family = [&keys](const QString& stem, auto& array, bool text) {
        for (int n = 0; n < 4; ++n)
            keys.push_back({stem + QString::number(n + 1), &array[n], text});
    };
    family(QStringLiteral("Zeit"), d.Zeit, true);
    keys.push_back({QStringLiteral("SchussAnzahl"), &d.SchussAnzahl, false});
    family(QStringLiteral("SchussZahlen"), d.SchussZahlen, false);
    keys.push_back({QStringLiteral("PositionsAnzahl"), &d.PositionsAnzahl, false});
    family(QStringLiteral("Position"), d.Position, true);
    keys.push_back({QStringLiteral("SerienAnzahl"), &d.SerienAnzahl, false});
    family(QStringLiteral("Serien"), d.Serien, false);
    return keys;
}

template<class Record> std::vector<ProfileKey<FieldOf<Record>>> scheibeKeys(Record& d)
{
    return {
        {QStringLiteral("Bezeichnung"), &d.Bezeichnung, true},
        {QStringLiteral("ScheibenArt"), &d.ScheibenArt, false},
        {QStringLiteral("KennNummer"), &d.KennNummer, false},
        {QStringLiteral("AussenRadius"), &d.AussenRadius, false},
        {QStringLiteral("SpiegelRadius"), &d.SpiegelRadius, false},
        {QStringLiteral("ZehnerRadius"), &d.ZehnerRadius, false},
        {QStringLiteral("ZehnerRingStyle"), &d.ZehnerRingStyle, false},
        {QStringLiteral("InnenZehnerRadius"), &d.InnenZehnerRadius, false},
        {QStringLiteral("InnenZehnerRingStyle"), &d.InnenZehnerRingStyle, false},
        {QStringLiteral("InnenKreuzRadius"), &d.InnenKreuzRadius, false},
        {QStringLiteral("InnenKreuzWinkel"), &d.InnenKreuzWinkel, false},
        {QStringLiteral("VorhalteSpiegelRadius"), &d.VorhalteSpiegelRadius, false},
        {QStringLiteral("VorhalteAbstand"), &d.VorhalteAbstand, false},
        {QStringLiteral("Ringbreite"), &d.Ringbreite, false},
        {QStringLiteral("RingMin"), &d.RingMin, false},
        {QStringLiteral("RingMax"), &d.RingMax, false},
        {QStringLiteral("RingAnzahl"), &d.RingAnzahl, false},
        {QStringLiteral("RingNummerWinkel"), &d.RingNummerWinkel, false},
        {QStringLiteral("KartonBreite"), &d.KartonBreite, false},
        {QStringLiteral("KartonHoehe"), &d.KartonHoehe, false},
        {QStringLiteral("Probe"), &d.Probe, false},
        {QStringLiteral("BandVorschub"), &d.BandVorschub, false},
        {QStringLiteral("OffsetX"), &d.OffsetX, false},
        {QStringLiteral("OffsetY"), &d.OffsetY, false},
        {QStringLiteral("ZoomZentrumX"), &d.ZoomZentrumX, false},
        {QStringLiteral("ZoomZentrumY"), &d.ZoomZentrumY, false},
        {QStringLiteral("ZoomLevels"), &d.ZoomLevels, false},
        {QStringLiteral("HinterGrundBildDatei"), &d.HinterGrundBildDatei, true},
        {QStringLiteral("DateiName"), &d.DateiName, true},
    };
}

template<class Record> std::vector<ProfileKey<FieldOf<Record>>> waffeKeys(Record& d)
{
    return {
        {QStringLiteral("Bezeichnung"), &d.Bezeichnung, true},
        {QStringLiteral("KennNummer"), &d.KennNummer, false},
        {QStringLiteral("AnzeigeRadius"), &d.AnzeigeRadius, false},
        {QStringLiteral("Durchmesser"), &d.Durchmesser, false},
        {QStringLiteral("Kaliber"), &d.Kaliber, false},
        {QStringLiteral("MikrofonEinstellung"), &d.MikrofonEinstellung, false},
    };
}

template<class Record> std::vector<ProfileKey<FieldOf<Record>>> klasseKeys(Record& d)
{
    return {
        {QStringLiteral("Bezeichnung"), &d.Bezeichnung, true},
        {QStringLiteral("KennNummer"), &d.KennNummer, false},
        {QStringLiteral("RegelNummer"), &d.RegelNummer, true},
        {QStringLiteral("KlassenNummer"), &d.KlassenNummer, false},
        {QStringLiteral("AlterMin"), &d.AlterMin, false},
        {QStringLiteral("AlterMax"), &d.AlterMax, false},
    };
}

const QString kWettbewerb = QStringLiteral("XWettbewerb");
const QString kScheibe = QStringLiteral("Rscheibe");
const QString kWaffe = QStringLiteral("XWaffe");
const QString kKlasse = QStringLiteral("XKlasse");

// A key saved from an empty field has an empty value; like a missing key it
// reads back as its default (texts their key name, numbers the section's
// default), so a save and load never turns "nothing" into 0.
void loadProfile(const QString& datei, const QString& section, const std::vector<ProfileKey<TaggedValue>>& keys,
    int numberDefault, const QString& keyWithOtherDefault = QString(), int otherDefault = 0)
{
    const std::optional<QString> path = FileLookup::findFile(datei);
    if (!path)
        return;
    ProfileDocument document(*path);
    document.load();
    for (const auto& key : keys) {
        const QString value = document.readString(section, key.name, QString(), 255);
        if (key.text) {
            *key.field = TaggedValue(value.isEmpty() ? key.name : value);
            continue;
        }
        const int def = key.name == keyWithOtherDefault ? otherDefault : numberDefault;
        const int number = value.isEmpty() ? def : document.readInt(section, key.name, def);
        *key.field = TaggedValue(static_cast<std::int32_t>(number));
    }
}

void saveProfile(const QString& datei, const QString& section, const std::vector<ProfileKey<const TaggedValue>>& keys)
{
    ProfileDocument document(FileLookup::findFile(datei).value_or(datei));
    document.load();
    for (const auto& key : keys)
        document.writeString(section, key.name, key.field->toString());
    document.save();
}

// Opens a sequential definition file for reading, or throws.
void openOrThrow(SequentialReader& reader, const QString& path)
{
    if (!reader.open())
        throw SequentialReadError("cannot open " + path.toStdString());
}

QString existingOrThrow(const QString& path)
{
    const std::optional<QString> found = FileLookup::findFile(path);
    if (!found)
        throw SequentialReadError("missing file " + path.toStdString());
    return *found;
}

TaggedValue readTextItem(SequentialReader& reader)
{
    return TaggedValue(reader.readText());
}

TaggedValue readNumberItem(SequentialReader& reader)
{
    return TaggedValue(reader.readNumber());
}

} // namespace

namespace DefinitionFiles {

void HD_Laden(const QString& datei, WettbewerbsDaten& daten)
{
    loadProfile(datei, kWettbewerb, wettbewerbKeys(daten), 1);
}

void HD_Speichern(const QString& datei, const WettbewerbsDaten& daten)
{
    saveProfile(datei, kWettbewerb, wettbewerbKeys(daten));
}

void HS_Laden(const QString& datei, ScheibenDaten& daten)
{
    loadProfile(datei, kScheibe, scheibeKeys(daten), 0, QStringLiteral("Probe"), -1);
}

void HS_Speichern(const QString& datei, const ScheibenDaten& daten)
{
    saveProfile(datei, kScheibe, scheibeKeys(daten));
}

void HW_Laden(const QString& datei, WaffenDaten& daten)
{
    loadProfile(datei, kWaffe, waffeKeys(daten), 0);
}

void HW_Speichern(const QString& datei, const WaffenDaten& daten)
{
    saveProfile(datei, kWaffe, waffeKeys(daten));
}

void HK_Laden(const QString& datei, KlassenDaten& daten)
{
    loadProfile(datei, kKlasse, klasseKeys(daten), 0);
}

void HK_Speichern(const QString& datei, const KlassenDaten& daten)
{
    saveProfile(datei, kKlasse, klasseKeys(daten));
}

QString wettbewerbsDateiFuer(const QString& disziplinNr)
{
    static const struct {
        const char* nummer;
        const char* datei;
    } table[] = {
        {"1.10", "hd_1-10.def"},
        {"1.40", "hd_1-40.def"},
        {"1.52", "hd_1-50.def"},
        {"2.10", "hd_2-10.def"},
        {"2.20", "hd_2-20.def"},
        {"2.40D", "hd_2-40d.def"},
        {"2.40P", "hd_2-40p.def"},
        {"2.50D", "hd_2-50d.def"},
        {"2.50P", "hd_2-50p.def"},
        {"2.60", "hd_2-60.def"},
    };
    for (const auto& row : table) {
        if (disziplinNr == QLatin1String(row.nummer))
            return QLatin1String(row.datei);
    }
    return QStringLiteral("hd_1-10.def");
}

WettbewerbsDaten LadeWettbewerbsDatei(const QString& path)
{
    WettbewerbsDaten daten;
    const std::optional<QString> found = FileLookup::findFile(path);
    if (!found) {
        Dialogs::showMessage(Dialogs::Icon::Exclamation, QStringLiteral("Wettbewerbsdaten laden"),
            QStringLiteral("Datei existiert nicht: ") + path);
        return daten;
    }
    SequentialReader reader(*found);
    openOrThrow(reader, path);
    daten.Bezeichnung = readTextItem(reader);
    daten.KennNummer = readNumberItem(reader);
    daten.RegelNummer = readTextItem(reader);
    daten.WertungsRadius = readNumberItem(reader);
    daten.MaximalerDurchmesser = readNumberItem(reader);
    daten.MinimalerDurchmesser = readNumberItem(reader);
    daten.SchussZahl = readNumberItem(reader);
    daten.ProbeSchuesse = readNumberItem(reader);
    daten.SchiessZeit = readTextItem(reader);
    daten.ProbeZeit = readNumberItem(reader);
    daten.Wertung = readNumberItem(reader);
    daten.SchiessPosition = readTextItem(reader);
    daten.Serienlaenge = readNumberItem(reader);
    daten.DateiWaffe = readTextItem(reader);
    daten.DateiScheibe = readTextItem(reader);
    daten.ZeitenAnzahl = readNumberItem(reader);
    for (auto& zeit : daten.Zeit)
        zeit = readTextItem(reader);
    daten.SchussAnzahl = readNumberItem(reader);
    for (auto& zahl : daten.SchussZahlen)
        zahl = readNumberItem(reader);
    daten.PositionsAnzahl = readNumberItem(reader);
    for (auto& position : daten.Position)
        position = readTextItem(reader);
    daten.SerienAnzahl = readNumberItem(reader);
    for (auto& serie : daten.Serien)
        serie = readNumberItem(reader);
    return daten;
}

void LadeScheibenDaten(const QString& path, ScheibenDaten& daten)
{
    SequentialReader reader(existingOrThrow(path));
    openOrThrow(reader, path);
    daten.Bezeichnung = readTextItem(reader);
    TaggedValue* numbers[] = {
        &daten.ScheibenArt,
        &daten.KennNummer,
        &daten.AussenRadius,
        &daten.SpiegelRadius,
        &daten.ZehnerRadius,
        &daten.ZehnerRingStyle,
        &daten.InnenZehnerRadius,
        &daten.InnenZehnerRingStyle,
        &daten.InnenKreuzRadius,
        &daten.InnenKreuzWinkel,
        &daten.VorhalteSpiegelRadius,
        &daten.VorhalteAbstand,
        &daten.Ringbreite,
        &daten.RingMin,
        &daten.RingMax,
        &daten.RingAnzahl,
        &daten.RingNummerWinkel,
        &daten.KartonBreite,
        &daten.KartonHoehe,
        &daten.Probe,
        &daten.BandVorschub,
        &daten.DateiName,
    };
    for (TaggedValue* field : numbers)
        *field = readNumberItem(reader);
}

void LadeWaffenDatei(const QString& path, WaffenDaten& daten)
{
    SequentialReader reader(existingOrThrow(path));
    openOrThrow(reader, path);
    daten.Bezeichnung = readTextItem(reader);
    for (TaggedValue* field :
        {&daten.KennNummer, &daten.AnzeigeRadius, &daten.Durchmesser, &daten.Kaliber, &daten.MikrofonEinstellung})
        *field = readNumberItem(reader);
}

} // namespace DefinitionFiles
