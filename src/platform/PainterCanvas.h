#pragma once

#include "platform/Canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPen>

#include <optional>

class QPainter;
class QPaintDevice;

// The canvas on a real paint device (a widget or a QImage), antialiased.
// The font family is Arial (Liberation Sans where Arial is missing).
class PainterCanvas : public Canvas {
public:
    PainterCanvas(QPainter& painter, double pixelWidth, double pixelHeight);

    void setScale(double unitsAcross) override;
    double pixelWidth() const override { return m_pixelWidth; }
    double pixelHeight() const override { return m_pixelHeight; }
    void setPenColor(const QColor& color) override;
    void setFillColor(const QColor& color) override;
    void setFillStyle(FillStyle style) override;
    void setPenWidth(int pixels) override;
    void setFontSize(double points) override;
    double fontSize() const override;
    void setFontBold(bool bold) override;
    void filledBox(double x1, double y1, double x2, double y2) override;
    void boxOutline(double x1, double y1, double x2, double y2) override;
    void line(double x1, double y1, double x2, double y2) override;
    void circle(double cx, double cy, double radius) override;
    void shotCircle(double cx, double cy, double radius, double angleRadians) override;
    void text(double x, double y, const QString& text) override;
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;

private:
    // Metrics of the current font, measured once per font rather than per
    // call: fitting the ring numbers tries many sizes and measures each.
    const QFontMetricsF& metrics() const;
    void useFont();
    void disc(const QPointF& centre, double radius, const QColor& color);
    QRectF box(double x1, double y1, double x2, double y2) const;
    static QRect snapped(const QRectF& rect);
    void fillPixelBox(const QRect& rect, const QColor& color);

    QPainter& m_painter;
    double m_pixelWidth;
    double m_pixelHeight;
    double m_scale = 1; // pixels per unit
    QColor m_pen = Qt::black;
    QColor m_fill = Qt::black;
    FillStyle m_fillStyle = FillStyle::Transparent;
    int m_penWidth = 1;
    QFont m_font;
    bool m_fontInPainter = false;
    mutable std::optional<QFontMetricsF> m_metrics;
};
