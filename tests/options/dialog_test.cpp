#include "options/FolderList.h"
#include "options/Options.h"
#include "options/OptionsTextTable.h"
#include "options/PictureList.h"
#include "options_host.h"
#include "shell/SettingsFile.h"
#include "support/ProgramFolder.h"
#include "support/SettingsFields.h"

#include <QAnyStringView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QStringList names(const char* spaced)
{
    return QString::fromLatin1(spaced).split(QLatin1Char(' '));
}

class DialogTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        // The settings of a first start, with a red sighting corner.
        SettingsFile::EinstellungenLaden();
        s().FarbeProbeEcke = 255;
    }
    void TearDown() override
    {
        dialog.reset();
        ProgramFolderTest::TearDown();
    }

    // First opening: loading, then activation.
    Options& open()
    {
        dialog = std::make_unique<Options>(host);
        dialog->aktivieren();
        return *dialog;
    }
    template<class T = QWidget> T* child(QAnyStringView name) const
    {
        T* widget = dialog->findChild<T*>(name.toString());
        EXPECT_NE(widget, nullptr) << name.toString().toStdString();
        return widget;
    }
    void click(QAnyStringView name, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            child<QAbstractButton>(name)->click();
    }
    void clickEach(const char* spaced)
    {
        for (const QString& name : names(spaced))
            click(name);
    }
    QString label(QAnyStringView name) const { return child<QLabel>(name)->text(); }
    QString text(QAnyStringView name) const { return child<QLineEdit>(name)->text(); }
    void setText(QAnyStringView name, const QString& text) const { child<QLineEdit>(name)->setText(text); }
    bool checked(QAnyStringView name) const { return child<QAbstractButton>(name)->isChecked(); }
    void expectEnabled(const char* spaced, bool enabled) const
    {
        for (const QString& name : names(spaced))
            EXPECT_EQ(child(name)->isEnabled(), enabled) << qPrintable(name);
    }
    QColor swatch() const { return child("shpFarbTestProbeEcke")->palette().color(QPalette::Window); }
    // Indexes of the checked buttons among prefix0 .. prefix(count - 1).
    QList<int> checkedOf(const char* prefix, int count) const
    {
        QList<int> result;
        for (int i = 0; i < count; ++i) {
            if (checked(QString::fromLatin1(prefix) + QString::number(i)))
                result << i;
        }
        return result;
    }

    FakeHost host;
    std::unique_ptr<Options> dialog;
};

TEST_F(DialogTest, EveryControlIsThereByName)
{
    open();
    EXPECT_EQ(dialog->objectName(), u"Options"_s);
    // Those with a language text are found with their captions, the others
    // with their first use in these tests; here are the rest.
    const std::pair<const char*, const char*> controls[] = {{"QCheckBox", "chkRngShbWechseln chkMannschaftsliste"},
        {"QPushButton", "cmdWerbeZeitMinus cmdWerbePausePlus"}, {"QGroupBox", "fraRanglistenSettings fraDatenNetzwerk"},
        {"QLabel", "lblRangListenTitel lblKlassenNr lblKlassenNotiz lblDisziplinID lblWettkampfID"},
        {"QLineEdit", "tbxKlassenNr tbxWettkampfID"}, {"QComboBox", "drvNetzWerk dbxDatenNetzwerk"}};
    for (const auto& [type, list] : controls) {
        for (const QString& name : names(list)) {
            const QWidget* widget = child(name);
            EXPECT_TRUE(widget && widget->inherits(type)) << type << " " << qPrintable(name);
        }
    }
    EXPECT_EQ(child<QRadioButton>("optAufloesung3")->text(), u"1360 x 768"_s);
    EXPECT_EQ(label("lblKennung"), u"VTX-ServerKennNummer :"_s);
    EXPECT_EQ(dialog->pos(), QPoint(0, 0));
}

