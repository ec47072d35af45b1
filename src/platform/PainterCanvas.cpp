#include "platform/PainterCanvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{

// Fonts are sized for a 96-DPI device, whatever the device reports, so that a
// drawing looks the same in user units on every screen and in tests.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

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
    const double pixels = std::isfinite(points) ? points * kPixelsPerPoint : 1;
    m_font.setPixelSize(std::clamp(int(std::lround(pixels)), 1, 4000));
    m_painter.setFont(m_font);
}

double PainterCanvas::fontSize() const
{
    return double(m_font.pixelSize()) / kPixelsPerPoint;
}

void PainterCanvas::setFontBold(bool bold)
{
    m_font.setBold(bold);
    m_painter.setFont(m_font);
}

void PainterCanvas::filledBox(double x1, double y1, double x2, double y2)
{
    const QRectF rect = QRectF(QPointF(x1 * m_scale, y1 * m_scale), QPointF(x2 * m_scale, y2 * m_scale)).normalized();
    m_painter.fillRect(rect, m_pen);
}

void PainterCanvas::boxOutline(double x1, double y1, double x2, double y2)
{
    const QRectF rect = QRectF(QPointF(x1 * m_scale, y1 * m_scale), QPointF(x2 * m_scale, y2 * m_scale)).normalized();
    m_painter.setPen(QPen(m_pen, m_penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(rect);
}

void PainterCanvas::line(double x1, double y1, double x2, double y2)
{
    m_painter.setPen(QPen(m_pen, m_penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter.drawLine(QPointF(x1 * m_scale, y1 * m_scale), QPointF(x2 * m_scale, y2 * m_scale));
}

void PainterCanvas::circle(double cx, double cy, double radius)
{
    const double r = std::fabs(radius) * m_scale;
    m_painter.setPen(QPen(m_pen, m_penWidth));
    m_painter.setBrush(QBrush(m_fill, brushStyle(m_fillStyle)));
    m_painter.drawEllipse(QPointF(cx * m_scale, cy * m_scale), r, r);
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
    m_painter.setFont(m_font);
    m_painter.setPen(m_pen);
    const QFontMetricsF metrics(m_font, m_painter.device());
    double baseline = y * m_scale + metrics.ascent();
    for (const QString& row : text.split(QLatin1Char('\n'))) {
        m_painter.drawText(QPointF(x * m_scale, baseline), row);
        baseline += metrics.height();
    }
}

double PainterCanvas::textWidth(const QString& text) const
{
    const QFontMetricsF metrics(m_font, m_painter.device());
    double widest = 0;
    for (const QString& row : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(row));
    return widest / m_scale;
}

double PainterCanvas::textHeight(const QString& text) const
{
    const QFontMetricsF metrics(m_font, m_painter.device());
    return metrics.height() * lineCount(text) / m_scale;
}
