#include "DialogDriver.h"

#include "framework/WinApp.h"
#include "ui/WebBrowser.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

namespace {

// The explorer-style open dialog's file-name box (cmb13).
const int kFileNameBox = 0x47C;
const int kMessageBoxText = 0xFFFF;

const UINT WM_INVOKE = WM_APP + 1; // lParam: the std::function to run
const UINT WM_FLUSH = WM_APP + 2;  // lParam: the event to set

LRESULT CALLBACK InvokerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INVOKE) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    if (message == WM_FLUSH) {
        SetEvent(reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// A message-only window of the window thread, through which the script runs
// code on that thread.
HWND CreateInvoker()
{
    static const char kClass[] = "ParvionTestInvoker";
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &InvokerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc); // fails harmlessly from the second run on
    return CreateWindowA(kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

bool IsDialogOfThisProcess(HWND hWnd)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    return processId == GetCurrentProcessId() && ClassNameOf(hWnd) == "#32770";
}

BOOL CALLBACK CollectDialog(HWND hWnd, LPARAM lParam)
{
    if (IsDialogOfThisProcess(hWnd))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

HWND FirstOf(const std::vector<HWND>& windows)
{
    return windows.empty() ? nullptr : windows.front();
}

// What the browser recorder saw; the program calls it on the window thread.
struct BrowserLog {
    std::mutex lock;
    bool bOpens = true;
    std::vector<std::string> opened;
    int beeps = 0;
};

BrowserLog& TheBrowserLog()
{
    static BrowserLog log;
    return log;
}

bool RecordOpen(const char* address)
{
    BrowserLog& log = TheBrowserLog();
    std::lock_guard<std::mutex> hold(log.lock);
    log.opened.push_back(address);
    return log.bOpens;
}

void RecordBeep()
{
    BrowserLog& log = TheBrowserLog();
    std::lock_guard<std::mutex> hold(log.lock);
    ++log.beeps;
}

// The test program's application object: the dialog under test is its main
// window, which owns the message boxes of the window thread, as in the
// program.
class CTestApp : public CWinApp {};

CTestApp theTestApp;

} // namespace

std::string WindowText(HWND hWnd)
{
    char text[1024] = "";
    GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

std::string ClassNameOf(HWND hWnd)
{
    char name[64] = "";
    GetClassNameA(hWnd, name, sizeof(name));
    return name;
}

std::vector<HWND> AllDialogs()
{
    std::vector<HWND> dialogs;
    EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

std::vector<HWND> VisibleDialogs()
{
    std::vector<HWND> visible;
    for (HWND hWnd : AllDialogs()) {
        if (IsWindowVisible(hWnd))
            visible.push_back(hWnd);
    }
    return visible;
}

std::string BoxText(HWND hBox)
{
    return WindowText(GetDlgItem(hBox, kMessageBoxText));
}

bool IsMessageBox(HWND hWnd)
{
    return GetDlgItem(hWnd, kMessageBoxText) != nullptr;
}

bool IsFileDialog(HWND hWnd)
{
    return GetDlgItem(hWnd, kFileNameBox) != nullptr;
}

void Answer(HWND hDlg, int id)
{
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDlg, id)));
}

bool ChooseFile(HWND hFileDlg, const std::string& path)
{
    SetDlgItemTextA(hFileDlg, kFileNameBox, path.c_str());
    PostMessageA(hFileDlg, WM_COMMAND, IDOK, 0);
    return WaitFor([hFileDlg] { return !IsWindow(hFileDlg); });
}

CDialogDriver::CDialogDriver(DWORD windowThreadId, HWND hWndInvoker)
    : m_windowThreadId(windowThreadId), m_hWndInvoker(hWndInvoker)
{
}

HWND CDialogDriver::WaitForDialog()
{
    WaitFor([this] {
        for (HWND hWnd : VisibleDialogs()) {
            if (GetWindowThreadProcessId(hWnd, nullptr) == m_windowThreadId &&
                GetWindow(hWnd, GW_OWNER) == nullptr) {
                m_hDialog = hWnd;
                return true;
            }
        }
        return false;
    });
    return m_hDialog;
}

std::vector<HWND> CDialogDriver::OwnedDialogs(HWND hOwner) const
{
    std::vector<HWND> owned;
    for (HWND hWnd : AllDialogs()) {
        if (GetWindow(hWnd, GW_OWNER) == hOwner)
            owned.push_back(hWnd);
    }
    return owned;
}

HWND CDialogDriver::WaitForOwnedDialog(HWND hOwner, DWORD boundMs) const
{
    HWND hFound = nullptr;
    WaitFor(
        [&] {
            for (HWND hWnd : OwnedDialogs(hOwner)) {
                if (IsWindowVisible(hWnd))
                    hFound = hWnd;
            }
            return hFound != nullptr;
        },
        boundMs);
    return hFound;
}

std::vector<HWND> CDialogDriver::WorkerBoxes() const
{
    std::vector<HWND> boxes;
    for (HWND hWnd : VisibleDialogs()) {
        if (GetWindowThreadProcessId(hWnd, nullptr) != m_windowThreadId && IsMessageBox(hWnd))
            boxes.push_back(hWnd);
    }
    return boxes;
}

HWND CDialogDriver::WaitForWorkerBox(DWORD boundMs) const
{
    HWND hFound = nullptr;
    WaitFor([&] { return (hFound = FirstOf(WorkerBoxes())) != nullptr; }, boundMs);
    return hFound;
}

void CDialogDriver::Click(int id) const
{
    PostMessageA(Item(id), BM_CLICK, 0, 0);
}

void CDialogDriver::SetText(int id, const std::string& text) const
{
    SetWindowTextA(Item(id), text.c_str());
}

std::string CDialogDriver::Text(int id) const
{
    return WindowText(Item(id));
}

bool CDialogDriver::Enabled(int id) const
{
    return IsWindowEnabled(Item(id)) != FALSE;
}

void CDialogDriver::PressKey(HWND hWnd, UINT vk) const
{
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyA(vk, 0)) << 16;
    PostMessageA(hWnd, WM_KEYDOWN, vk, scanCode | 1);
    PostMessageA(hWnd, WM_KEYUP, vk, scanCode | 1 | (1u << 30) | (1u << 31));
}

