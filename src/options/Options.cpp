#include "options/Options.h"

#include "options/AdvertisingFolder.h"
#include "options/DriveList.h"
#include "options/FolderList.h"
#include "options/OptionRules.h"
#include "options/OptionsCloseHandler.h"
#include "options/OptionsHost.h"
#include "options/OptionsUi.h"
#include "options/PictureList.h"
#include "options/Sprache.h"
#include "platform/Dialogs.h"
#include "platform/FileLookup.h"
#include "platform/ProgramInfo.h"
#include "shell/FrameTimers.h"
#include "shell/ProgramState.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QWindow>

#include <type_traits>

namespace {

Einstellungen& settings()
{
    return ProgramState::instance().settings;
}

// 0x00BBGGRR
QColor colourOf(std::uint32_t value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QWidget* widgetOf(QWindow* window)
{
    if (!window)
        return nullptr;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* widget : windows) {
        if (widget->windowHandle() == window)
            return widget;
    }
    return nullptr;
}

} // namespace

Options::Options(OptionsHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_host(host), m_ui(std::make_unique<OptionsUi>())
{
    setObjectName(QStringLiteral("Options"));
    m_ui->setupUi(this);

    // The designed state: every box clear, so whatever depends on one is off.
    for (QWidget* dependent : std::initializer_list<QWidget*> {m_ui->Nummerierung, m_ui->chkTrefferKreise,
             m_ui->frmWechselzeit, m_ui->frmAnzSeite, m_ui->frmAnfScheibe, m_ui->frmEndScheibe})
        dependent->setEnabled(false);

    connectControls();
    m_ui->lblFarbeProbeEcke->installEventFilter(this);
    m_ui->lblOsterei->installEventFilter(this);
    m_ui->txtQuellVerz->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
        if (m_active && !m_unloading && takesActivation(widgetOf(window)))
            deaktivieren();
    });

    laden();
}

Options::~Options() = default;

// ---------------------------------------------------------------- loading

void Options::laden()
{
    Einstellungen& s = settings();
    move(0, 0);

    m_copies.mScheibenanzahl = s.Scheibenanzahl;
    m_copies.mScheibenProSeite = s.ScheibenProSeite;
    m_copies.mWechselzeit = s.Wechselzeit;
    m_copies.mAnfScheibe = s.AnfScheibe;
    m_copies.mEndScheibe = s.EndScheibe;
    showWorkingCopies();

    if (s.Sprache < m_ui->optSprache.size())
        setCheck(m_ui->optSprache[s.Sprache], true);

    m_ui->drvNetzWerk->setDrive(s.NetzwerkPfad);
    m_ui->dlbNetzwerk->setPath(s.NetzwerkPfad);
    m_copies.mNetzwerkPfad = s.NetzwerkPfad;

    m_copies.mAnzeigeServer2 = s.AnzeigeServerNr;
    setBox(m_ui->chkAnzeigeServer2, s.AnzeigeServerNr);

    if (s.BildSchirm <= 2) {
        m_copies.mStartPosition = s.BildSchirm;
        setCheck(m_ui->optStartPosition[s.BildSchirm], true);
    }
    if (const auto button = OptionRules::resolutionButton(s.BildAufloesung)) {
        m_copies.mAufloesung = static_cast<std::uint8_t>(*button);
        setCheck(m_ui->optAufloesung[*button], true);
    }

    setBox(m_ui->MittlereTrefferLage, s.MittlereLage == 1 ? 1 : 0);
    setBox(m_ui->TrefferKreuz, s.Trefferkreuze == 1 ? 1 : 0);
    setBox(m_ui->Nummerierung, s.Nummeriert == 1 ? 1 : 0);
    setBox(m_ui->chkTrefferVergroesserung, s.TrefferVergroessern == 1 ? 1 : 0);
    setBox(m_ui->chkBuLiAnordnung, s.BuliAnordnung == 1 ? 1 : 0);
    setBox(m_ui->chkSerienErgebnisse, s.SerienErgebnisse == 1 ? 1 : 0);
    setBox(m_ui->chkAutozoom, s.AutoZoom == 1 ? 1 : 0);

    setBox(m_ui->chkSchnellAnzeige, s.Schnellanzeige);
    setBox(m_ui->chkTrefferKreise, s.Trefferkreise);
    setBox(m_ui->chkAusfAnzeige, s.AusfAnzeige);
    setBox(m_ui->chkZehner_Serie, s.SerienAnzeige);
    setBox(m_ui->cbxZehntel, s.ZehntelAnzeige);

    m_farbe = OptionRules::colourFromSetting(s.FarbeProbeEcke);
    showSightingColour();

    setBox(m_ui->chkBlaettern, s.Blaettern);
    m_ui->frmWechselzeit->setEnabled(s.Blaettern != 0);
    m_ui->frmAnzSeite->setEnabled(s.Blaettern != 0);

    setBox(m_ui->chkAnfEnd, s.AnfEnde);

    m_copies.mVerbindungsArt = s.VerbindungsArt;
    setCheck(m_ui->optNr[s.VerbindungsArt == 1 ? 1 : 0], true);

    m_ui->frmAnfScheibe->setEnabled(s.AnfEnde != 0);
    m_ui->frmEndScheibe->setEnabled(s.AnfEnde != 0);
}

