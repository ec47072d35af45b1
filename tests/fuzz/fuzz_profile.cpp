// Profile files: lookups in arbitrary files, then a write, save and load
// that must give back what was written and leave every other key alone.

#include "FuzzSupport.h"
#include "platform/ProfileDocument.h"
#include "platform/TextCodec.h"

#include <QStringList>

#include <vector>

namespace {

struct Name {
    QString section;
    QString key;
};

bool sameName(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QChar firstNonSpace(const QString& line)
{
    for (const QChar c : line) {
        if (!c.isSpace())
            return c;
    }
    return QChar();
}

// Section and key names that stand in the text, as a reader of the file would
// pick them out, plus names that are not there.
std::vector<Name> namesIn(const QString& text, QStringList& sections)
{
    std::vector<Name> names;
    QString section;
    const QStringList lines = QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QChar first = firstNonSpace(line);
        if (first == QLatin1Char('[')) {
            const QString trimmed = line.trimmed();
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            section = trimmed.mid(1, (close < 0 ? trimmed.size() : close) - 1).trimmed();
            if (sections.size() < 8)
                sections.append(section);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (first == QLatin1Char(';') || eq < 0 || line.left(eq).trimmed().isEmpty())
            continue;
        if (names.size() < 24)
            names.push_back({section, line.left(eq).trimmed()});
    }
    names.push_back({QStringLiteral("Options"), QStringLiteral("Fehlt")});
    names.push_back({QStringLiteral(" fehlende Sektion "), QStringLiteral("Schluessel")});
    return names;
}

QString unquoted(const QString& value)
{
    if (value.size() >= 2 && value.front() == QLatin1Char('"') && value.back() == QLatin1Char('"'))
        return value.mid(1, value.size() - 2);
    return value;
}

// Lookups whose results must agree with each other.
void checkLookups(const ProfileDocument& doc, const Name& name)
{
    const QString def = QStringLiteral("<default>");
    const QString full = doc.readString(name.section, name.key, def, 255);
    FUZZ_CHECK(full.size() <= 254);
    for (const int buffer : {-1, 0, 1, 2, 17, 254}) {
        const QString cut = doc.readString(name.section, name.key, def, buffer);
        FUZZ_CHECK(cut == (buffer <= 0 ? QString() : full.left(buffer - 1)));
    }
    const int number = doc.readInt(name.section, name.key, -4711);
    if (!doc.hasKey(name.section, name.key)) {
        FUZZ_CHECK(full == def);
        FUZZ_CHECK(number == -4711);
    }
}

struct Snapshot {
    QString text;
    int number;
    bool present;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const ProfileDocument& doc, const Name& name)
{
    return {doc.readString(name.section, name.key, QStringLiteral("<default>"), 4096),
        doc.readInt(name.section, name.key, -4711), doc.hasKey(name.section, name.key)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = FuzzSupport::bytes(data, size);
    const QString path = FuzzSupport::writeFile(QStringLiteral("profil.ini"), input);

    ProfileDocument doc(path);
    FUZZ_CHECK(doc.load());
    QStringList sections;
    const std::vector<Name> names = namesIn(TextCodec::decode(input), sections);
    std::vector<Snapshot> before;
    for (const Name& name : names) {
        checkLookups(doc, name);
        before.push_back(snapshot(doc, name));
    }

    // What to write, chosen by the input: an existing key, a new key in an
    // existing section, or a new section.
    const unsigned choice = size == 0 ? 0u : unsigned(data[0] ^ data[size - 1]) + unsigned(size);
    Name target {QStringLiteral("Neu"), QStringLiteral("NeuerSchluessel")};
    const std::size_t existingKeys = names.size() - 2;
    if (choice % 3 == 0 && existingKeys > 0)
        target = names[(choice / 3) % existingKeys];
    else if (choice % 3 == 1 && !sections.isEmpty())
        target.section = sections[qsizetype((choice / 3) % unsigned(sections.size()))];

    // The value: a piece of the input, without what a profile value cannot
    // carry: line ends (they would start a new line) and blanks at its ends
    // (they are not part of the value on reading).
    const qsizetype start = size == 0 ? 0 : qsizetype(choice % size);
    QString value = TextCodec::decode(input.mid(start, 300));
    value.remove(QLatin1Char('\r'));
    value.remove(QLatin1Char('\n'));
    value = value.trimmed();
    // One pair of surrounding quotes is taken off on reading, and the value is
    // cut to the buffer.
    const QString expected = unquoted(value);

    doc.writeString(target.section, target.key, value);
    FUZZ_CHECK(doc.readString(target.section, target.key, QString(), 4096) == expected);
    FUZZ_CHECK(doc.save());

    ProfileDocument reloaded(path);
    FUZZ_CHECK(reloaded.load());
    FUZZ_CHECK(reloaded.hasKey(target.section, target.key));
    FUZZ_CHECK(reloaded.readString(target.section, target.key, QString(), 4096) == expected);
    FUZZ_CHECK(reloaded.readString(target.section, target.key, QString(), 255) == expected.left(254));
    checkLookups(reloaded, target);

    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sameName(names[i].section, target.section) && sameName(names[i].key, target.key))
            continue;
        FUZZ_CHECK(snapshot(reloaded, names[i]) == before[i]);
    }
    return 0;
}
