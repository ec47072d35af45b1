// The results file of a lane, read from disk into a lane's records.

#include "FuzzSupport.h"
#include "platform/SequentialFile.h"
#include "target/ResultsFile.h"
#include "target/TargetRecords.h"

namespace {

// The counts that drive the loops over the arrays never point outside them.
void checkSet(const SchussSatz& satz)
{
    for (const float index : {satz.LetzterIndex, satz.SerienLetzter})
        FUZZ_CHECK(index >= -1 && index <= SchussSatz::Groesse - 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = FuzzSupport::writeFile(QStringLiteral("ergebnis.txt"), FuzzSupport::bytes(data, size));
    TargetRecords records;
    const bool loaded = ResultsFile::LadeErgebnisse(path, records);
    checkSet(records.ProbeSatz);
    checkSet(records.MatchSatz);
    checkSet(records.AktuellerSatz);
    // No choice of set after a read error.
    FUZZ_CHECK(loaded || (records.AktuellerSatz.LetzterIndex == -1 && records.AktuellerSatz.SchussNummer == 0));

    // Loading over records that hold a file already must not trip either.
    ResultsFile::LadeErgebnisse(path, records);
    checkSet(records.AktuellerSatz);
    // The read lock is gone on every path.
    FUZZ_CHECK(SequentialWriter(path).open());
    return 0;
}
