#include "platform/DirectoryListingCache.h"

namespace {

thread_local DirectoryListingCache* t_current = nullptr;

} // namespace

DirectoryListingCache::DirectoryListingCache()
{
    if (!t_current) {
        t_current = this;
        m_owner = true;
    }
}

DirectoryListingCache::~DirectoryListingCache()
{
    if (m_owner)
        t_current = nullptr;
}

DirectoryListingCache* DirectoryListingCache::current()
{
    return t_current;
}

QString DirectoryListingCache::entryIgnoringCase(const QString& dir, QDir::Filters filters, const QString& name)
{
    // An inner scope hands the request to the one in force.
    if (!m_owner && t_current)
        return t_current->entryIgnoringCase(dir, filters, name);
    const std::pair<QString, int> key(dir, static_cast<int>(filters));
    auto it = m_listings.find(key);
    if (it == m_listings.end()) {
        ++m_listingsTaken;
        QHash<QString, QString> byFoldedName;
        const QDir directory(dir.isEmpty() ? QStringLiteral(".") : dir);
        for (const QString& entry : directory.entryList(filters, QDir::Name)) {
            // The first in name order wins, as without the cache.
            const QString folded = entry.toCaseFolded();
            if (!byFoldedName.contains(folded))
                byFoldedName.insert(folded, entry);
        }
        it = m_listings.insert(key, byFoldedName);
    }
    return it.value().value(name.toCaseFolded());
}
