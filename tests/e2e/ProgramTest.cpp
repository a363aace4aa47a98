// The real Parvion.exe, started as a program of its own and driven from
// outside as a user would: the start screen, a split and a merge through the
// real file dialog and message boxes, the system menu and the About box, the
// title of the boxes, and what the program leaves on the machine.
//
// Usage: e2e_tests PATH_OF_PARVION_EXE [GoogleTest options]
#include "ProgramDriver.h"
#include "SystemSnapshot.h"
#include "res/WebAddresses.h"
#include "res/resource.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <memory>

namespace {

std::string g_programPath;

const int kMegabyte = 1024000;
const DWORD kStartScreenMs = 4000;

// Each test runs its own copy of the program from a fresh folder, which is
// also the program's current folder.
class ProgramTest : public ::testing::Test {
protected:
    CProgramDriver& Start(const std::string& exeName = "Parvion.exe")
    {
        const std::string exe = m_scratch.File(exeName);
        EXPECT_TRUE(CopyFileA(g_programPath.c_str(), exe.c_str(), FALSE)) << g_programPath;
        m_program = std::make_unique<CProgramDriver>(exe, m_scratch.Path());
        EXPECT_TRUE(m_program->Started()) << exe;
        return *m_program;
    }

    // Started, and past its start screen.
    CProgramDriver& StartIdle(const std::string& exeName = "Parvion.exe")
    {
        CProgramDriver& program = Start(exeName);
        EXPECT_TRUE(program.WaitPastStartScreen()) << "the main window never became usable";
        return program;
    }

    void TearDown() override { m_program.reset(); }

    CScratchDir m_scratch;
    std::unique_ptr<CProgramDriver> m_program;
};

std::string Lowercase(std::string text)
{
    for (char& ch : text)
        ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
    return text;
}

bool IsAboutBox(HWND hWnd)
{
    return TextOf(hWnd) == "About Parvion Professional";
}

TEST_F(ProgramTest, ShowsTheStartScreenAfterTheMainWindowUntilItClosesByItself)
{
    CProgramDriver& program = Start();
    const SeenWindow main = program.WaitForMainWindow();
    ASSERT_NE(main.hWnd, nullptr) << "no main window";
    const SeenWindow start = program.WaitForOwned(main.hWnd, &IsStartScreen);
    ASSERT_NE(start.hWnd, nullptr) << "no start screen";
    EXPECT_LE(main.atMs, start.atMs) << "the start screen came before the main window";
    EXPECT_FALSE(IsWindowEnabled(main.hWnd))
        << "the main window takes input under the start screen";

    // Keys that end an ordinary dialog leave the start screen open.
    CProgramDriver::PressKey(start.hWnd, VK_RETURN);
    CProgramDriver::PressKey(start.hWnd, VK_ESCAPE);
    CProgramDriver::PressKey(start.hWnd, VK_F4, true);
    PostMessageA(start.hWnd, WM_CLOSE, 0, 0);
    Sleep(1000);
    EXPECT_TRUE(IsWindowVisible(start.hWnd))
        << "closed by a key after " << program.ElapsedMs() - start.atMs << " ms";

    ASSERT_TRUE(WaitFor([&] { return !IsWindow(start.hWnd); })) << "the start screen stayed";
    const DWORD shownMs = program.ElapsedMs() - start.atMs;
    // Shown for its 4 s (less the moment before it was first seen).
    EXPECT_GE(shownMs, kStartScreenMs - 1000);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main.hWnd) != FALSE; }));
    // Once per run.
    Sleep(500);
    EXPECT_TRUE(program.OwnedBy(main.hWnd).empty());
}

