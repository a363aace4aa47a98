#include "DataExchange.h"
#include "MessageBox.h"
#include "NumberScan.h"
#include "Wnd.h"

namespace {

const char kPromptInteger[] = "Please enter an integer.";
const char kPromptIntegerRange[] = "Please enter an integer between %1 and %2.";

// Texts up to this length are compared before they are written, so that an
// unchanged control is not rewritten (and does not flicker).
const int kComparedTextLength = 255;

void SetTextIfChanged(HWND hWndCtrl, const char* text)
{
    int length = lstrlenA(text);
    if (length <= kComparedTextLength && GetWindowTextLengthA(hWndCtrl) == length) {
        char current[kComparedTextLength + 1];
        GetWindowTextA(hWndCtrl, current, sizeof(current));
        if (lstrcmpA(current, text) == 0)
            return;
    }
    SetWindowTextA(hWndCtrl, text);
}

CString ReplaceArguments(const char* pattern, const CString& first, const CString& second)
{
    CString result;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
            result += p[1] == '1' ? first : second;
            ++p;
        } else {
            result += *p;
        }
    }
    return result;
}

CString Decimal(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

void ReportFailure(CDataExchange* pDX, const char* prompt)
{
    AfxMessageBox(prompt, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_bEditLastControl = false;
    m_bNumberTooLong = false;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = true;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    m_bFailed = true;
    if (!m_bSaveAndValidate || m_hWndLastControl == nullptr)
        return;
    // Through the dialog manager, so that the default button follows the focus.
    SendMessageA(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndLastControl),
                 TRUE);
    if (GetFocus() != m_hWndLastControl)
        SetFocus(m_hWndLastControl);
    if (m_bEditLastControl)
        SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->HasFailed())
        return;
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (hWndCtrl == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate) {
        SetTextIfChanged(hWndCtrl, Decimal(value));
        return;
    }
    switch (ScanInt(AfxGetWindowText(hWndCtrl), &value)) {
    case NumberScan::NoDigits:
        ReportFailure(pDX, kPromptInteger);
        break;
    case NumberScan::TooLong:
        pDX->m_bNumberTooLong = true;
        break;
    case NumberScan::Number:
        break;
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->HasFailed())
        return;
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (hWndCtrl == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = AfxGetWindowText(hWndCtrl);
    else
        SetTextIfChanged(hWndCtrl, value);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX->HasFailed() || rControl.m_hWnd != nullptr)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl != nullptr)
        rControl.SubclassWindow(hWndCtrl);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || pDX->HasFailed())
        return;
    if (pDX->m_bNumberTooLong || value < minVal || value > maxVal)
        ReportFailure(pDX, ReplaceArguments(kPromptIntegerRange, Decimal(minVal), Decimal(maxVal)));
}
