#include "options/FolderList.h"
#include "options/Options.h"
#include "options/PictureList.h"
#include "options_fakes.h"
#include "options_program_folder.h"
#include "support/TestDialogs.h"

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

namespace {

class DialogTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        TestDialogs::clear();
        Einstellungen& s = state().settings;
        s.Scheibenanzahl = 8;
        s.ScheibenProSeite = 8;
        s.Wechselzeit = 60;
        s.AnfScheibe = 1;
        s.EndScheibe = 8;
        s.SerienAnzeige = 1;
        s.AusfAnzeige = 1;
        s.ZehntelAnzeige = 1;
        s.TrefferVergroessern = 1;
        s.FarbeProbeEcke = 255;
        s.AutoZoom = 1;
        s.VerbindungsArt = 1;
        s.Sprache = 1;
        s.BuliAnordnung = 1;
        s.SerienErgebnisse = 1;
        s.NetzwerkPfad = dir();
        s.KORVUPfad = dir();
        s.KORVUDisziID = 1;
        s.KORVUWKID = 1;
        s.VTXServerID = 1;
        s.Disziplinen = QStringList(8, QStringLiteral("1.10"));
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
    template<class T = QWidget> T* child(const QString& name) const
    {
        T* widget = dialog->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    template<class T = QWidget> T* child(const char* name) const { return child<T>(QString::fromLatin1(name)); }
    void click(const char* name) { child<QAbstractButton>(name)->click(); }
    void click(const char* name, int times)
    {
        for (int i = 0; i < times; ++i)
            click(name);
    }
    QString label(const char* name) const { return child<QLabel>(name)->text(); }
    bool checked(const char* name) const { return child<QAbstractButton>(name)->isChecked(); }
    bool enabled(const char* name) const { return child(name)->isEnabled(); }
    QColor swatch() const { return child("shpFarbTestProbeEcke")->palette().color(QPalette::Window); }

    Einstellungen& s() { return state().settings; }

    FakeHost host;
    std::unique_ptr<Options> dialog;
};

TEST_F(DialogTest, EveryControlIsThereByName)
{
    open();
    EXPECT_EQ(dialog->objectName(), QStringLiteral("Options"));
    const char* checkBoxes[] = {"TrefferKreuz", "Nummerierung", "chkTrefferKreise", "MittlereTrefferLage", "cbxZehntel",
        "chkAusfAnzeige", "chkZehner_Serie", "chkTrefferVergroesserung", "chkAutozoom", "chkSchnellAnzeige",
        "chkSerienErgebnisse", "chkEinZeilig", "chkBuLiAnordnung", "chkAnfEnd", "chkBlaettern", "chkAnzeigeServer2",
        "chkRanglisteAn", "chkRngShbWechseln", "chkMannschaftsliste", "chkFreieWerbung", "chkVergroessernAus"};
    for (const char* name : checkBoxes)
        child<QCheckBox>(name);
    const char* buttons[] = {"Minus", "Plus", "cmdMinusAnzSeite", "cmdPlusAnzSeite", "cmdMinusWechselzeit",
        "cmdPlusWechselzeit", "cmdAnfangMinus", "cmdAnfangPlus", "cmdEndMinus", "cmdEndPlus", "cmdWerbeZeitMinus",
        "cmdWerbeZeitPlus", "cmdWerbePauseMinus", "cmdWerbePausePlus", "cmdRangliste", "cmdZurueck", "cmdWerbung",
        "cmdWerbungUebernehmen", "cmdHinzufuegen", "cmdloeschen", "OptionSchliessen"};
    for (const char* name : buttons)
        child<QPushButton>(name);
    const char* frames[] = {"Rahmen_Anzeige", "fraRangliste", "fraWerbung", "fraScheibenanzeige", "frmScheibenAnzahl",
        "frmAnfScheibe", "frmEndScheibe", "frmAnzSeite", "frmWechselzeit", "fraVerbindungsArt", "fraFensterOptionen",
        "fraStartPosition", "fraAufloesung", "fraNetzWerk", "fraSprachen", "fraRanglistenSettings", "fraDatenNetzwerk",
        "fraWerbeZeit", "fraWerbePause", "fraQuelleVerz", "fraZielVerz"};
    for (const char* name : frames)
        child<QGroupBox>(name);
    const char* labels[] = {"lblScheibenAnzahl", "lblAnzScheibeSeite", "lblWechselzeit", "lblAnfScheibe",
        "lblEndScheibe", "lblWerbeZeit", "lblWerbePause", "lblFarbeProbeEcke", "lblOsterei", "lblRangListenTitel",
        "lblKlassenNr", "lblKlassenNotiz", "lblDisziplinID", "lblWettkampfID", "lblKennung"};
    for (const char* name : labels)
        child<QLabel>(name);
    for (const char* name : {"tbxRanglistenTitel", "tbxKlassenNr", "tbxDisziplinID", "tbxWettkampfID", "tbxKennung",
             "txtQuellVerz", "txtZielVerz"})
        child<QLineEdit>(name);
    for (int i = 0; i < 8; ++i)
        child<QRadioButton>(QStringLiteral("optSprache%1").arg(i));
    for (int i = 0; i < 3; ++i)
        child<QRadioButton>(QStringLiteral("optStartPosition%1").arg(i));
    for (int i = 0; i < 4; ++i)
        child<QRadioButton>(QStringLiteral("optAufloesung%1").arg(i));
    for (int i = 0; i < 2; ++i)
        child<QRadioButton>(QStringLiteral("optNr%1").arg(i));
    child<QComboBox>("drvNetzWerk");
    child<QComboBox>("dbxDatenNetzwerk");
    child<FolderList>("dlbNetzwerk");
    child<FolderList>("dLbDatenNetzwerk");
    child<PictureList>("flbQuellVerz");
    child<PictureList>("flbZielVerz");
    child("shpFarbTestProbeEcke");
    EXPECT_EQ(child<QRadioButton>("optAufloesung3")->text(), QStringLiteral("1360 x 768"));
    EXPECT_EQ(child<QLabel>("lblKennung")->text(), QStringLiteral("VTX-ServerKennNummer :"));
    EXPECT_EQ(dialog->pos(), QPoint(0, 0));
}

TEST_F(DialogTest, LoadingShowsTheSettings)
{
    s().Wechselzeit = 90;
    s().AnfScheibe = 2;
    s().EndScheibe = 6;
    s().ScheibenProSeite = 4;
    s().MittlereLage = 1;
    s().Nummeriert = 2; // only exactly 1 ticks
    s().Schnellanzeige = 1;
    s().Blaettern = 1;
    s().AnzeigeServerNr = 1;
    open();
    EXPECT_EQ(label("lblScheibenAnzahl"), QStringLiteral("8"));
    EXPECT_EQ(label("lblAnzScheibeSeite"), QStringLiteral("4"));
    EXPECT_EQ(label("lblWechselzeit"), QStringLiteral("90"));
    EXPECT_EQ(label("lblAnfScheibe"), QStringLiteral("2"));
    EXPECT_EQ(label("lblEndScheibe"), QStringLiteral("6"));
    EXPECT_TRUE(checked("optSprache1"));
    EXPECT_TRUE(checked("optNr1"));
    EXPECT_TRUE(checked("MittlereTrefferLage"));
    EXPECT_FALSE(checked("Nummerierung"));
    EXPECT_TRUE(checked("chkSchnellAnzeige"));
    EXPECT_TRUE(checked("chkAusfAnzeige"));
    EXPECT_TRUE(checked("chkBuLiAnordnung"));
    EXPECT_TRUE(checked("chkAnzeigeServer2"));
    EXPECT_TRUE(checked("chkBlaettern"));
    EXPECT_TRUE(enabled("frmWechselzeit"));
    EXPECT_FALSE(enabled("frmAnfScheibe"));
    EXPECT_EQ(swatch(), QColor(255, 0, 0));
    EXPECT_EQ(s().Nummeriert, 2);
}

TEST_F(DialogTest, ChangeTimeStepperWrapsAround)
{
    s().Wechselzeit = 0;
    s().Blaettern = 1;
    open();
    click("cmdMinusWechselzeit");
    EXPECT_EQ(label("lblWechselzeit"), QStringLiteral("9990"));
    click("cmdPlusWechselzeit");
    EXPECT_EQ(label("lblWechselzeit"), QStringLiteral("0"));
    EXPECT_EQ(s().Wechselzeit, 0); // a working copy only
}

TEST_F(DialogTest, ChangeTimeFromTheFileStepsPastTheTopThenWraps)
{
    s().Wechselzeit = 9985;
    s().Blaettern = 1;
    open();
    click("cmdPlusWechselzeit");
    EXPECT_EQ(label("lblWechselzeit"), QStringLiteral("9995"));
    click("cmdPlusWechselzeit");
    EXPECT_EQ(label("lblWechselzeit"), QStringLiteral("0"));
}

TEST_F(DialogTest, AdvertisingTimeIsWrittenAtOnceAndStopsAtThirty)
{
    s().WerbeZeit = 29;
    s().WerbePause = 1;
    open();
    click("cmdWerbeZeitPlus");
    EXPECT_EQ(s().WerbeZeit, 30);
    click("cmdWerbeZeitPlus");
    EXPECT_EQ(s().WerbeZeit, 30);
    EXPECT_EQ(label("lblWerbeZeit"), QStringLiteral("30"));
    click("cmdWerbePauseMinus", 3);
    EXPECT_EQ(s().WerbePause, 0);
    EXPECT_EQ(label("lblWerbePause"), QStringLiteral("0"));
}

TEST_F(DialogTest, PerPageStopsAtTheCount)
{
    s().Blaettern = 1;
    open();
    click("cmdPlusAnzSeite");
    EXPECT_EQ(label("lblAnzScheibeSeite"), QStringLiteral("8"));
    click("cmdMinusAnzSeite");
    EXPECT_EQ(label("lblAnzScheibeSeite"), QStringLiteral("7"));
    click("Minus", 2);
    EXPECT_EQ(label("lblScheibenAnzahl"), QStringLiteral("6"));
    EXPECT_EQ(s().Scheibenanzahl, 8);
}

TEST_F(DialogTest, FirstAndLastKeepTheirOrder)
{
    s().AnfEnde = 1;
    s().AnfScheibe = 5;
    s().EndScheibe = 5;
    open();
    click("cmdAnfangPlus");
    click("cmdEndMinus");
    EXPECT_EQ(label("lblAnfScheibe"), QStringLiteral("5"));
    EXPECT_EQ(label("lblEndScheibe"), QStringLiteral("5"));
    click("cmdEndPlus", 5);
    EXPECT_EQ(label("lblEndScheibe"), QStringLiteral("8"));
    click("cmdAnfangMinus", 6);
    EXPECT_EQ(label("lblAnfScheibe"), QStringLiteral("1"));
}

TEST_F(DialogTest, ResolutionCodeFollowsThePositionAtTheClick)
{
    s().BildSchirm = 2;
    s().BildAufloesung = 0;
    open();
    click("optAufloesung1");
    EXPECT_EQ(s().BildAufloesung, 1);
    click("optStartPosition0");
    EXPECT_EQ(s().BildSchirm, 0);
    EXPECT_EQ(s().BildAufloesung, 1); // picking the position afterwards does not recompute
    click("optAufloesung3");
    EXPECT_EQ(s().BildAufloesung, 103);
    click("optAufloesung3"); // again, now under position 0
    EXPECT_EQ(s().BildAufloesung, 103);
}

TEST_F(DialogTest, LoadingRecomputesTheStoredResolutionCode)
{
    const struct {
        int position;
        int stored;
        int button;
        int code;
    } cases[] = {{1, 2, 2, 102}, {0, 3, 3, 103}, {2, 101, 1, 1}, {1, 100, 0, 100}};
    for (const auto& c : cases) {
        s().BildSchirm = static_cast<std::uint8_t>(c.position);
        s().BildAufloesung = static_cast<std::uint8_t>(c.stored);
        open();
        EXPECT_TRUE(checked(QStringLiteral("optAufloesung%1").arg(c.button).toLatin1().constData()));
        EXPECT_TRUE(checked(QStringLiteral("optStartPosition%1").arg(c.position).toLatin1().constData()));
        EXPECT_EQ(s().BildAufloesung, c.code) << c.position << " " << c.stored;
    }
}

TEST_F(DialogTest, UnknownStoredValuesSelectNothing)
{
    s().BildSchirm = 7;
    s().BildAufloesung = 50;
    s().Sprache = 9;
    open();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(checked(QStringLiteral("optStartPosition%1").arg(i).toLatin1().constData()));
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(checked(QStringLiteral("optAufloesung%1").arg(i).toLatin1().constData()));
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(checked(QStringLiteral("optSprache%1").arg(i).toLatin1().constData()));
    EXPECT_EQ(s().BildAufloesung, 50);
    EXPECT_EQ(s().Sprache, 9);
    // Position still counts as 0 for a resolution picked now.
    click("optAufloesung2");
    EXPECT_EQ(s().BildAufloesung, 102);
}

TEST_F(DialogTest, ImmediateChoicesGoToTheSettingsAtOnce)
{
    open();
    click("optSprache3");
    EXPECT_EQ(s().Sprache, 3);
    click("MittlereTrefferLage");
    EXPECT_EQ(s().MittlereLage, 1);
    click("cbxZehntel");
    EXPECT_EQ(s().ZehntelAnzeige, 0);
    click("chkFreieWerbung");
    EXPECT_EQ(s().FreieWerbung, 1);
    click("chkVergroessernAus");
    EXPECT_EQ(s().VergroessernAus, 1);
    click("TrefferKreuz");
    click("Nummerierung");
    EXPECT_EQ(s().Nummeriert, 1);
    click("chkAusfAnzeige"); // read at close only
    EXPECT_EQ(s().AusfAnzeige, 1);
}

TEST_F(DialogTest, SightingColourRingOnTheSwatch)
{
    open();
    QWidget* colourLabel = child("lblFarbeProbeEcke");
    const QColor ring[]
        = {QColor(0, 0, 255), QColor(0, 255, 0), QColor(255, 255, 0), QColor(0, 0, 0), QColor(255, 0, 0)};
    for (const QColor& expected : ring) {
        QTest::mouseClick(colourLabel, Qt::LeftButton);
        EXPECT_EQ(swatch(), expected);
    }
    QTest::mouseClick(colourLabel, Qt::LeftButton);
    click("OptionSchliessen");
    EXPECT_EQ(s().FarbeProbeEcke, 16711680.0);
}

TEST_F(DialogTest, ColourOutsideTheRingStepsToRed)
{
    s().FarbeProbeEcke = 12345;
    open();
    QTest::mouseClick(child("lblFarbeProbeEcke"), Qt::LeftButton);
    EXPECT_EQ(swatch(), QColor(255, 0, 0));
}

TEST_F(DialogTest, DependenciesFollowTheirBoxes)
{
    open();
    EXPECT_FALSE(enabled("frmWechselzeit"));
    EXPECT_FALSE(enabled("frmAnzSeite"));
    click("cmdPlusWechselzeit"); // a disabled frame takes no clicks
    EXPECT_EQ(label("lblWechselzeit"), QStringLiteral("60"));
    click("chkBlaettern");
    EXPECT_TRUE(enabled("frmWechselzeit"));
    EXPECT_TRUE(enabled("frmAnzSeite"));
    click("chkAnfEnd");
    EXPECT_TRUE(enabled("frmAnfScheibe"));
    EXPECT_TRUE(enabled("frmEndScheibe"));
    click("chkAnfEnd");
    EXPECT_FALSE(enabled("frmAnfScheibe"));
    EXPECT_FALSE(enabled("Nummerierung"));
    EXPECT_FALSE(enabled("chkTrefferKreise"));
    click("TrefferKreuz");
    EXPECT_TRUE(enabled("Nummerierung"));
    EXPECT_TRUE(enabled("chkTrefferKreise"));
}

TEST_F(DialogTest, LoadingTheHitCrossBoxAppliesItsDependency)
{
    s().Trefferkreuze = 1;
    s().AnfEnde = 1;
    open();
    EXPECT_TRUE(enabled("Nummerierung"));
    EXPECT_TRUE(enabled("chkTrefferKreise"));
    EXPECT_TRUE(enabled("frmEndScheibe"));
}

TEST_F(DialogTest, OverlayPagesLieOverTheMainPage)
{
    open();
    QWidget* ranking = child("fraRangliste");
    QWidget* advertising = child("fraWerbung");
    EXPECT_TRUE(ranking->isHidden());
    EXPECT_TRUE(advertising->isHidden());
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
}

TEST_F(DialogTest, TimersStopOnActivationAndTwoRestartOnDeactivation)
{
    FrameTimers& timers = host.frameTimers;
    for (VbTimer* timer : {&timers.tmrBlaettern, &timers.tmrWatchdog, &timers.tmrWerbung, &timers.tmrWerbePause})
        timer->setEnabled(true);
    open();
    EXPECT_FALSE(timers.tmrBlaettern.isEnabled());
    EXPECT_FALSE(timers.tmrWatchdog.isEnabled());
    EXPECT_FALSE(timers.tmrWerbung.isEnabled());
    EXPECT_FALSE(timers.tmrWerbePause.isEnabled());
    dialog->deaktivieren();
    EXPECT_TRUE(timers.tmrBlaettern.isEnabled());
    EXPECT_TRUE(timers.tmrWatchdog.isEnabled());
    EXPECT_FALSE(timers.tmrWerbung.isEnabled());
    EXPECT_FALSE(timers.tmrWerbePause.isEnabled());
}

TEST_F(DialogTest, RealWindowActivationDrivesTheTimers)
{
    FrameTimers& timers = host.frameTimers;
    timers.tmrWatchdog.setEnabled(true);
    dialog = std::make_unique<Options>(host);
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    EXPECT_FALSE(timers.tmrWatchdog.isEnabled());

    QWidget target;
    target.setObjectName(QStringLiteral("Scheibe"));
    target.show();
    target.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&target));
    EXPECT_TRUE(timers.tmrWatchdog.isEnabled());
    EXPECT_TRUE(timers.tmrBlaettern.isEnabled());

    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    EXPECT_FALSE(timers.tmrWatchdog.isEnabled());
    dialog->hide();
    EXPECT_TRUE(timers.tmrWatchdog.isEnabled());
}

