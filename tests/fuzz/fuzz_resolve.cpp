// Names the scoring system sends in a lane message, resolved inside the
// exchange folder: whatever the name, the path found stays in that folder.

#include "FuzzSupport.h"
#include "platform/FileLookup.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QStringList>

namespace {

// An exchange folder with entries in mixed case, one of them a subfolder, and
// a file beside it that no name may reach.
const QString& exchangeDir()
{
    static const QString dir = [] {
        const QString root = FuzzSupport::filePath(QStringLiteral("exchange"));
        QDir().mkpath(root + QStringLiteral("/Sub/Deeper"));
        FuzzSupport::writeFile(QStringLiteral("outside.txt"), "x");
        for (const QString& name : {QStringLiteral("exchange/SB01.Ctl"), QStringLiteral("exchange/results.TXT"),
                 QStringLiteral("exchange/Sub/Lane 7.dat"), QStringLiteral("exchange/Sub/Deeper/x")})
            FuzzSupport::writeFile(name, "x");
        return root;
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString name = TextCodec::decode(FuzzSupport::bytes(data, size));
    const QString& dir = exchangeDir();
    const auto resolved = FileLookup::resolveInside(dir, name);
    if (!resolved)
        return 0;

    // Below the folder, never the folder itself, never beside or above it.
    const QString clean = QDir::cleanPath(*resolved);
    FUZZ_CHECK(clean.startsWith(dir + QLatin1Char('/')));
    const QStringList below = clean.mid(dir.size() + 1).split(QLatin1Char('/'));
    for (const QString& part : below)
        FUZZ_CHECK(!part.isEmpty() && part != QStringLiteral("..") && part != QStringLiteral("."));

    // Resolving the answer again finds the same entry.
    const auto again = FileLookup::resolveInside(dir, clean.mid(dir.size() + 1));
    FUZZ_CHECK(again && QDir::cleanPath(*again) == clean);
    return 0;
}
