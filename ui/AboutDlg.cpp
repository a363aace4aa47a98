#include "AboutDlg.h"

#include "HandCursor.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

// The link is attached before the base initialisation, so that it is in
// place when the box first paints. The focus then goes to OK, the box's only
// tab stop.
BOOL CAboutDlg::OnInitDialog()
{
    m_webLink.SubclassDlgItem(IDC_ABOUT_LINK, this);
    return CDialog::OnInitDialog();
}

// Only the link can be clicked.
BOOL CAboutDlg::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (ShowHandCursorOver(pWnd, &m_webLink))
        return TRUE;
    return CDialog::OnSetCursor(pWnd, nHitTest, message);
}
