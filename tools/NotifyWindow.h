// CNotifyWindow: the job runner's stand-in for the main dialog as the target
// of a worker's posts. On Windows it is a real message-only window, so that a
// post costs what it costs the product; on the host it is a message queue.
#pragma once

#include "framework/Platform.h"

#ifndef _WIN32
#include "framework/posix/HostMessageQueue.h"
#endif

class CNotifyWindow {
public:
    CNotifyWindow();
    ~CNotifyWindow();
    CNotifyWindow(const CNotifyWindow&) = delete;
    CNotifyWindow& operator=(const CNotifyWindow&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // Waits for the next message posted to the window and returns its id.
    UINT WaitForMessage();

    // Returns the id of a message already waiting, or 0 when there is none.
    UINT PeekForMessage();

private:
#ifdef _WIN32
    HWND m_hWnd;
#else
    CHostMessageQueue m_queue;
    HWND m_hWnd = &m_queue;
#endif
};
