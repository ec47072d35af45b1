#include "options/AdvertisingFolder.h"

#include "platform/FileLookup.h"

#include <QDir>
#include <QFile>

namespace AdvertisingFolder {

QString ensure(const QString& programDirectory)
{
    const QString path = FileLookup::join(programDirectory, QStringLiteral("werbung"));
    if (const auto folder = FileLookup::findDirectory(path))
        return *folder;
    if (const auto file = FileLookup::findFile(path))
        return *file;
    QDir().mkdir(path);
    return path;
}

QString targetName(const QString& pictureName)
{
    return QStringLiteral("HB_0_") + pictureName;
}

bool addPicture(const QString& sourceDir, const QString& name, const QString& targetDir)
{
    if (name.isEmpty() || !FileLookup::directoryExists(targetDir))
        return false;
    const QString source = FileLookup::join(sourceDir, name);
    const QString target = FileLookup::join(targetDir, targetName(name));
    if (!QFile::exists(source))
        return false;

    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(source, partial)) {
        QFile::remove(partial);
        return false;
    }
    while (const auto existing = FileLookup::findFile(target)) {
        if (!QFile::remove(*existing)) {
            QFile::remove(partial);
            return false;
        }
    }
    return QFile::rename(partial, target);
}

bool deletePicture(const QString& dir, const QString& name)
{
    if (name.isEmpty() || dir.isEmpty())
        return false;
    return QFile::remove(FileLookup::join(dir, name));
}

} // namespace AdvertisingFolder
