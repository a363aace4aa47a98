// The host build's stand-in for a window's message queue: what a worker posts
// to "the window" lands here, and the owner (a test, the job runner) takes the
// messages out on its own thread, in order.
#pragma once

#include "HostWin32.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

struct HostMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class CHostMessageQueue
{
public:
    void Post(UINT message, WPARAM wParam, LPARAM lParam);

    // Takes the oldest message, waiting at most timeoutMs for one to arrive.
    // Returns false when none came in time.
    bool Get(HostMessage& message, DWORD timeoutMs);

    size_t GetCount() const;

    // Test seam of the host build: the hook runs on the posting thread inside
    // Post, after the message is queued, so a test can act at an exact point
    // of a worker's run (clear the running flag at the K-th status
    // notification, say). Set it before a worker starts, not while one posts.
    void SetPostHook(std::function<void(UINT message)> hook);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<HostMessage> m_messages;
    std::function<void(UINT message)> m_postHook;
};
