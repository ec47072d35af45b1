#include "platform/FileLookup.h"

#include "platform/FileSnapshot.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

enum class Want { File, Directory, Any };

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

bool isDotsAndBlanks(const QString& part)
{
    return std::all_of(
        part.cbegin(), part.cend(), [](QChar c) { return c == QLatin1Char('.') || c == QLatin1Char(' '); });
}

bool hasType(const QFileInfo& info, Want want)
{
    switch (want) {
    case Want::File:
        return info.isFile();
    case Want::Directory:
        return info.isDir();
    case Want::Any:
        return info.exists();
    }
    return false;
}

// The entry of dir whose name equals name ignoring case; the exact spelling
// wins, otherwise the first in name order, so the choice is stable.
// knownMissing: a path the caller has just found not to exist.
std::optional<QString> matchEntry(
    const QString& dir, const QString& name, Want want, const QString& knownMissing = QString())
{
    const QString exact = FileLookup::join(dir, name);
    if (exact != knownMissing && hasType(QFileInfo(exact), want))
        return exact;
    QDir::Filters filters = QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    if (want == Want::File)
        filters |= QDir::Files;
    else if (want == Want::Directory)
        filters |= QDir::Dirs;
    else
        filters |= QDir::Files | QDir::Dirs;
    const QStringList entries = QDir(dir.isEmpty() ? QStringLiteral(".") : dir).entryList(filters, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return FileLookup::join(dir, entry);
    }
    return std::nullopt;
}

std::optional<QString> findPath(const QString& given, Want want)
{
    if (given.isEmpty())
        return std::nullopt;
    if (hasType(QFileInfo(given), want))
        return given;
    QString path = QDir::fromNativeSeparators(given);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    if (path != given && hasType(QFileInfo(path), want))
        return QDir::toNativeSeparators(path);

    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    QString parent;
    const QString name = cut < 0 ? path : path.mid(cut + 1);
    if (cut == 0)
        parent = QStringLiteral("/");
    else if (cut > 0)
        parent = path.left(cut);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return std::nullopt;
    if (!parent.isEmpty() && !QFileInfo(parent).isDir()) {
        const auto found = findPath(parent, Want::Directory);
        if (!found)
            return std::nullopt;
        parent = *found;
    }
    return matchEntry(parent, name, want, path);
}

} // namespace

namespace FileLookup {

QString join(const QString& dir, const QString& name)
{
    if (dir.isEmpty())
        return name;
    QString tail = name;
    while (!tail.isEmpty() && isSeparator(tail.front()))
        tail.remove(0, 1);
    if (isSeparator(dir.back()))
        return dir + tail;
    return dir + QDir::separator() + tail;
}

std::optional<QString> findFile(const QString& path)
{
    if (const FileRead* ahead = FileSnapshot::find(path))
        return ahead->status == FileRead::Status::Missing ? std::nullopt : std::optional<QString>(path);
    return findPath(path, Want::File);
}

bool fileExists(const QString& path)
{
    return findFile(path).has_value();
}

std::optional<QString> findDirectory(const QString& path)
{
    return findPath(path, Want::Directory);
}

bool directoryExists(const QString& path)
{
    return findDirectory(path).has_value();
}

std::optional<QStringList> partsInside(const QString& name)
{
    if (name.isEmpty() || isSeparator(name.front()))
        return std::nullopt;
    QStringList parts;
    for (const QString& part : name.split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        // Windows drops trailing dots and blanks, so ".. " climbs out there too;
        // a colon anywhere names a drive or a stream, never a plain file.
        if (isDotsAndBlanks(part) || part.contains(QLatin1Char(':')))
            return std::nullopt;
        parts.append(part);
    }
    if (parts.isEmpty())
        return std::nullopt;
    return parts;
}

std::optional<QString> resolveInside(const QString& dir, const QString& name)
{
    const std::optional<QStringList> inside = partsInside(name);
    if (!inside)
        return std::nullopt;
    const QStringList& parts = *inside;

    QString current = dir;
    bool onDisk = dir.isEmpty() || QFileInfo(dir).isDir();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool last = i == parts.size() - 1;
        std::optional<QString> match;
        if (onDisk)
            match = matchEntry(current, parts[i], last ? Want::Any : Want::Directory);
        if (match) {
            current = *match;
        } else {
            // Missing from here on: the rest is kept as given.
            onDisk = false;
            current = join(current, parts[i]);
        }
    }
    return current;
}

QString toNative(const QString& path)
{
    QString result = path;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::toNativeSeparators(result);
}

} // namespace FileLookup
