#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What one read of a whole file found.
struct FileRead {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    QByteArray bytes;

    bool ok() const { return status == Status::Read; }
};

// The file operations the polling cycle makes on the exchange folder, each one
// call: on a network share every call is a round trip, so the cycle asks for
// these and nothing else. The real one goes to the disk; tests put in one that
// counts or slows the calls. Every operation may be called from any thread.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The names of the entries of dir (files and folders, no "." or ".."), or
    // nullopt when dir cannot be listed: gone, not a folder, share down.
    virtual std::optional<QStringList> list(const QString& dir) = 0;
    // The whole content of the regular file at path, read under a shared lock,
    // so that a file another process still writes under its lock is not taken
    // half written (it reads as Unreadable and is tried again later).
    virtual FileRead read(const QString& path) = 0;
    virtual bool remove(const QString& path) = 0;

    // The machine's own file system.
    static FileSystem& disk();
};
