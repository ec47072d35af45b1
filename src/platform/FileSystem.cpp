#include "platform/FileSystem.h"

#include "platform/LockedFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
#ifdef Q_OS_WIN
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
#else
        // Straight to the system: on a share every call the file layer adds
        // (status, seek, flag changes) is one more round trip.
        FileRead result;
        result.status = FileRead::Status::Unreadable;
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT || errno == ENOTDIR)
                result.status = FileRead::Status::Missing;
            return result;
        }
        struct stat info { };
        // Closing the descriptor also gives the shared lock back.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kLargestFile
            && ::flock(fd, LOCK_SH | LOCK_NB) == 0) {
            QByteArray bytes(static_cast<qsizetype>(info.st_size) + 1, Qt::Uninitialized);
            qsizetype used = 0;
            while (true) {
                if (used == bytes.size())
                    bytes.resize(std::min<qsizetype>(bytes.size() * 2, kLargestFile + 1));
                const ssize_t n = ::read(fd, bytes.data() + used, static_cast<size_t>(bytes.size() - used));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    if (n == 0 && used <= kLargestFile) {
                        bytes.truncate(used);
                        result.bytes = bytes;
                        result.status = FileRead::Status::Read;
                    }
                    break;
                }
                used += n;
                if (used > kLargestFile)
                    break;
            }
        }
        ::close(fd);
        return result;
#endif
    }

    bool remove(const QString& path) override
    {
        return QFile::remove(path);
    }
};

} // namespace

FileSystem& FileSystem::disk()
{
    static DiskFileSystem instance;
    return instance;
}
