// The program's resources as the system finds them in the module: the dialog
// templates byte for byte, the strings, the version block, the pictures and
// the manifest. The resource object is linked into this test executable
// exactly as into Parvion.exe.
#include "WebAddresses.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const WORD kProgramLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const UINT kAppTitleString = 57344; // the string that would override the title

HMODULE Module()
{
    return GetModuleHandleA(nullptr);
}

// The bytes of a resource in the program's language; empty when absent.
std::string ResourceBytes(LPCSTR type, UINT id)
{
    HRSRC found = FindResourceExA(Module(), type, MAKEINTRESOURCEA(id), kProgramLanguage);
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(Module(), found);
    const char* data = static_cast<const char*>(LockResource(loaded));
    return data ? std::string(data, SizeofResource(Module(), found)) : std::string();
}

// Reads the little-endian fields of a resource, failing the test (by throwing)
// instead of reading past its end.
class CResourceReader {
public:
    explicit CResourceReader(const std::string& bytes) : m_bytes(bytes) {}

    BYTE Byte() { return Read<BYTE>(); }
    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return static_cast<short>(Read<WORD>()); }

    // A zero-terminated UTF-16 string; the program's texts are all ASCII.
    std::string String(WORD first)
    {
        std::string text;
        for (WORD c = first; c != 0; c = Word())
            text += c < 0x80 ? static_cast<char>(c) : '?';
        return text;
    }
    std::string String() { return String(Word()); }

    // A field that is absent (0), an ordinal (0xFFFF, n) written "#n", or a string.
    std::string NameOrOrdinal()
    {
        WORD first = Word();
        if (first == 0)
            return "";
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        return String(first);
    }

    void AlignToDword() { m_pos = (m_pos + 3) & ~size_t(3); }
    void Skip(size_t count) { m_pos += count; }
    bool AtEnd() const { return m_pos >= m_bytes.size(); }

private:
    template <class T> T Read()
    {
        if (m_pos + sizeof(T) > m_bytes.size())
            throw std::out_of_range("resource ends early");
        T value;
        std::memcpy(&value, m_bytes.data() + m_pos, sizeof value);
        m_pos += sizeof value;
        return value;
    }

    const std::string& m_bytes;
    size_t m_pos = 0;
};

// What the dialog's header and each control have alike: the help id and
// styles, then (after the header's control count) the position and size.
struct DialogFields {
    DWORD helpId, exStyle, style;
    short x, y, cx, cy;
};

void ReadStyles(CResourceReader& in, DialogFields& fields)
{
    fields.helpId = in.Dword();
    fields.exStyle = in.Dword();
    fields.style = in.Dword();
}

void ReadBox(CResourceReader& in, DialogFields& fields)
{
    fields.x = in.Short();
    fields.y = in.Short();
    fields.cx = in.Short();
    fields.cy = in.Short();
}

struct DialogItem : DialogFields {
    DWORD id;
    std::string className, text;
    WORD extraBytes;
};

struct DialogTemplate : DialogFields {
    WORD version, signature;
    std::string menu, className, caption;
    WORD pointSize, weight;
    BYTE italic, charset;
    std::string typeface;
    std::vector<DialogItem> items;
};

// The predefined classes are stored as atoms; the names make failures readable.
std::string ClassName(const std::string& stored)
{
    static const char* const kAtoms[][2] = {
        {"#128", "Button"}, {"#129", "Edit"}, {"#130", "Static"}};
    for (const auto& atom : kAtoms) {
        if (stored == atom[0] || lstrcmpiA(stored.c_str(), atom[1]) == 0)
            return atom[1];
    }
    return stored;
}

DialogTemplate ParseDialog(const std::string& bytes)
{
    CResourceReader in(bytes);
    DialogTemplate dlg{};
    dlg.version = in.Word();
    dlg.signature = in.Word();
    ReadStyles(in, dlg);
    WORD count = in.Word();
    ReadBox(in, dlg);
    dlg.menu = in.NameOrOrdinal();
    dlg.className = in.NameOrOrdinal();
    dlg.caption = in.String();
    if (dlg.style & (DS_SETFONT | DS_FIXEDSYS)) {
        dlg.pointSize = in.Word();
        dlg.weight = in.Word();
        dlg.italic = in.Byte();
        dlg.charset = in.Byte();
        dlg.typeface = in.String();
    }
    for (WORD i = 0; i < count; ++i) {
        in.AlignToDword();
        DialogItem item{};
        ReadStyles(in, item);
        ReadBox(in, item);
        item.id = in.Dword();
        item.className = ClassName(in.NameOrOrdinal());
        item.text = in.NameOrOrdinal();
        item.extraBytes = in.Word();
        in.Skip(item.extraBytes);
        dlg.items.push_back(item);
    }
    return dlg;
}

