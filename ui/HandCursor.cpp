#include "HandCursor.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "res/resource.h"

bool ShowHandCursorOver(const CWnd* pWndUnderMouse, const CWnd* pClickable)
{
    if (pWndUnderMouse == nullptr || pWndUnderMouse != pClickable)
        return false;
    // Loading a cursor of the program's own resources hands out the one
    // shared handle; there is nothing to release.
    ::SetCursor(::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_HANDCURSOR)));
    return true;
}
