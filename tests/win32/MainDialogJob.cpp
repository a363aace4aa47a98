#include "MainDialogJob.h"

#include "res/resource.h"

#include <gtest/gtest.h>

bool IsIdle(const CDialogDriver& d)
{
    return d.Enabled(IDOK) && d.Enabled(IDC_MERGE) && !d.Enabled(IDC_STOP);
}

bool IsRunning(const CDialogDriver& d)
{
    return !d.Enabled(IDOK) && !d.Enabled(IDC_MERGE) && d.Enabled(IDC_STOP);
}

namespace {

// Clicks button and waits for the open-file dialog it should show.
HWND ClickForFileDialog(CDialogDriver& d, int button)
{
    d.Click(button);
    HWND hFileDlg = d.WaitForOwnedDialog(d.Dialog());
    if (hFileDlg == nullptr || !IsFileDialog(hFileDlg)) {
        ADD_FAILURE() << "no open-file dialog after button " << button;
        return nullptr;
    }
    return hFileDlg;
}

} // namespace

bool ChooseJobFile(CDialogDriver& d, int button, const std::string& path,
                   const std::string& pieceSize)
{
    d.SetText(IDC_PIECE_SIZE, pieceSize);
    HWND hFileDlg = ClickForFileDialog(d, button);
    if (hFileDlg == nullptr)
        return false;
    const bool bTaken = ChooseFile(hFileDlg, path);
    EXPECT_TRUE(bTaken) << "the file dialog did not take " << path;
    return bTaken;
}

bool StartJob(CDialogDriver& d, int button, const std::string& path, const std::string& pieceSize)
{
    if (!ChooseJobFile(d, button, path, pieceSize))
        return false;
    const bool bRunning = WaitFor([&] { return IsRunning(d); });
    EXPECT_TRUE(bRunning) << "the job did not start for " << path;
    return bRunning;
}

void FinishJob(CDialogDriver& d, const std::string& expectedText,
               const std::function<void()>& whileUp)
{
    HWND hBox = d.WaitForWorkerBox();
    ASSERT_NE(hBox, nullptr) << "no final message box from the worker";
    EXPECT_EQ(BoxText(hBox), expectedText);
    whileUp();
    Answer(hBox, IDOK);
    EXPECT_TRUE(WaitFor([&] { return IsIdle(d); })) << "the buttons did not return to idle";
}