// ---------------------------------------------------------------------------
// Dialog templates

struct ExpectedItem {
    DWORD id;
    const char* className;
    std::string text;
    short x, y, cx, cy;
    DWORD style; // besides WS_CHILD and WS_VISIBLE
};

struct ExpectedDialog {
    const char* name;
    UINT id;
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    const char* caption;
    std::vector<ExpectedItem> items;
};

const DWORD kNoId = static_cast<DWORD>(-1);
const DWORD kDialogFont = DS_SETFONT | DS_FIXEDSYS;

const std::string kInfoText =
    "Parvion split files to pieces. If you select a file 'test.avi' it will create pieces with "
    "names test.avi.1- test.avi.n. To merge all the pieces select a file with name *.1 to create "
    "the file. Read more information at " PARVION_HOME_URL;

const std::string kPieceSizeText = "Size of the pieces in megabytes. \n"
                                   "Minimum 1 megabyte/piece.\n"
                                   "Max 1000000 megabyte/piece.";

const ExpectedDialog kDialogs[] = {
    {"main",
     IDD_MAIN,
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | kDialogFont | DS_3DLOOK,
     WS_EX_APPWINDOW,
     310,
     226,
     "Parvion Professional",
     {
         {kNoId, "Button", "Information", 6, 8, 293, 43, BS_GROUPBOX},
         {IDC_INFO, "Static", kInfoText, 14, 17, 275, 27, SS_LEFT | WS_GROUP},
         {kNoId, "Button", "Size of the piece", 6, 56, 293, 47, BS_GROUPBOX},
         {kNoId, "Static", kPieceSizeText, 15, 66, 107, 32, SS_LEFT | WS_GROUP},
         {IDC_PIECE_SIZE, "Edit", "", 128, 72, 160, 14,
          WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL},
         {kNoId, "Button", "Working information", 6, 108, 293, 52, BS_GROUPBOX},
         {IDC_ACTION, "Edit", "", 15, 118, 276, 14,
          WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL},
         {IDC_PROGRESS, "Edit", "", 15, 140, 276, 14,
          WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL},
         {kNoId, "Button", "WWW", 6, 167, 293, 27, BS_GROUPBOX},
         {IDC_WEBLINK, "Static", PARVION_HOME_URL, 6, 171, 293, 23,
          SS_CENTER | SS_CENTERIMAGE | WS_GROUP},
         {IDOK, "Button", "&Split", 7, 203, 55, 16, BS_DEFPUSHBUTTON | WS_TABSTOP},
         {IDC_MERGE, "Button", "&Merge", 67, 203, 55, 16, BS_PUSHBUTTON | WS_TABSTOP},
         {IDC_STOP, "Button", "S&top", 127, 203, 55, 16, BS_PUSHBUTTON | WS_TABSTOP},
         {ID_HELP, "Button", "&Help", 247, 203, 55, 16, BS_PUSHBUTTON | WS_TABSTOP},
     }},
    {"start",
     IDD_START,
     WS_POPUP | DS_SETFOREGROUND | DS_MODALFRAME | kDialogFont | DS_3DLOOK,
     WS_EX_CLIENTEDGE,
     265,
     162,
     "",
     {}},
    {"about",
     IDD_ABOUTBOX,
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | kDialogFont | DS_3DLOOK,
     0,
     254,
     83,
     "About Parvion Professional",
     {
         {kNoId, "Static", "#" + std::to_string(IDR_MAINFRAME), 7, 7, 20, 20, SS_ICON},
         {kNoId, "Static", "Parvion version 2.2.0 for Windows 2000/XP", 38, 10, 151, 8,
          SS_LEFT | SS_NOPREFIX | WS_GROUP},
         {kNoId, "Static", "Copyright 2026 Parvion Software", 38, 25, 123, 8, SS_LEFT | WS_GROUP},
         {IDOK, "Button", "OK", 197, 7, 50, 16, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
         {IDC_ABOUT_LINK, "Static", PARVION_HOME_URL, 37, 34, 198, 23,
          SS_LEFT | SS_CENTERIMAGE | WS_GROUP},
         {kNoId, "Static", "By the Parvion team", 38, 58, 74, 8, SS_LEFT | WS_GROUP},
     }},
};

// Names the case in failure messages instead of dumping the whole row.
void PrintTo(const ExpectedDialog& dialog, std::ostream* out)
{
    *out << dialog.name;
}

class DialogTemplateTest : public testing::TestWithParam<ExpectedDialog> {
};

TEST_P(DialogTemplateTest, HeaderIsAnExtendedTemplateAtTheOriginWithTheShellFont)
{
    const ExpectedDialog& want = GetParam();
    std::string bytes = ResourceBytes(RT_DIALOG, want.id);
    ASSERT_FALSE(bytes.empty()) << "no English (US) dialog " << want.id;
    DialogTemplate dlg = ParseDialog(bytes);

    EXPECT_EQ(dlg.version, 1);
    EXPECT_EQ(dlg.signature, 0xFFFF);
    EXPECT_EQ(dlg.helpId, 0u);
    EXPECT_EQ(dlg.style, want.style) << std::hex << "style 0x" << dlg.style;
    EXPECT_EQ(dlg.exStyle, want.exStyle) << std::hex << "ex-style 0x" << dlg.exStyle;
    EXPECT_EQ(dlg.x, 0);
    EXPECT_EQ(dlg.y, 0);
    EXPECT_EQ(dlg.cx, want.cx);
    EXPECT_EQ(dlg.cy, want.cy);
    EXPECT_EQ(dlg.menu, "");
    EXPECT_EQ(dlg.className, "");
    EXPECT_EQ(dlg.caption, want.caption);
    EXPECT_EQ(dlg.pointSize, 8);
    EXPECT_EQ(dlg.typeface, "MS Shell Dlg");
    EXPECT_EQ(dlg.weight, FW_DONTCARE);
    EXPECT_EQ(dlg.italic, 0);
    EXPECT_EQ(dlg.charset, DEFAULT_CHARSET);
}

TEST_P(DialogTemplateTest, ControlsComeInTabOrderWithExactlyTheirStyles)
{
    const ExpectedDialog& want = GetParam();
    DialogTemplate dlg = ParseDialog(ResourceBytes(RT_DIALOG, want.id));
    ASSERT_EQ(dlg.items.size(), want.items.size());
    for (size_t i = 0; i < want.items.size(); ++i) {
        const ExpectedItem& w = want.items[i];
        const DialogItem& got = dlg.items[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1) + " \"" + w.text.substr(0, 30) + "\"");
        EXPECT_EQ(got.id, w.id);
        EXPECT_EQ(got.className, w.className);
        EXPECT_EQ(got.text, w.text);
        EXPECT_EQ(got.x, w.x);
        EXPECT_EQ(got.y, w.y);
        EXPECT_EQ(got.cx, w.cx);
        EXPECT_EQ(got.cy, w.cy);
        EXPECT_EQ(got.style, WS_CHILD | WS_VISIBLE | w.style)
            << std::hex << "style 0x" << got.style << ", wanted 0x"
            << (WS_CHILD | WS_VISIBLE | w.style);
        EXPECT_EQ(got.exStyle, 0u);
        EXPECT_EQ(got.helpId, 0u);
        EXPECT_EQ(got.extraBytes, 0);
    }
}

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The rectangle that text needs in a static's own font when it is laid out
// as the static lays it out: on one line, or wrapped within its width.
RECT TextExtent(HWND control, const std::string& text, LONG style)
{
    RECT need{};
    GetClientRect(control, &need);
    need.bottom = 0;
    UINT flags = DT_CALCRECT | DT_EXPANDTABS;
    flags |= (style & SS_CENTERIMAGE) ? DT_SINGLELINE : DT_WORDBREAK;
    if (style & SS_NOPREFIX)
        flags |= DT_NOPREFIX;
    HDC dc = GetDC(control);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font);
    DrawTextA(dc, text.c_str(), -1, &need, flags);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return need;
}