TEST_F(DialogTest, LoadingShowsTheSettingsAndAppliesTheDependencies)
{
    s().Wechselzeit = 90;
    s().AnfScheibe = 2;
    s().EndScheibe = 6;
    s().ScheibenProSeite = 4;
    s().MittlereLage = 1;
    s().Nummeriert = 2; // only exactly 1 ticks
    s().Schnellanzeige = s().Blaettern = s().AnzeigeServerNr = 1;
    open();
    for (const auto& [name, value] : {std::pair {"lblScheibenAnzahl", "8"}, {"lblAnzScheibeSeite", "4"},
             {"lblWechselzeit", "90"}, {"lblAnfScheibe", "2"}, {"lblEndScheibe", "6"}})
        EXPECT_EQ(label(name), QLatin1String(value)) << name;
    for (const QString& name : names("optSprache1 optNr1 MittlereTrefferLage chkSchnellAnzeige chkAusfAnzeige "
                                     "chkBuLiAnordnung chkAnzeigeServer2 chkBlaettern"))
        EXPECT_TRUE(checked(name)) << qPrintable(name);
    EXPECT_FALSE(checked("Nummerierung"));
    expectEnabled("frmWechselzeit", true);
    expectEnabled("frmAnfScheibe", false);
    EXPECT_EQ(swatch(), QColor(255, 0, 0));
    EXPECT_EQ(s().Nummeriert, 2);

    s().Trefferkreuze = s().AnfEnde = 1;
    open();
    expectEnabled("Nummerierung chkTrefferKreise frmEndScheibe", true);
}

TEST_F(DialogTest, DependenciesFollowTheirBoxes)
{
    open();
    expectEnabled("frmWechselzeit frmAnzSeite frmAnfScheibe frmEndScheibe Nummerierung chkTrefferKreise", false);
    click("cmdPlusWechselzeit"); // a disabled frame takes no clicks
    EXPECT_EQ(label("lblWechselzeit"), u"60"_s);
    clickEach("chkBlaettern chkAnfEnd TrefferKreuz");
    expectEnabled("frmWechselzeit frmAnzSeite frmAnfScheibe frmEndScheibe Nummerierung chkTrefferKreise", true);
    click("chkAnfEnd");
    expectEnabled("frmAnfScheibe frmEndScheibe", false);
}

TEST_F(DialogTest, SteppersStopAtTheirLimitsAndTheChangeTimeWrapsAround)
{
    s().Wechselzeit = 9985; // from a hand-edited file: steps past the top, then wraps
    s().Blaettern = s().AnfEnde = 1;
    s().AnfScheibe = s().EndScheibe = 5;
    s().WerbeZeit = 29;
    s().WerbePause = 1;
    open();
    const struct {
        const char* button;
        int clicks;
        const char* label;
        const char* shown;
    } steps[] = {{"cmdPlusWechselzeit", 1, "lblWechselzeit", "9995"}, {"cmdPlusWechselzeit", 1, "lblWechselzeit", "0"},
        {"cmdMinusWechselzeit", 1, "lblWechselzeit", "9990"}, {"cmdPlusWechselzeit", 1, "lblWechselzeit", "0"},
        {"cmdPlusAnzSeite", 1, "lblAnzScheibeSeite", "8"}, // per page stops at the count
        {"cmdMinusAnzSeite", 1, "lblAnzScheibeSeite", "7"},
        {"cmdAnfangPlus", 1, "lblAnfScheibe", "5"}, // first and last keep their order
        {"cmdEndMinus", 1, "lblEndScheibe", "5"}, {"cmdEndPlus", 5, "lblEndScheibe", "8"},
        {"cmdAnfangMinus", 6, "lblAnfScheibe", "1"}, {"Minus", 2, "lblScheibenAnzahl", "6"},
        {"cmdWerbeZeitPlus", 2, "lblWerbeZeit", "30"}, {"cmdWerbePauseMinus", 3, "lblWerbePause", "0"}};
    for (const auto& step : steps) {
        click(step.button, step.clicks);
        EXPECT_EQ(label(step.label), QLatin1String(step.shown)) << step.button;
    }
    // The steppers of the frame's layout edit working copies; the advertising
    // times are written at once.
    SettingsFields::expect(s(), u"Wechselzeit=9985;Scheibenanzahl=8;WerbeZeit=30;WerbePause=0"_s);
}

