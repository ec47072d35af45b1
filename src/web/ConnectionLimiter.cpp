#include "web/ConnectionLimiter.h"

#include <QTcpSocket>

namespace {

// Bytes read from the network per connection before its reader catches up.
constexpr qint64 kReadBuffer = 64 * 1024;
// What the system holds for a page that reads slowly; beyond it, what is
// not sent shows as the page's backlog, and a page too far behind is dropped.
constexpr int kSendBuffer = 256 * 1024;

} // namespace

ConnectionLimiter::ConnectionLimiter(Limits limits, QObject* parent) : QTcpServer(parent), m_limits(limits)
{
    m_sweep.setInterval(1000);
    connect(&m_sweep, &QTimer::timeout, this, &ConnectionLimiter::sweep);
    m_sweep.start();
}

int ConnectionLimiter::openConnections()
{
    m_open.removeIf([](const QPointer<QTcpSocket>& socket) { return socket.isNull(); });
    return int(m_open.size());
}

void ConnectionLimiter::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    if (openConnections() >= m_limits.maxConnections) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    socket->setReadBufferSize(kReadBuffer);
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kSendBuffer);
    // Connected before the HTTP server connects its reader, so that the
    // bounds are checked before the request is read.
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { received(socket); });
    connect(socket, &QObject::destroyed, this, [this, socket] { m_http.remove(socket); });
    m_http[socket].idle.start();
    m_open.append(socket);
    addPendingConnection(socket);
}

void ConnectionLimiter::received(QTcpSocket* socket)
{
    const auto http = m_http.find(socket);
    if (http == m_http.end())
        return;
    http->received += socket->bytesAvailable();
    http->idle.restart();
    if (http->received > m_limits.maxRequestBytes) {
        m_http.erase(http);
        socket->abort();
    }
}

void ConnectionLimiter::upgraded(QTcpSocket* socket)
{
    m_http.remove(socket);
}

void ConnectionLimiter::sweep()
{
    QList<QTcpSocket*> idle;
    for (auto it = m_http.cbegin(); it != m_http.cend(); ++it) {
        if (it->idle.hasExpired(m_limits.idleMs))
            idle.append(it.key());
    }
    for (QTcpSocket* socket : idle) {
        m_http.remove(socket);
        socket->abort();
    }
}
