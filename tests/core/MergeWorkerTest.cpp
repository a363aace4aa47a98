// The merge worker: which pieces it joins, what the destination holds, the
// status lines, the final box and the order of the notifications.
#include "tests/support/JobHarness.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/WaitFor.h"
#include "engine/JobState.h"
#include "framework/File.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h> // mkfifo
#include <thread>
#include <unistd.h>
#endif

namespace {

#ifndef _WIN32
bool WriteAll(int fd, const char* data, size_t count)
{
    while (count > 0) {
        const ssize_t written = write(fd, data, count);
        if (written <= 0)
            return false;
        data += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}
#endif

const char kNoPieces[] = "Could not open any of the pieces(filename.n files)!";

struct FileSpec {
    const char* name;
    size_t size;
};

// Writes each file with bytes of its own and returns what it holds.
std::map<std::string, std::string> WriteFiles(const CScratchDir& dir,
                                              const std::vector<FileSpec>& files)
{
    std::map<std::string, std::string> contents;
    unsigned seed = 11;
    for (const FileSpec& file : files) {
        contents[file.name] = PatternBytes(file.size, seed++);
        WriteFileBytes(dir.File(file.name), contents[file.name]);
    }
    return contents;
}

struct MergeCase {
    const char* name;
    std::vector<FileSpec> files;
    const char* chosen;
    const char* base;
    std::vector<const char*> joined; // the pieces the destination holds, in order
    const char* box;
    const char* lastPieceRead; // of the progress line; nullptr: it stays empty
};

const MergeCase kMergeCases[] = {
    {"TwoChunksAndFiveBytesThenThreeBytes",
     {{"a.bin.1", 2 * 512000 + 5}, {"a.bin.2", 3}},
     "a.bin.1",
     "a.bin",
     {"a.bin.1", "a.bin.2"},
     "Merge finished!",
     "a.bin.2"},
    {"ElevenDerivesTheSameBaseAsOne",
     {{"x.1", 10}, {"x.2", 20}, {"x.11", 30}},
     "x.11",
     "x",
     {"x.1", "x.2"},
     "Merge finished!",
     "x.2"},
    {"ChosenFileWithoutSuffixIsTheDestination",
     {{"report.txt", 100}, {"report.txt.1", 50}},
     "report.txt",
     "report.txt",
     {"report.txt.1"},
     "Merge finished!",
     "report.txt.1"},
    {"ChosenFileWithoutSuffixAndNoPieces",
     {{"report.txt", 100}},
     "report.txt",
     "report.txt",
     {},
     kNoPieces,
     nullptr},
    {"NoFirstPieceLeavesAnEmptyDestination",
     {{"film.avi", 500}, {"film.avi.2", 10}},
     "film.avi.1",
     "film.avi",
     {},
     kNoPieces,
     nullptr},
    {"GapEndsTheSequence",
     {{"p.1", 700000}, {"p.2", 600000}, {"p.4", 9}},
     "p.1",
     "p",
     {"p.1", "p.2"},
     "Merge finished!",
     "p.2"},
    {"EmptyMiddlePieceAddsNothing",
     {{"e.1", 600000}, {"e.2", 0}, {"e.3", 5}},
     "e.1",
     "e",
     {"e.1", "e.2", "e.3"},
     "Merge finished!",
     "e.3"},
    {"OnlyAnEmptyPiece", {{"z.1", 0}}, "z.1", "z", {"z.1"}, "Merge finished!", "z.1"},
};

void PrintTo(const MergeCase& c, std::ostream* out)
{
    *out << c.name;
}

class MergeRun : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeRun, JoinsThePiecesInOrderAndEndsAfterTheBox)
{
    const MergeCase& c = GetParam();
    CScratchDir dir;
    std::map<std::string, std::string> contents = WriteFiles(dir, c.files);

    CJobHarness harness;
    bool destinationFreeDuringBox = false;
    harness.WhileBoxIsUp([&](const std::string&) {
        destinationFreeDuringBox = OpensForExclusiveUse(dir.File(c.base));
    });
    EXPECT_EQ(0u, harness.RunMerge(dir.File(c.chosen)));

