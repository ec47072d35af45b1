#include "ranking/RankingFile.h"

#include "platform/FileLookup.h"
#include "platform/TextCodec.h"

#include <QFile>

namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Consumes one line end at pos (CR LF counts as one).
qsizetype skipLineEnd(const QByteArray& bytes, qsizetype pos)
{
    if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n')
        return pos + 2;
    return pos + 1;
}

} // namespace

namespace RankingFile {

QString fileName(const QString& korvuPfad, int vtxServerId)
{
    return FileLookup::join(korvuPfad, QStringLiteral("HRang") + QString::number(vtxServerId) + QStringLiteral(".csv"));
}

QStringList readItems(const QByteArray& bytes)
{
    QStringList items;
    const qsizetype n = bytes.size();
    qsizetype pos = 0;
    while (pos < n) {
        while (pos < n && (bytes[pos] == ' ' || bytes[pos] == '\t'))
            ++pos;
        QByteArray item;
        if (pos < n && bytes[pos] == '"') {
            const qsizetype close = bytes.indexOf('"', pos + 1);
            const qsizetype end = close < 0 ? n : close;
            item = bytes.mid(pos + 1, end - pos - 1);
            pos = close < 0 ? n : close + 1;
            while (pos < n && bytes[pos] != ',' && !isLineEnd(bytes[pos]))
                ++pos;
        } else {
            const qsizetype start = pos;
            while (pos < n && bytes[pos] != ',' && !isLineEnd(bytes[pos]))
                ++pos;
            item = bytes.mid(start, pos - start);
        }
        if (pos < n)
            pos = bytes[pos] == ',' ? pos + 1 : skipLineEnd(bytes, pos);
        items.append(TextCodec::decode(item));
    }
    return items;
}

std::optional<QStringList> read(const QString& path)
{
    const std::optional<QString> found = FileLookup::findFile(path);
    if (!found)
        return std::nullopt;
    QFile file(*found);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return readItems(bytes);
}

} // namespace RankingFile
