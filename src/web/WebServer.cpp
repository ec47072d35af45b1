#include "web/WebServer.h"

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
    std::vector<LaneSnapshot> one;
    one.push_back(std::move(snapshot));
    publishLanes(std::move(one));
}

void WebServer::publishLanes(std::vector<LaneSnapshot> snapshots)
{
    WebWorker* worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker, snapshots = std::move(snapshots)] { worker->publishLanes(snapshots); }, Qt::QueuedConnection);
}

void WebServer::publishRanking(const QStringList& lines, const QString& title)
{
    WebWorker* worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker, lines, title] { worker->publishRanking(lines, title); }, Qt::QueuedConnection);
}
