#include "../File.h"

long CFile::PathTooLongError()
{
    return ERROR_FILENAME_EXCED_RANGE;
}

bool CFile::OpenHandle(const char* path, UINT openFlags, long& osError)
{
    const bool writing = (openFlags & modeWrite) != 0;
    const DWORD access = writing ? GENERIC_WRITE : GENERIC_READ;
    const DWORD disposition = (openFlags & modeCreate) != 0 ? CREATE_ALWAYS : OPEN_EXISTING;
    // Windows refuses to write a read-only file, but Wine run as root does
    // not (root may write any file), and would empty it: refuse it here too.
    const DWORD attributes = GetFileAttributesA(path);
    if (writing && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        osError = ERROR_ACCESS_DENIED;
        return false;
    }
    // No share flags: the file is ours alone while it is open.
    m_hFile = CreateFileA(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) {
        osError = static_cast<long>(GetLastError());
        return false;
    }
    return true;
}

UINT CFile::Read(void* buffer, UINT count)
{
    DWORD got = 0;
    if (!ReadFile(m_hFile, buffer, count, &got, nullptr))
        ThrowLastError();
    return got;
}

void CFile::Write(const void* buffer, UINT count)
{
    DWORD written = 0;
    if (!WriteFile(m_hFile, buffer, count, &written, nullptr))
        ThrowLastError();
    if (written != count)
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

void CFile::Close()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    HANDLE handle = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (!CloseHandle(handle))
        ThrowLastError();
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

bool CFile::IsOpen() const
{
    return m_hFile != INVALID_HANDLE_VALUE;
}

void CFile::ThrowLastError() const
{
    const DWORD osError = GetLastError();
    throw CFileException(CFileException::OsErrorToCause(osError), osError, m_strFileName);
}
