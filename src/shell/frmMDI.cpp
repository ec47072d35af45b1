#include "shell/frmMDI.h"

#include "ads/AdvertisingCycle.h"
#include "ads/frmWerbung.h"
#include "diag/EventLog.h"
#include "diag/frmDiagnose.h"
#include "options/Options.h"
#include "options/Sprache.h"
#include "platform/ProgramInfo.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "ranking/frmRangliste.h"
#include "shell/FrameCaption.h"
#include "shell/FrameLayout.h"
#include "shell/PageFlipping.h"
#include "shell/ProgramState.h"
#include "shell/SettingsFile.h"
#include "shell/Watchdog.h"
#include "shell/WatchdogObserver.h"
#include "target/Scheibe.h"
#include "web/WebView.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>

namespace {

QString designedCaption()
{
    return QStringLiteral("VTX-Scheibenanzeige");
}

// The dialog-like windows are children of the frame for their lifetime but
// stand on their own on the screen.
void makeTopLevel(QWidget* window)
{
    if (!window->isWindow())
        window->setWindowFlag(Qt::Window, true);
}

void setLabelVisible(Scheibe* target, const char* name, bool visible)
{
    if (auto* label = target->findChild<QLabel*>(QLatin1String(name)))
        label->setVisible(visible);
}

class LaneSignal : public WatchdogObserver {
public:
    explicit LaneSignal(frmMDI& frame) : m_frame(frame) { }
    void messageHandled(int lane, const QString& /*message*/) override { Q_EMIT m_frame.laneUpdated(lane); }

private:
    frmMDI& m_frame;
};

} // namespace

frmMDI::frmMDI(QWidget* parent) : QMainWindow(parent), m_faces(std::make_shared<FaceLibrary>())
{
    setObjectName(QStringLiteral("frmMDI"));
    setWindowTitle(designedCaption());

    m_workspace = new QWidget(this);
    m_workspace->setObjectName(QStringLiteral("workspace"));
    m_workspace->setAutoFillBackground(true);
    QPalette palette = m_workspace->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Dark));
    m_workspace->setPalette(palette);
    setCentralWidget(m_workspace);
    track(this);

    connect(&m_timers.tmrStartUp, &VbTimer::timeout, this, &frmMDI::startUp);
    connect(&m_timers.tmrWatchdog, &VbTimer::timeout, this, [this] {
        if (m_watchdog)
            m_watchdog->tick();
    });
    connect(&m_timers.tmrBlaettern, &VbTimer::timeout, this, [this] {
        if (m_blaettern)
            m_blaettern->tick();
    });
    connect(&m_timers.tmrWerbung, &VbTimer::timeout, this, [this] {
        if (m_werbeZyklus)
            m_werbeZyklus->onWerbung();
    });
    connect(&m_timers.tmrWerbePause, &VbTimer::timeout, this, [this] {
        if (m_werbeZyklus)
            m_werbeZyklus->onWerbePause();
    });

    initialise();
    load();
}

frmMDI::~frmMDI()
{
    // The cycles refer to windows that the widget tree is about to delete.
    m_watchdog.reset();
    m_blaettern.reset();
    m_werbeZyklus.reset();
}

void frmMDI::initialise()
{
    ProgramState& state = ProgramState::instance();
    state.settings.NetzwerkPfad = ProgramInfo::directory();
    state.WerbeBildNr = 0;
    state.pages.AlleSeitenGezeigt = 0;
    state.pages.RanglisteFertig = 0;
    SettingsFile::EinstellungenLaden();
}

