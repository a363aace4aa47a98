// CJobHarness: runs one split or merge the way the main window would, but on
// the test's own thread and without a screen. The worker's posts land in a
// stand-in window, its message boxes in a recorder, and both are kept in the
// order in which they happened, so a test can check what a user and the
// window would have seen and when. A worker started on a thread of its own
// has its boxes recorded too, while the test takes the posts itself.
#pragma once

#include "NotifyWindow.h"
#include "engine/JobState.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct JobEvent {
    enum Kind { status, ended, box, other };
    Kind kind;
    std::string text; // a box's text; empty for the posted notifications
};

class CJobHarness
{
public:
    // A job state like the one the window holds when it starts a worker:
    // attached to the stand-in window, running flag set, piece size 650.
    CJobHarness();
    ~CJobHarness();
    CJobHarness(const CJobHarness&) = delete;
    CJobHarness& operator=(const CJobHarness&) = delete;

    CJobState& Job() { return *m_job; }
    CNotifyWindow& Window() { return m_window; }

    // Run the worker to its end on the calling thread, with a reference taken
    // for it as the window takes one, and return its exit code.
    DWORD RunSplit(const std::string& sourcePath, int pieceSizeMB);
    DWORD RunMerge(const std::string& chosenPath);

    // Everything so far, oldest first.
    const std::vector<JobEvent>& Events();
    // The same as one letter per event: 's' WM_JOB_STATUS, 'b' a message box,
    // 'e' WM_JOB_ENDED, '?' anything else posted.
    std::string Trace();
    std::vector<std::string> Boxes();

    // Runs while the worker waits in its box, for checks that only hold
    // then (which files the worker still holds, say).
    void WhileBoxIsUp(std::function<void(const std::string& text)> check)
    {
        m_whileBoxIsUp = std::move(check);
    }

#ifndef _WIN32
    // Clears the running flag when the K-th WM_JOB_STATUS is posted, as if
    // Stop were pressed exactly then.
    void StopAtStatus(int k)
    {
        m_stopAtStatus = k;
    }
    // The pending progress line as it stood at each WM_JOB_STATUS post.
    const std::vector<std::string>& ProgressAtEachStatus() const
    {
        return m_progressSeen;
    }
#endif

private:
    static int RecordBox(const char* text, UINT type);
    void CollectPosts();
    DWORD Run(LPTHREAD_START_ROUTINE worker);

    CNotifyWindow m_window;
    CJobState* m_job;
    DWORD m_ownerThread;
    std::vector<JobEvent> m_events;
    std::function<void(const std::string& text)> m_whileBoxIsUp;
#ifndef _WIN32
    void OnPost(UINT message);
    int m_stopAtStatus = 0;
    int m_statusPosts = 0;
    std::vector<std::string> m_progressSeen;
#endif
};

// True for a trace of status posts only, then one box, then one
// WM_JOB_ENDED: how every job that has a job state ends.
bool IsStatusThenBoxThenEnded(const std::string& trace);

// Nobody holds the file: it opens for exclusive use, as the workers open
// their files.
bool OpensForExclusiveUse(const std::string& path);

// Waits at most about timeoutMs for the next message posted to window and
// returns its id, or 0 when none came. For workers on a thread of their own;
// on Windows the window must belong to the calling thread.
UINT WaitForPost(CNotifyWindow& window, DWORD timeoutMs);

// Texts the worker composes, for comparing with what it showed.
std::string SplitActionText(const std::string& sourcePath);
std::string SplitProgressText(const std::string& piecePath, int megabytes);
std::string MergeActionText(const std::string& basePath);
std::string MergeProgressText(const std::string& piecePath);
