// CPaintDC: the context of one WM_PAINT, from BeginPaint in the constructor
// to EndPaint in the destructor. Only a WM_PAINT handler makes one.
#pragma once

#include "DC.h"

class CWnd;

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};
