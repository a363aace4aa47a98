// parvion_session: a short scripted session with the real Parvion.exe,
// driven from outside as the end-to-end tests drive it, for the run command
// on a machine without a display and for the README's pictures; and the
// time from the program's start to its visible main window.
//
//   parvion_session tour PARVION_EXE WORK_FOLDER [SHOT_FOLDER] [--size BYTES] [--piece N]
//       Splits a sample file of BYTES bytes (default 3,000,000) in WORK_FOLDER
//       into pieces of N megabytes (default 1), merges them back, compares
//       the result with the original, opens and closes the About box, and
//       closes the program. With SHOT_FOLDER it asks for a picture at each
//       step: it writes NAME.rect there ("x y width height" of the area on
//       the screen) and waits until NAME.png has appeared beside it; whoever
//       runs it takes the picture. Prints one line per step; exit status 0
//       when every step worked.
//
//   parvion_session startup PARVION_EXE
//       Prints the milliseconds from the start of the program to its visible
//       main window, then ends the program.
//
//   parvion_session split PARVION_EXE SOURCE PIECE_MB
//       Splits SOURCE into pieces of PIECE_MB megabytes through the main
//       window and prints the milliseconds from the press of the file
//       dialog's OK to the worker's box "Split finished!" and the program's
//       peak working set in KiB (0 where the system does not tell); then
//       answers the box and closes the program. Exit status 0 when all of
//       that worked.
#include "ProgramDriver.h"
#include "res/resource.h"
#include "tests/support/ScratchDir.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const DWORD kShotBoundMs = 20000;
const size_t kBlockBytes = 1 << 20;

// Sample files may be large: written and compared a block at a time.
bool WriteSample(const std::string& path, size_t bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string block = PatternBytes(kBlockBytes, 11);
    for (size_t left = bytes; left > 0 && out;) {
        const size_t count = left < block.size() ? left : block.size();
        // Each block starts with its own number, so that a misplaced one shows.
        std::string numbered = block.substr(0, count);
        const std::string number = std::to_string((bytes - left) / kBlockBytes);
        numbered.replace(0, number.size() < count ? number.size() : count, number, 0, count);
        out.write(numbered.data(), static_cast<std::streamsize>(count));
        left -= count;
    }
    return static_cast<bool>(out);
}

bool SameFiles(const std::string& first, const std::string& second)
{
    std::ifstream a(first, std::ios::binary);
    std::ifstream b(second, std::ios::binary);
    if (!a || !b)
        return false;
    std::string blockA(kBlockBytes, '\0');
    std::string blockB(kBlockBytes, '\0');
    while (a && b) {
        a.read(&blockA[0], kBlockBytes);
        b.read(&blockB[0], kBlockBytes);
        if (a.gcount() != b.gcount() || blockA.compare(0, a.gcount(), blockB, 0, b.gcount()) != 0)
            return false;
    }
    return a.eof() && b.eof();
}

class CSession {
public:
    CSession(const std::string& shotFolder) : m_shotFolder(shotFolder) {}

    // Prints the outcome of one step; false when it failed.
    bool Step(const std::string& what, bool bWorked)
    {
        std::printf("%-52s %s\n", what.c_str(), bWorked ? "ok" : "FAILED");
        std::fflush(stdout);
        m_bAllWorked = m_bAllWorked && bWorked;
        return bWorked;
    }

    void Note(const std::string& text)
    {
        std::printf("  %s\n", text.c_str());
        std::fflush(stdout);
    }

