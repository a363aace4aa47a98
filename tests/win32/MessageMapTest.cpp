// Message maps: the most derived entry wins and the base class's map still
// serves the rest; handlers get their arguments unpacked; Default() passes on
// the message being handled; an object lets go of its window when the window
// is destroyed.
#include "TestWindows.h"
#include "framework/PaintDC.h"
#include "framework/Static.h"

#include <gtest/gtest.h>

namespace {

const UINT WM_SHARED = WM_APP + 1; // bound in the base map and in the derived one
const UINT WM_NESTED = WM_APP + 2;
const UINT kBaseCommand = 100;
const UINT kDerivedCommand = 101;

class CBaseProbe : public CWnd {
public:
    std::vector<std::string> m_calls;

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        m_calls.push_back("base timer " + std::to_string(nIDEvent));
    }
    afx_msg LRESULT OnShared(WPARAM, LPARAM)
    {
        m_calls.push_back("base shared");
        return 1;
    }
    afx_msg void OnBaseCommand() { m_calls.push_back("base command"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseProbe, CWnd)
ON_WM_TIMER()
ON_MESSAGE(WM_SHARED, &CBaseProbe::OnShared)
ON_COMMAND(kBaseCommand, &CBaseProbe::OnBaseCommand)
END_MESSAGE_MAP()

class CDerivedProbe : public CBaseProbe {
public:
    // What OnSetCursor was given; a temporary wrapper lives only as long as
    // the message, so it is described here rather than kept.
    HWND m_hWndUnderCursor = nullptr;
    bool m_bCursorWndPermanent = false;
    CWnd* m_pCursorWnd = nullptr;
    HICON m_hDragIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION

protected:
    afx_msg LRESULT OnShared(WPARAM, LPARAM)
    {
        m_calls.push_back("derived shared");
        return 2;
    }
    afx_msg void OnDerivedCommand() { m_calls.push_back("derived command"); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam)
    {
        m_calls.push_back("syscommand " + std::to_string(nID) + " " + std::to_string(lParam));
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_calls.push_back("lbutton " + std::to_string(nFlags) + " " + std::to_string(point.x) +
                          " " + std::to_string(point.y));
    }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        m_pCursorWnd = pWnd;
        m_hWndUnderCursor = pWnd->m_hWnd;
        m_bCursorWndPermanent = CWnd::FromHandlePermanent(pWnd->m_hWnd) == pWnd;
        m_calls.push_back("setcursor " + std::to_string(nHitTest) + " " + std::to_string(message));
        return TRUE;
    }
    afx_msg HCURSOR OnQueryDragIcon() { return m_hDragIcon; }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        m_calls.push_back("paint");
    }
    // Sends itself another message first, then passes its own one on.
    afx_msg LRESULT OnSetText(WPARAM, LPARAM)
    {
        SendMessage(WM_NESTED);
        return Default();
    }
    afx_msg LRESULT OnNested(WPARAM, LPARAM)
    {
        m_calls.push_back("nested");
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CBaseProbe)
ON_MESSAGE(WM_SHARED, &CDerivedProbe::OnShared)
ON_COMMAND(kDerivedCommand, &CDerivedProbe::OnDerivedCommand)
ON_WM_SYSCOMMAND()
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
ON_WM_QUERYDRAGICON()
ON_WM_PAINT()
ON_MESSAGE(WM_SETTEXT, &CDerivedProbe::OnSetText)
ON_MESSAGE(WM_NESTED, &CDerivedProbe::OnNested)
END_MESSAGE_MAP()

class MessageMapTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_probe.SubclassWindow(
            CreatePlainWindow({50, 50, 350, 250}, WS_OVERLAPPEDWINDOW | WS_VISIBLE)));
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return m_probe.SendMessage(message, wParam, lParam);
    }

    CDerivedProbe m_probe;
};

TEST_F(MessageMapTest, MostDerivedEntryWinsAndTheBaseMapServesTheRest)
{
    EXPECT_EQ(2, Send(WM_SHARED));
    EXPECT_EQ(0, Send(WM_TIMER, 42));
    Send(WM_COMMAND, kBaseCommand);
    Send(WM_COMMAND, kDerivedCommand);
    EXPECT_EQ((std::vector<std::string>{"derived shared", "base timer 42", "base command",
                                        "derived command"}),
              m_probe.m_calls);
}

