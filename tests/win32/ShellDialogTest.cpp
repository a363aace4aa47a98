// The start screen and the About box, opened by the real main dialog as in
// the program and driven in-process: what a click, a key, a timer and the
// mouse do to them, what they draw, and F1 reaching the main dialog's Help.
// The browser is a recorder here, so that no page really opens.
#include "DialogDriver.h"
#include "QuietMainDlg.h"

#include "res/WebAddresses.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const UINT_PTR kStartScreenTimer = 2; // the main dialog's
const UINT_PTR kCloseTimer = 1;       // the start screen's own

// Opens the start screen as the main dialog's start-up timer does.
HWND OpenStartScreen(CDialogDriver& d)
{
    PostMessageA(d.Dialog(), WM_TIMER, kStartScreenTimer, 0);
    return d.WaitForOwnedDialog(d.Dialog());
}

// Ends the start screen at once, as its 4 s timer would.
void EndStartScreen(HWND hStart)
{
    PostMessageA(hStart, WM_TIMER, kCloseTimer, 0);
}

// Runs script with the start screen open over the main dialog, as after the
// program's start, and ends the start screen afterwards if it is still up.
void WithStartScreen(const std::function<void(CDialogDriver&, HWND)>& script)
{
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        HWND hStart = OpenStartScreen(d);
        ASSERT_NE(hStart, nullptr) << "no start screen";
        script(d, hStart);
        if (IsWindow(hStart))
            EndStartScreen(hStart);
    });
}

// Opens the About box as its system-menu entry does.
HWND OpenAboutBox(CDialogDriver& d)
{
    PostMessageA(d.Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    return d.WaitForOwnedDialog(d.Dialog());
}

// The cursor that the window thread shows after asking hWnd's WM_SETCURSOR
// handling, as the system does when the mouse moves over hWnd.
HCURSOR CursorOver(CDialogDriver& d, HWND hWnd, UINT hitTest)
{
    HCURSOR hCursor = nullptr;
    d.OnWindowThread([&] {
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        SendMessageA(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd),
                     MAKELPARAM(hitTest, WM_MOUSEMOVE));
        hCursor = GetCursor();
    });
    return hCursor;
}

HCURSOR HandCursor()
{
    return LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HANDCURSOR));
}

void ClickAt(HWND hWnd, int x, int y)
{
    PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The colour in which the link would draw its text now.
COLORREF LinkTextColour(CDialogDriver& d, HWND hLink)
{
    COLORREF colour = CLR_INVALID;
    d.OnWindowThread([&] {
        HDC hdc = GetDC(hLink);
        SendMessageA(GetParent(hLink), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                     reinterpret_cast<LPARAM>(hLink));
        colour = GetTextColor(hdc);
        ReleaseDC(hLink, hdc);
    });
    return colour;
}

TEST(StartScreen, EveryClickOpensTheHomePageOrBeepsAndLeavesItOpen)
{
    const struct {
        bool bOpens;
        POINT at;
    } clicks[] = {{true, {5, 5}}, {true, {300, 200}}, {false, {100, 100}}, {true, {0, 0}}};
    CBrowserRecorder browser;
    WithStartScreen([&](CDialogDriver& d, HWND hStart) {
        int expectedBeeps = 0;
        size_t expectedOpens = 0;
        for (const auto& click : clicks) {
            SCOPED_TRACE(click.bOpens ? "opens" : "fails");
            browser.SetOpens(click.bOpens);
            ClickAt(hStart, click.at.x, click.at.y);
            ASSERT_TRUE(d.Flush());
            ++expectedOpens;
            expectedBeeps += click.bOpens ? 0 : 1;
            const std::vector<std::string> opened = browser.Opened();
            ASSERT_EQ(opened.size(), expectedOpens);
            EXPECT_EQ(opened.back(), PARVION_HOME_URL);
            EXPECT_EQ(browser.Beeps(), expectedBeeps);
            EXPECT_TRUE(IsWindowVisible(hStart)) << "a click closed the start screen";
        }
    });
}

TEST(StartScreen, OnlyItsOwnTimerEndsItAndNoKeyDoes)
{
    WithStartScreen([&](CDialogDriver& d, HWND hStart) {
        // Timers of other ids, Enter, Escape and a close request.
        for (UINT_PTR id : {UINT_PTR(0), UINT_PTR(2), UINT_PTR(3), UINT_PTR(1000)})
            PostMessageA(hStart, WM_TIMER, id, 0);
        d.PressKey(hStart, VK_RETURN);
        d.PressKey(hStart, VK_ESCAPE);
        PostMessageA(hStart, WM_CLOSE, 0, 0);
        ASSERT_TRUE(d.Flush());
        EXPECT_TRUE(IsWindowVisible(hStart));
        EXPECT_FALSE(IsWindowEnabled(d.Dialog())) << "the main dialog takes input meanwhile";

        // Its own timer, long before its 4 s: it ends at once.
        EndStartScreen(hStart);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(hStart); }, 2000)) << "timer 1 did not end it";
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(d.Dialog()) != FALSE; }));
    });
}

TEST(StartScreen, ShowsTheHandOverTheWholeWindowFrameIncluded)
{
    WithStartScreen([&](CDialogDriver& d, HWND hStart) {
        for (UINT hitTest : {HTCLIENT, HTBORDER, HTLEFT, HTBOTTOMRIGHT}) {
            SCOPED_TRACE(hitTest);
            EXPECT_EQ(CursorOver(d, hStart, hitTest), HandCursor());
        }
    });
}

