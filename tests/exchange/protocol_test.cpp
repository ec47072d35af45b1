#include "exchange/Austausch.h"
#include "exchange/ExchangeCodes.h"
#include "exchange/ExchangeFolder.h"
#include "exchange/FileHandshake.h"
#include "exchange/MessageFileNames.h"
#include "exchange/SatzZerlegen.h"
#include "platform/RuleTable.h"
#include "support/TestDialogs.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;
using R = const RuleTable::Row&;

namespace {

// Every table runs in an exchange folder of its own with the steps of
// RuleTable::Folder and these rules.
void run(const char* table)
{
    RuleTable::Folder folder;
    std::optional<ExchangeFolder> tick;
    const auto inside = [&folder](const QString& path) {
        return QDir::fromNativeSeparators(path).mid(folder.root().size() + 1).toUtf8();
    };
    const auto receive = [&folder](const QString& base) {
        QString value;
        ReceiveFault fault;
        const std::uint8_t code = DateiEmpfangen(value, folder.path(base), &fault);
        const QString shown = value.size() > 200 ? u"(%1 characters)"_s.arg(value.size()) : value;
        return (QString::number(code) + u' ' + (code == ExchangeCode::FileError ? fault.what : shown))
            .trimmed()
            .toUtf8();
    };
    RuleTable::Rules rules = folder.steps();
    rules.merge(RuleTable::Rules {
        {"DateinameAlt", [](R r) { return DateinameAlt(r.integer(0), r.integer(1), r.integer(2)).toUtf8(); }},
        {"DateinameRangliste",
            [](R r) { return DateinameRangliste(r.integer(0), r.integer(1), r.integer(2)).toUtf8(); }},
        {"Dateiname2002",
            [](R r) { return Dateiname2002(r.integer(0), r.integer(1), r.integer(2), r.integer(3)).toUtf8(); }},
        {"Dateiname2002Server2",
            [](R r) { return Dateiname2002Server2(r.integer(0), r.integer(1), r.integer(2), r.integer(3)).toUtf8(); }},
        // The quiet split and the box's texts are held against these in the
        // record fuzzer's replay.
        {"SatzZerlegen",
            [](R r) {
                TestDialogs::clear();
                const LaneMessage m = SatzZerlegen(r.text(0));
                return (u"%1 %2 %3 %4 [%5]"_s.arg(m.A).arg(m.S).arg(m.L).arg(m.B).arg(m.N)
                    + u" box"_s.repeated(TestDialogs::messages().size()))
                    .toUtf8();
            }},
        {"send", [&folder](R r) { return QByteArray::number(DateiSenden(r.text(1), folder.path(r.text(0)))); }},
        {"receive", [&](R r) { return receive(r.text(0)); }},
        {"Austausch",
            [&folder](R r) {
                QString value = r.text(1);
                const QList<QByteArray> n = r.args[2].split(' ');
                const QString dir = folder.path(r.text(4));
                const int enable = r.integer(3), to = r.integer(5), role = r.integer(6);
                const int code = r.args[0] == "Alt" ? AustauschAlt(value, n[0].toInt(), enable, dir, to, role)
                    : r.args[0] == "Rangliste"      ? AustauschRangliste(value, n[0].toInt(), enable, dir, to, role)
                    : r.args[0] == "2002"
                    ? Austausch2002(value, n[0].toInt(), n.value(1).toInt(), enable, dir, to, role)
                    : Austausch2002Server2(value, n[0].toInt(), n.value(1).toInt(), enable, dir, to, role);
                return (QString::number(code) + u' ' + value).toUtf8();
            }},
        {"list",
            [&](R r) {
                tick.emplace(FileSystem::disk(), folder.path(r.text(0)));
                return tick->reachable() ? inside(tick->path()) : "unreachable";
            }},
        {"entry", [&](R r) { return tick->entry(r.text(0)) ? inside(*tick->entry(r.text(0))) : "none"; }},
        {"named", [&](R r) -> QByteArray {
             const auto read = tick->readNamed(r.text(0));
             const char* status[] = {" read ", " missing", " unreadable"};
             return read ? inside(read->path) + status[int(read->content.status)] + read->content.bytes : "refused";
         }}});
    RuleTable::run(QStringLiteral("exchange/rules/") + QLatin1String(table), rules);
}

TEST(ExchangeRules, FileNamesRecordsHandshakeAndTheFolderOfOneTick)
{
    for (const char* table : {"names.txt", "records.txt", "handshake.txt", "folder.txt"})
        run(table);
}

} // namespace
