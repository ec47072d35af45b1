#include "options/FolderList.h"
#include "options/OptionRules.h"
#include "options/Options.h"
#include "options/OptionsHost.h"
#include "options/OptionsTextTable.h"
#include "options/PictureList.h"
#include "options/Sprache.h"
#include "options/WorkingCopies.h"
#include "platform/ProfileDocument.h"
#include "shell/FrameCaption.h"
#include "shell/FrameTimers.h"
#include "shell/SettingsFile.h"
#include "support/FakeLanes.h"
#include "support/ProgramFolder.h"
#include "support/SettingsFields.h"
#include "support/TestData.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The main frame as the dialog sees it: eight targets that log every call
// into targets.log, where the rebuild and the ranking title go too.
class FakeHost : public OptionsHost {
public:
    FrameTimers& timers() override { return frameTimers; }
    TargetList& scheiben() override { return targets; }
    QString frameCaption() const override { return caption; }
    void setFrameCaption(const QString& text) override { caption = text; }
    void rebuildFrame() override { targets.log << u"rebuildFrame"_s; }
    void setRankingTitle(const QString& title) override
    {
        rankingTitle = title;
        targets.log << u"setRankingTitle"_s;
    }
    void showDiagnostics() override { targets.log << u"showDiagnostics"_s; }

    FakeTargets targets {8};
    FrameTimers frameTimers;
    const QList<VbTimer*> timerList {
        &frameTimers.tmrBlaettern, &frameTimers.tmrWatchdog, &frameTimers.tmrWerbung, &frameTimers.tmrWerbePause};
    QString caption = u"VTX-Scheibenanzeige"_s;
    QString rankingTitle;
};

class Dialog : public ProgramFolderTest, public testing::WithParamInterface<std::string> {
protected:
    QWidget* child(const QString& name) const
    {
        QWidget* widget = name.isEmpty() || name == u"Options" ? dialog.get() : dialog->findChild<QWidget*>(name);
        EXPECT_NE(widget, nullptr) << qPrintable(name);
        return widget;
    }
    // A control's text or caption; for a box or radio button its state (0, 1
    // or ~ for greyed) unless the caption is asked for.
    QString shown(const QWidget* w, bool caption = false) const
    {
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        const auto* box = qobject_cast<const QCheckBox*>(w);
        if (button && button->isCheckable() && !caption)
            return box && box->checkState() == Qt::PartiallyChecked ? u"~"_s : QString::number(button->isChecked());
        if (const auto* pictures = qobject_cast<const PictureList*>(w))
            return pictures->files().join(u',');
        if (const auto* folders = qobject_cast<const FolderList*>(w))
            return folders->path();
        for (const char* property : {"text", "title"})
            if (w->property(property).isValid())
                return w->property(property).toString();
        return w == dialog.get() ? w->windowTitle() : w->palette().color(QPalette::Window).name();
    }
    QString hostState(const QString& key) const
    {
        QStringList lanes;
        const QStringList& log = host.targets.log;
        // A call to each of the eight targets in turn reads "Refresh*8".
        static const QRegularExpression eight(u"(\\w+) 1 \\1 2 \\1 3 \\1 4 \\1 5 \\1 6 \\1 7 \\1 8"_s);
        for (int lane : host.targets.visibleLanes())
            lanes.append(QString::number(lane));
        QString timers;
        for (const VbTimer* t : host.timerList)
            timers += t->isEnabled() ? u"BWAP"_s[timers.size()] : u'-';
        const QMap<QString, QString> states {{u"rebuilds"_s, QString::number(log.count(u"rebuildFrame"_s))},
            {u"title"_s, host.rankingTitle}, {u"caption"_s, host.caption},
            {u"pages"_s, QString::number(state().pages.Seitenanzahl)}, {u"visible"_s, lanes.join(u' ')},
            {u"calls"_s, log.join(u' ').replace(eight, u"\\1*8"_s)}, {u"timers"_s, timers}};
        return states.value(key, u"<unknown>"_s);
    }