// No text of a static is cut off in the dialog's font: a long maker's
// address or author line shows as a clipped line, not as an error.
TEST_P(DialogTemplateTest, StaticTextsFitTheirControls)
{
    HWND dialog =
        CreateDialogParamA(Module(), MAKEINTRESOURCEA(GetParam().id), nullptr, IgnoreMessages, 0);
    ASSERT_NE(dialog, nullptr);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(className, "Static") != 0 || (style & SS_TYPEMASK) > SS_RIGHT)
            continue;
        char text[512] = "";
        GetWindowTextA(child, text, sizeof text);
        SCOPED_TRACE(text);
        RECT room{};
        GetClientRect(child, &room);
        RECT need = TextExtent(child, text, style);
        EXPECT_LE(need.right, room.right) << "too wide";
        EXPECT_LE(need.bottom, room.bottom) << "too many lines";
    }
    DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Resources, DialogTemplateTest, testing::ValuesIn(kDialogs),
                         [](const testing::TestParamInfo<ExpectedDialog>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// Strings

TEST(ResourceStrings, AboutEntryIsThereAndNoTitleOverridesTheExecutableName)
{
    char text[64] = "";
    EXPECT_GT(LoadStringA(Module(), IDS_ABOUTBOX, text, sizeof text), 0);
    EXPECT_STREQ(text, "&About Parvion...");
    // Without this string the message boxes are titled after the executable.
    EXPECT_EQ(LoadStringA(Module(), kAppTitleString, text, sizeof text), 0);
}

// ---------------------------------------------------------------------------
// Version information, as the shell's file properties read it

class VersionInfoTest : public testing::Test {
protected:
    void SetUp() override
    {
        char path[MAX_PATH] = "";
        ASSERT_GT(GetModuleFileNameA(Module(), path, MAX_PATH), 0u);
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(path, &handle);
        ASSERT_GT(size, 0u) << "no version information";
        m_block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, m_block.data()));
    }

    // The value at sub-block path, or null.
    const void* Query(const char* subBlock, UINT* length)
    {
        void* value = nullptr;
        *length = 0;
        if (!VerQueryValueA(m_block.data(), subBlock, &value, length))
            return nullptr;
        return value;
    }

    std::vector<char> m_block;
};

