// What only the real platform shows about the engine: files held by another
// handle, the path length limit, the worker posting to a real window, and
// the real message box with its caption and owner. The last two make
// windows, so they need a display (scripts/with-wine.sh gives one).
#include "tests/support/HeldFile.h"
#include "tests/support/JobHarness.h"
#include "tests/support/ScratchDir.h"
#include "engine/JobState.h"
#include "engine/SplitWorker.h"
#include "framework/File.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include <windows.h>

namespace {

const size_t kMegabyte = 1024000;
const DWORD kExitFailed = 0xFFFFFFFF;
const DWORD kPatienceMs = 30000; // bounds every wait, so a fault cannot hang

struct HeldCase {
    const char* what;
    const char* heldName; // inside the scratch folder; the source is "data"
    DWORD shareMode;      // what the other handle allows
    const char* box;
    DWORD exitCode;
    int wholePieces; // pieces written before the job ended
};

const HeldCase kHeldCases[] = {
    {"source, no sharing", "data", 0, "Source file could not be opened!", 0, 0},
    {"source, read and write shared", "data", FILE_SHARE_READ | FILE_SHARE_WRITE,
     "Source file could not be opened!", 0, 0},
    {"piece 1, no sharing", "data.1", 0, "Destination file could not be opened!", kExitFailed, 0},
    {"piece 2, everything shared", "data.2", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
     "Destination file could not be opened!", kExitFailed, 1},
};

// The worker opens its files for its own use alone: a file that anyone
// else holds does not open, whatever the other handle shares.
TEST(WindowsShareModes, SplitRefusesFilesHeldByAnotherHandle)
{
    for (const HeldCase& c : kHeldCases) {
        SCOPED_TRACE(c.what);
        CScratchDir dir;
        const std::string sourcePath = dir.File("data");
        const std::string source = PatternBytes(1500000, 6);
        WriteFileBytes(sourcePath, source);
        const std::string heldPath = dir.File(c.heldName);
        const std::string heldBytes = PatternBytes(1000, 77);
        if (heldPath != sourcePath)
            WriteFileBytes(heldPath, heldBytes);
        CHeldFile held(heldPath, c.shareMode);
        ASSERT_TRUE(held.IsHeld());

        CJobHarness harness;
        bool sourceFreeDuringBox = true;
        harness.WhileBoxIsUp(
            [&](const std::string&) { sourceFreeDuringBox = OpensForExclusiveUse(sourcePath); });
        EXPECT_EQ(c.exitCode, harness.RunSplit(sourcePath, 1));
        held.Release();

        EXPECT_EQ(std::vector<std::string>{c.box}, harness.Boxes());
        EXPECT_TRUE(IsStatusThenBoxThenEnded(harness.Trace())) << harness.Trace();
        for (int n = 1; n <= c.wholePieces; ++n)
            EXPECT_TRUE(ReadFileBytes(dir.File("data." + std::to_string(n))) ==
                        source.substr((n - 1) * kMegabyte, kMegabyte));
        if (heldPath != sourcePath) {
            EXPECT_TRUE(ReadFileBytes(heldPath) == heldBytes) << "the held piece was changed";
            // This ending alone shows its box with the source still open,
            // and nobody else can open it then.
            EXPECT_FALSE(sourceFreeDuringBox);
        }
        EXPECT_TRUE(OpensForExclusiveUse(sourcePath)) << "the source was left open";
    }
}

TEST(WindowsShareModes, MergeFailsOnAHeldPieceAndOnAHeldDestination)
{
    CScratchDir dir;
    const std::string base = dir.File("whole");
    const std::string first = PatternBytes(700000, 1);
    WriteFileBytes(base + ".1", first);
    WriteFileBytes(base + ".2", PatternBytes(100, 2));
    {
        CHeldFile held(base + ".2", 0);
        ASSERT_TRUE(held.IsHeld());
        CJobHarness harness;
        EXPECT_EQ(0u, harness.RunMerge(base + ".1"));
        held.Release();
        const std::vector<std::string> boxes = harness.Boxes();
        ASSERT_EQ(1u, boxes.size());
        const std::string prefix = "Merge stopped: the file could not be opened.\n" + base + ".2\n";
        EXPECT_EQ(prefix, boxes[0].substr(0, prefix.size()));
        EXPECT_LT(prefix.size(), boxes[0].size()) << "the system's reason is missing";
        EXPECT_EQ("sssbe", harness.Trace());
        EXPECT_TRUE(OpensForExclusiveUse(base)) << "the destination was left open";
        EXPECT_TRUE(ReadFileBytes(base) == first) << "what was joined stays";
    }
    {
        const std::string before = PatternBytes(300, 3);
        WriteFileBytes(base, before);
        CHeldFile held(base, FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(held.IsHeld());
        CJobHarness harness;
        EXPECT_EQ(0u, harness.RunMerge(base + ".1"));
        held.Release();
        EXPECT_EQ(std::vector<std::string>{"Source file could not be opened!"}, harness.Boxes());
        EXPECT_EQ("ssbe", harness.Trace());
        EXPECT_TRUE(ReadFileBytes(base) == before) << "a held destination was changed";
        EXPECT_TRUE(OpensForExclusiveUse(base + ".1")) << "a piece was left open";
    }
}

// A path of exactly length characters inside dir, made of nested folders.
std::string PathOfLength(const CScratchDir& dir, size_t length)
{
    std::string folder = dir.Path();
    while (folder.size() + 1 + 60 + 20 < length) {
        folder += "\\" + std::string(60, 'd');
        MakeDirectory(folder);
    }
    return folder + "\\" + std::string(length - folder.size() - 1, 'f');
}

struct LongPathCase {
    size_t pathLength;
    size_t sourceSize;
    const char* box;
    DWORD exitCode;
    int wholePieces;
};

// Paths of 260 characters or more do not open: a piece whose name reaches
// that length cannot be created, and the pieces before it stay.
TEST(WindowsPathLimit, PieceNamesThatReach260CharactersFail)
{
    const LongPathCase cases[] = {
        {257, 9 * kMegabyte + 100, "Destination file could not be opened!", kExitFailed, 9},
        {258, 100, "Destination file could not be opened!", kExitFailed, 0},
        {259, 100, "Destination file could not be opened!", kExitFailed, 0},
        {260, 100, "Source file could not be opened!", 0, 0},
    };
    for (const LongPathCase& c : cases) {
        SCOPED_TRACE("source path of " + std::to_string(c.pathLength) + " characters");
        CScratchDir dir;
        const std::string sourcePath = PathOfLength(dir, c.pathLength);
        ASSERT_EQ(c.pathLength, sourcePath.size());
        const std::string source = PatternBytes(c.sourceSize, 9);
        WriteFileBytes(sourcePath, source);
        if (c.pathLength < 260) {
            ASSERT_TRUE(FileExists(sourcePath));
        }

        CJobHarness harness;
        EXPECT_EQ(c.exitCode, harness.RunSplit(sourcePath, 1));

        EXPECT_EQ(std::vector<std::string>{c.box}, harness.Boxes());
        EXPECT_TRUE(IsStatusThenBoxThenEnded(harness.Trace())) << harness.Trace();
        for (int n = 1; n <= c.wholePieces; ++n) {
            const std::string piece = sourcePath + "." + std::to_string(n);
            EXPECT_TRUE(ReadFileBytes(piece) == source.substr((n - 1) * kMegabyte, kMegabyte))
                << "piece " << n;
            DeleteFileA(piece.c_str());
        }
        DeleteFileA(sourcePath.c_str());
    }
}

// A window like the main dialog as far as the worker's posts go: it counts
// them, and on each status it shows the pending lines as it finds them.
struct WindowRecord {
    CJobState* job = nullptr;
    int statusCount = 0;
    int endedCount = 0;
    int statusAfterEnded = 0;
    std::string shownAction;
    std::string shownProgress;
};

LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* record = reinterpret_cast<WindowRecord*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (record != nullptr && message == WM_JOB_STATUS) {
        ++record->statusCount;
        record->statusAfterEnded += record->endedCount;
        record->shownAction = record->job->GetAction().GetString();
        record->shownProgress = record->job->GetProgress().GetString();
        return 0;
    }
    if (record != nullptr && message == WM_JOB_ENDED) {
        ++record->endedCount;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateRecordingWindow(WindowRecord& record)
{
    static const ATOM registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordingWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ParvionEngineTestWindow";
        return RegisterClassA(&windowClass);
    }();
    (void)registered;
    HWND window = CreateWindowExA(0, "ParvionEngineTestWindow", "engine test", WS_OVERLAPPED, 0, 0,
                                  100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&record));
    return window;
}

// Dispatches this thread's messages until done() holds or the patience runs out.
template <typename Condition> bool PumpMessagesUntil(Condition done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kPatienceMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    return true;
}

TEST(WindowsRealWindow, WorkerPostsReachTheWindowProcedure)
{
    CScratchDir dir;
    const std::string sourcePath = dir.File("film.avi");
    const size_t sourceSize = 4 * CHUNK_SIZE + 3;
    WriteFileBytes(sourcePath, PatternBytes(sourceSize));

    CJobHarness harness; // records the worker's box
    WindowRecord record;
    record.job = &harness.Job();
    HWND window = CreateRecordingWindow(record);
    ASSERT_NE(nullptr, window);
    harness.Job().AttachWindow(window);
    harness.Job().SetSourcePath(sourcePath.c_str());
    harness.Job().SetPieceSizeMB(1);
    harness.Job().AddRef(); // the worker's
    HANDLE thread = CreateThread(nullptr, 0, SplitThreadProc, &harness.Job(), 0, nullptr);
    ASSERT_NE(nullptr, thread);

    EXPECT_TRUE(PumpMessagesUntil([&] { return record.endedCount > 0; }));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, kPatienceMs));
    CloseHandle(thread);
    PumpMessagesUntil([] { return true; });
    MSG late;
    while (PeekMessageA(&late, window, 0, 0, PM_REMOVE))
        DispatchMessageA(&late);
    harness.Job().DetachWindow();
    DestroyWindow(window);

    EXPECT_EQ(1, record.endedCount);
    EXPECT_EQ(0, record.statusAfterEnded);
    EXPECT_EQ(2 + 5, record.statusCount) << "action, empty progress, one per chunk";
    EXPECT_EQ(SplitActionText(sourcePath), record.shownAction);
    EXPECT_EQ(SplitProgressText(sourcePath + ".3", 0), record.shownProgress);
    EXPECT_EQ(std::vector<std::string>{"Split finished!"}, harness.Boxes());
}

