#include "target/TargetPainter.h"

#include "platform/Canvas.h"
#include "platform/VbNumbers.h"
#include "shell/Einstellungen.h"
#include "target/TargetLabels.h"
#include "target/TargetModel.h"
#include "target/TargetZoom.h"

#include <QPalette>

#include <algorithm>
#include <cmath>
#include <optional>

namespace TargetPainter {

namespace {

const QColor Schwarz(0, 0, 0);
const QColor Gruen(0, 255, 0);
const QColor Rot(255, 0, 0);
const QColor Gelb(255, 255, 0);
const QColor Blau(0, 0, 255);

// Strokes of the sighting corner; a card so large that it would need more is
// drawn with wider steps instead of stalling the repaint.
constexpr double MaxEckStriche = 10000;

FillStyle fuellArt(double zahl)
{
    const auto gerundet = VbNumbers::toInt32(zahl);
    return fillStyleFromNumber(gerundet ? *gerundet : static_cast<int>(FillStyle::Transparent));
}

std::optional<std::size_t> index(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double i = VbNumbers::roundHalfEven(value);
    if (i < 0 || i > SchussSatz::Groesse - 1)
        return std::nullopt;
    return static_cast<std::size_t>(i);
}

struct Ringschrift {
    bool druckbar = false;
    double w8 = 0;
    double h8 = 0;
};

EarlierShots fruehereSammeln(const TargetModel& m, const Einstellungen& s)
{
    EarlierShots shots;
    const SchussSatz& satz = m.records.AktuellerSatz;
    if (!(satz.SchussNummer > 0) || s.Trefferkreuze != 1)
        return shots;
    shots.anzeigeRadius = m.records.Waffe.AnzeigeRadius.toDouble();
    shots.vergroessert = s.TrefferVergroessern == 1;
    shots.kreise = s.Trefferkreise == 1;
    shots.nummeriert = s.Nummeriert == 1;
    const double serienlaenge = m.records.Wettbewerb.Serienlaenge.toDouble();
    const double letzter = satz.LetzterIndex;
    double erster = 0;
    double bis = letzter;
    if (s.SerienAnzeige == 1) {
        erster = serienlaenge * satz.AnzeigeSerie;
        bis = erster + serienlaenge > satz.SchussNummer ? letzter : erster + serienlaenge - 1;
    }
    if (erster < 0)
        erster += std::ceil(-erster);
    bis = std::min(bis, static_cast<double>(SchussSatz::Groesse - 1));
    for (double i = erster; i <= bis; ++i) {
        if (i == letzter)
            continue;
        if (const auto k = index(i)) {
            const bool markiert = shots.kreise && i == satz.MarkSchuss && satz.MarkSchuss != satz.LetzterIndex;
            shots.marks.push_back({i, m.MitteX + satz.PosX[*k], m.MitteY - satz.PosY[*k], markiert});
        }
    }
    return shots;
}

class Zeichner {
public:
    Zeichner(Canvas& canvas, TargetModel& model, const Einstellungen& settings, const QPalette& palette)
        : c(canvas), m(model), s(settings), scheibe(model.records.Scheibe), karte(palette.color(QPalette::ToolTipBase)),
          knopf(palette.color(QPalette::Button))
    {
    }

    FaceResult face()
    {
        if (!hasFace(m)) {
            c.setScale(1);
            c.setFillStyle(FillStyle::Solid);
            c.setPenColor(knopf);
            c.setFillColor(knopf);
            c.filledBox(0, 0, 1, hoehe());
            return {false, c.fontSize()};
        }
        c.setScale(m.SichtBreite);
        c.setFontBold(false);
        flaeche();
        return {schrift.druckbar, c.fontSize()};
    }

    void overlay(const FaceResult& face, bool fruehereGezeichnet)
    {
        if (!hasFace(m)) {
            TargetLabels::TextBelegen(m, s);
            return;
        }
        ueberFlaeche(face);
        schuesse(fruehereGezeichnet);
        rahmen();
        TargetLabels::TextBelegen(m, s);
    }

