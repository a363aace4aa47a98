// CWebLink on real statics: the main dialog's link, and a dialog of statics
// of several styles whose controls have no font of their own. The colours are
// read both from the colour request and from the pixels on screen.
#include "DialogDriver.h"
#include "LinkTestResources.h"
#include "QuietMainDlg.h"

#include "res/WebAddresses.h"
#include "res/resource.h"
#include "ui/WebLink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const COLORREF kUnvisited = RGB(0, 0, 250);
const COLORREF kVisited = RGB(128, 0, 128);

// What a static's colour request left in a fresh device context.
struct ColourAnswer {
    HBRUSH hBrush;
    COLORREF text;
    int bkMode;
    HFONT hFont;       // selected after the request
    HFONT hFontBefore; // the context's own
};

// Asks the static's parent for its colours, as the static does at every paint.
ColourAnswer AskColours(const CDialogDriver& d, HWND hStatic)
{
    ColourAnswer answer{};
    d.OnWindowThread([&] {
        HDC hdc = CreateCompatibleDC(nullptr);
        SetTextColor(hdc, RGB(1, 2, 3));
        SetBkMode(hdc, OPAQUE);
        answer.hFontBefore = static_cast<HFONT>(GetCurrentObject(hdc, OBJ_FONT));
        answer.hBrush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(hStatic), WM_CTLCOLORSTATIC,
                                                              reinterpret_cast<WPARAM>(hdc),
                                                              reinterpret_cast<LPARAM>(hStatic)));
        answer.text = GetTextColor(hdc);
        answer.bkMode = GetBkMode(hdc);
        answer.hFont = static_cast<HFONT>(GetCurrentObject(hdc, OBJ_FONT));
        SelectObject(hdc, answer.hFontBefore);
        DeleteDC(hdc);
    });
    return answer;
}

void ExpectDrawnAsLink(const ColourAnswer& answer, COLORREF colour)
{
    EXPECT_EQ(answer.hBrush, GetStockObject(NULL_BRUSH));
    EXPECT_EQ(answer.text, colour) << std::hex << "text colour 0x" << answer.text;
    EXPECT_EQ(answer.bkMode, TRANSPARENT);
}

LOGFONTA LogFontOf(HGDIOBJ hFont)
{
    LOGFONTA logFont{};
    GetObjectA(hFont, sizeof(logFont), &logFont);
    return logFont;
}

// The underlined copy of a font: everything else as it was.
void ExpectUnderlinedCopy(HFONT hMade, HGDIOBJ hOriginal)
{
    LOGFONTA made = LogFontOf(hMade);
    LOGFONTA original = LogFontOf(hOriginal);
    EXPECT_EQ(made.lfUnderline, 1);
    EXPECT_EQ(original.lfUnderline, 0);
    EXPECT_STREQ(made.lfFaceName, original.lfFaceName);
    EXPECT_EQ(made.lfHeight, original.lfHeight);
    EXPECT_EQ(made.lfWeight, original.lfWeight);
}

