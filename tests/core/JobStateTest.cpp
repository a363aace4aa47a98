// The job state that the window thread and one worker share, and the two
// notifications that a worker posts to the window.
#include "tests/support/JobHarness.h"
#include "tests/support/ScratchDir.h"
#include "engine/JobState.h"
#include "engine/SplitWorker.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace
{

const DWORD kPatienceMs = 30000; // bounds every wait, so a fault cannot hang

// Takes out every message already posted to window.
std::vector<UINT> TakePosts(CNotifyWindow& window)
{
    std::vector<UINT> posts;
    while (const UINT message = window.PeekForMessage())
        posts.push_back(message);
    return posts;
}

TEST(JobState, GettersReturnCopiesOfOneValueEach)
{
    CNotifyWindow window;
    CJobStateRef job(new CJobState(window.GetSafeHwnd()));
    EXPECT_EQ(650, job->GetPieceSizeMB());
    EXPECT_FALSE(job->IsRunning());
    EXPECT_STREQ("", job->GetSourcePath());

    job->SetSourcePath("D:\\video\\film.avi");
    job->SetRunning(true);
    job->SetPieceSizeMB(1000000);
    job->SetAction("first action");
    job->SetProgress("first progress");
    const CString path = job->GetSourcePath();
    const CString action = job->GetAction();
    const CString progress = job->GetProgress();

    job->SetSourcePath("E:\\other");
    job->SetAction("second action");
    job->SetProgress("second progress");
    EXPECT_STREQ("D:\\video\\film.avi", path);
    EXPECT_STREQ("first action", action);
    EXPECT_STREQ("first progress", progress);
    EXPECT_STREQ("second action", job->GetAction());
    EXPECT_STREQ("second progress", job->GetProgress());
    EXPECT_EQ(1000000, job->GetPieceSizeMB());
    EXPECT_TRUE(job->IsRunning());
}

TEST(JobState, EachStatusSetterPostsOnceAndNothingElsePosts)
{
    CNotifyWindow window;
    CJobStateRef job(new CJobState(window.GetSafeHwnd()));
    job->SetSourcePath("a");
    job->SetRunning(true);
    job->SetPieceSizeMB(2);
    (void)job->GetAction();
    (void)job->GetProgress();
    (void)job->IsRunning();
    EXPECT_TRUE(TakePosts(window).empty());

    job->SetAction("same");
    job->SetAction("same"); // an unchanged text still tells the window
    job->SetProgress("");
    job->PostJobEnded();
    EXPECT_EQ((std::vector<UINT>{WM_JOB_STATUS, WM_JOB_STATUS, WM_JOB_STATUS, WM_JOB_ENDED}),
              TakePosts(window));
}

TEST(JobState, StatusHandledLateShowsTheLatestTextsEachTime)
{
    CNotifyWindow window;
    CJobStateRef job(new CJobState(window.GetSafeHwnd()));
    job->SetProgress("Writing : a.1    Mb : 0");
    job->SetProgress("Writing : a.1    Mb : 1");

    // The window's handling: each WM_JOB_STATUS shows the pending pair as it
    // finds it then.
    std::vector<std::string> shown;
    for (UINT message : TakePosts(window)) {
        ASSERT_EQ(WM_JOB_STATUS, message);
        shown.push_back(job->GetProgress().GetString());
    }
    EXPECT_EQ((std::vector<std::string>{"Writing : a.1    Mb : 1", "Writing : a.1    Mb : 1"}),
              shown);
}

TEST(JobState, PostsGoNowhereWhileNoWindowIsAttached)
{
    CNotifyWindow window;
    CJobStateRef job(new CJobState(window.GetSafeHwnd()));
    job->DetachWindow();
    job->SetAction("x");
    job->SetProgress("y");
    job->PostJobEnded();
    EXPECT_TRUE(TakePosts(window).empty());
    EXPECT_STREQ("x", job->GetAction()) << "the texts are still kept";

    job->AttachWindow(window.GetSafeHwnd());
    job->PostJobEnded();
    EXPECT_EQ(std::vector<UINT>{WM_JOB_ENDED}, TakePosts(window));
}

// A message box that stays up until the test lets it go, like a user who
// has not pressed OK yet.
class CHeldBox
{
public:
    CHeldBox() { AfxSetMessageBoxHandler(Show); }
    ~CHeldBox()
    {
        Dismiss();
        AfxSetMessageBoxHandler(nullptr);
    }

    bool WaitUntilShown()
    {
        std::unique_lock<std::mutex> hold(s_mutex);
        return s_changed.wait_for(hold, std::chrono::milliseconds(kPatienceMs),
                                  [] { return s_shown; });
    }

    void Dismiss()
    {
        std::lock_guard<std::mutex> hold(s_mutex);
        s_dismissed = true;
        s_changed.notify_all();
    }

    std::string Text()
    {
        std::lock_guard<std::mutex> hold(s_mutex);
        return s_text;
    }

private:
    static int Show(const char* text, UINT)
    {
        std::unique_lock<std::mutex> hold(s_mutex);
        s_text = text;
        s_shown = true;
        s_changed.notify_all();
        s_changed.wait_for(hold, std::chrono::milliseconds(kPatienceMs),
                           [] { return s_dismissed; });
        return IDOK;
    }

    static std::mutex s_mutex;
    static std::condition_variable s_changed;
    static bool s_shown;
    static bool s_dismissed;
    static std::string s_text;
};

std::mutex CHeldBox::s_mutex;
std::condition_variable CHeldBox::s_changed;
bool CHeldBox::s_shown = false;
bool CHeldBox::s_dismissed = false;
std::string CHeldBox::s_text;

// The dialog may end while its worker still waits in the final box: the
// worker's reference keeps the state alive, and its last post, after the
// window has gone, reaches nobody.
TEST(JobState, WorkerOutlivesTheOwnersReferenceAndTheWindow)
{
    CScratchDir dir;
    CNotifyWindow window;
    CHeldBox box;
    CJobState* job = new CJobState(window.GetSafeHwnd());
    job->SetSourcePath(dir.File("missing.bin").c_str());
    job->SetRunning(true);
    job->AddRef(); // the worker's
    HANDLE thread = CreateThread(nullptr, 0, SplitThreadProc, job, 0, nullptr);
    ASSERT_NE(nullptr, thread);

    ASSERT_TRUE(box.WaitUntilShown());
    EXPECT_EQ("Source file could not be opened!", box.Text());
    // The dialog closes: it detaches its window and lets its reference go.
    job->DetachWindow();
    job->Release();
    job = nullptr;
    const std::vector<UINT> beforeClose = TakePosts(window);

    box.Dismiss();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, kPatienceMs));
    DWORD exitCode = 1;
    GetExitCodeThread(thread, &exitCode);
    CloseHandle(thread);
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ((std::vector<UINT>{WM_JOB_STATUS, WM_JOB_STATUS}), beforeClose);
    EXPECT_TRUE(TakePosts(window).empty()) << "WM_JOB_ENDED went to a window that had gone";
}

