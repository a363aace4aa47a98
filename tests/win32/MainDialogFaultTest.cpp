// Jobs that fail, seen through the main dialog: a file that another program
// holds, a read-only file, a disk that fills up. Each job is started as the
// user starts it, and each case checks the worker's final box, that the
// window is ready for the next job once the box is dismissed, that the job
// left no file open, and that it changed no byte it should not have.
#include "DialogDriver.h"
#include "MainDialogJob.h"
#include "QuietMainDlg.h"

#include "framework/FileException.h"
#include "tests/support/HeldFile.h"
#include "tests/support/JobHarness.h"
#include "tests/support/ScratchDir.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

enum class Job { Split, Merge };

// What stands in the job's way.
enum class Obstacle {
    None,
    HeldWithoutSharing, // another program's handle that shares nothing
    ReadOnly,           // the read-only attribute: no write access
};

// Puts an obstacle on a file, and takes it away again.
class CObstacle {
public:
    CObstacle(const std::string& path, Obstacle kind) : m_path(path), m_kind(kind)
    {
        if (kind == Obstacle::HeldWithoutSharing)
            m_held.reset(new CHeldFile(path, 0));
        else if (kind == Obstacle::ReadOnly)
            m_bReadOnly = SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY) != FALSE;
    }
    ~CObstacle() { Remove(); }
    CObstacle(const CObstacle&) = delete;
    CObstacle& operator=(const CObstacle&) = delete;

    bool IsInPlace() const
    {
        if (m_kind == Obstacle::HeldWithoutSharing)
            return m_held->IsHeld();
        return m_kind == Obstacle::None || m_bReadOnly;
    }

    void Remove()
    {
        if (m_held)
            m_held->Release();
        if (m_bReadOnly)
            SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
        m_bReadOnly = false;
    }

private:
    std::string m_path;
    Obstacle m_kind;
    std::unique_ptr<CHeldFile> m_held;
    bool m_bReadOnly = false;
};

struct FaultCase {
    const char* name;
    Job job;
    // The split's source, or the merge's pieces, by size. The files are
    // named film.avi (the source, or the whole file a merge writes) and
    // film.avi.1, film.avi.2, ... (the pieces).
    std::vector<size_t> sizes;
    const char* blocked; // suffix of the file in the way ("": film.avi), or null
    Obstacle obstacle;
    // The box: its first line; for a job stopped in the middle, also the
    // suffix of the file that failed and the system error whose words follow.
    const char* boxFirstLine;
    const char* failedFile;
    DWORD failedError;
    // Whole pieces written (split) or joined (merge) before the job ended,
    // and whether the file being written then was cut short.
    int piecesDone;
    bool bCut;
};

const char kFileName[] = "film.avi";

std::string Suffixed(const std::string& base, int n)
{
    return base + "." + std::to_string(n);
}

std::string ExpectedBox(const FaultCase& c, const std::string& base)
{
    if (c.failedFile == nullptr)
        return c.boxFirstLine;
    const std::string reason =
        CFileException(CFileException::none, static_cast<long>(c.failedError), "")
            .GetErrorMessage()
            .GetString();
    return std::string(c.boxFirstLine) + "\n" + base + c.failedFile + "\n" + reason;
}

// What a file should hold after the job: exactly bytes, or, when the job was
// cut short while writing it, a part of bytes from their start that is longer
// than atLeast and shorter than the whole.
struct ExpectedFile {
    std::string bytes;
    bool bCut = false;
    size_t atLeast = 0;
};

using FolderContent = std::map<std::string, ExpectedFile>;

// The files in folder (no subfolders), by name.
std::vector<std::string> FileNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE hSearch = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (hSearch == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(entry.cFileName);
    } while (FindNextFileA(hSearch, &entry));
    FindClose(hSearch);
    return names;
}

FolderContent Snapshot(const std::string& folder)
{
    FolderContent content;
    for (const std::string& name : FileNames(folder))
        content[name].bytes = ReadFileBytes(folder + "\\" + name);
    return content;
}

// Compared without printing the bytes: the files are megabytes long.
void ExpectFolderHolds(const std::string& folder, const FolderContent& expected)
{
    const FolderContent actual = Snapshot(folder);
    for (const auto& entry : actual) {
        if (expected.count(entry.first) == 0)
            ADD_FAILURE() << "the job left an unexpected file " << entry.first;
    }
    for (const auto& entry : expected) {
        const std::string& name = entry.first;
        const ExpectedFile& want = entry.second;
        auto found = actual.find(name);
        if (found == actual.end()) {
            ADD_FAILURE() << name << " is missing";
            continue;
        }
        const std::string& got = found->second.bytes;
        if (!want.bCut) {
            EXPECT_TRUE(got == want.bytes) << name << " holds " << got.size() << " bytes, not the "
                                           << want.bytes.size() << " expected";
            continue;
        }
        EXPECT_GT(got.size(), want.atLeast) << name << " lost what was written before";
        EXPECT_LT(got.size(), want.bytes.size()) << name << " was not cut short";
        EXPECT_TRUE(want.bytes.compare(0, got.size(), got) == 0)
            << "the " << got.size() << " bytes of " << name << " are not what was copied";
    }
}