TEST_F(ProgramTest, SplitsAFileAndMergesThePiecesBackByteForByte)
{
    // Two whole pieces of N = 1 and a shorter third one.
    const std::string original = PatternBytes(2 * kMegabyte + 452000, 7);
    const std::string path = m_scratch.File("sample.bin");
    WriteFileBytes(path, original);
    CProgramDriver& program = StartIdle();

    ASSERT_TRUE(program.StartJob(IDOK, "1", path)) << "no file dialog for Split";
    HWND hBox = program.WaitForBox(nullptr);
    ASSERT_NE(hBox, nullptr) << "no box at the end of the split";
    EXPECT_EQ(ReadBox(hBox).caption, "Parvion");
    EXPECT_EQ(ReadBox(hBox).text, "Split finished!");
    EXPECT_FALSE(program.Enabled(IDOK)) << "Split usable while the job waits in its box";
    CProgramDriver::Answer(hBox, IDOK);
    ASSERT_TRUE(program.WaitUntilIdle());
    EXPECT_EQ(program.Text(IDC_ACTION), "Started to split : " + path);
    EXPECT_EQ(program.Text(IDC_PROGRESS).rfind("Writing : " + path + ".3", 0), 0u)
        << program.Text(IDC_PROGRESS);

    const std::string pieces[] = {ReadFileBytes(path + ".1"), ReadFileBytes(path + ".2"),
                                  ReadFileBytes(path + ".3")};
    EXPECT_EQ(pieces[0].size(), size_t(kMegabyte));
    EXPECT_EQ(pieces[1].size(), size_t(kMegabyte));
    EXPECT_EQ(pieces[2].size(), size_t(452000));
    EXPECT_TRUE(pieces[0] + pieces[1] + pieces[2] == original) << "the pieces differ";
    EXPECT_FALSE(FileExists(path + ".4"));

    // Something else stands where the whole file goes: the merge asks first.
    WriteFileBytes(path, "an older file of the same name");
    ASSERT_TRUE(program.StartJob(IDC_MERGE, "1", path + ".1")) << "no file dialog for Merge";
    HWND hQuestion = program.WaitForBox(program.MainWindow());
    ASSERT_NE(hQuestion, nullptr) << "no overwrite question";
    EXPECT_EQ(ReadBox(hQuestion).caption, "Parvion");
    EXPECT_EQ(ReadBox(hQuestion).text,
              "Source file: \n" + path + "\nwill be overwritten!\nDo you want to continue?");
    CProgramDriver::Answer(hQuestion, IDYES);
    hBox = program.WaitForBox(nullptr);
    ASSERT_NE(hBox, nullptr) << "no box at the end of the merge";
    EXPECT_EQ(ReadBox(hBox).text, "Merge finished!");
    CProgramDriver::Answer(hBox, IDOK);
    ASSERT_TRUE(program.WaitUntilIdle());
    EXPECT_EQ(program.Text(IDC_ACTION), "Started to merge : " + path);
    EXPECT_TRUE(ReadFileBytes(path) == original) << "the merged file differs from the original";
}

TEST_F(ProgramTest, SystemMenuEndsWithTheAboutEntry)
{
    CProgramDriver& program = StartIdle();
    const std::vector<std::string> items = program.SystemMenu();
    ASSERT_GE(items.size(), 2u) << "the system menu could not be read";
    EXPECT_EQ(items[items.size() - 2], "separator");
    EXPECT_EQ(items.back(), std::to_string(IDM_ABOUTBOX) + "\t&About Parvion...");
}

// The ways a user ends the About box.
enum class AboutClose { OkButton, EnterKey, EscapeKey, CloseBox };

TEST_F(ProgramTest, AboutBoxShowsItsTextsAndLinkAndClosesEveryUsualWay)
{
    const struct {
        const char* name;
        AboutClose how;
    } cases[] = {{"OK button", AboutClose::OkButton},
                 {"Enter", AboutClose::EnterKey},
                 {"Escape", AboutClose::EscapeKey},
                 {"close box", AboutClose::CloseBox}};
    CProgramDriver& program = StartIdle();
    HWND hMain = program.MainWindow();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // What the system menu's About entry sends.
        PostMessageA(hMain, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        HWND hAbout = program.WaitForOwned(hMain, &IsAboutBox).hWnd;
        ASSERT_NE(hAbout, nullptr) << "no About box";
        EXPECT_FALSE(IsWindowEnabled(hMain));

        HWND hLink = GetDlgItem(hAbout, IDC_ABOUT_LINK);
        EXPECT_EQ(TextOf(hLink), PARVION_HOME_URL);
        // The link reports clicks once it has been drawn as a link.
        EXPECT_TRUE(WaitFor([&] { return (GetWindowLongA(hLink, GWL_STYLE) & SS_NOTIFY) != 0; }))
            << "the address is not a link";
        HWND hOk = GetDlgItem(hAbout, IDOK);
        EXPECT_EQ(TextOf(hOk), "OK");
        // The box takes the focus once the system has activated it.
        EXPECT_TRUE(WaitFor([&] { return program.Focus() == hOk; })) << "the focus is not on OK";
        std::vector<std::string> lines;
        for (HWND hChild = GetWindow(hAbout, GW_CHILD); hChild != nullptr;
             hChild = GetWindow(hChild, GW_HWNDNEXT)) {
            if (ClassOf(hChild) != "Static" || GetDlgCtrlID(hChild) == IDC_ABOUT_LINK)
                continue;
            if ((GetWindowLongA(hChild, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                EXPECT_NE(SendMessageA(hChild, STM_GETICON, 0, 0), 0) << "no icon";
            else
                lines.push_back(TextOf(hChild));
        }
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], "Parvion version 2.2.0 for Windows 2000/XP");

        switch (c.how) {
        case AboutClose::OkButton:
            CProgramDriver::Answer(hAbout, IDOK);
            break;
        case AboutClose::EnterKey:
            CProgramDriver::PressKey(program.KeyTarget(hAbout), VK_RETURN);
            break;
        case AboutClose::EscapeKey:
            CProgramDriver::PressKey(program.KeyTarget(hAbout), VK_ESCAPE);
            break;
        case AboutClose::CloseBox:
            PostMessageA(hAbout, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(hAbout); })) << "the About box stayed";
        EXPECT_TRUE(program.WaitUntilIdle());
    }
}

