#include "platform/FileLookup.h"
#include "platform/FileWorkers.h"
#include "platform/ProfileDocument.h"
#include "platform/RuleTable.h"
#include "platform/VbNumbers.h"
#include "platform/VbTimer.h"

#include <gtest/gtest.h>

using RuleTable::number;
using R = const RuleTable::Row&;

namespace {

// Every table runs in a folder of its own with the steps of RuleTable::Folder
// and these rules, the profile lookups on rules/lookup.ini.
void run(const char* table)
{
    ProfileDocument doc(QStringLiteral(OMR_TESTS_DIR "/platform/rules/lookup.ini"));
    ASSERT_TRUE(doc.load());
    RuleTable::Folder folder;
    const auto limited = [](auto value) { return value ? number(*value) : QByteArray("none"); };
    const auto at = [&folder](R r) { return r.text(0).isEmpty() ? QString() : folder.path(r.text(0)); };
    const auto inside = [&folder](const std::optional<QString>& path) {
        return path ? QDir::fromNativeSeparators(*path).mid(folder.root().size() + 1).toUtf8() : "none";
    };
    std::optional<VbTimer> timer;
    const auto state = [&timer] {
        return QByteArray::number(timer->interval()) + (timer->isEnabled() ? " enabled" : "")
            + (timer->isCounting() ? " counting" : "");
    };
    RuleTable::Rules rules = folder.steps();
    rules.merge(RuleTable::Rules {{"leadingNumber", [](R r) { return number(VbNumbers::leadingNumber(r.text(0))); }},
        {"val", [](R r) { return number(VbNumbers::val(r.text(0))); }},
        {"roundHalfEven", [](R r) { return number(VbNumbers::roundHalfEven(r.number(0))); }},
        {"toInt16", [&](R r) { return limited(VbNumbers::toInt16(r.number(0))); }},
        {"toUInt8", [&](R r) { return limited(VbNumbers::toUInt8(r.number(0))); }},
        {"toInt32", [&](R r) { return limited(VbNumbers::toInt32(r.number(0))); }},
        {"toText", [](R r) { return VbNumbers::toText(r.number(0), QChar::fromLatin1(r.args[1][0])).toUtf8(); }},
        {"toPrintText", [](R r) { return VbNumbers::toPrintText(r.number(0)).toUtf8(); }},
        {"writtenNumber", [](R r) { return SequentialWriter::formatNumber(r.number(0)).toUtf8(); }},
        // The text, which must encode to the bytes again.
        {"both",
            [](R r) {
                const QString text = TextCodec::decode(r.args[1], r.args[0]);
                EXPECT_EQ(TextCodec::encode(text, r.args[0]), r.args[1]) << r.args[0].constData();
                return text.toUtf8();
            }},
        // Longer than one pass of the converter.
        {"repeated",
            [](R r) {
                const int n = r.integer(2);
                const QString unit = TextCodec::decode(r.args[1], r.args[0]);
                EXPECT_EQ(TextCodec::decode(r.args[1].repeated(n), r.args[0]), unit.repeated(n));
                EXPECT_EQ(TextCodec::encode(unit.repeated(n), r.args[0]), r.args[1].repeated(n));
                return unit.toUtf8();
            }},
        {"decode", [](R r) { return TextCodec::decode(r.args[1], r.args[0]).toUtf8(); }},
        {"encode", [](R r) { return TextCodec::encode(r.text(1), r.args[0]); }},
        {"charset", [](R r) { return TextCodec::codePageForCharset(r.integer(0)); }},
        {"text", [&](R r) { return doc.readString(r.text(0), r.text(1), r.text(2), r.integer(3)).toUtf8(); }},
        {"int", [&](R r) { return QByteArray::number(doc.readInt(r.text(0), r.text(1), -5)); }},
        {"has", [&](R r) { return QByteArray(doc.hasKey(r.text(0), r.text(1)) ? "yes" : "no"); }},
        {"edit",
            [&](R r) {
                ProfileDocument edited(at(r));
                edited.load();
                for (qsizetype i = 1; i + 2 < r.args.size(); i += 3)
                    edited.writeString(r.text(i), r.text(i + 1), r.text(i + 2));
                return RuleTable::done(edited.save());
            }},
        {"fileText",
            [&](R r) { return GetPrivateProfileString(r.text(1), r.text(2), r.text(3), 255, at(r)).toUtf8(); }},
        {"fileWrite",
            [&](R r) { return RuleTable::done(WritePrivateProfileString(r.text(1), r.text(2), r.text(3), at(r))); }},
        {"loads", [&](R r) { return RuleTable::done(ProfileDocument(at(r)).load()); }},
        {"items",
            [](R r) {
                return RuleTable::items(*SequentialReader::fromBytes(r.args[0], r.args.value(1, "windows-1252")));
            }},
        {"numbers", [](R r) { return RuleTable::items(*SequentialReader::fromBytes(r.args[0]), true); }},
        {"find", [&](R r) { return inside(FileLookup::findFile(at(r))); }},
        {"findDir", [&](R r) { return inside(FileLookup::findDirectory(at(r))); }},
        {"resolve", [&](R r) { return inside(FileLookup::resolveInside(folder.root(), r.text(0))); }},
        {"threaded", [](R r) { return RuleTable::done(FileWorkers(r.integer(0)).threaded()); }},
        {"join", [](R r) { return FileLookup::join(r.text(0), r.text(1)).toUtf8(); }},
        {"timer",
            [&](R r) {
                timer.emplace(r.integer(0), r.args[1] == "enabled");
                return state();
            }},
        {"interval", [&](R r) { return timer->setInterval(r.integer(0)), state(); }},
        {"enable", [&](R r) { return timer->setEnabled(r.args[0] == "yes"), state(); }},
        {"toNative", [](R r) { return QDir::fromNativeSeparators(FileLookup::toNative(r.text(0))).toUtf8(); }}});
    RuleTable::run(QStringLiteral("platform/rules/") + QLatin1String(table), rules);
}

TEST(PlatformRules, NumbersCodePagesProfilesFilesNamesAndTimers)
{
    for (const char* table : {"numbers.txt", "codepages.txt", "profile.txt", "sequential.txt", "files.txt",
             "lookup.txt", "workers.txt", "timer.txt"})
        run(table);
}

} // namespace
