// Dialog data exchange: a dialog's DoDataExchange lists its controls with the
// members they show, and UpdateData runs the list in one direction.
//
//   void CMainDlg::DoDataExchange(CDataExchange* pDX)
//   {
//       DDX_Text(pDX, IDC_PIECE_SIZE, m_nPieceSizeMB);
//       DDV_MinMaxInt(pDX, m_nPieceSizeMB, 1, 1000000);
//       DDX_Control(pDX, IDC_STOP, m_btnStop);
//   }
//
// Loading (m_bSaveAndValidate false) writes the members into the controls,
// leaving alone a control whose text is already the same, and never shows a
// message. Saving reads the controls back and validates them: the first
// failed check tells the user in a message box, puts the focus on the control
// it was about with its text selected, and every later step of that exchange
// does nothing; UpdateData(TRUE) then returns FALSE.
#pragma once

#include "Platform.h"
#include "String.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control nIDC, now the one a failed check is about.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);

    // Reports a failed check: focus on the control last prepared (its whole
    // text selected, for an edit), and the rest of the exchange skipped.
    void Fail();
    bool HasFailed() const { return m_bFailed; }

    // Set when the last number read had more digits than an int holds; the
    // range check that follows rejects it whatever the range.
    bool m_bNumberTooLong = false;

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;
    bool m_bFailed = false;
};

// A decimal integer: written without leading zeros; read as optional blanks,
// an optional sign and the digits up to the first other character, whatever
// follows ignored. Text without a digit fails with "Please enter an integer."
// and leaves value as it was; a number is stored before any range check.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Subclasses the control nIDC to rControl the first time; later runs do
// nothing.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// When saving: value from minVal to maxVal, or else "Please enter an integer
// between minVal and maxVal.".
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