    // A picture of the screen area that the windows cover.
    void Shot(const std::string& name, std::initializer_list<HWND> windows)
    {
        if (m_shotFolder.empty())
            return;
        RECT area = {};
        for (HWND hWnd : windows) {
            RECT rect;
            if (hWnd != nullptr && GetWindowRect(hWnd, &rect))
                UnionRect(&area, &area, &rect);
        }
        const std::string base = m_shotFolder + "\\" + name;
        {
            std::ofstream request(base + ".rect.part");
            request << area.left << " " << area.top << " " << area.right - area.left << " "
                    << area.bottom - area.top << "\n";
        }
        // Only a complete request shows under its final name.
        MoveFileExA((base + ".rect.part").c_str(), (base + ".rect").c_str(),
                    MOVEFILE_REPLACE_EXISTING);
        const bool bTaken = WaitFor(
            [&] { return GetFileAttributesA((base + ".png").c_str()) != INVALID_FILE_ATTRIBUTES; },
            kShotBoundMs);
        Step("picture " + name + ".png", bTaken);
    }

    bool AllWorked() const { return m_bAllWorked; }

private:
    std::string m_shotFolder;
    bool m_bAllWorked = true;
};

std::string Describe(HWND hBox)
{
    if (hBox == nullptr)
        return "no box";
    const BoxContents box = ReadBox(hBox);
    return "box \"" + box.caption + "\": " + box.text;
}

// Answers the job's final box with OK once it has said `expected`.
bool EndJob(CSession& session, CProgramDriver& program, const std::string& expected,
            const std::string& shotName)
{
    HWND hBox = program.WaitForBox(nullptr);
    session.Note(Describe(hBox));
    if (hBox == nullptr)
        return false;
    session.Shot(shotName, {program.MainWindow(), hBox});
    const bool bExpected = ReadBox(hBox).text == expected;
    CProgramDriver::Answer(hBox, IDOK);
    return bExpected && program.WaitUntilIdle();
}

// A picture while the worker copies, if the job is still running when the
// driver sees it: small jobs end before any picture could be taken.
void ShotWhileRunning(CSession& session, CProgramDriver& program)
{
    const bool bRunning = WaitFor([&] { return program.Enabled(IDC_STOP); }, 2000) &&
                          program.OwnedBy(nullptr).empty();
    if (bRunning)
        session.Shot("split-running", {program.MainWindow()});
    else
        session.Note("the split ended before a picture of it running could be taken");
}

int Tour(const std::string& exe, const std::string& work, const std::string& shots,
         size_t sampleBytes, int pieceMB)
{
    CSession session(shots);
    const std::string sample = work + "\\sample.bin";
    const std::string original = work + "\\sample.original";
    session.Step("sample file of " + std::to_string(sampleBytes) + " bytes",
                 WriteSample(original, sampleBytes) &&
                     CopyFileA(original.c_str(), sample.c_str(), FALSE) != FALSE);

    CProgramDriver program(exe, work);
    const SeenWindow main = program.WaitForMainWindow();
    if (!session.Step("main window shown", main.hWnd != nullptr))
        return 1;
    session.Note("visible " + std::to_string(main.atMs) + " ms after the start");
    const SeenWindow start = program.WaitForOwned(main.hWnd, &IsStartScreen);
    if (session.Step("start screen shown", start.hWnd != nullptr)) {
        Sleep(300); // painted
        session.Shot("start-screen", {main.hWnd});
    }
    if (!session.Step("start screen gone by itself", program.WaitUntilIdle()))
        return 1;
    session.Shot("main-idle", {main.hWnd});

    const std::string piece = std::to_string(pieceMB);
    if (session.Step("split at " + piece + " MB", program.StartJob(IDOK, piece, sample))) {
        ShotWhileRunning(session, program);
        session.Step("split finished",
                     EndJob(session, program, "Split finished!", "split-finished"));
        session.Note(program.Text(IDC_ACTION));
        session.Note(program.Text(IDC_PROGRESS));
    }

    DeleteFileA(sample.c_str());
    if (session.Step("merge of sample.bin.1", program.StartJob(IDC_MERGE, piece, sample + ".1")))
        session.Step("merge finished",
                     EndJob(session, program, "Merge finished!", "merge-finished"));
    session.Step("merged file equals the original byte for byte", SameFiles(sample, original));

    PostMessageA(main.hWnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    const SeenWindow about = program.WaitForOwned(
        main.hWnd, [](HWND hWnd) { return TextOf(hWnd) == "About Parvion Professional"; });
    if (session.Step("About box opened from the system menu", about.hWnd != nullptr)) {
        Sleep(300);
        session.Shot("about", {main.hWnd, about.hWnd});
        CProgramDriver::Answer(about.hWnd, IDOK);
        session.Step("About box closed with OK", program.WaitUntilIdle());
    }

    CProgramDriver::PressKey(program.KeyTarget(main.hWnd), VK_ESCAPE);
    session.Step("program closed with Escape", program.WaitForExit());
    return session.AllWorked() ? 0 : 1;
}

int Startup(const std::string& exe)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    CProgramDriver program(exe, folder);
    const SeenWindow main = program.WaitForMainWindow();
    if (main.hWnd == nullptr) {
        std::fprintf(stderr, "no main window\n");
        return 1;
    }
    std::printf("%lu\n", static_cast<unsigned long>(main.atMs));
    program.Terminate();
    return 0;
}

