#pragma once

#include "exchange/ExchangeCodes.h"
#include "exchange/FileHandshake.h"
#include "platform/FileSystem.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

class ExchangeFolder;

// The file work of the polling cycle for one lane and one tick, done on a
// worker thread: the messages taken through the handshake and the file each
// names, read ahead. The user-interface thread then applies it to the lane's
// window without going to the exchange folder again.
struct Received {
    std::uint8_t code = ExchangeCode::NothingToDo;
    QString value;
    ReceiveFault fault;
    // The data file the message is read from.
    QString dataFile;

    bool done() const { return code == ExchangeCode::Done; }
};

// The file a message names.
struct NamedFile {
    // The name would leave the exchange folder: nothing was read.
    bool refused = false;
    // As the scoring system wrote it, and where it was looked for.
    QString name;
    QString path;
    FileRead content;
};

struct LaneFetch {
    int lane = 0;
    // 2002 protocol: the lane record. Older protocol: the announcement.
    Received message;
    // Older protocol only: the results message.
    Received results;
    // The file that the record or the results message names.
    std::optional<NamedFile> file;
};

// The places file of the older protocol: read whole, then deleted.
struct PlacesFetch {
    QString path;
    FileRead content;
    bool removed = false;
};

namespace LaneFetcher {

// Whether the tick's listing shows a message waiting for the lane.
bool hasMessage(const ExchangeFolder& folder, int lane, bool olderProtocol, bool server2);
// 2002 protocol: the lane's record, and the definition or results file its
// type names.
LaneFetch fetch2002(ExchangeFolder& folder, int lane, bool server2);
// Older protocol: the announcement, the results message and the results file
// it names (an absolute name as it stands, a relative one inside the folder).
LaneFetch fetchAlt(ExchangeFolder& folder, int lane);
PlacesFetch fetchPlaces(FileSystem& files, const QString& path);

} // namespace LaneFetcher
