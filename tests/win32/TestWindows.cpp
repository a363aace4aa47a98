#include "TestWindows.h"
#include "framework/FrameworkIds.h"
#include "framework/MessageBox.h"
#include "TestResources.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

CTestApp theTestApp;

const UINT WM_RUN_SCRIPT = WM_APP + 0x300;
const UINT kWatchdogMs = 10000;
// The dialog being run. Its watchdog is a thread timer, which the modal loop
// dispatches whatever the dialog's own code does.
CScriptedDialog* g_pWatchedDialog = nullptr;
const char kPlainClass[] = "ParvionTestPlainWindow";

std::vector<RecordedBox>& RecordedBoxes()
{
    static std::vector<RecordedBox> boxes;
    return boxes;
}

int RecordBox(const char* text, UINT type)
{
    RecordedBoxes().push_back({text, type});
    return IDOK;
}

} // namespace

CTestApp& TestApp()
{
    return theTestApp;
}

BOOL CTestApp::InitInstance()
{
    return m_onInitInstance ? m_onInitInstance() : CWinApp::InitInstance();
}

int CTestApp::ExitInstance()
{
    ++m_nExitInstanceCalls;
    return CWinApp::ExitInstance();
}

HWND CreatePlainWindow(const RECT& place, DWORD style, HWND hWndParent, int nID)
{
    static const ATOM registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // the arrow
        windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        windowClass.lpszClassName = kPlainClass;
        return RegisterClassA(&windowClass);
    }();
    (void)registered;
    HMENU menuOrId =
        (style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)) : nullptr;
    return CreateWindowExA(0, kPlainClass, "plain", style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, hWndParent, menuOrId,
                           GetModuleHandleA(nullptr), nullptr);
}

CTestWindow::CTestWindow(const RECT& place, DWORD style)
{
    SubclassWindow(CreatePlainWindow(place, style));
}

BEGIN_MESSAGE_MAP(CHelpMainWnd, CTestWindow)
ON_COMMAND(ID_HELP, &CHelpMainWnd::OnHelpCommand)
END_MESSAGE_MAP()

void CHelpMainWnd::OnHelpCommand()
{
    ++m_nHelpCommands;
    if (m_onHelp)
        m_onHelp();
}

CMainWndScope::CMainWndScope(CWnd* pWnd) : m_pPrevious(TestApp().m_pMainWnd)
{
    TestApp().m_pMainWnd = pWnd;
}

CMainWndScope::~CMainWndScope()
{
    TestApp().m_pMainWnd = m_pPrevious;
}

BEGIN_MESSAGE_MAP(CScriptedDialog, CDialog)
ON_MESSAGE(WM_RUN_SCRIPT, &CScriptedDialog::OnRunScript)
END_MESSAGE_MAP()

CScriptedDialog::CScriptedDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

INT_PTR CScriptedDialog::DoModal()
{
    CScriptedDialog* pOuter = g_pWatchedDialog;
    g_pWatchedDialog = this;
    UINT_PTR timer = ::SetTimer(nullptr, 0, kWatchdogMs, &Watchdog);
    INT_PTR result = CDialog::DoModal();
    ::KillTimer(nullptr, timer);
    g_pWatchedDialog = pOuter;
    return result;
}

void CALLBACK CScriptedDialog::Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pWatchedDialog == nullptr || g_pWatchedDialog->m_hWnd == nullptr)
        return;
    ADD_FAILURE() << "the dialog's script did not end it";
    ::EndDialog(g_pWatchedDialog->m_hWnd, kTimedOut);
}

BOOL CScriptedDialog::OnInitDialog()
{
    BOOL result = CDialog::OnInitDialog();
    PostMessage(WM_RUN_SCRIPT);
    if (m_onInit)
        m_onInit(*this);
    return result;
}

LRESULT CScriptedDialog::OnRunScript(WPARAM, LPARAM)
{
    if (m_script)
        m_script(*this);
    return 0;
}

void CNumberDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_NUMBER, m_nValue);
    DDV_MinMaxInt(pDX, m_nValue, 1, 1000000);
}

CExchangeDialog::CExchangeDialog() : CNumberDialog(IDD_EXCHANGE) {}

void CExchangeDialog::DoDataExchange(CDataExchange* pDX)
{
    CNumberDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEXT, m_strText);
    DDX_Control(pDX, IDC_LINK, m_link);
}

CBoxRecorder::CBoxRecorder()
{
    RecordedBoxes().clear();
    AfxSetMessageBoxHandler(&RecordBox);
}

CBoxRecorder::~CBoxRecorder()
{
    AfxSetMessageBoxHandler(nullptr);
    RecordedBoxes().clear();
}

const std::vector<RecordedBox>& CBoxRecorder::Boxes() const
{
    return RecordedBoxes();
}

void CBoxRecorder::Clear()
{
    RecordedBoxes().clear();
}

namespace {

struct Search {
    const std::function<bool(HWND)>* accept;
    HWND found;
};

BOOL CALLBACK ConsiderWindow(HWND hWnd, LPARAM lParam)
{
    Search* search = reinterpret_cast<Search*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    char className[16] = "";
    GetClassNameA(hWnd, className, sizeof(className));
    if (processId == GetCurrentProcessId() && IsWindowVisible(hWnd) &&
        lstrcmpA(className, "#32770") == 0 && (*search->accept)(hWnd)) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

CModalAnswerer::CModalAnswerer(std::function<bool(HWND)> accept, std::function<void(HWND)> answer)
{
    m_thread = std::thread([this, accept, answer] {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            Search search = {&accept, nullptr};
            EnumWindows(&ConsiderWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                answer(search.found);
                m_bAnswered = true;
                return;
            }
            Sleep(20);
        }
    });
}

CModalAnswerer::~CModalAnswerer()
{
    Wait();
}

bool CModalAnswerer::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_bAnswered;
}

std::string WindowText(HWND hWnd)
{
    return std::string(AfxGetWindowText(hWnd));
}
