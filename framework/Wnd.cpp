#include "Wnd.h"
#include "CriticalSection.h"
#include "DataExchange.h"
#include "FrameworkIds.h"
#include "SingleLock.h"
#include "WinApp.h"

#include <unordered_map>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_MESSAGE(WM_HELP, &CWnd::OnHelp)
END_MESSAGE_MAP()

namespace {

// Every window that has an object of its own, on every thread.
class CPermanentMap {
public:
    CWnd* Lookup(HWND hWnd)
    {
        CSingleLock hold(m_lock);
        auto found = m_objects.find(hWnd);
        return found != m_objects.end() ? found->second : nullptr;
    }
    bool Add(HWND hWnd, CWnd* pWnd)
    {
        CSingleLock hold(m_lock);
        return m_objects.emplace(hWnd, pWnd).second;
    }
    void Remove(HWND hWnd)
    {
        CSingleLock hold(m_lock);
        m_objects.erase(hWnd);
    }

private:
    CCriticalSection m_lock;
    std::unordered_map<HWND, CWnd*> m_objects;
};

CPermanentMap& PermanentObjects()
{
    static CPermanentMap map;
    return map;
}

struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Per thread: the message being handled (for Default), how deeply window
// procedures are nested, the dialog waiting to be taken over, and the
// temporary wrappers handed out since the outermost message began.
thread_local CurrentMessage t_current;
thread_local int t_dispatchDepth;
thread_local CWnd* t_pWndInit;
thread_local std::unordered_map<HWND, CWnd*>* t_temporaries;

void FreeTemporaries()
{
    std::unordered_map<HWND, CWnd*>* temporaries = t_temporaries;
    t_temporaries = nullptr;
    if (temporaries == nullptr)
        return;
    for (auto& entry : *temporaries) {
        entry.second->m_hWnd = nullptr; // never the window's own object
        delete entry.second;
    }
    delete temporaries;
}

bool IsColourRequest(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

bool ModifierKeyHeld()
{
    return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
}

// The start of a span of the given size centred on another span, kept inside
// [areaStart, areaEnd) as far as it fits.
int CentredStart(int aroundStart, int aroundSize, int size, int areaStart, int areaEnd)
{
    int start = aroundStart + (aroundSize - size) / 2;
    if (start + size > areaEnd)
        start = areaEnd - size;
    if (start < areaStart)
        start = areaStart;
    return start;
}

} // namespace

CString AfxGetWindowText(HWND hWnd)
{
    CString text;
    int length = GetWindowTextLengthA(hWnd);
    if (length > 0) {
        GetWindowTextA(hWnd, text.GetBuffer(length), length + 1);
        text.ReleaseBuffer();
    }
    return text;
}

CWnd::~CWnd()
{
    if (m_hWnd == nullptr || FromHandlePermanent(m_hWnd) != this)
        return;
    HWND hWnd = Detach();
    if (IsWindow(hWnd) && GetWindowThreadProcessId(hWnd, nullptr) == GetCurrentThreadId())
        ::DestroyWindow(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != nullptr ? PermanentObjects().Lookup(hWnd) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    if (t_temporaries == nullptr)
        t_temporaries = new std::unordered_map<HWND, CWnd*>;
    CWnd*& temporary = (*t_temporaries)[hWnd];
    if (temporary == nullptr) {
        temporary = new CWnd;
        temporary->m_hWnd = hWnd;
    }
    return temporary;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || !PermanentObjects().Add(hWnd, this))
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr) {
        // Only a procedure that is still ours can be given back without
        // cutting out whoever subclassed the window after us.
        if (GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    PermanentObjects().Remove(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    LONG_PTR previous =
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
    if (previous == 0) {
        PermanentObjects().Remove(hWnd);
        m_hWnd = nullptr;
        return FALSE;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(previous);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == nullptr || pParent->m_hWnd == nullptr)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != nullptr ? SubclassWindow(hWndControl) : FALSE;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return CallObjectWindowProc(pWnd, message, wParam, lParam);
}

LRESULT CWnd::CallObjectWindowProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const CurrentMessage outer = t_current;
    t_current = {message, wParam, lParam};
    ++t_dispatchDepth;

    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        pWnd->OnWindowGone();

    t_current = outer;
    if (--t_dispatchDepth == 0)
        FreeTemporaries();
    return result;
}

void CWnd::HookWindowCreate(CWnd* pWnd)
{
    t_pWndInit = pWnd;
}

void CWnd::UnhookWindowCreate()
{
    t_pWndInit = nullptr;
}

INT_PTR CALLBACK CWnd::TakeOverDlgProc(HWND hWnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept
{
    // The object handles its dialog through the window procedure that
    // replaces the dialog's own; DefDlgProc still calls this procedure for
    // default handling, and is told to go ahead with it.
    CWnd* pWnd = t_pWndInit;
    if (pWnd == nullptr || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    t_pWndInit = nullptr;
    if (!pWnd->SubclassWindow(hWnd))
        return FALSE;
    // Without DS_SETFONT the first message is WM_INITDIALOG itself, which has
    // already passed the window procedure: hand it to the object from here.
    if (message != WM_INITDIALOG)
        return FALSE;
    return CallObjectWindowProc(pWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        HWND hWndControl = reinterpret_cast<HWND>(lParam);
        if (hWndControl != nullptr && ReflectToChild(hWndControl, message, wParam, lParam, pResult))
            return true;
        UINT code = HIWORD(wParam);
        if (hWndControl == nullptr && code == 1)
            code = 0; // an accelerator's command is a command like any other
        return DispatchToMap(WM_COMMAND, code, LOWORD(wParam), message, wParam, lParam, pResult);
    }
    if (IsColourRequest(message) &&
        ReflectToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, pResult))
        return true;
    return DispatchToMap(message, 0, 0, message, wParam, lParam, pResult);
}

bool CWnd::ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult)
{
    // A dialog asks itself for its own background colour (WM_CTLCOLORDLG
    // with its own handle): that is no child's request.
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (pChild == nullptr || pChild == this)
        return false;
    return pChild->OnChildNotify(message, wParam, lParam, pResult) != FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
        return DispatchToMap(AFX_REFLECTED(WM_COMMAND), HIWORD(wParam), 0, message, wParam, lParam,
                             pResult);
    if (IsColourRequest(message))
        return DispatchToMap(AFX_REFLECTED(AFX_CTLCOLOR_ANY), 0, 0, message, wParam, lParam,
                             pResult);
    return FALSE;
}

void CWnd::OnWindowGone()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
    Detach();
}

LRESULT CWnd::OnHelp(WPARAM, LPARAM)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    bool topLevel = (GetStyle() & WS_CHILD) == 0;
    if (!topLevel || pMainWnd == nullptr || pMainWnd->m_hWnd == nullptr)
        return Default(); // a control passes it to its parent
    if (!ModifierKeyHeld())
        pMainWnd->SendMessage(WM_COMMAND, ID_HELP, 0);
    return TRUE;
}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE));
}