// ------------------------------------------------------------- activation

void Options::aktivieren()
{
    m_active = true;
    Einstellungen& s = settings();
    const QString programDirectory = ProgramInfo::directory();

    Sprache::OptionsTexte_Belegen(this);

    m_ui->flbQuellVerz->setPath(programDirectory);
    m_ui->flbZielVerz->setPath(AdvertisingFolder::ensure(programDirectory));
    m_ui->txtQuellVerz->setText(m_ui->flbQuellVerz->path());
    m_ui->txtZielVerz->setText(m_ui->flbZielVerz->path());

    m_ui->tbxDisziplinID->setText(QString::number(s.KORVUDisziID));
    m_ui->tbxKlassenNr->setText(QString::number(s.KORVUKlassenNr));
    setBox(m_ui->chkMannschaftsliste, s.KORVUMannschaft);

    if (s.KORVUPfad.isEmpty())
        s.KORVUPfad = programDirectory;
    m_ui->dbxDatenNetzwerk->setDrive(s.KORVUPfad);
    m_ui->dLbDatenNetzwerk->setPath(s.KORVUPfad);

    m_ui->tbxWettkampfID->setText(QString::number(s.KORVUWKID));
    m_ui->tbxKennung->setText(QString::number(s.VTXServerID));

    setBox(m_ui->chkRanglisteAn, s.RanglisteAn);
    setBox(m_ui->chkRngShbWechseln, s.RangUndScheibe);
    m_ui->tbxRanglistenTitel->setText(s.RLTitel);
    setBox(m_ui->chkEinZeilig, s.chkEinZeilig);
    setBox(m_ui->chkFreieWerbung, s.FreieWerbung);

    m_ui->lblWerbeZeit->setText(QString::number(s.WerbeZeit));
    m_ui->lblWerbePause->setText(QString::number(s.WerbePause));
    setBox(m_ui->chkVergroessernAus, s.VergroessernAus);

    FrameTimers& timers = m_host.timers();
    timers.tmrBlaettern.setEnabled(false);
    timers.tmrWatchdog.setEnabled(false);
    timers.tmrWerbung.setEnabled(false);
    timers.tmrWerbePause.setEnabled(false);
}

void Options::deaktivieren()
{
    m_active = false;
    FrameTimers& timers = m_host.timers();
    timers.tmrBlaettern.setEnabled(true);
    timers.tmrWatchdog.setEnabled(true);
}

bool Options::takesActivation(QWidget* window) const
{
    if (!window || window == this || isAncestorOf(window))
        return false;
    if (qobject_cast<QDialog*>(window))
        return false;
    const Qt::WindowType type = window->windowType();
    return type != Qt::Popup && type != Qt::ToolTip;
}

bool Options::event(QEvent* event)
{
    if (!m_unloading) {
        if (event->type() == QEvent::WindowActivate && !m_active)
            aktivieren();
        else if (event->type() == QEvent::WindowDeactivate && m_active && takesActivation(QApplication::activeWindow()))
            deaktivieren();
    }
    return QWidget::event(event);
}

void Options::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    activateWindow();
}

void Options::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (m_active && !m_unloading)
        deaktivieren();
}

void Options::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (QWidget* page : {static_cast<QWidget*>(m_ui->fraRangliste), static_cast<QWidget*>(m_ui->fraWerbung)}) {
        if (!page->isHidden())
            page->setGeometry(m_ui->Rahmen_Anzeige->geometry());
    }
}

// ------------------------------------------------------------- controls

