#pragma once

#include <QList>
#include <QString>

#include <utility>

// The places file HPlatz.hwv of the older protocol: one "lane,place" line per
// lane. Written only when the display has consumed (deleted) the previous one,
// and put in place in one step so it is never read half-written.
namespace PlacesFile {

QString path(const QString& exchangeDir);
// False when the previous file still waits or writing failed.
bool write(const QString& exchangeDir, const QList<std::pair<int, int>>& places);

} // namespace PlacesFile
