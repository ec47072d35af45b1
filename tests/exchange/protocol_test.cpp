#include "exchange/Austausch.h"
#include "exchange/ExchangeCodes.h"
#include "exchange/ExchangeFolder.h"
#include "exchange/FileHandshake.h"
#include "exchange/MessageFileNames.h"
#include "exchange/SatzZerlegen.h"
#include "platform/SequentialFile.h"
#include "support/TestDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace ExchangeCode;

namespace {

// An exchange folder of its own with the message base "HCVS1L3" in it.
class Handshake : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString base() const { return path(u"HCVS1L3"_s); }
    QString dataFile() const { return path(u"HCVS1L3.nrt"_s); }
    QString controlFile() const { return path(u"HCVS1L3.ctl"_s); }
    bool exists(const QString& name) const { return QFile::exists(path(name)); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
    std::uint8_t send(const QString& value) const { return DateiSenden(value, base()); }

    static void writeAll(const QString& file, const QByteArray& bytes)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }
    static QByteArray readAll(const QString& file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    QString received() const
    {
        QString value;
        EXPECT_EQ(DateiEmpfangen(value, base()), Done);
        return value;
    }
    // The value is only changed when the message was taken.
    void expectNotTaken(std::uint8_t code) const
    {
        QString value = u"untouched"_s;
        EXPECT_EQ(DateiEmpfangen(value, base()), code);
        EXPECT_EQ(value, u"untouched"_s);
    }
    void expectWaiting() const
    {
        expectNotTaken(FileError);
        EXPECT_TRUE(QFile::exists(controlFile()));
    }

    QTemporaryDir dir;
};

TEST_F(Handshake, SendWritesBothFilesAsOneQuotedFieldAndRefusesASecondSend)
{
    EXPECT_EQ(send(u"A#1;S#1;L#3;B#4;N#Anna"_s), Done);
    // Before the first is taken a second send changes nothing.
    EXPECT_EQ(send(u"second"_s), NothingToDo);
    EXPECT_EQ(readAll(dataFile()), QByteArray("\"A#1;S#1;L#3;B#4;N#Anna\"\r\n"));
    EXPECT_EQ(readAll(controlFile()), QByteArray("\"A#1;S#1;L#3;B#4;N#Anna\"\r\n"));
}

TEST_F(Handshake, ReceiveDeletesTheControlFileOnlyAndASecondReceiveFindsNothing)
{
    ASSERT_EQ(send(u"message"_s), Done);
    EXPECT_EQ(received(), u"message"_s);
    EXPECT_FALSE(QFile::exists(controlFile()));
    EXPECT_TRUE(QFile::exists(dataFile()));
    // A data file without its control file is no message.
    expectNotTaken(NothingToDo);
    ASSERT_EQ(send(u"two"_s), Done);
    EXPECT_EQ(received(), u"two"_s);
}

TEST_F(Handshake, ValuesTravelUnchangedInWindows1252)
{
    for (const QString& sent : {u"Berger, Anna; SV 1898 #3"_s, QString(), u"M\u00fcller"_s}) {
        ASSERT_EQ(send(sent), Done);
        EXPECT_EQ(received(), sent);
    }
    EXPECT_EQ(readAll(dataFile()), QByteArray("\"M\xfcller\"\r\n"));
}

TEST_F(Handshake, LetterCaseOfTheOtherSideIsFound)
{
    writeAll(path(u"hcvs1l3.NRT"_s), "\"from windows\"\r\n");
    writeAll(path(u"Hcvs1L3.Ctl"_s), "\"from windows\"\r\n");
    // A waiting control file in another letter case blocks sending.
    EXPECT_EQ(send(u"new"_s), NothingToDo);
    EXPECT_EQ(received(), u"from windows"_s);
    EXPECT_FALSE(exists(u"Hcvs1L3.Ctl"_s));
    // The next send reuses the data file of the other letter case.
    ASSERT_EQ(send(u"new"_s), Done);
    EXPECT_EQ(QDir(dir.path()).entryList({u"*.nrt"_s}, QDir::Files), QStringList {u"hcvs1l3.NRT"_s});
    EXPECT_EQ(received(), u"new"_s);
}

// The folder as one tick sees it: listed once, names found in any letter case,
// named files read as written and looked for otherwise, names that leave it refused.
TEST_F(Handshake, ExchangeFolderOfOneTick)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"Ergebnisse/Bahn"_s));
    for (const QString& name : {u"HCVS1L3.ctl"_s, u"hcvs1l4.CTL"_s, u"Data.TXT"_s, u"DATA.txt"_s,
             u"Ergebnisse/Bahn/Erg1.txt"_s, u"Ergebnisse/x.txt"_s})
        writeAll(path(name), name.toUtf8());
    ExchangeFolder folder(FileSystem::disk(), dir.path() + u"/"_s);
    ASSERT_TRUE(folder.reachable());
    EXPECT_EQ(folder.path(), dir.path());

    const std::pair<const char*, const char*> entries[] = {{"HCVS1L3.ctl", "HCVS1L3.ctl"},
        {"HCVS1L4.ctl", "hcvs1l4.CTL"}, {"data.txt", "DATA.txt"}, {"Data.TXT", "Data.TXT"}, {"HCVS1L5.ctl", nullptr}};
    for (const auto& [name, expected] : entries) {
        const auto found = folder.entry(QLatin1String(name));
        EXPECT_EQ(found, expected ? std::optional(path(QLatin1String(expected))) : std::nullopt) << name;
    }
    // A file that turns up after the listing is seen by the next tick only.
    writeAll(path(u"HCVS1L6.ctl"_s), "");
    EXPECT_FALSE(folder.entry(u"HCVS1L6.ctl"_s));
    EXPECT_TRUE(ExchangeFolder(FileSystem::disk(), dir.path()).entry(u"hcvs1l6.ctl"_s));

    const struct {
        const char* name;
        const char* path; // nullptr: refused
        FileRead::Status status;
    } named[] = {
        {"ergebnisse\\bahn\\ERG1.TXT", "Ergebnisse/Bahn/Erg1.txt", FileRead::Status::Read},
        {"Ergebnisse/x.txt", "Ergebnisse/x.txt", FileRead::Status::Read},
        {"ergebnisse\\fehlt.txt", "ergebnisse/fehlt.txt", FileRead::Status::Missing},
        {"Ergebnisse", "Ergebnisse", FileRead::Status::Unreadable},
        {"..\\x.txt", nullptr, FileRead::Status::Missing},
        {"", nullptr, FileRead::Status::Missing},
    };
    for (const auto& c : named) {
        const auto read = folder.readNamed(QLatin1String(c.name));
        ASSERT_EQ(read.has_value(), c.path != nullptr) << c.name;
        if (!read)
            continue;
        EXPECT_EQ(read->path, QDir::toNativeSeparators(path(QLatin1String(c.path)))) << c.name;
        EXPECT_EQ(read->content.status, c.status) << c.name;
    }
    EXPECT_EQ(folder.readNamed(u"ERGEBNISSE/X.TXT"_s)->content.bytes, QByteArray("Ergebnisse/x.txt"));
}

