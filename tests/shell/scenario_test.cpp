// The display end to end, as scenarios: each file under tests/scenarios/ holds
// the files of a program folder, what the scoring system sends and what the
// timers do, and what must follow (labels, shown targets, files, event log,
// boxes). The real main frame runs them, in a program folder of its own with
// the shipped definition files. The language of the files is in
// tests/scenarios/README.md.
#include "exchange/Austausch.h"
#include "shell/Watchdog.h"
#include "shell/frmMDI.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinting.h"
#include "support/Wait.h"
#include "target/Scheibe.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QLabel>
#include <QRegularExpression>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString sourceDir()
{
    return QString::fromLocal8Bit(qgetenv("OMR_SOURCE_DIR"));
}

std::vector<std::string> scenarioNames()
{
    std::vector<std::string> names;
    QDirIterator it(sourceDir() + u"/tests/scenarios"_s, {u"*.txt"_s}, QDir::Files);
    while (it.hasNext())
        names.push_back(QFileInfo(it.next()).completeBaseName().toStdString());
    std::sort(names.begin(), names.end());
    return names;
}

// A lane list such as "1-4,7"; empty for "none".
QList<int> lanes(const QString& spec)
{
    QList<int> result;
    for (const QString& part : spec.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList ends = part.split(QLatin1Char('-'));
        for (int lane = ends.first().toInt(); lane <= ends.last().toInt(); ++lane)
            result.append(lane);
    }
    return result;
}

class Scenario : public ProgramFolderTest, public ::testing::WithParamInterface<std::string> {
protected:
    void TearDown() override
    {
        m_frame.reset();
        ProgramFolderTest::TearDown();
    }

    QString exchange() const { return file(u"austausch"_s); }
    QString expand(QString text) const
    {
        return text.replace(u"{dir}"_s, dir()).replace(u"{x}"_s, exchange()).replace(u"\\t"_s, u"\t"_s);
    }
    frmMDI& frame()
    {
        if (!m_frame) {
            m_frame = std::make_unique<frmMDI>();
            m_frame->show();
            m_frame->timers().tmrStartUp.fire();
        }
        return *m_frame;
    }
    void settle()
    {
        EXPECT_TRUE(waitUntil([this] { return !m_frame || !m_frame->watchdog() || m_frame->watchdog()->idle(); }));
        QCoreApplication::processEvents();
    }
    QString label(int lane, const QString& name)
    {
        Scheibe* target = frame().scheibe(lane);
        const auto* label = target ? target->findChild<QLabel*>(name) : nullptr;
        return label ? label->text() : u"<no label %1 on lane %2>"_s.arg(name).arg(lane);
    }
    QStringList logLines() const
    {
        QStringList lines;
        for (const QString& line : QString::fromUtf8(read(u"OMRAnzeige.log"_s)).split(u'\n', Qt::SkipEmptyParts))
            lines << line.section(QLatin1Char('\t'), 1);
        return lines;
    }
    void send(const QString& verb, int lane, const QString& text)
    {
        QString value = text;
        std::uint8_t code = 4;
        if (verb == u"send")
            code = Austausch2002(value, 1, lane, 1, exchange(), 1, 1);
        else if (verb == u"send2")
            code = Austausch2002Server2(value, 1, lane, 1, exchange(), 1, 1);
        else
            code = AustauschAlt(value, lane, 1, exchange(), 1, verb == u"announce" ? 2 : 1);
        EXPECT_EQ(code, 0) << verb.toStdString() << " " << lane;
    }

    void step(const QString& verb, const QStringList& args, const QString& rest);
    void expect(const QString& what, const QStringList& args, const QString& rest);

    std::unique_ptr<frmMDI> m_frame;
};

