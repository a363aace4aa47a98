#include "WinApp.h"
#include "FrameworkIds.h"
#include "MessageBox.h"
#include "Wnd.h"

namespace {

CWinApp* g_pApp = nullptr;

// Message boxes shown on the application's thread belong to its main window
// (or the popup that it runs); a worker's boxes belong to nobody.
HWND MessageBoxOwner()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && GetCurrentThreadId() == pApp->m_nThreadID ? CWnd::GetSafeOwner()
                                                                        : nullptr;
}

CString LoadAppTitle(HINSTANCE hResources)
{
    char title[256];
    if (LoadStringA(hResources, AFX_IDS_APP_TITLE, title, sizeof(title)) > 0)
        return CString(title);
    AfxSetAppTitle(""); // derived afresh from the executable's name
    return AfxGetAppTitle();
}

} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* lpszAppName)
    : m_hInstance(GetModuleHandleA(nullptr)), m_nThreadID(GetCurrentThreadId()),
      m_strAppName(lpszAppName)
{
    g_pApp = this;
    AfxSetMessageBoxOwnerQuery(&MessageBoxOwner);
}

CWinApp::~CWinApp()
{
    if (g_pApp == this) {
        AfxSetMessageBoxOwnerQuery(nullptr);
        g_pApp = nullptr;
    }
}

void CWinApp::InitApplication(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    if (m_strAppName.IsEmpty())
        m_strAppName = LoadAppTitle(AfxGetResourceHandle());
    m_pszAppName = m_strAppName;
    AfxSetAppTitle(m_strAppName);
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::SetRegistryKey(const char* lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp != nullptr && g_pApp->m_hInstance != nullptr ? g_pApp->m_hInstance
                                                               : GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->InitApplication(hInstance);
    // InitInstance returns FALSE once the program's work is done; the layer
    // has no message loop to run either way.
    pApp->InitInstance();
    return pApp->ExitInstance();
}