TEST_F(Handshake, ExchangeFolderNamedInOtherLetterCaseOrGone)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"Austausch"_s));
    writeAll(path(u"Austausch/HCVS1L1.ctl"_s), "");
    const ExchangeFolder other(FileSystem::disk(), path(u"AUSTAUSCH"_s));
    EXPECT_TRUE(other.reachable());
    EXPECT_EQ(other.entry(u"hcvs1l1.ctl"_s), path(u"Austausch/HCVS1L1.ctl"_s));
    for (const QString& gone : {path(u"weg"_s), path(u"Austausch/HCVS1L1.ctl"_s)})
        EXPECT_FALSE(ExchangeFolder(FileSystem::disk(), gone).reachable()) << qPrintable(gone);
}

TEST_F(Handshake, UnreachableDirectoryIsAFileErrorBothWays)
{
    const QString missing = path(u"no/such/folder/HCVS1L3"_s);
    EXPECT_EQ(DateiSenden(u"x"_s, missing), FileError);
    QString value = u"kept"_s;
    ReceiveFault fault;
    EXPECT_EQ(DateiEmpfangen(value, missing, &fault), FileError);
    EXPECT_EQ(value, u"kept"_s);
    EXPECT_EQ(fault.what, u"exchange folder unreachable"_s);
}

