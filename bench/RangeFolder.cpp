#include "RangeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

RangeFolder::RangeFolder(const QString& parent, const std::optional<Share>& share)
    : m_dir(QDir(parent.isEmpty() ? QDir::tempPath() : parent).filePath(QStringLiteral("omr_range_XXXXXX")))
{
    if (share) {
        m_shared = std::make_unique<QTemporaryDir>(QDir(share->server).filePath(QStringLiteral("omr_range_XXXXXX")));
        m_clientBase = QDir(share->client).filePath(QFileInfo(m_shared->path()).fileName());
    }
}

QString RangeFolder::sharedBase(bool server) const
{
    if (!m_shared)
        return path();
    return server ? m_shared->path() : m_clientBase;
}

QString RangeFolder::exchange() const
{
    return QDir(sharedBase(false)).filePath(QStringLiteral("austausch"));
}

QString RangeFolder::ranking() const
{
    return QDir(sharedBase(false)).filePath(QStringLiteral("rangliste"));
}

QString RangeFolder::serverExchange() const
{
    return QDir(sharedBase(true)).filePath(QStringLiteral("austausch"));
}

QString RangeFolder::serverRanking() const
{
    return QDir(sharedBase(true)).filePath(QStringLiteral("rangliste"));
}

bool RangeFolder::prepare(const QString& dataDir, const Range& range)
{
    if (!isValid() || !QDir().mkpath(serverExchange()) || !QDir().mkpath(serverRanking()))
        return false;
    // The share may take a moment to show what the server's side created.
    for (int i = 0; i < 50 && !QFileInfo(exchange()).isDir(); ++i)
        QThread::msleep(100);
    if (!QFileInfo(exchange()).isDir())
        return false;
    const QDir data(dataDir);
    const QStringList files
        = data.entryList({QStringLiteral("*.def"), QStringLiteral("Sprache_*.ini")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        return false;
    for (const QString& file : files) {
        if (!QFile::copy(data.filePath(file), QDir(path()).filePath(file)))
            return false;
    }
    return writeSettings(range);
}

bool RangeFolder::writeSettings(const Range& range) const
{
    QFile file(QDir(path()).filePath(QStringLiteral("omr_anzeige.ini")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool paging = range.perPage > 0 && range.perPage < range.lanes;
    const QList<std::pair<const char*, QString>> options {
        {"Scheibenanzahl", QString::number(range.lanes)},
        {"ScheibenProSeite", QString::number(paging ? range.perPage : range.lanes)},
        {"Wechselzeit", QString::number(range.wechselzeit)},
        {"Blaettern", paging ? QStringLiteral("1") : QStringLiteral("0")},
        {"AnfEnde", QStringLiteral("0")},
        {"VerbindungsArt", QStringLiteral("1")},
        {"Sprache", QStringLiteral("1")},
        {"BildSchirm", QStringLiteral("0")},
        {"NetzwerkPfad", QDir::toNativeSeparators(exchange())},
        {"KORVUPfad", QDir::toNativeSeparators(ranking())},
        {"AnzeigeServerNr", QStringLiteral("0")},
        {"FreieWerbung", QStringLiteral("0")},
    };
    QByteArray text = "[Options]\r\n";
    for (const auto& [key, value] : options)
        text += QByteArray(key) + '=' + value.toLocal8Bit() + "\r\n";
    text += "[Scheibe]\r\n";
    for (int lane = 1; lane <= range.lanes; ++lane)
        text += "Scheibe" + QByteArray::number(lane) + (lane % 2 == 1 ? "=1.10\r\n" : "=2.10\r\n");
    return file.write(text) == text.size();
}

QString RangeFolder::offscreenPlatform(QSize screen) const
{
    const QString config = QDir(path()).filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(QStringLiteral("{\"screens\": [{\"name\": \"range\", \"x\": 0, \"y\": 0, \"width\": %1, "
                                  "\"height\": %2, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}\n")
                       .arg(screen.width())
                       .arg(screen.height())
                       .toUtf8());
    }
    return QStringLiteral("offscreen:configfile=") + config;
}