    QString expand(QString text) const
    {
        return text.replace(u"$DIR"_s, QDir::fromNativeSeparators(dir())).replace(u"$SUFFIX"_s, frameCaptionSuffix());
    }
    void expectEach(const QString& pairs, const auto& actual) const
    {
        for (const QString& pair : pairs.split(u';')) {
            const QString key = pair.section(u'=', 0, 0);
            EXPECT_EQ((key + u'=' + QDir::fromNativeSeparators(actual(key))).toStdString(), expand(pair).toStdString());
        }
    }
    void step(const QString& verb, const QString& args);

    FakeHost host;
    std::unique_ptr<Options> dialog;
    QWidget other; // a window to activate instead of the dialog
    QString ini = u"[Options]\r\n"_s;
    QStringList loaded; // the record as the last settings step loaded it
};

void Dialog::step(const QString& verb, const QString& args)
{
    const QStringList words = args.split(u' ', Qt::SkipEmptyParts);
    const QString rest = args.section(u' ', 1);
    if (verb == u"settings") {
        ini += expand(args).replace(u';', u"\r\n"_s) + u"\r\n"_s;
        write(u"omr_anzeige.ini"_s, ini.toUtf8());
        SettingsFile::EinstellungenLaden();
        loaded = SettingsFields::fields(s());
    } else if (verb == u"file") {
        QDir(dir()).mkpath(QFileInfo(file(words[0])).path());
        write(words[0], expand(rest).replace(u"\\n"_s, u"\r\n"_s).toUtf8());
    } else if (verb == u"programdir") {
        ProgramInfo::setDirectoryForTest(file(words[0]));
    } else if (verb == u"open" || verb == u"create") {
        dialog = std::make_unique<Options>(host);
        if (verb == u"open")
            dialog->aktivieren();
    } else if (verb == u"activate") {
        QWidget* window = args == u"other" ? &other : child(args);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    } else if (verb == u"timers") {
        for (VbTimer* timer : host.timerList)
            timer->setEnabled(args == u"on");
    } else if (verb == u"show" || verb == u"hide") {
        dialog->setVisible(verb == u"show");
    } else if (verb == u"reactivate") {
        dialog->deaktivieren();
        dialog->aktivieren();
    } else if (verb == u"click") {
        for (const QString& name : words) {
            if (auto* button = qobject_cast<QAbstractButton*>(child(name)))
                button->click();
            else if (QWidget* widget = child(name))
                QTest::mouseClick(widget, Qt::LeftButton);
        }
    } else if (verb == u"dclick") {
        QTest::mouseDClick(child(args), Qt::LeftButton);
    } else if (verb == u"type") {
        qobject_cast<QLineEdit*>(child(words[0]))->setText(rest);
    } else if (verb == u"select") {
        qobject_cast<QListWidget*>(child(words[0]))->setCurrentRow(words[1].toInt());
    } else if (verb == u"enter") {
        auto* folders = qobject_cast<FolderList*>(child(words[0]));
        const qsizetype row = folders->entries().indexOf(QDir::toNativeSeparators(expand(words[1])));
        ASSERT_GE(row, 0) << qPrintable(args);
        Q_EMIT folders->itemActivated(folders->item(int(row)));
    } else if (verb == u"pick") {
        TestDialogs::queueOpenFileAnswer(
            args == u"cancel" ? std::nullopt : std::optional(QDir::toNativeSeparators(expand(args))));
        QTest::mouseClick(child(u"txtQuellVerz"_s), Qt::LeftButton);
    } else if (verb == u"shows" || verb == u"captions") {
        expectEach(args, [this, &verb](const QString& name) { return shown(child(name), verb == u"captions"); });
    } else if (verb == u"charsets") {
        expectEach(args, [this](const QString& name) { return child(name)->property("omrCharset").toString(); });
    } else if (verb == u"enabled" || verb == u"hidden") {
        expectEach(args, [this, &verb](const QString& name) {
            return QString::number(verb == u"enabled" ? child(name)->isEnabled() : child(name)->isHidden());
        });
    } else if (verb == u"record") {
        const QStringList fields = SettingsFields::fields(s());
        expectEach(args, [&fields](const QString& key) {
            return fields.filter(QRegularExpression(u"^"_s + key + u'=')).value(0, u"<none>"_s).section(u'=', 1);
        });
    } else if (verb == u"unchanged") {
        EXPECT_EQ(SettingsFields::fields(s()).join(u'\n').toStdString(), loaded.join(u'\n').toStdString());
    } else if (verb == u"saved") {
        ProfileDocument saved(SettingsFile::path());
        saved.load();
        expectEach(args, [&saved](const QString& key) { return saved.readString(u"Options"_s, key, u"<none>"_s); });
    } else if (verb == u"host") {
        expectEach(args, [this](const QString& key) { return hostState(key); });
    } else if (verb == u"content") {
        expectEach(args, [this](const QString& name) { return QString::fromUtf8(read(name)); });
    } else {
        ADD_FAILURE() << "unknown step " << qPrintable(verb);
    }
}

