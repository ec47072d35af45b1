#include "exchange/ExchangeFolder.h"

#include "platform/FileLookup.h"

#include <QDir>
#include <QMutexLocker>

namespace {

// The folder text as the platform writes paths, without a trailing separator.
QString normalised(const QString& dir)
{
    QString path = FileLookup::toNative(dir);
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        path.chop(1);
    return path;
}

} // namespace

ExchangeFolder::ExchangeFolder(FileSystem& files, const QString& dir) : m_files(files), m_path(normalised(dir))
{
    std::optional<QStringList> names = m_files.list(m_path);
    if (!names && !m_path.isEmpty()) {
        // Walk down from the root, matching each folder ignoring case.
        const QString slashed = QDir::fromNativeSeparators(m_path);
        const QStringList parts = slashed.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        QString current = slashed.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
        qsizetype first = 0;
        if (current.isEmpty() && !parts.isEmpty() && parts.first().endsWith(QLatin1Char(':'))) {
            current = parts.first() + QLatin1Char('/');
            first = 1;
        }
        bool found = true;
        for (qsizetype i = first; i < parts.size() && found; ++i) {
            const Listing level = makeListing(m_files.list(current.isEmpty() ? QStringLiteral(".") : current));
            const QString entry = level.find(parts[i]);
            found = !entry.isEmpty();
            current = FileLookup::join(current, entry);
        }
        if (found && QDir::toNativeSeparators(current) != m_path) {
            m_path = QDir::toNativeSeparators(current);
            names = m_files.list(m_path);
        }
    }
    m_listing = makeListing(names);
    m_reachable = m_listing.reachable;
}

ExchangeFolder::Listing ExchangeFolder::makeListing(const std::optional<QStringList>& names)
{
    Listing listing;
    listing.reachable = names.has_value();
    if (!names)
        return listing;
    QStringList sorted = *names;
    sorted.sort();
    for (const QString& name : sorted)
        listing.byFoldedName[name.toCaseFolded()].append(name);
    return listing;
}

QString ExchangeFolder::Listing::find(const QString& name) const
{
    const auto it = byFoldedName.constFind(name.toCaseFolded());
    if (it == byFoldedName.constEnd())
        return {};
    return it->contains(name) ? name : it->first();
}

std::optional<QString> ExchangeFolder::entry(const QString& name) const
{
    const QString found = m_listing.find(name);
    if (found.isEmpty())
        return std::nullopt;
    return FileLookup::join(m_path, found);
}

const ExchangeFolder::Listing& ExchangeFolder::listingOf(const QString& dir)
{
    if (dir == m_path)
        return m_listing;
    const QMutexLocker lock(&m_mutex);
    auto it = m_others.find(dir);
    if (it == m_others.end())
        it = m_others.insert(dir, makeListing(m_files.list(dir)));
    return it.value();
}

std::optional<ExchangeFolder::Named> ExchangeFolder::readNamed(const QString& name)
{
    const std::optional<QStringList> parts = FileLookup::partsInside(name);
    if (!parts)
        return std::nullopt;
    Named named;
    named.path = FileLookup::join(m_path, parts->join(QDir::separator()));
    named.content = m_files.read(named.path);
    if (named.content.status != FileRead::Status::Missing)
        return named;

    QString current = m_path;
    for (const QString& part : *parts) {
        const QString entry = listingOf(current).find(part);
        if (entry.isEmpty())
            return named;
        current = FileLookup::join(current, entry);
    }
    if (current != named.path) {
        named.path = current;
        named.content = m_files.read(current);
    }
    return named;
}
