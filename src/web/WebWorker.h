#pragma once

#include "web/ConnectionLimiter.h"
#include "web/LaneSnapshot.h"
#include "web/LaneView.h"
#include "web/WebRoutes.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <map>
#include <memory>
#include <vector>

class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;
class QWebSocket;

// The web view's server, living on a thread of its own: it answers the page
// requests, keeps the latest message of every lane and of the ranking, sends
// all of them to a page that connects and each new one to every page.
// A page that does not keep up with what it is sent is dropped.
class WebWorker : public QObject {
    Q_OBJECT
public:
    struct Config {
        QHostAddress address = QHostAddress::LocalHost;
        quint16 port = 0;
        int maxConnections = 200;
    };
    // A page counts as too slow when more than BehindBytes wait for it for
    // longer than BehindMs, or more than MaxBacklogBytes at any time.
    static constexpr qint64 BehindBytes = 256 * 1024;
    static constexpr int BehindMs = 5000;
    static constexpr qint64 MaxBacklogBytes = 4 * 1024 * 1024;
    // Pages only listen: a message of their own may be this long, and a
    // page that sends more than MaxIncomingMessages in a window of
    // IncomingWindowMs is closed.
    static constexpr qint64 MaxIncomingBytes = 1024;
    static constexpr int MaxIncomingMessages = 20;
    static constexpr int IncomingWindowMs = 10000;

    explicit WebWorker(Config config);
    ~WebWorker() override;

    // All of these run on the worker's thread.
    void start();
    void stop();
    void resetLanes(const QList<int>& lanes);
    void publishLanes(const std::vector<LaneSnapshot>& snapshots);
    void publishRanking(const QStringList& lines, const QString& title);
    int clientCount() const { return int(m_clients.size()); }

Q_SIGNALS:
    void listening(quint16 port);
    void failed(const QString& reason);

private:
    struct Client {
        QWebSocket* socket = nullptr;
        int received = 0;
        QElapsedTimer window;
        // Running while more than BehindBytes wait for the page.
        QElapsedTimer behind;
    };
    void serve(const QHttpServerRequest& request, QHttpServerResponder&& responder);
    void acceptWebSockets();
    void incoming(QWebSocket* socket);
    void sendPending();
    void sendState(QWebSocket* socket);
    void sendToAll(const QList<QByteArray>& messages);
    // Sends the messages to one page (as UTF-8 in binary frames, encoded
    // once for all pages); false when the page was dropped.
    bool send(QWebSocket* socket, const QList<QByteArray>& messages);
    void drop(QWebSocket* socket);
    void dropSlowPages();

    Config m_config;
    WebRoutes m_routes;
    std::unique_ptr<QHttpServer> m_http;
    // The HTTP server may take it over when it is bound to it.
    QPointer<ConnectionLimiter> m_limiter;
    std::vector<Client> m_clients;
    QTimer m_slowPages {this};
    QByteArray m_hello;
    std::map<int, LaneView> m_lanes;
    // Every lane with its face, for a page that connects (null: to be made).
    QByteArray m_state;
    QMap<int, LaneSnapshot> m_pending;
    QByteArray m_ranking;
};
