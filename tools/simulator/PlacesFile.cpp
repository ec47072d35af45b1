#include "PlacesFile.h"

#include "platform/FileLookup.h"
#include "platform/SequentialFile.h"

#include <QFile>

namespace PlacesFile {

QString path(const QString& exchangeDir)
{
    return FileLookup::join(exchangeDir, QStringLiteral("HPlatz.hwv"));
}

bool write(const QString& exchangeDir, const QList<std::pair<int, int>>& places)
{
    if (FileLookup::findFile(path(exchangeDir)))
        return false;
    // Not matched by the display's lookup of HPlatz.hwv.
    const QString temporary = FileLookup::join(exchangeDir, QStringLiteral("HPlatz.tmp"));
    SequentialWriter writer(temporary);
    if (!writer.open())
        return false;
    for (const auto& [lane, place] : places) {
        writer.writeNumber(lane);
        writer.writeNumber(place);
        writer.endRecord();
    }
    if (!writer.close() || !QFile::rename(temporary, path(exchangeDir))) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}

} // namespace PlacesFile
