#pragma once

#include "platform/Canvas.h"

#include <QList>
#include <QStringList>
#include <QVector>

// A canvas that records every drawing call with the state in force, so that
// tests can check drawing order and parameters exactly. Text is measured with
// a fixed, simple metric (see textWidth) so results do not depend on fonts.
class RecordingCanvas : public Canvas {
public:
    struct Op {
        QString kind; // "filledBox", "boxOutline", "line", "circle", "shotCircle", "text"
        QVector<double> args; // coordinates as passed (radius last for circles, angle last for shotCircle)
        QString text; // for "text"
        QColor pen;
        QColor fill;
        FillStyle fillStyle = FillStyle::Solid;
        int penWidth = 1;
        double fontSize = 0;
        bool bold = false;
    };

    // The device the canvas pretends to draw on, in pixels, at 96 DPI.
    explicit RecordingCanvas(double pixelWidth = 400, double pixelHeight = 400);

    void setScale(double unitsAcross) override;
    double pixelWidth() const override { return m_pixelWidth; }
    double pixelHeight() const override { return m_pixelHeight; }
    void setPenColor(const QColor& color) override { m_pen = color; }
    void setFillColor(const QColor& color) override { m_fill = color; }
    void setFillStyle(FillStyle style) override { m_fillStyle = style; }
    void setPenWidth(int pixels) override { m_penWidth = pixels; }
    void setFontSize(double points) override;
    double fontSize() const override { return m_fontSize; }
    void setFontBold(bool bold) override { m_bold = bold; }
    void filledBox(double x1, double y1, double x2, double y2) override;
    void boxOutline(double x1, double y1, double x2, double y2) override;
    void line(double x1, double y1, double x2, double y2) override;
    void circle(double cx, double cy, double radius) override;
    void shotCircle(double cx, double cy, double radius, double angleRadians) override;
    void text(double x, double y, const QString& text) override;
    // Metric: a character is 0.5 em wide and a line 1.15 em high, where one em
    // is the font size in pixels at 96 DPI (points * 96 / 72), converted to
    // user units.
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;

    const QList<Op>& ops() const { return m_ops; }
    QList<Op> ops(const QString& kind) const;
    void clear() { m_ops.clear(); }
    double unitsAcross() const { return m_units; }

private:
    void record(const QString& kind, QVector<double> args, const QString& text = QString());
    double unitsPerPixel() const;

    double m_pixelWidth;
    double m_pixelHeight;
    double m_units = 0;
    QColor m_pen = Qt::black;
    QColor m_fill = Qt::black;
    FillStyle m_fillStyle = FillStyle::Transparent;
    int m_penWidth = 1;
    double m_fontSize = 8.25;
    bool m_bold = false;
    QList<Op> m_ops;
};
