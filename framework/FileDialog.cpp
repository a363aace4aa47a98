#include "FileDialog.h"
#include "Wnd.h"

namespace {

UINT_PTR CALLBACK LeaveToDialog(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

// "label|pattern|...|" as the platform wants it: NUL-separated, two NULs at
// the end. The bars are found character by character, since a double-byte
// character may have a bar as its second byte.
std::string SplitFilter(const char* filter)
{
    std::string result;
    for (const char* p = filter; *p != '\0';) {
        const char* next = CharNextA(p);
        if (*p == '|' && next == p + 1)
            result += '\0';
        else
            result.append(p, static_cast<size_t>(next - p));
        p = next;
    }
    result += '\0'; // std::string supplies the second one
    return result;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd),
      m_strDefExt(lpszDefExt), m_szFileName()
{
    if (lpszFileName != nullptr)
        lstrcpynA(m_szFileName, lpszFileName, MAX_PATH);
    if (lpszFilter != nullptr)
        m_filter = SplitFilter(lpszFilter);

    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString();
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &LeaveToDialog;
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd);
    BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return CString(m_szFileName);
}