TEST_F(DialogTest, ResolutionCodeFollowsThePositionAtTheClick)
{
    s().BildSchirm = 2;
    s().BildAufloesung = 0;
    open();
    const std::pair<const char*, std::pair<int, int>> clicks[] = {{"optAufloesung1", {2, 1}},
        {"optStartPosition0", {0, 1}}, // picking the position afterwards does not recompute
        {"optAufloesung3", {0, 103}}, {"optAufloesung3", {0, 103}}};
    for (const auto& [button, expected] : clicks) {
        click(button);
        EXPECT_EQ((std::pair<int, int>(s().BildSchirm, s().BildAufloesung)), expected) << button;
    }
}

TEST_F(DialogTest, LoadingRecomputesTheStoredResolutionCodeAndUnknownValuesSelectNothing)
{
    const struct {
        int position, stored, button, code; // button -1: none
    } cases[] = {{1, 2, 2, 102}, {0, 3, 3, 103}, {2, 101, 1, 1}, {1, 100, 0, 100}, {7, 50, -1, 50}};
    s().Sprache = 9;
    for (const auto& c : cases) {
        s().BildSchirm = static_cast<std::uint8_t>(c.position);
        s().BildAufloesung = static_cast<std::uint8_t>(c.stored);
        open();
        EXPECT_EQ(checkedOf("optAufloesung", 4), c.button < 0 ? QList<int>() : QList<int> {c.button});
        EXPECT_EQ(checkedOf("optStartPosition", 3), c.position > 2 ? QList<int>() : QList<int> {c.position});
        EXPECT_EQ(s().BildAufloesung, c.code) << c.position << " " << c.stored;
    }
    EXPECT_TRUE(checkedOf("optSprache", 8).isEmpty());
    EXPECT_EQ(s().Sprache, 9);
    // An unknown position still counts as 0 for a resolution picked now.
    click("optAufloesung2");
    EXPECT_EQ(s().BildAufloesung, 102);
}

TEST_F(DialogTest, ImmediateChoicesGoToTheSettingsAtOnce)
{
    open();
    clickEach("optSprache3 MittlereTrefferLage cbxZehntel chkFreieWerbung chkVergroessernAus TrefferKreuz Nummerierung "
              "chkAusfAnzeige");
    // The detailed display is read at close only.
    SettingsFields::expect(s(),
        u"Sprache=3;MittlereLage=1;ZehntelAnzeige=0;FreieWerbung=1;VergroessernAus=1;Nummeriert=1;AusfAnzeige=1"_s);
}

TEST_F(DialogTest, KeysHoldingOtherValuesComeBackAsReadUntilTheOperatorClicksTheirBox)
{
    const std::pair<const char*, const char*> keys[]
        = {{"chkFreieWerbung", "FreieWerbung=2"}, {"chkEinZeilig", "chkEinZeilig=2"},
            {"chkMannschaftsliste", "KORVUMannschaft=-3"}, {"chkRngShbWechseln", "RangUndScheibe=2"},
            {"chkSchnellAnzeige", "Schnellanzeige=7"}, {"chkVergroessernAus", "VergroessernAus=255"}};
    s().FreieWerbung = s().chkEinZeilig = s().RangUndScheibe = 2;
    s().KORVUMannschaft = -3;
    s().Schnellanzeige = 7;
    s().VergroessernAus = 255;
    s().BildAufloesung = 100; // as the loading writes the code anew
    const QStringList before = SettingsFields::fields(s());
    open();
    dialog->deaktivieren();
    dialog->aktivieren();
    click("OptionSchliessen");
    EXPECT_EQ(host.rebuilds, 0);
    EXPECT_EQ(SettingsFields::fields(s()).join(u'\n').toStdString(), before.join(u'\n').toStdString());

    QStringList ticked;
    for (const auto& [box, key] : keys) {
        EXPECT_EQ(child<QCheckBox>(box)->checkState(), Qt::PartiallyChecked) << box;
        click(box);
        EXPECT_EQ(child<QCheckBox>(box)->checkState(), Qt::Checked) << box;
        ticked << QString::fromLatin1(key).section(u'=', 0, 0) + u"=1"_s;
    }
    click("OptionSchliessen");
    SettingsFields::expect(s(), ticked.join(u';'));
    // From now on the box knows only clear and ticked.
    click("chkFreieWerbung", 2);
    EXPECT_EQ(child<QCheckBox>("chkFreieWerbung")->checkState(), Qt::Checked);
}

