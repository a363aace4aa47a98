#include "ProgramDriver.h"

#include "MenuProbe.h"
#include "res/resource.h"

#include <psapi.h>

#include <sstream>

namespace {

// The explorer-style open dialog's file-name box (cmb13).
const int kFileNameBox = 0x47C;
const int kMessageBoxText = 0xFFFF;
const char kMainCaption[] = "Parvion Professional";
const DWORD kExitBoundMs = 15000;

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hWnd, LPARAM lParam)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    if (processId == search->processId && IsWindowVisible(hWnd) && ClassOf(hWnd) == "#32770")
        search->found.push_back(hWnd);
    return TRUE;
}

// A key's lParam: repeat count 1, its scan code, Alt held or not, and for a
// release the previous-state and transition bits.
LPARAM KeyData(UINT vk, bool bAlt, bool bRelease)
{
    LPARAM data = 1 | (static_cast<LPARAM>(MapVirtualKeyA(vk, 0)) << 16);
    if (bAlt)
        data |= 1L << 29;
    if (bRelease)
        data |= (1L << 30) | (1L << 31);
    return data;
}

// Receives the menu probe's answer.
LRESULT CALLBACK ReplyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        std::string* reply = reinterpret_cast<std::string*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        reply->assign(static_cast<const char*>(data->lpData), data->cbData);
        return TRUE;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

std::string FolderOfThisProgram()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

} // namespace

std::string TextOf(HWND hWnd)
{
    char text[4096] = "";
    DWORD_PTR length = 0;
    if (hWnd != nullptr)
        SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 5000, &length);
    return std::string(text, length);
}

std::string ClassOf(HWND hWnd)
{
    char name[64] = "";
    GetClassNameA(hWnd, name, sizeof(name));
    return name;
}

HWND OwnerOf(HWND hWnd)
{
    return GetWindow(hWnd, GW_OWNER);
}

bool IsMessageBox(HWND hWnd)
{
    return GetDlgItem(hWnd, kMessageBoxText) != nullptr;
}

bool IsFileDialog(HWND hWnd)
{
    return GetDlgItem(hWnd, kFileNameBox) != nullptr;
}

bool IsStartScreen(HWND hWnd)
{
    return !IsMessageBox(hWnd) && (GetWindowLongA(hWnd, GWL_STYLE) & WS_CAPTION) == 0;
}

BoxContents ReadBox(HWND hBox)
{
    return {TextOf(hBox), TextOf(GetDlgItem(hBox, kMessageBoxText))};
}

CProgramDriver::CProgramDriver(const std::string& exePath, const std::string& workDir)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + exePath + "\"";
    m_startTick = GetTickCount();
    if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.c_str(), &startup, &info))
        return;
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_processId = info.dwProcessId;
    m_threadId = info.dwThreadId; // the program's one window thread
}

CProgramDriver::~CProgramDriver()
{
    if (m_process == nullptr)
        return;
    CloseEverything();
    Terminate();
    CloseHandle(m_process);
}

void CProgramDriver::Terminate()
{
    if (!HasExited()) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, kExitBoundMs);
    }
}

unsigned long CProgramDriver::PeakMemoryKiB() const
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (m_process == nullptr || !GetProcessMemoryInfo(m_process, &counters, sizeof(counters)))
        return 0;
    return static_cast<unsigned long>(counters.PeakWorkingSetSize / 1024);
}

DWORD CProgramDriver::ElapsedMs() const
{
    return GetTickCount() - m_startTick;
}

std::vector<HWND> CProgramDriver::Dialogs() const
{
    WindowSearch search = {m_processId, {}};
    EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

SeenWindow CProgramDriver::WaitForMainWindow(DWORD boundMs)
{
    SeenWindow seen;
    WaitFor(
        [&] {
            for (HWND hWnd : Dialogs()) {
                if (OwnerOf(hWnd) == nullptr && TextOf(hWnd) == kMainCaption) {
                    seen = {hWnd, ElapsedMs()};
                    return true;
                }
            }
            return HasExited();
        },
        boundMs);
    m_hMain = seen.hWnd;
    return seen;
}

std::vector<HWND> CProgramDriver::OwnedBy(HWND hOwner) const
{
    std::vector<HWND> owned;
    for (HWND hWnd : Dialogs()) {
        if (OwnerOf(hWnd) == hOwner && hWnd != m_hMain)
            owned.push_back(hWnd);
    }
    return owned;
}

SeenWindow CProgramDriver::WaitForOwned(HWND hOwner, const std::function<bool(HWND)>& accept,
                                        DWORD boundMs) const
{
    SeenWindow seen;
    WaitFor(
        [&] {
            for (HWND hWnd : OwnedBy(hOwner)) {
                if (accept(hWnd)) {
                    seen = {hWnd, ElapsedMs()};
                    return true;
                }
            }
            return HasExited();
        },
        boundMs);
    return seen;
}

HWND CProgramDriver::WaitForBox(HWND hOwner, DWORD boundMs) const
{
    return WaitForOwned(hOwner, &IsMessageBox, boundMs).hWnd;
}

bool CProgramDriver::IsIdle() const
{
    return m_hMain != nullptr && IsWindowEnabled(m_hMain) && OwnedBy(m_hMain).empty() &&
           OwnedBy(nullptr).empty() && Enabled(IDOK) && !Enabled(IDC_STOP);
}

bool CProgramDriver::WaitUntilIdle(DWORD boundMs) const
{
    return WaitFor([&] { return IsIdle(); }, boundMs);
}

bool CProgramDriver::WaitPastStartScreen()
{
    if (m_hMain == nullptr && WaitForMainWindow().hWnd == nullptr)
        return false;
    const HWND hStart = WaitForOwned(m_hMain, &IsStartScreen).hWnd;
    return hStart != nullptr && WaitFor([&] { return !IsWindow(hStart); }) && WaitUntilIdle();
}

void CProgramDriver::SetText(int id, const std::string& text) const
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
}

