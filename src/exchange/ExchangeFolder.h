#pragma once

#include "platform/FileSystem.h"

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <optional>

// The exchange folder as one tick of the polling cycle sees it. It is listed
// once, and that listing answers every "is there a control file" question of
// the tick, in any letter case; a file it names is opened directly. Folders
// that messages name are listed at most once, and only when a file is not
// found as written. The lanes of a tick use it side by side from worker
// threads.
class ExchangeFolder {
public:
    // Lists dir (one call). A dir that cannot be listed as written is looked
    // for ignoring letter case, folder by folder from the root.
    ExchangeFolder(FileSystem& files, const QString& dir);

    FileSystem& files() const { return m_files; }
    // False when the folder could not be listed (gone, share down).
    bool reachable() const { return m_reachable; }
    // The folder as it was found.
    const QString& path() const { return m_path; }
    // The path of the folder's entry of that name, ignoring letter case (the
    // exact spelling first, else the first in name order), or nullopt.
    std::optional<QString> entry(const QString& name) const;

    // A file the scoring system names relative to the folder ("\" or "/"
    // between folders), read whole: tried as written, and only when it is
    // missing looked for ignoring letter case. nullopt for a name that would
    // leave the folder. path is where the file was found, or the name as
    // written when it was not.
    struct Named {
        QString path;
        FileRead content;
    };
    std::optional<Named> readNamed(const QString& name);

private:
    struct Listing {
        bool reachable = false;
        // Case-folded name -> the names on disk, in name order.
        QHash<QString, QStringList> byFoldedName;

        // The exact spelling first, else the first in name order; empty when none.
        QString find(const QString& name) const;
    };
    static Listing makeListing(const std::optional<QStringList>& names);
    // The listing of dir, taken on first request (thread-safe).
    const Listing& listingOf(const QString& dir);

    FileSystem& m_files;
    QString m_path;
    bool m_reachable = false;
    Listing m_listing;
    QMutex m_mutex;
    QHash<QString, Listing> m_others;
};
