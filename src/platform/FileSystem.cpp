#include "platform/FileSystem.h"

#include "platform/LockedFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Larger than any file of the exchange; a bigger one is not read into memory.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

class DiskFileSystem : public FileSystem {
public:
    std::optional<QStringList> list(const QString& dir) override
    {
        const QDir folder(dir.isEmpty() ? QStringLiteral(".") : dir);
        QStringList names
            = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        // An empty answer is also what a missing folder gives.
        if (names.isEmpty() && !QFileInfo(folder.path()).isDir())
            return std::nullopt;
        return names;
    }

    FileRead read(const QString& path) override
    {
        FileRead result;
        LockedFile file;
        if (!file.open(path, false, true)) {
            result.status = QFileInfo::exists(path) ? FileRead::Status::Unreadable : FileRead::Status::Missing;
            return result;
        }
        if (file.file().size() > kLargestFile) {
            result.status = FileRead::Status::Unreadable;
            return result;
        }
        result.bytes = file.file().readAll();
        result.status
            = file.file().error() == QFileDevice::NoError ? FileRead::Status::Read : FileRead::Status::Unreadable;
        return result;
    }

    bool remove(const QString& path) override { return QFile::remove(path); }
};

} // namespace

FileSystem& FileSystem::disk()
{
    static DiskFileSystem instance;
    return instance;
}
