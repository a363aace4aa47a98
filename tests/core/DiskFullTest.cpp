// A disk that fills up in the middle of a copy. The test run mounts two small
// file systems (see tests/full-disk.sh) and names their parent folder in
// PARVION_FULL_DISK_DIR; each holds 3,072,000 bytes and 1,122,304 more.
#include "tests/support/JobHarness.h"
#include "tests/support/ScratchDir.h"
#include "framework/FileException.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const size_t kMegabyte = 1024000;
const size_t kSourceSize = 3 * kMegabyte;

#ifdef _WIN32
const char kSeparator = '\\';
const long kDiskFullError = ERROR_DISK_FULL;
#else
const char kSeparator = '/';
const long kDiskFullError = ENOSPC;
#endif

// Removes the files a test made on the small disk, so that it is empty again.
class CFilesToRemove {
public:
    explicit CFilesToRemove(std::vector<std::string> paths) : m_paths(std::move(paths)) {}
    ~CFilesToRemove()
    {
        for (const std::string& path : m_paths)
            std::remove(path.c_str());
    }

private:
    std::vector<std::string> m_paths;
};

// Nobody holds the file any more: it opens for exclusive use, and it can be
// deleted.
void ExpectClosed(const std::string& path)
{
    EXPECT_TRUE(OpensForExclusiveUse(path)) << path << " is still held";
    EXPECT_EQ(0, std::remove(path.c_str())) << path << " could not be deleted";
}

// Records whether the files were closed by the time the box came up.
void CheckClosedDuringBox(CJobHarness& harness, const std::vector<std::string>& paths,
                          bool& allClosed)
{
    harness.WhileBoxIsUp([&paths, &allClosed](const std::string&) {
        allClosed = true;
        for (const std::string& path : paths)
            allClosed = allClosed && OpensForExclusiveUse(path);
    });
}

void ExpectFailureBox(const std::vector<std::string>& boxes, const std::string& firstLine,
                      const std::string& path)
{
    ASSERT_EQ(1u, boxes.size());
    const std::string reason =
        CFileException(CFileException::diskFull, kDiskFullError, "").GetErrorMessage().GetString();
    EXPECT_EQ(firstLine + "\n" + path + "\n" + reason, boxes[0]);
}

TEST(DiskFull, SplitStopsInTheMiddleOfAPieceAndSaysWhy)
{
    std::string whyNot;
    const std::string disk = SmallDisk("split", whyNot);
    if (disk.empty())
        GTEST_SKIP() << whyNot;
    const std::string sourcePath = disk + kSeparator + "whole.bin";
    CFilesToRemove cleanup({sourcePath, sourcePath + ".1", sourcePath + ".2", sourcePath + ".3"});
    const std::string source = PatternBytes(kSourceSize, 2);
    WriteFileBytes(sourcePath, source);
    ASSERT_TRUE(ReadFileBytes(sourcePath) == source) << "the source does not fit on " << disk;

    CJobHarness harness;
    bool closedDuringBox = false;
    const std::vector<std::string> jobFiles{sourcePath, sourcePath + ".2"};
    CheckClosedDuringBox(harness, jobFiles, closedDuringBox);
    EXPECT_EQ(0xFFFFFFFFu, harness.RunSplit(sourcePath, 1));

    EXPECT_TRUE(closedDuringBox) << "the files are closed before the box";
    ExpectFailureBox(harness.Boxes(), "Split stopped: the file could not be written.",
                     sourcePath + ".2");
    EXPECT_TRUE(IsStatusThenBoxThenEnded(harness.Trace())) << harness.Trace();
    EXPECT_TRUE(ReadFileBytes(sourcePath + ".1") == source.substr(0, kMegabyte));
    const std::string cut = ReadFileBytes(sourcePath + ".2");
    EXPECT_LT(cut.size(), kMegabyte);
    EXPECT_TRUE(cut == source.substr(kMegabyte, cut.size())) << "what was written stays";
    EXPECT_FALSE(FileExists(sourcePath + ".3"));
    EXPECT_TRUE(ReadFileBytes(sourcePath) == source) << "the source changed";
    ExpectClosed(sourcePath + ".2");
    ExpectClosed(sourcePath);
}

TEST(DiskFull, MergeStopsInTheMiddleOfTheWholeFileAndSaysWhy)
{
    std::string whyNot;
    const std::string disk = SmallDisk("merge", whyNot);
    if (disk.empty())
        GTEST_SKIP() << whyNot;
    const std::string basePath = disk + kSeparator + "whole.bin";
    CFilesToRemove cleanup({basePath, basePath + ".1", basePath + ".2", basePath + ".3"});
    std::string joined;
    for (int n = 1; n <= 3; ++n) {
        const std::string piece = PatternBytes(kMegabyte, unsigned(n));
        WriteFileBytes(basePath + "." + std::to_string(n), piece);
        ASSERT_TRUE(ReadFileBytes(basePath + "." + std::to_string(n)) == piece)
            << "the pieces do not fit on " << disk;
        joined += piece;
    }

    CJobHarness harness;
    bool closedDuringBox = false;
    const std::vector<std::string> jobFiles{basePath, basePath + ".2"};
    CheckClosedDuringBox(harness, jobFiles, closedDuringBox);
    EXPECT_EQ(0u, harness.RunMerge(basePath + ".1"));

    EXPECT_TRUE(closedDuringBox) << "the files are closed before the box";
    ExpectFailureBox(harness.Boxes(), "Merge stopped: the file could not be written.", basePath);
    EXPECT_TRUE(IsStatusThenBoxThenEnded(harness.Trace())) << harness.Trace();
    const std::string cut = ReadFileBytes(basePath);
    EXPECT_GT(cut.size(), kMegabyte);
    EXPECT_LT(cut.size(), joined.size());
    EXPECT_TRUE(cut == joined.substr(0, cut.size())) << "what was written stays";
    for (int n = 1; n <= 3; ++n) {
        const std::string piece = basePath + "." + std::to_string(n);
        EXPECT_TRUE(ReadFileBytes(piece) == joined.substr((n - 1) * kMegabyte, kMegabyte))
            << piece << " changed";
        ExpectClosed(piece);
    }
    ExpectClosed(basePath);
}

} // namespace
