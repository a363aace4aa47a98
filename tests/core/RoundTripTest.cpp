// Split then merge gives the file back byte for byte: through the workers
// directly, and through the job runner as the benchmark uses it.
#include "tests/support/JobHarness.h"
#include "tests/support/ScratchDir.h"
#include "engine/JobState.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace
{

const size_t kMegabyte = 1024000;

struct RoundTrip {
    size_t sourceSize;
    int pieceSizeMB;
};

const RoundTrip kRoundTrips[] = {{0, 1}, {1024000, 1}, {2600000, 1}, {2600000, 2}, {3 * 512000, 2}};

TEST(RoundTrip, SplitThenMergeGivesTheFileBack)
{
    for (const RoundTrip& trip : kRoundTrips) {
        SCOPED_TRACE(std::to_string(trip.sourceSize) +
                     " bytes, N=" + std::to_string(trip.pieceSizeMB));
        CScratchDir dir;
        const std::string path = dir.File("film.avi");
        const std::string source = PatternBytes(trip.sourceSize, 21);
        WriteFileBytes(path, source);
        {
            CJobHarness split;
            ASSERT_EQ(0u, split.RunSplit(path, trip.pieceSizeMB));
        }
        ASSERT_EQ(0, std::remove(path.c_str()));
        CJobHarness merge;
        EXPECT_EQ(0u, merge.RunMerge(path + ".1"));
        EXPECT_TRUE(ReadFileBytes(path) == source);
        EXPECT_EQ(std::vector<std::string>{"Merge finished!"}, merge.Boxes());
    }
}

struct ProcessResult {
    int exitCode = -1;
    std::vector<std::string> lines; // standard output, one entry a line
};

std::vector<std::string> SplitLines(const std::string& output)
{
    std::vector<std::string> lines;
    std::string line;
    for (char ch : output) {
        if (ch == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (ch != '\r') {
            line += ch;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

#ifdef _WIN32

ProcessResult RunJobRunner(const std::vector<std::string>& arguments)
{
    std::string commandLine = "\"" + BuildMachinePath(JOBRUN_PATH) + "\"";
    for (const std::string& argument : arguments)
        commandLine += " \"" + argument + "\"";

    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ProcessResult result;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            output.append(buffer, got);
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process.hProcess, &code);
            result.exitCode = static_cast<int>(code);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    result.lines = SplitLines(output);
    return result;
}

#else

ProcessResult RunJobRunner(const std::vector<std::string>& arguments)
{
    std::string command = std::string("'") + JOBRUN_PATH + "'";
    for (const std::string& argument : arguments)
        command += " '" + argument + "'";
    command += " 2>/dev/null";
    ProcessResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    std::string output;
    char buffer[4096];
    for (size_t got; (got = fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
        output.append(buffer, got);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.lines = SplitLines(output);
    return result;
}

#endif

TEST(JobRunner, SplitsAndMergesBackAndReportsWhatTheWindowWouldShow)
{
    CScratchDir dir;
    const std::string path = dir.File("film.avi");
    const std::string source = PatternBytes(2600000, 4);
    WriteFileBytes(path, source);

    const ProcessResult split = RunJobRunner({"split", path, "1"});
    EXPECT_EQ(0, split.exitCode);
    EXPECT_EQ(
        (std::vector<std::string>{"box: Split finished!", "action: " + SplitActionText(path),
                                  "progress: " + SplitProgressText(path + ".3", 1), "ended: 1"}),
        split.lines);

    ASSERT_EQ(0, std::remove(path.c_str()));
    const ProcessResult merge = RunJobRunner({"merge", path + ".1"});
    EXPECT_EQ(0, merge.exitCode);
    EXPECT_EQ((std::vector<std::string>{"box: Merge finished!", "action: " + MergeActionText(path),
                                        "progress: " + MergeProgressText(path + ".3"), "ended: 1"}),
              merge.lines);
    EXPECT_TRUE(ReadFileBytes(path) == source);
}

TEST(JobRunner, ReportsAFailedJobAsAJobThatRan)
{
    CScratchDir dir;
    const std::string path = dir.File("missing.bin");
    const ProcessResult run = RunJobRunner({"split", path, "650"});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(
        (std::vector<std::string>{"box: Source file could not be opened!",
                                  "action: " + SplitActionText(path), "progress: ", "ended: 1"}),
        run.lines);

    // A box of several lines is printed on one, its line breaks as \n.
    const std::string piece = dir.File("whole.1");
    ASSERT_TRUE(MakeDirectory(piece));
    const ProcessResult merge = RunJobRunner({"merge", piece});
    EXPECT_EQ(0, merge.exitCode);
    ASSERT_EQ(4u, merge.lines.size());
    const std::string box = "box: Merge stopped: the file could not be opened.\\n" + piece + "\\n";
    EXPECT_EQ(box, merge.lines[0].substr(0, box.size()));
    EXPECT_EQ("ended: 1", merge.lines[3]);
}

TEST(JobRunner, UsageErrorsRunNothing)
{
    CScratchDir dir;
    const std::string path = dir.File("film.avi");
    WriteFileBytes(path, PatternBytes(1000));
    const std::vector<std::vector<std::string>> misuses = {
        {},
        {"split"},
        {"split", path},
        {"split", path, "0"},
        {"split", path, "1000001"},
        {"split", path, "12abc"},
        {"split", path, "1", "extra"},
        {"merge"},
        {"merge", path, path},
        {"copy", path},
        {"--stop-after-status", "0", "merge", path},
        {"--stop-after-status", "merge", path},
    };
    for (const std::vector<std::string>& arguments : misuses) {
        std::string shown;
        for (const std::string& argument : arguments)
            shown += " " + argument;
        const ProcessResult run = RunJobRunner(arguments);
        EXPECT_EQ(2, run.exitCode) << "jobrun" << shown;
        EXPECT_TRUE(run.lines.empty()) << "jobrun" << shown;
    }
    EXPECT_FALSE(FileExists(path + ".1"));
    EXPECT_EQ(1000u, ReadFileBytes(path).size());
}

// Where the runner stops depends on how fast the worker runs, but every
// split that is stopped leaves whole pieces of the source, the last one cut
// at a chunk boundary.
TEST(JobRunner, StoppedSplitLeavesWholeChunksOfTheSource)
{
    CScratchDir dir;
    const std::string path = dir.File("film.avi");
    const std::string source = PatternBytes(3000000, 8);
    WriteFileBytes(path, source);
    for (int stopAfter : {1, 2, 3, 5, 8}) {
        SCOPED_TRACE("stop after status " + std::to_string(stopAfter));
        const ProcessResult run =
            RunJobRunner({"--stop-after-status", std::to_string(stopAfter), "split", path, "1"});
        EXPECT_EQ(0, run.exitCode);
        ASSERT_FALSE(run.lines.empty());
        EXPECT_EQ("box: Split finished!", run.lines.front());
        EXPECT_EQ("ended: 1", run.lines.back());

        std::string joined;
        int n = 1;
        for (; FileExists(path + "." + std::to_string(n)); ++n) {
            const std::string piece = ReadFileBytes(path + "." + std::to_string(n));
            if (!joined.empty() && joined.size() % kMegabyte != 0)
                ADD_FAILURE() << "piece " << n << " follows a short piece";
            joined += piece;
            std::remove((path + "." + std::to_string(n)).c_str());
        }
        EXPECT_TRUE(joined.size() % CHUNK_SIZE == 0 || joined.size() == source.size())
            << joined.size() << " bytes in " << n - 1 << " pieces";
        EXPECT_TRUE(source.compare(0, joined.size(), joined) == 0) << "not a prefix of the source";
        EXPECT_TRUE(ReadFileBytes(path) == source) << "the source changed";
    }
}

} // namespace
