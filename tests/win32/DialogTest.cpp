// Modal dialogs: DoModal and EndDialog, OK and Cancel, ownership by the main
// window, centring, the Help button, and F1.
#include "TestResources.h"
#include "TestWindows.h"
#include "framework/FrameworkIds.h"

#include <gtest/gtest.h>

namespace {

RECT WindowRect(HWND hWnd)
{
    RECT rect = {};
    GetWindowRect(hWnd, &rect);
    return rect;
}

RECT WorkArea()
{
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Centred within one pixel of rounding, both ways.
::testing::AssertionResult CentredOn(const RECT& inner, const RECT& outer)
{
    int horizontal = (inner.left - outer.left) - (outer.right - inner.right);
    int vertical = (inner.top - outer.top) - (outer.bottom - inner.bottom);
    if (horizontal >= -1 && horizontal <= 1 && vertical >= -1 && vertical <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << inner.left << "," << inner.top << ")-(" << inner.right << "," << inner.bottom
           << ") is not centred on (" << outer.left << "," << outer.top << ")-(" << outer.right
           << "," << outer.bottom << ")";
}

TEST(Dialog, EndDialogResultComesBackAndTheObjectLetsGoOfItsWindow)
{
    CScriptedDialog dialog(IDD_EXCHANGE);
    HWND hWndDialog = nullptr;
    dialog.m_script = [&](CScriptedDialog&) {
        hWndDialog = dialog.m_hWnd;
        dialog.EndDialog(1234);
    };
    EXPECT_EQ(1234, dialog.DoModal());
    EXPECT_FALSE(IsWindow(hWndDialog));
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndDialog));
}

// Handles what the dialog has posted itself (the close box posts its Cancel).
void DispatchPosted(HWND hWnd)
{
    MSG pending;
    while (PeekMessageA(&pending, hWnd, 0, 0, PM_REMOVE))
        DispatchMessageA(&pending);
}

TEST(Dialog, OkValidatesBeforeEndingAndCloseEndsWithCancel)
{
    const INT_PTR kStillOpen = 99;
    struct Case {
        const char* what;
        const char* number;
        UINT message;
        WPARAM wParam;
        INT_PTR result;
        size_t boxes;
    };
    const Case cases[] = {
        {"OK with a valid number", "5", WM_COMMAND, IDOK, IDOK, 0},
        {"OK with an invalid number", "0", WM_COMMAND, IDOK, kStillOpen, 1},
        {"Cancel", "0", WM_COMMAND, IDCANCEL, IDCANCEL, 0},
        {"the close box", "0", WM_CLOSE, 0, IDCANCEL, 0},
    };
    for (const Case& c : cases) {
        CBoxRecorder boxes;
        CNumberDialog dialog(IDD_EXCHANGE);
        dialog.m_script = [&](CScriptedDialog& self) {
            SetDlgItemTextA(self.m_hWnd, IDC_NUMBER, c.number);
            self.SendMessage(c.message, c.wParam);
            DispatchPosted(self.m_hWnd);
            if (IsWindowVisible(self.m_hWnd)) // an ended dialog is hidden at once
                self.EndDialog(static_cast<int>(kStillOpen));
        };
        EXPECT_EQ(c.result, dialog.DoModal()) << c.what;
        EXPECT_EQ(c.boxes, boxes.Boxes().size()) << c.what;
        if (c.result == IDOK) {
            EXPECT_EQ(5, dialog.m_nValue);
        }
    }
}

class CSplitLikeDialog : public CScriptedDialog {
public:
    CSplitLikeDialog() : CScriptedDialog(IDD_EXCHANGE) {}
    int m_nSplits = 0;

protected:
    afx_msg void OnSplit() { ++m_nSplits; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSplitLikeDialog, CScriptedDialog)
ON_COMMAND(IDOK, &CSplitLikeDialog::OnSplit)
END_MESSAGE_MAP()

TEST(Dialog, DerivedEntryForIdOkReplacesTheEndingOk)
{
    CSplitLikeDialog dialog;
    dialog.m_script = [&](CScriptedDialog&) {
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(dialog.Item(IDOK)));
        EXPECT_TRUE(IsWindowVisible(dialog.m_hWnd));
        dialog.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(1, dialog.m_nSplits);
}

TEST(Dialog, WithoutParentItIsOwnedByTheMainWindowWhichWaitsDisabled)
{
    CTestWindow mainWindow;
    CMainWndScope scope(&mainWindow);
    CScriptedDialog dialog(IDD_EXCHANGE);
    dialog.m_script = [&](CScriptedDialog&) {
        EXPECT_EQ(mainWindow.m_hWnd, GetWindow(dialog.m_hWnd, GW_OWNER));
        EXPECT_FALSE(mainWindow.IsWindowEnabled());
        dialog.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(mainWindow.IsWindowEnabled());
}

TEST(Dialog, MissingTemplateFailsAndLeavesNothingBehindForTheNextDialog)
{
    CScriptedDialog missing(IDD_MISSING);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_EQ(nullptr, missing.m_hWnd);

    CScriptedDialog next(IDD_PLACED);
    next.m_script = [](CScriptedDialog& self) { self.EndDialog(IDOK); };
    EXPECT_EQ(IDOK, next.DoModal());
}

TEST(Dialog, TemplateWithoutFontIsTakenOverAtItsFirstMessage)
{
    CNumberDialog dialog(IDD_WITHOUT_FONT);
    bool initialised = false;
    dialog.m_onInit = [&](CScriptedDialog&) { initialised = true; };
    dialog.m_script = [&](CScriptedDialog&) {
        EXPECT_EQ("650", WindowText(dialog.Item(IDC_NUMBER)));
        dialog.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(initialised);
}

TEST(Dialog, DialogThatIsTheMainWindowIsNoLongerItOnceDestroyed)
{
    CScriptedDialog dialog(IDD_PLACED);
    CMainWndScope scope(&dialog);
    dialog.m_script = [&](CScriptedDialog&) {
        EXPECT_EQ(nullptr, GetWindow(dialog.m_hWnd, GW_OWNER)); // it cannot own itself
        dialog.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(nullptr, AfxGetMainWnd());
}

class CHelpingDialog : public CScriptedDialog {
public:
    CHelpingDialog() : CScriptedDialog(IDD_EXCHANGE) {}

protected:
    afx_msg void OnHelpButton() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpingDialog, CScriptedDialog)
ON_COMMAND(ID_HELP, &CHelpingDialog::OnHelpButton)
END_MESSAGE_MAP()

bool HelpButtonVisibleIn(CScriptedDialog& dialog)
{
    bool visible = false;
    dialog.m_script = [&](CScriptedDialog& self) {
        visible = IsWindowVisible(self.Item(ID_HELP)) != FALSE;
        self.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    return visible;
}

TEST(Dialog, HelpButtonShowsOnlyWhenTheMainWindowHandlesIdHelp)
{
    {
        CMainWndScope none(nullptr);
        CScriptedDialog dialog(IDD_EXCHANGE);
        EXPECT_FALSE(HelpButtonVisibleIn(dialog)) << "no main window";
    }
    {
        CTestWindow plain;
        CMainWndScope scope(&plain);
        CScriptedDialog dialog(IDD_EXCHANGE);
        EXPECT_FALSE(HelpButtonVisibleIn(dialog)) << "a main window without ID_HELP";
    }
    {
        CHelpMainWnd helping;
        CMainWndScope scope(&helping);
        CScriptedDialog dialog(IDD_EXCHANGE);
        EXPECT_TRUE(HelpButtonVisibleIn(dialog)) << "a main window with ID_HELP";
    }
    {
        CHelpingDialog dialog;
        CMainWndScope scope(&dialog);
        EXPECT_TRUE(HelpButtonVisibleIn(dialog)) << "the dialog is the main window";
    }
}

enum class Placement { CentredInWorkArea, CentredOnOwner, TopLeftOfWorkArea, LeftAlone };
enum class InitAction { None, Move, Show };

struct CentringCase {
    const char* what;
    UINT nIDTemplate;
    const RECT* owner; // null: no main window
    InitAction action;
    Placement expected;
};

const RECT kOwnerInTheMiddle = {200, 150, 700, 550};
const RECT kOwnerAtTheCorner = {0, 0, 60, 40}; // far smaller than the dialog

const CentringCase kCentringCases[] = {
    {"template at (0, 0) without owner", IDD_EXCHANGE, nullptr, InitAction::None,
     Placement::CentredInWorkArea},
    {"template at (0, 0) with owner", IDD_EXCHANGE, &kOwnerInTheMiddle, InitAction::None,
     Placement::CentredOnOwner},
    {"owner at the screen's corner", IDD_EXCHANGE, &kOwnerAtTheCorner, InitAction::None,
     Placement::TopLeftOfWorkArea},
    {"template at (10, 10)", IDD_PLACED, nullptr, InitAction::None, Placement::LeftAlone},
    {"moved by OnInitDialog", IDD_EXCHANGE, nullptr, InitAction::Move, Placement::LeftAlone},
    {"shown by OnInitDialog", IDD_EXCHANGE, nullptr, InitAction::Show, Placement::LeftAlone},
};

TEST(Dialog, CentredBeforeItShowsUnlessPlacedOrShownAlready)
{
    for (const CentringCase& c : kCentringCases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<CTestWindow> owner;
        if (c.owner != nullptr)
            owner.reset(new CTestWindow(*c.owner, WS_POPUP | WS_VISIBLE));
        CMainWndScope scope(owner.get());

        CScriptedDialog dialog(c.nIDTemplate);
        RECT afterInit = {};
        RECT shown = {};
        dialog.m_onInit = [&](CScriptedDialog& self) {
            if (c.action == InitAction::Move)
                SetWindowPos(self.m_hWnd, nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            if (c.action == InitAction::Show)
                self.ShowWindow(SW_SHOW);
            afterInit = WindowRect(self.m_hWnd);
        };
        dialog.m_script = [&](CScriptedDialog& self) {
            shown = WindowRect(self.m_hWnd);
            self.EndDialog(IDOK);
        };
        ASSERT_EQ(IDOK, dialog.DoModal());

        switch (c.expected) {
        case Placement::CentredInWorkArea:
            EXPECT_TRUE(CentredOn(shown, WorkArea()));
            break;
        case Placement::CentredOnOwner:
            EXPECT_TRUE(CentredOn(shown, *c.owner));
            break;
        case Placement::TopLeftOfWorkArea:
            EXPECT_EQ(WorkArea().left, shown.left);
            EXPECT_EQ(WorkArea().top, shown.top);
            break;
        case Placement::LeftAlone:
            EXPECT_TRUE(SameRect(afterInit, shown));
            EXPECT_FALSE(CentredOn(shown, WorkArea()));
            break;
        }
    }
}

// The message that the platform posts to the focused window for a pressed F1.
const UINT WM_KEYF1 = 0x004D;

// F1 reaches the focused control as WM_KEYF1; the platform turns it into
// WM_HELP, which climbs to the dialog and, unanswered, on to its owner.
struct HelpKeyCase {
    const char* what;
    BYTE heldKey; // 0: none
    int helpCommands;
};

const HelpKeyCase kHelpKeyCases[] = {
    {"F1 alone", 0, 1},
    {"Shift+F1", VK_SHIFT, 0},
    {"Ctrl+F1", VK_CONTROL, 0},
    {"Alt+F1", VK_MENU, 0},
};

void SendF1Holding(HWND hWndFocus, BYTE heldKey)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE saved[256];
    memcpy(saved, keys, sizeof(keys));
    if (heldKey != 0)
        keys[heldKey] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(hWndFocus, WM_KEYF1, 0, 0);
    SetKeyboardState(saved);
}

TEST(HelpKey, F1InAnOwnedDialogSendsIdHelpOnceToTheMainWindow)
{
    CHelpMainWnd mainWindow;
    CMainWndScope scope(&mainWindow);
    for (const HelpKeyCase& c : kHelpKeyCases) {
        mainWindow.m_nHelpCommands = 0;
        CScriptedDialog dialog(IDD_EXCHANGE);
        dialog.m_script = [&](CScriptedDialog& self) {
            SendF1Holding(self.Item(IDC_NUMBER), c.heldKey);
            self.EndDialog(IDOK);
        };
        EXPECT_EQ(IDOK, dialog.DoModal()) << c.what;
        EXPECT_EQ(c.helpCommands, mainWindow.m_nHelpCommands) << c.what;
    }
}

TEST(HelpKey, F1InTheMainWindowItselfSendsIdHelpToIt)
{
    CHelpMainWnd mainWindow;
    CMainWndScope scope(&mainWindow);
    SendF1Holding(mainWindow.m_hWnd, 0);
    EXPECT_EQ(1, mainWindow.m_nHelpCommands);
}

TEST(HelpKey, PressedF1KeyReachesTheMainWindow)
{
    CHelpMainWnd mainWindow;
    CMainWndScope scope(&mainWindow);
    CScriptedDialog dialog(IDD_EXCHANGE);
    mainWindow.m_onHelp = [&] { dialog.EndDialog(IDOK); };
    dialog.m_script = [&](CScriptedDialog& self) {
        SetForegroundWindow(self.m_hWnd);
        SetFocus(self.Item(IDC_NUMBER));
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(1, mainWindow.m_nHelpCommands);
}

} // namespace
