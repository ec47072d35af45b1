#include "platform/StopRequests.h"

#include <QtGlobal>

#if defined(Q_OS_WIN)

#include <QGuiApplication>

#include <atomic>
#include <windows.h>

namespace {

std::atomic<StopRequests*> g_listener {nullptr};

BOOL WINAPI onConsoleEvent(DWORD event)
{
    StopRequests* listener = g_listener.load();
    if (!listener)
        return FALSE;
    // Windows calls this on a thread of its own: the request only joins the
    // user-interface thread's queue.
    QMetaObject::invokeMethod(listener, "deliver", Qt::QueuedConnection);
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT)
        return TRUE;
    // After a close, log-off or shut-down event the process ends as soon as
    // this returns; waiting gives the frame its shut-down, and the end of main
    // ends this thread with the process.
    Sleep(INFINITE);
    return TRUE;
}

} // namespace

StopRequests::StopRequests(QObject* parent) : QObject(parent)
{
    StopRequests* none = nullptr;
    if (!g_listener.compare_exchange_strong(none, this))
        return;
    if (!SetConsoleCtrlHandler(onConsoleEvent, TRUE))
        return;
    m_listening = true;
#if QT_CONFIG(sessionmanager)
    // The end of the session reaches a program with windows as a message to
    // them, which Qt turns into this request; the shut-down must be over when
    // the slot returns.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, &StopRequests::deliver, Qt::DirectConnection);
#endif
}

StopRequests::~StopRequests()
{
    stopListening();
    StopRequests* self = this;
    g_listener.compare_exchange_strong(self, nullptr);
}

void StopRequests::stopListening()
{
    if (!m_listening)
        return;
    m_listening = false;
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
#if QT_CONFIG(sessionmanager)
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        disconnect(gui, &QGuiApplication::commitDataRequest, this, nullptr);
#endif
}

void StopRequests::deliver()
{
    if (!m_listening)
        return;
    stopListening();
    Q_EMIT stopRequested();
}

#else

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array kSignals {SIGTERM, SIGINT};

StopRequests* g_listener = nullptr;
// The self-pipe: the handler writes a byte, the notifier reads it on the
// event loop.
int g_pipe[2] = {-1, -1};
std::array<struct sigaction, kSignals.size()> g_earlier {};
std::array<bool, kSignals.size()> g_caught {};

void onStopSignal(int)
{
    // Nothing but async-signal-safe calls in here.
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

bool openPipe()
{
    if (::pipe(g_pipe) != 0)
        return false;
    for (int fd : g_pipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

void closePipe()
{
    for (int& fd : g_pipe) {
        ::close(fd);
        fd = -1;
    }
}

bool ignored(const struct sigaction& action)
{
    return !(action.sa_flags & SA_SIGINFO) && action.sa_handler == SIG_IGN;
}

} // namespace

StopRequests::StopRequests(QObject* parent) : QObject(parent)
{
    if (g_listener || !openPipe())
        return;
    g_listener = this;
    m_listening = true;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopRequests::deliver);

    struct sigaction action { };
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        g_caught[i] = false;
        if (::sigaction(kSignals[i], nullptr, &g_earlier[i]) != 0 || ignored(g_earlier[i]))
            continue;
        g_caught[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
}

StopRequests::~StopRequests()
{
    stopListening();
    if (g_listener == this) {
        closePipe();
        g_listener = nullptr;
    }
}

void StopRequests::stopListening()
{
    if (!m_listening)
        return;
    m_listening = false;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (g_caught[i])
            ::sigaction(kSignals[i], &g_earlier[i], nullptr);
        g_caught[i] = false;
    }
    m_notifier->setEnabled(false);
}

void StopRequests::deliver()
{
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) { }
    if (!m_listening)
        return;
    stopListening();
    Q_EMIT stopRequested();
}

#endif