TEST_F(VersionInfoTest, FixedPartIsVersion2200OfAWindowsApplication)
{
    UINT length = 0;
    auto fixed = static_cast<const VS_FIXEDFILEINFO*>(Query("\\", &length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 2));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(2, 2));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionInfoTest, TranslationIsUsEnglishInWesternCodePage)
{
    UINT length = 0;
    auto translation = static_cast<const WORD*>(Query("\\VarFileInfo\\Translation", &length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 2 * sizeof(WORD)) << "exactly one translation";
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1252);
}

TEST_F(VersionInfoTest, StringsOfTheTranslation)
{
    static const char* const kStrings[][2] = {
        {"FileDescription", "Split large files to pieces and merge them together"},
        {"FileVersion", "2.2.0.0"},
        {"ProductVersion", "2.2.0.0"},
        {"ProductName", "Parvion Professional"},
        {"InternalName", "Parvion.exe"},
        {"OriginalFilename", "Parvion.exe"},
    };
    for (const auto& entry : kStrings) {
        SCOPED_TRACE(entry[0]);
        UINT length = 0;
        std::string key = std::string("\\StringFileInfo\\040904e4\\") + entry[0];
        auto value = static_cast<const char*>(Query(key.c_str(), &length));
        ASSERT_NE(value, nullptr) << "missing";
        EXPECT_STREQ(value, entry[1]);
    }
}

// ---------------------------------------------------------------------------
// Pictures

#pragma pack(push, 2)
struct GroupIconEntry { // one image of an RT_GROUP_ICON or RT_GROUP_CURSOR
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The single image of an icon or cursor group: the entry and the image bytes.
struct GroupImage {
    GroupIconEntry entry;
    std::string image;
};

GroupImage SingleImageOfGroup(LPCSTR groupType, LPCSTR imageType, UINT id, WORD wantedKind)
{
    std::string group = ResourceBytes(groupType, id);
    CResourceReader in(group);
    EXPECT_EQ(in.Word(), 0);
    EXPECT_EQ(in.Word(), wantedKind);
    EXPECT_EQ(in.Word(), 1) << "exactly one image";
    GroupImage result{};
    if (group.size() < 6 + sizeof(GroupIconEntry))
        throw std::out_of_range("group directory ends early");
    std::memcpy(&result.entry, group.data() + 6, sizeof result.entry);
    result.image = ResourceBytes(imageType, result.entry.id);
    return result;
}

BITMAPINFOHEADER HeaderAt(const std::string& bytes, size_t offset)
{
    BITMAPINFOHEADER header{};
    if (bytes.size() < offset + sizeof header)
        throw std::out_of_range("no bitmap header");
    std::memcpy(&header, bytes.data() + offset, sizeof header);
    return header;
}

TEST(ResourcePictures, MainIconIsOne32x32ImageIn16StandardColours)
{
    GroupImage icon = SingleImageOfGroup(RT_GROUP_ICON, RT_ICON, IDR_MAINFRAME, 1);
    EXPECT_EQ(icon.entry.width, 32);
    EXPECT_EQ(icon.entry.height, 32);
    EXPECT_EQ(icon.entry.colours, 16);
    EXPECT_EQ(icon.entry.bitCount, 4);

    BITMAPINFOHEADER header = HeaderAt(icon.image, 0);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64) << "colour image and mask";
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