void Options::onCheckBox(QCheckBox* box, std::function<void(int)> handler)
{
    m_boxHandlers.insert(box, handler);
    connect(box, &QAbstractButton::clicked, this, [this, box, handler] {
        // A greyed box ticks on the click and stays a plain box from then on.
        box->setTristate(false);
        m_greyedValues.remove(box);
        handler(boxValue(box));
    });
}

void Options::onRadio(QAbstractButton* radio, std::function<void()> handler)
{
    connect(radio, &QAbstractButton::clicked, this, [handler] { handler(); });
    connect(radio, &QAbstractButton::toggled, this, [this, handler](bool checked) {
        if (m_settingControls && checked)
            handler();
    });
}

void Options::setCheck(QAbstractButton* radio, bool checked)
{
    QScopedValueRollback<bool> guard(m_settingControls, true);
    radio->setChecked(checked);
}

void Options::setBox(QCheckBox* box, int value)
{
    const Qt::CheckState before = box->checkState();
    if (value == 0 || value == 1) {
        m_greyedValues.remove(box);
        box->setTristate(false);
        box->setCheckState(value == 1 ? Qt::Checked : Qt::Unchecked);
    } else {
        m_greyedValues.insert(box, value);
        box->setCheckState(Qt::PartiallyChecked);
    }
    if (box->checkState() != before) {
        if (const auto handler = m_boxHandlers.constFind(box); handler != m_boxHandlers.constEnd())
            (*handler)(value);
    }
}

int Options::boxValue(const QCheckBox* box) const
{
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return m_greyedValues.value(box, 1);
    case Qt::Unchecked:
        break;
    }
    return 0;
}

void Options::connectControls()
{
    connectSteppers();
    connectChoices();
    connectFolders();

    connect(m_ui->cmdRangliste, &QPushButton::clicked, this, [this] { showPage(m_ui->fraRangliste); });
    connect(m_ui->cmdZurueck, &QPushButton::clicked, m_ui->fraRangliste, &QWidget::hide);
    connect(m_ui->cmdWerbung, &QPushButton::clicked, this, [this] { showPage(m_ui->fraWerbung); });
    connect(m_ui->cmdWerbungUebernehmen, &QPushButton::clicked, m_ui->fraWerbung, &QWidget::hide);

    connect(m_ui->cmdHinzufuegen, &QPushButton::clicked, this, &Options::addPicture);
    connect(m_ui->cmdloeschen, &QPushButton::clicked, this, &Options::deletePicture);
    connect(m_ui->OptionSchliessen, &QPushButton::clicked, this, &Options::OptionSchliessen_Click);
}

void Options::connectSteppers()
{
    const auto stepper = [this](QPushButton* button, bool (WorkingCopies::*step)()) {
        connect(button, &QPushButton::clicked, this, [this, step] {
            (m_copies.*step)();
            showWorkingCopies();
        });
    };
    stepper(m_ui->Minus, &WorkingCopies::Minus);
    stepper(m_ui->Plus, &WorkingCopies::Plus);
    stepper(m_ui->cmdMinusAnzSeite, &WorkingCopies::cmdMinusAnzSeite);
    stepper(m_ui->cmdPlusAnzSeite, &WorkingCopies::cmdPlusAnzSeite);
    stepper(m_ui->cmdMinusWechselzeit, &WorkingCopies::cmdMinusWechselzeit);
    stepper(m_ui->cmdPlusWechselzeit, &WorkingCopies::cmdPlusWechselzeit);
    stepper(m_ui->cmdAnfangMinus, &WorkingCopies::cmdAnfangMinus);
    stepper(m_ui->cmdAnfangPlus, &WorkingCopies::cmdAnfangPlus);
    stepper(m_ui->cmdEndMinus, &WorkingCopies::cmdEndMinus);
    stepper(m_ui->cmdEndPlus, &WorkingCopies::cmdEndPlus);

    // The advertising times go to the settings at once.
    const auto advertising
        = [this](QPushButton* button, std::uint8_t Einstellungen::*field, bool (*step)(std::uint8_t&), QLabel* label) {
              connect(button, &QPushButton::clicked, this, [field, step, label] {
                  step(settings().*field);
                  label->setText(QString::number(settings().*field));
              });
          };
    advertising(m_ui->cmdWerbeZeitMinus, &Einstellungen::WerbeZeit, &AdvertisingSteppers::minus, m_ui->lblWerbeZeit);
    advertising(m_ui->cmdWerbeZeitPlus, &Einstellungen::WerbeZeit, &AdvertisingSteppers::plus, m_ui->lblWerbeZeit);
    advertising(m_ui->cmdWerbePauseMinus, &Einstellungen::WerbePause, &AdvertisingSteppers::minus, m_ui->lblWerbePause);
    advertising(m_ui->cmdWerbePausePlus, &Einstellungen::WerbePause, &AdvertisingSteppers::plus, m_ui->lblWerbePause);
}