    void fruehere(const FaceResult& face, const EarlierShots& shots, std::size_t ab)
    {
        if (!hasFace(m))
            return;
        ueberFlaeche(face);
        fruehereZeichnen(shots, ab);
    }

private:
    // The state the face leaves behind is set again, so that what is drawn
    // over it draws the same on a canvas of its own.
    void ueberFlaeche(const FaceResult& face)
    {
        c.setScale(m.SichtBreite);
        c.setFontBold(false);
        c.setFontSize(face.fontSize);
        c.setPenWidth(1);
        schrift.druckbar = face.ringNumbersFit;
    }

    double hoehe() const { return c.pixelWidth() > 0 ? c.pixelHeight() / c.pixelWidth() : 1; }

    void flaeche()
    {
        const double rand = m.Rand;
        const double groesse = m.KartonGroesse;
        c.setPenColor(karte);
        c.setFillColor(karte);
        c.setFillStyle(FillStyle::Solid);
        c.filledBox(rand, rand, rand + groesse, rand + groesse);

        schriftWaehlen();

        const double spiegel = scheibe.SpiegelRadius.toDouble();
        c.setPenColor(Schwarz);
        c.setFillColor(Schwarz);
        c.setFillStyle(FillStyle::Solid);
        c.circle(m.MitteX, m.MitteY, spiegel);

        const double innenZehner = scheibe.InnenZehnerRadius.toDouble();
        if (innenZehner > 0) {
            c.setPenColor(karte);
            c.setFillColor(karte);
            c.setFillStyle(fuellArt(scheibe.InnenZehnerRingStyle.toDouble()));
            c.circle(m.MitteX, m.MitteY, innenZehner);
        }
        c.setPenColor(karte);
        c.setFillColor(karte);
        c.setFillStyle(fuellArt(scheibe.ZehnerRingStyle.toDouble()));
        c.circle(m.MitteX, m.MitteY, scheibe.ZehnerRadius.toDouble());

        if (m.probe())
            probeEcke();

        const double ringbreite = scheibe.Ringbreite.toDouble();
        c.setPenColor(karte);
        c.setFillColor(karte);
        c.setPenWidth(1);
        c.setFillStyle(FillStyle::Transparent);
        ringe([&](double r) { return r < spiegel + ringbreite; }, [&](double) { return true; });

        c.setPenColor(Schwarz);
        c.setFillColor(Schwarz);
        c.setFillStyle(FillStyle::Transparent);
        const double aussen = scheibe.AussenRadius.toDouble();
        ringe([&](double r) { return spiegel - ringbreite < r && r <= aussen; }, [&](double r) { return r > spiegel; });
    }

    void schriftWaehlen()
    {
        const QString zehn = VbNumbers::toPrintText(10);
        const double ringbreite = scheibe.Ringbreite.toDouble();
        double groesse = 60;
        for (int versuch = 60; versuch >= 1; --versuch) {
            c.setFontSize(versuch);
            if (c.textWidth(zehn) < ringbreite && c.textHeight(zehn) < ringbreite) {
                groesse = c.fontSize();
                schrift.druckbar = true;
                break;
            }
        }
        c.setFontSize(groesse);
        const QString acht = VbNumbers::toPrintText(8);
        schrift.w8 = c.textWidth(acht);
        schrift.h8 = c.textHeight(acht);
    }

    void probeEcke()
    {
        const double s5 = std::floor(m.KartonGroesse / 5);
        const double r = m.Rand;
        const double groesse = m.KartonGroesse;
        c.setPenColor(probeEckFarbe(s.FarbeProbeEcke));
        c.setPenWidth(25);
        const double schritt = std::max(25.0, std::ceil(s5 / MaxEckStriche));
        for (double i = 0; i <= s5; i += schritt) {
            const double x = std::floor(r + 4 * groesse / 5 + i);
            c.line(x, r, x, r + i);
        }
        c.line(std::floor(r + 4 * groesse / 5 - 50), r - 50, r + groesse + 50, r + s5 + 50);
        c.setPenWidth(1);
    }

