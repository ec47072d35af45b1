#include "exchange/FileHandshake.h"

#include "exchange/ExchangeCodes.h"
#include "platform/FileLookup.h"
#include "platform/SequentialFile.h"

#include <QFile>

namespace {

QString controlFile(const QString& basePath)
{
    return basePath + QStringLiteral(".ctl");
}

QString dataFile(const QString& basePath)
{
    return basePath + QStringLiteral(".nrt");
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
    if (FileLookup::findFile(controlFile(basePath)))
        return ExchangeCode::NothingToDo;

    // Overwrite the previous data file under the letter case it already has,
    // so that the other side never sees two candidates.
    const QString data = FileLookup::findFile(dataFile(basePath)).value_or(dataFile(basePath));
    if (!writeOneField(data, value))
        return ExchangeCode::FileError;
    // Only now, with the data file complete and closed, the message is flagged.
    if (!writeOneField(controlFile(basePath), value))
        return ExchangeCode::FileError;
    return ExchangeCode::Done;
}

std::uint8_t DateiEmpfangen(QString& value, const QString& basePath, ReceiveFault* fault)
{
    const auto failed = [fault](const QString& file, const QString& what) {
        if (fault)
            *fault = {file, what};
        return ExchangeCode::FileError;
    };
    const auto control = FileLookup::findFile(controlFile(basePath));
    if (!control)
        return ExchangeCode::NothingToDo;
    const auto data = FileLookup::findFile(dataFile(basePath));
    if (!data)
        return failed(dataFile(basePath), QStringLiteral("message data file missing"));

    QString received;
    {
        // Under a read lock: while the other side still holds the data file
        // open for writing, the open fails and the message waits for the next
        // tick instead of being taken half written.
        SequentialReader reader(*data);
        if (!reader.open(true))
            return failed(*data, QStringLiteral("message data file could not be opened"));
        try {
            received = reader.readText();
        } catch (const SequentialReadError&) {
            return failed(*data, QStringLiteral("message data file holds no field"));
        }
        reader.close();
    }
    // The data file is closed before the flag goes, so the sender cannot
    // overwrite it while it is still being read.
    if (!QFile::remove(*control))
        return failed(*control, QStringLiteral("control file could not be deleted"));
    value = received;
    return ExchangeCode::Done;
}
