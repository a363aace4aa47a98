// The application object: start-up through the layer's entry, the title, and
// who owns the message boxes.
#include "TestWindows.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>

namespace {

const UINT WM_LEFT_IN_QUEUE = WM_APP + 7;

TEST(Application, StartUpTakesTheTitleFromTheExecutableAndRunsNoMessageLoop)
{
    CTestApp& app = TestApp();
    int initCalls = 0;
    app.m_onInitInstance = [&] {
        ++initCalls;
        return FALSE;
    };
    int exitCallsBefore = app.m_nExitInstanceCalls;
    AfxSetAppTitle("stale title");
    // A message loop would take this message out of the queue.
    PostThreadMessageA(GetCurrentThreadId(), WM_LEFT_IN_QUEUE, 0, 0);

    char noArguments[] = "";
    int exitCode = AfxWinMain(GetModuleHandleA(nullptr), nullptr, noArguments, SW_SHOWNORMAL);
    app.m_onInitInstance = nullptr;

    EXPECT_EQ(0, exitCode);
    EXPECT_EQ(1, initCalls);
    EXPECT_EQ(exitCallsBefore + 1, app.m_nExitInstanceCalls);
    EXPECT_STREQ("window_layer_tests", app.m_pszAppName);
    EXPECT_STREQ("window_layer_tests", AfxGetAppTitle());
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_LEFT_IN_QUEUE, WM_LEFT_IN_QUEUE, PM_REMOVE));
}

struct SeenBox {
    bool answered = false;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
};

// Shows a real box from `show` and reads it from the helper thread.
SeenBox ShowAndAnswerBox(const std::function<void()>& show)
{
    SeenBox seen;
    CModalAnswerer answerer([](HWND hWnd) { return GetDlgItem(hWnd, 0xFFFF) != nullptr; },
                            [&seen](HWND hWndBox) {
                                seen.owner = GetWindow(hWndBox, GW_OWNER);
                                seen.caption = WindowText(hWndBox);
                                seen.text = WindowText(GetDlgItem(hWndBox, 0xFFFF));
                                PostMessageA(hWndBox, WM_COMMAND, IDOK, 0);
                            });
    show();
    seen.answered = answerer.Wait();
    return seen;
}

DWORD WINAPI ShowBoxFromWorker(LPVOID)
{
    AfxMessageBox("from a worker");
    return 0;
}

// The window thread keeps handling messages meanwhile, as the program's does:
// a box that it owned would otherwise wait for it for ever.
void ShowBoxFromWorkerThread()
{
    HANDLE worker = CreateThread(nullptr, 0, &ShowBoxFromWorker, nullptr, 0, nullptr);
    ASSERT_NE(nullptr, worker);
    while (MsgWaitForMultipleObjects(1, &worker, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    CloseHandle(worker);
}

TEST(Application, BoxesOfTheWindowThreadBelongToTheMainWindowAndAWorkersToNobody)
{
    CTestWindow mainWindow;
    CMainWndScope scope(&mainWindow);

    SeenBox fromWindowThread =
        ShowAndAnswerBox([] { EXPECT_EQ(IDOK, AfxMessageBox("from the window thread")); });
    ASSERT_TRUE(fromWindowThread.answered);
    EXPECT_EQ(mainWindow.m_hWnd, fromWindowThread.owner);
    EXPECT_EQ("window_layer_tests", fromWindowThread.caption);
    EXPECT_EQ("from the window thread", fromWindowThread.text);
    EXPECT_TRUE(mainWindow.IsWindowEnabled());

    SeenBox fromWorker = ShowAndAnswerBox(&ShowBoxFromWorkerThread);
    ASSERT_TRUE(fromWorker.answered);
    EXPECT_EQ(nullptr, fromWorker.owner);
    EXPECT_EQ("window_layer_tests", fromWorker.caption);
}

} // namespace
