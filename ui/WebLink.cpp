#include "WebLink.h"

#include "WebBrowser.h"

IMPLEMENT_DYNAMIC(CWebLink, CStatic)

BEGIN_MESSAGE_MAP(CWebLink, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_CONTROL_REFLECT(STN_CLICKED, &CWebLink::OnLinkClicked)
END_MESSAGE_MAP()

namespace {

// Only a plain left, centred or right text static passes: any other bit of
// the style's low byte (SS_NOPREFIX, a picture or frame type) is not drawn
// as a link.
const DWORD kTextStyleMask = 0xFF;

} // namespace

CWebLink::CWebLink()
    : m_crUnvisited(RGB(0, 0, 250)), m_crVisited(RGB(128, 0, 128)), m_bVisited(FALSE)
{
}

CWebLink::~CWebLink() = default;

HBRUSH CWebLink::CtlColor(CDC* pDC, UINT)
{
    // A static without SS_NOTIFY neither reports clicks nor counts as the
    // window under the mouse (its hit test is transparent), so the owner's
    // hand cursor would never show. The templates leave it out; it is added
    // here, whatever the control looks like.
    const DWORD style = GetStyle();
    if ((style & SS_NOTIFY) == 0)
        SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(style | SS_NOTIFY));
    if ((style & kTextStyleMask) > SS_RIGHT)
        return nullptr;

    if (m_fontUnderline.GetSafeHandle() == nullptr)
        CreateUnderlineFont();
    pDC->SelectObject(&m_fontUnderline);
    pDC->SetTextColor(m_bVisited ? m_crVisited : m_crUnvisited);
    pDC->SetBkMode(TRANSPARENT);
    // No background of its own: the dialog shows through around the text.
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

// The control's own font, underlined. Made once: a later change of the
// control's font is not followed.
void CWebLink::CreateUnderlineFont()
{
    HFONT hFont = GetFont();
    if (hFont == nullptr) // a dialog without a font of its own gives its controls none
        hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA logFont;
    if (GetObjectA(hFont, sizeof(logFont), &logFont) != sizeof(logFont))
        return;
    logFont.lfUnderline = TRUE;
    m_fontUnderline.CreateFontIndirect(&logFont);
}

void CWebLink::OnLinkClicked()
{
    // The address is the text at the first click; later changes of the text
    // do not move the link.
    if (m_strURL.IsEmpty())
        GetWindowText(m_strURL);
    if (!OpenWebAddress(m_strURL)) {
        BeepFailedOpen();
        return;
    }
    m_bVisited = TRUE;
    Invalidate(TRUE); // painted again at once, now in the visited colour
}
