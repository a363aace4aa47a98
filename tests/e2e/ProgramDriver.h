// Drives a running Parvion.exe from outside its process, as a user at the
// desktop would: it finds the program's windows by process id, class and
// caption, clicks buttons and types into fields by messages, presses keys,
// reads texts back, answers the open-file dialog and the message boxes.
//
// Every wait is bounded, so that a broken program makes a test fail instead
// of waiting for a person; when the driver goes, it closes whatever is still
// open and ends the program, by force if it does not end in time.
#pragma once

#include "tests/support/WaitFor.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A window's text, asked of the window itself (WM_GETTEXT), so that an edit
// control of another process answers with what it shows.
std::string TextOf(HWND hWnd);
std::string ClassOf(HWND hWnd);
HWND OwnerOf(HWND hWnd);

bool IsMessageBox(HWND hWnd);
bool IsFileDialog(HWND hWnd);
// The start screen: the one dialog of the program without a caption.
bool IsStartScreen(HWND hWnd);

// What a message box shows.
struct BoxContents {
    std::string caption;
    std::string text;
};
BoxContents ReadBox(HWND hBox);

// The moment a window was first seen, in milliseconds since the program was
// started.
struct SeenWindow {
    HWND hWnd = nullptr;
    DWORD atMs = 0;
};

class CProgramDriver {
public:
    // Starts the program with workDir as its current folder.
    CProgramDriver(const std::string& exePath, const std::string& workDir);
    ~CProgramDriver();
    CProgramDriver(const CProgramDriver&) = delete;
    CProgramDriver& operator=(const CProgramDriver&) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD ElapsedMs() const;

    // The program's visible top-level windows of the dialog class (#32770):
    // the main window, the start screen, the About box, message boxes and
    // the open-file dialog.
    std::vector<HWND> Dialogs() const;

    // The main window ("Parvion Professional") once it is visible.
    SeenWindow WaitForMainWindow(DWORD boundMs = kWaitBoundMs);
    HWND MainWindow() const { return m_hMain; }

    // Visible dialogs owned by hOwner (null: the unowned ones, such as a
    // worker's message box), and the first one that comes up and satisfies
    // accept.
    std::vector<HWND> OwnedBy(HWND hOwner) const;
    SeenWindow WaitForOwned(HWND hOwner, const std::function<bool(HWND)>& accept,
                            DWORD boundMs = kWaitBoundMs) const;
    HWND WaitForBox(HWND hOwner, DWORD boundMs = kWaitBoundMs) const;

    // The main window takes input and nothing of its own is open over it: the
    // start screen has gone, no job's box is waiting.
    bool IsIdle() const;
    bool WaitUntilIdle(DWORD boundMs = kWaitBoundMs) const;
    // After the start: the start screen has come (shortly after the main
    // window) and gone again, and the main window is idle. Without the wait
    // for it to come, a command sent meanwhile could be overtaken by it.
    bool WaitPastStartScreen();

    // Controls of the main window.
    HWND Item(int id) const { return GetDlgItem(m_hMain, id); }
    std::string Text(int id) const { return TextOf(Item(id)); }
    void SetText(int id, const std::string& text) const;
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    // A click on an enabled button of the main window; false for a disabled
    // one, which a user cannot click.
    bool Click(int id) const;

    // Starts a split (IDOK) or a merge (IDC_MERGE) with the piece size and
    // the file a user would choose; false if the file dialog did not come.
    bool StartJob(int button, const std::string& pieceSize, const std::string& path) const;
    // The two halves of StartJob: the piece size typed and the button
    // clicked, giving the file dialog that comes (null if none came); then
    // the path typed into that dialog and its OK pressed, true once the
    // dialog has gone. pressedAtMs receives the moment of the press.
    HWND OpenFileDialog(int button, const std::string& pieceSize) const;
    bool ChooseFile(HWND hFileDlg, const std::string& path, DWORD* pressedAtMs = nullptr) const;

    // The window of the program's thread that has the keyboard focus.
    HWND Focus() const;
    // Where a key for hWindow goes: the focused control once the focus is in
    // hWindow (the system moves it there when it activates the window), or
    // else hWindow itself.
    HWND KeyTarget(HWND hWindow) const;
    // A key pressed and released in hWnd; with Alt held for a system key.
    static void PressKey(HWND hWnd, UINT vk, bool bAlt = false);
    // A button's command, as its click or its key sends it.
    static void Answer(HWND hDlg, int id);

    // The system menu of the main window, item by item: "id text", with
    // "separator" for a separator. Read inside the program by a hook of the
    // driver's probe library; empty when that failed.
    std::vector<std::string> SystemMenu() const;

    // Waits for the program to end; true when it ended within the bound.
    bool WaitForExit(DWORD boundMs = kWaitBoundMs) const;
    bool HasExited() const;
    // The program's exit code once it has ended (STILL_ACTIVE before).
    DWORD ExitCode() const;

    // Closes every box and dialog still up (No or Cancel where asked), then
    // the main window, and waits for the program to end.
    void CloseEverything();
    // Ends the program at once, for a caller that only measures its start.
    void Terminate();
    // The most memory the program has held so far (its peak working set),
    // in KiB; 0 when the system does not tell.
    unsigned long PeakMemoryKiB() const;

private:
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    DWORD m_threadId = 0;
    DWORD m_startTick = 0;
    HWND m_hMain = nullptr;
};
