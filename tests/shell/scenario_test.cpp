// The display end to end, as scenarios: each file under tests/scenarios/ holds
// the files of a program folder, what the scoring system sends and what the
// timers do, and what must follow. A scenario runs either the real main frame
// ("start") or the polling cycle alone over lanes that write down every call
// made on them ("cycle"). The language of the files is in
// tests/scenarios/README.md.
#include "diag/EventLog.h"
#include "exchange/Austausch.h"
#include "platform/ProfileDocument.h"
#include "ranking/frmRangliste.h"
#include "shell/FrameCaption.h"
#include "shell/SettingsFile.h"
#include "shell/Watchdog.h"
#include "shell/frmMDI.h"
#include "support/FakeLanes.h"
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
QList<int> lanes(const QString& list)
{
    QList<int> result;
    for (const QString& part : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList ends = part.split(QLatin1Char('-'));
        for (int lane = ends.first().toInt(); lane <= ends.last().toInt(); ++lane)
            result.append(lane);
    }
    return result;
}

QStringList items(const QString& text)
{
    return text.isEmpty() ? QStringList() : text.split(u" | "_s);
}

// The page table's states, then counter and flags: "0,2,1 Z3 A0 G0 F1 R0".
QString pages()
{
    const PageState& p = ProgramState::instance().pages;
    QStringList states;
    for (int page = 1; page <= p.Seitenanzahl; ++page)
        states << QString::number(p.Seiten[static_cast<std::size_t>(page)].zustand);
    return u"%1 Z%2 A%3 G%4 F%5 R%6"_s.arg(states.join(u','))
        .arg(p.SeitenZaehler)
        .arg(p.RanglisteAktiv)
        .arg(p.AlleSeitenGezeigt)
        .arg(p.RanglisteFertig)
        .arg(p.RanglisteAngefordert);
}

