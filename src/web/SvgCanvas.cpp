#include "web/SvgCanvas.h"

#include "platform/FontSize.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

// Spacing of hatch lines, in window pixels.
constexpr double kHatchPixels = 8;

QByteArray num(double value)
{
    if (!std::isfinite(value))
        return QByteArrayLiteral("0");
    QByteArray text = QByteArray::number(value, 'f', 1);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text == "-0" ? QByteArrayLiteral("0") : text;
}

QByteArray colour(const QColor& color)
{
    return color.name(QColor::HexRgb).toLatin1();
}

QByteArray escaped(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

} // namespace

SvgCanvas::SvgCanvas(double pixelWidth, double pixelHeight)
    : m_pixelWidth(pixelWidth), m_pixelHeight(pixelHeight), m_font(QStringLiteral("Arial"))
{
    m_font.setStyleHint(QFont::SansSerif);
    setFontSize(8.25);
}

QByteArray SvgCanvas::document(double width, double height) const
{
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + num(width) + ' ' + num(height)
        + "\" xml:space=\"preserve\" font-family=\"Arial,'Liberation Sans',Helvetica,sans-serif\">";
    if (!m_defs.isEmpty())
        svg += "<defs>" + m_defs + "</defs>";
    return svg + m_body + (m_paint.isNull() ? "" : "</g>") + "</svg>";
}

void SvgCanvas::setScale(double unitsAcross)
{
    m_scale = (unitsAcross > 0 && m_pixelWidth > 0) ? m_pixelWidth / unitsAcross : 1;
}

void SvgCanvas::setPenWidth(int pixels)
{
    m_penWidth = std::max(1, pixels);
}

void SvgCanvas::setFontSize(double points)
{
    const int size = FontSize::toPixels(points);
    if (size == m_font.pixelSize())
        return;
    m_font.setPixelSize(size);
    m_metrics.reset();
}

double SvgCanvas::fontSize() const
{
    return FontSize::toPoints(m_font.pixelSize());
}

void SvgCanvas::setFontBold(bool bold)
{
    if (bold == m_font.bold())
        return;
    m_font.setBold(bold);
    m_metrics.reset();
}

// Fitting the ring numbers measures up to 60 sizes for every lane drawn: the
// metrics of each size are kept for the thread that draws.
const QFontMetricsF& SvgCanvas::metrics() const
{
    if (!m_metrics) {
        thread_local QHash<int, QFontMetricsF> measured;
        const int key = m_font.pixelSize() * 2 + (m_font.bold() ? 1 : 0);
        auto it = measured.constFind(key);
        if (it == measured.constEnd())
            it = measured.insert(key, QFontMetricsF(m_font));
        m_metrics.emplace(*it);
    }
    return *m_metrics;
}

QByteArray SvgCanvas::stroke() const
{
    return " stroke=\"" + colour(m_pen) + "\" stroke-width=\"" + num(units(m_penWidth)) + '"';
}

// Elements that follow one another with the same paint share one group that
// carries it: a face's ring numbers then cost a position each.
void SvgCanvas::add(const QByteArray& paint, const QByteArray& element)
{
    if (paint != m_paint) {
        if (!m_paint.isNull())
            m_body += "</g>";
        m_body += "<g" + paint + '>';
        m_paint = paint;
    }
    m_body += element;
}

QByteArray SvgCanvas::box(double x1, double y1, double x2, double y2)
{
    return "<rect x=\"" + num(std::min(x1, x2)) + "\" y=\"" + num(std::min(y1, y2)) + "\" width=\""
        + num(std::fabs(x2 - x1)) + "\" height=\"" + num(std::fabs(y2 - y1)) + "\"/>";
}

void SvgCanvas::filledBox(double x1, double y1, double x2, double y2)
{
    add(" fill=\"" + colour(m_pen) + '"', box(x1, y1, x2, y2));
}

void SvgCanvas::boxOutline(double x1, double y1, double x2, double y2)
{
    add(" fill=\"none\"" + stroke() + " stroke-linejoin=\"miter\"", box(x1, y1, x2, y2));
}

void SvgCanvas::line(double x1, double y1, double x2, double y2)
{
    add(stroke() + " stroke-linecap=\"round\"",
        "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" + num(y2) + "\"/>");
}