void Options::connectChoices()
{
    OptionsUi& ui = *m_ui;

    onCheckBox(ui.chkBlaettern, [&ui](int value) {
        ui.frmWechselzeit->setEnabled(value == 1);
        ui.frmAnzSeite->setEnabled(value == 1);
    });
    onCheckBox(ui.chkAnfEnd, [&ui](int value) {
        ui.frmAnfScheibe->setEnabled(value == 1);
        ui.frmEndScheibe->setEnabled(value == 1);
    });
    onCheckBox(ui.TrefferKreuz, [&ui](int value) {
        ui.Nummerierung->setEnabled(value == 1);
        ui.chkTrefferKreise->setEnabled(value == 1);
    });
    onCheckBox(ui.Nummerierung, [](int value) { settings().Nummeriert = value == 1 ? 1 : 0; });
    onCheckBox(ui.MittlereTrefferLage, [](int value) { settings().MittlereLage = value == 1 ? 1 : 0; });
    onCheckBox(ui.cbxZehntel, [](int value) { settings().ZehntelAnzeige = static_cast<std::uint8_t>(value); });
    onCheckBox(ui.chkFreieWerbung, [](int value) { settings().FreieWerbung = static_cast<std::uint8_t>(value); });
    onCheckBox(ui.chkVergroessernAus, [](int value) { settings().VergroessernAus = static_cast<std::uint8_t>(value); });
    onCheckBox(
        ui.chkAnzeigeServer2, [this](int value) { m_copies.mAnzeigeServer2 = static_cast<std::uint8_t>(value); });

    for (std::size_t i = 0; i < ui.optSprache.size(); ++i)
        onRadio(ui.optSprache[i], [i] { settings().Sprache = static_cast<std::uint8_t>(i); });
    for (std::size_t i = 0; i < ui.optStartPosition.size(); ++i) {
        onRadio(ui.optStartPosition[i], [this, i] {
            m_copies.mStartPosition = static_cast<std::uint8_t>(i);
            settings().BildSchirm = static_cast<std::uint8_t>(i);
        });
    }
    for (std::size_t i = 0; i < ui.optAufloesung.size(); ++i) {
        onRadio(ui.optAufloesung[i], [this, i] {
            m_copies.mAufloesung = OptionRules::resolutionCode(int(i), m_copies.mStartPosition);
            settings().BildAufloesung = m_copies.mAufloesung;
        });
    }
    for (std::size_t i = 0; i < ui.optNr.size(); ++i)
        onRadio(ui.optNr[i], [this, i] { m_copies.mVerbindungsArt = static_cast<std::uint8_t>(i); });
}

void Options::connectFolders()
{
    OptionsUi& ui = *m_ui;
    connect(ui.drvNetzWerk, &DriveList::driveChanged, ui.dlbNetzwerk, &FolderList::setPath);
    connect(
        ui.dlbNetzwerk, &FolderList::pathChanged, this, [this](const QString& path) { m_copies.mNetzwerkPfad = path; });
    connect(ui.dbxDatenNetzwerk, &DriveList::driveChanged, ui.dLbDatenNetzwerk, &FolderList::setPath);
}