TEST_F(DialogTest, ActivationRereadsRankingFieldsButNotTheSteppers)
{
    s().RLTitel = QStringLiteral("Stored");
    open();
    child<QLineEdit>("tbxRanglistenTitel")->setText(QStringLiteral("Edited"));
    child<QLineEdit>("tbxKennung")->setText(QStringLiteral("44"));
    click("chkRanglisteAn");
    click("Plus");
    dialog->deaktivieren();
    dialog->aktivieren();
    EXPECT_EQ(child<QLineEdit>("tbxRanglistenTitel")->text(), QStringLiteral("Stored"));
    EXPECT_EQ(child<QLineEdit>("tbxKennung")->text(), QStringLiteral("1"));
    EXPECT_FALSE(checked("chkRanglisteAn"));
    EXPECT_EQ(label("lblScheibenAnzahl"), QStringLiteral("9"));
}

TEST_F(DialogTest, EmptyRankingPathBecomesTheProgramFolder)
{
    s().KORVUPfad.clear();
    open();
    EXPECT_EQ(s().KORVUPfad, dir());
    EXPECT_EQ(QDir::fromNativeSeparators(child<FolderList>("dLbDatenNetzwerk")->path()), dir());
}

TEST_F(DialogTest, LanguageTextsAndCharsetGoOntoTheirControls)
{
    auto& language = state().language;
    language.SprachZeichensatz = 204;
    for (int i = 0; i < LanguageTexts::OptionsTextCount; ++i)
        language.OptionsTexte[i] = QStringLiteral("T%1").arg(i + 1);
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("T1"));
    EXPECT_EQ(child<QGroupBox>("Rahmen_Anzeige")->title(), QStringLiteral("T2"));
    EXPECT_EQ(child<QCheckBox>("TrefferKreuz")->text(), QStringLiteral("T3"));
    EXPECT_EQ(child<QCheckBox>("chkTrefferVergroesserung")->text(), QStringLiteral("T10"));
    EXPECT_EQ(child<QRadioButton>("optNr1")->text(), QStringLiteral("T18"));
    EXPECT_EQ(child<QGroupBox>("frmWechselzeit")->title(), QStringLiteral("T21"));
    EXPECT_EQ(child<QRadioButton>("optSprache7")->text(), QStringLiteral("T37"));
    EXPECT_EQ(child<QLabel>("lblFarbeProbeEcke")->text(), QStringLiteral("T46"));
    EXPECT_EQ(child<QPushButton>("cmdWerbungUebernehmen")->text(), QStringLiteral("T55"));
    EXPECT_EQ(dialog->property("omrCharset").toInt(), 204);
    EXPECT_EQ(child("optSprache3")->property("omrCharset").toInt(), 204);
    EXPECT_EQ(child("fraWerbePause")->property("omrCharset").toInt(), 204);
    for (const char* outside : {"cmdRangliste", "optAufloesung0", "chkRanglisteAn", "fraRangliste"})
        EXPECT_FALSE(child(outside)->property("omrCharset").isValid()) << outside;
    EXPECT_EQ(child<QPushButton>("cmdRangliste")->text(), QStringLiteral("Rangliste"));
}