TEST_F(MessageMapTest, CommandsMatchTheirIdAndNotificationCode)
{
    HWND hWndChild = CreatePlainWindow({0, 0, 10, 10}, WS_CHILD, m_probe.m_hWnd, 7);
    struct Case {
        const char* what;
        WPARAM wParam;
        HWND hWndFrom;
        bool handled;
    };
    const Case cases[] = {
        {"a menu command", MAKEWPARAM(kBaseCommand, 0), nullptr, true},
        {"an accelerator", MAKEWPARAM(kBaseCommand, 1), nullptr, true},
        {"a click of a control with that id", MAKEWPARAM(kBaseCommand, BN_CLICKED), hWndChild,
         true},
        {"another notification of that control", MAKEWPARAM(kBaseCommand, EN_CHANGE), hWndChild,
         false},
        {"an id that no entry binds", MAKEWPARAM(102, 0), nullptr, false},
    };
    for (const Case& c : cases) {
        m_probe.m_calls.clear();
        Send(WM_COMMAND, c.wParam, reinterpret_cast<LPARAM>(c.hWndFrom));
        EXPECT_EQ(c.handled ? 1u : 0u, m_probe.m_calls.size()) << c.what;
    }
}

TEST_F(MessageMapTest, HandlersGetTheirArgumentsUnpacked)
{
    Send(WM_SYSCOMMAND, 0x10, 0x12345);
    // Client coordinates left of the window are negative.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 7));
    EXPECT_EQ(TRUE, Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_probe.m_hWnd),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(reinterpret_cast<LRESULT>(m_probe.m_hDragIcon), Send(WM_QUERYDRAGICON));
    EXPECT_EQ(
        (std::vector<std::string>{"syscommand 16 74565", "lbutton 1 -5 7", "setcursor 1 512"}),
        m_probe.m_calls);
}

TEST_F(MessageMapTest, WindowArgumentIsTheWindowsOwnObjectOrATemporaryWrapper)
{
    CStatic child;
    ASSERT_TRUE(child.SubclassWindow(
        CreatePlainWindow({0, 0, 20, 20}, WS_CHILD | WS_VISIBLE, m_probe.m_hWnd, 1)));
    HWND hWndPlain = CreatePlainWindow({30, 0, 50, 20}, WS_CHILD | WS_VISIBLE, m_probe.m_hWnd, 2);

    Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(child.m_hWnd), MAKELPARAM(HTCLIENT, 0));
    EXPECT_EQ(&child, m_probe.m_pCursorWnd);

    Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(hWndPlain), MAKELPARAM(HTCLIENT, 0));
    EXPECT_EQ(hWndPlain, m_probe.m_hWndUnderCursor);
    EXPECT_FALSE(m_probe.m_bCursorWndPermanent);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndPlain));
}

TEST_F(MessageMapTest, DefaultPassesOnTheMessageBeingHandledAfterANestedOne)
{
    SetWindowTextA(m_probe.m_hWnd, "new caption");
    EXPECT_EQ("new caption", WindowText(m_probe.m_hWnd));
    EXPECT_EQ(std::vector<std::string>{"nested"}, m_probe.m_calls);
}

TEST_F(MessageMapTest, PaintHandlerWithAPaintDcValidatesTheWindow)
{
    InvalidateRect(m_probe.m_hWnd, nullptr, TRUE);
    UpdateWindow(m_probe.m_hWnd);
    EXPECT_EQ(std::vector<std::string>{"paint"}, m_probe.m_calls);
    EXPECT_FALSE(GetUpdateRect(m_probe.m_hWnd, nullptr, FALSE));
}

TEST(WindowLifetime, DestroyedWindowLetsGoOfItsObjectAndOfTheMainWindowPointer)
{
    CTestWindow window;
    CMainWndScope scope(&window);
    HWND hWnd = window.m_hWnd;

    DestroyWindow(hWnd);

    EXPECT_EQ(nullptr, window.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(nullptr, AfxGetMainWnd());
}

TEST(WindowLifetime, ObjectDestroyedFirstTakesItsWindowWithIt)
{
    HWND hWnd = nullptr;
    {
        CTestWindow window;
        hWnd = window.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WindowLifetime, WindowWithAnObjectCannotBeTakenOverByASecondOne)
{
    CTestWindow window;
    CWnd second;
    EXPECT_FALSE(second.SubclassWindow(window.m_hWnd));
    EXPECT_EQ(&window, CWnd::FromHandlePermanent(window.m_hWnd));
}

TEST(TypeIdentification, ClassesKnowTheirNameAndBases)
{
    CStatic control;
    EXPECT_STREQ("CStatic", control.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(control.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(control.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(control.IsKindOf(RUNTIME_CLASS(CDialog)));
}

} // namespace
