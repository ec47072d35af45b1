#pragma once

#include "diag/DiagnosticsSource.h"
#include "options/OptionsHost.h"
#include "shell/FrameTimers.h"
#include "shell/TargetList.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QSizeF>

#include <memory>

class AdvertisingCycle;
class EventLog;
class FaceLibrary;
class Options;
class PageFlipper;
class Scheibe;
class Watchdog;
class WatchdogObserver;
class WebView;
class frmDiagnose;
class frmRangliste;
class frmWerbung;

// The main frame: its workspace holds one target window per lane, laid out by
// FrameLayout, with the ranking and advertising windows over them. It owns the
// five timers and routes them to the polling cycle, the page flipping and the
// advertising cycle; the options dialog and the diagnostics window reach the
// frame through OptionsHost and DiagnosticsSource.
class frmMDI : public QMainWindow, public TargetList, public OptionsHost, public DiagnosticsSource {
    Q_OBJECT
public:
    // Initialisation (settings loaded) and load (targets, language, caption);
    // tmrStartUp runs the start-up step ten seconds later.
    explicit frmMDI(QWidget* parent = nullptr);
    ~frmMDI() override;

    int count() const override;
    LaneTarget* at(int lane) const override;

    FrameTimers& timers() override { return m_timers; }
    TargetList& scheiben() override { return *this; }
    QString frameCaption() const override;
    void setFrameCaption(const QString& caption) override;
    void rebuildFrame() override;
    void setRankingTitle(const QString& title) override;
    void showDiagnostics() override;

    QList<DiagnosticsSource::Window> loadedWindows() const override;
    QList<DiagnosticsSource::Target> targetWindows() const override;

    // Creates target window i when the collection is shorter, then hands it
    // its discipline and lane number and sizes and places it.
    void NeueScheibe(int i);
    // Loads the options dialog on its first opening, shows and raises it.
    void openOptions();

    QWidget* workspace() const { return m_workspace; }
    Scheibe* scheibe(int lane) const;
    frmRangliste* rangliste() const;
    frmWerbung* werbung() const;
    Options* options() const;
    frmDiagnose* diagnose() const;
    // The polling cycle of the current load (none while the frame unloads).
    Watchdog* watchdog() const { return m_watchdog.get(); }

Q_SIGNALS:
    // The polling cycle has applied a message to the lane's window and
    // redrawn it (also for a message that changed nothing).
    void laneUpdated(int lane);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void initialise();
    void load();
    void startUp();
    void unload();
    void placeFrame();
    QSizeF clientTwips() const;
    QSize clientPixels() const;
    void track(QWidget* window);
    void untrack(QWidget* window);

    FrameTimers m_timers;
    QWidget* m_workspace = nullptr;
    QList<Scheibe*> m_scheiben;
    std::shared_ptr<FaceLibrary> m_faces;
    QPointer<frmRangliste> m_rangliste;
    QPointer<frmWerbung> m_werbung;
    QPointer<Options> m_options;
    QPointer<frmDiagnose> m_diagnose;
    std::unique_ptr<AdvertisingCycle> m_werbeZyklus;
    std::unique_ptr<PageFlipper> m_blaettern;
    std::unique_ptr<EventLog> m_ereignisse;
    std::unique_ptr<Watchdog> m_watchdog;
    // Turns the polling cycle's reports into laneUpdated.
    std::unique_ptr<WatchdogObserver> m_laneSignal;
    // The loaded windows in the order they were loaded.
    QList<QPointer<QWidget>> m_fenster;
    // The live web view, when the settings file asks for one; it outlives
    // rebuilds of the frame.
    std::unique_ptr<WebView> m_web;
};