TEST_F(DialogTest, WithoutLanguageTextsTheCaptionsAreEmpty)
{
    open();
    EXPECT_TRUE(dialog->windowTitle().isEmpty());
    EXPECT_TRUE(child<QPushButton>("OptionSchliessen")->text().isEmpty());
    EXPECT_EQ(dialog->property("omrCharset").toInt(), 0);
}

TEST_F(DialogTest, PicturesAreAddedUnderThePrefixedNameAndDeleted)
{
    write(QStringLiteral("logo.jpg"), QByteArray("jpg"));
    write(QStringLiteral("Banner.BMP"), QByteArray("bmp"));
    write(QStringLiteral("notes.txt"), QByteArray("txt"));
    open();
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("werbung"))).isDir());
    auto* source = child<PictureList>("flbQuellVerz");
    auto* target = child<PictureList>("flbZielVerz");
    EXPECT_EQ(source->files(), (QStringList {QStringLiteral("Banner.BMP"), QStringLiteral("logo.jpg")}));
    EXPECT_EQ(QDir::fromNativeSeparators(child<QLineEdit>("txtZielVerz")->text()), file(QStringLiteral("werbung")));

    click("cmdHinzufuegen"); // nothing selected
    EXPECT_TRUE(target->files().isEmpty());

    source->setCurrentRow(1);
    click("cmdHinzufuegen");
    click("cmdHinzufuegen");
    EXPECT_EQ(target->files(), QStringList {QStringLiteral("HB_0_logo.jpg")});
    EXPECT_EQ(read(QStringLiteral("werbung/HB_0_logo.jpg")), QByteArray("jpg"));

    click("cmdloeschen"); // nothing selected
    EXPECT_EQ(target->files().size(), 1);
    target->setCurrentRow(0);
    click("cmdloeschen");
    EXPECT_TRUE(target->files().isEmpty());
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("werbung/HB_0_logo.jpg"))));
    EXPECT_TRUE(QFile::exists(file(QStringLiteral("logo.jpg"))));
}

