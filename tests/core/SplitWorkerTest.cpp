// The split worker: pieces on disk, status lines, the final box and the
// order of the notifications, for whole runs, failures and stops.
#include "tests/support/JobHarness.h"
#include "tests/support/ScratchDir.h"
#include "engine/JobState.h"
#include "engine/MergeWorker.h"
#include "engine/SplitWorker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace
{

const size_t kMegabyte = 1024000; // two chunks: the unit of the piece size
const DWORD kExitFailed = 0xFFFFFFFF;

std::string PiecePath(const std::string& source, int number)
{
    return source + "." + std::to_string(number);
}

// Checks that the pieces on disk are the given slices of the source, one
// after another, and that no piece follows them.
void ExpectPieces(const std::string& sourcePath, const std::string& source,
                  const std::vector<size_t>& pieceSizes)
{
    size_t offset = 0;
    int number = 1;
    for (size_t size : pieceSizes) {
        const std::string piece = ReadFileBytes(PiecePath(sourcePath, number));
        EXPECT_EQ(size, piece.size()) << "piece " << number;
        EXPECT_TRUE(piece == source.substr(offset, size)) << "piece " << number << " content";
        offset += size;
        ++number;
    }
    EXPECT_FALSE(FileExists(PiecePath(sourcePath, number))) << "piece " << number << " exists";
}

struct SplitCase {
    const char* name;
    size_t sourceSize;
    int pieceSizeMB;
    std::vector<size_t> pieceSizes;
    int lastPiece; // of the last progress line; 0: the line stays empty
    int lastMb;
};

const SplitCase kSplitCases[] = {
    {"EmptySource", 0, 1, {0}, 0, 0},
    {"OneByte", 1, 1, {1}, 1, 0},
    {"OneChunk", 512000, 1, {512000}, 1, 0},
    {"ExactlyOnePiece", 1024000, 1, {1024000, 0}, 1, 1},
    {"OneByteOverOnePiece", 1024001, 1, {1024000, 1}, 2, 0},
    {"ThreeChunksInTwoMegabytePieces", 3 * 512000, 2, {1536000}, 1, 1},
    {"TwoPiecesAndATail", 2500000, 1, {1024000, 1024000, 452000}, 3, 0},
    {"TwoMegabytePiecesAndATail", 4500000, 2, {2048000, 2048000, 404000}, 3, 0},
    {"ChunkLessOneInLargePieces", 511999, 1000000, {511999}, 1, 0},
};

void PrintTo(const SplitCase& c, std::ostream* out)
{
    *out << c.name;
}

class SplitRun : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitRun, WritesSlicesOfTheSourceAndEndsAfterTheBox)
{
    const SplitCase& c = GetParam();
    CScratchDir dir;
    const std::string sourcePath = dir.File("film.avi");
    const std::string source = PatternBytes(c.sourceSize, 7);
    WriteFileBytes(sourcePath, source);

    CJobHarness harness;
    bool filesFreeDuringBox = false;
    harness.WhileBoxIsUp([&](const std::string&) {
        const std::string lastPiece = PiecePath(sourcePath, int(c.pieceSizes.size()));
        filesFreeDuringBox = OpensForExclusiveUse(sourcePath) && OpensForExclusiveUse(lastPiece);
    });
    EXPECT_EQ(0u, harness.RunSplit(sourcePath, c.pieceSizeMB));

    EXPECT_TRUE(filesFreeDuringBox) << "the files are closed before the box";
    ExpectPieces(sourcePath, source, c.pieceSizes);
    EXPECT_TRUE(ReadFileBytes(sourcePath) == source) << "the source changed";
    const size_t chunks = (c.sourceSize + CHUNK_SIZE - 1) / CHUNK_SIZE;
    EXPECT_EQ(std::string(2 + chunks, 's') + "be", harness.Trace())
        << "action, empty progress, one status per chunk, the box, then WM_JOB_ENDED";
    EXPECT_EQ(std::vector<std::string>{"Split finished!"}, harness.Boxes());
    EXPECT_STREQ(SplitActionText(sourcePath).c_str(), harness.Job().GetAction());
    const std::string lastProgress =
        c.lastPiece == 0 ? "" : SplitProgressText(PiecePath(sourcePath, c.lastPiece), c.lastMb);
    EXPECT_STREQ(lastProgress.c_str(), harness.Job().GetProgress());
}

