#include "../NotifyWindow.h"

namespace {

const char kClassName[] = "ParvionJobRunnerTarget";

ATOM RegisterTargetClass()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass);
}

} // namespace

CNotifyWindow::CNotifyWindow()
{
    static const ATOM registered = RegisterTargetClass();
    (void)registered;
    m_hWnd = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
}

CNotifyWindow::~CNotifyWindow()
{
    DestroyWindow(m_hWnd);
}

UINT CNotifyWindow::WaitForMessage()
{
    MSG message;
    while (GetMessageA(&message, m_hWnd, 0, 0) > 0) {
        if (message.message >= WM_USER)
            return message.message;
        DispatchMessageA(&message);
    }
    return 0;
}

UINT CNotifyWindow::PeekForMessage()
{
    MSG message;
    while (PeekMessageA(&message, m_hWnd, 0, 0, PM_REMOVE)) {
        if (message.message >= WM_USER)
            return message.message;
        DispatchMessageA(&message);
    }
    return 0;
}
