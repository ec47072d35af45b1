// Reading the results file of a lane: what LadeErgebnisse costs each time the
// scoring system announces a new shot.

#include "BenchSupport.h"
#include "target/ResultsFile.h"
#include "target/ResultsFileWriter.h"
#include "target/TargetModel.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_LadeErgebnisse(benchmark::State& state)
{
    const int shots = static_cast<int>(state.range(0));
    TargetModel model = BenchSupport::loadedTarget(QStringLiteral("1.10"), shots);
    // A few sighting shots too, as a real file has them.
    BenchSupport::fillMatch(model.records, 10, 7);
    model.records.ProbeSatz = model.records.MatchSatz;
    BenchSupport::fillMatch(model.records, shots, 1);

    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("Ergebnis1.txt"));
    if (!ResultsFileWriter::write(file, model.records)) {
        state.SkipWithError("cannot write the results file");
        return;
    }
    for (auto _ : state) {
        TargetRecords records;
        benchmark::DoNotOptimize(ResultsFile::LadeErgebnisse(file, records));
    }
    state.SetLabel(std::to_string(QFileInfo(file).size()) + " bytes");
}

BENCHMARK(BM_LadeErgebnisse)->Arg(60)->Arg(150)->Unit(benchmark::kMicrosecond);

} // namespace
