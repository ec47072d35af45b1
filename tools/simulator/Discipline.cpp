#include "Discipline.h"

#include <algorithm>

namespace {

TaggedValue n(std::int32_t value)
{
    return TaggedValue(value);
}

TaggedValue t(const char* text)
{
    return TaggedValue(QString::fromUtf8(text));
}

WettbewerbsDaten makeWettbewerb(const char* name, std::int32_t kennNummer, const char* regel, std::int32_t wertung,
    const char* waffe, const char* scheibe)
{
    WettbewerbsDaten d;
    d.Bezeichnung = t(name);
    d.KennNummer = n(kennNummer);
    d.RegelNummer = t(regel);
    d.WertungsRadius = n(225);
    d.MaximalerDurchmesser = n(450);
    d.MinimalerDurchmesser = n(450);
    d.SchussZahl = n(40);
    d.ProbeSchuesse = n(0);
    d.SchiessZeit = t("50 min");
    d.ProbeZeit = n(15);
    d.Wertung = n(wertung);
    d.SchiessPosition = t("stehend");
    d.Serienlaenge = n(10);
    d.DateiWaffe = t(waffe);
    d.DateiScheibe = t(scheibe);
    d.ZeitenAnzahl = n(1);
    d.Zeit = {t("50 min"), t(""), t(""), t("")};
    d.SchussAnzahl = n(1);
    d.SchussZahlen = {n(40), n(0), n(0), n(0)};
    d.PositionsAnzahl = n(1);
    d.Position = {t("stehend"), t(""), t(""), t("")};
    d.SerienAnzahl = n(1);
    d.Serien = {n(4), n(0), n(0), n(0)};
    return d;
}

struct Face {
    const char* name;
    std::int32_t art, aussen, spiegel, zehner, zehnerStyle, innenZehner, ringbreite, karton;
    const char* datei;
};

ScheibenDaten makeScheibe(const Face& f)
{
    ScheibenDaten d;
    d.Bezeichnung = t(f.name);
    d.ScheibenArt = n(f.art);
    d.KennNummer = n(f.art);
    d.AussenRadius = n(f.aussen);
    d.SpiegelRadius = n(f.spiegel);
    d.ZehnerRadius = n(f.zehner);
    d.ZehnerRingStyle = n(f.zehnerStyle);
    d.InnenZehnerRadius = n(f.innenZehner);
    d.InnenZehnerRingStyle = n(1);
    d.InnenKreuzRadius = n(0);
    d.InnenKreuzWinkel = n(0);
    d.VorhalteSpiegelRadius = n(0);
    d.VorhalteAbstand = n(0);
    d.Ringbreite = n(f.ringbreite);
    d.RingMin = n(1);
    d.RingMax = n(8);
    d.RingAnzahl = n(10);
    d.RingNummerWinkel = n(0);
    d.KartonBreite = n(f.karton);
    d.KartonHoehe = n(f.karton);
    d.Probe = n(-1);
    d.BandVorschub = n(0);
    d.HinterGrundBildDatei = t("");
    d.ZoomZentrumX = n(0);
    d.ZoomZentrumY = n(0);
    d.ZoomLevels = n(0);
    d.OffsetX = n(0);
    d.OffsetY = n(0);
    d.DateiName = t(f.datei);
    return d;
}

WaffenDaten makeWaffe(const char* name, std::int32_t kennNummer)
{
    WaffenDaten d;
    d.Bezeichnung = t(name);
    d.KennNummer = n(kennNummer);
    d.AnzeigeRadius = n(225);
    d.Durchmesser = n(450);
    d.Kaliber = n(450);
    d.MikrofonEinstellung = n(0);
    return d;
}

KlassenDaten makeKlasse()
{
    KlassenDaten d;
    d.Bezeichnung = t("Schützenklasse");
    d.KennNummer = n(10);
    d.AlterMax = n(45);
    d.AlterMin = n(21);
    d.KlassenNummer = n(10);
    d.RegelNummer = t("");
    return d;
}

} // namespace

int Discipline::schussZahl() const
{
    return std::clamp(static_cast<int>(wettbewerb.SchussZahl.toDouble()), 1, 120);
}

int Discipline::serienlaenge() const
{
    return std::clamp(static_cast<int>(wettbewerb.Serienlaenge.toDouble()), 1, 150);
}

QList<Discipline> Discipline::builtIn()
{
    Discipline lg;
    lg.kurzname = QStringLiteral("LG10");
    lg.disziplinNr = QStringLiteral("1.10");
    lg.rankingId = 1;
    lg.wettbewerb = makeWettbewerb("Luftgewehr 10 m", 110, "1.10", 1, "wd_lg.def", "sd_lg10.def");
    lg.scheibe = makeScheibe({"Luftgewehr 10 m", 1, 2275, 1525, 25, 0, 0, 250, 8000, "sd_lg10.def"});
    lg.waffe = makeWaffe("Luftgewehr 4,5 mm", 1);
    lg.klasse = makeKlasse();
    lg.sigmaBest = 110;
    lg.sigmaWorst = 420;

    Discipline lp;
    lp.kurzname = QStringLiteral("LP10");
    lp.disziplinNr = QStringLiteral("2.10");
    lp.rankingId = 2;
    lp.wettbewerb = makeWettbewerb("Luftpistole 10 m", 210, "2.10", 0, "wd_lp.def", "sd_lp10.def");
    lp.scheibe = makeScheibe({"Luftpistole 10 m", 2, 7775, 2975, 575, 1, 250, 800, 17000, "sd_lp10.def"});
    lp.waffe = makeWaffe("Luftpistole 4,5 mm", 2);
    lp.klasse = makeKlasse();
    lp.sigmaBest = 500;
    lp.sigmaWorst = 1500;

    QList<Discipline> all {lg, lp};
    for (Discipline& d : all) {
        d.wettbewerbDatei = QStringLiteral("Definitionen\\%1_Wettbewerb.ini").arg(d.kurzname);
        d.scheibeDatei = QStringLiteral("Definitionen\\%1_Scheibe.ini").arg(d.kurzname);
        d.waffeDatei = QStringLiteral("Definitionen\\%1_Waffe.ini").arg(d.kurzname);
    }
    return all;
}