TEST_F(DialogTest, SightingColourRingOnTheSwatch)
{
    open();
    QWidget* colourLabel = child("lblFarbeProbeEcke");
    for (const QColor& expected :
        {QColor(0, 0, 255), QColor(0, 255, 0), QColor(255, 255, 0), QColor(0, 0, 0), QColor(255, 0, 0)}) {
        QTest::mouseClick(colourLabel, Qt::LeftButton);
        EXPECT_EQ(swatch(), expected);
    }
    QTest::mouseClick(colourLabel, Qt::LeftButton);
    click("OptionSchliessen");
    EXPECT_EQ(s().FarbeProbeEcke, 16711680.0);

    // A colour outside the ring steps to red.
    s().FarbeProbeEcke = 12345;
    open();
    QTest::mouseClick(child("lblFarbeProbeEcke"), Qt::LeftButton);
    EXPECT_EQ(swatch(), QColor(255, 0, 0));
}

TEST_F(DialogTest, OverlayPagesLieOverTheMainPageAndTheHiddenLabelOpensDiagnostics)
{
    open();
    QWidget* ranking = child("fraRangliste");
    QWidget* advertising = child("fraWerbung");
    EXPECT_TRUE(ranking->isHidden() && advertising->isHidden());
    click("cmdRangliste");
    EXPECT_FALSE(ranking->isHidden());
    EXPECT_EQ(ranking->pos(), child("Rahmen_Anzeige")->pos());
    click("cmdZurueck");
    EXPECT_TRUE(ranking->isHidden());
    click("cmdWerbung");
    EXPECT_FALSE(advertising->isHidden());
    EXPECT_EQ(advertising->geometry(), child("Rahmen_Anzeige")->geometry());
    click("cmdWerbungUebernehmen");
    EXPECT_TRUE(advertising->isHidden());
    QTest::mouseDClick(child("lblOsterei"), Qt::LeftButton);
    EXPECT_EQ(host.diagnostics, 1);
}

TEST_F(DialogTest, TimersStopOnActivationAndTwoRestartOnDeactivation)
{
    FrameTimers& timers = host.frameTimers;
    const auto running = [&timers] {
        return QList<bool> {timers.tmrBlaettern.isEnabled(), timers.tmrWatchdog.isEnabled(),
            timers.tmrWerbung.isEnabled(), timers.tmrWerbePause.isEnabled()};
    };
    for (VbTimer* timer : {&timers.tmrBlaettern, &timers.tmrWatchdog, &timers.tmrWerbung, &timers.tmrWerbePause})
        timer->setEnabled(true);
    dialog = std::make_unique<Options>(host);
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    EXPECT_EQ(running(), (QList<bool> {false, false, false, false}));

    // A target window taking the activation.
    QWidget target;
    target.setObjectName(u"Scheibe"_s);
    target.show();
    target.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&target));
    EXPECT_EQ(running(), (QList<bool> {true, true, false, false}));

    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    EXPECT_FALSE(timers.tmrWatchdog.isEnabled());
    dialog->hide();
    EXPECT_TRUE(timers.tmrWatchdog.isEnabled());
}