void frmMDI::load()
{
    ProgramState& state = ProgramState::instance();
    const Einstellungen& s = state.settings;

    if (!m_diagnose) {
        m_diagnose = new frmDiagnose(*this, this);
        makeTopLevel(m_diagnose);
        track(m_diagnose);
    }
    m_diagnose->hide();
    state.pages.RanglisteAktiv = 0;
    QCoreApplication::processEvents();

    for (int i = 1; i <= s.Scheibenanzahl; ++i) {
        NeueScheibe(i);
        Scheibe* target = scheibe(i);
        if (!target)
            continue;
        target->show();
        target->setTargetVisible(true);
        if (FrameLayout::hiddenAtStart(s, i))
            target->setTargetVisible(false);
        target->TextPositionieren();
    }

    // Both stay hidden until the start-up step fits them to the frame.
    m_rangliste = new frmRangliste(m_workspace);
    m_rangliste->hide();
    connect(m_rangliste, &frmRangliste::optionenAngefordert, this, &frmMDI::openOptions);
    track(m_rangliste);
    m_werbung = new frmWerbung(m_workspace);
    m_werbung->hide();
    connect(m_werbung, &frmWerbung::optionenAngefordert, this, &frmMDI::openOptions);
    track(m_werbung);

    m_werbeZyklus = std::make_unique<AdvertisingCycle>(state, m_timers, *m_werbung);
    m_blaettern = std::make_unique<PageFlipper>(state, m_timers, *this, *m_rangliste, *m_werbeZyklus);
    m_ereignisse = std::make_unique<EventLog>(EventLog::besideProgram());
    m_watchdog = std::make_unique<Watchdog>(state, m_timers, *this, *m_rangliste, m_ereignisse.get());
    if (!m_laneSignal)
        m_laneSignal = std::make_unique<LaneSignal>(*this);
    m_watchdog->addObserver(m_laneSignal.get());

    QString sprachDatei = Sprache::dateiFuer(s.Sprache);
    Sprache::Sprache_Laden(sprachDatei, [this](const QString& caption) { setWindowTitle(caption); });
    setWindowTitle(windowTitle() + frameCaptionSuffix());

    if (!m_web) {
        m_web = WebView::fromSettingsFile();
        if (m_web)
            connect(this, &frmMDI::laneUpdated, m_web.get(), &WebView::laneUpdated);
    }
    if (m_web)
        m_web->frameLoaded([this](int lane) { return scheibe(lane); }, m_rangliste);
}

void frmMDI::startUp()
{
    ProgramState& state = ProgramState::instance();
    m_timers.tmrStartUp.setEnabled(false);
    m_timers.tmrWatchdog.setEnabled(true);
    m_timers.tmrBlaettern.setInterval(state.settings.Wechselzeit * 1000);
    m_timers.tmrBlaettern.setEnabled(true);
    state.pages.RanglisteAktiv = 0;
    state.pages.AlleSeitenGezeigt = 0;
    state.pages.RanglisteFertig = 1;
    state.pages.RanglisteAngefordert = 0;
    if (m_rangliste) {
        m_rangliste->hideView();
        m_rangliste->RangListeAnpassen(clientPixels());
    }
    if (m_werbung) {
        m_werbung->hideView();
        m_werbung->WerbungAnpassen(clientPixels());
    }
}

void frmMDI::NeueScheibe(int i)
{
    const Einstellungen& s = ProgramState::instance().settings;
    if (i < 1)
        return;
    placeFrame();
    const QSizeF frame = clientTwips();

    // Lanes are created in ascending order; a gap is filled first.
    for (int lane = static_cast<int>(m_scheiben.size()) + 1; lane < i; ++lane)
        NeueScheibe(lane);
    const bool neu = m_scheiben.size() < i;
    if (neu) {
        auto* target = new Scheibe(m_workspace);
        target->setFaceLibrary(m_faces);
        connect(target, &Scheibe::optionenAngefordert, this, &frmMDI::openOptions);
        m_scheiben.append(target);
        track(target);
    }
    Scheibe* target = m_scheiben.at(i - 1);
    // A lane added by the options dialog has no entry in the table read at start.
    target->setDisziplinNr(s.Disziplinen.value(i - 1, QStringLiteral("1.10")));

    const FrameLayout::TargetPlacement placement = FrameLayout::placeTarget(s, i, frame);
    target->resize(Twips::toPixelsX(placement.rect.width()), Twips::toPixelsY(placement.rect.height()));
    for (const char* name : {"lblGesamt", "lblPlatz", "lblSchussNr", "lblRingwert"})
        setLabelVisible(target, name, placement.resultLabelsVisible);
    if (placement.resultLabelsVisible)
        setLabelVisible(target, "lblName", true);

    target->setLinienNr(i);
    if (neu)
        target->Laden();
    target->move(Twips::toPixelsX(placement.rect.left()), Twips::toPixelsY(placement.rect.top()));
}

void frmMDI::placeFrame()
{
    FrameLayout::ScreenMetrics screen;
    screen.pixels = Twips::screenSize();
    screen.twipsPerPixelX = Twips::twipsPerPixelX();
    screen.twipsPerPixelY = Twips::twipsPerPixelY();
    const FrameLayout::FramePlacement placement
        = FrameLayout::framePlacement(ProgramState::instance().settings, screen);
    if (placement.left)
        move(Twips::toPixelsX(*placement.left), y());
    if (placement.size.isValid())
        resize(Twips::toPixelsX(placement.size.width()), Twips::toPixelsY(placement.size.height()));
}

