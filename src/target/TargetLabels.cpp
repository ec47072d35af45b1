#include "target/TargetLabels.h"

#include "platform/VbNumbers.h"
#include "shell/Einstellungen.h"
#include "target/TargetModel.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace TargetLabels {

namespace {

// Index of a shot given as a single-precision count, when it lies inside the
// arrays.
std::optional<std::size_t> shotIndex(float value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double index = VbNumbers::roundHalfEven(value);
    if (index < 0 || index > SchussSatz::Groesse - 1)
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

} // namespace

QString numberText(double value)
{
    const QString point = QLocale().decimalPoint();
    return VbNumbers::toText(value, point.isEmpty() ? QLatin1Char('.') : point.at(0));
}

QString singleText(float value)
{
    // The shortest text that reads back as the same single, then as a double.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ec != std::errc())
        return numberText(value);
    return numberText(std::strtod(std::string(buffer, result.ptr).c_str(), nullptr));
}

void TextBelegen(TargetModel& model, const Einstellungen& settings)
{
    TargetRecords& records = model.records;
    LabelCaptions& captions = model.captions;
    const SchussSatz& satz = records.AktuellerSatz;

    if (!model.gTitelName.isEmpty()) {
        records.SchuetzenName = TaggedValue(model.gTitelName);
        model.gTitelName.clear();
    }
    captions.lblName = records.SchuetzenName.toString();
    captions.lblTitelName = captions.lblName;

    if (satz.SchussNummer <= 0) {
        captions.lblRingwert.clear();
        captions.lblGesamt.clear();
        captions.lblSchussNr.clear();
        captions.lblErgebnis.clear();
        for (QString& serie : captions.lblSerie)
            serie.clear();
    } else {
        if (const auto l = shotIndex(satz.LetzterIndex)) {
            const float ringwert = satz.Ringwert[*l];
            captions.lblRingwert
                = settings.ZehntelAnzeige == 1 ? singleText(ringwert) : numberText(std::floor(ringwert));
        }
        captions.lblGesamt = singleText(satz.Gesamt);
        const QString nummer = singleText(satz.SchussNummer);
        captions.lblSchussNr = settings.AusfAnzeige == 1 ? nummer + QStringLiteral(".Schuss")
                                                         : QStringLiteral("(") + nummer + QStringLiteral(")");
        for (std::size_t k = 0; k < captions.lblSerie.size() && static_cast<float>(k) <= satz.SerienLetzter; ++k)
            captions.lblSerie[k] = singleText(satz.SerienWert[k]);
    }

    if (!model.probe() && model.Platz >= 1) {
        captions.lblPlatz = QString::number(model.Platz)
            + (settings.AusfAnzeige == 1 ? QStringLiteral(".Platz") : QStringLiteral("."));
    } else {
        captions.lblPlatz.clear();
    }
}

PaintTimeLabels paintTimeLabels(const TargetModel& model, const Einstellungen& settings)
{
    PaintTimeLabels result;
    if (settings.SerienErgebnisse == 1) {
        const WettbewerbsDaten& wettbewerb = model.records.Wettbewerb;
        const auto schussZahl = VbNumbers::toInt32(wettbewerb.SchussZahl.toDouble());
        const auto serienlaenge = VbNumbers::toInt32(wettbewerb.Serienlaenge.toDouble());
        // A series length of 0 leaves no countable series: all stay hidden.
        if (schussZahl && serienlaenge && *serienlaenge != 0) {
            const long long n = static_cast<long long>(*schussZahl) / *serienlaenge;
            if (n >= 1 && n <= 6) {
                for (long long k = 0; k < n; ++k)
                    result.serieVisible[static_cast<std::size_t>(k)] = true;
            }
        }
    }
    result.ergebnisVisible = settings.Schnellanzeige != 0;
    result.titelNameVisible = settings.Schnellanzeige != 0;

    const SchussSatz& satz = model.records.AktuellerSatz;
    if (satz.LetzterIndex >= 0) {
        if (const auto l = shotIndex(satz.LetzterIndex))
            result.ergebnisText = singleText(satz.Ringwert[*l]) + QStringLiteral(" / ") + singleText(satz.Gesamt);
    }
    return result;
}

LabelLayout TextPositionieren(const LabelLayout& current, double sichtBreite, const Einstellungen& settings)
{
    LabelLayout layout = current;
    const double w = sichtBreite;
    const double m = 0.025 * w;

    layout.titelName.moveTop(0.96 * w - layout.titelName.height());
    layout.titelName.moveLeft(m);
    layout.titelName.setWidth(w - 2 * m);

    if (settings.Scheibenanzahl <= 6 && settings.chkEinZeilig == 0) {
        // Out of sight below the card.
        for (QRectF& serie : layout.serie)
            serie.moveTop(10 * w);
        for (QRectF* box : {&layout.name, &layout.ringwert, &layout.gesamt, &layout.schussNr, &layout.platz})
            box->moveTop(10 * w);
        return layout;
    }

    for (QRectF& serie : layout.serie)
        serie.moveTop(0.97 * w);
    layout.name.moveTop(layout.serie[0].top() + layout.serie[0].height() + m);
    layout.name.moveLeft(m);
    layout.ringwert.moveTop(layout.name.top() + layout.name.height() + m);
    layout.ringwert.moveLeft(m);
    layout.gesamt.moveTop(layout.ringwert.top());
    layout.gesamt.moveLeft(m + layout.ringwert.width());
    layout.gesamt.setWidth(0.85 * (w - layout.gesamt.left() - m));
    layout.schussNr.moveTop(layout.gesamt.top() + layout.gesamt.height() + m);
    layout.schussNr.moveLeft(m);
    layout.platz.moveTop(layout.schussNr.top());
    layout.platz.moveLeft(m + layout.schussNr.width());
    layout.platz.setWidth(0.85 * (w - layout.platz.left() - m));
    return layout;
}

} // namespace TargetLabels