// The scenarios of dialog.txt by name: "== Name", then the steps.
QMap<std::string, QList<TestData::Line>> scenarios()
{
    QMap<std::string, QList<TestData::Line>> result;
    std::string name;
    for (const TestData::Line& line : TestData::lines(u"options/data/dialog.txt"_s)) {
        if (line.text.startsWith(u"== "_s))
            name = line.text.mid(3).toStdString();
        else
            result[name].append(line);
    }
    return result;
}

TEST_P(Dialog, Scenario)
{
    SettingsFile::EinstellungenLaden();
    const QList<TestData::Line> steps = scenarios()[GetParam()];
    for (qsizetype i = 0; i < steps.size() && !HasFatalFailure(); ++i) {
        SCOPED_TRACE(steps[i].where);
        step(steps[i].text.section(u' ', 0, 0), steps[i].text.section(u' ', 1));
    }
    dialog.reset(); // while the program folder is still there
}

INSTANTIATE_TEST_SUITE_P(
    Options, Dialog, testing::ValuesIn(scenarios().keys()), [](const auto& info) { return info.param; });

TEST(OptionsRules, FollowTheirTable)
{
    using W = WorkingCopies;
    const QMap<QString, bool (W::*)()> steppers {{u"Minus"_s, &W::Minus}, {u"Plus"_s, &W::Plus},
        {u"cmdMinusAnzSeite"_s, &W::cmdMinusAnzSeite}, {u"cmdPlusAnzSeite"_s, &W::cmdPlusAnzSeite},
        {u"cmdMinusWechselzeit"_s, &W::cmdMinusWechselzeit}, {u"cmdPlusWechselzeit"_s, &W::cmdPlusWechselzeit},
        {u"cmdAnfangMinus"_s, &W::cmdAnfangMinus}, {u"cmdAnfangPlus"_s, &W::cmdAnfangPlus},
        {u"cmdEndMinus"_s, &W::cmdEndMinus}, {u"cmdEndPlus"_s, &W::cmdEndPlus}};
    const QMap<QString, bool (*)(std::uint8_t&)> advertising {
        {u"advertising+"_s, AdvertisingSteppers::plus}, {u"advertising-"_s, AdvertisingSteppers::minus}};
    for (const TestData::Line& row : TestData::lines(u"options/data/rules.txt"_s)) {
        SCOPED_TRACE(row.where);
        const QString& rule = row.cells[0];
        const QList<double> v = TestData::numbers(row.cells[1]);
        QString result;
        std::optional<bool> changed; // a stepper says whether its click changed anything
        if (steppers.contains(rule)) {
            W m {std::uint8_t(v[0]), std::uint8_t(v[1]), std::int16_t(v[2]), std::int16_t(v[3]), std::int16_t(v[4]), 0,
                0, 0, {}, 0};
            changed = (m.*steppers[rule])();
            result = QString::asprintf(
                "%d %d %d %d %d", m.mScheibenanzahl, m.mScheibenProSeite, m.mAnfScheibe, m.mEndScheibe, m.mWechselzeit);
        } else if (advertising.contains(rule)) {
            auto seconds = std::uint8_t(v[0]);
            changed = advertising[rule](seconds);
            result = QString::number(seconds);
        } else if (rule == u"resolutionButton") {
            const auto button = OptionRules::resolutionButton(int(v[0]));
            result = button ? QString::number(*button) : u"-"_s;
        } else {
            using R = qint64;
            result = QString::number(rule == u"resolutionCode" ? R(OptionRules::resolutionCode(int(v[0]), int(v[1])))
                    : rule == u"nextColour"                    ? R(OptionRules::nextSightingColour(std::uint32_t(v[0])))
                    : rule == u"colourFromSetting" ? R(OptionRules::colourFromSetting(row.cells[1].toDouble()))
                                                   : R(OptionRules::numberField(row.cells[1])));
        }
        EXPECT_EQ(result.toStdString(), row.cells[2].toStdString());
        EXPECT_TRUE(!changed || *changed == (result != row.cells[1].simplified()));
    }
}

