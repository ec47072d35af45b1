#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>

class QTcpSocket;

// The listening socket of the web view, which keeps the connections within
// bounds before any request is read: at most maxConnections open at once (a
// connection over it is closed at once), an HTTP connection may send at most
// maxRequestBytes in all and is closed after idleMs without a byte. A
// connection that has become a WebSocket leaves the HTTP bounds; the
// WebSocket has its own.
class ConnectionLimiter : public QTcpServer {
    Q_OBJECT
public:
    struct Limits {
        int maxConnections = 200;
        qint64 maxRequestBytes = 16 * 1024;
        int idleMs = 15000;
    };

    explicit ConnectionLimiter(Limits limits, QObject* parent = nullptr);

    int openConnections();
    // The request on this socket is a WebSocket handshake.
    void upgraded(QTcpSocket* socket);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    struct Http {
        qint64 received = 0;
        QElapsedTimer idle;
    };
    void received(QTcpSocket* socket);
    void sweep();

    Limits m_limits;
    QList<QPointer<QTcpSocket>> m_open;
    QHash<QTcpSocket*, Http> m_http;
    QTimer m_sweep;
};
