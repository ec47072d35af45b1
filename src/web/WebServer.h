#pragma once

#include "web/LaneSnapshot.h"
#include "web/WebWorker.h"

#include <QObject>
#include <QThread>

#include <vector>

// The web view's server behind one small class: it runs on a thread of its
// own, and the calls below only hand values over to it (queued), so that the
// thread that calls them never waits for a page.
class WebServer : public QObject {
    Q_OBJECT
public:
    explicit WebServer(WebWorker::Config config, QObject* parent = nullptr);
    // Closes every connection and ends the thread.
    ~WebServer() override;

    // The lanes the pages show, in order; their states follow one by one.
    void resetLanes(const QList<int>& lanes);
    void publishLanes(std::vector<LaneSnapshot> snapshots);
    void publishLane(LaneSnapshot snapshot);
    void publishRanking(const QStringList& lines, const QString& title);

Q_SIGNALS:
    // Delivered on the thread that owns this object.
    void listening(quint16 port);
    void failed(const QString& reason);

private:
    QThread m_thread;
    WebWorker* m_worker = nullptr;
};
