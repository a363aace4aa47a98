// CMainDlg: the program's main window, a modal dialog on the template
// IDD_MAIN. The user sets the piece size, starts a split or a merge, watches
// the two status lines and stops the job; the copying itself runs in one
// worker thread at a time.
//
// The window and the worker share only the job state (CJobState), which is
// reference-counted: the dialog holds one reference for its whole life and
// each worker another until its last act. Close waits for a worker only so
// long, so a worker may outlive the window, and even the dialog object; it
// then still finds its state alive, and its posts go nowhere.
#pragma once

#include "WebLink.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Static.h"

class CFileDialog;
class CJobState;

class CMainDlg : public CDialog {
public:
    explicit CMainDlg(CWnd* pParent = nullptr);
    ~CMainDlg() override;

    // Runs the dialog; once its window is gone, a worker that is still
    // alive posts nowhere.
    INT_PTR DoModal() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnSplit();
    afx_msg void OnCloseDialog();
    afx_msg void OnMerge();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnStop();
    afx_msg LRESULT OnJobEnded(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnJobStatus(WPARAM wParam, LPARAM lParam);
    afx_msg void OnHelpButton();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()

private:
    void AddAboutEntryToSystemMenu();
    // Closes the handle of the last worker, if one is held.
    void CloseWorkerHandle();
    // Shows the open-file dialog and stores the chosen path in the job state.
    bool ChooseSourceFile(CFileDialog& dialog);
    // The overwrite question for an existing merge destination; false for No.
    bool ConfirmOverwrite(const CString& basePath);
    void StartWorker(LPTHREAD_START_ROUTINE pfnWorker);

    HICON m_hIcon;
    DWORD m_dwWorkerId;
    HANDLE m_hWorker;
    int m_nPieceSizeMB;
    CJobState* m_pJob;
    CString m_strActionShown;
    CString m_strProgressShown;
    CWebLink m_webLink;
    CButton m_btnSplit;
    CButton m_btnMerge;
    CButton m_btnStop;
    CStatic m_staticInfo;
};
