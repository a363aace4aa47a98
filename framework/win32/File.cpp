#include "../File.h"

namespace {

bool IsReadOnlyFile(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Opens path with no sharing: the file is ours alone while it is open.
HANDLE OpenExclusive(const char* path, DWORD access, DWORD disposition)
{
    return CreateFileA(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Creates path, or empties it when it exists. A file that is not there yet is
// made as new: asked to create-or-empty, Wine empties even the file it has
// just made, and on ext4 a file emptied that way is flushed to the disk when
// it is closed, which costs tens of milliseconds per hundred megabytes
// written. The file on disk is the same either way.
HANDLE CreateOrEmpty(const char* path, DWORD access)
{
    HANDLE hFile = OpenExclusive(path, access, CREATE_NEW);
    if (hFile == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS)
        hFile = OpenExclusive(path, access, CREATE_ALWAYS);
    return hFile;
}

} // namespace

long CFile::PathTooLongError()
{
    return ERROR_FILENAME_EXCED_RANGE;
}

bool CFile::OpenHandle(const char* path, UINT openFlags, long& osError)
{
    const bool writing = (openFlags & modeWrite) != 0;
    const DWORD access = writing ? GENERIC_WRITE : GENERIC_READ;
    // Windows refuses to write a read-only file, but Wine run as root does
    // not (root may write any file), and would empty it: refuse it here too.
    if (writing && IsReadOnlyFile(path)) {
        osError = ERROR_ACCESS_DENIED;
        return false;
    }
    m_hFile = (openFlags & modeCreate) != 0 ? CreateOrEmpty(path, access)
                                            : OpenExclusive(path, access, OPEN_EXISTING);
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
