#include "exchange/FileHandshake.h"

#include "exchange/ExchangeCodes.h"
#include "exchange/ExchangeFolder.h"
#include "platform/FileLookup.h"
#include "platform/SequentialFile.h"

#include <QFile>

#include <algorithm>
#include <utility>

namespace {

QString controlFile(const QString& basePath)
{
    return basePath + QStringLiteral(".ctl");
}

QString dataFile(const QString& basePath)
{
    return basePath + QStringLiteral(".nrt");
}

// Folder and base name of a base path, split at its last separator.
std::pair<QString, QString> splitBasePath(const QString& basePath)
{
    const qsizetype cut = std::max(basePath.lastIndexOf(QLatin1Char('/')), basePath.lastIndexOf(QLatin1Char('\\')));
    if (cut < 0)
        return {QString(), basePath};
    return {cut == 0 ? basePath.left(1) : basePath.left(cut), basePath.mid(cut + 1)};
}

bool writeOneField(const QString& path, const QString& value)
{
    SequentialWriter writer(path);
    if (!writer.open())
        return false;
    writer.writeText(value);
    writer.endRecord();
    return writer.close();
}

} // namespace

std::uint8_t DateiSenden(const QString& value, const QString& basePath)
{
    const auto [dir, baseName] = splitBasePath(basePath);
    const ExchangeFolder folder(FileSystem::disk(), dir);
    if (!folder.reachable())
        return ExchangeCode::FileError;
    if (folder.entry(controlFile(baseName)))
        return ExchangeCode::NothingToDo;

    // Overwrite the previous data file under the letter case it already has,
    // so that the other side never sees two candidates.
    const QString data = folder.entry(dataFile(baseName)).value_or(FileLookup::join(folder.path(), dataFile(baseName)));
    if (!writeOneField(data, value))
        return ExchangeCode::FileError;
    // Only now, with the data file complete and closed, the message is flagged.
    if (!writeOneField(FileLookup::join(folder.path(), controlFile(baseName)), value))
        return ExchangeCode::FileError;
    return ExchangeCode::Done;
}

std::uint8_t DateiEmpfangen(QString& value, ExchangeFolder& folder, const QString& baseName, ReceiveFault* fault)
{
    const auto failed = [fault](const QString& file, const QString& what) {
        if (fault)
            *fault = {file, what};
        return ExchangeCode::FileError;
    };
    if (!folder.reachable())
        return failed(folder.path(), QStringLiteral("exchange folder unreachable"));
    const auto control = folder.entry(controlFile(baseName));
    if (!control)
        return ExchangeCode::NothingToDo;
    const QString data = folder.entry(dataFile(baseName)).value_or(FileLookup::join(folder.path(), dataFile(baseName)));

    // Read whole under a shared lock: while the other side still holds the
    // data file open for writing, the read fails and the message waits for
    // the next tick instead of being taken half written.
    const FileRead read = folder.files().read(data);
    if (read.status == FileRead::Status::Missing)
        return failed(data, QStringLiteral("message data file missing"));
    if (!read.ok())
        return failed(data, QStringLiteral("message data file could not be opened"));
    QString received;
    try {
        received = SequentialReader::fromBytes(read.bytes)->readText();
    } catch (const SequentialReadError&) {
        return failed(data, QStringLiteral("message data file holds no field"));
    }
    // The data file is closed before the flag goes, so the sender cannot
    // overwrite it while it is still being read.
    if (!folder.files().remove(*control))
        return failed(*control, QStringLiteral("control file could not be deleted"));
    value = received;
    return ExchangeCode::Done;
}

std::uint8_t DateiEmpfangen(QString& value, const QString& basePath, ReceiveFault* fault)
{
    const auto [dir, baseName] = splitBasePath(basePath);
    ExchangeFolder folder(FileSystem::disk(), dir);
    return DateiEmpfangen(value, folder, baseName, fault);
}
