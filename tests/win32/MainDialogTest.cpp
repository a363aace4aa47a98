// The main dialog, run in-process and driven as a user would: typing into the
// piece-size field, clicking its buttons, choosing files in the system's real
// open-file dialog and answering the real message boxes, while real workers
// split and merge files on disk.
#include "DialogDriver.h"
#include "MainDialogJob.h"
#include "QuietMainDlg.h"

#include "engine/JobState.h"
#include "framework/MessageBox.h"
#include "tests/support/ScratchDir.h"
#include "ui/MainDlg.h"

#include "res/WebAddresses.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kAskInteger[] = "Please enter an integer.";
const char kAskRange[] = "Please enter an integer between 1 and 1000000.";

// The worker has begun to write pieces (and shown it).
bool WaitForCopying(CDialogDriver& d)
{
    return WaitFor([&] { return d.Text(IDC_PROGRESS).rfind("Writing : ", 0) == 0; });
}

// The shown status lines reach these texts (the window shows them when it
// handles the worker's notifications, a little after the worker set them).
void ExpectStatusLines(CDialogDriver& d, const std::string& action, const std::string& progress)
{
    WaitFor([&] { return d.Text(IDC_ACTION) == action && d.Text(IDC_PROGRESS) == progress; }, 5000);
    EXPECT_EQ(d.Text(IDC_ACTION), action);
    EXPECT_EQ(d.Text(IDC_PROGRESS), progress);
}

// A file of zero bytes that takes no room on disk, made at once: a split of
// it at 1 megabyte per piece runs for thousands of pieces, long enough to be
// stopped or closed whatever the machine's speed.
const LONGLONG kLongJobBytes = 4000000000LL;

std::string MakeLongJobSource(const CScratchDir& scratch)
{
    const std::string path = scratch.File("huge.bin");
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = kLongJobBytes;
    SetFilePointerEx(hFile, end, nullptr, FILE_BEGIN);
    SetEndOfFile(hFile);
    CloseHandle(hFile);
    return path;
}

// The pieces path.1, path.2, ... that exist, as their sizes.
std::vector<LONGLONG> PieceSizes(const std::string& path)
{
    std::vector<LONGLONG> sizes;
    for (int n = 1;; ++n) {
        LONGLONG size = FileSize(path + "." + std::to_string(n));
        if (size < 0)
            return sizes;
        sizes.push_back(size);
    }
}

// A stopped split wrote whole pieces and at most one partial one, and far
// fewer than the whole file.
void ExpectSplitCutShort(const std::string& path)
{
    std::vector<LONGLONG> sizes = PieceSizes(path);
    ASSERT_FALSE(sizes.empty());
    for (size_t i = 0; i + 1 < sizes.size(); ++i)
        EXPECT_EQ(sizes[i], kPieceBytesPerMB) << "piece " << i + 1;
    EXPECT_LT(static_cast<LONGLONG>(sizes.size()) * kPieceBytesPerMB, kLongJobBytes / 2);
}

// The focus is on the piece-size field with its whole text selected.
void ExpectFieldFocusedAndSelected(CDialogDriver& d)
{
    HWND hField = d.Item(IDC_PIECE_SIZE);
    HWND hFocus = nullptr;
    d.OnWindowThread([&] { hFocus = GetFocus(); });
    EXPECT_EQ(hFocus, hField);
    DWORD start = 0, end = 0;
    SendMessageA(hField, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(d.Text(IDC_PIECE_SIZE).size()));
}

// ---------------------------------------------------------------------------

struct ExpectedControl {
    int id;
    const char* className;
    std::string text;
};