// What a person sees of a message box.
struct BoxSeen {
    HWND box = nullptr;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    bool ownerEnabled = true;
};

BOOL CALLBACK TakeDialogOfThisProcess(HWND window, LPARAM found)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[16] = "";
    GetClassNameA(window, className, sizeof(className));
    if (processId != GetCurrentProcessId() || std::string(className) != "#32770")
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Waits for a message box of this process and reads it as a person would.
BoxSeen FindMessageBox()
{
    BoxSeen seen;
    const DWORD start = GetTickCount();
    while (seen.box == nullptr && GetTickCount() - start < kPatienceMs) {
        EnumWindows(TakeDialogOfThisProcess, reinterpret_cast<LPARAM>(&seen.box));
        if (seen.box == nullptr)
            Sleep(20);
    }
    if (seen.box == nullptr)
        return seen;
    char text[512] = "";
    GetWindowTextA(seen.box, text, sizeof(text));
    seen.caption = text;
    GetDlgItemTextA(seen.box, 0xFFFF, text, sizeof(text));
    seen.text = text;
    seen.owner = GetWindow(seen.box, GW_OWNER);
    seen.ownerEnabled = seen.owner != nullptr && IsWindowEnabled(seen.owner);
    return seen;
}

void PressOk(HWND box)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

