// CDialog: a modal dialog made from a dialog template in the program's
// resources, run on the platform's modal loop.
//
// DoModal creates the window, and the object takes it over before its first
// message. A dialog without a parent is owned by the application's main window,
// which stays disabled while the dialog runs. Once OnInitDialog has returned,
// a dialog whose template puts it at (0, 0) without DS_CENTER, and that its
// initialisation neither moved nor showed, is centred over its owner (or in
// the work area) before it appears.
//
// The commands IDOK and IDCANCEL go to the virtual OnOK and OnCancel unless the
// derived class's map binds them itself.
#pragma once

#include "Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog until EndDialog; returns its result, or -1 when the
    // dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // Runs UpdateData(FALSE); shows the control ID_HELP only when the main
    // window or the application binds the command ID_HELP, and hides it
    // otherwise. TRUE: the platform puts the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // UpdateData(TRUE), and EndDialog(IDOK) when it succeeded.
    virtual void OnOK();
    // EndDialog(IDCANCEL).
    virtual void OnCancel();

protected:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    bool TemplateAsksForCentring() const;
};
