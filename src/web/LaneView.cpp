#include "web/LaneView.h"

#include "target/TargetLabels.h"
#include "target/TargetPainter.h"
#include "web/LaneSnapshot.h"
#include "web/SvgCanvas.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace LaneView {

namespace {

// A window not laid out yet is drawn at the size of a small one.
constexpr int kFallbackPixels = 400;

} // namespace

QJsonObject render(const LaneSnapshot& snapshot)
{
    TargetModel model = snapshot.model;
    const Einstellungen& settings = snapshot.settings;
    const bool laidOut = snapshot.window.width() > 0 && snapshot.window.height() > 0;
    const QSize pixels = laidOut ? snapshot.window : QSize(kFallbackPixels, kFallbackPixels);

    model.zoomForPaint(settings);
    SvgCanvas canvas(pixels.width(), pixels.height());
    TargetPainter::ZeichneScheibe(canvas, model, settings, snapshot.palette);
    const TargetLabels::PaintTimeLabels paintTime = TargetLabels::paintTimeLabels(model, settings);
    const LabelCaptions& captions = model.captions;

    QJsonArray serien;
    for (std::size_t k = 0; k < captions.lblSerie.size(); ++k) {
        if (paintTime.serieVisible[k])
            serien.append(captions.lblSerie[k]);
    }
    // Only the square of the visible width shows the target; below it the
    // window has its labels.
    const double breite = model.SichtBreite;
    const QByteArray svg = TargetPainter::hasFace(model) ? canvas.document(breite, breite) : QByteArray();
    return QJsonObject {
        {QStringLiteral("nr"), snapshot.lane},
        {QStringLiteral("name"), captions.lblName},
        {QStringLiteral("ringwert"), captions.lblRingwert},
        {QStringLiteral("gesamt"), captions.lblGesamt},
        {QStringLiteral("schuss"), captions.lblSchussNr},
        {QStringLiteral("platz"), captions.lblPlatz},
        {QStringLiteral("serien"), serien},
        {QStringLiteral("probe"), model.probe()},
        {QStringLiteral("svg"), QString::fromUtf8(svg)},
    };
}

QByteArray json(const LaneSnapshot& snapshot)
{
    return QJsonDocument(render(snapshot)).toJson(QJsonDocument::Compact);
}

QByteArray message(const QList<QByteArray>& lanes)
{
    return "{\"t\":\"lanes\",\"lanes\":[" + lanes.join(',') + "]}";
}

} // namespace LaneView