TEST_F(DialogTest, ActivationRereadsRankingFieldsButNotTheSteppers)
{
    s().RLTitel = u"Stored"_s;
    open();
    setText("tbxRanglistenTitel", u"Edited"_s);
    setText("tbxKennung", u"44"_s);
    clickEach("chkRanglisteAn Plus");
    dialog->deaktivieren();
    dialog->aktivieren();
    EXPECT_EQ(text("tbxRanglistenTitel"), u"Stored"_s);
    EXPECT_EQ(text("tbxKennung"), u"1"_s);
    EXPECT_FALSE(checked("chkRanglisteAn"));
    EXPECT_EQ(label("lblScheibenAnzahl"), u"9"_s);
}

TEST_F(DialogTest, LanguageTextsAndCharsetGoOntoTheirControls)
{
    // Without language texts the captions are empty.
    open();
    EXPECT_TRUE(dialog->windowTitle().isEmpty());
    EXPECT_TRUE(child<QPushButton>("OptionSchliessen")->text().isEmpty());
    EXPECT_EQ(dialog->property("omrCharset").toInt(), 0);

    auto& language = state().language;
    language.SprachZeichensatz = 204;
    for (int i = 0; i < LanguageTexts::OptionsTextCount; ++i)
        language.OptionsTexte[i] = u"T%1"_s.arg(i + 1);
    open();
    EXPECT_EQ(dialog->windowTitle(), u"T1"_s);
    for (int i = 1; i < OptionsTextTable::Count; ++i) {
        const QWidget* control = child(OptionsTextTable::entries()[std::size_t(i)].control);
        const auto* box = qobject_cast<const QGroupBox*>(control);
        const auto* button = qobject_cast<const QAbstractButton*>(control);
        const auto* caption = qobject_cast<const QLabel*>(control);
        EXPECT_EQ(box     ? box->title()
                : button  ? button->text()
                : caption ? caption->text()
                          : QString(),
            u"T%1"_s.arg(i + 1))
            << i;
    }
    EXPECT_EQ(child<QAbstractButton>("cmdRangliste")->text(), u"Rangliste"_s);
    EXPECT_EQ(dialog->property("omrCharset").toInt(), 204);
    for (const char* inside : {"optSprache3", "fraWerbePause"})
        EXPECT_EQ(child(inside)->property("omrCharset").toInt(), 204) << inside;
    for (const char* outside : {"cmdRangliste", "optAufloesung0", "chkRanglisteAn", "fraRangliste"})
        EXPECT_FALSE(child(outside)->property("omrCharset").isValid()) << outside;
}

TEST_F(DialogTest, EmptyRankingPathBecomesTheProgramFolder)
{
    s().KORVUPfad.clear();
    open();
    EXPECT_EQ(s().KORVUPfad, dir());
    EXPECT_EQ(native(child<FolderList>("dLbDatenNetzwerk")->path()), dir());
}

TEST_F(DialogTest, PicturesAreAddedUnderThePrefixedNameAndDeleted)
{
    write(u"logo.jpg"_s, "jpg");
    write(u"Banner.BMP"_s, "bmp");
    write(u"notes.txt"_s, "txt");
    open();
    EXPECT_TRUE(QFileInfo(file(u"werbung"_s)).isDir());
    auto* source = child<PictureList>("flbQuellVerz");
    auto* target = child<PictureList>("flbZielVerz");
    EXPECT_EQ(source->files(), (QStringList {u"Banner.BMP"_s, u"logo.jpg"_s}));
    EXPECT_EQ(native(text("txtZielVerz")), file(u"werbung"_s));

    click("cmdHinzufuegen"); // nothing selected
    EXPECT_TRUE(target->files().isEmpty());
    // The same picture twice gives one copy.
    source->setCurrentRow(1);
    click("cmdHinzufuegen", 2);
    EXPECT_EQ(target->files(), QStringList {u"HB_0_logo.jpg"_s});
    EXPECT_EQ(read(u"werbung/HB_0_logo.jpg"_s), QByteArray("jpg"));

    click("cmdloeschen"); // nothing selected
    EXPECT_EQ(target->files().size(), 1);
    target->setCurrentRow(0);
    click("cmdloeschen");
    EXPECT_TRUE(target->files().isEmpty());
    EXPECT_FALSE(exists(u"werbung/HB_0_logo.jpg"_s));
    EXPECT_TRUE(exists(u"logo.jpg"_s));
}