TEST(StartScreen, DrawsThePictureAtItsOwnSizeFromTheTopLeftCorner)
{
    WithStartScreen([&](CDialogDriver& d, HWND hStart) {
        d.OnWindowThread([&] {
            RedrawWindow(hStart, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            HBITMAP hPicture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_START));
            ASSERT_NE(hPicture, nullptr);
            HDC hPictureDC = CreateCompatibleDC(nullptr);
            HGDIOBJ hPrevious = SelectObject(hPictureDC, hPicture);
            HDC hWindowDC = GetDC(hStart);
            RECT client;
            GetClientRect(hStart, &client);
            // Corners and middle of the picture, as far as the window shows it.
            const POINT points[] = {{0, 0}, {398, 0}, {0, 265}, {200, 133}, {398, 265}};
            for (const POINT& p : points) {
                if (p.x >= client.right || p.y >= client.bottom)
                    continue;
                EXPECT_EQ(GetPixel(hWindowDC, p.x, p.y), GetPixel(hPictureDC, p.x, p.y))
                    << "at " << p.x << ", " << p.y;
            }
            ReleaseDC(hStart, hWindowDC);
            SelectObject(hPictureDC, hPrevious);
            DeleteDC(hPictureDC);
            DeleteObject(hPicture);
        });
    });
}

TEST(AboutBox, PutsTheFocusOnOkAndTheHandOverItsLinkOnly)
{
    const struct {
        int id; // 0: the box's own client area
        bool bHand;
    } cases[] = {{IDC_ABOUT_LINK, true}, {IDOK, false}, {0, false}};
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        HWND hAbout = OpenAboutBox(d);
        ASSERT_NE(hAbout, nullptr) << "no About box";
        HWND hFocus = nullptr;
        d.OnWindowThread([&] { hFocus = GetFocus(); });
        EXPECT_EQ(hFocus, GetDlgItem(hAbout, IDOK));
        // The link reports the mouse once it has been drawn.
        RedrawWindow(hAbout, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.id);
            HWND hWnd = c.id != 0 ? GetDlgItem(hAbout, c.id) : hAbout;
            EXPECT_EQ(CursorOver(d, hWnd, HTCLIENT) == HandCursor(), c.bHand);
        }
    });
}

TEST(AboutBox, ItsLinkOpensTheHomePageAndStartsUnvisitedAtEveryOpening)
{
    const COLORREF kUnvisited = RGB(0, 0, 250);
    const COLORREF kVisited = RGB(128, 0, 128);
    CBrowserRecorder browser;
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        for (int opening = 1; opening <= 2; ++opening) {
            SCOPED_TRACE(opening);
            HWND hAbout = OpenAboutBox(d);
            ASSERT_NE(hAbout, nullptr) << "no About box";
            HWND hLink = GetDlgItem(hAbout, IDC_ABOUT_LINK);
            EXPECT_EQ(LinkTextColour(d, hLink), kUnvisited);
            ClickAt(hLink, 2, 2);
            ASSERT_TRUE(d.Flush());
            ASSERT_EQ(browser.Opened().size(), size_t(opening));
            EXPECT_EQ(browser.Opened().back(), PARVION_HOME_URL);
            EXPECT_EQ(LinkTextColour(d, hLink), kVisited);
            EXPECT_TRUE(IsWindowVisible(hAbout)) << "the click closed the box";
            Answer(hAbout, IDOK);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(hAbout); }));
        }
    });
}

// F1 typed on the keyboard into hWnd, brought to the front: the system turns
// a real key press, not a posted one, into WM_HELP. Modifiers are held
// around it.
void TypeF1(HWND hWnd, std::initializer_list<BYTE> modifiers)
{
    SetForegroundWindow(hWnd);
    for (BYTE vk : modifiers)
        keybd_event(vk, 0, 0, 0);
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    for (BYTE vk : modifiers)
        keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
}

TEST(SecondaryWindows, F1AloneReachesTheMainDialogsHelpAndLeavesTheWindowOpen)
{
    const struct {
        const char* name;
        HWND (*open)(CDialogDriver&);
    } windows[] = {{"start screen", &OpenStartScreen}, {"About box", &OpenAboutBox}};
    const struct {
        const char* name;
        std::initializer_list<BYTE> keys;
        bool bHelp;
    } modifiers[] = {
        {"F1", {}, true}, {"Shift+F1", {VK_SHIFT}, false}, {"Ctrl+F1", {VK_CONTROL}, false}};
    CBrowserRecorder browser;
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        for (const auto& w : windows) {
            HWND hWnd = w.open(d);
            ASSERT_NE(hWnd, nullptr) << w.name;
            for (const auto& m : modifiers) {
                SCOPED_TRACE(std::string(w.name) + ", " + m.name);
                const size_t opensBefore = browser.Opened().size();
                TypeF1(hWnd, m.keys);
                // Typed keys reach the queue through the system: give them time.
                Sleep(200);
                ASSERT_TRUE(d.Flush());
                const std::vector<std::string> opened = browser.Opened();
                ASSERT_EQ(opened.size(), opensBefore + (m.bHelp ? 1 : 0));
                if (m.bHelp) {
                    EXPECT_EQ(opened.back(), PARVION_HELP_URL);
                }
                EXPECT_TRUE(IsWindowVisible(hWnd));
            }
            // The start screen ends by its own timer, the About box by OK.
            EndStartScreen(hWnd);
            Answer(hWnd, IDOK);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(hWnd); }));
        }
    });
}

} // namespace