HWND g_mainWindow = nullptr;
DWORD g_mainThreadId = 0;

HWND MainWindowOnItsThread()
{
    return GetCurrentThreadId() == g_mainThreadId ? g_mainWindow : nullptr;
}

// The window thread's main window, as the window layer reports it to the
// message boxes, for the life of a test.
class CMainWindow {
public:
    CMainWindow()
    {
        g_mainWindow =
            CreateWindowExA(0, "STATIC", "main window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                            200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        g_mainThreadId = GetCurrentThreadId();
        AfxSetMessageBoxOwnerQuery(MainWindowOnItsThread);
    }
    ~CMainWindow()
    {
        AfxSetMessageBoxOwnerQuery(nullptr);
        DestroyWindow(g_mainWindow);
        g_mainWindow = nullptr;
    }
    HWND Get() const { return g_mainWindow; }
};

TEST(WindowsMessageBox, WorkersBoxHasTheProgramsNameAndNoOwner)
{
    CScratchDir dir;
    CMainWindow mainWindow;
    ASSERT_NE(nullptr, mainWindow.Get());
    CNotifyWindow window;
    CJobState* job = new CJobState(window.GetSafeHwnd());
    CJobStateRef owner(job);
    job->SetSourcePath(dir.File("missing.bin").c_str());
    job->SetRunning(true);
    job->AddRef(); // the worker's
    HANDLE thread = CreateThread(nullptr, 0, SplitThreadProc, job, 0, nullptr);
    ASSERT_NE(nullptr, thread);

    const BoxSeen seen = FindMessageBox();
    ASSERT_NE(nullptr, seen.box) << "no message box came up";
    // The worker waits in its box: nothing has ended yet.
    std::vector<UINT> postsBeforeOk;
    while (const UINT message = window.PeekForMessage())
        postsBeforeOk.push_back(message);
    PressOk(seen.box);

    EXPECT_EQ(WM_JOB_ENDED, WaitForPost(window, kPatienceMs));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, kPatienceMs));
    CloseHandle(thread);

    EXPECT_EQ("engine_windows_tests", seen.caption);
    EXPECT_EQ("Source file could not be opened!", seen.text);
    EXPECT_EQ(nullptr, seen.owner) << "a worker's box has no owner";
    EXPECT_TRUE(IsWindowEnabled(mainWindow.Get()));
    for (UINT message : postsBeforeOk)
        EXPECT_EQ(WM_JOB_STATUS, message) << "posted while the box was up";
}

TEST(WindowsMessageBox, WindowThreadsBoxIsOwnedByTheMainWindow)
{
    CMainWindow mainWindow;
    ASSERT_NE(nullptr, mainWindow.Get());
    BoxSeen seen;
    std::thread answer([&seen] {
        seen = FindMessageBox();
        PressOk(seen.box);
    });
    const int pressed = AfxMessageBox("Please enter an integer.");
    answer.join();

    EXPECT_EQ(IDOK, pressed);
    EXPECT_EQ("engine_windows_tests", seen.caption);
    EXPECT_EQ("Please enter an integer.", seen.text);
    EXPECT_EQ(mainWindow.Get(), seen.owner);
    EXPECT_FALSE(seen.ownerEnabled) << "the main window stays usable under its box";
    EXPECT_TRUE(IsWindowEnabled(mainWindow.Get())) << "enabled again afterwards";
}

} // namespace
