#pragma once

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// An INI-style profile file with the lookup rules of the Windows profile
// functions: section and key names compare case-insensitively, blanks around
// names and values are ignored, a value in one pair of surrounding quotes is
// returned without them, text is cut to the buffer size minus one, integers are
// the leading decimal number (sign allowed). Writing a key edits the document
// in place and keeps every other line, section and comment; a missing section
// is appended. The document is loaded once and saved once, atomically.
//
// The bytes of the file are decoded with the given code page (the system's
// ANSI code page for every file of this program except the language files).
class ProfileDocument {
public:
    explicit ProfileDocument(QString path, QByteArray codePage = TextCodec::ansiCodePage());

    // Reads the file; a missing or unreadable file gives an empty document
    // (and false). Anything but a regular file, and a file of more than 64 MB,
    // counts as unreadable.
    bool load();
    // Writes the document to a temporary file beside the target, then renames
    // it over the target. Returns false (and leaves the old file) on failure.
    bool save() const;

    const QString& path() const { return m_path; }

    // GetPrivateProfileString: value of the key, or def when the section or key
    // is missing; the result is cut to bufferSize - 1 characters.
    QString readString(const QString& section, const QString& key, const QString& def, int bufferSize = 255) const;
    // GetPrivateProfileInt: leading decimal number of the value, def when the
    // key is missing, 0 when the value holds no number.
    int readInt(const QString& section, const QString& key, int def) const;
    bool hasKey(const QString& section, const QString& key) const;

    // WritePrivateProfileString: replaces the value of an existing key, or adds
    // the key at the end of its section, or the section at the end.
    void writeString(const QString& section, const QString& key, const QString& value);

private:
    bool parse(const QByteArray& bytes);

    QString m_path;
    QByteArray m_codePage;
    QStringList m_lines;
    // Line numbers of the section headers: a lookup walks these, not every line.
    std::vector<qsizetype> m_sections;
    // The file exists but could not be read: save() must not replace it.
    bool m_unreadable = false;
};

// One-shot forms with the Windows signatures, for callers that touch a single key.
QString GetPrivateProfileString(
    const QString& section, const QString& key, const QString& def, int bufferSize, const QString& path);
int GetPrivateProfileInt(const QString& section, const QString& key, int def, const QString& path);
bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value, const QString& path);
