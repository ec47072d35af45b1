#include "platform/SequentialFile.h"

#include "platform/FileSnapshot.h"
#include "platform/LockedFile.h"
#include "platform/TextCodec.h"
#include "platform/VbNumbers.h"

#include <QFile>

#include <charconv>
#include <cmath>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

struct SequentialReader::Impl {
    QString path;
    QByteArray codePage;
    QString text;
    qsizetype pos = 0;
    bool open = false;
    LockedFile file;

    void setBytes(const QByteArray& bytes)
    {
        text = TextCodec::decode(bytes, codePage);
        // Ctrl-Z marks the end of a text file.
        const qsizetype eof = text.indexOf(QChar(0x1A));
        if (eof >= 0)
            text.truncate(eof);
        pos = 0;
    }

    // Consumes one line end (CR LF, LF or CR) at pos, if there is one.
    void skipLineEnd()
    {
        if (pos < text.size() && text[pos] == QLatin1Char('\r'))
            ++pos;
        if (pos < text.size() && text[pos] == QLatin1Char('\n'))
            ++pos;
    }
};

SequentialReader::SequentialReader(QString path, QByteArray codePage) : d(std::make_unique<Impl>())
{
    d->path = std::move(path);
    d->codePage = std::move(codePage);
}

SequentialReader::~SequentialReader()
{
    close();
}

std::unique_ptr<SequentialReader> SequentialReader::fromBytes(const QByteArray& bytes, QByteArray codePage)
{
    auto reader = std::make_unique<SequentialReader>(QString(), std::move(codePage));
    reader->d->setBytes(bytes);
    reader->d->open = true;
    return reader;
}

bool SequentialReader::open(bool lockForReading)
{
    close();
    if (const FileRead* ahead = FileSnapshot::find(d->path)) {
        if (!ahead->ok())
            return false;
        d->setBytes(ahead->bytes);
        d->open = true;
        return true;
    }
    if (!d->file.open(d->path, false, lockForReading))
        return false;
    const QByteArray bytes = d->file.file().readAll();
    if (d->file.file().error() != QFileDevice::NoError) {
        d->file.close();
        return false;
    }
    d->setBytes(bytes);
    d->open = true;
    if (!lockForReading)
        d->file.close();
    return true;
}

void SequentialReader::close()
{
    d->file.close();
    d->open = false;
    d->text.clear();
    d->pos = 0;
}

bool SequentialReader::isOpen() const
{
    return d->open;
}

bool SequentialReader::atEnd() const
{
    if (!d->open)
        return true;
    for (qsizetype i = d->pos; i < d->text.size(); ++i) {
        if (!isBlank(d->text[i]) && !isLineEnd(d->text[i]))
            return false;
    }
    return true;
}

SequentialItem SequentialReader::readItem()
{
    if (!d->open)
        throw SequentialReadError("file not open");
    const QString& text = d->text;
    qsizetype& pos = d->pos;
    while (pos < text.size() && (isBlank(text[pos]) || isLineEnd(text[pos])))
        ++pos;
    if (pos >= text.size())
        throw SequentialReadError("input past end of file");

    SequentialItem item;
    if (text[pos] == QLatin1Char('"')) {
        item.quoted = true;
        const qsizetype start = pos + 1;
        qsizetype end = text.indexOf(QLatin1Char('"'), start);
        if (end < 0)
            end = text.size();
        item.text = text.mid(start, end - start);
        pos = end + 1;
        while (pos < text.size() && text[pos] != QLatin1Char(',') && !isLineEnd(text[pos]))
            ++pos;
        if (pos < text.size() && text[pos] == QLatin1Char(','))
            ++pos;
        else
            d->skipLineEnd();
        return item;
    }

    const qsizetype start = pos;
    while (pos < text.size() && text[pos] != QLatin1Char(',') && !isLineEnd(text[pos]))
        ++pos;
    item.text = text.mid(start, pos - start).trimmed();
    if (pos < text.size() && text[pos] == QLatin1Char(','))
        ++pos;
    else
        d->skipLineEnd();
    return item;
}

QString SequentialReader::readText()
{
    return readItem().text;
}

double SequentialReader::readNumber()
{
    const SequentialItem item = readItem();
    if (!item.quoted) {
        if (item.text.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
            return -1;
        if (item.text.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
            return 0;
    }
    return VbNumbers::leadingNumber(item.text);
}

struct SequentialWriter::Impl {
    QString path;
    QByteArray codePage;
    LockedFile file;
    bool firstInRecord = true;
    bool failed = false;

    void put(const QString& text)
    {
        if (!file.isOpen()) {
            failed = true;
            return;
        }
        const QByteArray bytes = TextCodec::encode(text, codePage);
        if (file.file().write(bytes) != bytes.size())
            failed = true;
    }

    void putItem(const QString& item)
    {
        put(firstInRecord ? item : QLatin1Char(',') + item);
        firstInRecord = false;
    }
};

SequentialWriter::SequentialWriter(QString path, QByteArray codePage) : d(std::make_unique<Impl>())
{
    d->path = std::move(path);
    d->codePage = std::move(codePage);
}

SequentialWriter::~SequentialWriter()
{
    close();
}

bool SequentialWriter::open()
{
    d->file.close();
    d->firstInRecord = true;
    d->failed = false;
    if (!d->file.open(d->path, true, true)) {
        d->failed = true;
        return false;
    }
    return true;
}

void SequentialWriter::writeText(const QString& text)
{
    d->putItem(QLatin1Char('"') + text + QLatin1Char('"'));
}

void SequentialWriter::writeNumber(double value)
{
    d->putItem(formatNumber(value));
}

void SequentialWriter::writeBool(bool value)
{
    d->putItem(value ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#"));
}

void SequentialWriter::endRecord()
{
    d->put(QStringLiteral("\r\n"));
    d->firstInRecord = true;
}

bool SequentialWriter::close()
{
    if (!d->file.isOpen())
        return false;
    if (!d->file.file().flush())
        d->failed = true;
    d->file.close();
    return !d->failed;
}

QString SequentialWriter::formatNumber(double value)
{
    if (std::isnan(value) || std::isinf(value))
        return QStringLiteral("0");
    if (value == 0)
        return QStringLiteral("0");
    // Shortest digits that read back to the same double; plain decimals for
    // the usual magnitudes, the exponent form only for very small or large ones.
    const double magnitude = std::fabs(value);
    const auto format
        = magnitude >= 1e-5 && magnitude < 1e15 ? std::chars_format::fixed : std::chars_format::scientific;
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}
