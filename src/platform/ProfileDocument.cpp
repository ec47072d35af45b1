#include "platform/ProfileDocument.h"

#include "platform/FileLookup.h"
#include "platform/FileSnapshot.h"
#include "platform/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// The first character that is not white space, or a null QChar: enough to
// tell headers and comments without copying the line.
QChar firstNonBlank(const QString& line)
{
    for (const QChar c : line) {
        if (!c.isSpace())
            return c;
    }
    return QChar();
}

// Section name of a "[ Name ]" line, or nullopt for any other line.
std::optional<QString> sectionName(const QString& line)
{
    if (firstNonBlank(line) != QLatin1Char('['))
        return std::nullopt;
    const QStringView trimmed = QStringView(line).trimmed();
    qsizetype end = trimmed.indexOf(QLatin1Char(']'));
    if (end < 0)
        end = trimmed.size();
    return trimmed.mid(1, end - 1).trimmed().toString();
}

bool isComment(const QString& line)
{
    return firstNonBlank(line) == QLatin1Char(';');
}

// Key and raw value of a "key = value" line.
bool splitKeyLine(const QString& line, QString* key, QString* value)
{
    if (isComment(line))
        return false;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    if (key->isEmpty())
        return false;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

struct Location {
    qsizetype header = -1; // line of the section header
    qsizetype key = -1; // line of the key
    qsizetype lastKey = -1; // last key line of the section
};

// Far beyond any profile file this program reads or writes.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

// Line numbers of the section headers, in order.
std::vector<qsizetype> indexSections(const QStringList& lines)
{
    std::vector<qsizetype> sections;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (firstNonBlank(lines[i]) == QLatin1Char('['))
            sections.push_back(i);
    }
    return sections;
}

void insertLine(QStringList& lines, std::vector<qsizetype>& sections, qsizetype at, const QString& line)
{
    lines.insert(at, line);
    auto later = std::lower_bound(sections.begin(), sections.end(), at);
    for (auto it = later; it != sections.end(); ++it)
        ++*it;
    if (firstNonBlank(line) == QLatin1Char('['))
        sections.insert(later, at);
}

// Finds the first section of that name and, inside it, the first line of the
// key. Only the headers and the lines of that one section are looked at, so a
// huge file of junk does not make every key cost a pass over the whole file.
Location locate(
    const QStringList& lines, const std::vector<qsizetype>& sections, const QString& section, const QString& key)
{
    Location loc;
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const auto name = sectionName(lines[sections[s]]);
        if (!name || name->compare(wantedSection, Qt::CaseInsensitive) != 0)
            continue;
        loc.header = sections[s];
        const qsizetype end = s + 1 < sections.size() ? sections[s + 1] : lines.size();
        for (qsizetype i = loc.header + 1; i < end; ++i) {
            QString lineKey;
            if (!splitKeyLine(lines[i], &lineKey, nullptr))
                continue;
            loc.lastKey = i;
            if (loc.key < 0 && lineKey.compare(wantedKey, Qt::CaseInsensitive) == 0)
                loc.key = i;
        }
        break;
    }
    return loc;
}