TEST_F(DialogTest, SourceFolderIsChosenThroughTheFileDialog)
{
    QDir(dir()).mkpath(QStringLiteral("pictures"));
    write(QStringLiteral("pictures/a.jpg"), QByteArray("a"));
    open();
    auto* source = child<PictureList>("flbQuellVerz");
    TestDialogs::queueOpenFileAnswer(std::nullopt);
    QTest::mouseClick(child("txtQuellVerz"), Qt::LeftButton);
    EXPECT_EQ(QDir::fromNativeSeparators(source->path()), dir());

    TestDialogs::queueOpenFileAnswer(file(QStringLiteral("pictures/a.jpg")));
    QTest::mouseClick(child("txtQuellVerz"), Qt::LeftButton);
    EXPECT_EQ(QDir::fromNativeSeparators(source->path()), file(QStringLiteral("pictures")));
    EXPECT_EQ(child<QLineEdit>("txtQuellVerz")->text(), source->path());
    EXPECT_EQ(source->files(), QStringList {QStringLiteral("a.jpg")});
}

TEST_F(DialogTest, NetworkFolderIsAWorkingCopyTakenAtClose)
{
    QDir(dir()).mkpath(QStringLiteral("exchange"));
    open();
    auto* folders = child<FolderList>("dlbNetzwerk");
    EXPECT_EQ(QDir::fromNativeSeparators(folders->path()), dir());
    const QStringList entries = folders->entries();
    const qsizetype row = entries.indexOf(QDir::toNativeSeparators(file(QStringLiteral("exchange"))));
    ASSERT_GE(row, 0);
    Q_EMIT folders->itemActivated(folders->item(int(row)));
    EXPECT_EQ(QDir::fromNativeSeparators(folders->path()), file(QStringLiteral("exchange")));
    EXPECT_EQ(s().NetzwerkPfad, dir());
    click("OptionSchliessen");
    EXPECT_EQ(QDir::fromNativeSeparators(s().NetzwerkPfad), file(QStringLiteral("exchange")));
}

