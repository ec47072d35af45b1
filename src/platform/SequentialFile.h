#pragma once

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <stdexcept>

// Sequential text files in the quoted, comma-separated form (Input # / Write #).

// Thrown by SequentialReader when the file ends before an item, or cannot be
// read. Callers that must stop at the first error catch it.
class SequentialReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SequentialItem {
    QString text;
    bool quoted = false;
};

// Reads items: blanks before an item are skipped; an item that begins with a
// double quote runs to the next double quote (commas inside are kept) and the
// rest up to the next comma or line end is dropped; an unquoted item ends at a
// comma or line end and loses its surrounding blanks. Bytes are decoded in the
// system's ANSI code page unless another code page is given.
class SequentialReader {
public:
    explicit SequentialReader(QString path, QByteArray codePage = TextCodec::ansiCodePage());
    ~SequentialReader();
    SequentialReader(const SequentialReader&) = delete;
    SequentialReader& operator=(const SequentialReader&) = delete;

    // Reader over bytes in memory (tests, parsers of received text).
    static std::unique_ptr<SequentialReader> fromBytes(
        const QByteArray& bytes, QByteArray codePage = TextCodec::ansiCodePage());

    // Opens the file for reading. With lockForReading the file is locked
    // against writers until close() (or destruction), on every path.
    bool open(bool lockForReading = false);
    void close();
    bool isOpen() const;

    // True when only blanks and line ends remain.
    bool atEnd() const;

    SequentialItem readItem(); // throws SequentialReadError at the end
    QString readText(); // the item's text
    double readNumber(); // leading-number rule on the item's text

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Writes items the way Write # does: text in double quotes, numbers plain,
// items separated by commas, each record ended by CR LF.
class SequentialWriter {
public:
    explicit SequentialWriter(QString path, QByteArray codePage = TextCodec::ansiCodePage());
    ~SequentialWriter();
    SequentialWriter(const SequentialWriter&) = delete;
    SequentialWriter& operator=(const SequentialWriter&) = delete;

    bool open(); // create or truncate
    void writeText(const QString& text);
    void writeNumber(double value);
    void writeBool(bool value); // #TRUE# / #FALSE#
    void endRecord(); // CR LF
    // Flushes and closes; false when anything could not be written.
    bool close();

    // Formatting of one number as Write # puts it (shortest form, "." decimal).
    static QString formatNumber(double value);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
