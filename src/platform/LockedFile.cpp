#include "platform/LockedFile.h"

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool LockedFile::open(const QString& path, bool forWriting, bool lock)
{
    close();
    m_file.setFileName(path);
#ifdef Q_OS_WIN
    if (lock) {
        const std::wstring native = path.toStdWString();
        const DWORD access = forWriting ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
        const DWORD share = forWriting ? 0 : FILE_SHARE_READ;
        const DWORD disposition = forWriting ? OPEN_ALWAYS : OPEN_EXISTING;
        HANDLE handle
            = CreateFileW(native.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        if (GetFileType(handle) != FILE_TYPE_DISK) {
            CloseHandle(handle);
            return false;
        }
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), forWriting ? 0 : _O_RDONLY);
        if (fd < 0) {
            CloseHandle(handle);
            return false;
        }
        if (!m_file.open(fd, forWriting ? QIODevice::ReadWrite : QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            _close(fd);
            return false;
        }
        return !forWriting || m_file.resize(0);
    }
    if (!m_file.open(forWriting ? QIODevice::ReadWrite : QIODevice::ReadOnly))
        return false;
#else
    // Non-blocking, so that opening a pipe returns at once; the descriptor is
    // then checked to be a regular file before anything is read.
    const QByteArray native = QFile::encodeName(path);
    const int flags = (forWriting ? O_RDWR | O_CREAT : O_RDONLY) | O_NONBLOCK | O_CLOEXEC;
    const int fd = ::open(native.constData(), flags, 0666);
    if (fd < 0)
        return false;
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    const int blocking = ::fcntl(fd, F_GETFL);
    if (blocking == -1 || ::fcntl(fd, F_SETFL, blocking & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return false;
    }
    if (!m_file.open(fd, forWriting ? QIODevice::ReadWrite : QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    if (lock) {
        // flock locks belong to the open file, so a second handle on the
        // same file, even in this process, cannot take a conflicting lock.
        if (::flock(m_file.handle(), (forWriting ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
            m_file.close();
            return false;
        }
        m_locked = true;
    }
#endif
    // Truncate only once the lock is held.
    if (forWriting && !m_file.resize(0)) {
        close();
        return false;
    }
    return true;
}

void LockedFile::close()
{
#ifndef Q_OS_WIN
    if (m_locked && m_file.isOpen())
        ::flock(m_file.handle(), LOCK_UN);
#endif
    m_locked = false;
    m_file.close();
}
