#include "platform/PainterCanvas.h"

#include "platform/FontSize.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

Qt::BrushStyle brushStyle(FillStyle style)
{
    switch (style) {
    case FillStyle::Solid:
        return Qt::SolidPattern;
    case FillStyle::Transparent:
        return Qt::NoBrush;
    case FillStyle::Horizontal:
        return Qt::HorPattern;
    case FillStyle::Vertical:
        return Qt::VerPattern;
    case FillStyle::UpwardDiagonal:
        return Qt::BDiagPattern;
    case FillStyle::DownwardDiagonal:
        return Qt::FDiagPattern;
    case FillStyle::Cross:
        return Qt::CrossPattern;
    case FillStyle::DiagonalCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::NoBrush;
}

int lineCount(const QString& text)
{
    return int(text.count(QLatin1Char('\n'))) + 1;
}

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, double pixelWidth, double pixelHeight)
    : m_painter(painter), m_pixelWidth(pixelWidth), m_pixelHeight(pixelHeight), m_font(QStringLiteral("Arial"))
{
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_font.setStyleHint(QFont::SansSerif);
    setFontSize(8.25);
}

void PainterCanvas::setScale(double unitsAcross)
{
    m_scale = (unitsAcross > 0 && m_pixelWidth > 0) ? m_pixelWidth / unitsAcross : 1;
}

void PainterCanvas::setPenColor(const QColor& color)
{
    m_pen = color;
}

void PainterCanvas::setFillColor(const QColor& color)
{
    m_fill = color;
}

void PainterCanvas::setFillStyle(FillStyle style)
{
    m_fillStyle = style;
}

void PainterCanvas::setPenWidth(int pixels)
{
    m_penWidth = std::max(1, pixels);
}

// Sizes snap to whole pixels, the way a font renderer sizes them; fontSize()
// reports the size that results.
void PainterCanvas::setFontSize(double points)
{
    const int size = FontSize::toPixels(points);
    if (size == m_font.pixelSize())
        return;
    m_font.setPixelSize(size);
    m_fontInPainter = false;
    m_metrics.reset();
}

double PainterCanvas::fontSize() const
{
    return FontSize::toPoints(m_font.pixelSize());
}

void PainterCanvas::setFontBold(bool bold)
{
    if (bold == m_font.bold())
        return;
    m_font.setBold(bold);
    m_fontInPainter = false;
    m_metrics.reset();
}

// The painter gets the font only when text is drawn.
void PainterCanvas::useFont()
{
    if (m_fontInPainter)
        return;
    m_painter.setFont(m_font);
    m_fontInPainter = true;
}

const QFontMetricsF& PainterCanvas::metrics() const
{
    if (!m_metrics)
        m_metrics.emplace(m_font, m_painter.device());
    return *m_metrics;
}

void PainterCanvas::filledBox(double x1, double y1, double x2, double y2)
{
    fillPixelBox(snapped(box(x1, y1, x2, y2)), m_pen);
}

void PainterCanvas::boxOutline(double x1, double y1, double x2, double y2)
{
    // A square-capped, mitre-joined outline is the band between the box grown
    // and the box shrunk by half the pen width: four boxes.
    const QRectF rect = box(x1, y1, x2, y2);
    const double half = m_penWidth / 2.0;
    const QRect outer = snapped(rect.adjusted(-half, -half, half, half));
    const QRect inner = snapped(rect.adjusted(half, half, -half, -half));
    if (rect.width() <= 2 * half || rect.height() <= 2 * half || inner.isEmpty()) {
        fillPixelBox(outer, m_pen);
        return;
    }
    fillPixelBox(QRect(QPoint(outer.left(), outer.top()), QPoint(outer.right(), inner.top() - 1)), m_pen);
    fillPixelBox(QRect(QPoint(outer.left(), inner.bottom() + 1), QPoint(outer.right(), outer.bottom())), m_pen);
    fillPixelBox(QRect(QPoint(outer.left(), inner.top()), QPoint(inner.left() - 1, inner.bottom())), m_pen);
    fillPixelBox(QRect(QPoint(inner.right() + 1, inner.top()), QPoint(outer.right(), inner.bottom())), m_pen);
}