    // One pass over the ring circles from the outermost in: a circle where
    // zeichnen says so, its number wherever imBereich holds.
    template<typename Bereich, typename Kreis> void ringe(Bereich imBereich, Kreis zeichnen)
    {
        const double anzahl = scheibe.RingAnzahl.toDouble();
        const double zehner = scheibe.ZehnerRadius.toDouble();
        const double ringbreite = scheibe.Ringbreite.toDouble();
        const double ringMin = scheibe.RingMin.toDouble();
        const double ringMax = scheibe.RingMax.toDouble();
        for (double i = std::min(anzahl, TargetZoom::MaxRingSteps) - 1; i >= 0; --i) {
            const double r = zehner + i * ringbreite;
            if (!imBereich(r))
                continue;
            if (zeichnen(r))
                c.circle(m.MitteX, m.MitteY, r);
            const double v = anzahl - i - 1;
            if (schrift.druckbar && ringMin <= v && v <= ringMax)
                ringNummer(v, r, ringbreite);
        }
    }

    void ringNummer(double v, double r, double ringbreite)
    {
        const QString text = VbNumbers::toPrintText(v);
        const double w8 = schrift.w8;
        const double h8 = schrift.h8;
        c.text(m.MitteX + r + 0.20 * w8, m.MitteY - 0.50 * h8, text);
        c.text(m.MitteX - r - ringbreite / 2 - 0.50 * w8, m.MitteY - 0.50 * h8, text);
        c.text(m.MitteX - 0.65 * w8, m.MitteY + r + 0.08 * h8, text);
        c.text(m.MitteX - 0.65 * w8, m.MitteY - r - ringbreite / 2 - 0.52 * h8, text);
    }

    double px(std::size_t i) const { return m.MitteX + m.records.AktuellerSatz.PosX[i]; }
    double py(std::size_t i) const { return m.MitteY - m.records.AktuellerSatz.PosY[i]; }

    void kreuz(double x, double y, double arm)
    {
        c.line(x - arm, y, x + arm, y);
        c.line(x, y - arm, x, y + arm);
    }

    void vergroessert(double x, double y, const QColor& farbe, double ringbreite)
    {
        c.setPenColor(farbe);
        c.setFillColor(farbe);
        c.setPenWidth(2);
        c.setFillStyle(FillStyle::Solid);
        c.circle(x, y, ringbreite + 1);
        c.setPenWidth(1);
        kreuz(x, y, ringbreite);
    }

    void schuesse(bool fruehereGezeichnet)
    {
        SchussSatz& satz = m.records.AktuellerSatz;
        if (!(satz.SchussNummer > 0))
            return;
        const double ar = m.records.Waffe.AnzeigeRadius.toDouble();
        const double rb = scheibe.Ringbreite.toDouble();
        const double letzter = satz.LetzterIndex;

        const bool fruehere = s.Trefferkreuze == 1;
        if (fruehere && !fruehereGezeichnet)
            fruehereZeichnen(fruehereSammeln(m, s), 0);

        const bool serieGezeigt = s.SerienAnzeige != 1 || satz.AnzeigeSerie == satz.SerienLetzter;
        if (serieGezeigt && letzter >= 0) {
            if (const auto l = index(letzter)) {
                if (s.TrefferVergroessern == 1)
                    vergroessert(px(*l), py(*l), Rot, rb);
                c.setPenColor(Gelb);
                c.setFillColor(Rot);
                c.setPenWidth(1);
                c.setFillStyle(FillStyle::Solid);
                c.shotCircle(px(*l), py(*l), ar + 1, SchussWinkel);
            }
        }

        if (fruehere) {
            c.setFontBold(false);
            c.setPenWidth(1);
        }

        if (letzter >= 0 && s.MittlereLage == 1) {
            TrefferDurchschnitt_Errechnen(satz, m.records.Wettbewerb);
            if (const auto n = index(satz.SchussNummer)) {
                c.setPenColor(Blau);
                c.setFillColor(Gelb);
                c.setFillStyle(FillStyle::Solid);
                c.circle(px(*n), py(*n), m.SichtBreite / 100 * 1.5);
            }
        }
    }

