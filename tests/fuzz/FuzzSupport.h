#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Shared by the fuzz harnesses and their replay tests.

// A broken property ends the run at once, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", __FILE__, __LINE__, #condition);                    \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace FuzzSupport {

inline QByteArray bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// One folder per process for the files the readers take; in memory where the
// system offers it, as every input is written to disk once or more.
inline const QString& tempDir()
{
    static const QTemporaryDir dir(
        (QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath())
        + QStringLiteral("/omr-fuzz-XXXXXX"));
    static const QString path = dir.isValid() ? dir.path() : (std::abort(), QString());
    return path;
}

inline QString filePath(const QString& name)
{
    return tempDir() + QLatin1Char('/') + name;
}

// Writes the bytes to name in the temporary folder and returns the path.
inline QString writeFile(const QString& name, const QByteArray& content)
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        std::abort();
    return file.fileName();
}

} // namespace FuzzSupport
