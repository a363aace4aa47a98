#include "JobHarness.h"

#include "engine/MergeWorker.h"
#include "engine/SplitWorker.h"
#include "framework/File.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>

namespace
{

// The box handler is a plain function: it finds the harness through this.
// One harness at a time, on the test's thread.
CJobHarness* g_current = nullptr;

char LetterOf(JobEvent::Kind kind)
{
    switch (kind) {
    case JobEvent::status:
        return 's';
    case JobEvent::box:
        return 'b';
    case JobEvent::ended:
        return 'e';
    default:
        return '?';
    }
}

} // namespace

CJobHarness::CJobHarness()
    : m_job(new CJobState(m_window.GetSafeHwnd())), m_ownerThread(GetCurrentThreadId())
{
    EXPECT_EQ(nullptr, g_current) << "one CJobHarness at a time";
    g_current = this;
    AfxSetMessageBoxHandler(RecordBox);
    m_job->SetRunning(true);
#ifndef _WIN32
    m_window.GetSafeHwnd()->SetPostHook([this](UINT message) { OnPost(message); });
#endif
}

CJobHarness::~CJobHarness()
{
#ifndef _WIN32
    m_window.GetSafeHwnd()->SetPostHook(nullptr);
#endif
    AfxSetMessageBoxHandler(nullptr);
    g_current = nullptr;
    m_job->Release();
}

DWORD CJobHarness::RunSplit(const std::string& sourcePath, int pieceSizeMB)
{
    m_job->SetSourcePath(sourcePath.c_str());
    m_job->SetPieceSizeMB(pieceSizeMB);
    return Run(SplitThreadProc);
}

DWORD CJobHarness::RunMerge(const std::string& chosenPath)
{
    m_job->SetSourcePath(chosenPath.c_str());
    return Run(MergeThreadProc);
}

DWORD CJobHarness::Run(LPTHREAD_START_ROUTINE worker)
{
    m_job->AddRef(); // the worker's own, released by the worker
    const DWORD exitCode = worker(m_job);
    CollectPosts();
    return exitCode;
}

const std::vector<JobEvent>& CJobHarness::Events()
{
    CollectPosts();
    return m_events;
}

std::string CJobHarness::Trace()
{
    std::string trace;
    for (const JobEvent& event : Events())
        trace += LetterOf(event.kind);
    return trace;
}

std::vector<std::string> CJobHarness::Boxes()
{
    std::vector<std::string> texts;
    for (const JobEvent& event : Events()) {
        if (event.kind == JobEvent::box)
            texts.push_back(event.text);
    }
    return texts;
}

int CJobHarness::RecordBox(const char* text, UINT)
{
    // What was posted before the box is shown comes first in the record. A
    // worker on a thread of its own leaves the posts to the test's thread.
    if (GetCurrentThreadId() == g_current->m_ownerThread)
        g_current->CollectPosts();
    g_current->m_events.push_back(JobEvent{JobEvent::box, text});
    if (g_current->m_whileBoxIsUp)
        g_current->m_whileBoxIsUp(text);
    return IDOK;
}

// The worker runs on this thread, so everything it posted is waiting here.
void CJobHarness::CollectPosts()
{
    while (const UINT message = m_window.PeekForMessage()) {
        const JobEvent::Kind kind = message == WM_JOB_STATUS  ? JobEvent::status
                                    : message == WM_JOB_ENDED ? JobEvent::ended
                                                              : JobEvent::other;
        m_events.push_back(JobEvent{kind, std::string()});
    }
}

#ifndef _WIN32
void CJobHarness::OnPost(UINT message)
{
    if (message != WM_JOB_STATUS)
        return;
    m_progressSeen.push_back(m_job->GetProgress().GetString());
    if (++m_statusPosts == m_stopAtStatus)
        m_job->SetRunning(false);
}
#endif

bool IsStatusThenBoxThenEnded(const std::string& trace)
{
    return trace.size() >= 2 && trace.compare(trace.size() - 2, 2, "be") == 0 &&
           trace.find_first_not_of('s') == trace.size() - 2;
}

bool OpensForExclusiveUse(const std::string& path)
{
    CFile file;
    return file.Open(path.c_str(), CFile::modeRead);
}

UINT WaitForPost(CNotifyWindow& window, DWORD timeoutMs)
{
    for (DWORD waited = 0;; ++waited) {
        if (const UINT message = window.PeekForMessage())
            return message;
        if (waited >= timeoutMs)
            return 0;
        Sleep(1);
    }
}

std::string SplitActionText(const std::string& sourcePath)
{
    return "Started to split : " + sourcePath;
}

std::string SplitProgressText(const std::string& piecePath, int megabytes)
{
    return "Writing : " + piecePath + "    Mb : " + std::to_string(megabytes);
}

std::string MergeActionText(const std::string& basePath)
{
    return "Started to merge : " + basePath;
}

std::string MergeProgressText(const std::string& piecePath)
{
    return "Reading : " + piecePath;
}
