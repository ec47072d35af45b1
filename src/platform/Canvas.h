#pragma once

#include <QColor>
#include <QString>

// Fill styles of filled shapes: 0 solid, 1 transparent (outline only), 2..7
// hatches. Numbers outside 0..7 draw as transparent.
enum class FillStyle {
    Solid = 0,
    Transparent = 1,
    Horizontal = 2,
    Vertical = 3,
    UpwardDiagonal = 4,
    DownwardDiagonal = 5,
    Cross = 6,
    DiagonalCross = 7,
};

FillStyle fillStyleFromNumber(int number);

// What the drawing code of the target window draws on. Coordinates are user
// units: setScale(width) makes the client width span `width` units and the
// client height width * (height / width) units, so units are square, with the
// origin at the top left and y growing downwards. Pen widths are in pixels,
// font sizes in points. The text colour is the pen colour; text is placed by
// its top left corner. Everything is drawn in copy mode.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setScale(double unitsAcross) = 0;
    // Client size in pixels.
    virtual double pixelWidth() const = 0;
    virtual double pixelHeight() const = 0;

    virtual void setPenColor(const QColor& color) = 0;
    virtual void setFillColor(const QColor& color) = 0;
    virtual void setFillStyle(FillStyle style) = 0;
    virtual void setPenWidth(int pixels) = 0;
    virtual void setFontSize(double points) = 0;
    // The size the font really has after setFontSize (a font may round it).
    virtual double fontSize() const = 0;
    virtual void setFontBold(bool bold) = 0;

    // Box from (x1, y1) to (x2, y2) filled solid in the pen colour.
    virtual void filledBox(double x1, double y1, double x2, double y2) = 0;
    // Outline of the box from (x1, y1) to (x2, y2) in the pen colour.
    virtual void boxOutline(double x1, double y1, double x2, double y2) = 0;
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    // Circle outline in the pen colour, filled by fill colour and fill style.
    virtual void circle(double cx, double cy, double radius) = 0;
    // A full disc whose arc starts and ends at angleRadians (counter-clockwise
    // from the positive x axis) with one radius line to the rim at that angle.
    virtual void shotCircle(double cx, double cy, double radius, double angleRadians) = 0;
    virtual void text(double x, double y, const QString& text) = 0;
    // Size of a text in the current font, in user units.
    virtual double textWidth(const QString& text) const = 0;
    virtual double textHeight(const QString& text) const = 0;
};
