// Profile files: lookups in arbitrary files, then a write, save and load
// that must give back what was written and leave every other key alone.

#include "FuzzSupport.h"
#include "platform/ProfileDocument.h"
#include "platform/TextCodec.h"

#include <tuple>
#include <vector>

namespace {

struct Name {
    QString section;
    QString key;
    bool operator==(const Name& other) const
    {
        return section.trimmed().compare(other.section.trimmed(), Qt::CaseInsensitive) == 0
            && key.trimmed().compare(other.key.trimmed(), Qt::CaseInsensitive) == 0;
    }
};

// Section and key names that stand in the text, as a reader of the file would
// pick them out, plus two that are not there.
std::vector<Name> namesIn(const QString& text, QStringList& sections)
{
    std::vector<Name> names;
    QString section;
    for (const QString& line : QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            section = trimmed.mid(1, (close < 0 ? trimmed.size() : close) - 1).trimmed();
            if (sections.size() < 8)
                sections.append(section);
        } else if (!trimmed.startsWith(QLatin1Char(';')) && eq >= 0 && !line.left(eq).trimmed().isEmpty()
            && names.size() < 24) {
            names.push_back({section, line.left(eq).trimmed()});
        }
    }
    names.push_back({QStringLiteral("Options"), QStringLiteral("Fehlt")});
    names.push_back({QStringLiteral(" fehlende Sektion "), QStringLiteral("Schluessel")});
    return names;
}

// What a reader sees of a key; lookups whose results must agree with each other.
std::tuple<QString, int, bool> lookup(const ProfileDocument& doc, const Name& name)
{
    const QString def = QStringLiteral("<default>");
    const QString full = doc.readString(name.section, name.key, def, 255);
    FUZZ_CHECK(full.size() <= 254);
    for (const int buffer : {-1, 0, 1, 2, 17, 254})
        FUZZ_CHECK(
            doc.readString(name.section, name.key, def, buffer) == (buffer <= 0 ? QString() : full.left(buffer - 1)));
    const int number = doc.readInt(name.section, name.key, -4711);
    const bool present = doc.hasKey(name.section, name.key);
    FUZZ_CHECK(present || (full == def && number == -4711));
    return {doc.readString(name.section, name.key, def, 4096), number, present};
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
    std::vector<std::tuple<QString, int, bool>> before;
    for (const Name& name : names)
        before.push_back(lookup(doc, name));

    // What to write, chosen by the input: an existing key, a new key in an
    // existing section, or a new section.
    const unsigned choice = size == 0 ? 0u : unsigned(data[0] ^ data[size - 1]) + unsigned(size);
    Name target {QStringLiteral("Neu"), QStringLiteral("NeuerSchluessel")};
    if (choice % 3 == 0 && names.size() > 2)
        target = names[(choice / 3) % (names.size() - 2)];
    else if (choice % 3 == 1 && !sections.isEmpty())
        target.section = sections[qsizetype((choice / 3) % unsigned(sections.size()))];
    // The value: a piece of the input without what a value cannot carry (line
    // ends, blanks at its ends); one pair of quotes around it goes on reading.
    QString value = TextCodec::decode(input.mid(size == 0 ? 0 : qsizetype(choice % size), 300));
    value = value.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).trimmed();
    const bool quoted = value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'));
    const QString expected = quoted ? value.mid(1, value.size() - 2) : value;

    doc.writeString(target.section, target.key, value);
    FUZZ_CHECK(doc.readString(target.section, target.key, QString(), 4096) == expected);
    FUZZ_CHECK(doc.save());
    ProfileDocument reloaded(path);
    FUZZ_CHECK(reloaded.load());
    FUZZ_CHECK(std::get<0>(lookup(reloaded, target)) == expected && reloaded.hasKey(target.section, target.key));
    FUZZ_CHECK(reloaded.readString(target.section, target.key, QString(), 255) == expected.left(254));
    for (std::size_t i = 0; i < names.size(); ++i)
        FUZZ_CHECK(names[i] == target || lookup(reloaded, names[i]) == before[i]);
    return 0;
}
