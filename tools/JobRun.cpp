// jobrun: runs one split or merge through the real job state, worker thread
// and notifications, without a window on screen. The tests and the benchmark
// drive the engine through it.
//
//   jobrun [--stop-after-status K] split PATH N
//   jobrun [--stop-after-status K] merge PATH
//
// Prints one line per message box the worker shows ("box: TEXT", line breaks
// written as \n), then the final status lines and how many WM_JOB_ENDED came.

#include "NotifyWindow.h"
#include "engine/JobState.h"
#include "engine/MergeWorker.h"
#include "engine/SplitWorker.h"
#include "framework/MessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int kExitUsage = 2;

struct JobRequest {
    LPTHREAD_START_ROUTINE worker = nullptr;
    const char* path = nullptr;
    int pieceSizeMB = 650;
    long stopAfterStatus = 0; // 0: never stop
};

int Usage()
{
    std::fputs("usage: jobrun [--stop-after-status K] split PATH N\n"
               "       jobrun [--stop-after-status K] merge PATH\n",
               stderr);
    return kExitUsage;
}

bool ParsePositive(const char* text, long& value)
{
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value > 0;
}

bool ParseArguments(int argc, char** argv, JobRequest& request)
{
    int next = 1;
    if (next + 1 < argc && std::strcmp(argv[next], "--stop-after-status") == 0) {
        if (!ParsePositive(argv[next + 1], request.stopAfterStatus))
            return false;
        next += 2;
    }
    const int remaining = argc - next;
    if (remaining == 3 && std::strcmp(argv[next], "split") == 0) {
        long pieceSizeMB = 0;
        if (!ParsePositive(argv[next + 2], pieceSizeMB) || pieceSizeMB > 1000000)
            return false;
        request.worker = SplitThreadProc;
        request.pieceSizeMB = static_cast<int>(pieceSizeMB);
    } else if (remaining == 2 && std::strcmp(argv[next], "merge") == 0) {
        request.worker = MergeThreadProc;
    } else {
        return false;
    }
    request.path = argv[next + 1];
    return true;
}

void PrintLine(const char* label, const char* text)
{
    std::fputs(label, stdout);
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n')
            std::fputs("\\n", stdout);
        else
            std::fputc(*p, stdout);
    }
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int PrintBox(const char* text, UINT)
{
    PrintLine("box: ", text);
    return IDOK;
}

// Runs the job to its end; returns how many WM_JOB_ENDED arrived.
int RunJob(const JobRequest& request, CJobState& job, CNotifyWindow& window)
{
    job.AddRef(); // the worker's reference
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, request.worker, &job, 0, &threadId);
    if (thread == nullptr) {
        job.Release();
        std::fputs("jobrun: could not start the worker\n", stderr);
        return 0;
    }
    long statusCount = 0;
    int endedCount = 0;
    while (endedCount == 0) {
        const UINT message = window.WaitForMessage();
        if (message == WM_JOB_ENDED)
            ++endedCount;
        else if (message == WM_JOB_STATUS && ++statusCount == request.stopAfterStatus)
            job.SetRunning(false);
    }
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    // Nothing may follow WM_JOB_ENDED; count anything that did.
    while (UINT message = window.PeekForMessage()) {
        if (message == WM_JOB_ENDED)
            ++endedCount;
    }
    return endedCount;
}

} // namespace

int main(int argc, char** argv)
{
    JobRequest request;
    if (!ParseArguments(argc, argv, request))
        return Usage();

    AfxSetMessageBoxHandler(PrintBox);
    CNotifyWindow window;
    CJobState* job = new CJobState(window.GetSafeHwnd());
    job->SetSourcePath(request.path);
    job->SetPieceSizeMB(request.pieceSizeMB);
    job->SetRunning(true);

    const int endedCount = RunJob(request, *job, window);
    PrintLine("action: ", job->GetAction());
    PrintLine("progress: ", job->GetProgress());
    std::printf("ended: %d\n", endedCount);
    job->Release();
    return 0;
}