// Nobody holds any file in folder any more.
void ExpectAllClosed(const std::string& folder)
{
    for (const std::string& name : FileNames(folder))
        EXPECT_TRUE(OpensForExclusiveUse(folder + "\\" + name)) << name << " was left open";
}

// Makes the files of the case in folder; returns what the folder should
// hold after the job.
FolderContent MakeFixture(const FaultCase& c, const std::string& folder)
{
    const std::string base = folder + "\\" + kFileName;
    std::vector<std::string> data; // the source, or the pieces
    for (size_t i = 0; i < c.sizes.size(); ++i)
        data.push_back(PatternBytes(c.sizes[i], static_cast<unsigned>(i + 1)));
    if (c.job == Job::Split)
        WriteFileBytes(base, data[0]);
    else
        for (size_t i = 0; i < data.size(); ++i)
            WriteFileBytes(Suffixed(base, static_cast<int>(i + 1)), data[i]);
    // The file in the way, if the job would otherwise make it, has older bytes.
    if (c.blocked != nullptr && !FileExists(base + c.blocked))
        WriteFileBytes(base + c.blocked, PatternBytes(1000, 77));

    FolderContent expected = Snapshot(folder);
    if (c.job == Job::Split) {
        const std::string& source = data[0];
        const size_t pieceCount = c.piecesDone + (c.bCut ? 1 : 0);
        for (size_t n = 1; n <= pieceCount; ++n) {
            ExpectedFile& piece = expected[Suffixed(kFileName, static_cast<int>(n))];
            piece.bytes = source.substr((n - 1) * kPieceBytesPerMB, kPieceBytesPerMB);
            piece.bCut = n > static_cast<size_t>(c.piecesDone);
        }
    } else if (c.piecesDone > 0 || c.bCut) {
        ExpectedFile& whole = expected[kFileName];
        whole = ExpectedFile();
        for (int n = 0; n < c.piecesDone; ++n)
            whole.bytes += data[n];
        whole.atLeast = whole.bytes.size();
        if (c.bCut)
            for (size_t n = c.piecesDone; n < data.size(); ++n)
                whole.bytes += data[n];
        whole.bCut = c.bCut;
    }
    return expected;
}

// Runs one case in the dialog, in folder, which holds no file yet.
void RunFaultCase(CDialogDriver& d, const FaultCase& c, const std::string& folder)
{
    SCOPED_TRACE(c.name);
    const std::string base = folder + "\\" + kFileName;
    const FolderContent expected = MakeFixture(c, folder);
    const bool bAsksToOverwrite = c.job == Job::Merge && FileExists(base);
    CObstacle obstacle(c.blocked != nullptr ? base + c.blocked : base, c.obstacle);
    ASSERT_TRUE(obstacle.IsInPlace()) << "the fixture could not put the obstacle in place";

    const int button = c.job == Job::Split ? IDOK : IDC_MERGE;
    // The file dialog only needs the chosen file to exist, held or not.
    ASSERT_TRUE(ChooseJobFile(d, button, c.job == Job::Split ? base : base + ".1"));
    if (bAsksToOverwrite) {
        HWND hQuestion = d.WaitForOwnedDialog(d.Dialog());
        ASSERT_NE(hQuestion, nullptr) << "no question before the file is overwritten";
        ASSERT_TRUE(IsMessageBox(hQuestion));
        EXPECT_NE(BoxText(hQuestion).find(base), std::string::npos) << BoxText(hQuestion);
        Answer(hQuestion, IDYES);
    }
    ASSERT_TRUE(WaitFor([&] { return IsRunning(d); })) << "the job did not start";
    FinishJob(d, ExpectedBox(c, base));

    obstacle.Remove();
    ExpectAllClosed(folder);
    ExpectFolderHolds(folder, expected);
}

void RemoveFiles(const std::string& folder)
{
    for (const std::string& name : FileNames(folder)) {
        const std::string path = folder + "\\" + name;
        EXPECT_TRUE(DeleteFileA(path.c_str())) << name << " could not be deleted";
    }
}