void CDialogDriver::TypeKey(UINT vk) const
{
    SetForegroundWindow(m_hDialog);
    keybd_event(static_cast<BYTE>(vk), 0, 0, 0);
    keybd_event(static_cast<BYTE>(vk), 0, KEYEVENTF_KEYUP, 0);
}

void CDialogDriver::OnWindowThread(const std::function<void()>& fn) const
{
    SendMessageA(m_hWndInvoker, WM_INVOKE, 0, reinterpret_cast<LPARAM>(&fn));
}

bool CDialogDriver::Flush() const
{
    HANDLE handled = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    PostMessageA(m_hWndInvoker, WM_FLUSH, 0, reinterpret_cast<LPARAM>(handled));
    const bool bHandled = WaitForSingleObject(handled, kWaitBoundMs) == WAIT_OBJECT_0;
    // A marker still queued after the bound would set a closed event: keep it.
    if (bHandled)
        CloseHandle(handled);
    return bHandled;
}

void CDialogDriver::CloseEverything()
{
    // Boxes and file dialogs first (a worker's too), then the dialog itself,
    // whose Close may wait for a worker that is still in its box.
    WaitFor([this] {
        std::vector<HWND> open = VisibleDialogs();
        for (HWND hWnd : open) {
            if (hWnd == m_hDialog)
                continue;
            Answer(hWnd, IsMessageBox(hWnd) && GetDlgItem(hWnd, IDNO) ? IDNO : IDCANCEL);
        }
        if (open.size() == 1 && open.front() == m_hDialog)
            Answer(m_hDialog, IDCANCEL);
        Sleep(100);
        return VisibleDialogs().empty();
    });
}

INT_PTR RunDialog(CDialog& dialog, const std::function<void(CDialogDriver&)>& script)
{
    HWND hWndInvoker = CreateInvoker();
    CDialogDriver driver(GetCurrentThreadId(), hWndInvoker);
    HANDLE scriptDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread helper([&] {
        if (driver.WaitForDialog() != nullptr)
            script(driver);
        else
            ADD_FAILURE() << "the dialog did not come up";
        driver.CloseEverything();
        SetEvent(scriptDone);
    });

    CWinApp* pApp = AfxGetApp();
    pApp->m_pMainWnd = &dialog;
    const INT_PTR result = dialog.DoModal();
    pApp->m_pMainWnd = nullptr;

    // The script may still ask this thread to run something: keep answering
    // until it has finished.
    while (MsgWaitForMultipleObjects(1, &scriptDone, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    helper.join();
    CloseHandle(scriptDone);
    DestroyWindow(hWndInvoker);
    return result;
}

CBrowserRecorder::CBrowserRecorder(bool bOpens)
{
    BrowserLog& log = TheBrowserLog();
    {
        std::lock_guard<std::mutex> hold(log.lock);
        log.bOpens = bOpens;
        log.opened.clear();
        log.beeps = 0;
    }
    SetWebBrowserHandlers({&RecordOpen, &RecordBeep});
}

CBrowserRecorder::~CBrowserRecorder()
{
    SetWebBrowserHandlers({nullptr, nullptr});
}

void CBrowserRecorder::SetOpens(bool bOpens)
{
    BrowserLog& log = TheBrowserLog();
    std::lock_guard<std::mutex> hold(log.lock);
    log.bOpens = bOpens;
}

std::vector<std::string> CBrowserRecorder::Opened() const
{
    BrowserLog& log = TheBrowserLog();
    std::lock_guard<std::mutex> hold(log.lock);
    return log.opened;
}

int CBrowserRecorder::Beeps() const
{
    BrowserLog& log = TheBrowserLog();
    std::lock_guard<std::mutex> hold(log.lock);
    return log.beeps;
}
