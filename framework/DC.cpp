#include "DC.h"

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr)
        return FALSE;
    DeleteDC();
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr));
}

HFONT CDC::SelectObject(CFont* pFont)
{
    return static_cast<HFONT>(SelectObject(pFont->GetSafeHandle()));
}

HBITMAP CDC::SelectObject(CBitmap* pBitmap)
{
    return static_cast<HBITMAP>(SelectObject(pBitmap->GetSafeHandle()));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (m_hDC == nullptr || hObject == nullptr)
        return nullptr;
    return ::SelectObject(m_hDC, hObject);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return ::SetTextColor(m_hDC, crColor);
}

int CDC::SetBkMode(int nBkMode)
{
    return ::SetBkMode(m_hDC, nBkMode);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc,
                    ySrc, dwRop);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}