// A split of a large file may take minutes on a slow disk.
const DWORD kSplitBoundMs = 10 * 60 * 1000;

int Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    return 1;
}

int TimedSplit(const std::string& exe, const std::string& source, const std::string& pieceMB)
{
    const std::string folder = source.substr(0, source.find_last_of('\\') + 1);
    CProgramDriver program(exe, folder);
    if (!program.WaitPastStartScreen())
        return Fail("the main window did not become idle");
    const HWND hFileDlg = program.OpenFileDialog(IDOK, pieceMB);
    if (hFileDlg == nullptr)
        return Fail("no file dialog after Split");
    // The clock starts at the press of the dialog's OK: that is when the
    // program opens the source and starts its worker. From the click on
    // Split it would also count the file dialog coming up and listing a
    // folder, which depends on the folder and says nothing of the split.
    DWORD pressedAtMs = 0;
    if (!program.ChooseFile(hFileDlg, source, &pressedAtMs))
        return Fail("the file dialog did not take the source");
    const SeenWindow box = program.WaitForOwned(nullptr, &IsMessageBox, kSplitBoundMs);
    if (box.hWnd == nullptr)
        return Fail("no box at the end of the split");
    const std::string text = ReadBox(box.hWnd).text;
    if (text != "Split finished!")
        return Fail(("the split ended with: " + text).c_str());
    std::printf("%lu %lu\n", static_cast<unsigned long>(box.atMs - pressedAtMs),
                program.PeakMemoryKiB());
    std::fflush(stdout);
    CProgramDriver::Answer(box.hWnd, IDOK);
    if (!program.WaitUntilIdle())
        return Fail("the main window did not become idle after the box");
    CProgramDriver::PressKey(program.KeyTarget(program.MainWindow()), VK_ESCAPE);
    return program.WaitForExit() ? 0 : Fail("the program did not close");
}

int Usage()
{
    std::fprintf(stderr, "usage: parvion_session tour PARVION_EXE WORK_FOLDER [SHOT_FOLDER] "
                         "[--size BYTES] [--piece N]\n"
                         "       parvion_session startup PARVION_EXE\n"
                         "       parvion_session split PARVION_EXE SOURCE PIECE_MB\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    const std::string command = argv[1];
    const std::string exe = BuildMachinePath(argv[2]);
    if (command == "startup")
        return Startup(exe);
    if (command == "split")
        return argc == 5 ? TimedSplit(exe, BuildMachinePath(argv[3]), argv[4]) : Usage();
    if (command != "tour" || argc < 4)
        return Usage();

    std::string shots;
    size_t sampleBytes = 3000000;
    int pieceMB = 1;
    for (int i = 4; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--size" && i + 1 < argc)
            sampleBytes = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--piece" && i + 1 < argc)
            pieceMB = std::atoi(argv[++i]);
        else if (shots.empty() && arg.rfind("--", 0) != 0)
            shots = BuildMachinePath(arg);
        else
            return Usage();
    }
    return Tour(exe, BuildMachinePath(argv[3]), shots, sampleBytes, pieceMB);
}