// Data files the other side leaves in a state this side cannot use: the
// message waits (control file kept) or is read by the field rules, never
// taken half written and never lost.
TEST_F(Handshake, FlaggedMessageWithoutUsableDataKeepsWaiting)
{
    writeAll(controlFile(), "\"x\"\r\n");
    expectWaiting(); // no data file
    for (const QByteArray& bytes : {QByteArray(), QByteArray("\r\n  \r\n\t\r\n")}) {
        writeAll(dataFile(), bytes);
        expectWaiting();
    }
    ASSERT_TRUE(QFile::remove(dataFile()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"HCVS1L3.nrt"_s));
    expectWaiting();
    ASSERT_TRUE(QDir(dir.path()).rmdir(u"HCVS1L3.nrt"_s));
    writeAll(dataFile(), "\"da\"\r\n");
    EXPECT_EQ(received(), u"da"_s);
}

TEST_F(Handshake, DataFileStillOpenForWritingIsNotTakenHalfWritten)
{
    // More than a write buffer, so part of it is on disk while the writer works.
    const QString record = u"A#1;S#1;L#3;B#4;N#"_s + QString(40000, QLatin1Char('x'));
    writeAll(controlFile(), "\"flag\"\r\n");
    {
        SequentialWriter writer(dataFile());
        ASSERT_TRUE(writer.open());
        writer.writeText(record);
        ASSERT_GT(QFileInfo(dataFile()).size(), 0);
        expectWaiting();
        writer.endRecord();
        ASSERT_TRUE(writer.close());
    }
    EXPECT_EQ(received(), record);
    EXPECT_FALSE(QFile::exists(controlFile()));
}

TEST_F(Handshake, MessageBeingReadCannotBeOverwritten)
{
    ASSERT_EQ(send(u"first"_s), Done);
    // A reader of the other side (or a virus scanner) holds the data file.
    SequentialReader reader(dataFile());
    ASSERT_TRUE(reader.open(true));
    EXPECT_EQ(received(), u"first"_s);
    EXPECT_EQ(send(u"second"_s), FileError);
    EXPECT_FALSE(QFile::exists(controlFile()));
    reader.close();
    EXPECT_EQ(send(u"second"_s), Done);
    EXPECT_EQ(received(), u"second"_s);
}