// After the failures, the same dialog still splits a file properly.
void ExpectAGoodSplit(CDialogDriver& d, const CScratchDir& scratch)
{
    const std::string path = scratch.File("after.bin");
    const std::string source = PatternBytes(kPieceBytesPerMB + 4321, 9);
    WriteFileBytes(path, source);
    ASSERT_TRUE(StartJob(d, IDOK, path));
    FinishJob(d, "Split finished!");
    EXPECT_TRUE(ReadFileBytes(path + ".1") == source.substr(0, kPieceBytesPerMB));
    EXPECT_TRUE(ReadFileBytes(path + ".2") == source.substr(kPieceBytesPerMB));
}

const size_t kSmallSource = 1500000; // a whole piece and a part of one

const FaultCase kBlockedFileCases[] = {
    {"split: the source held without sharing",
     Job::Split,
     {kSmallSource},
     "",
     Obstacle::HeldWithoutSharing,
     "Source file could not be opened!",
     nullptr,
     0,
     0,
     false},
    {"split: piece 2 held without sharing",
     Job::Split,
     {kSmallSource},
     ".2",
     Obstacle::HeldWithoutSharing,
     "Destination file could not be opened!",
     nullptr,
     0,
     1,
     false},
    {"split: piece 1 read-only",
     Job::Split,
     {kSmallSource},
     ".1",
     Obstacle::ReadOnly,
     "Destination file could not be opened!",
     nullptr,
     0,
     0,
     false},
    {"merge: piece 2 held without sharing",
     Job::Merge,
     {700000, 300, 100},
     ".2",
     Obstacle::HeldWithoutSharing,
     "Merge stopped: the file could not be opened.",
     ".2",
     ERROR_SHARING_VIOLATION,
     1,
     false},
    {"merge: the whole file held without sharing",
     Job::Merge,
     {700000, 300, 100},
     "",
     Obstacle::HeldWithoutSharing,
     "Source file could not be opened!",
     nullptr,
     0,
     0,
     false},
    {"merge: the whole file read-only",
     Job::Merge,
     {700000, 300, 100},
     "",
     Obstacle::ReadOnly,
     "Source file could not be opened!",
     nullptr,
     0,
     0,
     false},
};

TEST(MainDialogFault, FilesInTheWayEndTheJobWithItsBoxAndLeaveEverythingAsItWas)
{
    const size_t caseCount = sizeof(kBlockedFileCases) / sizeof(kBlockedFileCases[0]);
    // One folder per case and one for the split afterwards, alive until the
    // dialog has closed: the system's file dialog must never see the folder
    // it showed vanish.
    CScratchDir scratch[caseCount + 1];
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        for (size_t i = 0; i < caseCount; ++i)
            RunFaultCase(d, kBlockedFileCases[i], scratch[i].Path());
        ExpectAGoodSplit(d, scratch[caseCount]);
    });
}

// The small file systems hold 4 MiB each: a 3,072,000-byte source and its
// first piece fill all but 98,304 bytes, three pieces of 1,024,000 bytes
// leave room for a merged file of 1,122,304.
const FaultCase kDiskFullCases[] = {
    {"split: the disk fills up in piece 2",
     Job::Split,
     {3 * kPieceBytesPerMB},
     nullptr,
     Obstacle::None,
     "Split stopped: the file could not be written.",
     ".2",
     ERROR_DISK_FULL,
     1,
     true},
    {"merge: the disk fills up in the whole file",
     Job::Merge,
     {kPieceBytesPerMB, kPieceBytesPerMB, kPieceBytesPerMB},
     nullptr,
     Obstacle::None,
     "Merge stopped: the file could not be written.",
     "",
     ERROR_DISK_FULL,
     1,
     true},
};

TEST(MainDialogFault, AFullDiskStopsTheJobWithItsReason)
{
    std::string disks[2];
    for (int i = 0; i < 2; ++i) {
        std::string whyNot;
        disks[i] = SmallDisk(i == 0 ? "split" : "merge", whyNot);
        if (disks[i].empty())
            GTEST_SKIP() << whyNot;
        ASSERT_TRUE(FileNames(disks[i]).empty()) << disks[i] << " is not empty";
    }
    CScratchDir afterwards;
    CQuietMainDlg dlg;
    RunDialog(dlg, [&](CDialogDriver& d) {
        for (int i = 0; i < 2; ++i) {
            RunFaultCase(d, kDiskFullCases[i], disks[i]);
            RemoveFiles(disks[i]);
        }
        ExpectAGoodSplit(d, afterwards);
    });
    for (const std::string& disk : disks)
        RemoveFiles(disk); // after a failed case too
}

} // namespace
