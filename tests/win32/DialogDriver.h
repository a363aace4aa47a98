// Drives a modal dialog of this process as a user would. The dialog runs on
// the test's main thread; a script runs on a helper thread, clicks and types
// by messages, reads the controls back, and answers the modal windows that
// come up: the system's real message boxes and open-file dialog.
//
// Every wait is bounded, so that a broken program makes a test fail instead
// of waiting for a person; when the script ends (or gives up), whatever is
// still open is closed.
#pragma once

#include "framework/Dialog.h"
#include "tests/support/WaitFor.h"

#include <functional>
#include <string>
#include <vector>

std::string WindowText(HWND hWnd);
std::string ClassNameOf(HWND hWnd);

// The dialog-class (#32770) top-level windows of this process: dialogs,
// message boxes and the open-file dialog; only the visible ones, or also
// those not shown yet.
std::vector<HWND> VisibleDialogs();
std::vector<HWND> AllDialogs();

// A message box's text (its static 0xFFFF).
std::string BoxText(HWND hBox);
bool IsMessageBox(HWND hWnd);
bool IsFileDialog(HWND hWnd);

// Posts the command id to a dialog, as its button or key would.
void Answer(HWND hDlg, int id);
// Types path into an open-file dialog's name box and confirms it; true once
// the dialog has gone.
bool ChooseFile(HWND hFileDlg, const std::string& path);

class CDialogDriver {
public:
    CDialogDriver(DWORD windowThreadId, HWND hWndInvoker);

    // The dialog under test, once it is visible; null if it never came.
    HWND WaitForDialog();
    HWND Dialog() const { return m_hDialog; }
    HWND Item(int id) const { return GetDlgItem(m_hDialog, id); }

    // Dialogs owned by hOwner (a message box, the file dialog, a secondary
    // dialog) right now, shown or not; and the first one to come up.
    std::vector<HWND> OwnedDialogs(HWND hOwner) const;
    HWND WaitForOwnedDialog(HWND hOwner, DWORD boundMs = kWaitBoundMs) const;
    // The next box shown by a thread other than the window thread: a
    // worker's final message box.
    std::vector<HWND> WorkerBoxes() const;
    HWND WaitForWorkerBox(DWORD boundMs = kWaitBoundMs) const;

    // A click on a button, posted, so that a modal window it opens does not
    // block the script.
    void Click(int id) const;
    void SetText(int id, const std::string& text) const;
    std::string Text(int id) const;
    bool Enabled(int id) const;
    // A key pressed and released in hWnd (the control that has the focus).
    void PressKey(HWND hWnd, UINT vk) const;
    // A key typed on the keyboard, into the dialog (brought to the front):
    // for what the system makes of a real key press, such as WM_HELP for F1.
    void TypeKey(UINT vk) const;

    // Runs fn on the window thread and waits for it: for what only that
    // thread can see (the focus, the cursor).
    void OnWindowThread(const std::function<void()>& fn) const;
    // Returns once everything posted to the window thread before the call
    // has been handled; false if the thread did not get there in time.
    bool Flush() const;

    // Closes every box and dialog still up, then the dialog itself.
    void CloseEverything();

    DWORD WindowThreadId() const { return m_windowThreadId; }

private:
    DWORD m_windowThreadId;
    HWND m_hWndInvoker;
    HWND m_hDialog = nullptr;
};

// Runs dialog modally on this thread, with script on a helper thread once the
// dialog is up. The dialog is the application's main window meanwhile, as in
// the program. Returns DoModal's result.
INT_PTR RunDialog(CDialog& dialog, const std::function<void(CDialogDriver&)>& script);

// Counts what the program asks of the web browser, instead of starting one.
class CBrowserRecorder {
public:
    explicit CBrowserRecorder(bool bOpens = true);
    ~CBrowserRecorder();
    CBrowserRecorder(const CBrowserRecorder&) = delete;
    CBrowserRecorder& operator=(const CBrowserRecorder&) = delete;

    void SetOpens(bool bOpens);
    std::vector<std::string> Opened() const;
    int Beeps() const;
};