INSTANTIATE_TEST_SUITE_P(Sizes, SplitRun, ::testing::ValuesIn(kSplitCases),
                         [](const ::testing::TestParamInfo<SplitCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(SplitWorker, NullArgumentOnlyShowsTheInvalidInputBox)
{
    for (LPTHREAD_START_ROUTINE worker : {SplitThreadProc, MergeThreadProc}) {
        CJobHarness harness;
        EXPECT_EQ(kExitFailed, worker(nullptr));
        EXPECT_EQ(std::vector<std::string>{"Worker thread input data invalid!\nRestart the "
                                           "application!"},
                  harness.Boxes());
        EXPECT_EQ("b", harness.Trace()) << "nothing is posted";
    }
}

TEST(SplitWorker, SourceThatDoesNotOpenEndsTheJobWithoutPieces)
{
    CScratchDir dir;
    const std::string folder = dir.File("folder");
    ASSERT_TRUE(MakeDirectory(folder));
    for (const std::string& sourcePath : {dir.File("missing.bin"), folder}) {
        SCOPED_TRACE(sourcePath);
        CJobHarness harness;
        EXPECT_EQ(0u, harness.RunSplit(sourcePath, 1));
        EXPECT_EQ(std::vector<std::string>{"Source file could not be opened!"}, harness.Boxes());
        EXPECT_EQ("ssbe", harness.Trace());
        EXPECT_STREQ(SplitActionText(sourcePath).c_str(), harness.Job().GetAction());
        EXPECT_STREQ("", harness.Job().GetProgress());
        EXPECT_FALSE(FileExists(PiecePath(sourcePath, 1)));
    }
}

// A directory in the way of a piece: the pieces before it stay whole, and
// the job ends with the failure code.
TEST(SplitWorker, PieceThatCannotBeCreatedEndsTheJob)
{
    struct Case {
        int blockedPiece;
        size_t sourceSize;
        const char* statuses; // before the box
    };
    for (const Case& c :
         {Case{1, 100, "ss"}, Case{2, 1500000, "ssss"}, Case{3, 2048000, "ssssss"}}) {
        SCOPED_TRACE("piece " + std::to_string(c.blockedPiece) + " blocked");
        CScratchDir dir;
        const std::string sourcePath = dir.File("data");
        const std::string source = PatternBytes(c.sourceSize, 3);
        WriteFileBytes(sourcePath, source);
        ASSERT_TRUE(MakeDirectory(PiecePath(sourcePath, c.blockedPiece)));

        CJobHarness harness;
        bool sourceFreeDuringBox = true;
        harness.WhileBoxIsUp(
            [&](const std::string&) { sourceFreeDuringBox = OpensForExclusiveUse(sourcePath); });
        EXPECT_EQ(kExitFailed, harness.RunSplit(sourcePath, 1));

        EXPECT_EQ(std::vector<std::string>{"Destination file could not be opened!"},
                  harness.Boxes());
        EXPECT_EQ(std::string(c.statuses) + "be", harness.Trace());
        EXPECT_TRUE(DirectoryExists(PiecePath(sourcePath, c.blockedPiece)));
        for (int n = 1; n < c.blockedPiece; ++n)
            EXPECT_TRUE(ReadFileBytes(PiecePath(sourcePath, n)) ==
                        source.substr((n - 1) * kMegabyte, kMegabyte))
                << "piece " << n;
        EXPECT_FALSE(FileExists(PiecePath(sourcePath, c.blockedPiece + 1)));
        const std::string progress =
            c.blockedPiece == 1 ? ""
                                : SplitProgressText(PiecePath(sourcePath, c.blockedPiece - 1), 1);
        EXPECT_STREQ(progress.c_str(), harness.Job().GetProgress());
        // This ending alone shows its box with the source still open.
        EXPECT_FALSE(sourceFreeDuringBox);
        EXPECT_TRUE(OpensForExclusiveUse(sourcePath)) << "the source was left open";
    }
}

TEST(SplitWorker, OverwritesItsPiecesAndLeavesHigherOnesAlone)
{
    CScratchDir dir;
    const std::string sourcePath = dir.File("film.avi");
    const std::string source = PatternBytes(1100000, 1);
    WriteFileBytes(sourcePath, source);
    const std::string oldPiece = PatternBytes(2000000, 99);
    for (int n : {1, 2, 5})
        WriteFileBytes(PiecePath(sourcePath, n), oldPiece);

    CJobHarness harness;
    EXPECT_EQ(0u, harness.RunSplit(sourcePath, 1));

    EXPECT_TRUE(ReadFileBytes(PiecePath(sourcePath, 1)) == source.substr(0, kMegabyte));
    EXPECT_TRUE(ReadFileBytes(PiecePath(sourcePath, 2)) == source.substr(kMegabyte));
    EXPECT_FALSE(FileExists(PiecePath(sourcePath, 3)));
    EXPECT_TRUE(ReadFileBytes(PiecePath(sourcePath, 5)) == oldPiece);
    EXPECT_EQ(std::vector<std::string>{"Split finished!"}, harness.Boxes());
}

TEST(SplitWorker, StopBeforeTheStartCreatesNoPiece)
{
    CScratchDir dir;
    const std::string sourcePath = dir.File("film.avi");
    WriteFileBytes(sourcePath, PatternBytes(700000));

    CJobHarness harness;
    harness.Job().SetRunning(false);
    EXPECT_EQ(0u, harness.RunSplit(sourcePath, 1));

    EXPECT_FALSE(FileExists(PiecePath(sourcePath, 1)));
    EXPECT_EQ(std::vector<std::string>{"Split finished!"}, harness.Boxes());
    EXPECT_EQ("ssbe", harness.Trace());
    EXPECT_STREQ(SplitActionText(sourcePath).c_str(), harness.Job().GetAction());
    EXPECT_STREQ("", harness.Job().GetProgress());
}

#ifndef _WIN32

// The progress line counts whole megabytes of the current piece.
TEST(SplitWorker, ProgressLineAtEachStatus)
{
    struct Case {
        size_t sourceSize;
        int pieceSizeMB;
        std::vector<std::pair<int, int>> lines; // (piece, Mb) after each chunk
    };
    const Case cases[] = {
        {1024000, 1, {{1, 0}, {1, 1}}},
        {3 * 512000, 2, {{1, 0}, {1, 1}, {1, 1}}},
        {1024001, 1, {{1, 0}, {1, 1}, {2, 0}}},
    };
    for (const Case& c : cases) {
        CScratchDir dir;
        const std::string sourcePath = dir.File("film.avi");
        WriteFileBytes(sourcePath, PatternBytes(c.sourceSize));
        CJobHarness harness;
        harness.RunSplit(sourcePath, c.pieceSizeMB);

        // At the first post (the action line) the progress line is still
        // empty, at the second it has just been emptied.
        std::vector<std::string> expected{"", ""};
        for (const auto& line : c.lines)
            expected.push_back(SplitProgressText(PiecePath(sourcePath, line.first), line.second));
        EXPECT_EQ(expected, harness.ProgressAtEachStatus()) << "size " << c.sourceSize;
    }
}

// What a split leaves when Stop is pressed right after the K-th status line:
// the endings of the split worked out for one source and piece size.
struct SplitEnding {
    std::vector<size_t> pieceSizes;
    bool stoppedInCopy; // the action line says so
    int lastPiece;      // of the last progress line; 0: empty
    int lastMb;
};

SplitEnding ExpectedEnding(size_t sourceSize, int pieceSizeMB, int stopAtStatus)
{
    const size_t pieceSize = pieceSizeMB * kMegabyte;
    const size_t chunksPerPiece = 2 * pieceSizeMB;
    const size_t allChunks = (sourceSize + CHUNK_SIZE - 1) / CHUNK_SIZE;
    // The status lines before the first chunk: the action and the empty progress.
    const size_t chunksWritten =
        stopAtStatus <= 2 ? 0 : std::min(allChunks, size_t(stopAtStatus - 2));

    SplitEnding ending{{}, false, 0, 0};
    if (chunksWritten > 0) {
        ending.lastPiece = int((chunksWritten - 1) / chunksPerPiece + 1);
        ending.lastMb = int(((chunksWritten - 1) % chunksPerPiece + 1) / 2);
    }
    const bool wholeLastChunk = chunksWritten * CHUNK_SIZE <= sourceSize;
    const bool pieceFull = chunksWritten > 0 && chunksWritten % chunksPerPiece == 0;
    const bool sourceLeft = chunksWritten * CHUNK_SIZE < sourceSize;
    size_t bytesWritten = sourceSize;
    size_t pieces = sourceSize / pieceSize + 1;
    if (stopAtStatus <= 2) {
        // Seen before the first piece is created.
        pieces = 0;
    } else if (stopAtStatus - 2 <= int(allChunks) && wholeLastChunk && (pieceFull || sourceLeft)) {
        // Seen before the next piece is created, or after the next read.
        bytesWritten = chunksWritten * CHUNK_SIZE;
        pieces = size_t(ending.lastPiece);
        ending.stoppedInCopy = !pieceFull;
    }
    for (size_t n = 0; n < pieces; ++n)
        ending.pieceSizes.push_back(std::min(pieceSize, bytesWritten - n * pieceSize));
    return ending;
}

struct StopCase {
    size_t sourceSize;
    int pieceSizeMB;
};

void PrintTo(const StopCase& c, std::ostream* out)
{
    *out << c.sourceSize << " bytes, N=" << c.pieceSizeMB;
}

class SplitStop : public ::testing::TestWithParam<StopCase>
{
};

TEST_P(SplitStop, LeavesWhatTheEndingSays)
{
    const StopCase c = GetParam();
    CScratchDir dir;
    const std::string sourcePath = dir.File("film.avi");
    const std::string source = PatternBytes(c.sourceSize, 5);
    WriteFileBytes(sourcePath, source);
    const int allChunks = int((c.sourceSize + CHUNK_SIZE - 1) / CHUNK_SIZE);

    for (int stopAt = 1; stopAt <= allChunks + 3; ++stopAt) {
        SCOPED_TRACE("stop at status " + std::to_string(stopAt));
        const SplitEnding expected = ExpectedEnding(c.sourceSize, c.pieceSizeMB, stopAt);
        {
            CJobHarness harness;
            harness.StopAtStatus(stopAt);
            EXPECT_EQ(0u, harness.RunSplit(sourcePath, c.pieceSizeMB));

            ExpectPieces(sourcePath, source, expected.pieceSizes);
            EXPECT_EQ(std::vector<std::string>{"Split finished!"}, harness.Boxes());
            EXPECT_TRUE(IsStatusThenBoxThenEnded(harness.Trace())) << harness.Trace();
            EXPECT_STREQ(expected.stoppedInCopy ? "Split stopped by user!"
                                                : SplitActionText(sourcePath).c_str(),
                         harness.Job().GetAction());
            const std::string progress =
                expected.lastPiece == 0
                    ? ""
                    : SplitProgressText(PiecePath(sourcePath, expected.lastPiece), expected.lastMb);
            EXPECT_STREQ(progress.c_str(), harness.Job().GetProgress());
        }
        for (int n = 1; FileExists(PiecePath(sourcePath, n)); ++n)
            std::remove(PiecePath(sourcePath, n).c_str());
    }
}

std::vector<StopCase> StopCases()
{
    std::vector<StopCase> cases;
    for (size_t size :
         {size_t(0), size_t(1), size_t(511999), size_t(512000), size_t(512001), size_t(1023999),
          size_t(1024000), size_t(1024001), size_t(2047999), size_t(2048000), size_t(2048001)}) {
        for (int pieceSizeMB : {1, 2})
            cases.push_back(StopCase{size, pieceSizeMB});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryChunkBoundary, SplitStop, ::testing::ValuesIn(StopCases()),
                         [](const ::testing::TestParamInfo<StopCase>& info) {
                             return "Size" + std::to_string(info.param.sourceSize) + "N" +
                                    std::to_string(info.param.pieceSizeMB);
                         });

// A few endings written out by hand, so that the model above is checked too.
TEST(SplitStopModel, AgreesWithTheEndingsWrittenOut)
{
    // Stop after the last chunk of an exact piece: the empty piece 2 is not made.
    EXPECT_EQ(std::vector<size_t>{1024000}, ExpectedEnding(1024000, 1, 4).pieceSizes);
    EXPECT_FALSE(ExpectedEnding(1024000, 1, 4).stoppedInCopy);
    // Stop after the first chunk of two: the second read is dropped.
    EXPECT_EQ(std::vector<size_t>{512000}, ExpectedEnding(1024001, 1, 3).pieceSizes);
    EXPECT_TRUE(ExpectedEnding(1024001, 1, 3).stoppedInCopy);
    // Stop after a short last chunk: the split had ended anyway.
    EXPECT_EQ((std::vector<size_t>{1024000, 1}), ExpectedEnding(1024001, 1, 5).pieceSizes);
    // Stop after a whole last chunk inside a piece: the next read finds the end.
    EXPECT_EQ(std::vector<size_t>{512000}, ExpectedEnding(512000, 1, 3).pieceSizes);
    // Stop before the first piece.
    EXPECT_TRUE(ExpectedEnding(0, 1, 2).pieceSizes.empty());
}

#endif // !_WIN32

} // namespace
