#include "web/WebServer.h"

#include "web/LaneSnapshot.h"

WebServer::WebServer(WebWorker::Config config, QObject* parent) : QObject(parent)
{
    m_thread.setObjectName(QStringLiteral("web"));
    m_worker = new WebWorker(std::move(config));
    m_worker->moveToThread(&m_thread);
    connect(m_worker, &WebWorker::listening, this, &WebServer::listening);
    connect(m_worker, &WebWorker::failed, this, &WebServer::failed);
    m_thread.start();
    QMetaObject::invokeMethod(m_worker, &WebWorker::start, Qt::QueuedConnection);
}

WebServer::~WebServer()
{
    // The worker's sockets and servers belong to its thread: they are closed
    // there, the worker itself once the thread has ended.
    QMetaObject::invokeMethod(m_worker, &WebWorker::stop, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_worker;
}

void WebServer::resetLanes(const QList<int>& lanes)
{
    WebWorker* worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker, lanes] { worker->resetLanes(lanes); }, Qt::QueuedConnection);
}

void WebServer::publishLane(LaneSnapshot snapshot)
{
    WebWorker* worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker, snapshot = std::move(snapshot)] { worker->publishLane(snapshot); }, Qt::QueuedConnection);
}

void WebServer::publishRanking(const QStringList& lines, const QString& title)
{
    WebWorker* worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker, lines, title] { worker->publishRanking(lines, title); }, Qt::QueuedConnection);
}
