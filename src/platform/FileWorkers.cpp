#include "platform/FileWorkers.h"

#include <QMetaObject>

FileWorkers::FileWorkers(int threads)
{
    if (threads > 0) {
        m_pool = std::make_unique<QThreadPool>();
        m_pool->setMaxThreadCount(threads);
        // Threads stay for the next tick instead of being made anew each second.
        m_pool->setExpiryTimeout(-1);
    }
}

FileWorkers::~FileWorkers()
{
    waitForDone();
}

void FileWorkers::run(std::function<void()> work)
{
    if (m_pool)
        m_pool->start(std::move(work));
    else
        work();
}

void FileWorkers::handBack(std::function<void()> back)
{
    if (m_pool)
        QMetaObject::invokeMethod(&m_home, std::move(back), Qt::QueuedConnection);
    else
        back();
}

void FileWorkers::waitForDone()
{
    if (m_pool)
        m_pool->waitForDone();
}
