// Reflection: a static's click notification and colour request, sent to the
// dialog, are first offered to the static's own object. What the object
// handles stops there; a null brush goes on to the dialog.
#include "TestResources.h"
#include "TestWindows.h"
#include "framework/Static.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class CReflectingStatic : public CStatic {
public:
    HBRUSH m_brush = nullptr; // what CtlColor answers
    std::vector<UINT> m_colourRequests;
    int m_nClicks = 0;

    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        EXPECT_NE(nullptr, pDC->GetSafeHdc());
        m_colourRequests.push_back(nCtlColor);
        return m_brush;
    }

protected:
    afx_msg void OnClicked() { ++m_nClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingStatic, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_CONTROL_REFLECT(STN_CLICKED, &CReflectingStatic::OnClicked)
END_MESSAGE_MAP()

// IDC_LINK reflects; IDC_PLAIN has an object without reflected entries.
class CReflectionDialog : public CScriptedDialog {
public:
    CReflectionDialog() : CScriptedDialog(IDD_EXCHANGE) {}

    BOOL OnInitDialog() override
    {
        m_link.SubclassDlgItem(IDC_LINK, this);
        m_plain.SubclassDlgItem(IDC_PLAIN, this);
        return CScriptedDialog::OnInitDialog();
    }

    bool DialogSawColourRequestFrom(HWND hWnd) const
    {
        return std::find(m_colourRequestsSeen.begin(), m_colourRequestsSeen.end(), hWnd) !=
               m_colourRequestsSeen.end();
    }

    CReflectingStatic m_link;
    CStatic m_plain;
    std::vector<UINT> m_commandsSeen;
    std::vector<HWND> m_colourRequestsSeen;

protected:
    afx_msg void OnLinkCommand() { m_commandsSeen.push_back(IDC_LINK); }
    afx_msg void OnPlainCommand() { m_commandsSeen.push_back(IDC_PLAIN); }
    afx_msg LRESULT OnCtlColorStatic(WPARAM, LPARAM lParam)
    {
        m_colourRequestsSeen.push_back(reinterpret_cast<HWND>(lParam));
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectionDialog, CScriptedDialog)
ON_COMMAND(IDC_LINK, &CReflectionDialog::OnLinkCommand)
ON_COMMAND(IDC_PLAIN, &CReflectionDialog::OnPlainCommand)
ON_MESSAGE(WM_CTLCOLORSTATIC, &CReflectionDialog::OnCtlColorStatic)
END_MESSAGE_MAP()

void Click(HWND hWnd)
{
    SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

TEST(Reflection, ClickHandledByTheStaticDoesNotReachTheDialog)
{
    CReflectionDialog dialog;
    dialog.m_script = [&](CScriptedDialog&) {
        Click(dialog.m_link.m_hWnd);
        Click(dialog.m_plain.m_hWnd);
        dialog.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(1, dialog.m_link.m_nClicks);
    EXPECT_EQ(std::vector<UINT>{IDC_PLAIN}, dialog.m_commandsSeen);
}

TEST(Reflection, PaintingTheStaticAsksItsObjectForItsColours)
{
    CReflectionDialog dialog;
    dialog.m_link.m_brush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    HWND hWndLink = nullptr;
    dialog.m_script = [&](CScriptedDialog&) {
        hWndLink = dialog.m_link.m_hWnd;
        dialog.m_link.m_colourRequests.clear();
        dialog.m_colourRequestsSeen.clear();
        dialog.m_link.Invalidate();
        UpdateWindow(dialog.m_link.m_hWnd);
        dialog.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(std::vector<UINT>{CTLCOLOR_STATIC}, dialog.m_link.m_colourRequests);
    ASSERT_NE(nullptr, hWndLink);
    EXPECT_FALSE(dialog.DialogSawColourRequestFrom(hWndLink));
}

TEST(Reflection, NullBrushLeavesTheColourRequestToTheDialog)
{
    struct Case {
        const char* what;
        HBRUSH brushOfTheStatic;
        bool reachesTheDialog;
    };
    const Case cases[] = {
        {"the static answers a brush", static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), false},
        {"the static answers a null brush", nullptr, true},
    };
    for (const Case& c : cases) {
        CReflectionDialog dialog;
        dialog.m_link.m_brush = c.brushOfTheStatic;
        LRESULT linkResult = 0;
        LRESULT plainResult = 0;
        HWND hWndLink = nullptr;
        dialog.m_script = [&](CScriptedDialog&) {
            hWndLink = dialog.m_link.m_hWnd;
            HDC hDC = GetDC(dialog.m_hWnd);
            linkResult = dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                            reinterpret_cast<LPARAM>(dialog.m_link.m_hWnd));
            plainResult = dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                             reinterpret_cast<LPARAM>(dialog.m_plain.m_hWnd));
            ReleaseDC(dialog.m_hWnd, hDC);
            dialog.EndDialog(IDOK);
        };
        EXPECT_EQ(IDOK, dialog.DoModal()) << c.what;
        ASSERT_NE(nullptr, hWndLink) << c.what;
        EXPECT_EQ(c.reachesTheDialog, dialog.DialogSawColourRequestFrom(hWndLink)) << c.what;
        // Unhandled, the request gets the dialog's own answer, as the plain static does.
        LRESULT expected =
            c.reachesTheDialog ? plainResult : reinterpret_cast<LRESULT>(c.brushOfTheStatic);
        EXPECT_EQ(expected, linkResult) << c.what;
        EXPECT_NE(0, plainResult) << c.what;
    }
}

} // namespace