QSize frmMDI::clientPixels() const
{
    // No menu, tool or status bar: the workspace is the whole client area,
    // also before the frame has been shown and laid out.
    return size();
}

QSizeF frmMDI::clientTwips() const
{
    const QSize pixels = clientPixels();
    return QSizeF(VbNumbers::roundHalfEven(Twips::fromPixelsX(pixels.width())),
        VbNumbers::roundHalfEven(Twips::fromPixelsY(pixels.height())));
}

void frmMDI::closeEvent(QCloseEvent* event)
{
    unload();
    event->accept();
    QCoreApplication::quit();
}

void frmMDI::unload()
{
    // Nothing may tick into windows that are going away.
    m_watchdog.reset();
    m_blaettern.reset();
    m_werbeZyklus.reset();

    SettingsFile::EinstellungenSpeichern(*this);

    // deleteLater: the unload may run inside a handler of one of these
    // windows (the options dialog's close button, a nested message box).
    while (!m_scheiben.isEmpty()) {
        Scheibe* target = m_scheiben.takeLast();
        untrack(target);
        target->hide();
        target->deleteLater();
        QCoreApplication::processEvents();
    }
    for (QWidget* window :
        {static_cast<QWidget*>(m_rangliste), static_cast<QWidget*>(m_werbung), static_cast<QWidget*>(m_options)}) {
        if (!window)
            continue;
        untrack(window);
        window->hide();
        window->deleteLater();
    }
    m_rangliste = nullptr;
    m_werbung = nullptr;
    m_options = nullptr;
    // Last: hiding the options dialog gives the timers back.
    for (VbTimer* timer : {&m_timers.tmrStartUp, &m_timers.tmrWatchdog, &m_timers.tmrBlaettern, &m_timers.tmrWerbung,
             &m_timers.tmrWerbePause})
        timer->setEnabled(false);
}

void frmMDI::rebuildFrame()
{
    unload();
    setWindowTitle(designedCaption());
    m_timers.resetToDesign();
    load();
}

int frmMDI::count() const
{
    return static_cast<int>(m_scheiben.size());
}

LaneTarget* frmMDI::at(int lane) const
{
    return scheibe(lane);
}

Scheibe* frmMDI::scheibe(int lane) const
{
    if (lane < 1 || lane > m_scheiben.size())
        return nullptr;
    return m_scheiben.at(lane - 1);
}

frmRangliste* frmMDI::rangliste() const
{
    return m_rangliste;
}

frmWerbung* frmMDI::werbung() const
{
    return m_werbung;
}

Options* frmMDI::options() const
{
    return m_options;
}

frmDiagnose* frmMDI::diagnose() const
{
    return m_diagnose;
}

QString frmMDI::frameCaption() const
{
    return windowTitle();
}

void frmMDI::setFrameCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void frmMDI::setRankingTitle(const QString& title)
{
    if (m_rangliste)
        m_rangliste->setTitel(title);
}

void frmMDI::openOptions()
{
    if (!m_options) {
        m_options = new Options(*this, this);
        makeTopLevel(m_options);
        track(m_options);
    }
    m_options->show();
    m_options->raise();
    m_options->activateWindow();
}

void frmMDI::showDiagnostics()
{
    if (!m_diagnose) {
        m_diagnose = new frmDiagnose(*this, this);
        makeTopLevel(m_diagnose);
        track(m_diagnose);
    }
    m_diagnose->show();
    m_diagnose->raise();
    m_diagnose->activateWindow();
}

QList<DiagnosticsSource::Window> frmMDI::loadedWindows() const
{
    QList<DiagnosticsSource::Window> windows;
    for (const QPointer<QWidget>& window : m_fenster) {
        if (!window)
            continue;
        QString name = window->objectName();
        if (name.isEmpty())
            name = QString::fromLatin1(window->metaObject()->className());
        windows.append({name, window->isVisible()});
    }
    return windows;
}

QList<DiagnosticsSource::Target> frmMDI::targetWindows() const
{
    QList<DiagnosticsSource::Target> targets;
    for (const Scheibe* target : m_scheiben)
        targets.append({target->objectName(), target->AutoRedraw()});
    return targets;
}

void frmMDI::track(QWidget* window)
{
    m_fenster.append(QPointer<QWidget>(window));
}

void frmMDI::untrack(QWidget* window)
{
    m_fenster.removeIf([window](const QPointer<QWidget>& entry) { return entry == window || !entry; });
}