TEST(MainDialog, OpensWithItsControlsInTemplateOrderAndIdleState)
{
    const std::vector<ExpectedControl> expected = {
        {IDC_STATIC, "Button", "Information"},
        {IDC_INFO, "Static",
         "Parvion split files to pieces. If you select a file 'test.avi' it will create pieces "
         "with names test.avi.1- test.avi.n. To merge all the pieces select a file with name "
         "*.1 to create the file. Read more information at " PARVION_HOME_URL},
        {IDC_STATIC, "Button", "Size of the piece"},
        {IDC_STATIC, "Static",
         "Size of the pieces in megabytes. \nMinimum 1 megabyte/piece.\nMax 1000000 "
         "megabyte/piece."},
        {IDC_PIECE_SIZE, "Edit", "650"},
        {IDC_STATIC, "Button", "Working information"},
        {IDC_ACTION, "Edit", ""},
        {IDC_PROGRESS, "Edit", ""},
        {IDC_STATIC, "Button", "WWW"},
        {IDC_WEBLINK, "Static", PARVION_HOME_URL},
        {IDOK, "Button", "&Split"},
        {IDC_MERGE, "Button", "&Merge"},
        {IDC_STOP, "Button", "S&top"},
        {ID_HELP, "Button", "&Help"},
    };
    CQuietMainDlg dlg;
    INT_PTR result = RunDialog(dlg, [&](CDialogDriver& d) {
        HWND hDlg = d.Dialog();
        EXPECT_EQ(WindowText(hDlg), "Parvion Professional");
        const DWORD style = static_cast<DWORD>(GetWindowLongA(hDlg, GWL_STYLE));
        EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
        EXPECT_NE(GetWindowLongA(hDlg, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

        // Children in template order, which is the tab order.
        size_t index = 0;
        for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild != nullptr;
             hChild = GetWindow(hChild, GW_HWNDNEXT), ++index) {
            ASSERT_LT(index, expected.size());
            const ExpectedControl& want = expected[index];
            EXPECT_EQ(GetDlgCtrlID(hChild) & 0xFFFF, want.id & 0xFFFF) << "control " << index;
            EXPECT_EQ(lstrcmpiA(ClassNameOf(hChild).c_str(), want.className), 0)
                << "control " << index << " is a " << ClassNameOf(hChild);
            EXPECT_EQ(WindowText(hChild), want.text) << "control " << index;
            EXPECT_TRUE(IsWindowVisible(hChild)) << "control " << index;
        }
        EXPECT_EQ(index, expected.size());

        // Tab goes round the enabled tab stops; Stop is disabled.
        std::vector<int> tabOrder;
        HWND hTab = d.Item(IDC_PIECE_SIZE);
        do {
            hTab = GetNextDlgTabItem(hDlg, hTab, FALSE);
            tabOrder.push_back(GetDlgCtrlID(hTab));
        } while (hTab != d.Item(IDC_PIECE_SIZE) && tabOrder.size() < 20);
        EXPECT_EQ(tabOrder, (std::vector<int>{IDC_ACTION, IDC_PROGRESS, IDOK, IDC_MERGE, ID_HELP,
                                              IDC_PIECE_SIZE}));

        EXPECT_EQ(SendMessageA(hDlg, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
        EXPECT_NE(GetWindowLongA(d.Item(IDC_PIECE_SIZE), GWL_STYLE) & ES_NUMBER, 0);
        EXPECT_NE(GetWindowLongA(d.Item(IDC_ACTION), GWL_STYLE) & ES_READONLY, 0);
        EXPECT_NE(GetWindowLongA(d.Item(IDC_PROGRESS), GWL_STYLE) & ES_READONLY, 0);
        EXPECT_TRUE(IsIdle(d));
        EXPECT_TRUE(d.Enabled(ID_HELP));
        ExpectFieldFocusedAndSelected(d);

        // Centred in the work area, since the template puts it at (0, 0).
        RECT work, window;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(hDlg, &window);
        EXPECT_NEAR(window.left - work.left, work.right - window.right, 1);
        EXPECT_NEAR(window.top - work.top, work.bottom - window.bottom, 1);

        HICON hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
        EXPECT_EQ(SendMessageA(hDlg, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(hIcon));
        EXPECT_EQ(SendMessageA(hDlg, WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(hIcon));
        EXPECT_EQ(SendMessageA(hDlg, WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(hIcon));

        // The system menu ends with a separator and the About entry.
        HMENU hSysMenu = GetSystemMenu(hDlg, FALSE);
        const int count = GetMenuItemCount(hSysMenu);
        ASSERT_GE(count, 2);
        EXPECT_NE(GetMenuState(hSysMenu, count - 2, MF_BYPOSITION) & MF_SEPARATOR, 0u);
        char entry[64] = "";
        GetMenuStringA(hSysMenu, count - 1, entry, sizeof(entry), MF_BYPOSITION);
        EXPECT_STREQ(entry, "&About Parvion...");
        EXPECT_EQ(GetMenuItemID(hSysMenu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    });
    EXPECT_EQ(result, IDCANCEL);
}

// How the user starts a command in the validation table.
enum class Trigger { SplitButton, MergeButton, EnterInField };

struct ValidationCase {
    const char* typed;
    Trigger trigger;
    const char* message; // null: accepted, the file dialog opens
    const char* shownAfterRefresh;
};

TEST(MainDialog, ValidatesThePieceSizeBeforeAnyFileDialog)
{
    const ValidationCase cases[] = {
        {"", Trigger::SplitButton, kAskInteger, nullptr},
        {"", Trigger::MergeButton, kAskInteger, nullptr},
        {"0", Trigger::SplitButton, kAskRange, nullptr},
        {"0", Trigger::MergeButton, kAskRange, nullptr},
        {"1", Trigger::SplitButton, nullptr, "1"},
        {"1000000", Trigger::EnterInField, nullptr, "1000000"},
        {"1000001", Trigger::EnterInField, kAskRange, nullptr},
        {"0650", Trigger::SplitButton, nullptr, "650"},
        {"12abc", Trigger::MergeButton, nullptr, "12"},
        {"-5", Trigger::SplitButton, kAskRange, nullptr},
        {"12345678901234567890", Trigger::SplitButton, kAskRange, nullptr},
    };
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        for (const ValidationCase& c : cases) {
            SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
            d.SetText(IDC_PIECE_SIZE, c.typed);
            if (c.trigger == Trigger::SplitButton)
                d.Click(IDOK);
            else if (c.trigger == Trigger::MergeButton)
                d.Click(IDC_MERGE);
            else
                d.PressKey(d.Item(IDC_PIECE_SIZE), VK_RETURN);

            HWND hShown = d.WaitForOwnedDialog(d.Dialog());
            ASSERT_NE(hShown, nullptr) << "neither a message nor the file dialog";
            if (c.message == nullptr) {
                ASSERT_TRUE(IsFileDialog(hShown)) << "got: " << BoxText(hShown);
                Answer(hShown, IDCANCEL);
                // The next loading exchange shows the number as it was stored.
                d.Flush();
                PostMessageA(d.Dialog(), WM_JOB_STATUS, 0, 0);
                d.Flush();
                EXPECT_EQ(d.Text(IDC_PIECE_SIZE), c.shownAfterRefresh);
            } else {
                ASSERT_TRUE(IsMessageBox(hShown)) << "the file dialog opened";
                EXPECT_EQ(BoxText(hShown), c.message);
                EXPECT_EQ(WindowText(hShown), AfxGetAppTitle().GetString());
                EXPECT_FALSE(IsWindowEnabled(d.Dialog())) << "the dialog is not disabled";
                Answer(hShown, IDOK);
                d.Flush();
                EXPECT_TRUE(d.OwnedDialogs(d.Dialog()).empty()) << "a file dialog followed";
                EXPECT_EQ(d.Text(IDC_PIECE_SIZE), c.typed);
                ExpectFieldFocusedAndSelected(d);
            }
            EXPECT_TRUE(IsIdle(d));
        }
    });
}

TEST(MainDialog, SplitsAndMergesBackFromTheButtons)
{
    CScratchDir scratch;
    const std::string path = scratch.File("film.avi");
    const std::string original = PatternBytes(2 * kPieceBytesPerMB + 552000);
    WriteFileBytes(path, original);

    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        ASSERT_TRUE(StartJob(d, IDOK, path));
        FinishJob(d, "Split finished!", [&] {
            // Until the box is dismissed, the job still counts as running.
            EXPECT_TRUE(IsRunning(d));
            ExpectStatusLines(d, "Started to split : " + path,
                              "Writing : " + path + ".3    Mb : 1");
        });
        // Compared without printing: the pieces are megabytes long.
        const size_t pieceStarts[] = {0, kPieceBytesPerMB, 2 * kPieceBytesPerMB, original.size()};
        for (int n = 1; n <= 3; ++n) {
            const size_t start = pieceStarts[n - 1];
            EXPECT_TRUE(ReadFileBytes(path + "." + std::to_string(n)) ==
                        original.substr(start, pieceStarts[n] - start))
                << "piece " << n << " differs";
        }
        EXPECT_FALSE(FileExists(path + ".4"));

        // Merge the pieces back into a file that is not there any more: no
        // question is asked.
        ASSERT_TRUE(MoveFileA(path.c_str(), (path + ".orig").c_str()));
        ASSERT_TRUE(StartJob(d, IDC_MERGE, path + ".1"));
        FinishJob(d, "Merge finished!", [&] {
            EXPECT_TRUE(IsRunning(d));
            ExpectStatusLines(d, "Started to merge : " + path, "Reading : " + path + ".3");
        });
        EXPECT_TRUE(ReadFileBytes(path) == original) << "the merged file differs";
        // The lines keep the last job's texts in the idle window.
        EXPECT_EQ(d.Text(IDC_PROGRESS), "Reading : " + path + ".3");
    });
}

struct OverwriteCase {
    const char* name;
    bool bBaseExists;
    int answer; // to the question, when it is asked
    bool bMerges;
};

TEST(MainDialog, AsksBeforeAMergeOverwritesAnExistingFile)
{
    const OverwriteCase cases[] = {
        {"nothing at the base path", false, 0, true},
        {"answered No", true, IDNO, false},
        {"answered Yes", true, IDYES, true},
    };
    const std::string older = "the older whole file, longer than the merged one";
    const std::string merged = "first piece|second piece";

    // One folder per case, alive until the dialog has closed: the system's
    // file dialog must never see the folder it showed vanish.
    CScratchDir scratch[sizeof(cases) / sizeof(cases[0])];
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
            const OverwriteCase& c = cases[i];
            SCOPED_TRACE(c.name);
            const std::string base = scratch[i].File("movie.avi");
            WriteFileBytes(base + ".1", merged.substr(0, 12));
            WriteFileBytes(base + ".2", merged.substr(12));
            if (c.bBaseExists)
                WriteFileBytes(base, older);

            const std::string actionBefore = d.Text(IDC_ACTION);
            ASSERT_TRUE(ChooseJobFile(d, IDC_MERGE, base + ".1", "650"));
            if (c.bBaseExists) {
                HWND hBox = d.WaitForOwnedDialog(d.Dialog());
                ASSERT_NE(hBox, nullptr);
                ASSERT_TRUE(IsMessageBox(hBox));
                EXPECT_EQ(BoxText(hBox), "Source file: \n" + base +
                                             "\nwill be overwritten!\nDo you want to continue?");
                EXPECT_NE(GetDlgItem(hBox, IDYES), nullptr);
                EXPECT_NE(GetDlgItem(hBox, IDNO), nullptr);
                EXPECT_EQ(GetDlgItem(hBox, IDOK), nullptr);
                // No is the default button: Enter answers No.
                EXPECT_EQ(GetWindowLongA(GetDlgItem(hBox, IDNO), GWL_STYLE) & BS_TYPEMASK,
                          BS_DEFPUSHBUTTON);
                HWND hFocus = nullptr;
                d.OnWindowThread([&] { hFocus = GetFocus(); });
                EXPECT_EQ(hFocus, GetDlgItem(hBox, IDNO));
                Answer(hBox, c.answer);
            }
            if (c.bMerges) {
                FinishJob(d, "Merge finished!");
                EXPECT_EQ(ReadFileBytes(base), merged);
            } else {
                d.Flush();
                EXPECT_TRUE(IsIdle(d));
                EXPECT_EQ(ReadFileBytes(base), older);
                EXPECT_EQ(d.Text(IDC_ACTION), actionBefore);
            }
        }
    });
}

TEST(MainDialog, StopEndsALongJobAndNothingStartsAnotherMeanwhile)
{
    CScratchDir scratch;
    const std::string path = MakeLongJobSource(scratch);
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        ASSERT_TRUE(StartJob(d, IDOK, path));
        ASSERT_TRUE(WaitForCopying(d));

        // Neither Split, Merge nor Enter starts anything while the job runs,
        // however the command arrives.
        d.PressKey(d.Item(IDC_PIECE_SIZE), VK_RETURN);
        PostMessageA(d.Dialog(), WM_COMMAND, IDOK, 0);
        PostMessageA(d.Dialog(), WM_COMMAND, IDC_MERGE, 0);
        d.Flush();
        EXPECT_TRUE(d.OwnedDialogs(d.Dialog()).empty()) << "a command opened a file dialog";
        EXPECT_TRUE(IsRunning(d));

        d.Click(IDC_STOP);
        FinishJob(d, "Split finished!", [&] {
            EXPECT_TRUE(WaitFor([&] { return d.Text(IDC_ACTION) == "Split stopped by user!"; }))
                << "action line: " << d.Text(IDC_ACTION);
            // Stop again while the final box is up changes nothing.
            EXPECT_TRUE(IsRunning(d));
            d.Click(IDC_STOP);
            d.Flush();
            EXPECT_TRUE(IsRunning(d));
            EXPECT_EQ(d.WorkerBoxes().size(), 1u);
        });
        ExpectSplitCutShort(path);
    });
}

