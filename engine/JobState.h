// CJobState: what the window thread and one worker share while a job runs:
// the chosen path, the running flag, the piece size and the two pending status
// lines, guarded by one lock, plus the window that the worker's notifications
// are posted to.
//
// Every operation holds the lock for the copy of one value and never across
// file I/O, a post or a message box, so the lock is never nested.
//
// The state is reference-counted: the dialog holds one reference and each
// worker another, so a worker that outlives the dialog (Close waits only so
// long) still finds its state alive. Once the window is gone, the dialog
// detaches it and the worker's posts go nowhere.
#pragma once

#include "framework/CriticalSection.h"
#include "framework/Platform.h"
#include "framework/String.h"

#include <atomic>

// Posted by a worker to the window, wParam and lParam 0.
const UINT WM_JOB_ENDED = WM_USER + 100;  // the job is over; always the worker's last post
const UINT WM_JOB_STATUS = WM_USER + 101; // the pending status lines have changed

// The copy buffer of each worker and the size asked for in every read.
// One "megabyte" of piece size is two chunks: 1,024,000 bytes.
const UINT CHUNK_SIZE = 512000;

class CJobState {
public:
    explicit CJobState(HWND hWndNotify = nullptr);
    CJobState(const CJobState&) = delete;
    CJobState& operator=(const CJobState&) = delete;

    void AddRef();
    void Release();

    // The window that receives WM_JOB_STATUS and WM_JOB_ENDED. It is set
    // before any worker starts; once the window has gone it is detached, and
    // later posts are dropped.
    void AttachWindow(HWND hWndNotify);
    void DetachWindow();

    void SetSourcePath(const CString& path);
    CString GetSourcePath();
    void SetRunning(bool running);
    bool IsRunning();
    void SetPieceSizeMB(int pieceSizeMB);
    int GetPieceSizeMB();

    // Store the text, then post WM_JOB_STATUS after the lock is released.
    void SetAction(const CString& text);
    void SetProgress(const CString& text);
    CString GetAction();
    CString GetProgress();

    void PostJobEnded();

private:
    ~CJobState() = default;
    void PostToWindow(UINT message);

    std::atomic<long> m_nRefs{1};
    std::atomic<HWND> m_hWndNotify;

    CCriticalSection m_lock;
    int m_nPieceSizeMB = 650;
    bool m_bRunning = false;
    CString m_strSourcePath;
    CString m_strAction;
    CString m_strProgress;
};

// Holds one reference to a job state for the life of a scope.
class CJobStateRef {
public:
    // Adopts a reference that the caller already took.
    explicit CJobStateRef(CJobState* job) : m_job(job) {}
    ~CJobStateRef()
    {
        if (m_job != nullptr)
            m_job->Release();
    }
    CJobStateRef(const CJobStateRef&) = delete;
    CJobStateRef& operator=(const CJobStateRef&) = delete;

    CJobState* operator->() const { return m_job; }
    CJobState& operator*() const { return *m_job; }

private:
    CJobState* m_job;
};
