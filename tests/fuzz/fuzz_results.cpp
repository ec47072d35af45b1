// The results file of a lane, read from disk into a lane's records.

#include "FuzzSupport.h"
#include "platform/SequentialFile.h"
#include "target/ResultsFile.h"
#include "target/TargetRecords.h"

namespace {

bool indexInSet(float index)
{
    return index >= -1 && index <= SchussSatz::Groesse - 1;
}

// The counts that drive the loops over the arrays never point outside them.
void checkSet(const SchussSatz& satz)
{
    FUZZ_CHECK(indexInSet(satz.LetzterIndex));
    FUZZ_CHECK(indexInSet(satz.SerienLetzter));
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
    if (!loaded) {
        // No choice of set after a read error.
        FUZZ_CHECK(records.AktuellerSatz.LetzterIndex == -1);
        FUZZ_CHECK(records.AktuellerSatz.SchussNummer == 0);
    }

    // Loading over records that hold a file already must not trip either.
    TargetRecords again = records;
    ResultsFile::LadeErgebnisse(path, again);
    checkSet(again.AktuellerSatz);

    // The read lock is gone on every path.
    SequentialWriter writer(path);
    FUZZ_CHECK(writer.open());
    writer.close();
    return 0;
}
