#pragma once

#include "platform/FileSystem.h"

#include <QHash>
#include <QString>

// Files read ahead on a worker thread, handed to the readers of the thread
// that installs this scope: while it lives there, FileLookup::findFile,
// SequentialReader::open and ProfileDocument::load answer a path it holds from
// what was read (found, missing or unreadable) instead of going to the disk
// again. Paths match exactly as given. Scopes do not nest: an inner one hides
// the outer one until it ends.
class FileSnapshot {
public:
    explicit FileSnapshot(QHash<QString, FileRead> files);
    ~FileSnapshot();
    FileSnapshot(const FileSnapshot&) = delete;
    FileSnapshot& operator=(const FileSnapshot&) = delete;

    // What the scope in force on this thread holds for path, or nullptr.
    static const FileRead* find(const QString& path);

private:
    QHash<QString, FileRead> m_files;
    FileSnapshot* m_outer;
};
