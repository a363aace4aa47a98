// Fixtures for the window-layer tests: the test program's application
// object, plain windows to stand in for a main window, a dialog that runs a
// test inside its own modal loop, a recorder for message boxes, and a helper
// that answers a modal window from another thread.
#pragma once

#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/Static.h"
#include "framework/WinApp.h"

#include <functional>
#include <string>
#include <thread>
#include <vector>

class CTestApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

    std::function<BOOL()> m_onInitInstance;
    int m_nExitInstanceCalls = 0;
};

// The test program's one application object, registered at start-up.
CTestApp& TestApp();

// A window of a plain class (DefWindowProc), for objects to subclass.
HWND CreatePlainWindow(const RECT& place, DWORD style, HWND hWndParent = nullptr, int nID = 0);

// A plain top-level window with an object of its own.
class CTestWindow : public CWnd {
public:
    explicit CTestWindow(const RECT& place = {100, 100, 600, 500},
                         DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE);
};

// A main window that binds ID_HELP, counts the commands, and runs m_onHelp
// after each.
class CHelpMainWnd : public CTestWindow {
public:
    int m_nHelpCommands = 0;
    std::function<void()> m_onHelp;

protected:
    afx_msg void OnHelpCommand();
    DECLARE_MESSAGE_MAP()
};

// Makes a window the application's main window for one scope.
class CMainWndScope {
public:
    explicit CMainWndScope(CWnd* pWnd);
    ~CMainWndScope();

private:
    CWnd* m_pPrevious;
};

// A dialog that runs a test inside its own modal loop: m_onInit at the end
// of OnInitDialog, m_script once the dialog is up. The script ends the
// dialog; a watchdog ends it with kTimedOut after 10 s so that nothing hangs,
// also when the dialog's own code never runs.
class CScriptedDialog : public CDialog {
public:
    static const int kTimedOut = -2;
    using Script = std::function<void(CScriptedDialog&)>;

    explicit CScriptedDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;

    Script m_onInit;
    Script m_script;

    HWND Item(int nID) const { return ::GetDlgItem(m_hWnd, nID); }

protected:
    afx_msg LRESULT OnRunScript(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD);
};

// A scripted dialog that exchanges a number (1 to 1000000) with IDC_NUMBER.
class CNumberDialog : public CScriptedDialog {
public:
    using CScriptedDialog::CScriptedDialog;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_nValue = 650;
};

// IDD_EXCHANGE with the number, then a text field and a control, so that the
// steps skipped after a failed check show.
class CExchangeDialog : public CNumberDialog {
public:
    CExchangeDialog();
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strText;
    CStatic m_link;
};

struct RecordedBox {
    std::string text;
    UINT type;
};

// Routes every AfxMessageBox to a list for one scope, answering IDOK.
class CBoxRecorder {
public:
    CBoxRecorder();
    ~CBoxRecorder();
    const std::vector<RecordedBox>& Boxes() const;
    void Clear();
};

// Waits on a thread of its own for a visible dialog window (#32770) of this
// process that `accept` approves of, and hands it to `answer`. It gives up
// after 10 s, so that a broken test fails instead of waiting for a person.
class CModalAnswerer {
public:
    CModalAnswerer(std::function<bool(HWND)> accept, std::function<void(HWND)> answer);
    ~CModalAnswerer();
    // Waits for the helper; true when it answered a window.
    bool Wait();

private:
    std::thread m_thread;
    bool m_bAnswered = false;
};

std::string WindowText(HWND hWnd);
