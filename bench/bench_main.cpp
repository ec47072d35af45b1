// The main of every benchmark: a widget application on the offscreen platform
// with one 3840x2160 screen (unless another platform is asked for), the
// shipped definition files as the program folder, and 96 DPI so that sizes in
// twips match the range's screens.

#include "platform/ProgramInfo.h"
#include "platform/Twips.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" OMR_BENCH_DIR "/offscreen-3840x2160.json");
    QApplication app(argc, argv);
    ProgramInfo::setDirectoryForTest(QStringLiteral(OMR_DATA_DIR));
    Twips::overrideDpiForTest(96, 96);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
