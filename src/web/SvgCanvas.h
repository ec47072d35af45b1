#pragma once

#include "platform/Canvas.h"

#include <QByteArray>
#include <QFont>
#include <QFontMetricsF>
#include <QSet>

#include <optional>

// A canvas that writes what is drawn on it as SVG elements in user units, in
// drawing order, so that a browser paints what a window of the given pixel
// size paints. Pen widths and font sizes, which the drawing code gives in
// pixels and points of that window, are turned into user units at its scale;
// text is measured with the window's font (Arial, whole pixel sizes) so that
// every choice made from a measurement comes out as in the window.
class SvgCanvas : public Canvas {
public:
    SvgCanvas(double pixelWidth, double pixelHeight);

    // The document showing the user-unit box from (0, 0) to (width, height).
    QByteArray document(double width, double height) const;

    void setScale(double unitsAcross) override;
    double pixelWidth() const override { return m_pixelWidth; }
    double pixelHeight() const override { return m_pixelHeight; }
    void setPenColor(const QColor& color) override { m_pen = color; }
    void setFillColor(const QColor& color) override { m_fill = color; }
    void setFillStyle(FillStyle style) override { m_fillStyle = style; }
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
    const QFontMetricsF& metrics() const;
    // A length of the window in pixels, in user units.
    double units(double pixels) const { return pixels / m_scale; }
    QByteArray stroke() const;
    void add(const QByteArray& paint, const QByteArray& element);
    static QByteArray box(double x1, double y1, double x2, double y2);
    QByteArray hatch(FillStyle style, const QColor& color);

    double m_pixelWidth;
    double m_pixelHeight;
    double m_scale = 1; // pixels per unit
    QColor m_pen = Qt::black;
    QColor m_fill = Qt::black;
    FillStyle m_fillStyle = FillStyle::Transparent;
    int m_penWidth = 1;
    QFont m_font;
    mutable std::optional<QFontMetricsF> m_metrics;
    QByteArray m_defs;
    QSet<QByteArray> m_patterns;
    QByteArray m_body;
    // The paint of the group open at the end of the body (null: none).
    QByteArray m_paint;
};
