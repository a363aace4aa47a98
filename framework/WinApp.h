// CWinApp: the one application object. The program defines it as a global,
// whose constructor registers it during static initialisation; the layer's
// WinMain then drives it:
//
//   1. the application's title is settled: the string AFX_IDS_APP_TITLE of the
//      program's resources if it has one, else the executable's file name
//      without extension; every message box carries it as caption;
//   2. InitInstance runs; the program's life is what it does (a modal main
//      dialog);
//   3. ExitInstance runs, and its result is the exit code. The layer runs no
//      message loop of its own.
//
// m_pMainWnd, the main window, owns the dialogs and message boxes opened
// without a parent on the application's thread, and receives ID_HELP when F1
// is pressed in any of the program's windows. It is cleared when that window
// is destroyed.
#pragma once

#include "CmdTarget.h"
#include "String.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    // lpszAppName: the application's title; null to derive it at start-up.
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Names the registry location of the application's settings. Only the
    // name is kept: nothing is read or written there.
    void SetRegistryKey(const char* lpszRegistryKey);

    // An icon or cursor from the program's resources.
    HICON LoadIcon(UINT nIDResource) const;
    HCURSOR LoadCursor(UINT nIDResource) const;

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    const char* m_pszAppName = nullptr;
    const char* m_pszRegistryKey = nullptr;
    DWORD m_nThreadID; // the application's thread: the one that built the object

    DECLARE_MESSAGE_MAP()

private:
    friend int AfxWinMain(HINSTANCE, HINSTANCE, LPSTR, int);
    void InitApplication(HINSTANCE hInstance);

    CString m_strAppName;
    CString m_strRegistryKey;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// Where dialog templates, icons, cursors, bitmaps and strings come from.
HINSTANCE AfxGetResourceHandle();

// What the layer's WinMain does (see above). Returns -1 when the program
// defines no application object.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
