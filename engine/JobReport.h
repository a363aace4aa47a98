// How a worker tells the user and the window that its job is over: the
// outcome in the worker's own message box, and WM_JOB_ENDED once the user has
// dismissed it. Also the report of a file that failed in the middle of a job.
#pragma once

#include "JobState.h"
#include "framework/FileException.h"

extern const char* const kTextInvalidWorkerInput;

// Raised inside a worker when a read, write or close fails in the middle of
// a copy; the worker catches it, closes its files and reports it.
class CJobFailure {
public:
    enum Operation { opening, reading, writing };

    CJobFailure(Operation operation, const CFileException& error)
        : m_operation(operation), m_error(error)
    {
    }

    // "<job> stopped: the file could not be <operation>." with the file's
    // path and the system's reason on the lines below.
    CString Describe(const char* jobName) const;

private:
    Operation m_operation;
    CFileException m_error;
};

// Runs one file operation of a job; a CFileException that it raises comes
// out as a CJobFailure that says what the worker was doing.
template <typename FileOperation>
auto RunFileOperation(CJobFailure::Operation operation, FileOperation fileOperation)
    -> decltype(fileOperation())
{
    try {
        return fileOperation();
    } catch (const CFileException& error) {
        throw CJobFailure(operation, error);
    }
}

// Shows text in the worker's box (OK, no owner), then posts WM_JOB_ENDED.
void ReportJobEnd(CJobState& job, const CString& text);
