// The host build's stand-in for a window's message queue: what a worker posts
// to "the window" lands here, and the owner (a test, the job runner) takes the
// messages out on its own thread, in order.
#pragma once

#include "HostWin32.h"

#include <condition_variable>
#include <deque>
#include <mutex>

struct HostMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class CHostMessageQueue {
public:
    void Post(UINT message, WPARAM wParam, LPARAM lParam);

    // Takes the oldest message, waiting at most timeoutMs for one to arrive.
    // Returns false when none came in time.
    bool Get(HostMessage& message, DWORD timeoutMs);

    size_t GetCount() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<HostMessage> m_messages;
};
