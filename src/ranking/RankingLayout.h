#pragma once

#include "ranking/RankingColumn.h"

#include <QString>
#include <QStringView>
#include <Qt>

#include <array>
#include <cstdint>
#include <vector>

struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct TwipsLine {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

struct RankingLabelGeometry {
    QString name;
    TwipsRect rect;
    double pointSize = 0;
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignLeft;
    QString caption;
};

// Geometry of the ranking window in twips: the design on its base size and
// the same design scaled to the main window, with as many rows as fit.
//
// The design's client area is 9600 x 7200 twips. The factors are taken
// against the design's outer size, which includes a window frame of 120 twips
// across and 360 down (caption bar and borders); with that height 21 rows
// (19 shooters a page) fit whatever the size of the main window.
class RankingLayout {
public:
    static constexpr double DesignClientWidth = 9600;
    static constexpr double DesignClientHeight = 7200;
    static constexpr double DesignOuterWidth = DesignClientWidth + 120;
    static constexpr double DesignOuterHeight = DesignClientHeight + 360;
    // Pen widths in pixels.
    static constexpr int TitleLinePixels = 2;
    static constexpr int RowLinePixels = 1;
    // Rows are indexed by a 16-bit count.
    static constexpr int MaxRowIndex = 32767;

    // The base layout: one (template) row, design font sizes.
    static RankingLayout design();

    // The design scaled to a main window of width x height twips: fx from the
    // width, two thirds of the height ratio as fy, so rows are flatter and one
    // and a half times as many fit; font sizes rounded half to even to whole
    // points (a size below 1 point is not taken: the font keeps its size);
    // rows added at the row pitch while they fit above the bottom edge.
    static RankingLayout fitted(double width, double height);

    float fx = 1;
    float fy = 1;
    // Title and header labels, in the order in which they are scaled.
    std::vector<RankingLabelGeometry> fixedLabels;
    // Row 0 of the twelve row-label arrays (name = array name).
    std::array<RankingLabelGeometry, RankingColumnCount> rowTemplates;
    TwipsLine lnTitel;
    TwipsLine lnZeile0;
    TwipsLine lnTrenner;
    // Row pitch d.
    double pitch = 0;
    // Highest row index.
    std::int16_t zeilen = 0;
    // Top of the labels of row r, r = 0 .. zeilen.
    std::vector<double> rowTops;
    // Y of separator line lnZeile r, r = 0 .. zeilen (0 and 1 coincide).
    std::vector<double> rowLineYs;

    // The fixed label of that name, or nullptr.
    const RankingLabelGeometry* fixedLabel(QStringView name) const;
    const RankingLabelGeometry& rowTemplate(RankingColumn column) const { return rowTemplates[std::size_t(column)]; }
};