TEST_F(DialogTest, SourceFolderIsChosenThroughTheFileDialog)
{
    QDir(dir()).mkpath(u"pictures"_s);
    write(u"pictures/a.jpg"_s, "a");
    open();
    auto* source = child<PictureList>("flbQuellVerz");
    TestDialogs::queueOpenFileAnswer(std::nullopt);
    QTest::mouseClick(child("txtQuellVerz"), Qt::LeftButton);
    EXPECT_EQ(native(source->path()), dir());

    TestDialogs::queueOpenFileAnswer(file(u"pictures/a.jpg"_s));
    QTest::mouseClick(child("txtQuellVerz"), Qt::LeftButton);
    EXPECT_EQ(native(source->path()), file(u"pictures"_s));
    EXPECT_EQ(text("txtQuellVerz"), source->path());
    EXPECT_EQ(source->files(), QStringList {u"a.jpg"_s});
}

TEST_F(DialogTest, NetworkFolderIsAWorkingCopyTakenAtClose)
{
    QDir(dir()).mkpath(u"exchange"_s);
    open();
    auto* folders = child<FolderList>("dlbNetzwerk");
    EXPECT_EQ(native(folders->path()), dir());
    const qsizetype row = folders->entries().indexOf(file(u"exchange"_s));
    ASSERT_GE(row, 0);
    Q_EMIT folders->itemActivated(folders->item(int(row)));
    EXPECT_EQ(native(folders->path()), file(u"exchange"_s));
    EXPECT_EQ(s().NetzwerkPfad, dir());
    click("OptionSchliessen");
    EXPECT_EQ(native(s().NetzwerkPfad), file(u"exchange"_s));
}

TEST_F(DialogTest, CloseAppliesAndHidesOrAfterALayoutChangeLeavesTheTimersToTheFrame)
{
    open();
    dialog->show();
    setText("tbxRanglistenTitel", u"Finale"_s);
    setText("tbxKennung", u"123456"_s);
    setText("tbxDisziplinID", u"-7.5"_s);
    click("OptionSchliessen");
    EXPECT_EQ(host.rebuilds, 0);
    EXPECT_EQ(host.rankingTitle, u"Finale"_s);
    SettingsFields::expect(s(), u"VTXServerID=32767;KORVUDisziID=-8"_s);
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_TRUE(host.frameTimers.tmrWatchdog.isEnabled());

    open();
    clickEach("Plus OptionSchliessen");
    EXPECT_EQ(host.rebuilds, 1);
    EXPECT_EQ(s().Scheibenanzahl, 9);
    EXPECT_FALSE(host.frameTimers.tmrWatchdog.isEnabled());
    dialog->hide();
    EXPECT_FALSE(host.frameTimers.tmrWatchdog.isEnabled());
}

TEST_F(DialogTest, UnusableProgramFolderDoesNoHarm)
{
    write(u"plain"_s, "x");
    ProgramInfo::setDirectoryForTest(file(u"plain"_s));
    s().KORVUPfad.clear();
    open();
    click("cmdHinzufuegen");
    child<PictureList>("flbQuellVerz")->setCurrentRow(0);
    click("cmdHinzufuegen");
    EXPECT_TRUE(child<PictureList>("flbZielVerz")->files().isEmpty());
    EXPECT_EQ(read(u"plain"_s), QByteArray("x"));
    click("OptionSchliessen");
    EXPECT_EQ(read(u"plain"_s), QByteArray("x"));
}

} // namespace
