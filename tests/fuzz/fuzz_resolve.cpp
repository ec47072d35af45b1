// Names the scoring system sends in a lane message, resolved inside the
// exchange folder: whatever the name, the path found stays in that folder.

#include "FuzzSupport.h"
#include "platform/FileLookup.h"
#include "platform/TextCodec.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An exchange folder with entries in mixed case, one of them a subfolder,
    // and a file beside it that no name may reach.
    static const QString dir = [] {
        for (const char* name : {"outside.txt", "exchange/SB01.Ctl", "exchange/results.TXT", "exchange/Sub/Lane 7.dat",
                 "exchange/Sub/Deeper/x"}) {
            QDir().mkpath(QFileInfo(FuzzSupport::filePath(QLatin1String(name))).path());
            FuzzSupport::writeFile(QLatin1String(name), "x");
        }
        return FuzzSupport::filePath(QStringLiteral("exchange"));
    }();
    const auto resolved = FileLookup::resolveInside(dir, TextCodec::decode(FuzzSupport::bytes(data, size)));
    if (!resolved)
        return 0;

    // Below the folder, never the folder itself, never beside or above it.
    const QString clean = QDir::cleanPath(*resolved);
    FUZZ_CHECK(clean.startsWith(dir + QLatin1Char('/')));
    for (const QString& part : clean.mid(dir.size() + 1).split(QLatin1Char('/')))
        FUZZ_CHECK(!part.isEmpty() && part != QStringLiteral("..") && part != QStringLiteral("."));
    // Resolving the answer again finds the same entry.
    const auto again = FileLookup::resolveInside(dir, clean.mid(dir.size() + 1));
    FUZZ_CHECK(again && QDir::cleanPath(*again) == clean);
    return 0;
}
