#include "../FileException.h"

#include <cerrno>
#include <cstring>

CString CFileException::GetErrorMessage() const
{
    return CString(std::strerror(static_cast<int>(m_lOsError)));
}

int CFileException::OsErrorToCause(long osError)
{
    switch (osError) {
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EWOULDBLOCK:
        return sharingViolation;
    case ENOSPC:
    case EDQUOT:
        return diskFull;
    case EIO:
        return hardIO;
    default:
        return genericException;
    }
}
