#include "target/ResultsFileWriter.h"

#include "platform/FileLookup.h"
#include "platform/SequentialFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace {

class ItemWriter {
public:
    explicit ItemWriter(SequentialWriter& writer) : m_writer(writer) { }

    // Nothing is written as an empty text, which reads back as equal.
    void tagged(const TaggedValue& value)
    {
        if (value.isNumber())
            m_writer.writeNumber(value.toDouble());
        else
            m_writer.writeText(value.toString());
    }

    // The shortest text that reads back as the same single, not the long
    // decimal expansion of its double.
    void single(float value)
    {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        *result.ptr = '\0';
        m_writer.writeNumber(std::strtod(buffer, nullptr));
    }

    void number(double value) { m_writer.writeNumber(value); }
    void text(const QString& value) { m_writer.writeText(value); }
    void truth(bool value) { m_writer.writeBool(value); }
    void end() { m_writer.endRecord(); }

private:
    SequentialWriter& m_writer;
};

void writeShots(ItemWriter& out, const SchussSatz& satz)
{
    for (int i = 0; i <= satz.LetzterIndex && i < SchussSatz::Groesse; ++i) {
        out.single(satz.ZusatzA[i]);
        out.single(satz.Ringwert[i]);
        out.text(satz.SchussText[i]);
        out.single(satz.PosX[i] * 2);
        out.single(satz.PosY[i] * 2);
        out.single(satz.ZusatzB[i]);
        out.single(satz.ZusatzC[i]);
        out.tagged(satz.ZusatzD[i]);
        out.single(satz.ZusatzE[i]);
        out.end();
    }
}

void writeSeries(ItemWriter& out, const SchussSatz& satz)
{
    for (int k = 0; k <= satz.SerienLetzter && k < SchussSatz::Groesse; ++k) {
        out.single(satz.SerienZusatz[k]);
        out.single(satz.SerienWert[k]);
        out.end();
    }
}

void writeProbeSatz(ItemWriter& out, const SchussSatz& satz)
{
    out.tagged(satz.KopfA);
    out.tagged(satz.KopfB);
    for (float value : {satz.KopfC, satz.SchussNummer, satz.Gesamt, satz.LetzterIndex, satz.KopfD, satz.KopfE,
             satz.KopfF, satz.MarkSchuss, satz.SerienLetzter, satz.AnzeigeSerie})
        out.single(value);
    out.number(satz.KopfG);
    out.end();
    writeShots(out, satz);
    writeSeries(out, satz);
}

void writeMatchSatz(ItemWriter& out, const SchussSatz& satz)
{
    out.text(QStringLiteral("Match"));
    out.single(satz.LetzterIndex);
    out.end();
    if (satz.LetzterIndex < 0)
        return;
    out.tagged(satz.KopfA);
    out.tagged(satz.KopfB);
    for (float value : {satz.KopfC, satz.SchussNummer, satz.Gesamt, satz.KopfD, satz.KopfE, satz.KopfF, satz.MarkSchuss,
             satz.SerienLetzter, satz.AnzeigeSerie})
        out.single(value);
    out.number(satz.KopfG);
    out.end();
    writeShots(out, satz);
    writeSeries(out, satz);
}

// The reader halves these lengths, so they travel doubled.
TaggedValue doubled(const TaggedValue& value)
{
    return TaggedValue(value.toDouble() * 2);
}

void writeScheibe(ItemWriter& out, const ScheibenDaten& d)
{
    out.text(QStringLiteral("Scheibe"));
    for (const TaggedValue& field : {d.Bezeichnung, d.ScheibenArt, d.KennNummer, doubled(d.AussenRadius),
             doubled(d.SpiegelRadius), doubled(d.ZehnerRadius), d.ZehnerRingStyle, doubled(d.InnenZehnerRadius),
             d.InnenZehnerRingStyle, d.InnenKreuzRadius, d.InnenKreuzWinkel, d.VorhalteSpiegelRadius, d.VorhalteAbstand,
             doubled(d.Ringbreite), d.RingMin, d.RingMax, d.RingAnzahl, d.RingNummerWinkel, doubled(d.KartonBreite),
             doubled(d.KartonHoehe), d.Probe, d.BandVorschub, d.HinterGrundBildDatei, d.ZoomZentrumX, d.ZoomZentrumY,
             d.ZoomLevels, d.OffsetX, d.OffsetY, d.DateiName})
        out.tagged(field);
    out.end();
}

