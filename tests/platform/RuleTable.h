#pragma once

#include "platform/SequentialFile.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <charconv>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

// Rules and scenarios kept as tables in data files under tests/, one row a case
// or a step: rule | argument | ... | expected. Fields are trimmed, a field in
// backquotes keeps its blanks. Escapes: \t \r \n \0, \xNN (a raw byte; text is
// UTF-8), \ before any other character (\| \\). Lines starting with # are comments.
namespace RuleTable {

struct Row {
    QList<QByteArray> args;
    QString text(qsizetype i) const { return QString::fromUtf8(args.value(i)); }
    double number(qsizetype i) const { return std::strtod(args.value(i).constData(), nullptr); }
    int integer(qsizetype i) const { return args.value(i).toInt(); }
};

// A rule gives its result as the bytes of the expected field: text in UTF-8,
// numbers by number().
using Rule = std::function<QByteArray(const Row&)>;
using Rules = std::map<QByteArray, Rule>;

inline QByteArray number(double value)
{
    char text[32];
    return QByteArray(text, std::to_chars(text, text + sizeof text, value).ptr - text);
}

inline const auto done = [](bool ok) { return QByteArray(ok ? "ok" : "failed"); };

// A rule for a step that cannot fail.
inline const auto step
    = [](std::function<void(const Row&)> call) -> Rule { return [call](const Row& r) { return call(r), done(true); }; };

inline QList<QByteArray> fields(const QByteArray& line)
{
    QList<QByteArray> fields {QByteArray()};
    bool escaped = false;
    for (const char c : line) {
        if (c == '|' && !escaped)
            fields.append(QByteArray());
        else
            fields.last() += c;
        escaped = !escaped && c == '\\';
    }
    for (QByteArray& field : fields) {
        field = field.trimmed();
        if (field.size() >= 2 && field.startsWith('`') && field.endsWith('`'))
            field = field.mid(1, field.size() - 2);
        QByteArray plain;
        for (qsizetype i = 0; i < field.size(); ++i) {
            const char e = field[i] == '\\' && i + 1 < field.size() ? field[++i] : 0;
            const qsizetype k = QByteArrayView("trn0").indexOf(e);
            if (e == 'x')
                plain += char(field.mid(i + 1, 2).toUInt(nullptr, 16));
            else
                plain += e == 0 ? field[i] : k < 0 ? e : "\t\r\n"[k]; // \0 is the literal's terminator
            i += e == 'x' ? 2 : 0;
        }
        field = plain;
    }
    return fields;
}

// Runs every row of tests/<file>, in order.
inline void run(const QString& file, const Rules& rules)
{
    QFile in(QStringLiteral(OMR_TESTS_DIR "/") + file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << qPrintable(in.fileName());
    for (int number = 1; !in.atEnd(); ++number) {
        const QByteArray line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QList<QByteArray> args = fields(line);
        const auto rule = rules.find(args.takeFirst());
        ASSERT_TRUE(rule != rules.end() && !args.isEmpty()) << qPrintable(file) << ":" << number;
        const QByteArray expected = args.takeLast();
        const QByteArray result = rule->second(Row {args});
        EXPECT_TRUE(result == expected) << qPrintable(file) << ":" << number << ": " << line.constData()
                                        << "\n  gives: "
                                        << result.toPercentEncoding(" !\"#$&'()*+,-./:;<=>?@[]^_`{}~").constData();
    }
}

// The items a reader gives up to the end, each in brackets, quoted ones in
// quotes; or the numbers it reads.
inline QByteArray items(SequentialReader& reader, bool numbers = false)
{
    QByteArray shown;
    while (!reader.atEnd()) {
        const SequentialItem item = numbers ? SequentialItem {} : reader.readItem();
        const QByteArray text = numbers ? number(reader.readNumber()) : item.text.toUtf8();
        shown += '[' + (item.quoted ? '"' + text + '"' : text) + ']';
    }
    EXPECT_THROW(reader.readItem(), SequentialReadError);
    return shown;
}

// Steps on the files of a folder of its own, names relative to it, giving ok or
// failed unless said otherwise: write | name | bytes; remove, mkdir, rmdir |
// name; read | name (the bytes, or none); files | folder (its files in name
// order); hold | name (a reader locks it against writers); writing | name |
// length (a writer still at work on that many x); release | name (either ends);
// put | name | item... (as Write # puts them: "text", #TRUE#, #FALSE#, a
// number, / ends the record); get | name | items or numbers (what a reader
// finds, or failed); ansi | code page (files without one of their own take it).
class Folder {
public:
    ~Folder() { TextCodec::setAnsiCodePageForTest(QByteArray()); }
    QString root() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    Rules steps()
    {
        const auto path = [this](const Row& r) { return m_dir.filePath(r.text(0)); };
        return {{"write",
                    [=](const Row& r) {
                        QFile file(path(r));
                        return done(file.open(QIODevice::WriteOnly) && file.write(r.args.value(1)) >= 0);
                    }},
            {"remove", [=](const Row& r) { return done(QFile::remove(path(r))); }},
            {"mkdir", [=](const Row& r) { return done(QDir().mkpath(path(r))); }},
            {"rmdir", [=](const Row& r) { return done(QDir().rmdir(path(r))); }},
            {"read",
                [=](const Row& r) {
                    QFile file(path(r));
                    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("none");
                }},
            {"files", [=](const Row& r) { return QDir(path(r)).entryList(QDir::Files).join(u' ').toUtf8(); }},
            {"hold",
                [=, this](const Row& r) {
                    return done((m_held[r.text(0)] = std::make_unique<SequentialReader>(path(r)))->open(true));
                }},
            {"release",
                [this](const Row& r) { return done(m_held.erase(r.text(0)) + m_writing.erase(r.text(0)) == 1); }},
            {"writing",
                [=, this](const Row& r) {
                    auto& writer = m_writing[r.text(0)] = std::make_unique<SequentialWriter>(path(r));
                    const bool open = writer->open();
                    writer->writeText(QString(r.integer(1), u'x'));
                    return done(open && QFileInfo(path(r)).size() > 0);
                }},
            {"put",
                [=](const Row& r) {
                    SequentialWriter writer(path(r));
                    const bool open = writer.open();
                    for (const QByteArray& item : r.args.mid(1)) {
                        if (item == "/")
                            writer.endRecord();
                        else if (item.startsWith('#'))
                            writer.writeBool(item == "#TRUE#");
                        else if (item.startsWith('"'))
                            writer.writeText(QString::fromUtf8(item.mid(1, item.size() - 2)));
                        else
                            writer.writeNumber(item.toDouble());
                    }
                    return done(writer.close() && open);
                }},
            {"get",
                [=](const Row& r) {
                    SequentialReader reader(path(r));
                    const bool open = reader.open();
                    const QByteArray shown = items(reader, r.args[1] == "numbers"); // none unless open
                    return open ? shown : "failed" + shown;
                }},
            {"ansi", step([](const Row& r) { TextCodec::setAnsiCodePageForTest(r.args[0]); })}};
    }

private:
    QTemporaryDir m_dir;
    std::map<QString, std::unique_ptr<SequentialReader>> m_held;
    std::map<QString, std::unique_ptr<SequentialWriter>> m_writing;
};

} // namespace RuleTable
