#pragma once

#include "web/WebServer.h"
#include "web/WebSettings.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QListWidget;
class QWidget;
class Scheibe;
struct Einstellungen;
struct LaneSnapshot;

// The display's side of the web view, on the user-interface thread: when a
// lane's window has taken a message it copies the lane's state and hands the
// copy to the server; when the frame has built its windows it hands over
// every lane, and when the ranking window is given a new ranking, its lines.
// Nothing here waits for the server or for a page.
class WebView : public QObject {
    Q_OBJECT
public:
    using LaneSource = std::function<Scheibe*(int lane)>;

    // The web view that section [Web] of the settings file asks for; none
    // while its Port is 0 (the default).
    static std::unique_ptr<WebView> fromSettingsFile();

    explicit WebView(const WebSettings& settings, QObject* parent = nullptr);
    ~WebView() override;

    // The frame has built its target windows and the ranking window (again,
    // after a change of the layout): all lanes anew.
    void frameLoaded(LaneSource lanes, QWidget* rangliste);
    void laneUpdated(int lane);

    // The lanes of the display's range: AnfScheibe..EndScheibe when AnfEnde
    // is 1, else 1..Scheibenanzahl.
    static QList<int> laneRange(const Einstellungen& settings);
    // What is handed over of a lane: a copy of what the page draws of its
    // window's state.
    static LaneSnapshot snapshotOf(int lane, const Scheibe& window);

    WebServer* server() const { return m_server.get(); }

Q_SIGNALS:
    // The server is listening on this port.
    void listening(quint16 port);

private:
    void handOver();
    void rankingRefilled(int first, int last);
    void serverFailed(const QString& reason);

    WebSettings m_settings;
    std::unique_ptr<WebServer> m_server;
    LaneSource m_lanes;
    QList<int> m_range;
    // Lanes taken since the last hand-over.
    QList<int> m_changed;
    QPointer<QListWidget> m_rankingQueue;
};
