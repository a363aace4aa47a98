#include "../NotifyWindow.h"

CNotifyWindow::CNotifyWindow() = default;

CNotifyWindow::~CNotifyWindow() = default;

UINT CNotifyWindow::WaitForMessage()
{
    HostMessage message;
    m_queue.Get(message, INFINITE);
    return message.message;
}

UINT CNotifyWindow::PeekForMessage()
{
    HostMessage message;
    return m_queue.Get(message, 0) ? message.message : 0;
}
