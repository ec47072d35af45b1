#include "DefinitionPublisher.h"

#include "platform/FileLookup.h"
#include "platform/ProfileDocument.h"
#include "target/DefinitionFiles.h"

#include <QDir>
#include <QFile>

#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<QString, TaggedValue>>;

QString key(const char* name)
{
    return QLatin1String(name);
}

QString numbered(const char* name, int i)
{
    return QLatin1String(name) + QString::number(i + 1);
}

Entries wettbewerbEntries(const WettbewerbsDaten& d)
{
    Entries e {{key("Bezeichnung"), d.Bezeichnung}, {key("KennNummer"), d.KennNummer},
        {key("RegelNummer"), d.RegelNummer}, {key("WertungsRadius"), d.WertungsRadius},
        {key("MaximalerDurchmesser"), d.MaximalerDurchmesser}, {key("MinimalerDurchmesser"), d.MinimalerDurchmesser},
        {key("SchussZahl"), d.SchussZahl}, {key("ProbeSchuesse"), d.ProbeSchuesse}, {key("SchiessZeit"), d.SchiessZeit},
        {key("ProbeZeit"), d.ProbeZeit}, {key("Wertung"), d.Wertung}, {key("SchiessPosition"), d.SchiessPosition},
        {key("Serienlaenge"), d.Serienlaenge}, {key("DateiWaffe"), d.DateiWaffe}, {key("DateiScheibe"), d.DateiScheibe},
        {key("ZeitenAnzahl"), d.ZeitenAnzahl}};
    for (int i = 0; i < 4; ++i)
        e.emplace_back(numbered("Zeit", i), d.Zeit[static_cast<size_t>(i)]);
    e.emplace_back(key("SchussAnzahl"), d.SchussAnzahl);
    for (int i = 0; i < 4; ++i)
        e.emplace_back(numbered("SchussZahlen", i), d.SchussZahlen[static_cast<size_t>(i)]);
    e.emplace_back(key("PositionsAnzahl"), d.PositionsAnzahl);
    for (int i = 0; i < 4; ++i)
        e.emplace_back(numbered("Position", i), d.Position[static_cast<size_t>(i)]);
    e.emplace_back(key("SerienAnzahl"), d.SerienAnzahl);
    for (int i = 0; i < 4; ++i)
        e.emplace_back(numbered("Serien", i), d.Serien[static_cast<size_t>(i)]);
    return e;
}

Entries scheibeEntries(const ScheibenDaten& d)
{
    return {{key("Bezeichnung"), d.Bezeichnung}, {key("ScheibenArt"), d.ScheibenArt}, {key("KennNummer"), d.KennNummer},
        {key("AussenRadius"), d.AussenRadius}, {key("SpiegelRadius"), d.SpiegelRadius},
        {key("ZehnerRadius"), d.ZehnerRadius}, {key("ZehnerRingStyle"), d.ZehnerRingStyle},
        {key("InnenZehnerRadius"), d.InnenZehnerRadius}, {key("InnenZehnerRingStyle"), d.InnenZehnerRingStyle},
        {key("InnenKreuzRadius"), d.InnenKreuzRadius}, {key("InnenKreuzWinkel"), d.InnenKreuzWinkel},
        {key("VorhalteSpiegelRadius"), d.VorhalteSpiegelRadius}, {key("VorhalteAbstand"), d.VorhalteAbstand},
        {key("Ringbreite"), d.Ringbreite}, {key("RingMin"), d.RingMin}, {key("RingMax"), d.RingMax},
        {key("RingAnzahl"), d.RingAnzahl}, {key("RingNummerWinkel"), d.RingNummerWinkel},
        {key("KartonBreite"), d.KartonBreite}, {key("KartonHoehe"), d.KartonHoehe}, {key("Probe"), d.Probe},
        {key("BandVorschub"), d.BandVorschub}, {key("OffsetX"), d.OffsetX}, {key("OffsetY"), d.OffsetY},
        {key("ZoomZentrumX"), d.ZoomZentrumX}, {key("ZoomZentrumY"), d.ZoomZentrumY}, {key("ZoomLevels"), d.ZoomLevels},
        {key("HinterGrundBildDatei"), d.HinterGrundBildDatei}, {key("DateiName"), d.DateiName}};
}

