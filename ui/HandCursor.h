// The hand cursor over what can be clicked. Each dialog answers WM_SETCURSOR
// itself by one rule: the hand when the window under the mouse is the one
// that can be clicked (a link, or a whole picture window), else the default
// cursor of whatever lies under the mouse.
#pragma once

class CWnd;

// Shows the program's hand cursor when pWndUnderMouse is pClickable; true
// when it did, so that the caller's WM_SETCURSOR handler returns TRUE.
bool ShowHandCursorOver(const CWnd* pWndUnderMouse, const CWnd* pClickable);