    EXPECT_TRUE(destinationFreeDuringBox) << "the destination is closed before the box";
    std::string expected;
    for (const char* piece : c.joined)
        expected += contents[piece];
    const std::string destination = ReadFileBytes(dir.File(c.base));
    EXPECT_EQ(expected.size(), destination.size());
    EXPECT_TRUE(destination == expected) << "the destination's bytes";
    for (const FileSpec& file : c.files) {
        if (std::string(file.name) != c.base) {
            EXPECT_TRUE(ReadFileBytes(dir.File(file.name)) == contents[file.name]) << file.name;
        }
    }
    EXPECT_EQ(std::string(2 + c.joined.size(), 's') + "be", harness.Trace())
        << "action, empty progress, one status per piece, the box, then WM_JOB_ENDED";
    EXPECT_EQ(std::vector<std::string>{c.box}, harness.Boxes());
    EXPECT_STREQ(MergeActionText(dir.File(c.base)).c_str(), harness.Job().GetAction());
    const std::string progress =
        c.lastPieceRead ? MergeProgressText(dir.File(c.lastPieceRead)) : "";
    EXPECT_STREQ(progress.c_str(), harness.Job().GetProgress());
}

INSTANTIATE_TEST_SUITE_P(Layouts, MergeRun, ::testing::ValuesIn(kMergeCases),
                         [](const ::testing::TestParamInfo<MergeCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(MergeWorker, DestinationThatIsADirectoryIsReportedAsTheSource)
{
    CScratchDir dir;
    ASSERT_TRUE(MakeDirectory(dir.File("whole")));
    WriteFileBytes(dir.File("whole.1"), "abc");

    CJobHarness harness;
    EXPECT_EQ(0u, harness.RunMerge(dir.File("whole.1")));

    EXPECT_EQ(std::vector<std::string>{"Source file could not be opened!"}, harness.Boxes());
    EXPECT_EQ("ssbe", harness.Trace());
    EXPECT_TRUE(DirectoryExists(dir.File("whole")));
    EXPECT_STREQ("", harness.Job().GetProgress());
    EXPECT_TRUE(OpensForExclusiveUse(dir.File("whole.1"))) << "a piece was left open";
}

// A piece that is there but does not open is not the end of the pieces:
// joining only those before it would pass a short file off as whole.
TEST(MergeWorker, PieceThatExistsButDoesNotOpenIsAFailure)
{
    enum Blocker { heldByAnotherFile, directory };
    for (Blocker blocker : {heldByAnotherFile, directory}) {
        for (int blocked : {1, 2}) {
            SCOPED_TRACE((blocker == directory ? "directory as piece " : "held piece ") +
                         std::to_string(blocked));
            CScratchDir dir;
            std::map<std::string, std::string> pieces =
                WriteFiles(dir, {{"w.1", 600000}, {"w.2", 20}, {"w.3", 30}});
            const std::string blockedPath = dir.File("w." + std::to_string(blocked));
            CFile holder;
            if (blocker == directory) {
                std::remove(blockedPath.c_str());
                ASSERT_TRUE(MakeDirectory(blockedPath));
            } else {
                ASSERT_TRUE(holder.Open(blockedPath.c_str(), CFile::modeRead));
            }

            CJobHarness harness;
            bool destinationFreeDuringBox = false;
            harness.WhileBoxIsUp([&](const std::string&) {
                destinationFreeDuringBox = OpensForExclusiveUse(dir.File("w"));
            });
            EXPECT_EQ(0u, harness.RunMerge(dir.File("w.1")));

            const std::vector<std::string> boxes = harness.Boxes();
            ASSERT_EQ(1u, boxes.size());
            const std::string prefix =
                "Merge stopped: the file could not be opened.\n" + blockedPath + "\n";
            EXPECT_EQ(prefix, boxes[0].substr(0, prefix.size()));
            EXPECT_LT(prefix.size(), boxes[0].size()) << "the system's reason is missing";
            EXPECT_EQ(std::string(2 + blocked - 1, 's') + "be", harness.Trace());
            const std::string expected = blocked == 2 ? pieces["w.1"] : "";
            EXPECT_TRUE(ReadFileBytes(dir.File("w")) == expected) << "what was joined stays";
            EXPECT_TRUE(destinationFreeDuringBox) << "the destination is closed before the box";
            holder.Close();
            for (int n = 1; n <= 3; ++n) {
                const std::string name = "w." + std::to_string(n);
                if (n != blocked) {
                    EXPECT_TRUE(ReadFileBytes(dir.File(name)) == pieces[name]) << name;
                }
            }
        }
    }
}

TEST(MergeWorker, StopBeforeTheStartStillEmptiesTheDestination)
{
    CScratchDir dir;
    WriteFiles(dir, {{"film.avi", 1000}, {"film.avi.1", 2000}});

    CJobHarness harness;
    harness.Job().SetRunning(false);
    EXPECT_EQ(0u, harness.RunMerge(dir.File("film.avi.1")));

    EXPECT_TRUE(FileExists(dir.File("film.avi")));
    EXPECT_EQ(0u, ReadFileBytes(dir.File("film.avi")).size());
    EXPECT_EQ(std::vector<std::string>{kNoPieces}, harness.Boxes());
    EXPECT_EQ("ssbe", harness.Trace());
    EXPECT_EQ(2000u, ReadFileBytes(dir.File("film.avi.1")).size());
}

#ifndef _WIN32

// Stop pressed right after the K-th status line. A merge posts one status
// per piece, so this is a stop as each piece's copy begins: the next check,
// after its first read, drops that read (or, for an empty piece, the next
// piece is opened and left unread).
TEST(MergeWorker, StopAsEachPieceBegins)
{
    struct Layout {
        std::vector<FileSpec> files;
    };
    const Layout layouts[] = {
        {{{"a.bin.1", 2 * 512000 + 5}, {"a.bin.2", 3}}},
        {{{"a.bin.1", 0}, {"a.bin.2", 512000}, {"a.bin.3", 7}}},
        {{{"a.bin.1", 9}, {"a.bin.2", 0}}},
    };
    for (const Layout& layout : layouts) {
        const int pieceCount = int(layout.files.size());
        for (int stopAt = 1; stopAt <= 2 + pieceCount + 1; ++stopAt) {
            SCOPED_TRACE("pieces " + std::to_string(pieceCount) + ", first " +
                         std::to_string(layout.files[0].size) + " bytes, stop at status " +
                         std::to_string(stopAt));
            CScratchDir dir;
            std::map<std::string, std::string> pieces = WriteFiles(dir, layout.files);
            CJobHarness harness;
            harness.StopAtStatus(stopAt);
            EXPECT_EQ(0u, harness.RunMerge(dir.File("a.bin.1")));

            // The piece whose copy had begun when Stop came; 0: none.
            const int stoppedIn = stopAt <= 2 ? 0 : stopAt - 2 <= pieceCount ? stopAt - 2 : -1;
            std::string expected;
            bool stoppedInCopy = false;
            for (int n = 1; n <= pieceCount; ++n) {
                const std::string& piece = pieces["a.bin." + std::to_string(n)];
                if (n == stoppedIn && !piece.empty()) {
                    stoppedInCopy = true;
                    break;
                }
                if (stoppedIn >= 0 && n > stoppedIn)
                    break;
                expected += piece;
            }
            EXPECT_TRUE(ReadFileBytes(dir.File("a.bin")) == expected)
                << "destination of " << ReadFileBytes(dir.File("a.bin")).size() << " bytes";
            EXPECT_EQ(std::vector<std::string>{stoppedIn == 0 ? kNoPieces : "Merge finished!"},
                      harness.Boxes());
            EXPECT_STREQ(stoppedInCopy ? "Merge stopped by user!"
                                       : MergeActionText(dir.File("a.bin")).c_str(),
                         harness.Job().GetAction());
            EXPECT_TRUE(IsStatusThenBoxThenEnded(harness.Trace())) << harness.Trace();
        }
    }
}

// The first piece is a pipe that the test fills a chunk at a time, so that
// Stop comes exactly between two chunks: after the worker has written chunk
// K - 1 and is waiting to read chunk K. The chunk it then reads is dropped,
// the pieces after it are never opened, and the whole file holds the chunks
// before it. (Stop before the first chunk is the stop as a piece begins,
// above: from outside, the moment between the piece's opening and its first
// read cannot be told apart from the moment before its check.)
TEST(MergeWorker, StopAtEachChunkBoundaryInsideAPiece)
{
    // A worker that closed the pipe early makes a write fail, not end the test.
    signal(SIGPIPE, SIG_IGN);
    const std::vector<size_t> chunks = {512000, 512000, 5};
    for (size_t stopBefore = 1; stopBefore < chunks.size(); ++stopBefore) {
        SCOPED_TRACE("stop before chunk " + std::to_string(stopBefore + 1));
        CScratchDir dir;
        const std::string first = dir.File("a.bin.1");
        ASSERT_EQ(0, mkfifo(first.c_str(), 0600));
        const std::map<std::string, std::string> later = WriteFiles(dir, {{"a.bin.2", 7}});
        const std::string content = PatternBytes(512000 + 512000 + 5, 3);

        // The test's thread runs the worker, as the harness keeps the order of
        // events for that; another thread feeds the pipe and presses Stop.
        CJobHarness harness;
        size_t offset = 0;
        std::thread feeder([&] {
            // Opening the writing end waits until the worker has opened the piece.
            const int pipe = open(first.c_str(), O_WRONLY);
            EXPECT_GE(pipe, 0);
            for (size_t chunk = 0; pipe >= 0 && chunk <= stopBefore; ++chunk) {
                if (chunk == stopBefore) {
                    // The worker has written everything before this chunk.
                    EXPECT_TRUE(WaitFor([&] {
                        return FileSize(dir.File("a.bin")) == static_cast<long long>(offset);
                    }));
                    harness.Job().SetRunning(false);
                }
                EXPECT_TRUE(WriteAll(pipe, content.data() + offset, chunks[chunk]));
                offset += chunks[chunk];
            }
            close(pipe);
        });
        harness.RunMerge(first);
        feeder.join();

        const size_t kept = offset - chunks[stopBefore];
        EXPECT_TRUE(ReadFileBytes(dir.File("a.bin")) == content.substr(0, kept))
            << "the whole file holds " << FileSize(dir.File("a.bin")) << " bytes";
        EXPECT_EQ(std::vector<std::string>{"Merge finished!"}, harness.Boxes());
        EXPECT_STREQ("Merge stopped by user!", harness.Job().GetAction());
        EXPECT_TRUE(IsStatusThenBoxThenEnded(harness.Trace())) << harness.Trace();
        EXPECT_TRUE(OpensForExclusiveUse(dir.File("a.bin"))) << "the whole file was left open";
        EXPECT_TRUE(ReadFileBytes(dir.File("a.bin.2")) == later.at("a.bin.2"));
    }
}

#endif // !_WIN32

} // namespace
