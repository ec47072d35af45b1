#pragma once

#include <QString>

// The advertising folder beside the program and the pictures the options
// dialog adds to it and removes from it.
namespace AdvertisingFolder {

// program directory + "werbung", found whatever its letter case; a missing
// folder is created. A file of that name is left alone (and its path
// returned, which then is no folder).
QString ensure(const QString& programDirectory);

// The name a picture gets in the advertising folder: logo.jpg -> HB_0_logo.jpg.
QString targetName(const QString& pictureName);

// Copies sourceDir/name to targetDir/HB_0_name, replacing a picture of that
// name (also one that differs only in letter case). The old picture goes only
// once the copy is complete.
bool addPicture(const QString& sourceDir, const QString& name, const QString& targetDir);

bool deletePicture(const QString& dir, const QString& name);

} // namespace AdvertisingFolder