bool CProgramDriver::Click(int id) const
{
    if (!Enabled(id))
        return false;
    // Posted: the modal window that the click opens must not hold the driver.
    PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(id)));
    return true;
}

bool CProgramDriver::StartJob(int button, const std::string& pieceSize,
                              const std::string& path) const
{
    const HWND hFileDlg = OpenFileDialog(button, pieceSize);
    return hFileDlg != nullptr && ChooseFile(hFileDlg, path);
}

HWND CProgramDriver::OpenFileDialog(int button, const std::string& pieceSize) const
{
    SetText(IDC_PIECE_SIZE, pieceSize);
    if (!Click(button))
        return nullptr;
    return WaitForOwned(m_hMain, &IsFileDialog).hWnd;
}

bool CProgramDriver::ChooseFile(HWND hFileDlg, const std::string& path, DWORD* pressedAtMs) const
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(GetDlgItem(hFileDlg, kFileNameBox), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, 5000, &ignored);
    if (pressedAtMs != nullptr)
        *pressedAtMs = ElapsedMs();
    Answer(hFileDlg, IDOK);
    return WaitFor([&] { return !IsWindow(hFileDlg); });
}

HWND CProgramDriver::Focus() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(m_threadId, &info) ? info.hwndFocus : nullptr;
}

HWND CProgramDriver::KeyTarget(HWND hWindow) const
{
    HWND hFocus = nullptr;
    const bool bInside = WaitFor(
        [&] {
            hFocus = Focus();
            return hFocus != nullptr && (hFocus == hWindow || IsChild(hWindow, hFocus));
        },
        2000);
    return bInside ? hFocus : hWindow;
}

void CProgramDriver::PressKey(HWND hWnd, UINT vk, bool bAlt)
{
    const UINT down = bAlt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = bAlt ? WM_SYSKEYUP : WM_KEYUP;
    PostMessageA(hWnd, down, vk, KeyData(vk, bAlt, false));
    PostMessageA(hWnd, up, vk, KeyData(vk, bAlt, true));
}

void CProgramDriver::Answer(HWND hDlg, int id)
{
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDlg, id)));
}

std::vector<std::string> CProgramDriver::SystemMenu() const
{
    std::vector<std::string> items;
    HMODULE hProbe = LoadLibraryA((FolderOfThisProgram() + MENU_PROBE_LIBRARY).c_str());
    HOOKPROC hook = hProbe != nullptr ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                            GetProcAddress(hProbe, MENU_PROBE_HOOK_NAME)))
                                      : nullptr;
    HHOOK hHook =
        hook != nullptr ? SetWindowsHookExA(WH_GETMESSAGE, hook, hProbe, m_threadId) : nullptr;
    HWND hReply =
        CreateWindowA("Static", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    std::string reply;
    if (hHook != nullptr && hReply != nullptr) {
        SetWindowLongPtrA(hReply, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reply));
        SetWindowLongPtrA(hReply, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReplyProc));
        PostMessageA(m_hMain, RegisterWindowMessageA(MENU_PROBE_MESSAGE_NAME), 0,
                     reinterpret_cast<LPARAM>(hReply));
        // The answer is sent to this thread's window: keep taking messages.
        WaitFor([&] {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            return !reply.empty();
        });
    }
    if (hHook != nullptr)
        UnhookWindowsHookEx(hHook);
    if (hReply != nullptr)
        DestroyWindow(hReply);
    if (hProbe != nullptr)
        FreeLibrary(hProbe);

    std::istringstream lines(reply);
    for (std::string line; std::getline(lines, line);)
        items.push_back(line);
    return items;
}

bool CProgramDriver::HasExited() const
{
    return m_process == nullptr || WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0;
}

bool CProgramDriver::WaitForExit(DWORD boundMs) const
{
    return m_process != nullptr && WaitForSingleObject(m_process, boundMs) == WAIT_OBJECT_0;
}

DWORD CProgramDriver::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_process != nullptr)
        GetExitCodeProcess(m_process, &code);
    return code;
}

void CProgramDriver::CloseEverything()
{
    // Boxes first, innermost ones included: a job's box, the overwrite
    // question (No), the file dialog, the About box. The start screen cannot
    // be closed and goes by itself. Each round gives the program time to act
    // before the next one asks again.
    const DWORD kRoundMs = 250;
    WaitFor(
        [&] {
            for (HWND hWnd : Dialogs()) {
                if (hWnd == m_hMain)
                    continue;
                if (IsMessageBox(hWnd))
                    Answer(hWnd, GetDlgItem(hWnd, IDNO) != nullptr ? IDNO : IDOK);
                else
                    Answer(hWnd, IDCANCEL);
            }
            if (m_hMain != nullptr && IsWindowEnabled(m_hMain))
                Answer(m_hMain, IDCANCEL);
            return WaitForExit(kRoundMs);
        },
        kExitBoundMs);
}
