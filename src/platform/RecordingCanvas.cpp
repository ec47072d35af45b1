#include "platform/RecordingCanvas.h"

RecordingCanvas::RecordingCanvas(double pixelWidth, double pixelHeight)
    : m_pixelWidth(pixelWidth), m_pixelHeight(pixelHeight)
{
}

void RecordingCanvas::setScale(double unitsAcross)
{
    m_units = unitsAcross;
}

void RecordingCanvas::setFontSize(double points)
{
    m_fontSize = points;
}

void RecordingCanvas::filledBox(double x1, double y1, double x2, double y2)
{
    record(QStringLiteral("filledBox"), {x1, y1, x2, y2});
}

void RecordingCanvas::boxOutline(double x1, double y1, double x2, double y2)
{
    record(QStringLiteral("boxOutline"), {x1, y1, x2, y2});
}

void RecordingCanvas::line(double x1, double y1, double x2, double y2)
{
    record(QStringLiteral("line"), {x1, y1, x2, y2});
}

void RecordingCanvas::circle(double cx, double cy, double radius)
{
    record(QStringLiteral("circle"), {cx, cy, radius});
}

void RecordingCanvas::shotCircle(double cx, double cy, double radius, double angleRadians)
{
    record(QStringLiteral("shotCircle"), {cx, cy, radius, angleRadians});
}

void RecordingCanvas::text(double x, double y, const QString& text)
{
    record(QStringLiteral("text"), {x, y}, text);
}

double RecordingCanvas::textWidth(const QString& text) const
{
    const double em = m_fontSize * 96.0 / 72.0;
    return double(text.size()) * 0.5 * em * unitsPerPixel();
}

double RecordingCanvas::textHeight(const QString&) const
{
    const double em = m_fontSize * 96.0 / 72.0;
    return 1.15 * em * unitsPerPixel();
}

QList<RecordingCanvas::Op> RecordingCanvas::ops(const QString& kind) const
{
    QList<Op> result;
    for (const Op& op : m_ops) {
        if (op.kind == kind)
            result.append(op);
    }
    return result;
}

void RecordingCanvas::record(const QString& kind, QVector<double> args, const QString& text)
{
    Op op;
    op.kind = kind;
    op.args = std::move(args);
    op.text = text;
    op.pen = m_pen;
    op.fill = m_fill;
    op.fillStyle = m_fillStyle;
    op.penWidth = m_penWidth;
    op.fontSize = m_fontSize;
    op.bold = m_bold;
    m_ops.append(op);
}

double RecordingCanvas::unitsPerPixel() const
{
    if (m_units > 0 && m_pixelWidth > 0)
        return m_units / m_pixelWidth;
    return 1;
}
