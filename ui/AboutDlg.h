// CAboutDlg: the About box, opened from the main dialog's system menu. It
// shows the program's icon, version, maker and author, and the maker's web
// address as a link. A new box, with a link not yet followed, is made for
// every opening.
#pragma once

#include "WebLink.h"
#include "framework/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    BOOL OnInitDialog() override;

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()

private:
    CWebLink m_webLink;
};
