#include "platform/FileWorkers.h"

#include <QMetaObject>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

// The workers mostly wait for the share; when they do need a processor, the
// user-interface thread, which paints, comes first.
void yieldToTheScreen()
{
    thread_local bool lowered = false;
    if (lowered)
        return;
    lowered = true;
#ifdef Q_OS_WIN
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
#elif defined(Q_OS_LINUX)
    // On Linux a thread has a nice value of its own.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 5);
#endif
}

} // namespace

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
    if (m_pool) {
        m_pool->start([work = std::move(work)] {
            yieldToTheScreen();
            work();
        });
    } else {
        work();
    }
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
