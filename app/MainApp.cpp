#include "MainApp.h"

#include "ui/MainDlg.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CMainApp, CWinApp)
END_MESSAGE_MAP()

CMainApp theApp;

CMainApp::CMainApp() = default;

CMainApp::~CMainApp() = default;

BOOL CMainApp::InitInstance()
{
    // Registers the common control classes; with the manifest's request for
    // version 6 the dialogs' controls get the system's visual style.
    InitCommonControls();
    CWinApp::InitInstance();
    // Names where settings would go; the program keeps none, so nothing is
    // ever written there.
    SetRegistryKey("Local AppWizard-Generated Applications");

    CMainDlg dlg(nullptr);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    // The dialog has ended: no message loop is to run, the program ends.
    return FALSE;
}