TEST_F(DialogTest, DoubleClickOnTheHiddenLabelOpensDiagnostics)
{
    open();
    QTest::mouseDClick(child("lblOsterei"), Qt::LeftButton);
    EXPECT_EQ(host.diagnostics, 1);
}

TEST_F(DialogTest, CloseAppliesAndHides)
{
    open();
    dialog->show();
    child<QLineEdit>("tbxRanglistenTitel")->setText(QStringLiteral("Finale"));
    child<QLineEdit>("tbxKennung")->setText(QStringLiteral("123456"));
    child<QLineEdit>("tbxDisziplinID")->setText(QStringLiteral("-7.5"));
    click("OptionSchliessen");
    EXPECT_EQ(host.rebuilds, 0);
    EXPECT_EQ(host.rankingTitle, QStringLiteral("Finale"));
    EXPECT_EQ(s().VTXServerID, 32767);
    EXPECT_EQ(s().KORVUDisziID, -8);
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_TRUE(host.frameTimers.tmrWatchdog.isEnabled());
}

TEST_F(DialogTest, CloseAfterALayoutChangeRebuildsAndLeavesTheTimersToTheFrame)
{
    open();
    click("Plus");
    click("OptionSchliessen");
    EXPECT_EQ(host.rebuilds, 1);
    EXPECT_EQ(s().Scheibenanzahl, 9);
    EXPECT_FALSE(host.frameTimers.tmrWatchdog.isEnabled());
    dialog->hide();
    EXPECT_FALSE(host.frameTimers.tmrWatchdog.isEnabled());
}

TEST_F(DialogTest, UnusableProgramFolderDoesNoHarm)
{
    write(QStringLiteral("plain"), QByteArray("x"));
    ProgramInfo::setDirectoryForTest(file(QStringLiteral("plain")));
    s().KORVUPfad.clear();
    open();
    click("cmdHinzufuegen");
    child<PictureList>("flbQuellVerz")->setCurrentRow(0);
    click("cmdHinzufuegen");
    EXPECT_TRUE(child<PictureList>("flbZielVerz")->files().isEmpty());
    EXPECT_EQ(read(QStringLiteral("plain")), QByteArray("x"));
    click("OptionSchliessen");
    EXPECT_EQ(read(QStringLiteral("plain")), QByteArray("x"));
}

} // namespace
