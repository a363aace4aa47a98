// CFile: an unbuffered binary file. Open reports failure by its result (and,
// when asked, in a CFileException); Read, Write and Close raise
// CFileException. Files are always opened for exclusive use: while this
// object holds the file, no other opener can, and an Open fails while anyone
// else holds it.
#pragma once

#include "FileException.h"
#include "Platform.h"

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        shareCompat = 0x0000,
        modeCreate = 0x1000,
        typeBinary = 0x8000
    };

    // Paths of this many characters or more are refused, as the platform's
    // own limit (MAX_PATH, the terminator included) does.
    static const int kMaxPathChars = 260;

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeRead opens an existing file for reading; modeCreate | modeWrite
    // creates a file or empties an existing one, for writing.
    bool Open(const char* path, UINT openFlags, CFileException* error = nullptr);

    // Returns the count read: fewer than asked only at the end of the file,
    // 0 at its end.
    UINT Read(void* buffer, UINT count);

    // Writes all count bytes; a short write (a full disk) raises diskFull.
    void Write(const void* buffer, UINT count);

    void Close();

    // Closes without raising: for cleaning up after an error.
    void Abort();

    bool IsOpen() const;
    const CString& GetFilePath() const { return m_strFileName; }

private:
    // The platform's half of Open: opens path for exclusive use, or returns
    // false with the system's error code in osError.
    bool OpenHandle(const char* path, UINT openFlags, long& osError);
    // The system's error code for a path longer than the platform allows.
    static long PathTooLongError();
    [[noreturn]] void ThrowLastError() const;

#ifdef _WIN32
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
#else
    int m_fd = -1;
#endif
    CString m_strFileName;
};
