// CWnd: the object of one window. It wraps the handle m_hWnd and, once it has
// subclassed the window, receives the window's messages through its message
// map; what no entry handles goes on to the window's previous procedure.
//
// Objects and handles: the layer finds a window's object through one
// process-wide map from handle to object. A window that has no object of its
// own gets a temporary wrapper from FromHandle, valid until the message being
// handled returns. When a window is destroyed its object lets go of it
// (m_hWnd becomes null), and is not touched by the window again.
//
// Reflection: a WM_COMMAND notification or a WM_CTLCOLOR* request that a
// parent receives from a child is first offered to the child's own object
// (ON_CONTROL_REFLECT, ON_WM_CTLCOLOR_REFLECT). What the child handles stops
// there; a null brush counts as not handled and goes on to the parent.
//
// F1: the platform turns F1 into WM_HELP, which climbs from the focused
// control to its top-level window. A top-level window of the program answers
// it with the command ID_HELP to the application's main window, unless Shift,
// Ctrl or Alt is held, and does not pass it on, so that it is not sent again
// by an owner higher up.
//
// Handlers must not throw: the window procedures are noexcept, so an exception
// ends the program where it leaves the handler instead of unwinding through
// the platform's code. Short of running out of memory, the layer itself
// throws nothing.
#pragma once

#include "CmdTarget.h"
#include "DC.h"
#include "Point.h"
#include "String.h"

class CDataExchange;

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    // Destroys a window that is still attached, after giving it back its
    // previous window procedure.
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The window's own object, or else a temporary wrapper that lives until
    // the outermost message being handled on this thread returns. Null for a
    // null handle.
    static CWnd* FromHandle(HWND hWnd);
    // The window's own object only.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Binds the object to a window without taking its messages.
    BOOL Attach(HWND hWnd);
    // Lets go of the window (and gives back its window procedure).
    HWND Detach();
    // Binds the object to a window and routes the window's messages through
    // the object's message map. Fails for a window that has an object already.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);

    DWORD GetStyle() const;
    // The font the window draws with (WM_GETFONT); null for the system font.
    HFONT GetFont() const;
    void GetWindowText(CString& rString) const;
    void SetWindowText(const char* lpszString);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsIconic() const;
    void GetClientRect(RECT* lpRect) const;
    void GetWindowRect(RECT* lpRect) const;
    void Invalidate(BOOL bErase = TRUE);
    // The child window with id nID (see FromHandle); null if there is none.
    CWnd* GetDlgItem(int nID) const;
    // The system menu (GetSystemMenu); null for a window without one.
    HMENU GetSystemMenu(BOOL bRevert) const;
    // WM_SETICON: the big (ICON_BIG) or the small (ICON_SMALL) icon.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Centres a top-level window over its owner (or pAlternateOwner), or in
    // the work area when there is no visible owner, keeping it inside the
    // work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // Runs DoDataExchange: loading (FALSE) writes members into controls;
    // saving (TRUE) reads and validates them, and returns FALSE after a
    // failed check, which the user has been told about.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Default handling of the message being handled: the window's previous
    // procedure, with that message's arguments.
    LRESULT Default();

    // The owner for a modal window or message box: pParent, or else the
    // application's main window; its top-level window, or the popup that
    // window last activated. Null when there is none.
    static HWND GetSafeOwner(CWnd* pParent = nullptr);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Offers a notification or colour request from this window to its own
    // reflected entries; true when one handled it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

protected:
    // Handlers that pass their message on to default handling. A derived
    // handler calls them when it leaves a case to the platform.
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

    // For CDialog: the dialog window that the thread creates next is taken
    // over by pWnd at its first message (WM_SETFONT comes before
    // WM_INITDIALOG, before the creating call has returned the handle).
    static void HookWindowCreate(CWnd* pWnd);
    static void UnhookWindowCreate();
    static INT_PTR CALLBACK TakeOverDlgProc(HWND hWnd, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;

    DECLARE_MESSAGE_MAP()

private:
    afx_msg LRESULT OnHelp(WPARAM wParam, LPARAM lParam);

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    bool ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT* pResult);
    void OnWindowGone();

    static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    static LRESULT CallObjectWindowProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr; // the procedure the window had before subclassing
};

