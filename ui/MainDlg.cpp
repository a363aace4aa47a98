#include "MainDlg.h"

#include "AboutDlg.h"
#include "HandCursor.h"
#include "StartDialog.h"
#include "WebBrowser.h"
#include "engine/JobState.h"
#include "engine/MergeWorker.h"
#include "engine/PiecePath.h"
#include "engine/SplitWorker.h"
#include "framework/DataExchange.h"
#include "framework/FileDialog.h"
#include "framework/FrameworkIds.h"
#include "framework/MessageBox.h"
#include "framework/PaintDC.h"
#include "framework/Rect.h"
#include "framework/WinApp.h"
#include "res/WebAddresses.h"
#include "res/resource.h"

#include <shlwapi.h>

namespace {

const int kMinPieceSizeMB = 1;
const int kMaxPieceSizeMB = 1000000;

// One-shot: the start screen, shortly after the window first shows.
const UINT_PTR kStartScreenTimer = 2;
const UINT kStartScreenDelayMs = 100;

// How long Close waits for a worker to see the cleared running flag and end.
const DWORD kCloseWaitMs = 10000;

} // namespace

BEGIN_MESSAGE_MAP(CMainDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_COMMAND(IDOK, &CMainDlg::OnSplit)
ON_COMMAND(IDCANCEL, &CMainDlg::OnCloseDialog)
ON_COMMAND(IDC_MERGE, &CMainDlg::OnMerge)
ON_WM_TIMER()
ON_COMMAND(IDC_STOP, &CMainDlg::OnStop)
ON_MESSAGE(WM_JOB_ENDED, &CMainDlg::OnJobEnded)
ON_MESSAGE(WM_JOB_STATUS, &CMainDlg::OnJobStatus)
ON_COMMAND(ID_HELP, &CMainDlg::OnHelpButton)
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CMainDlg::CMainDlg(CWnd* pParent)
    : CDialog(IDD_MAIN, pParent),
      m_hIcon(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))), m_dwWorkerId(0),
      m_hWorker(nullptr), m_nPieceSizeMB(650), m_pJob(new CJobState)
{
}

CMainDlg::~CMainDlg()
{
    m_pJob->Release();
}

INT_PTR CMainDlg::DoModal()
{
    INT_PTR result = CDialog::DoModal();
    m_pJob->DetachWindow();
    return result;
}

void CMainDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PIECE_SIZE, m_nPieceSizeMB);
    DDV_MinMaxInt(pDX, m_nPieceSizeMB, kMinPieceSizeMB, kMaxPieceSizeMB);
    DDX_Control(pDX, IDOK, m_btnSplit);
    DDX_Control(pDX, IDC_MERGE, m_btnMerge);
    DDX_Control(pDX, IDC_STOP, m_btnStop);
    DDX_Text(pDX, IDC_ACTION, m_strActionShown);
    DDX_Text(pDX, IDC_PROGRESS, m_strProgressShown);
    DDX_Control(pDX, IDC_INFO, m_staticInfo);
}

BOOL CMainDlg::OnInitDialog()
{
    // Before the base class, so that the link is ours from its first paint.
    m_webLink.SubclassDlgItem(IDC_WEBLINK, this);
    CDialog::OnInitDialog();
    m_pJob->AttachWindow(m_hWnd);

    AddAboutEntryToSystemMenu();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    SetTimer(kStartScreenTimer, kStartScreenDelayMs);
    m_btnStop.EnableWindow(FALSE);
    return TRUE; // the focus goes to the piece-size field, its text selected
}

void CMainDlg::AddAboutEntryToSystemMenu()
{
    HMENU hSysMenu = GetSystemMenu(FALSE);
    if (hSysMenu == nullptr)
        return;
    char text[256] = "";
    if (LoadStringA(AfxGetResourceHandle(), IDS_ABOUTBOX, text, sizeof(text)) <= 0)
        return;
    AppendMenuA(hSysMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUTBOX, text);
}

void CMainDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    // The system keeps the low four bits of a system command for itself.
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

// The window has no minimise button; should it be minimised all the same, it
// shows the program's icon.
void CMainDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect client;
    GetClientRect(&client);
    // Signed division, rounded toward zero: a client width of 0 gives -15.
    const int x = (client.Width() - cxIcon + 1) / 2;
    const int y = (client.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CMainDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

// Only the link can be clicked.
BOOL CMainDlg::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (ShowHandCursorOver(pWnd, &m_webLink))
        return TRUE;
    return CDialog::OnSetCursor(pWnd, nHitTest, message);
}