// A click as the mouse gives it; the static reports it to its parent only
// when it has SS_NOTIFY.
void ClickStatic(const CDialogDriver& d, HWND hStatic)
{
    PostMessageA(hStatic, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(hStatic, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    d.Flush();
}

struct PixelCount {
    int unvisited = 0;
    int visited = 0;
};

// Lets the static paint what is pending (or, with bRepaintDialog, the whole
// dialog anew, as after it was covered), then counts the link colours among
// its pixels.
PixelCount PaintAndCount(const CDialogDriver& d, HWND hStatic, bool bRepaintDialog)
{
    PixelCount count;
    d.OnWindowThread([&] {
        if (bRepaintDialog)
            RedrawWindow(GetParent(hStatic), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        else
            UpdateWindow(hStatic);
        RECT client;
        GetClientRect(hStatic, &client);
        HDC hdc = GetDC(hStatic);
        for (int y = client.top; y < client.bottom; ++y) {
            for (int x = client.left; x < client.right; ++x) {
                COLORREF pixel = GetPixel(hdc, x, y);
                count.unvisited += pixel == kUnvisited;
                count.visited += pixel == kVisited;
            }
        }
        ReleaseDC(hStatic, hdc);
    });
    return count;
}

// Where the mouse would be over the middle of a window, in screen coordinates.
LPARAM CentreOf(HWND hWnd)
{
    RECT rect;
    GetWindowRect(hWnd, &rect);
    return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

TEST(WebLink, MainDialogLinkOpensItsFirstTextAndTurnsPurpleOnlyAfterASuccessfulOpen)
{
    CBrowserRecorder browser(false);
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        HWND hLink = d.Item(IDC_WEBLINK);
        PixelCount blue = PaintAndCount(d, hLink, false);
        EXPECT_GT(blue.unvisited, 0);
        EXPECT_EQ(blue.visited, 0);
        // Painted, the link has SS_NOTIFY, so it takes the mouse.
        EXPECT_NE(GetWindowLongA(hLink, GWL_STYLE) & SS_NOTIFY, 0);
        EXPECT_EQ(SendMessageA(hLink, WM_NCHITTEST, 0, CentreOf(hLink)), HTCLIENT);

        ColourAnswer first = AskColours(d, hLink);
        ExpectDrawnAsLink(first, kUnvisited);
        ExpectUnderlinedCopy(first.hFont,
                             reinterpret_cast<HGDIOBJ>(SendMessageA(hLink, WM_GETFONT, 0, 0)));
        EXPECT_EQ(AskColours(d, hLink).hFont, first.hFont) << "the font was made again";

        // An open that fails: one beep, and the link stays blue.
        ClickStatic(d, hLink);
        EXPECT_EQ(browser.Opened(), std::vector<std::string>{PARVION_HOME_URL});
        EXPECT_EQ(browser.Beeps(), 1);
        ExpectDrawnAsLink(AskColours(d, hLink), kUnvisited);

        // An open that succeeds: purple at once, and after the dialog is
        // painted anew.
        browser.SetOpens(true);
        ClickStatic(d, hLink);
        EXPECT_EQ(browser.Beeps(), 1);
        ExpectDrawnAsLink(AskColours(d, hLink), kVisited);
        for (bool bRepaintDialog : {false, true}) {
            PixelCount purple = PaintAndCount(d, hLink, bRepaintDialog);
            EXPECT_GT(purple.visited, 0) << "repainted dialog: " << bRepaintDialog;
            EXPECT_EQ(purple.unvisited, 0) << "repainted dialog: " << bRepaintDialog;
        }

        // The text changes; the link keeps the address of its first click.
        SetWindowTextA(hLink, "http://elsewhere.example/");
        ClickStatic(d, hLink);
        EXPECT_EQ(browser.Opened(), (std::vector<std::string>(3, PARVION_HOME_URL)));
    });
}

const int kLinkIds[] = {IDC_LINK_LEFT, IDC_LINK_RIGHT, IDC_LINK_NOPREFIX, IDC_LINK_FRAME};
const size_t kLinkCount = sizeof(kLinkIds) / sizeof(kLinkIds[0]);

// Every static of the template as a link; the commands that reach the dialog
// are counted (a link keeps its clicks to itself).
class CLinksDlg : public CDialog {
public:
    CLinksDlg() : CDialog(IDD_LINKS) {}

    CWebLink m_links[kLinkCount];
    DWORD m_stylesAtInit[kLinkCount] = {};
    int m_nCommands = 0;

protected:
    BOOL OnInitDialog() override
    {
        for (size_t i = 0; i < kLinkCount; ++i)
            m_links[i].SubclassDlgItem(kLinkIds[i], this);
        CDialog::OnInitDialog();
        for (size_t i = 0; i < kLinkCount; ++i) {
            m_stylesAtInit[i] = m_links[i].GetStyle();
            // Not painted yet: without SS_NOTIFY the click is not reported.
            m_links[i].SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            m_links[i].SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        }
        return TRUE;
    }

    afx_msg void OnLinkCommand() { ++m_nCommands; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLinksDlg, CDialog)
ON_COMMAND(IDC_LINK_LEFT, &CLinksDlg::OnLinkCommand)
ON_COMMAND(IDC_LINK_RIGHT, &CLinksDlg::OnLinkCommand)
ON_COMMAND(IDC_LINK_NOPREFIX, &CLinksDlg::OnLinkCommand)
ON_COMMAND(IDC_LINK_FRAME, &CLinksDlg::OnLinkCommand)
END_MESSAGE_MAP()

struct LinkCase {
    int id;
    const char* address;
    bool bDrawnAsLink;
};

TEST(WebLink, AnyStaticGetsClicksAfterItsFirstPaintButOnlyPlainTextIsDrawnAsALink)
{
    const LinkCase cases[] = {
        {IDC_LINK_LEFT, "http://left.example/", true},
        {IDC_LINK_RIGHT, "http://right.example/", true},
        {IDC_LINK_NOPREFIX, "http://noprefix.example/", false},
        {IDC_LINK_FRAME, "http://frame.example/", false},
    };
    CBrowserRecorder browser(true);
    CLinksDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        EXPECT_TRUE(browser.Opened().empty()) << "a click before the first paint was reported";
        for (size_t i = 0; i < kLinkCount; ++i) {
            const LinkCase& c = cases[i];
            SCOPED_TRACE(c.address);
            HWND hLink = d.Item(c.id);
            EXPECT_EQ(dlg.m_stylesAtInit[i] & SS_NOTIFY, 0u);
            d.OnWindowThread([&] { UpdateWindow(d.Dialog()); });
            EXPECT_NE(GetWindowLongA(hLink, GWL_STYLE) & SS_NOTIFY, 0);

            ColourAnswer answer = AskColours(d, hLink);
            if (c.bDrawnAsLink) {
                ExpectDrawnAsLink(answer, kUnvisited);
                // The controls have no font: the link underlines the default GUI font.
                ExpectUnderlinedCopy(answer.hFont, GetStockObject(DEFAULT_GUI_FONT));
            } else {
                EXPECT_NE(answer.hBrush, nullptr);
                EXPECT_NE(answer.hBrush, GetStockObject(NULL_BRUSH));
                EXPECT_NE(answer.text, kUnvisited);
                EXPECT_EQ(answer.hFont, answer.hFontBefore);
            }

            ClickStatic(d, hLink);
            ASSERT_FALSE(browser.Opened().empty());
            EXPECT_EQ(browser.Opened().back(), c.address);
            if (c.bDrawnAsLink)
                ExpectDrawnAsLink(AskColours(d, hLink), kVisited);
            else
                EXPECT_NE(AskColours(d, hLink).text, kVisited);
        }
        EXPECT_EQ(browser.Opened().size(), kLinkCount);
        EXPECT_EQ(browser.Beeps(), 0);
    });
    EXPECT_EQ(dlg.m_nCommands, 0) << "a click reached the dialog as a command";
}

} // namespace
