#pragma once

#include "platform/Canvas.h"

#include <QFont>
#include <QPen>

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
    QPainter& m_painter;
    double m_pixelWidth;
    double m_pixelHeight;
    double m_scale = 1; // pixels per unit
    QColor m_pen = Qt::black;
    QColor m_fill = Qt::black;
    FillStyle m_fillStyle = FillStyle::Transparent;
    int m_penWidth = 1;
    QFont m_font;
};