// A settings field changed in memory, as the options dialog does.
bool let(const QString& assignment)
{
    Einstellungen& s = ProgramState::instance().settings;
    const int value = assignment.section(u'=', 1).toInt();
#define FIELD(name)                                                                                                    \
    if (assignment.startsWith(QStringLiteral(#name "="))) {                                                            \
        s.name = static_cast<decltype(s.name)>(value);                                                                 \
        return true;                                                                                                   \
    }
    FIELD(Scheibenanzahl)
    FIELD(RanglisteAn)
    FIELD(Blaettern)
    FIELD(RangUndScheibe)
    FIELD(VTXServerID)
#undef FIELD
    return false;
}

// The polling cycle alone, over recording lanes.
struct Cycle {
    explicit Cycle(int lanes, const QString& log) : targets(lanes), eventLog(log) { }
    FrameTimers timers;
    FakeTargets targets;
    FakeRanking ranking;
    EventLog eventLog;
    Watchdog watchdog {ProgramState::instance(), timers, targets, ranking, &eventLog, nullptr, 0};
};

class Scenario : public ProgramFolderTest, public ::testing::WithParamInterface<std::string> {
protected:
    void TearDown() override
    {
        m_frame.reset();
        m_cycle.reset();
        ProgramFolderTest::TearDown();
    }

    QString exchange() const { return file(u"austausch"_s); }
    QString expand(QString text) const
    {
        return text.replace(u"{dir}"_s, dir()).replace(u"{x}"_s, exchange()).replace(u"\\t"_s, u"\t"_s);
    }
    QString path(const QString& name) const
    {
        const QString expanded = expand(name);
        return QFileInfo(expanded).isAbsolute() ? expanded : file(expanded);
    }
    frmMDI& frame()
    {
        if (!m_frame || m_closed) {
            m_frame.reset();
            m_closed = false;
            m_frame = std::make_unique<frmMDI>();
            m_frame->show();
            m_frame->timers().tmrStartUp.fire();
        }
        return *m_frame;
    }
    Watchdog* watchdog() const { return m_frame ? m_frame->watchdog() : m_cycle ? &m_cycle->watchdog : nullptr; }
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
    // Calls written down since the last look.
    QStringList taken(QStringList& calls)
    {
        const QStringList result = calls;
        calls.clear();
        return result;
    }

    void step(const QString& verb, const QStringList& args, const QString& rest);
    void expect(const QString& what, const QStringList& args, const QString& rest);

    std::unique_ptr<frmMDI> m_frame;
    bool m_closed = false;
    std::unique_ptr<Cycle> m_cycle;
};

void Scenario::step(const QString& verb, const QStringList& args, const QString& rest)
{
    const int number = args.value(0, u"1"_s).toInt();
    if (verb == u"start") {
        frame();
    } else if (verb == u"cycle") {
        SettingsFile::EinstellungenLaden();
        m_cycle = std::make_unique<Cycle>(args.isEmpty() ? s().Scheibenanzahl : number, file(u"OMRAnzeige.log"_s));
    } else if (verb == u"let") {
        EXPECT_TRUE(let(rest)) << rest.toStdString();
    } else if (verb == u"set") {
        // A key of the settings file changes and the settings are read again.
        ProfileDocument settings(file(u"omr_anzeige.ini"_s));
        settings.load();
        settings.writeString(u"Options"_s, rest.section(u'=', 0, 0), expand(rest.section(u'=', 1)));
        settings.save();
        SettingsFile::EinstellungenLaden();
    } else if (verb == u"tick" || verb == u"flip") {
        for (int i = 0; i < number; ++i) {
            if (verb == u"flip")
                frame().timers().tmrBlaettern.fire();
            else if (m_cycle)
                m_cycle->watchdog.tick();
            else
                frame().timers().tmrWatchdog.fire();
            EXPECT_TRUE(waitUntil([this] { return !watchdog() || watchdog()->idle(); }));
            QCoreApplication::processEvents();
        }
    } else if (verb == u"send" || verb == u"send2" || verb == u"announce" || verb == u"results") {
        QString value = expand(rest.section(u' ', 1));
        const int lane = args.value(0).toInt();
        std::uint8_t code = 4;
        if (verb == u"send")
            code = Austausch2002(value, 1, lane, 1, exchange(), 1, 1);
        else if (verb == u"send2")
            code = Austausch2002Server2(value, 1, lane, 1, exchange(), 1, 1);
        else
            code = AustauschAlt(value, lane, 1, exchange(), 1, verb == u"announce" ? 2 : 1);
        EXPECT_EQ(code, 0) << verb.toStdString() << " " << lane;
    } else if (verb == u"delete") {
        const QString target = path(args.value(0));
        EXPECT_TRUE(QFileInfo(target).isDir() ? QDir(target).removeRecursively() : QFile::remove(target));
    } else if (verb == u"mkdir") {
        EXPECT_TRUE(QDir().mkpath(path(args.value(0))));
    } else if (verb == u"rebuild") {
        frame().rebuildFrame();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frame().timers().tmrStartUp.fire();
    } else if (verb == u"options") {
        frame().openOptions();
    } else if (verb == u"close") {
        frame().close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_closed = true;
    } else {
        ADD_FAILURE() << "unknown step " << verb.toStdString();
    }
}

void Scenario::expect(const QString& what, const QStringList& args, const QString& rest)
{
    // rest is what follows "expect <what>".
    if (what == u"label") {
        EXPECT_EQ(label(args.value(0).toInt(), args.value(1)), expand(rest.section(u' ', 2)));
    } else if (what == u"calls") {
        EXPECT_EQ(taken(m_cycle->targets.lane(args.value(0).toInt()).calls), items(expand(rest.section(u' ', 1))));
    } else if (what == u"order") {
        EXPECT_EQ(taken(m_cycle->targets.log), items(expand(rest)));
    } else if (what == u"pages") {
        EXPECT_EQ(pages(), rest);
    } else if (what == u"timers") {
        const FrameTimers& t = frame().timers();
        QStringList running;
        for (const auto& [name, timer] : {std::pair {"tmrStartUp", &t.tmrStartUp}, {"tmrWatchdog", &t.tmrWatchdog},
                 {"tmrBlaettern", &t.tmrBlaettern}, {"tmrWerbung", &t.tmrWerbung},
                 {"tmrWerbePause", &t.tmrWerbePause}}) {
            if (timer->isEnabled())
                running << QLatin1String(name);
        }
        EXPECT_EQ(running.join(u' '), rest);
    } else if (what == u"caption") {
        EXPECT_EQ(frame().windowTitle(), rest + frameCaptionSuffix());
    } else if (what == u"windows") {
        // Loaded windows in their order, "+" after each visible one.
        QStringList windows;
        for (const DiagnosticsSource::Window& window : m_frame->loadedWindows())
            windows << window.name + (window.visible ? u"+"_s : QString());
        EXPECT_EQ(windows.join(u' '), rest);
    } else if (what == u"ranking") {
        EXPECT_EQ(frame().rangliste()->isVisible(), rest == u"shown");
    } else if (what == u"shown") {
        QList<int> shown;
        for (int lane = 1; lane <= frame().count(); ++lane) {
            if (frame().at(lane)->isTargetVisible())
                shown.append(lane);
        }
        EXPECT_EQ(shown, lanes(rest == u"none" ? QString() : rest));
    } else if (what == u"file") {
        EXPECT_EQ(QFileInfo::exists(path(args.value(0))), args.value(1) == u"exists") << args.value(0).toStdString();
    } else if (what == u"line") {
        const QStringList lines = QString::fromLatin1(read(path(args.value(0)))).split(QRegularExpression(u"\r?\n"_s));
        EXPECT_TRUE(lines.contains(expand(rest.section(u' ', 1)))) << rest.toStdString();
    } else if (what == u"log") {
        EXPECT_EQ(logLines(), items(expand(rest)));
    } else if (what == u"box") {
        QStringList boxes;
        for (const Dialogs::MessageRequest& box : TestDialogs::messages())
            boxes << box.title + u": "_s + box.text;
        EXPECT_EQ(boxes, items(expand(rest)));
    } else {
        ADD_FAILURE() << "unknown expectation " << what.toStdString();
    }
}

TEST_P(Scenario, Runs)
{
    const QString name = QString::fromStdString(GetParam());
    QFile scenario(sourceDir() + u"/tests/scenarios/"_s + name + u".txt"_s);
    ASSERT_TRUE(scenario.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(scenario.readAll()).split(u'\n');

    ASSERT_TRUE(QDir().mkpath(exchange()));
    const QDir data(sourceDir() + u"/data"_s);
    for (const QString& shipped : data.entryList({u"*.def"_s, u"Sprache_*.ini"_s}, QDir::Files))
        ASSERT_TRUE(QFile::copy(data.filePath(shipped), file(shipped)));

    QString writing;
    QByteArray content;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.startsWith(u'|')) {
            content += expand(line.mid(2)).toLatin1() + "\r\n";
            continue;
        }
        if (!writing.isEmpty()) {
            write(writing, content);
            writing.clear();
            content.clear();
        }
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        SCOPED_TRACE(u"%1.txt:%2: %3"_s.arg(name).arg(n + 1).arg(line).toStdString());
        QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        const QString verb = words.takeFirst();
        if (verb == u"file") {
            writing = expand(words.value(0));
            QDir().mkpath(QFileInfo(file(writing)).path());
        } else if (verb == u"expect") {
            expect(words.value(0), words.mid(1), line.section(u' ', 2));
        } else {
            step(verb, words, line.section(u' ', 1));
        }
    }
    if (!writing.isEmpty())
        write(writing, content);
}

INSTANTIATE_TEST_SUITE_P(
    Display, Scenario, ::testing::ValuesIn(scenarioNames()), [](const ::testing::TestParamInfo<std::string>& info) {
        std::string name = info.param;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

} // namespace