// The whole text of a window.
CString AfxGetWindowText(HWND hWnd);

// Thunks for the window messages whose handlers have fixed names. The
// handler's address is taken in the message map, inside the class, so that a
// protected handler can be bound.
template <class T> struct AfxWindowThunks {
    template <auto Handler>
    static bool Paint(CCmdTarget* target, UINT, WPARAM, LPARAM, LRESULT* result)
    {
        void (T::*handler)() = Handler;
        (static_cast<T*>(target)->*handler)();
        *result = 0;
        return true;
    }

    template <auto Handler>
    static bool Timer(CCmdTarget* target, UINT, WPARAM wParam, LPARAM, LRESULT* result)
    {
        void (T::*handler)(UINT_PTR) = Handler;
        (static_cast<T*>(target)->*handler)(static_cast<UINT_PTR>(wParam));
        *result = 0;
        return true;
    }

    template <auto Handler>
    static bool SysCommand(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam, LRESULT* result)
    {
        void (T::*handler)(UINT, LPARAM) = Handler;
        (static_cast<T*>(target)->*handler)(static_cast<UINT>(wParam), lParam);
        *result = 0;
        return true;
    }

    template <auto Handler>
    static bool QueryDragIcon(CCmdTarget* target, UINT, WPARAM, LPARAM, LRESULT* result)
    {
        HCURSOR (T::*handler)() = Handler;
        *result = reinterpret_cast<LRESULT>((static_cast<T*>(target)->*handler)());
        return true;
    }

    template <auto Handler>
    static bool Cursor(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam, LRESULT* result)
    {
        BOOL (T::*handler)(CWnd*, UINT, UINT) = Handler;
        CWnd* pWnd = CWnd::FromHandle(reinterpret_cast<HWND>(wParam));
        *result = (static_cast<T*>(target)->*handler)(pWnd, LOWORD(lParam), HIWORD(lParam));
        return true;
    }

    // The handler may take the point as a CPoint or as a POINT.
    template <auto Handler>
    static bool LButtonDown(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam, LRESULT* result)
    {
        // Client coordinates are signed: left of or above the client area
        // they are negative.
        CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        (static_cast<T*>(target)->*Handler)(static_cast<UINT>(wParam), point);
        *result = 0;
        return true;
    }

    template <auto Handler>
    static bool CtlColorReflect(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM,
                                LRESULT* result)
    {
        HBRUSH (T::*handler)(CDC*, UINT) = Handler;
        CDC dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        HBRUSH brush = (static_cast<T*>(target)->*handler)(&dc, message - WM_CTLCOLORMSGBOX);
        dc.Detach(); // the context is the sender's
        *result = reinterpret_cast<LRESULT>(brush);
        return brush != nullptr;
    }
};

// void OnPaint()
#define ON_WM_PAINT() {WM_PAINT, 0, 0, &AfxWindowThunks<ThisClass>::Paint<&ThisClass::OnPaint>},
// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER() {WM_TIMER, 0, 0, &AfxWindowThunks<ThisClass>::Timer<&ThisClass::OnTimer>},
// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND()                                                                         \
    {WM_SYSCOMMAND, 0, 0, &AfxWindowThunks<ThisClass>::SysCommand<&ThisClass::OnSysCommand>},
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, 0,                                                                       \
     &AfxWindowThunks<ThisClass>::QueryDragIcon<&ThisClass::OnQueryDragIcon>},
// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
#define ON_WM_SETCURSOR()                                                                          \
    {WM_SETCURSOR, 0, 0, &AfxWindowThunks<ThisClass>::Cursor<&ThisClass::OnSetCursor>},
// void OnLButtonDown(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONDOWN()                                                                        \
    {WM_LBUTTONDOWN, 0, 0, &AfxWindowThunks<ThisClass>::LButtonDown<&ThisClass::OnLButtonDown>},
// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor): this control's colour request,
// reflected from its parent; nCtlColor is CTLCOLOR_STATIC, CTLCOLOR_EDIT, ...
// A null brush leaves the request to the parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    {AFX_REFLECTED(AFX_CTLCOLOR_ANY), 0, 0,                                                        \
     &AfxWindowThunks<ThisClass>::CtlColorReflect<&ThisClass::CtlColor>},
