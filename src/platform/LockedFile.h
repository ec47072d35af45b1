#pragma once

#include <QFile>
#include <QString>

// A file held open under a lock: shared for readers (no writer may lock it
// meanwhile), exclusive for writers. On Windows the share mode of the handle
// does the same against every other process. Only a regular file opens: a
// pipe or a device named like a data file must not block the reader.
class LockedFile {
public:
    LockedFile() = default;
    ~LockedFile() { close(); }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Writing creates the file and truncates it once the lock is held.
    bool open(const QString& path, bool forWriting, bool lock);
    void close();

    QFile& file() { return m_file; }
    bool isOpen() const { return m_file.isOpen(); }

private:
    QFile m_file;
    bool m_locked = false;
};