void CMainDlg::OnHelpButton()
{
    if (!OpenWebAddress(PARVION_HELP_URL))
        BeepFailedOpen();
}

void CMainDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kStartScreenTimer) {
        KillTimer(kStartScreenTimer);
        CStartDialog(nullptr).DoModal();
    }
    CDialog::OnTimer(nIDEvent);
}

void CMainDlg::OnSplit()
{
    // A command can arrive while its button is disabled (Enter on a default
    // button that was disabled while it had the focus, a posted command);
    // during a job it must not start a second worker on the same job state.
    if (!m_btnSplit.IsWindowEnabled())
        return;
    if (!UpdateData(TRUE))
        return;
    CFileDialog dialog(TRUE, "", "*.*", OFN_FILEMUSTEXIST, "All Files (*.*)|*.*||", this);
    if (!ChooseSourceFile(dialog))
        return;
    StartWorker(&SplitThreadProc);
}

void CMainDlg::OnMerge()
{
    if (!m_btnMerge.IsWindowEnabled())
        return;
    // The merge does not use the piece size, but an invalid one blocks it too.
    if (!UpdateData(TRUE))
        return;
    CFileDialog dialog(TRUE, "*.1", "*.1", OFN_FILEMUSTEXIST, "Filepiece (*.1)|*.1||", this);
    if (!ChooseSourceFile(dialog))
        return;
    if (!ConfirmOverwrite(DeriveBasePath(m_pJob->GetSourcePath())))
        return;
    StartWorker(&MergeThreadProc);
}

bool CMainDlg::ChooseSourceFile(CFileDialog& dialog)
{
    CloseWorkerHandle(); // a finished worker's handle is not kept past this point
    if (dialog.DoModal() != IDOK)
        return false;
    m_pJob->SetSourcePath(dialog.GetPathName());
    return true;
}

bool CMainDlg::ConfirmOverwrite(const CString& basePath)
{
    if (!PathFileExistsA(basePath))
        return true;
    CString question;
    question.Format("Source file: \n%s\nwill be overwritten!\nDo you want to continue?",
                    basePath.GetString());
    return AfxMessageBox(question, MB_YESNO | MB_ICONERROR | MB_DEFBUTTON2) != IDNO;
}

void CMainDlg::StartWorker(LPTHREAD_START_ROUTINE pfnWorker)
{
    m_pJob->SetRunning(true);
    // No worker runs now, so the size the job starts with is settled here.
    m_pJob->SetPieceSizeMB(m_nPieceSizeMB);
    m_pJob->AddRef(); // the worker's own, released as its last act
    m_hWorker = CreateThread(nullptr, 0, pfnWorker, m_pJob, 0, &m_dwWorkerId);
    if (m_hWorker == nullptr) {
        m_pJob->Release();
        AfxMessageBox("Create a worker thread failed.!", MB_OK);
        return;
    }
    m_btnStop.EnableWindow(TRUE);
    m_btnSplit.EnableWindow(FALSE);
    m_btnMerge.EnableWindow(FALSE);
}

void CMainDlg::OnStop()
{
    // The worker notices at its next check and ends with WM_JOB_ENDED, which
    // alone changes the buttons.
    m_pJob->SetRunning(false);
}

void CMainDlg::OnCloseDialog()
{
    m_pJob->SetRunning(false);
    if (m_hWorker != nullptr) {
        // The worker needs nothing from this thread to end, so the two cannot
        // wait for each other; a worker still in its final message box is
        // left behind after the time-out.
        WaitForSingleObject(m_hWorker, kCloseWaitMs);
        CloseWorkerHandle();
    }
    CDialog::OnCancel();
}

LRESULT CMainDlg::OnJobEnded(WPARAM, LPARAM)
{
    CloseWorkerHandle();
    m_btnStop.EnableWindow(FALSE);
    m_btnSplit.EnableWindow(TRUE);
    m_btnMerge.EnableWindow(TRUE);
    return 0;
}

LRESULT CMainDlg::OnJobStatus(WPARAM, LPARAM)
{
    // The message carries no text: the lines shown are the pending ones as
    // they are now. The loading exchange also puts the job's piece size back
    // into its field.
    m_strActionShown = m_pJob->GetAction();
    m_strProgressShown = m_pJob->GetProgress();
    UpdateData(FALSE);
    return 0;
}

void CMainDlg::CloseWorkerHandle()
{
    if (m_hWorker == nullptr)
        return;
    CloseHandle(m_hWorker);
    m_hWorker = nullptr;
}
