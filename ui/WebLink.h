// CWebLink: a static text control of a dialog, shown and used as a web link.
// Its text is drawn underlined, blue until an open of the address succeeded
// and purple from then on; a click opens the address, which is the control's
// window text at the first click.
//
// The owning dialog attaches it with SubclassDlgItem before its base
// OnInitDialog, and shows the hand cursor over it from its own WM_SETCURSOR
// handler: the link sets no cursor itself.
#pragma once

#include "framework/Font.h"
#include "framework/Static.h"
#include "framework/String.h"

class CWebLink : public CStatic {
    DECLARE_DYNAMIC(CWebLink)
public:
    CWebLink();
    ~CWebLink() override;

protected:
    // The static's colour request, reflected back from the dialog on every
    // paint. A null brush leaves the control to the dialog's own colours.
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    // The static's click notification, reflected back; the dialog never sees it.
    afx_msg void OnLinkClicked();

    DECLARE_MESSAGE_MAP()

private:
    void CreateUnderlineFont();

    COLORREF m_crUnvisited;
    COLORREF m_crVisited;
    BOOL m_bVisited;
    CString m_strURL;
    CFont m_fontUnderline;
};
