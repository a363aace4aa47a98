// CDC: a device context. A context that the object created
// (CreateCompatibleDC) or was given with Attach is deleted with the object;
// one that is only lent to it must be taken back with Detach first.
//
// SelectObject returns the handle that was selected before, so that it can be
// selected back: dc.SelectObject(previous).
#pragma once

#include "Bitmap.h"
#include "Font.h"

class CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Takes hDC; a context held before is deleted first.
    BOOL Attach(HDC hDC);
    // Gives the context up without deleting it.
    HDC Detach();
    BOOL DeleteDC();
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // A memory context compatible with pDC (with the screen when null).
    BOOL CreateCompatibleDC(CDC* pDC);

    HFONT SelectObject(CFont* pFont);
    HBITMAP SelectObject(CBitmap* pBitmap);
    HGDIOBJ SelectObject(HGDIOBJ hObject);

    COLORREF SetTextColor(COLORREF crColor);
    int SetBkMode(int nBkMode);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);
    BOOL DrawIcon(int x, int y, HICON hIcon);

    HDC m_hDC = nullptr;
};
