// CStartDialog: the start screen. A frameless picture window that the main
// dialog shows once, shortly after it has opened: it shows the product
// picture for 4 seconds and then closes by itself. A click on it opens the
// maker's home page; Enter, Esc and a close request leave it open.
#pragma once

#include "framework/Dialog.h"

class CStartDialog : public CDialog {
    DECLARE_DYNAMIC(CStartDialog)
public:
    explicit CStartDialog(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()
};