TEST_F(Handshake, DataFileWithoutReadPermissionKeepsTheMessageWaiting)
{
    writeAll(dataFile(), "\"A#1;S#1;L#3;B#4;N#x\"\r\n");
    writeAll(controlFile(), "\"A#1;S#1;L#3;B#4;N#x\"\r\n");
    QFile::setPermissions(dataFile(), QFileDevice::WriteOwner);
    QFile probe(dataFile());
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    expectWaiting();
    QFile::setPermissions(dataFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(received(), u"A#1;S#1;L#3;B#4;N#x"_s);
}

TEST_F(Handshake, ForeignDataFilesAreReadByTheFieldRules)
{
    QByteArray everyByte;
    for (int i = 0; i < 256; ++i)
        everyByte.append(static_cast<char>(i));
    const std::pair<QByteArray, QString> cases[]
        = {{"  42 ,rest\r\n", u"42"_s}, {"A#1;S#1;L#3;B#4;N#Berger, Anna\r\n", u"A#1;S#1;L#3;B#4;N#Berger"_s},
            {"   A#1;B#4   \r\nsecond line\r\n", u"A#1;B#4"_s}, {"\r\n\r\nA#1", u"A#1"_s},
            {"\"no closing quote", u"no closing quote"_s}, {"\"A#1\" trailing, next\r\n", u"A#1"_s},
            // A server writing UTF-8 gets its bytes back one character each.
            {"\"N#M\xc3\xbcller \xe2\x82\xac\"\r\n", u"N#M\u00c3\u00bcller \u00e2\u201a\u00ac"_s},
            {QByteArray("\"A\0B\"\r\n", 7) + everyByte, u"A"_s + QChar(0) + u"B"_s}};
    for (const auto& [bytes, expected] : cases) {
        writeAll(dataFile(), bytes);
        writeAll(controlFile(), "");
        EXPECT_EQ(received(), expected) << bytes.constData();
        EXPECT_FALSE(QFile::exists(controlFile()));
    }
}

using Operation = std::function<std::uint8_t(QString&, int enable, int direction)>;

TEST_F(Handshake, DispatchWithEnableOtherThanOneDoesNothingAndUnknownDirectionsGiveFour)
{
    const QString d = dir.path();
    const Operation operations[] = {[d](QString& v, int e, int to) { return AustauschAlt(v, 3, e, d, to, -1); },
        [d](QString& v, int e, int to) { return AustauschRangliste(v, 3, e, d, to, 1); },
        [d](QString& v, int e, int to) { return Austausch2002(v, 1, 3, e, d, to, -1); },
        [d](QString& v, int e, int to) { return Austausch2002Server2(v, 1, 3, e, d, to, -1); }};
    for (const auto& operation : operations) {
        for (int direction : {0, 1, 2, 3, 4, 5, -1}) {
            QString value = u"v"_s;
            for (int enable : {0, 2, -1})
                EXPECT_EQ(operation(value, enable, direction), Done);
            EXPECT_EQ(value, u"v"_s);
            if (direction < 1 || direction > 4) {
                EXPECT_EQ(operation(value, 1, direction), UnknownDirection);
            }
        }
    }
    // The ranking does not send on three or four.
    QString value = u"v"_s;
    EXPECT_EQ(AustauschRangliste(value, 3, 1, d, 3, 1), UnknownDirection);
    EXPECT_EQ(AustauschRangliste(value, 3, 1, d, 4, 1), UnknownDirection);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(Handshake, DispatchedLaneOperationsSendOnOneThreeAndFour)
{
    QString value = u"v"_s;
    EXPECT_EQ(AustauschAlt(value, 4, 1, dir.path(), 3, 1), Done);
    EXPECT_EQ(AustauschAlt(value, 4, 1, dir.path(), 4, 1), Done);
    EXPECT_EQ(Austausch2002(value, 1, 4, 1, dir.path(), 3, 1), Done);
    // A directory given with a trailing separator.
    ASSERT_EQ(AustauschAlt(value, 9, 1, dir.path() + QLatin1Char('/'), 1, 2), Done);
    for (const QString& name : {u"HPlatz4.ctl"_s, u"HTreff4.nrt"_s, u"HMVS1L4.ctl"_s, u"HAnz9.ctl"_s})
        EXPECT_TRUE(exists(name)) << qPrintable(name);
}

TEST_F(Handshake, RankingRequestAndAnswerUseTheirOwnFiles)
{
    const auto rangliste = [this](QString& value, int direction, int role) {
        return AustauschRangliste(value, 2, 1, dir.path(), direction, role);
    };
    QString request = u"3$1$0$0$2"_s, answer, atServer, reply = u"HRang2.csv"_s;
    ASSERT_EQ(rangliste(request, 1, 1), Done);
    EXPECT_TRUE(exists(u"HRngCS2.ctl"_s));
    EXPECT_EQ(rangliste(request, 1, 1), NothingToDo);
    EXPECT_EQ(rangliste(answer, 2, 1), NothingToDo);
    ASSERT_EQ(rangliste(atServer, 2, -1), Done);
    EXPECT_EQ(atServer, request);
    ASSERT_EQ(rangliste(reply, 1, -1), Done);
    EXPECT_EQ(rangliste(answer, 2, 1), Done);
    EXPECT_EQ(answer, reply);
}

TEST(MessageFileNames, OlderProtocolAndRankingByRoleAndDirection)
{
    const struct {
        QString (*name)(int, int, int);
        int nr, role, direction;
        const char* expected;
    } cases[] = {{DateinameAlt, 7, -1, 2, "HSlav7"}, {DateinameAlt, 7, -1, 1, "HServ7"},
        {DateinameAlt, 7, -1, 3, "HSlav7"}, {DateinameAlt, 3, 2, 1, "HAnz3"}, {DateinameAlt, 3, 2, 2, "HAnz3"},
        {DateinameAlt, 3, 2, 9, "HAnz3"}, {DateinameAlt, 12, 1, 1, "HSlav12"}, {DateinameAlt, 12, 0, 3, "HPlatz12"},
        {DateinameAlt, 12, 5, 4, "HTreff12"}, {DateinameAlt, 12, 1, 2, "HServ12"}, {DateinameAlt, 0, 1, 0, "HServ0"},
        {DateinameAlt, 100, -1, 2, "HSlav100"}, {DateinameAlt, -1, 2, 2, "HAnz-1"},
        {DateinameRangliste, 3, 1, 1, "HRngCS3"}, {DateinameRangliste, 3, 1, 2, "HRang3"},
        {DateinameRangliste, 3, -1, 1, "HRang3"}, {DateinameRangliste, 3, -1, 2, "HRngCS3"},
        {DateinameRangliste, 0, 7, 1, "HRngCS0"}, {DateinameRangliste, 12, 7, 4, "HRang12"},
        {DateinameRangliste, 12, -1, 0, "HRngCS12"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.name(c.nr, c.role, c.direction), QLatin1String(c.expected)) << c.expected;
}

TEST(MessageFileNames, Protocol2002AndItsServer2FormAndBothSidesMeetUnderTheSameName)
{
    // Server number, lane, role, direction.
    const std::pair<std::array<int, 4>, const char*> cases[] = {{{1, 12, -1, 2}, "HCVS1L12"},
        {{1, 12, -1, 1}, "HMVS1L12"}, {{1, 3, 1, 1}, "HCVS1L3"}, {{1, 3, 1, 2}, "HMVS1L3"}, {{1, 3, 0, 4}, "HMVS1L3"},
        {{2, 10, -1, 3}, "HCVS2L10"}, {{10, 0, -1, 1}, "HMVS10L0"}, {{0, 0, -1, 2}, "HCVS0L0"}};
    for (const auto& [n, expected] : cases) {
        EXPECT_EQ(Dateiname2002(n[0], n[1], n[2], n[3]), QLatin1String(expected));
        EXPECT_EQ(Dateiname2002Server2(n[0], n[1], n[2], n[3]), QLatin1String(expected) + QLatin1String("-1"));
    }
    // What the server sends with its role is what the display receives with -1.
    EXPECT_EQ(Dateiname2002(1, 5, 1, 1), Dateiname2002(1, 5, -1, 2));
    EXPECT_EQ(DateinameAlt(5, 1, 1), DateinameAlt(5, -1, 2));
    EXPECT_EQ(DateinameAlt(5, 2, 1), DateinameAlt(5, 2, 2));
    EXPECT_EQ(DateinameRangliste(4, 1, 1), DateinameRangliste(4, -1, 2));
    EXPECT_EQ(DateinameRangliste(4, -1, 1), DateinameRangliste(4, 1, 2));
}

struct RecordCase {
    const char16_t* record;
    std::int32_t A, S, L, B;
    const char16_t* N;
    bool syntaxError;
};

TEST(SatzZerlegen, SplitsTheRecordOrShowsTheSyntaxBox)
{
    const RecordCase cases[] = {{u"A#1;S#1;L#5;B#4;N#  Schuetze 7  ", 1, 1, 5, 4, u"Schuetze 7", false},
        {u"a # 1 ; s # 1 ; l # 12 ; b # 1 ; n # res.txt", 1, 1, 12, 1, u"res.txt", false},
        {u"A#1;S#1;L#1;B#4;N#A;B#C", 1, 1, 1, 4, u"A;B#C", false}, {u"A#1;S#1;L#1;B#2.5;N#x", 1, 1, 1, 2, u"x", false},
        {u"A#1;S#1;L#1;B#3.5;N#x", 1, 1, 1, 4, u"x", false}, {u"A#1;S#1;L#1;B#x;N#x", 1, 1, 1, 0, u"x", false},
        {u"A#1;S#1;L#1;B#;N#", 1, 1, 1, 0, u"", false},
        {u"A# 1 2 ;S#-3;L#7abc;B#48;N#defs\\Wettbewerb.ini", 12, -3, 7, 48, u"defs\\Wettbewerb.ini", false},
        {u"A#1;S#1;L#1;B#4;N#M\u00fcller, Hans", 1, 1, 1, 4, u"M\u00fcller, Hans", false},
        // The tab is not a blank: the tag is "\tN".
        {u"A#1;S#1;L#1;B#4;\tN#x", 1, 1, 1, 4, u"", true}, {u"A#1;S#1;L#1;B#4", 1, 1, 1, 4, u"", true},
        {u"A#1;S#1;L#1;B#4;", 1, 1, 1, 4, u"", true}, {u"A#1;S#1;L#1;B#4;X#name", 1, 1, 1, 4, u"", true},
        {u"X#1;S#1;L#1;B#4;N#x", 0, 0, 0, 0, u"", true}, {u"", 0, 0, 0, 0, u"", true},
        {u"no hash at all", 0, 0, 0, 0, u"", true}, {u"A#1;L#1;S#1;B#4;N#x", 1, 0, 0, 0, u"", true},
        {u"A#1;S#2;L#3", 1, 2, 3, 0, u"", true}, {u"A#1;S#2;L#3;B#99999999999;N#x", 1, 2, 3, 0, u"", true},
        {u"AB#1;S#1;L#1;B#4;N#x", 0, 0, 0, 0, u"", true}};
    for (const RecordCase& c : cases) {
        TestDialogs::clear();
        const QString record = QString::fromUtf16(c.record);
        SCOPED_TRACE(record.toStdString());
        const LaneMessage m = SatzZerlegen(record);
        EXPECT_EQ(std::make_tuple(m.A, m.S, m.L, m.B), std::make_tuple(c.A, c.S, c.L, c.B));
        EXPECT_EQ(m.N, QString::fromUtf16(c.N));
        ASSERT_EQ(TestDialogs::messages().size(), c.syntaxError ? 1 : 0);
        if (c.syntaxError) {
            const Dialogs::MessageRequest& box = TestDialogs::messages().first();
            EXPECT_EQ(box.icon, Dialogs::Icon::Exclamation);
            EXPECT_EQ(box.title, u"Syntax Error !"_s);
            EXPECT_EQ(box.text, record);
        }
    }
    // The outputs are cleared before parsing.
    TestDialogs::clear();
    std::int32_t A = 7, S = 7, L = 7, B = 7;
    QString N = u"stale"_s;
    SatzZerlegen(u"X#"_s, A, S, L, B, N);
    EXPECT_EQ(std::make_tuple(A, S, L, B), std::make_tuple(0, 0, 0, 0));
    EXPECT_TRUE(N.isEmpty());
    EXPECT_EQ(TestDialogs::messages().size(), 1);
}

} // namespace
