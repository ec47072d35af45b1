// The ranking window filled from a ranking file: 255 shooters, as many as a
// range has lanes, on a window laid out for the whole screen.
//
// FromFile is what the page flipping does when a new ranking has come in: the
// file is read into the queue, the rows are emptied and the first page filled,
// and the window is repainted. NextPage is a later page of the same ranking
// (the queue refilled from the file, untimed, when it runs dry).

#include "BenchSupport.h"
#include "ranking/RankingFile.h"
#include "ranking/frmRangliste.h"
#include "shell/ProgramState.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kShooters = 255;

// A ranking as the evaluation software writes it: 20 fields per line.
QByteArray rankingFile()
{
    QByteArray text;
    for (int i = 1; i <= kShooters; ++i) {
        const int shots = i % 4 == 0 ? 120 : 60;
        QByteArray line = QByteArray::number(i) + ";" + QByteArray::number(1000 + i) + ";Schuetze"
            + QByteArray::number(i) + ";Vorname;Schuetzenverein " + QByteArray::number(i % 40) + ";"
            + QByteArray::number(1200 - i / 3) + ".4;" + QByteArray::number(i) + ";" + QByteArray::number(shots);
        for (int series = 1; series <= 12; ++series)
            line += ";" + (series * 10 <= shots ? QByteArray::number(100 - (i + series) % 7) + ".3" : QByteArray());
        text += line + "\r\n";
    }
    return text;
}

class RankingScreen {
public:
    explicit RankingScreen(QSize size)
    {
        Einstellungen& s = ProgramState::instance().settings;
        s.KORVUPfad = m_dir.path();
        s.VTXServerID = 1;
        s.RLTitel = QStringLiteral("Rangliste Luftgewehr");
        QFile file(RankingFile::fileName(s.KORVUPfad, s.VTXServerID));
        m_valid = m_dir.isValid() && file.open(QIODevice::WriteOnly) && file.write(rankingFile()) > 0;
        m_screen.resize(size);
        m_window = new frmRangliste(&m_screen);
        m_window->RangListeAnpassen(size);
        m_screen.show();
        m_window->showInFront();
        QCoreApplication::processEvents();
    }
    bool isValid() const { return m_valid; }
    frmRangliste& window() { return *m_window; }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
    QWidget m_screen;
    frmRangliste* m_window = nullptr;
};

void BM_RankingPage_FromFile(benchmark::State& state, QSize size)
{
    RankingScreen screen(size);
    if (!screen.isValid()) {
        state.SkipWithError("cannot write the ranking file");
        return;
    }
    frmRangliste& window = screen.window();
    for (auto _ : state) {
        window.LeseCSVEin();
        window.RanglisteLeeren();
        window.RanglisteFuellen();
        window.repaint();
    }
    state.counters["rows"] = window.Zeilen();
    state.counters["lines_left"] = window.pendingLines();
}

void BM_RankingPage_Next(benchmark::State& state, QSize size)
{
    RankingScreen screen(size);
    if (!screen.isValid()) {
        state.SkipWithError("cannot write the ranking file");
        return;
    }
    frmRangliste& window = screen.window();
    for (auto _ : state) {
        if (window.pendingLines() == 0) {
            state.PauseTiming();
            window.LeseCSVEin();
            state.ResumeTiming();
        }
        window.RanglisteLeeren();
        window.RanglisteFuellen();
        window.repaint();
    }
    state.counters["rows"] = window.Zeilen();
}

BENCHMARK_CAPTURE(BM_RankingPage_FromFile, screen_3840x2160, BenchSupport::Uhd)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RankingPage_FromFile, screen_1920x1080, BenchSupport::FullHd)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RankingPage_Next, screen_3840x2160, BenchSupport::Uhd)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RankingPage_Next, screen_1920x1080, BenchSupport::FullHd)->Unit(benchmark::kMillisecond);

} // namespace