TEST_F(ProgramTest, MessageBoxesCarryTheExecutablesNameWithoutExtension)
{
    const struct {
        const char* exeName;
        const char* caption;
    } cases[] = {{"Parvion.exe", "Parvion"}, {"copy.exe", "copy"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exeName);
        CProgramDriver& program = StartIdle(c.exeName);
        // A piece size out of range: the window thread's own box.
        program.SetText(IDC_PIECE_SIZE, "0");
        ASSERT_TRUE(program.Click(IDOK));
        HWND hBox = program.WaitForBox(program.MainWindow());
        ASSERT_NE(hBox, nullptr) << "no validation message";
        EXPECT_EQ(ReadBox(hBox).caption, c.caption);
        CProgramDriver::Answer(hBox, IDOK);
        m_program.reset();
    }
}

TEST_F(ProgramTest, EndsAsSoonAsTheMainWindowClosesWhicheverWayItIsClosed)
{
    const struct {
        const char* name;
        void (*close)(HWND hMain, HWND hFocus);
    } cases[] = {
        {"Escape", [](HWND, HWND hFocus) { CProgramDriver::PressKey(hFocus, VK_ESCAPE); }},
        {"Alt+F4", [](HWND, HWND hFocus) { CProgramDriver::PressKey(hFocus, VK_F4, true); }},
        {"close box", [](HWND hMain, HWND) { PostMessageA(hMain, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CProgramDriver& program = StartIdle();
        c.close(program.MainWindow(), program.KeyTarget(program.MainWindow()));
        EXPECT_TRUE(program.WaitForExit()) << "the program went on";
        m_program.reset();
    }
}

// The worker waits in its last box, which nobody answers, and the user
// closes the main window: the window waits its bounded time for the worker,
// then the program ends all the same, cleanly, taking the box with it.
TEST_F(ProgramTest, EndsWhenClosedWhileTheWorkersLastBoxIsStillOpen)
{
    const std::string path = m_scratch.File("small.bin");
    WriteFileBytes(path, PatternBytes(1000, 3));
    CProgramDriver& program = StartIdle();
    ASSERT_TRUE(program.StartJob(IDOK, "1", path));
    HWND hBox = program.WaitForBox(nullptr);
    ASSERT_NE(hBox, nullptr) << "no box at the end of the split";
    ASSERT_EQ(ReadBox(hBox).text, "Split finished!");

    PostMessageA(program.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program.WaitForExit()) << "the program did not end after its wait";
    EXPECT_EQ(program.ExitCode(), 0u) << "the program did not end normally";
    EXPECT_FALSE(IsWindow(hBox)) << "the worker's box outlived the program";
    EXPECT_EQ(ReadFileBytes(path + ".1"), ReadFileBytes(path)) << "the piece differs";
}

TEST_F(ProgramTest, LeavesNoSettingAndNoFileBehind)
{
    const std::string exe = m_scratch.File("Parvion.exe");
    ASSERT_TRUE(CopyFileA(g_programPath.c_str(), exe.c_str(), FALSE));
    const Snapshot registryBefore = RegistrySnapshot();
    const Snapshot filesBefore = FolderSnapshot("C:");

    {
        CProgramDriver program(exe, m_scratch.Path());
        ASSERT_TRUE(program.WaitPastStartScreen());
        PostMessageA(program.MainWindow(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        HWND hAbout = program.WaitForOwned(program.MainWindow(), &IsAboutBox).hWnd;
        ASSERT_NE(hAbout, nullptr);
        CProgramDriver::Answer(hAbout, IDOK);
        ASSERT_TRUE(program.WaitUntilIdle());
        CProgramDriver::PressKey(program.KeyTarget(program.MainWindow()), VK_ESCAPE);
        ASSERT_TRUE(program.WaitForExit());
    }

    const Snapshot registryAfter = RegistrySnapshot();
    for (const std::string& change : Changes(registryBefore, registryAfter))
        ADD_FAILURE() << "registry " << change;
    // The other tests run the program too: what one of them stored would
    // already be in the first snapshot. Nothing may be there at all.
    for (const auto& entry : registryAfter) {
        EXPECT_EQ(Lowercase(entry.first).find("parvion"), std::string::npos) << entry.first;
        EXPECT_EQ(Lowercase(entry.first).find("local appwizard-generated"), std::string::npos)
            << entry.first;
    }
    for (const std::string& change : Changes(filesBefore, FolderSnapshot("C:")))
        ADD_FAILURE() << "file " << change;
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PATH_OF_PARVION_EXE [GoogleTest options]\n", argv[0]);
        return 2;
    }
    g_programPath = BuildMachinePath(argv[1]);
    return RUN_ALL_TESTS();
}