QString unquote(const QString& value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

std::optional<QString> rawValue(
    const QStringList& lines, const std::vector<qsizetype>& sections, const QString& section, const QString& key)
{
    const Location loc = locate(lines, sections, section, key);
    if (loc.key < 0)
        return std::nullopt;
    QString lineKey;
    QString value;
    splitKeyLine(lines[loc.key], &lineKey, &value);
    return unquote(value);
}

// Leading decimal integer after blanks, with an optional sign; values beyond
// the int range are clamped.
int leadingInt(const QString& text)
{
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == QLatin1Char(' ') || text[pos] == QLatin1Char('\t')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    long long value = 0;
    for (; pos < text.size() && text[pos] >= QLatin1Char('0') && text[pos] <= QLatin1Char('9'); ++pos) {
        value = value * 10 + (text[pos].unicode() - '0');
        if (value > (1LL << 40))
            value = 1LL << 40;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(value);
}

// Windows finds the file whatever the case of its name (and of its folders);
// so do we, and later saves go to the file that was found. A file that does
// not exist yet goes into the folder that matches.
QString existingOrNewPath(const QString& path)
{
    if (const auto found = FileLookup::findFile(path))
        return *found;
    const QFileInfo info(FileLookup::toNative(path));
    if (const auto folder = FileLookup::findDirectory(info.path()))
        return FileLookup::join(*folder, info.fileName());
    return info.filePath();
}

} // namespace

ProfileDocument::ProfileDocument(QString path, QByteArray codePage)
    : m_path(std::move(path)), m_codePage(std::move(codePage))
{
}

bool ProfileDocument::load()
{
    m_lines.clear();
    m_sections.clear();
    m_unreadable = false;
    if (const FileRead* ahead = FileSnapshot::find(m_path)) {
        m_unreadable = ahead->status == FileRead::Status::Unreadable;
        return ahead->ok() && parse(ahead->bytes);
    }
    m_path = existingOrNewPath(m_path);
    const QFileInfo info(m_path);
    if (info.exists() && (!info.isFile() || info.size() > kLargestFile)) {
        // A pipe would block the read, a device or a monster file exhaust the
        // memory; none of them is a profile file to be read or replaced.
        m_unreadable = true;
        return false;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_unreadable = file.exists();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_unreadable = true;
        return false;
    }
    return parse(bytes);
}

bool ProfileDocument::parse(const QByteArray& bytes)
{
    QString text = TextCodec::decode(bytes, m_codePage);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_lines = text.split(QLatin1Char('\n'));
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
    m_sections = indexSections(m_lines);
    return true;
}

bool ProfileDocument::save() const
{
    if (m_unreadable)
        return false;
    QString text;
    for (const QString& line : m_lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = TextCodec::encode(text, m_codePage);
    // A write that breaks off part way (disk full, file too large) may surface
    // only when the buffer is flushed, and commit() would still rename the
    // partial file over the target. The destructor discards a cancelled file.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString ProfileDocument::readString(
    const QString& section, const QString& key, const QString& def, int bufferSize) const
{
    if (bufferSize <= 0)
        return QString();
    const QString value = rawValue(m_lines, m_sections, section, key).value_or(def);
    return value.left(bufferSize - 1);
}

int ProfileDocument::readInt(const QString& section, const QString& key, int def) const
{
    const auto value = rawValue(m_lines, m_sections, section, key);
    if (!value)
        return def;
    return leadingInt(*value);
}

bool ProfileDocument::hasKey(const QString& section, const QString& key) const
{
    return locate(m_lines, m_sections, section, key).key >= 0;
}

void ProfileDocument::writeString(const QString& section, const QString& key, const QString& value)
{
    const Location loc = locate(m_lines, m_sections, section, key);
    if (loc.key >= 0) {
        QString existingKey;
        splitKeyLine(m_lines[loc.key], &existingKey, nullptr);
        m_lines[loc.key] = existingKey + QLatin1Char('=') + value;
        return;
    }
    const QString newLine = key.trimmed() + QLatin1Char('=') + value;
    if (loc.header >= 0) {
        const qsizetype after = loc.lastKey >= 0 ? loc.lastKey : loc.header;
        insertLine(m_lines, m_sections, after + 1, newLine);
        return;
    }
    insertLine(m_lines, m_sections, m_lines.size(), QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
    insertLine(m_lines, m_sections, m_lines.size(), newLine);
}

QString GetPrivateProfileString(
    const QString& section, const QString& key, const QString& def, int bufferSize, const QString& path)
{
    ProfileDocument document(path);
    document.load();
    return document.readString(section, key, def, bufferSize);
}

int GetPrivateProfileInt(const QString& section, const QString& key, int def, const QString& path)
{
    ProfileDocument document(path);
    document.load();
    return document.readInt(section, key, def);
}

bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value, const QString& path)
{
    ProfileDocument document(path);
    document.load();
    document.writeString(section, key, value);
    return document.save();
}
