// Repainting target windows: one target with a 60-shot match at the size a
// window has when 16 targets share a 1920x1080 or a 3840x2160 screen (8
// columns, 2 rows), and a whole screen of 16 targets, drawn both straight
// into an image and the way the frame does it, through real windows.
//
// Every case runs with two sets of options: only the latest shot marked (the
// settings file's defaults) and every shot marked (the heaviest drawing).

#include "BenchSupport.h"
#include "platform/PainterCanvas.h"
#include "shell/ProgramState.h"
#include "target/Scheibe.h"
#include "target/TargetModel.h"
#include "target/TargetPainter.h"

#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

using BenchSupport::Marks;

constexpr int kTargets = 16;
constexpr int kShots = 60;

struct Discipline {
    const char* nr;
    const char* name;
};
const Discipline kDisciplines[] = {{"1.10", "air_rifle_1.10"}, {"2.10", "air_pistol_2.10"}};

QString sizeName(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

Einstellungen& rangeSettings(Marks marks)
{
    Einstellungen& s = ProgramState::instance().settings;
    s.Scheibenanzahl = kTargets;
    BenchSupport::useRangeSettings(s, marks);
    return s;
}

// What Scheibe::paintEvent draws, without the window around it.
void paintTarget(QPainter& painter, QSize size, TargetModel& model, const Einstellungen& s, const QPalette& palette)
{
    PainterCanvas canvas(painter, size.width(), size.height());
    model.zoomForPaint(s);
    TargetPainter::ZeichneScheibe(canvas, model, s, palette);
}

void BM_ZeichneScheibe(benchmark::State& state, const Discipline& discipline, QSize screen, int targets, Marks marks)
{
    const Einstellungen& s = rangeSettings(marks);
    const QSize size = BenchSupport::targetRect(screen, targets, 1).size();
    TargetModel model = BenchSupport::loadedTarget(QString::fromLatin1(discipline.nr), kShots);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const QPalette palette = QGuiApplication::palette();
    for (auto _ : state) {
        QPainter painter(&image);
        paintTarget(painter, size, model, s, palette);
    }
    state.SetLabel(sizeName(size).toStdString() + " px");
}

// 16 targets, rifle and pistol alternating, into one screen-sized image.
void BM_ZeichneScheibe_FullScreen(benchmark::State& state, QSize screen, Marks marks)
{
    const Einstellungen& s = rangeSettings(marks);
    std::vector<TargetModel> models;
    std::vector<QRect> rects;
    for (int lane = 1; lane <= kTargets; ++lane) {
        const Discipline& d = kDisciplines[lane % 2];
        models.push_back(BenchSupport::loadedTarget(QString::fromLatin1(d.nr), kShots, unsigned(lane)));
        rects.push_back(BenchSupport::targetRect(screen, kTargets, lane));
    }
    QImage image(screen, QImage::Format_ARGB32_Premultiplied);
    const QPalette palette = QGuiApplication::palette();
    for (auto _ : state) {
        for (std::size_t k = 0; k < models.size(); ++k) {
            QPainter painter(&image);
            painter.setClipRect(rects[k]);
            painter.translate(rects[k].topLeft());
            paintTarget(painter, rects[k].size(), models[k], s, palette);
        }
    }
    state.SetLabel(std::to_string(kTargets) + " targets of " + sizeName(rects[0].size()).toStdString() + " px");
}

// Counts the paint events the target windows receive, to be sure that the
// windows really drew.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The frame's way: 16 target windows on a screen-sized workspace.
class Screen {
public:
    Screen(QSize size, Marks marks)
    {
        rangeSettings(marks);
        m_top = std::make_unique<QWidget>();
        m_top->resize(size);
        for (int lane = 1; lane <= kTargets; ++lane) {
            auto* target = new Scheibe(m_top.get());
            target->setDisziplinNr(QString::fromLatin1(kDisciplines[lane % 2].nr));
            target->setLinienNr(lane);
            target->setGeometry(BenchSupport::targetRect(size, kTargets, lane));
            target->Laden();
            BenchSupport::fillMatch(target->model().records, kShots, unsigned(lane));
            target->installEventFilter(&counter);
            m_targets.push_back(target);
        }
        m_top->show();
        QCoreApplication::processEvents();
        counter.paints = 0;
    }
    const std::vector<Scheibe*>& targets() const { return m_targets; }
    PaintCounter counter;

private:
    std::unique_ptr<QWidget> m_top;
    std::vector<Scheibe*> m_targets;
};

void BM_Scheibe_FullScreen(benchmark::State& state, QSize size, Marks marks)
{
    Screen screen(size, marks);
    for (auto _ : state) {
        for (Scheibe* target : screen.targets())
            target->Refresh();
    }
    state.counters["paints_per_run"] = benchmark::Counter(double(screen.counter.paints) / double(state.iterations()));
    state.SetLabel("Refresh() of each of the 16 windows, as the polling tick does");
}

std::string caseName(const char* what, const std::string& detail, QSize screen, Marks marks)
{
    return std::string(what) + detail + "/screen_" + sizeName(screen).toStdString() + "/"
        + BenchSupport::marksName(marks);
}

const bool registered = [] {
    for (const Marks marks : {Marks::Latest, Marks::All}) {
        for (const Discipline& d : kDisciplines) {
            for (const QSize screen : {BenchSupport::FullHd, BenchSupport::Uhd}) {
                benchmark::RegisterBenchmark(caseName("ZeichneScheibe/", d.name, screen, marks).c_str(),
                    BM_ZeichneScheibe, d, screen, kTargets, marks)
                    ->Unit(benchmark::kMillisecond);
            }
            // Eight targets to a 3840x2160 screen (4 columns) make windows
            // about twice as wide.
            benchmark::RegisterBenchmark(
                caseName("ZeichneScheibe_8_per_screen/", d.name, BenchSupport::Uhd, marks).c_str(), BM_ZeichneScheibe,
                d, BenchSupport::Uhd, 8, marks)
                ->Unit(benchmark::kMillisecond);
        }
        for (const QSize screen : {BenchSupport::FullHd, BenchSupport::Uhd}) {
            benchmark::RegisterBenchmark(caseName("ZeichneScheibe_16_targets", "", screen, marks).c_str(),
                BM_ZeichneScheibe_FullScreen, screen, marks)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(
                caseName("Scheibe_16_windows_Refresh", "", screen, marks).c_str(), BM_Scheibe_FullScreen, screen, marks)
                ->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

} // namespace
