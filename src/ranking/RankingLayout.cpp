#include "ranking/RankingLayout.h"

#include "platform/VbNumbers.h"

namespace {

constexpr double HeaderPoints = 9.75;
constexpr double TitlePoints = 12;

RankingLabelGeometry label(
    QString name, TwipsRect rect, double points, bool bold, Qt::Alignment alignment, QString caption = {})
{
    return RankingLabelGeometry {std::move(name), rect, points, bold, alignment, std::move(caption)};
}

// In the order in which the window scales them.
std::vector<RankingLabelGeometry> designFixedLabels()
{
    std::vector<RankingLabelGeometry> labels;
    labels.push_back(label(QStringLiteral("lblRanlistenTitel"), {120, 120, 9375, 375}, TitlePoints, true, Qt::AlignLeft,
        QStringLiteral("Titel")));
    labels.push_back(label(QStringLiteral("lblBezLinieNr"), {4680, 600, 255, 255}, HeaderPoints, true, Qt::AlignLeft,
        QStringLiteral("L")));
    labels.push_back(label(QStringLiteral("lblBezName"), {480, 600, 2295, 255}, HeaderPoints, true, Qt::AlignLeft,
        QStringLiteral("Name, Vorname")));
    labels.push_back(label(QStringLiteral("lblBezVerein"), {2880, 600, 1695, 255}, HeaderPoints, true, Qt::AlignLeft,
        QStringLiteral("Verein")));
    labels.push_back(label(
        QStringLiteral("lblBezRang"), {120, 600, 255, 255}, HeaderPoints, true, Qt::AlignLeft, QStringLiteral("R")));
    for (int k = 0; k < 6; ++k) {
        labels.push_back(label(QStringLiteral("lblBezSerie") + QString::number(k), {5040.0 + 480 * k, 600, 375, 255},
            HeaderPoints, true, Qt::AlignRight, QString::number(k + 1)));
    }
    labels.push_back(label(QStringLiteral("lblBezGesamt"), {7920, 600, 735, 255}, HeaderPoints, true, Qt::AlignRight,
        QStringLiteral("Ges.")));
    labels.push_back(label(QStringLiteral("lblBezSNr"), {8760, 600, 735, 255}, HeaderPoints, true, Qt::AlignRight,
        QStringLiteral("SNr.")));
    return labels;
}

std::array<RankingLabelGeometry, RankingColumnCount> designRowTemplates()
{
    std::array<RankingLabelGeometry, RankingColumnCount> row;
    auto put = [&row](RankingColumn column, double left, double width, bool bold, Qt::Alignment alignment) {
        row[std::size_t(column)]
            = label(rankingColumnName(column), {left, 1080, width, 255}, HeaderPoints, bold, alignment);
    };
    put(RankingColumn::Rang, 120, 255, false, Qt::AlignRight);
    put(RankingColumn::TitelName, 480, 2295, false, Qt::AlignLeft);
    put(RankingColumn::VereinsName, 2880, 1575, false, Qt::AlignLeft);
    put(RankingColumn::LNr, 4560, 255, false, Qt::AlignRight);
    for (int k = 1; k <= 6; ++k)
        put(rankingSeriesColumn(k), 5040.0 + 480 * (k - 1), 375, false, Qt::AlignRight);
    put(RankingColumn::GesErg, 7920, 735, true, Qt::AlignRight);
    put(RankingColumn::SNr, 8760, 735, true, Qt::AlignRight);
    return row;
}

void scale(RankingLabelGeometry& label, float fx, float fy)
{
    label.rect.top *= fy;
    label.rect.left *= fx;
    label.rect.height *= fy;
    label.rect.width *= fx;
    const double points = VbNumbers::roundHalfEven(label.pointSize * fy);
    if (points >= 1)
        label.pointSize = points;
}

} // namespace

RankingLayout RankingLayout::design()
{
    RankingLayout layout;
    layout.fixedLabels = designFixedLabels();
    layout.rowTemplates = designRowTemplates();
    layout.lnTitel = {120, 960, 9480, 960};
    layout.lnZeile0 = {120, 1440, 9480, 1440};
    layout.lnTrenner = {4920, 600, 4920, 7080};
    layout.pitch = layout.lnZeile0.y1 - layout.lnTitel.y1;
    layout.zeilen = 0;
    layout.rowTops = {layout.rowTemplates[0].rect.top};
    layout.rowLineYs = {layout.lnZeile0.y1};
    return layout;
}

RankingLayout RankingLayout::fitted(double width, double height)
{
    RankingLayout layout = design();
    const float fx = float(width / DesignOuterWidth);
    const float fy = float(height / DesignOuterHeight * 2 / 3);
    layout.fx = fx;
    layout.fy = fy;

    for (RankingLabelGeometry& label : layout.fixedLabels)
        scale(label, fx, fy);
    for (RankingLabelGeometry& label : layout.rowTemplates)
        scale(label, fx, fy);

    for (TwipsLine* line : {&layout.lnTitel, &layout.lnZeile0}) {
        line->y1 *= fy;
        line->x1 *= fx;
        line->y2 *= fy;
        line->x2 *= fx;
    }
    layout.lnTrenner.y1 *= fy;
    layout.lnTrenner.x1 *= fx;
    layout.lnTrenner.x2 *= fx;
    layout.lnTrenner.y2 = height;

    const double d = layout.lnZeile0.y1 - layout.lnTitel.y1;
    layout.pitch = d;
    layout.rowTops = {layout.rowTemplates[0].rect.top};
    layout.rowLineYs = {layout.lnZeile0.y1};

    int i = 1;
    double y = layout.lnTitel.y1;
    while (d > 0 && y < height - d && i <= MaxRowIndex) {
        layout.rowLineYs.push_back(y + d);
        layout.rowTops.push_back(layout.rowTops.back() + d);
        y = layout.rowLineYs.back();
        ++i;
    }
    layout.zeilen = std::int16_t(i - 1);
    return layout;
}

const RankingLabelGeometry* RankingLayout::fixedLabel(QStringView name) const
{
    for (const RankingLabelGeometry& label : fixedLabels) {
        if (label.name == name)
            return &label;
    }
    return nullptr;
}
