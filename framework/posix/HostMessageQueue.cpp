#include "HostMessageQueue.h"

#include <chrono>
#include <utility>

void CHostMessageQueue::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        m_messages.push_back(HostMessage{message, wParam, lParam});
    }
    // Outside the queue's lock: the hook may read the queue or post again.
    if (m_postHook)
        m_postHook(message);
    m_arrived.notify_one();
}

bool CHostMessageQueue::Get(HostMessage& message, DWORD timeoutMs)
{
    std::unique_lock<std::mutex> hold(m_mutex);
    auto hasMessage = [this] { return !m_messages.empty(); };
    if (timeoutMs == INFINITE)
        m_arrived.wait(hold, hasMessage);
    else if (!m_arrived.wait_for(hold, std::chrono::milliseconds(timeoutMs), hasMessage))
        return false;
    message = m_messages.front();
    m_messages.pop_front();
    return true;
}

size_t CHostMessageQueue::GetCount() const
{
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_messages.size();
}

void CHostMessageQueue::SetPostHook(std::function<void(UINT message)> hook)
{
    m_postHook = std::move(hook);
}
