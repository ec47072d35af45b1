#include "shell/LaneFetch.h"

#include "exchange/ExchangeFolder.h"
#include "exchange/MessageFileNames.h"
#include "exchange/SatzZerlegen.h"
#include "platform/FileLookup.h"

#include <QDir>

namespace {

// Roles under which the display reads the lane files.
constexpr int kRoleLane = -1;
constexpr int kRoleAnnouncement = 2;

QString name2002(int lane, bool server2)
{
    return server2 ? Dateiname2002Server2(1, lane, kRoleLane, ExchangeDirection::Receive)
                   : Dateiname2002(1, lane, kRoleLane, ExchangeDirection::Receive);
}

QString nameAlt(int lane, int role)
{
    return DateinameAlt(lane, role, ExchangeDirection::Receive);
}

bool waits(const ExchangeFolder& folder, const QString& baseName)
{
    return folder.entry(baseName + QStringLiteral(".ctl")).has_value();
}

NamedFile readNamed(ExchangeFolder& folder, const QString& name)
{
    NamedFile file;
    file.name = name;
    const auto named = folder.readNamed(name);
    file.refused = !named;
    if (named) {
        file.path = named->path;
        file.content = named->content;
    }
    return file;
}

Received receive(ExchangeFolder& folder, const QString& baseName)
{
    Received received;
    received.code = DateiEmpfangen(received.value, folder, baseName, &received.fault);
    const QString data = baseName + QStringLiteral(".nrt");
    received.dataFile = folder.entry(data).value_or(FileLookup::join(folder.path(), data));
    return received;
}

} // namespace

namespace LaneFetcher {

bool hasMessage(const ExchangeFolder& folder, int lane, bool olderProtocol, bool server2)
{
    if (!olderProtocol)
        return waits(folder, name2002(lane, server2));
    return waits(folder, nameAlt(lane, kRoleAnnouncement)) || waits(folder, nameAlt(lane, kRoleLane));
}

LaneFetch fetch2002(ExchangeFolder& folder, int lane, bool server2)
{
    LaneFetch fetch;
    fetch.lane = lane;
    fetch.message = receive(folder, name2002(lane, server2));
    if (!fetch.message.done())
        return fetch;
    const LaneMessage message = splitLaneRecord(fetch.message.value);
    switch (message.B) {
    case 1:
    case 47:
    case 48:
    case 49:
        fetch.file = readNamed(folder, message.N);
        break;
    default:
        break;
    }
    return fetch;
}

LaneFetch fetchAlt(ExchangeFolder& folder, int lane)
{
    LaneFetch fetch;
    fetch.lane = lane;
    fetch.message = receive(folder, nameAlt(lane, kRoleAnnouncement));
    fetch.results = receive(folder, nameAlt(lane, kRoleLane));
    if (!fetch.results.done())
        return fetch;
    const QString& text = fetch.results.value;
    const QString native = FileLookup::toNative(text);
    if (QDir::isAbsolutePath(native)) {
        NamedFile file;
        file.name = text;
        file.path = native;
        file.content = folder.files().read(native);
        fetch.file = file;
    } else {
        fetch.file = readNamed(folder, text);
    }
    return fetch;
}

PlacesFetch fetchPlaces(FileSystem& files, const QString& path)
{
    PlacesFetch places;
    places.path = path;
    places.content = files.read(path);
    // A file still being written cannot be read under the lock; it stays for
    // a later tick instead of being lost.
    if (places.content.ok())
        places.removed = files.remove(path);
    return places;
}

} // namespace LaneFetcher