    void fruehereZeichnen(const EarlierShots& shots, std::size_t ab)
    {
        c.setPenColor(Gruen);
        c.setFillColor(Rot);
        c.setFillStyle(FillStyle::Solid);
        c.setPenWidth(3);
        c.setFontBold(true);
        const double rb = scheibe.Ringbreite.toDouble();
        for (std::size_t k = ab; k < shots.marks.size(); ++k)
            frueherSchuss(shots, shots.marks[k], rb);
    }

    void frueherSchuss(const EarlierShots& shots, const ShotMark& mark, double rb)
    {
        const double ar = shots.anzeigeRadius;
        if (shots.vergroessert)
            vergroessert(mark.x, mark.y, Gruen, rb);
        if (!shots.kreise) {
            c.setPenColor(Gruen);
            c.setFillColor(Gruen);
            kreuz(mark.x, mark.y, ar);
        } else {
            c.setPenColor(Gelb);
            c.setFillColor(mark.markiert ? Blau : Gruen);
            c.setPenWidth(1);
            c.setFillStyle(FillStyle::Solid);
            c.shotCircle(mark.x, mark.y, ar + 1, SchussWinkel);
        }
        if (shots.nummeriert && schrift.druckbar) {
            c.setPenColor(Gruen);
            c.setFontSize(10);
            const QString text = VbNumbers::toPrintText(mark.nummer + 1);
            if (shots.kreise)
                c.text(mark.x + ar, mark.y - ar, text);
            else
                c.text(mark.x + ar / 5, mark.y - 1.5 * ar, text);
        }
    }

    void rahmen()
    {
        const double rand = m.Rand;
        const double breite = m.SichtBreite;
        const double unten = breite * hoehe();
        c.setFillStyle(FillStyle::Solid);
        c.setPenColor(knopf);
        c.setFillColor(knopf);
        c.filledBox(0, 0, rand, unten);
        c.filledBox(0, 0, breite, rand);
        c.filledBox(breite - rand, 0, breite, unten);
        c.filledBox(0, breite - rand, breite, unten);
        c.setPenColor(Schwarz);
        c.setFillStyle(FillStyle::Transparent);
        c.boxOutline(rand, rand, breite - rand, breite - rand);
    }

