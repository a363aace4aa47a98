#include "../File.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The platform's exclusive share mode, as near as POSIX comes: an advisory
// lock that every CFile takes, so two CFiles never hold one file together.
// A file opened for writing is emptied once it is locked, and only when it
// has content: on ext4 a file truncated to nothing is flushed to the disk
// when it is closed, a cost a file that was empty anyway need not pay.
int OpenExclusive(const char* path, bool writing)
{
    const int fd = writing ? open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666)
                           : open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info;
    int failure = 0;
    if (fstat(fd, &info) != 0)
        failure = errno;
    else if (S_ISDIR(info.st_mode))
        failure = EISDIR;
    else if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        failure = errno;
    else if (writing && info.st_size > 0 && ftruncate(fd, 0) != 0)
        failure = errno;
    if (failure != 0) {
        close(fd);
        errno = failure;
        return -1;
    }
    return fd;
}

} // namespace

long CFile::PathTooLongError()
{
    return ENAMETOOLONG;
}

bool CFile::OpenHandle(const char* path, UINT openFlags, long& osError)
{
    m_fd = OpenExclusive(path, (openFlags & modeWrite) != 0);
    if (m_fd < 0) {
        osError = errno;
        return false;
    }
    return true;
}

UINT CFile::Read(void* buffer, UINT count)
{
    char* next = static_cast<char*>(buffer);
    UINT total = 0;
    while (total < count) {
        const ssize_t got = read(m_fd, next + total, count - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ThrowLastError();
        if (got == 0)
            break;
        total += static_cast<UINT>(got);
    }
    return total;
}

void CFile::Write(const void* buffer, UINT count)
{
    const char* next = static_cast<const char*>(buffer);
    UINT total = 0;
    while (total < count) {
        const ssize_t written = write(m_fd, next + total, count - total);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            ThrowLastError();
        if (written == 0)
            throw CFileException(CFileException::diskFull, ENOSPC, m_strFileName);
        total += static_cast<UINT>(written);
    }
}

void CFile::Close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    if (close(fd) != 0)
        ThrowLastError();
}

void CFile::Abort()
{
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
}

bool CFile::IsOpen() const
{
    return m_fd >= 0;
}

void CFile::ThrowLastError() const
{
    const int osError = errno;
    throw CFileException(CFileException::OsErrorToCause(osError), osError, m_strFileName);
}