using LanguageTest = ProgramFolderTest;

TEST_F(LanguageTest, FilesLoadAsPinned)
{
    LanguageTexts& language = state().language;
    for (const TestData::Line& row : TestData::lines(u"options/data/languages.txt"_s)) {
        SCOPED_TRACE(row.where);
        const int n = row.cells[2].toInt();
        if (row.cells[1] != u"-")
            write(row.cells.value(4, u"Sprache_%1.ini"_s).arg(n), TestData::read(row.cells[1]));
        language.SprachZeichensatz
            = row.cells[3] == u"-" ? std::nullopt : std::optional(std::uint8_t(row.cells[3].toInt()));
        language.MDICaption = u"before"_s;
        language.OptionsTexte.fill(u"old"_s);
        state().settings.Sprache = std::uint8_t(n);
        QString path = row.cells.size() > 5 ? file(row.cells[5]) : Sprache::dateiFuer(n);
        QString out = u"captions given:"_s;
        Sprache::Sprache_Laden(path, [&out](const QString& caption) { out += u' ' + caption; });
        out += u"\nread: %1\nfiles left: %2\nSprachZeichensatz: %3\nMDICaption: %4\n"_s.arg(
            QDir(dir()).relativeFilePath(path), entries().join(u' '),
            language.SprachZeichensatz ? QString::number(*language.SprachZeichensatz) : u"unset"_s,
            language.MDICaption);
        for (int i = 0; i < OptionsTextTable::Count; ++i)
            out += u"%1 %2: %3\n"_s.arg(i + 1).arg(
                OptionsTextTable::entries()[std::size_t(i)].key, language.OptionsTexte[std::size_t(i)]);
        TestData::expectPinned(u"options/expected/language_%1.txt"_s.arg(row.cells[0]), out);
        for (const QString& name : entries())
            QFile::remove(file(name));
    }
}

TEST_F(LanguageTest, DateiPruefenGivesTheLengthOrMinusOne)
{
    write(u"empty.ini"_s, QByteArray());
    write(u"full.ini"_s, "[a]\r\nb=c\r\n");
    write(u"plain"_s, "x");
    QDir(dir()).mkdir(u"folder.ini"_s);
    for (const TestData::Line& row : TestData::lines(u"options/data/lengths.txt"_s))
        EXPECT_EQ(Sprache::DateiPruefen(row.cell(0).isEmpty() ? QString() : file(row.cell(0))), row.number(1))
            << row.where;
    EXPECT_EQ(entries(), (QStringList {u"folder.ini"_s, u"full.ini"_s, u"plain"_s}));
}

} // namespace
