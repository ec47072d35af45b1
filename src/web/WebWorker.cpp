#include "web/WebWorker.h"

#include "web/LaneSnapshot.h"
#include "web/LaneView.h"
#include "web/RankingTable.h"

#include <QElapsedTimer>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebSocket>

#include <algorithm>
#include <utility>

namespace {

QByteArray methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return "GET";
    case QHttpServerRequest::Method::Head:
        return "HEAD";
    default:
        return "OTHER";
    }
}

QByteArray helloMessage(const QList<int>& lanes)
{
    QJsonArray numbers;
    for (int lane : lanes)
        numbers.append(lane);
    const QJsonObject hello {{QStringLiteral("t"), QStringLiteral("hello")}, {QStringLiteral("lanes"), numbers}};
    return QJsonDocument(hello).toJson(QJsonDocument::Compact);
}

} // namespace

WebWorker::WebWorker(Config config) : m_config(std::move(config)), m_hello(helloMessage({}))
{
    m_slowPages.setInterval(1000);
    connect(&m_slowPages, &QTimer::timeout, this, &WebWorker::dropSlowPages);
}

WebWorker::~WebWorker()
{
    stop();
}

void WebWorker::start()
{
    ConnectionLimiter::Limits limits;
    limits.maxConnections = std::max(1, m_config.maxConnections);
    m_limiter = new ConnectionLimiter(limits, this);
    if (!m_limiter->listen(m_config.address, m_config.port)) {
        const QString reason = m_limiter->errorString();
        delete m_limiter.data();
        Q_EMIT failed(reason);
        return;
    }
    m_http = std::make_unique<QHttpServer>();
    // A request for /ws that carries a WebSocket handshake is left
    // unanswered here: the HTTP server hands the connection on as a WebSocket.
    m_http->route(QStringLiteral("/ws"), [this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
        if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0) {
            m_limiter->upgraded(responder.socket());
            return;
        }
        serve(request, std::move(responder));
    });
    // Everything else is answered by the routes, which never reach a file.
    m_http->setMissingHandler([this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
        serve(request, std::move(responder));
    });
    connect(m_http.get(), &QHttpServer::newWebSocketConnection, this, &WebWorker::acceptWebSockets);
    m_http->bind(m_limiter);
    m_slowPages.start();
    Q_EMIT listening(m_limiter->serverPort());
}

void WebWorker::stop()
{
    m_slowPages.stop();
    for (Client& client : m_clients) {
        client.socket->disconnect(this);
        client.socket->abort();
        delete client.socket;
    }
    m_clients.clear();
    m_http.reset();
    delete m_limiter.data();
}

void WebWorker::serve(const QHttpServerRequest& request, QHttpServerResponder&& responder)
{
    const WebRoutes::Response answer = m_routes.respond(
        methodName(request.method()), request.url().path(QUrl::FullyEncoded).toLatin1(), request.value("host"));
    QHttpServerResponse response(
        answer.contentType, answer.body, static_cast<QHttpServerResponder::StatusCode>(answer.status));
    for (const auto& [name, value] : answer.headers)
        response.addHeader(name, value);
    response.write(std::move(responder));
}

void WebWorker::acceptWebSockets()
{
    while (m_http && m_http->hasPendingWebSocketConnections()) {
        QWebSocket* socket = m_http->nextPendingWebSocketConnection().release();
        socket->setParent(this);
        socket->setMaxAllowedIncomingFrameSize(MaxIncomingBytes);
        socket->setMaxAllowedIncomingMessageSize(MaxIncomingBytes);
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { drop(socket); });
        connect(socket, &QWebSocket::textMessageReceived, this, [this, socket] { incoming(socket); });
        connect(socket, &QWebSocket::binaryMessageReceived, this, [this, socket] { incoming(socket); });
        Client client;
        client.socket = socket;
        client.window.start();
        m_clients.push_back(client);
        sendState(socket);
    }
}

void WebWorker::incoming(QWebSocket* socket)
{
    const auto it = std::find_if(
        m_clients.begin(), m_clients.end(), [socket](const Client& client) { return client.socket == socket; });
    if (it == m_clients.end())
        return;
    if (it->window.hasExpired(IncomingWindowMs)) {
        it->window.restart();
        it->received = 0;
    }
    if (++it->received > MaxIncomingMessages)
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
}

void WebWorker::sendState(QWebSocket* socket)
{
    if (m_state.isNull() && !m_lanes.empty()) {
        QList<QByteArray> lanes;
        for (const auto& [nr, view] : m_lanes)
            lanes.append(view.json(true));
        m_state = LaneView::message(lanes);
    }
    QList<QByteArray> state {m_hello};
    if (!m_state.isNull())
        state.append(m_state);
    if (!m_ranking.isEmpty())
        state.append(m_ranking);
    send(socket, state);
}

void WebWorker::resetLanes(const QList<int>& lanes)
{
    m_lanes.clear();
    m_state = {};
    m_pending.clear();
    m_hello = helloMessage(lanes);
    sendToAll({m_hello});
}

void WebWorker::publishLanes(const std::vector<LaneSnapshot>& snapshots)
{
    // States of a lane that arrive together are drawn once, the latest.
    if (m_pending.isEmpty())
        QMetaObject::invokeMethod(this, &WebWorker::sendPending, Qt::QueuedConnection);
    for (const LaneSnapshot& snapshot : snapshots)
        m_pending.insert(snapshot.lane, snapshot);
}

// One message for all lanes drawn together: a page gets one frame a tick.
void WebWorker::sendPending()
{
    const QMap<int, LaneSnapshot> pending = std::exchange(m_pending, {});
    QList<QByteArray> lanes;
    for (const LaneSnapshot& snapshot : pending) {
        LaneView& view = m_lanes[snapshot.lane];
        view.update(snapshot);
        lanes.append(view.json(view.faceChanged()));
    }
    m_state = {};
    sendToAll({LaneView::message(lanes)});
}

void WebWorker::publishRanking(const QStringList& lines, const QString& title)
{
    m_ranking = RankingTable::message(lines, title);
    sendToAll({m_ranking});
}

void WebWorker::sendToAll(const QList<QByteArray>& messages)
{
    std::vector<QWebSocket*> sockets;
    sockets.reserve(m_clients.size());
    for (const Client& client : m_clients)
        sockets.push_back(client.socket);
    for (QWebSocket* socket : sockets)
        send(socket, messages);
}

bool WebWorker::send(QWebSocket* socket, const QList<QByteArray>& messages)
{
    if (socket->bytesToWrite() > MaxBacklogBytes) {
        drop(socket);
        return false;
    }
    for (const QByteArray& message : messages)
        socket->sendBinaryMessage(message);
    // Out to the system now, so that what stays behind is the page's backlog
    // and not the burst being sent.
    socket->flush();
    return true;
}

// A burst (every lane loaded in one tick) may leave a page behind for a
// moment; a page that stays behind is not reading.
void WebWorker::dropSlowPages()
{
    std::vector<QWebSocket*> slow;
    for (Client& client : m_clients) {
        if (client.socket->bytesToWrite() <= BehindBytes)
            client.behind.invalidate();
        else if (!client.behind.isValid())
            client.behind.start();
        else if (client.behind.hasExpired(BehindMs))
            slow.push_back(client.socket);
    }
    for (QWebSocket* socket : slow)
        drop(socket);
}

void WebWorker::drop(QWebSocket* socket)
{
    const auto it = std::find_if(
        m_clients.begin(), m_clients.end(), [socket](const Client& client) { return client.socket == socket; });
    if (it == m_clients.end())
        return;
    m_clients.erase(it);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}
