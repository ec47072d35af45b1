#pragma once

#include <QString>

#include <optional>

// File names the way Windows sees them, on any file system: names received from
// outside may use "\" or "/", and a file is found whatever the letter case of
// its name on disk.
namespace FileLookup {

// dir + native separator + name (no doubled separator when dir ends with one).
QString join(const QString& dir, const QString& name);

// The path of the existing regular file that matches path when letter case is
// ignored (exact name preferred), or nullopt. No wildcards. A path held by the
// FileSnapshot in force is answered from it.
std::optional<QString> findFile(const QString& path);
bool fileExists(const QString& path);
// The same for directories.
std::optional<QString> findDirectory(const QString& path);
bool directoryExists(const QString& path);

// The folder and file names of a name received from the scoring system, to be
// taken inside a folder: "\\" and "/" both separate them, "." parts are
// dropped. nullopt for an empty or absolute name, or one that climbs out
// (any part made only of dots and blanks, or holding a colon).
std::optional<QStringList> partsInside(const QString& name);

// Resolves a name received from the scoring system inside dir: "\" and "/"
// both separate folders, subfolders are allowed, each part is matched
// ignoring case. An absolute name or one that climbs out of dir gives nullopt.
// For a file that does not exist yet the last part is kept as given. Always
// lists afresh: the file a message names may have been written a moment ago.
std::optional<QString> resolveInside(const QString& dir, const QString& name);

// Turns "\" into the native separator (names the program itself builds the
// Windows way, e.g. for display).
QString toNative(const QString& path);

} // namespace FileLookup