// Hatches are patterns in user units, one per style and colour, with the
// window's line spacing.
QByteArray SvgCanvas::hatch(FillStyle style, const QColor& color)
{
    const QByteArray id = "h" + QByteArray::number(int(style)) + '-' + colour(color).mid(1);
    if (m_patterns.contains(id))
        return id;
    m_patterns.insert(id);
    const QByteArray s = num(units(kHatchPixels));
    const QByteArray w = num(units(1));
    const QByteArray horizontal = "<path d=\"M0 0H" + s + "\"/>";
    const QByteArray vertical = "<path d=\"M0 0V" + s + "\"/>";
    const QByteArray upward = "<path d=\"M0 " + s + "L" + s + " 0\"/>";
    const QByteArray downward = "<path d=\"M0 0L" + s + ' ' + s + "\"/>";
    QByteArray lines;
    switch (style) {
    case FillStyle::Horizontal:
        lines = horizontal;
        break;
    case FillStyle::Vertical:
        lines = vertical;
        break;
    case FillStyle::UpwardDiagonal:
        lines = upward;
        break;
    case FillStyle::DownwardDiagonal:
        lines = downward;
        break;
    case FillStyle::Cross:
        lines = horizontal + vertical;
        break;
    default:
        lines = upward + downward;
        break;
    }
    m_defs += "<pattern id=\"" + id + "\" patternUnits=\"userSpaceOnUse\" width=\"" + s + "\" height=\"" + s
        + "\"><g stroke=\"" + colour(color) + "\" stroke-width=\"" + w + "\">" + lines + "</g></pattern>";
    return id;
}

void SvgCanvas::circle(double cx, double cy, double radius)
{
    const double r = std::fabs(radius);
    const auto element = [cx, cy](double radius) {
        return "<circle cx=\"" + num(cx) + "\" cy=\"" + num(cy) + "\" r=\"" + num(radius) + "\"/>";
    };
    switch (m_fillStyle) {
    case FillStyle::Solid:
        if (m_fill == m_pen) {
            // One disc out to the outer edge of the outline, as the window fills it.
            add(" fill=\"" + colour(m_pen) + '"', element(r + units(m_penWidth / 2.0)));
            return;
        }
        add(" fill=\"" + colour(m_fill) + '"' + stroke(), element(r));
        return;
    case FillStyle::Transparent:
        add(" fill=\"none\"" + stroke(), element(r));
        return;
    default:
        add(" fill=\"url(#" + hatch(m_fillStyle, m_fill) + ")\"" + stroke(), element(r));
        return;
    }
}

void SvgCanvas::shotCircle(double cx, double cy, double radius, double angleRadians)
{
    circle(cx, cy, radius);
    // y grows downwards, angles count counter-clockwise.
    const double r = std::fabs(radius);
    add(stroke(),
        "<line x1=\"" + num(cx) + "\" y1=\"" + num(cy) + "\" x2=\"" + num(cx + r * std::cos(angleRadians)) + "\" y2=\""
            + num(cy - r * std::sin(angleRadians)) + "\"/>");
}

void SvgCanvas::text(double x, double y, const QString& text)
{
    const QFontMetricsF& m = metrics();
    double baseline = y + units(m.ascent());
    const QByteArray paint = " font-size=\"" + num(units(m_font.pixelSize())) + '"'
        + (m_font.bold() ? QByteArrayLiteral(" font-weight=\"bold\"") : QByteArray()) + " fill=\"" + colour(m_pen)
        + '"';
    for (const QString& row : text.split(QLatin1Char('\n'))) {
        add(paint, "<text x=\"" + num(x) + "\" y=\"" + num(baseline) + "\">" + escaped(row) + "</text>");
        baseline += units(m.height());
    }
}

double SvgCanvas::textWidth(const QString& text) const
{
    const QFontMetricsF& m = metrics();
    double widest = 0;
    for (const QString& row : text.split(QLatin1Char('\n')))
        widest = std::max(widest, m.horizontalAdvance(row));
    return units(widest);
}

double SvgCanvas::textHeight(const QString& text) const
{
    return units(metrics().height() * double(text.count(QLatin1Char('\n')) + 1));
}