HFONT CWnd::GetFont() const
{
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

void CWnd::GetWindowText(CString& rString) const
{
    rString = AfxGetWindowText(m_hWnd);
}

void CWnd::SetWindowText(const char* lpszString)
{
    ::SetWindowTextA(m_hWnd, lpszString);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(RECT* lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::GetWindowRect(RECT* lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

HMENU CWnd::GetSystemMenu(BOOL bRevert) const
{
    return ::GetSystemMenu(m_hWnd, bRevert);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

HWND CWnd::GetSafeOwner(CWnd* pParent)
{
    CWnd* pWnd = pParent != nullptr ? pParent : AfxGetMainWnd();
    HWND hWnd = pWnd != nullptr ? pWnd->m_hWnd : nullptr;
    if (hWnd == nullptr)
        return nullptr;
    if (HWND hWndTop = GetAncestor(hWnd, GA_ROOT))
        hWnd = hWndTop;
    // While the main window runs a popup of its own, that popup owns the new
    // window; ending the new window then re-enables the right one.
    return GetLastActivePopup(hWnd);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndOwner =
        pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : GetWindow(m_hWnd, GW_OWNER);

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(
        MonitorFromWindow(hWndOwner != nullptr ? hWndOwner : m_hWnd, MONITOR_DEFAULTTONEAREST),
        &monitor);
    const RECT& area = monitor.rcWork;

    RECT around = area;
    if (hWndOwner != nullptr && IsWindowVisible(hWndOwner) && !::IsIconic(hWndOwner))
        ::GetWindowRect(hWndOwner, &around);

    RECT rect;
    ::GetWindowRect(m_hWnd, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = CentredStart(around.left, around.right - around.left, width, area.left, area.right);
    int y = CentredStart(around.top, around.bottom - around.top, height, area.top, area.bottom);
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.HasFailed();
}

void CWnd::DoDataExchange(CDataExchange*) {}
