#include "web/LaneView.h"

#include "target/TargetLabels.h"
#include "web/LaneSnapshot.h"
#include "web/SvgCanvas.h"

namespace {

// A window not laid out yet is drawn at the size of a small one.
constexpr int kFallbackPixels = 400;

// A JSON string from UTF-8: quotes, backslashes and control characters
// escaped, everything else as it is.
QByteArray quoted(const QByteArray& utf8)
{
    QByteArray out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += "\\u00";
            out += "0123456789abcdef"[(c >> 4) & 0xf];
            out += "0123456789abcdef"[c & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

QByteArray quoted(const QString& text)
{
    return quoted(text.toUtf8());
}

} // namespace

void LaneView::update(const LaneSnapshot& snapshot)
{
    m_lane = snapshot.lane;
    snapshot.applyTo(m_model);
    const Einstellungen& settings = snapshot.look->settings;
    const QPalette& palette = snapshot.look->palette;
    const bool laidOut = snapshot.window.width() > 0 && snapshot.window.height() > 0;
    const QSize pixels = laidOut ? snapshot.window : QSize(kFallbackPixels, kFallbackPixels);

    m_model.zoomForPaint(settings);
    const bool hasFace = TargetPainter::hasFace(m_model);
    // Only the square of the visible width shows the target; below it the
    // window has its labels.
    const double breite = m_model.SichtBreite;
    const FaceCache face {TargetPainter::faceKey(m_model, settings, palette), pixels};
    m_faceChanged = !m_faceOf || m_faceOf->key != face.key || m_faceOf->pixels != face.pixels;
    if (m_faceChanged) {
        SvgCanvas canvas(pixels.width(), pixels.height());
        m_faceResult = TargetPainter::drawFace(canvas, m_model, settings, palette);
        m_face = hasFace ? canvas.document(breite, breite) : QByteArray();
        m_faceOf = face;
    }
    SvgCanvas marks(pixels.width(), pixels.height());
    TargetPainter::drawOverlay(marks, m_model, settings, palette, m_faceResult);
    m_marks = hasFace ? marks.document(breite, breite) : QByteArray();

    const TargetLabels::PaintTimeLabels paintTime = TargetLabels::paintTimeLabels(m_model, settings);
    const LabelCaptions& captions = m_model.captions;
    QByteArray serien;
    for (std::size_t k = 0; k < captions.lblSerie.size(); ++k) {
        if (paintTime.serieVisible[k])
            serien += (serien.isEmpty() ? "" : ",") + quoted(captions.lblSerie[k]);
    }
    m_labels = "\"nr\":" + QByteArray::number(m_lane) + ",\"name\":" + quoted(captions.lblName)
        + ",\"ringwert\":" + quoted(captions.lblRingwert) + ",\"gesamt\":" + quoted(captions.lblGesamt)
        + ",\"schuss\":" + quoted(captions.lblSchussNr) + ",\"platz\":" + quoted(captions.lblPlatz) + ",\"serien\":["
        + serien + "],\"probe\":" + (m_model.probe() ? "true" : "false");
}

QByteArray LaneView::json(bool withFace) const
{
    return '{' + m_labels + ",\"marks\":" + quoted(m_marks) + (withFace ? ",\"face\":" + quoted(m_face) : QByteArray())
        + '}';
}

QByteArray LaneView::message(const QList<QByteArray>& lanes)
{
    return "{\"t\":\"lanes\",\"lanes\":[" + lanes.join(',') + "]}";
}