bool Options::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->lblOsterei && event->type() == QEvent::MouseButtonDblClick) {
        m_host.showDiagnostics();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            if (watched == m_ui->lblFarbeProbeEcke) {
                m_farbe = OptionRules::nextSightingColour(m_farbe);
                showSightingColour();
            } else if (watched == m_ui->txtQuellVerz) {
                pickSourceFolder();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ------------------------------------------------------------ the actions

void Options::showWorkingCopies()
{
    m_ui->lblScheibenAnzahl->setText(QString::number(m_copies.mScheibenanzahl));
    m_ui->lblAnzScheibeSeite->setText(QString::number(m_copies.mScheibenProSeite));
    m_ui->lblWechselzeit->setText(QString::number(m_copies.mWechselzeit));
    m_ui->lblAnfScheibe->setText(QString::number(m_copies.mAnfScheibe));
    m_ui->lblEndScheibe->setText(QString::number(m_copies.mEndScheibe));
}

void Options::showSightingColour()
{
    QPalette palette = m_ui->shpFarbTestProbeEcke->palette();
    palette.setColor(QPalette::Window, colourOf(m_farbe));
    m_ui->shpFarbTestProbeEcke->setPalette(palette);
}

void Options::showPage(QWidget* page)
{
    if (layout())
        layout()->activate();
    page->setGeometry(m_ui->Rahmen_Anzeige->geometry());
    page->raise();
    page->show();
}

void Options::pickSourceFolder()
{
    const auto picked = Dialogs::openFile(m_ui->flbQuellVerz->path(), QStringLiteral("Bilder (*.bmp *.jpg)"));
    if (!picked)
        return;
    const QString fullPath = QDir::fromNativeSeparators(FileLookup::toNative(*picked));
    const QString bareName = QFileInfo(fullPath).fileName();
    const QString folder = fullPath.left(fullPath.size() - bareName.size());
    m_ui->flbQuellVerz->setPath(folder);
    m_ui->txtQuellVerz->setText(m_ui->flbQuellVerz->path());
    m_ui->flbQuellVerz->refresh();
    raise();
    activateWindow();
}

void Options::addPicture()
{
    const QString name = m_ui->flbQuellVerz->selectedFile();
    if (name.isEmpty())
        return;
    AdvertisingFolder::addPicture(m_ui->flbQuellVerz->path(), name, m_ui->flbZielVerz->path());
    m_ui->flbZielVerz->refresh();
}

void Options::deletePicture()
{
    const QString name = m_ui->flbZielVerz->selectedFile();
    if (name.isEmpty())
        return;
    AdvertisingFolder::deletePicture(m_ui->flbZielVerz->path(), name);
    m_ui->flbZielVerz->refresh();
}

OptionsControls Options::readControls() const
{
    const OptionsUi& ui = *m_ui;
    OptionsControls c;
    const auto take = [this](auto& field, const QCheckBox* box) {
        field = static_cast<std::remove_reference_t<decltype(field)>>(boxValue(box));
    };
    take(c.chkBlaettern, ui.chkBlaettern);
    take(c.chkAnfEnd, ui.chkAnfEnd);
    take(c.chkBuLiAnordnung, ui.chkBuLiAnordnung);
    take(c.chkEinZeilig, ui.chkEinZeilig);
    take(c.chkAusfAnzeige, ui.chkAusfAnzeige);
    take(c.TrefferKreuz, ui.TrefferKreuz);
    take(c.chkTrefferKreise, ui.chkTrefferKreise);
    take(c.chkZehner_Serie, ui.chkZehner_Serie);
    take(c.chkTrefferVergroesserung, ui.chkTrefferVergroesserung);
    take(c.chkAutozoom, ui.chkAutozoom);
    take(c.chkSerienErgebnisse, ui.chkSerienErgebnisse);
    take(c.chkSchnellAnzeige, ui.chkSchnellAnzeige);
    take(c.chkMannschaftsliste, ui.chkMannschaftsliste);
    take(c.chkRanglisteAn, ui.chkRanglisteAn);
    take(c.chkRngShbWechseln, ui.chkRngShbWechseln);
    c.tbxDisziplinID = ui.tbxDisziplinID->text();
    c.tbxKlassenNr = ui.tbxKlassenNr->text();
    c.tbxWettkampfID = ui.tbxWettkampfID->text();
    c.tbxKennung = ui.tbxKennung->text();
    c.tbxRanglistenTitel = ui.tbxRanglistenTitel->text();
    // A ranking folder that has vanished since the start leaves the list
    // without a path; the stored one is then kept rather than emptied.
    c.datenNetzwerkPfad = ui.dLbDatenNetzwerk->path().isEmpty() ? settings().KORVUPfad : ui.dLbDatenNetzwerk->path();
    c.farbeProbeEcke = m_farbe;
    return c;
}

void Options::OptionSchliessen_Click()
{
    OptionsCloseHandler handler(ProgramState::instance(), m_host, *this);
    // After a rebuild the dialog is about to be unloaded: nothing more here.
    handler.run(m_copies, readControls());
}

void Options::setNummerierungEnabled(bool enabled)
{
    m_ui->Nummerierung->setEnabled(enabled);
}

void Options::beforeRebuild()
{
    m_unloading = true;
    m_active = false;
}

void Options::hideDialog()
{
    hide();
}