void Scenario::step(const QString& verb, const QStringList& args, const QString& rest)
{
    const int times = args.value(0, u"1"_s).toInt();
    if (verb == u"start") {
        frame();
    } else if (verb == u"tick" || verb == u"flip") {
        for (int i = 0; i < times; ++i) {
            VbTimer& timer = verb == u"tick" ? frame().timers().tmrWatchdog : frame().timers().tmrBlaettern;
            timer.fire();
            settle();
        }
    } else if (verb == u"send" || verb == u"send2" || verb == u"announce" || verb == u"results") {
        send(verb, args.value(0).toInt(), expand(rest.section(QLatin1Char(' '), 1)));
    } else if (verb == u"delete") {
        const QString name = expand(args.value(0));
        const QString path = QFileInfo(name).isAbsolute() ? name : file(name);
        EXPECT_TRUE(QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path))
            << path.toStdString();
    } else if (verb == u"mkdir") {
        const QString name = expand(args.value(0));
        EXPECT_TRUE(QDir().mkpath(QFileInfo(name).isAbsolute() ? name : file(name)));
    } else if (verb == u"close") {
        frame().close();
        settle();
        m_frame.reset();
    } else {
        ADD_FAILURE() << "unknown step " << verb.toStdString();
    }
}

void Scenario::expect(const QString& what, const QStringList& args, const QString& rest)
{
    // rest is what follows "expect <what>".
    const QString value = expand(rest.section(QLatin1Char(' '), what == u"label" ? 2 : 0));
    if (what == u"label") {
        EXPECT_EQ(label(args.value(0).toInt(), args.value(1)), value);
    } else if (what == u"shown") {
        QList<int> shown;
        for (int lane = 1; lane <= frame().count(); ++lane) {
            if (frame().at(lane)->isTargetVisible())
                shown.append(lane);
        }
        EXPECT_EQ(shown, lanes(value == u"none" ? QString() : value));
    } else if (what == u"file") {
        const QString name = expand(args.value(0));
        EXPECT_EQ(QFileInfo::exists(QFileInfo(name).isAbsolute() ? name : file(name)), args.value(1) == u"exists")
            << name.toStdString();
    } else if (what == u"line") {
        const QString name = expand(args.value(0));
        const QString text = expand(rest.section(QLatin1Char(' '), 1));
        const QStringList lines = QString::fromLatin1(read(name)).split(QRegularExpression(u"\r?\n"_s));
        EXPECT_TRUE(lines.contains(text)) << name.toStdString() << " lacks " << text.toStdString();
    } else if (what == u"log") {
        EXPECT_EQ(logLines(), value.isEmpty() ? QStringList() : value.split(u" | "_s));
    } else if (what == u"box") {
        QStringList boxes;
        for (const Dialogs::MessageRequest& box : TestDialogs::messages())
            boxes << box.title + u": "_s + box.text;
        EXPECT_EQ(boxes, value.isEmpty() ? QStringList() : value.split(u" | "_s));
    } else {
        ADD_FAILURE() << "unknown expectation " << what.toStdString();
    }
}

TEST_P(Scenario, Runs)
{
    const QString path = sourceDir() + u"/tests/scenarios/"_s + QString::fromStdString(GetParam()) + u".txt"_s;
    QFile scenario(path);
    ASSERT_TRUE(scenario.open(QIODevice::ReadOnly)) << path.toStdString();
    const QStringList lines = QString::fromUtf8(scenario.readAll()).split(u'\n');

    ASSERT_TRUE(QDir().mkpath(exchange()));
    const QDir data(sourceDir() + u"/data"_s);
    for (const QString& name : data.entryList({u"*.def"_s, u"Sprache_*.ini"_s}, QDir::Files))
        ASSERT_TRUE(QFile::copy(data.filePath(name), file(name)));

    QString writing;
    QByteArray content;
    const auto flush = [&] {
        if (!writing.isEmpty())
            write(writing, content);
        writing.clear();
        content.clear();
    };
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.startsWith(u'|')) {
            content += expand(line.mid(2)).toLatin1() + "\r\n";
            continue;
        }
        flush();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        SCOPED_TRACE(u"%1:%2: %3"_s.arg(QFileInfo(path).fileName()).arg(n + 1).arg(line).toStdString());
        QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        const QString verb = words.takeFirst();
        if (verb == u"file") {
            writing = words.value(0);
            QDir().mkpath(QFileInfo(file(writing)).path());
        } else if (verb == u"expect") {
            const QString what = words.takeFirst();
            expect(what, words, line.section(u' ', 2));
        } else {
            step(verb, words, line.section(u' ', 1));
        }
    }
    flush();
}

INSTANTIATE_TEST_SUITE_P(
    Display, Scenario, ::testing::ValuesIn(scenarioNames()), [](const ::testing::TestParamInfo<std::string>& info) {
        std::string name = info.param;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

} // namespace