    static const COLORREF kStandard16[16] = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    const size_t paletteAt = header.biSize;
    ASSERT_GE(icon.image.size(), paletteAt + 16 * 4 + 32 * 16 + 32 * 4);
    std::set<int> coloursUsed;
    int opaque = 0;
    for (int i = 0; i < 16; ++i) {
        auto quad = reinterpret_cast<const BYTE*>(icon.image.data() + paletteAt + 4 * i);
        EXPECT_EQ(RGB(quad[2], quad[1], quad[0]), kStandard16[i]) << "palette entry " << i;
    }
    auto pixels = reinterpret_cast<const BYTE*>(icon.image.data() + paletteAt + 16 * 4);
    auto mask = pixels + 32 * 16;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            bool transparent = mask[y * 4 + x / 8] & (0x80 >> (x % 8));
            int index = (pixels[y * 16 + x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
            if (!transparent) {
                ++opaque;
                coloursUsed.insert(index);
            }
        }
    }
    // A picture, not an empty or solid square.
    EXPECT_GT(opaque, 32 * 32 / 4);
    EXPECT_LT(opaque, 32 * 32);
    EXPECT_GE(coloursUsed.size(), 4u);
}

TEST(ResourcePictures, HandCursorIsMonochrome32x32WithItsHotSpotAtTheTopLeft)
{
    GroupImage cursor = SingleImageOfGroup(RT_GROUP_CURSOR, RT_CURSOR, IDC_HANDCURSOR, 2);
    CResourceReader in(cursor.image);
    EXPECT_EQ(in.Word(), 0) << "hot spot x";
    EXPECT_EQ(in.Word(), 0) << "hot spot y";
    BITMAPINFOHEADER header = HeaderAt(cursor.image, 4);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64) << "XOR and AND masks";
    EXPECT_EQ(header.biBitCount, 1);
    EXPECT_EQ(header.biPlanes, 1);

    // And as the program gets it from the system.
    HCURSOR loaded = LoadCursorA(Module(), MAKEINTRESOURCEA(IDC_HANDCURSOR));
    ASSERT_NE(loaded, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(loaded, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 0u);
    EXPECT_EQ(info.yHotspot, 0u);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
}

TEST(ResourcePictures, StartPictureIs399x266In24BitsUncompressed)
{
    std::string bitmap = ResourceBytes(RT_BITMAP, IDB_START);
    BITMAPINFOHEADER header = HeaderAt(bitmap, 0);
    EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(header.biWidth, 399);
    EXPECT_EQ(header.biHeight, 266) << "bottom-up rows";
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header.biClrUsed, 0u);

    const size_t stride = (399 * 3 + 3) & ~size_t(3);
    ASSERT_GE(bitmap.size(), header.biSize + stride * 266);
    std::set<DWORD> colours;
    for (size_t row = 0; row < 266; ++row) {
        auto p = reinterpret_cast<const BYTE*>(bitmap.data() + header.biSize + row * stride);
        for (size_t x = 0; x < 399; ++x, p += 3)
            colours.insert(RGB(p[2], p[1], p[0]));
    }
    EXPECT_GT(colours.size(), 256u) << "a drawn picture, not a flat or paletted one";
}

// ---------------------------------------------------------------------------
// Manifest

TEST(ResourceManifest, AsksForCommonControls6AndTheCallersRights)
{
    std::string manifest = ResourceBytes(RT_MANIFEST, 1);
    ASSERT_FALSE(manifest.empty());
    for (const char* needle : {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
                               "publicKeyToken=\"6595b64144ccf1df\"", "level=\"asInvoker\""}) {
        EXPECT_NE(manifest.find(needle), std::string::npos) << needle;
    }

    // The system must accept it: a manifest it cannot parse stops the program
    // from starting at all.
    ACTCTXA context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = Module();
    context.lpResourceName = MAKEINTRESOURCEA(1);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(Module(), path, MAX_PATH);
    context.lpSource = path;
    HANDLE activation = CreateActCtxA(&context);
    EXPECT_NE(activation, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    if (activation != INVALID_HANDLE_VALUE)
        ReleaseActCtx(activation);
}

} // namespace