// The product's arrangement: the worker on its own thread, the window thread
// handling each notification as it comes by reading the pending lines.
TEST(JobState, WindowThreadFollowsAWorkerOnItsOwnThread)
{
    CScratchDir dir;
    const std::string source = dir.File("film.avi");
    const size_t sourceSize = 5 * CHUNK_SIZE + 17;
    WriteFileBytes(source, PatternBytes(sourceSize));

    CJobHarness harness; // records the worker's box
    CJobState& job = harness.Job();
    job.SetSourcePath(source.c_str());
    job.SetPieceSizeMB(1);
    job.AddRef(); // the worker's
    HANDLE thread = CreateThread(nullptr, 0, SplitThreadProc, &job, 0, nullptr);
    ASSERT_NE(nullptr, thread);

    int statusCount = 0;
    std::string shownAction;
    std::string shownProgress;
    for (UINT message; (message = WaitForPost(harness.Window(), kPatienceMs)) != WM_JOB_ENDED;) {
        ASSERT_EQ(WM_JOB_STATUS, message) << "no WM_JOB_ENDED came in time";
        ++statusCount;
        shownAction = job.GetAction().GetString();
        shownProgress = job.GetProgress().GetString();
    }
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, kPatienceMs));
    CloseHandle(thread);

    EXPECT_EQ(0u, TakePosts(harness.Window()).size()) << "posts after WM_JOB_ENDED";
    EXPECT_EQ(2 + 6, statusCount) << "action, empty progress, one per chunk";
    EXPECT_EQ(SplitActionText(source), shownAction);
    EXPECT_EQ(SplitProgressText(source + ".3", 1), shownProgress);
    EXPECT_TRUE(job.IsRunning()) << "a job that ends by itself leaves the flag set";
    EXPECT_EQ(PatternBytes(sourceSize).substr(2 * 1024000), ReadFileBytes(source + ".3"));
}

} // namespace
