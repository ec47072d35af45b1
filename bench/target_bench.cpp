// How long one lane costs the polling tick: reading a results file with a full
// match and repainting the target with all its shots. Run by hand:
//   cmake -B build -DOMR_BUILD_BENCH=ON && cmake --build build --target omr_target_bench
//   QT_QPA_PLATFORM=offscreen build/bin/omr_target_bench

#include "platform/PainterCanvas.h"
#include "platform/ProgramInfo.h"
#include "shell/ProgramState.h"
#include "target/ResultsFile.h"
#include "target/ResultsFileWriter.h"
#include "target/TargetModel.h"
#include "target/TargetPainter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>

namespace {

void fillMatch(TargetRecords& records, int shots)
{
    SchussSatz& satz = records.MatchSatz;
    satz.LetzterIndex = float(shots - 1);
    satz.SchussNummer = float(shots);
    for (int i = 0; i < shots; ++i) {
        satz.Ringwert[i] = 9.0f + float(i % 17) / 10.0f;
        satz.PosX[i] = float(std::sin(i) * 300);
        satz.PosY[i] = float(std::cos(i * 1.3) * 300);
        satz.Gesamt += satz.Ringwert[i];
    }
    satz.SerienLetzter = float(shots / 10 - 1);
    for (int k = 0; k <= int(satz.SerienLetzter); ++k)
        satz.SerienWert[k] = 100.0f;
}

template<typename F>
void measure(QTextStream& out, const char* what, int runs, F&& work)
{
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < runs; ++i)
        work();
    out << what << ": " << double(clock.nsecsElapsed()) / runs / 1000.0 << " us per run (" << runs << " runs)\n";
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    ProgramInfo::setDirectoryForTest(QStringLiteral(OMR_DATA_DIR));
    Einstellungen& settings = ProgramState::instance().settings;
    settings.Trefferkreuze = 1;
    settings.Nummeriert = 1;
    settings.MittlereLage = 1;
    settings.AutoZoom = 1;

    TargetModel model;
    model.LadeDisziplin(QStringLiteral("1.10"));
    fillMatch(model.records, 60);
    model.records.AktuellerSatz = model.records.MatchSatz;

    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("ergebnis.txt"));
    ResultsFileWriter::write(file, model.records);

    measure(out, "LadeErgebnisse, 60 shots", 2000, [&] {
        TargetRecords records;
        ResultsFile::LadeErgebnisse(file, records);
    });

    QImage image(600, 600, QImage::Format_RGB32);
    const QPalette palette;
    measure(out, "ZeichneScheibe, 60 shots, 600 x 600", 300, [&] {
        QPainter painter(&image);
        PainterCanvas canvas(painter, image.width(), image.height());
        model.zoomForPaint(settings);
        TargetPainter::ZeichneScheibe(canvas, model, settings, palette);
    });
    return 0;
}
