#include "File.h"

#include <cstring>

CFile::~CFile()
{
    Abort();
}

bool CFile::Open(const char* path, UINT openFlags, CFileException* error)
{
    Abort();
    m_strFileName = path;
    long osError = 0;
    if (std::strlen(path) >= static_cast<size_t>(kMaxPathChars))
        osError = PathTooLongError();
    else if (OpenHandle(path, openFlags, osError))
        return true;
    if (error != nullptr)
        *error = CFileException(CFileException::OsErrorToCause(osError), osError, path);
    return false;
}