Entries waffeEntries(const WaffenDaten& d)
{
    return {{key("Bezeichnung"), d.Bezeichnung}, {key("KennNummer"), d.KennNummer},
        {key("AnzeigeRadius"), d.AnzeigeRadius}, {key("Durchmesser"), d.Durchmesser}, {key("Kaliber"), d.Kaliber},
        {key("MikrofonEinstellung"), d.MikrofonEinstellung}};
}

bool writeProfile(const QString& exchangeDir, const QString& name, const QString& section, const Entries& entries)
{
    const auto path = FileLookup::resolveInside(exchangeDir, name);
    if (!path)
        return false;
    QDir().mkpath(QFileInfo(*path).absolutePath());
    // A fresh document: the file is replaced as a whole, never merged.
    ProfileDocument document(*path);
    for (const auto& [k, value] : entries)
        document.writeString(section, k, value.toString());
    return document.save();
}

QString sectionOf(const QString& path)
{
    ProfileDocument document(path);
    document.load();
    for (const char* section : {"XWettbewerb", "Rscheibe", "XWaffe"}) {
        if (document.hasKey(QLatin1String(section), QStringLiteral("Bezeichnung"))
            || document.hasKey(QLatin1String(section), QStringLiteral("KennNummer")))
            return QLatin1String(section);
    }
    return {};
}

} // namespace

namespace DefinitionPublisher {

bool publish(const QString& exchangeDir, const Discipline& discipline)
{
    return writeProfile(exchangeDir, discipline.wettbewerbDatei, QStringLiteral("XWettbewerb"),
               wettbewerbEntries(discipline.wettbewerb))
        && writeProfile(
            exchangeDir, discipline.scheibeDatei, QStringLiteral("Rscheibe"), scheibeEntries(discipline.scheibe))
        && writeProfile(exchangeDir, discipline.waffeDatei, QStringLiteral("XWaffe"), waffeEntries(discipline.waffe));
}

std::optional<Discipline> fromDirectory(const QString& sourceDir, const QString& exchangeDir, QString& error)
{
    const QDir source(sourceDir);
    const QStringList files = source.entryList(QDir::Files | QDir::Readable, QDir::Name);
    QString wettbewerb, scheibe, waffe;
    for (const QString& file : files) {
        const QString section = sectionOf(source.filePath(file));
        if (section == QLatin1String("XWettbewerb") && wettbewerb.isEmpty())
            wettbewerb = file;
        else if (section == QLatin1String("Rscheibe") && scheibe.isEmpty())
            scheibe = file;
        else if (section == QLatin1String("XWaffe") && waffe.isEmpty())
            waffe = file;
    }
    if (wettbewerb.isEmpty() || scheibe.isEmpty() || waffe.isEmpty()) {
        error = QStringLiteral("%1 lacks a competition, target or weapon profile file").arg(sourceDir);
        return std::nullopt;
    }

    Discipline d = Discipline::builtIn().first();
    d.kurzname = QFileInfo(wettbewerb).completeBaseName();
    DefinitionFiles::HD_Laden(source.filePath(wettbewerb), d.wettbewerb);
    DefinitionFiles::HS_Laden(source.filePath(scheibe), d.scheibe);
    DefinitionFiles::HW_Laden(source.filePath(waffe), d.waffe);
    const double ringbreite = d.scheibe.Ringbreite.toDouble();
    d.sigmaBest = 0.45 * ringbreite;
    d.sigmaWorst = 1.8 * ringbreite;

    const QString target = FileLookup::join(exchangeDir, QStringLiteral("Definitionen"));
    QDir().mkpath(target);
    for (const QString& file : {wettbewerb, scheibe, waffe}) {
        const QString copy = FileLookup::join(target, file);
        if (QFileInfo(copy).absoluteFilePath() == QFileInfo(source.filePath(file)).absoluteFilePath())
            continue;
        QFile::remove(copy);
        if (!QFile::copy(source.filePath(file), copy)) {
            error = QStringLiteral("cannot copy %1 to %2").arg(file, target);
            return std::nullopt;
        }
    }
    d.wettbewerbDatei = QStringLiteral("Definitionen\\") + wettbewerb;
    d.scheibeDatei = QStringLiteral("Definitionen\\") + scheibe;
    d.waffeDatei = QStringLiteral("Definitionen\\") + waffe;
    return d;
}

} // namespace DefinitionPublisher
