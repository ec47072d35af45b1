#include "BenchSupport.h"

#include "shell/Einstellungen.h"
#include "shell/FrameLayout.h"
#include "target/TargetModel.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace BenchSupport {

namespace {

constexpr double kTwipsPerPixel = 15;

} // namespace

QRect targetRect(QSize screen, int targets, int lane)
{
    Einstellungen s;
    s.Scheibenanzahl = static_cast<std::uint8_t>(targets);
    const QSizeF frame(screen.width() * kTwipsPerPixel, screen.height() * kTwipsPerPixel);
    const QRectF twips = FrameLayout::placeTarget(s, lane, frame).rect;
    const auto px = [](double t) { return static_cast<int>(std::lround(t / kTwipsPerPixel)); };
    return QRect(px(twips.left()), px(twips.top()), px(twips.width()), px(twips.height()));
}

const char* marksName(Marks marks)
{
    return marks == Marks::All ? "all_shots_marked" : "latest_shot_marked";
}

void useRangeSettings(Einstellungen& s, Marks marks)
{
    const bool all = marks == Marks::All;
    s.Trefferkreuze = all ? 1 : 0;
    s.Trefferkreise = all ? 1 : 0;
    s.Nummeriert = all ? 1 : 0;
    s.MittlereLage = all ? 1 : 0;
    s.SerienAnzeige = all ? 0 : 1;
    s.TrefferVergroessern = 1;
    s.AusfAnzeige = 1;
    s.ZehntelAnzeige = 1;
    s.AutoZoom = 1;
    s.FarbeProbeEcke = 1;
}

void fillMatch(TargetRecords& records, int shots, unsigned seed)
{
    const double ringbreite = std::max(1.0, records.Scheibe.Ringbreite.toDouble());
    const double zehner = records.Scheibe.ZehnerRadius.toDouble();
    // Most shots of a good shooter land within about two rings of the centre.
    std::mt19937 random(seed);
    std::normal_distribution<double> spread(0, 1.2 * ringbreite);

    SchussSatz satz;
    satz.LetzterIndex = static_cast<float>(shots - 1);
    satz.SchussNummer = static_cast<float>(shots);
    for (int i = 0; i < shots; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double x = std::round(spread(random));
        const double y = std::round(spread(random));
        const double abstand = std::max(0.0, std::hypot(x, y) - zehner);
        const double ring = std::clamp(std::floor((10.9 - abstand / ringbreite) * 10) / 10, 0.0, 10.9);
        satz.PosX[k] = static_cast<float>(x);
        satz.PosY[k] = static_cast<float>(y);
        satz.Ringwert[k] = static_cast<float>(ring);
        satz.Gesamt += static_cast<float>(ring);
        satz.SerienWert[k / 10] += static_cast<float>(ring);
    }
    satz.SerienLetzter = static_cast<float>((shots + 9) / 10 - 1);
    satz.AnzeigeSerie = satz.SerienLetzter;
    records.MatchSatz = satz;
    records.AktuellerSatz = satz;
}

TargetModel loadedTarget(const QString& disziplin, int shots, unsigned seed)
{
    TargetModel model;
    model.DisziplinNr = disziplin;
    model.LadeDisziplin(disziplin);
    fillMatch(model.records, shots, seed);
    return model;
}

} // namespace BenchSupport
