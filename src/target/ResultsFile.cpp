#include "target/ResultsFile.h"

#include "platform/FileLookup.h"
#include "platform/SequentialFile.h"
#include "platform/VbNumbers.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

// Index of the last element of a set's arrays; a count from the file beyond
// it (or below "none") would index outside the set.
constexpr float kLetzterErlaubterIndex = SchussSatz::Groesse - 1;

bool isNumericItem(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([EeDd][+-]?\\d+)?$"));
    return number.match(text).hasMatch();
}

// Reads the items of the results file by kind; every fault throws
// SequentialReadError, which ends the whole read.
class ItemReader {
public:
    explicit ItemReader(SequentialReader& reader) : m_reader(reader) { }

    void skip(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            m_reader.readItem();
    }

    // Quoted items stay text; unquoted ones become numbers when they are
    // numbers, the file's truth literals -1 and 0, nothing when empty.
    TaggedValue tagged()
    {
        const SequentialItem item = m_reader.readItem();
        if (item.quoted)
            return TaggedValue(item.text);
        const QString text = item.text.trimmed();
        if (text.isEmpty() || text.compare(QLatin1String("#NULL#"), Qt::CaseInsensitive) == 0)
            return TaggedValue();
        if (text.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
            return TaggedValue(-1.0);
        if (text.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
            return TaggedValue(0.0);
        if (isNumericItem(text))
            return TaggedValue(VbNumbers::leadingNumber(text));
        return TaggedValue(text);
    }

    float single()
    {
        const double value = m_reader.readNumber();
        if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
            throw SequentialReadError("number out of range for a single");
        return static_cast<float>(value);
    }

    double number()
    {
        const double value = m_reader.readNumber();
        if (!std::isfinite(value))
            throw SequentialReadError("number out of range");
        return value;
    }

    QString text() { return m_reader.readText(); }

    // LetzterIndex and SerienLetzter drive the loops over the arrays.
    float count()
    {
        const float value = single();
        if (!(value >= -1 && value <= kLetzterErlaubterIndex))
            throw SequentialReadError("count out of range");
        return value;
    }

    void byteValue()
    {
        if (!VbNumbers::toUInt8(m_reader.readNumber()))
            throw SequentialReadError("byte out of range");
    }

private:
    SequentialReader& m_reader;
};

void readShots(ItemReader& in, SchussSatz& satz, bool keepZusatzD)
{
    for (int i = 0; i <= satz.LetzterIndex; ++i) {
        satz.ZusatzA[i] = in.single();
        satz.Ringwert[i] = in.single();
        satz.SchussText[i] = in.text();
        satz.PosX[i] = in.single() / 2;
        satz.PosY[i] = in.single() / 2;
        satz.ZusatzB[i] = in.single();
        satz.ZusatzC[i] = in.single();
        const TaggedValue zusatzD = in.tagged();
        if (keepZusatzD)
            satz.ZusatzD[i] = zusatzD;
        satz.ZusatzE[i] = in.single();
    }
}

void readSeries(ItemReader& in, SchussSatz& satz)
{
    for (int k = 0; k <= satz.SerienLetzter; ++k) {
        satz.SerienZusatz[k] = in.single();
        satz.SerienWert[k] = in.single();
    }
}

// Both sets share one layout, except that the match set carries its
// LetzterIndex ahead of the header (and stops there when it is -1) and its
// per-shot ZusatzD is thrown away.
void readSatz(ItemReader& in, SchussSatz& satz, bool probe)
{
    satz.KopfA = in.tagged();
    satz.KopfB = in.tagged();
    satz.KopfC = in.single();
    satz.SchussNummer = in.single();
    satz.Gesamt = in.single();
    if (probe)
        satz.LetzterIndex = in.count();
    satz.KopfD = in.single();
    satz.KopfE = in.single();
    satz.KopfF = in.single();
    satz.MarkSchuss = in.single();
    satz.SerienLetzter = in.count();
    satz.AnzeigeSerie = in.single();
    satz.KopfG = in.number();
    readShots(in, satz, probe);
    readSeries(in, satz);
}

void readMatchSatz(ItemReader& in, SchussSatz& satz)
{
    in.skip();
    satz.LetzterIndex = in.count();
    if (satz.LetzterIndex >= 0)
        readSatz(in, satz, false);
}

void readScheibe(ItemReader& in, ScheibenDaten& d)
{
    in.skip();
    for (TaggedValue* field :
        {&d.Bezeichnung, &d.ScheibenArt, &d.KennNummer, &d.AussenRadius, &d.SpiegelRadius, &d.ZehnerRadius,
            &d.ZehnerRingStyle, &d.InnenZehnerRadius, &d.InnenZehnerRingStyle, &d.InnenKreuzRadius, &d.InnenKreuzWinkel,
            &d.VorhalteSpiegelRadius, &d.VorhalteAbstand, &d.Ringbreite, &d.RingMin, &d.RingMax, &d.RingAnzahl,
            &d.RingNummerWinkel, &d.KartonBreite, &d.KartonHoehe, &d.Probe, &d.BandVorschub, &d.HinterGrundBildDatei,
            &d.ZoomZentrumX, &d.ZoomZentrumY, &d.ZoomLevels, &d.OffsetX, &d.OffsetY, &d.DateiName})
        *field = in.tagged();
}

void readWaffe(ItemReader& in, WaffenDaten& d)
{
    in.skip();
    for (TaggedValue* field :
        {&d.Bezeichnung, &d.KennNummer, &d.AnzeigeRadius, &d.Durchmesser, &d.Kaliber, &d.MikrofonEinstellung})
        *field = in.tagged();
}

void readKlasse(ItemReader& in, KlassenDaten& d)
{
    in.skip();
    for (TaggedValue* field : {&d.Bezeichnung, &d.KennNummer, &d.AlterMax, &d.AlterMin, &d.KlassenNummer})
        *field = in.tagged();
}

void readWettbewerb(ItemReader& in, WettbewerbsDaten& d)
{
    in.skip();
    for (TaggedValue* field :
        {&d.Bezeichnung, &d.KennNummer, &d.RegelNummer, &d.Zusatzfeld, &d.WertungsRadius, &d.MaximalerDurchmesser,
            &d.MinimalerDurchmesser, &d.SchussZahl, &d.ProbeSchuesse, &d.SchiessZeit, &d.ProbeZeit, &d.Wertung,
            &d.SchiessPosition, &d.Serienlaenge, &d.DateiWaffe, &d.DateiScheibe, &d.ZeitenAnzahl})
        *field = in.tagged();
    for (auto& zeit : d.Zeit)
        zeit = in.tagged();
    d.SchussAnzahl = in.tagged();
    for (auto& zahl : d.SchussZahlen)
        zahl = in.tagged();
    d.PositionsAnzahl = in.tagged();
    for (auto& position : d.Position)
        position = in.tagged();
    d.SerienAnzahl = in.tagged();
    for (auto& serie : d.Serien)
        serie = in.tagged();
}

void readTrailer(ItemReader& in)
{
    in.skip(2);
    in.byteValue();
    in.byteValue();
    in.skip();
    in.skip(); // truth value
}

void halve(TaggedValue& value)
{
    value = TaggedValue(value.toDouble() / 2);
}

} // namespace

namespace ResultsFile {

bool LadeErgebnisse(const QString& datei, TargetRecords& records)
{
    const std::optional<QString> path = FileLookup::findFile(datei);
    if (!path)
        return false;
    // The reader keeps the lock until it goes out of scope, whichever way
    // this function is left.
    SequentialReader reader(*path);
    if (!reader.open(true))
        return false;
    ItemReader in(reader);
    try {
        in.skip(2);
        records.SchuetzenName = in.tagged();
        for (auto& wert : records.Kopfwerte)
            wert = in.tagged();
        in.skip();
        readSatz(in, records.ProbeSatz, true);
        readMatchSatz(in, records.MatchSatz);
        readScheibe(in, records.Scheibe);
        readWaffe(in, records.Waffe);
        readKlasse(in, records.Klasse);
        readWettbewerb(in, records.Wettbewerb);
        readTrailer(in);
    } catch (const SequentialReadError&) {
        return false;
    }

    const SchussSatz& gewaehlt = records.MatchSatz.LetzterIndex >= 0 ? records.MatchSatz : records.ProbeSatz;
    if (gewaehlt.LetzterIndex == -1) {
        // The latest index is derived from the shot number; one that would
        // point outside the set is as bad as a wrong count in the file.
        const float abgeleitet = gewaehlt.SchussNummer - 1;
        if (!(abgeleitet >= -1 && abgeleitet <= kLetzterErlaubterIndex))
            return false;
    }

    ScheibenDaten& scheibe = records.Scheibe;
    for (TaggedValue* length : {&scheibe.Ringbreite, &scheibe.AussenRadius, &scheibe.SpiegelRadius,
             &scheibe.ZehnerRadius, &scheibe.InnenZehnerRadius, &scheibe.KartonBreite, &scheibe.KartonHoehe})
        halve(*length);
    halve(records.Waffe.AnzeigeRadius);

    records.AktuellerSatz = gewaehlt;
    if (records.AktuellerSatz.LetzterIndex == -1)
        records.AktuellerSatz.LetzterIndex = records.AktuellerSatz.SchussNummer - 1;
    return true;
}

} // namespace ResultsFile