void writeWaffe(ItemWriter& out, const WaffenDaten& d)
{
    out.text(QStringLiteral("Waffe"));
    for (const TaggedValue& field :
        {d.Bezeichnung, d.KennNummer, doubled(d.AnzeigeRadius), d.Durchmesser, d.Kaliber, d.MikrofonEinstellung})
        out.tagged(field);
    out.end();
}

void writeKlasse(ItemWriter& out, const KlassenDaten& d)
{
    out.text(QStringLiteral("Klasse"));
    for (const TaggedValue& field : {d.Bezeichnung, d.KennNummer, d.AlterMax, d.AlterMin, d.KlassenNummer})
        out.tagged(field);
    out.end();
}

void writeWettbewerb(ItemWriter& out, const WettbewerbsDaten& d)
{
    out.text(QStringLiteral("Wettbewerb"));
    for (const TaggedValue* field :
        {&d.Bezeichnung, &d.KennNummer, &d.RegelNummer, &d.Zusatzfeld, &d.WertungsRadius, &d.MaximalerDurchmesser,
            &d.MinimalerDurchmesser, &d.SchussZahl, &d.ProbeSchuesse, &d.SchiessZeit, &d.ProbeZeit, &d.Wertung,
            &d.SchiessPosition, &d.Serienlaenge, &d.DateiWaffe, &d.DateiScheibe, &d.ZeitenAnzahl})
        out.tagged(*field);
    for (const auto& zeit : d.Zeit)
        out.tagged(zeit);
    out.tagged(d.SchussAnzahl);
    for (const auto& zahl : d.SchussZahlen)
        out.tagged(zahl);
    out.tagged(d.PositionsAnzahl);
    for (const auto& position : d.Position)
        out.tagged(position);
    out.tagged(d.SerienAnzahl);
    for (const auto& serie : d.Serien)
        out.tagged(serie);
    out.end();
}

void writeAll(ItemWriter& out, const TargetRecords& records)
{
    out.text(QStringLiteral("Ergebnisse"));
    out.number(1);
    out.end();
    out.tagged(records.SchuetzenName);
    for (const auto& wert : records.Kopfwerte)
        out.tagged(wert);
    out.end();
    out.text(QStringLiteral("Probe"));
    out.end();
    writeProbeSatz(out, records.ProbeSatz);
    writeMatchSatz(out, records.MatchSatz);
    writeScheibe(out, records.Scheibe);
    writeWaffe(out, records.Waffe);
    writeKlasse(out, records.Klasse);
    writeWettbewerb(out, records.Wettbewerb);
    // Trailer: two markers, two byte values, a marker and a flag, which the
    // display reads and does not use.
    out.text(QStringLiteral("Ende"));
    out.number(0);
    out.number(0);
    out.number(0);
    out.text(QString());
    out.truth(false);
    out.end();
}

} // namespace

namespace ResultsFileWriter {

bool write(const QString& datei, const TargetRecords& records)
{
    const QString target = FileLookup::findFile(datei).value_or(datei);
    const QFileInfo info(target);
    QString temporary;
    {
        // Reserve a unique name beside the target; the sequential writer
        // then fills it.
        QTemporaryFile reservation(
            info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
        reservation.setAutoRemove(false);
        if (!reservation.open())
            return false;
        temporary = reservation.fileName();
    }

    SequentialWriter writer(temporary);
    if (!writer.open()) {
        QFile::remove(temporary);
        return false;
    }
    ItemWriter out(writer);
    writeAll(out, records);
    if (!writer.close()) {
        QFile::remove(temporary);
        return false;
    }

    // POSIX rename replaces the target in one step; where renaming over an
    // existing file is refused, the old file is moved aside first and put
    // back if the new one cannot take its place.
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    const QString aside = temporary + QStringLiteral(".alt");
    const bool hadTarget = QFile::exists(target);
    if (hadTarget && !QFile::rename(target, aside)) {
        QFile::remove(temporary);
        return false;
    }
    if (!QFile::rename(temporary, target)) {
        if (hadTarget)
            QFile::rename(aside, target);
        QFile::remove(temporary);
        return false;
    }
    if (hadTarget)
        QFile::remove(aside);
    return true;
}

} // namespace ResultsFileWriter
