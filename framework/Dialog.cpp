#include "Dialog.h"
#include "FrameworkIds.h"
#include "WinApp.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

struct TemplateHeader {
    DWORD style;
    short x;
    short y;
};

template <class T> T ReadAt(const BYTE* bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes + offset, sizeof(value));
    return value;
}

// The style and position from a dialog template, in either of its two forms.
bool ReadTemplateHeader(HINSTANCE hInstance, UINT nIDTemplate, TemplateHeader* header)
{
    HRSRC resource = FindResourceA(hInstance, MAKEINTRESOURCEA(nIDTemplate), RT_DIALOG);
    HGLOBAL loaded = resource != nullptr ? LoadResource(hInstance, resource) : nullptr;
    const BYTE* bytes =
        loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr || SizeofResource(hInstance, resource) < 22)
        return false;
    bool extended = ReadAt<WORD>(bytes, 0) == 1 && ReadAt<WORD>(bytes, 2) == 0xFFFF;
    if (extended) { // DLGTEMPLATEEX: version, signature, help id, extended style, style, ...
        header->style = ReadAt<DWORD>(bytes, 12);
        header->x = ReadAt<short>(bytes, 18);
        header->y = ReadAt<short>(bytes, 20);
    } else { // DLGTEMPLATE: style, extended style, item count, x, y, ...
        header->style = ReadAt<DWORD>(bytes, 0);
        header->x = ReadAt<short>(bytes, 10);
        header->y = ReadAt<short>(bytes, 12);
    }
    return true;
}

bool HelpCommandHandled()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    CWinApp* pApp = AfxGetApp();
    return (pMainWnd != nullptr && pMainWnd->HandlesCommand(ID_HELP)) ||
           (pApp != nullptr && pApp->HandlesCommand(ID_HELP));
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd != nullptr)
        return -1; // already running
    HWND hWndOwner = GetSafeOwner(m_pParentWnd);
    HookWindowCreate(this);
    INT_PTR result = DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                     hWndOwner, &TakeOverDlgProc, 0);
    // A template that could not be loaded never reached the hook.
    UnhookWindowCreate();
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (m_hWnd != nullptr)
        ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    RECT before;
    GetWindowRect(&before);
    BOOL result = OnInitDialog();
    if (m_hWnd == nullptr)
        return result;

    RECT after;
    GetWindowRect(&after);
    bool moved = std::memcmp(&before, &after, sizeof(RECT)) != 0;
    bool shownOrPlaced = (GetStyle() & (WS_VISIBLE | WS_CHILD | WS_MINIMIZE | WS_MAXIMIZE)) != 0;
    if (!moved && !shownOrPlaced && TemplateAsksForCentring())
        CenterWindow();
    return result;
}

bool CDialog::TemplateAsksForCentring() const
{
    TemplateHeader header;
    if (!ReadTemplateHeader(AfxGetResourceHandle(), m_nIDTemplate, &header))
        return false;
    return header.x == 0 && header.y == 0 && (header.style & DS_CENTER) == 0;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    if (CWnd* pHelp = GetDlgItem(ID_HELP))
        pHelp->ShowWindow(HelpCommandHandled() ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
