// CFileException: what a failed file operation raises (or fills in, for Open).
// It carries the cause, the system's own error code and the file's name, so
// that whoever reports it can say which file failed and why.
#pragma once

#include "String.h"

class CFileException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException() = default;
    CFileException(int cause, long osError, const CString& fileName)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
    {
    }

    // The system's own words for m_lOsError, without a trailing line break.
    CString GetErrorMessage() const;

    // True for the causes that mean "there is no such file" rather than
    // "there is a file, but it cannot be used".
    bool IsMissingFile() const { return m_cause == fileNotFound || m_cause == badPath; }

    // Maps a system error code (GetLastError on Windows, errno on the host).
    static int OsErrorToCause(long osError);

    int m_cause = none;
    long m_lOsError = 0;
    CString m_strFileName;
};
