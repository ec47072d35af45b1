#pragma once

#include <QDir>
#include <QHash>
#include <QString>

#include <utility>

// While one of these lives on a thread, the case-insensitive fallback of
// FileLookup::findFile / findDirectory lists each directory at most once and
// answers later misses from that listing. The exact-name test always asks the
// file system, and a name taken from the listing is checked to still exist.
// A file that appears during the scope under another letter case than asked
// for is found by the next scope. Scopes nest: an inner one uses the
// outermost one's listings.
//
// The polling tick opens one for its run: it tests a control file per lane,
// and listing the exchange folder for every lane that has no message would
// cost more than the rest of the tick.
class DirectoryListingCache {
public:
    DirectoryListingCache();
    ~DirectoryListingCache();
    DirectoryListingCache(const DirectoryListingCache&) = delete;
    DirectoryListingCache& operator=(const DirectoryListingCache&) = delete;

    // The scope in force on this thread, or nullptr.
    static DirectoryListingCache* current();

    // The entry of dir passing filters whose name equals name when letter case
    // is ignored (the first in name order), or an empty string. The directory
    // is listed on the first request of this scope.
    QString entryIgnoringCase(const QString& dir, QDir::Filters filters, const QString& name);
    // How many directories this scope has listed.
    int listingsTaken() const { return m_listingsTaken; }

private:
    bool m_owner = false;
    int m_listingsTaken = 0;
    // Per directory and filters: case-folded name -> entry.
    QHash<std::pair<QString, int>, QHash<QString, QString>> m_listings;
};
