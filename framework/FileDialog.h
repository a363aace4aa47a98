// CFileDialog: the platform's explorer-style dialog for choosing one file to
// open (or a name to save under).
//
// The filter is a list of "label|pattern|" pairs ended by one more "|", as in
// "All Files (*.*)|*.*||". OFN_EXPLORER and OFN_ENABLEHOOK are added to the
// given flags (with a hook that leaves everything to the dialog), and the
// chosen path may be up to 259 characters long.
#pragma once

#include "Platform.h"
#include "String.h"

#include <commdlg.h>

#include <string>

class CWnd;

class CFileDialog {
public:
    explicit CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr,
                         const char* lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const char* lpszFilter = nullptr, CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user chose a file, IDCANCEL otherwise (also when the
    // dialog failed). Owned by the parent, or else by the main window.
    INT_PTR DoModal();
    // The full path of the chosen file.
    CString GetPathName() const;

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    CString m_strDefExt;
    std::string m_filter; // the pairs separated by NULs, ended by two
    char m_szFileName[MAX_PATH];
};
