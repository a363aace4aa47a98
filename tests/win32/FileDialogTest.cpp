// The open-file dialog: the chosen path comes back, the filter string is
// offered as given, the main window owns the dialog; cancelling returns
// IDCANCEL.
#include "TestWindows.h"
#include "framework/FileDialog.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <dlgs.h>

namespace {

bool IsFileDialog(HWND hWnd)
{
    return GetDlgItem(hWnd, cmb13) != nullptr || GetDlgItem(hWnd, edt1) != nullptr;
}

void TypeFileName(HWND hWndDialog, const std::string& path)
{
    HWND hWndName = GetDlgItem(hWndDialog, cmb13);
    SetWindowTextA(hWndName != nullptr ? hWndName : GetDlgItem(hWndDialog, edt1), path.c_str());
}

TEST(FileDialog, ChosenFileComesBackWithItsFullPath)
{
    CScratchDir folder;
    std::string path = folder.File("chosen.bin");
    WriteFileBytes(path, "x");
    CTestWindow mainWindow;
    CMainWndScope scope(&mainWindow);

    CFileDialog dialog(TRUE, "", "*.*", OFN_FILEMUSTEXIST, "All Files (*.*)|*.*||");
    HWND owner = nullptr;
    std::string filterShown;
    CModalAnswerer answerer(&IsFileDialog, [&](HWND hWndDialog) {
        owner = GetWindow(hWndDialog, GW_OWNER);
        filterShown = WindowText(GetDlgItem(hWndDialog, cmb1));
        TypeFileName(hWndDialog, path);
        PostMessageA(hWndDialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    ASSERT_TRUE(answerer.Wait());

    EXPECT_STREQ(path.c_str(), dialog.GetPathName());
    EXPECT_EQ(mainWindow.m_hWnd, owner);
    EXPECT_EQ("All Files (*.*)", filterShown);
}

TEST(FileDialog, CancelledDialogReturnsIdCancel)
{
    CFileDialog dialog(TRUE, "*.1", "*.1", OFN_FILEMUSTEXIST, "Filepiece (*.1)|*.1||");
    CModalAnswerer answerer(
        &IsFileDialog, [](HWND hWndDialog) { PostMessageA(hWndDialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(answerer.Wait());
}

} // namespace
