#include "StartDialog.h"

#include "HandCursor.h"
#include "WebBrowser.h"
#include "framework/Bitmap.h"
#include "framework/PaintDC.h"
#include "res/WebAddresses.h"
#include "res/resource.h"

namespace {

// The timer that ends the start screen, and how long the picture shows.
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kShowMilliseconds = 4000;

// The size of the picture IDB_START, drawn as it is, without scaling.
constexpr int kPictureWidth = 399;
constexpr int kPictureHeight = 266;

} // namespace

IMPLEMENT_DYNAMIC(CStartDialog, CDialog)

BEGIN_MESSAGE_MAP(CStartDialog, CDialog)
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CStartDialog::CStartDialog(CWnd* pParent) : CDialog(IDD_START, pParent) {}

BOOL CStartDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetTimer(kCloseTimer, kShowMilliseconds);
    return TRUE;
}

// Only the timer ends the start screen: Enter, Esc and a close request (which
// the dialog turns into Cancel) all land here and do nothing.
void CStartDialog::OnOK() {}

void CStartDialog::OnCancel()
{
    OnOK();
}

void CStartDialog::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kCloseTimer) {
        KillTimer(kCloseTimer);
        EndDialog(IDOK);
    }
    CDialog::OnTimer(nIDEvent);
}

// The picture is loaded for each paint and let go at once: the screen is
// painted only a few times in its 4 seconds. Should the picture be missing,
// the erased background shows instead.
void CStartDialog::OnPaint()
{
    CPaintDC dc(this);
    CBitmap picture;
    if (!picture.LoadBitmap(IDB_START))
        return;
    CDC memoryDC;
    memoryDC.CreateCompatibleDC(&dc);
    HBITMAP previous = memoryDC.SelectObject(&picture);
    dc.BitBlt(0, 0, kPictureWidth, kPictureHeight, &memoryDC, 0, 0, SRCCOPY);
    memoryDC.SelectObject(previous);
}

void CStartDialog::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!OpenWebAddress(PARVION_HOME_URL))
        BeepFailedOpen();
    CDialog::OnLButtonDown(nFlags, point);
}

// The whole window can be clicked, so the hand shows over all of it.
BOOL CStartDialog::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (ShowHandCursorOver(pWnd, this))
        return TRUE;
    return CDialog::OnSetCursor(pWnd, nHitTest, message);
}