TEST(MainDialog, CloseDuringALongJobWaitsForTheWorkerToStop)
{
    CScratchDir scratch;
    const std::string path = MakeLongJobSource(scratch);
    CQuietMainDlg dlg;
    INT_PTR result = RunDialog(dlg, [&](CDialogDriver& d) {
        ASSERT_TRUE(StartJob(d, IDOK, path));
        ASSERT_TRUE(WaitForCopying(d));

        Answer(d.Dialog(), IDCANCEL);
        // The worker sees the cleared flag and reports; the dialog waits.
        HWND hBox = d.WaitForWorkerBox();
        ASSERT_NE(hBox, nullptr);
        EXPECT_EQ(BoxText(hBox), "Split finished!");
        EXPECT_TRUE(IsWindow(d.Dialog())) << "the dialog did not wait for the worker";
        Answer(hBox, IDOK);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(d.Dialog()); }))
            << "the dialog did not end when the worker did";
    });
    EXPECT_EQ(result, IDCANCEL);
    ExpectSplitCutShort(path);
}

TEST(MainDialog, CloseGivesUpOnAWorkerLeftInItsBoxAndTheWorkerEndsSafelyLater)
{
    CScratchDir scratch;
    const std::string path = MakeLongJobSource(scratch);
    CQuietMainDlg* pDlg = new CQuietMainDlg;
    DWORD exitCode = STILL_ACTIVE;
    INT_PTR result = RunDialog(*pDlg, [&](CDialogDriver& d) {
        ASSERT_TRUE(StartJob(d, IDOK, path));
        ASSERT_TRUE(WaitForCopying(d));
        Answer(d.Dialog(), IDCANCEL);
        HWND hBox = d.WaitForWorkerBox();
        ASSERT_NE(hBox, nullptr);
        HANDLE hWorker = OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE,
                                    GetWindowThreadProcessId(hBox, nullptr));

        // Nobody answers the box: the dialog ends once its wait is over.
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(d.Dialog()); }))
            << "the dialog did not end after its bounded wait";
        EXPECT_TRUE(IsWindow(hBox));
        // The dialog object goes too, before the worker's last steps.
        d.OnWindowThread([&] {
            delete pDlg;
            pDlg = nullptr;
        });
        Answer(hBox, IDOK);
        EXPECT_EQ(WaitForSingleObject(hWorker, kWaitBoundMs), WAIT_OBJECT_0);
        GetExitCodeThread(hWorker, &exitCode);
        CloseHandle(hWorker);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(pDlg, nullptr);
    EXPECT_EQ(exitCode, 0u) << "the worker did not end as a stopped split does";
    ExpectSplitCutShort(path);
}

