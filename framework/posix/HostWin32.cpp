#include "HostWin32.h"
#include "HostMessageQueue.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <sys/syscall.h>
#include <unistd.h>

BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == nullptr)
        return FALSE;
    hWnd->Post(msg, wParam, lParam);
    return TRUE;
}

namespace {

// What a thread handle refers to. The running thread and the handle each hold
// a reference, so closing the handle early never frees what the thread uses.
struct HostThread {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    DWORD exitCode = 0;
};

struct HostThreadHandle {
    std::shared_ptr<HostThread> thread;
};

} // namespace

HANDLE CreateThread(void*, size_t, LPTHREAD_START_ROUTINE start, LPVOID param, DWORD,
                    DWORD* threadId)
{
    auto state = std::make_shared<HostThread>();
    std::thread worker([state, start, param] {
        DWORD code = start(param);
        std::lock_guard<std::mutex> hold(state->mutex);
        state->exitCode = code;
        state->done = true;
        state->finished.notify_all();
    });
    if (threadId != nullptr)
        *threadId = static_cast<DWORD>(std::hash<std::thread::id>()(worker.get_id()));
    worker.detach();
    return new HostThreadHandle{state};
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    HostThread& thread = *static_cast<HostThreadHandle*>(handle)->thread;
    std::unique_lock<std::mutex> hold(thread.mutex);
    auto isDone = [&thread] { return thread.done; };
    if (milliseconds == INFINITE)
        thread.finished.wait(hold, isDone);
    else if (!thread.finished.wait_for(hold, std::chrono::milliseconds(milliseconds), isDone))
        return WAIT_TIMEOUT;
    return WAIT_OBJECT_0;
}

BOOL GetExitCodeThread(HANDLE handle, DWORD* exitCode)
{
    HostThread& thread = *static_cast<HostThreadHandle*>(handle)->thread;
    std::lock_guard<std::mutex> hold(thread.mutex);
    *exitCode = thread.done ? thread.exitCode : 259; // STILL_ACTIVE
    return TRUE;
}

BOOL CloseHandle(HANDLE handle)
{
    delete static_cast<HostThreadHandle*>(handle);
    return TRUE;
}

DWORD GetCurrentThreadId()
{
    return static_cast<DWORD>(syscall(SYS_gettid));
}

void Sleep(DWORD milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