QRectF PainterCanvas::box(double x1, double y1, double x2, double y2) const
{
    return QRectF(QPointF(x1 * m_scale, y1 * m_scale), QPointF(x2 * m_scale, y2 * m_scale)).normalized();
}

// Boxes stand parallel to the pixel grid: snapped to whole pixels they are
// filled row by row, where an antialiased box goes through the rasterizer
// (the masking frame of a large window costs several times as much that way).
// An edge moves by less than half a pixel.
QRect PainterCanvas::snapped(const QRectF& rect)
{
    const auto px = [](double v) { return int(std::clamp(std::round(v), -1e9, 1e9)); };
    return QRect(QPoint(px(rect.left()), px(rect.top())), QPoint(px(rect.right()) - 1, px(rect.bottom()) - 1));
}

void PainterCanvas::fillPixelBox(const QRect& rect, const QColor& color)
{
    if (rect.isEmpty())
        return;
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.fillRect(rect, color);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
}

void PainterCanvas::line(double x1, double y1, double x2, double y2)
{
    m_painter.setPen(QPen(m_pen, m_penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter.drawLine(QPointF(x1 * m_scale, y1 * m_scale), QPointF(x2 * m_scale, y2 * m_scale));
}

void PainterCanvas::disc(const QPointF& centre, double radius, const QColor& color)
{
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(color);
    m_painter.drawEllipse(centre, radius, radius);
}

void PainterCanvas::circle(double cx, double cy, double radius)
{
    const QPointF centre(cx * m_scale, cy * m_scale);
    const double r = std::fabs(radius) * m_scale;
    if (m_fillStyle == FillStyle::Solid) {
        // A solid circle is the disc out to the outer edge of its outline in
        // the pen colour with the inside of the outline on top in the fill
        // colour. Filling discs is much cheaper than stroking a wide outline
        // around a fill, and one disc does when both colours are the same.
        const double half = m_penWidth / 2.0;
        disc(centre, r + half, m_pen);
        if (m_fill != m_pen && r > half)
            disc(centre, r - half, m_fill);
        return;
    }
    m_painter.setPen(QPen(m_pen, m_penWidth));
    m_painter.setBrush(QBrush(m_fill, brushStyle(m_fillStyle)));
    m_painter.drawEllipse(centre, r, r);
}

void PainterCanvas::shotCircle(double cx, double cy, double radius, double angleRadians)
{
    circle(cx, cy, radius);
    // y grows downwards on the device, angles count counter-clockwise.
    const QPointF centre(cx * m_scale, cy * m_scale);
    const double r = std::fabs(radius) * m_scale;
    const QPointF rim(centre.x() + r * std::cos(angleRadians), centre.y() - r * std::sin(angleRadians));
    m_painter.setPen(QPen(m_pen, m_penWidth, Qt::SolidLine, Qt::FlatCap));
    m_painter.drawLine(centre, rim);
}

void PainterCanvas::text(double x, double y, const QString& text)
{
    useFont();
    m_painter.setPen(m_pen);
    const QFontMetricsF& m = metrics();
    double baseline = y * m_scale + m.ascent();
    for (const QString& row : text.split(QLatin1Char('\n'))) {
        m_painter.drawText(QPointF(x * m_scale, baseline), row);
        baseline += m.height();
    }
}

double PainterCanvas::textWidth(const QString& text) const
{
    const QFontMetricsF& m = metrics();
    double widest = 0;
    for (const QString& row : text.split(QLatin1Char('\n')))
        widest = std::max(widest, m.horizontalAdvance(row));
    return widest / m_scale;
}

double PainterCanvas::textHeight(const QString& text) const
{
    return metrics().height() * lineCount(text) / m_scale;
}