enum class CloseBy { EscapeKey, CloseCommand, CloseMessage };

TEST(MainDialog, EscapeAltF4AndTheCloseBoxEndTheIdleDialog)
{
    for (CloseBy how : {CloseBy::EscapeKey, CloseBy::CloseCommand, CloseBy::CloseMessage}) {
        SCOPED_TRACE(static_cast<int>(how));
        CQuietMainDlg dlg;
        bool bEnded = false;
        INT_PTR result = RunDialog(dlg, [&](CDialogDriver& d) {
            if (how == CloseBy::EscapeKey)
                d.PressKey(d.Item(IDC_PIECE_SIZE), VK_ESCAPE);
            else if (how == CloseBy::CloseCommand) // Alt+F4, Close in the system menu
                PostMessageA(d.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
            else // the caption's close button
                PostMessageA(d.Dialog(), WM_CLOSE, 0, 0);
            bEnded = WaitFor([&] { return !IsWindow(d.Dialog()); });
        });
        EXPECT_TRUE(bEnded);
        EXPECT_EQ(result, IDCANCEL);
    }
}

enum class HelpBy { Button, F1Key };

struct HelpCase {
    HelpBy how;
    bool bOpens;
};

TEST(MainDialog, HelpButtonAndF1OpenTheHelpPageOrBeep)
{
    const HelpCase cases[] = {
        {HelpBy::Button, true},
        {HelpBy::F1Key, true},
        {HelpBy::Button, false},
        {HelpBy::F1Key, false},
    };
    CBrowserRecorder browser;
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        for (const HelpCase& c : cases) {
            SCOPED_TRACE(std::string(c.how == HelpBy::Button ? "button" : "F1") +
                         (c.bOpens ? ", opens" : ", fails"));
            browser.SetOpens(c.bOpens);
            const size_t opensBefore = browser.Opened().size();
            const int beepsBefore = browser.Beeps();
            if (c.how == HelpBy::Button)
                d.Click(ID_HELP);
            else
                d.TypeKey(VK_F1);
            // A typed key reaches the window thread through the system's input.
            WaitFor([&] { return browser.Opened().size() > opensBefore; }, 5000);
            d.Flush();
            const std::vector<std::string> opened = browser.Opened();
            ASSERT_EQ(opened.size(), opensBefore + 1);
            EXPECT_EQ(opened.back(), PARVION_HELP_URL);
            EXPECT_EQ(browser.Beeps() - beepsBefore, c.bOpens ? 0 : 1);
            EXPECT_TRUE(d.OwnedDialogs(d.Dialog()).empty()) << "a failure showed a window";
        }
    });
}