    Canvas& c;
    TargetModel& m;
    const Einstellungen& s;
    const ScheibenDaten& scheibe;
    QColor karte;
    QColor knopf;
    Ringschrift schrift;
};

} // namespace

QColor probeEckFarbe(double farbeProbeEcke)
{
    const double gerundet = VbNumbers::roundHalfEven(farbeProbeEcke);
    if (!(gerundet > 0))
        return Schwarz;
    const auto rgb = static_cast<unsigned long long>(std::min(gerundet, static_cast<double>(0xFFFFFF)));
    return QColor(
        static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>((rgb >> 16) & 0xFF));
}

void ZeichneScheibe(Canvas& canvas, TargetModel& model, const Einstellungen& settings, const QPalette& palette)
{
    Zeichner zeichner(canvas, model, settings, palette);
    zeichner.overlay(zeichner.face(), false);
}

FaceResult drawFace(Canvas& canvas, TargetModel& model, const Einstellungen& settings, const QPalette& palette)
{
    return Zeichner(canvas, model, settings, palette).face();
}

void drawOverlay(Canvas& canvas, TargetModel& model, const Einstellungen& settings, const QPalette& palette,
    const FaceResult& face, bool earlierShotsDrawn)
{
    Zeichner(canvas, model, settings, palette).overlay(face, earlierShotsDrawn);
}

bool EarlierShots::continues(const EarlierShots& drawn) const
{
    if (drawn.marks.empty())
        return true;
    return anzeigeRadius == drawn.anzeigeRadius && vergroessert == drawn.vergroessert && kreise == drawn.kreise
        && nummeriert == drawn.nummeriert && drawn.marks.size() <= marks.size()
        && std::equal(drawn.marks.begin(), drawn.marks.end(), marks.begin());
}

EarlierShots earlierShots(const TargetModel& model, const Einstellungen& settings)
{
    return fruehereSammeln(model, settings);
}

void drawEarlierShots(Canvas& canvas, TargetModel& model, const Einstellungen& settings, const QPalette& palette,
    const FaceResult& face, const EarlierShots& shots, std::size_t from)
{
    Zeichner(canvas, model, settings, palette).fruehere(face, shots, from);
}

bool hasFace(const TargetModel& model)
{
    return model.SichtBreite > 0 && std::isfinite(model.SichtBreite);
}

FaceKey faceKey(const TargetModel& model, const Einstellungen& settings, const QPalette& palette)
{
    const ScheibenDaten& scheibe = model.records.Scheibe;
    FaceKey key;
    key.sichtBreite = model.SichtBreite;
    key.rand = model.Rand;
    key.kartonGroesse = model.KartonGroesse;
    key.mitteX = model.MitteX;
    key.mitteY = model.MitteY;
    key.spiegelRadius = scheibe.SpiegelRadius.toDouble();
    key.innenZehnerRadius = scheibe.InnenZehnerRadius.toDouble();
    key.innenZehnerRingStyle = scheibe.InnenZehnerRingStyle.toDouble();
    key.zehnerRadius = scheibe.ZehnerRadius.toDouble();
    key.zehnerRingStyle = scheibe.ZehnerRingStyle.toDouble();
    key.ringbreite = scheibe.Ringbreite.toDouble();
    key.aussenRadius = scheibe.AussenRadius.toDouble();
    key.ringAnzahl = scheibe.RingAnzahl.toDouble();
    key.ringMin = scheibe.RingMin.toDouble();
    key.ringMax = scheibe.RingMax.toDouble();
    key.probe = model.probe();
    key.farbeProbeEcke = settings.FarbeProbeEcke;
    key.karte = palette.color(QPalette::ToolTipBase).rgba();
    key.knopf = palette.color(QPalette::Button).rgba();
    return key;
}

void TrefferDurchschnitt_Errechnen(SchussSatz& satz, const WettbewerbsDaten& wettbewerb)
{
    satz.MittelRing = 0;
    satz.MittelX = 0;
    satz.MittelY = 0;
    if (!(satz.SchussNummer > 0))
        return;
    const bool zehntel = wettbewerb.Wertung.toDouble() != 0;
    for (std::size_t i = 0; i < SchussSatz::Groesse && static_cast<float>(i) <= satz.LetzterIndex; ++i) {
        satz.MittelRing += zehntel ? satz.Ringwert[i] : std::floor(satz.Ringwert[i]);
        satz.MittelX += satz.PosX[i];
        satz.MittelY += satz.PosY[i];
    }
    const float zehnfach = satz.MittelRing / satz.SchussNummer * 10;
    satz.MittelRing = static_cast<float>(std::floor(static_cast<double>(zehnfach) + 0.5) / 10);
    satz.MittelX = std::floor(satz.MittelX / satz.SchussNummer);
    satz.MittelY = std::floor(satz.MittelY / satz.SchussNummer);

    if (const auto n = index(satz.SchussNummer)) {
        satz.Ringwert[*n] = satz.MittelRing;
        satz.PosX[*n] = satz.MittelX;
        satz.PosY[*n] = satz.MittelY;
    }
}

} // namespace TargetPainter
