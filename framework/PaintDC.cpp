#include "PaintDC.h"
#include "Wnd.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->GetSafeHwnd())
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    // The context belongs to the window's paint cycle: EndPaint releases it.
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