TEST(MainDialog, ShowsTheHandCursorOverTheLinkOnly)
{
    const struct {
        int id; // 0: the dialog's own client area
        bool bHand;
    } cases[] = {{IDC_WEBLINK, true}, {IDOK, false},    {IDC_PIECE_SIZE, false},
                 {IDC_INFO, false},   {ID_HELP, false}, {0, false}};
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        const HCURSOR hHand =
            LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HANDCURSOR));
        const HCURSOR hArrow = LoadCursorA(nullptr, IDC_ARROW);
        ASSERT_NE(hHand, nullptr);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.id);
            HWND hWnd = c.id != 0 ? d.Item(c.id) : d.Dialog();
            HCURSOR hCursor = nullptr;
            // The system asks the window under the mouse, which asks its
            // parent first.
            d.OnWindowThread([&] {
                SetCursor(hArrow);
                SendMessageA(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                hCursor = GetCursor();
            });
            EXPECT_EQ(hCursor == hHand, c.bHand);
        }
    });
}

TEST(MainDialog, ShowsTheStartScreenOnceAndTheAboutBoxFromTheSystemMenu)
{
    CMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        HWND hStart = d.WaitForOwnedDialog(d.Dialog());
        ASSERT_NE(hStart, nullptr) << "no start screen";
        EXPECT_FALSE(IsWindowEnabled(d.Dialog()));
        // The timer fired once: several periods later there is still one.
        Sleep(500);
        EXPECT_EQ(d.OwnedDialogs(d.Dialog()).size(), 1u);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(hStart); }, 15000))
            << "the start screen did not close";
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(d.Dialog()) != FALSE; }));

        PostMessageA(d.Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        HWND hAbout = d.WaitForOwnedDialog(d.Dialog());
        ASSERT_NE(hAbout, nullptr) << "no About box";
        EXPECT_EQ(WindowText(hAbout), "About Parvion Professional");
        Answer(hAbout, IDOK);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(hAbout); }));
        EXPECT_TRUE(IsIdle(d));
    });
}

} // namespace
