// Data exchange: the piece-size style number field (1 to 1000000) with the
// message each text gives and where the focus goes after a failure, the steps
// skipped after one, loading without complaint, and an unchanged text left
// alone.
#include "TestResources.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const char kNotANumber[] = "Please enter an integer.";
const char kOutOfRange[] = "Please enter an integer between 1 and 1000000.";

// Counts the texts written into a control.
class CSetTextCounter : public CWnd {
public:
    int m_nWrites = 0;

protected:
    afx_msg LRESULT OnSetText(WPARAM, LPARAM)
    {
        ++m_nWrites;
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSetTextCounter, CWnd)
ON_MESSAGE(WM_SETTEXT, &CSetTextCounter::OnSetText)
END_MESSAGE_MAP()

struct SaveCase {
    const char* text;
    bool accepted;
    int value; // afterwards; 650 before each case
    const char* message;
};

const SaveCase kSaveCases[] = {
    {"", false, 650, kNotANumber},
    {"0", false, 0, kOutOfRange},
    {"1", true, 1, nullptr},
    {"1000000", true, 1000000, nullptr},
    {"1000001", false, 1000001, kOutOfRange},
    {"0650", true, 650, nullptr},
    {"12abc", true, 12, nullptr},
    {"-5", false, -5, kOutOfRange},
    {"  42", true, 42, nullptr},
    {"\t+7", true, 7, nullptr},
    {"-", false, 650, kNotANumber},
    {"abc", false, 650, kNotANumber},
    {" ", false, 650, kNotANumber},
    // Too long for 32 bits: out of range, never wrapped round into it.
    {"12345678901234567890", false, INT_MAX, kOutOfRange},
    {"4294967297", false, INT_MAX, kOutOfRange},
    {"-2147483649", false, INT_MIN, kOutOfRange},
};

TEST(DataExchange, SavingTheNumberAcceptsOrExplainsAndPointsAtTheField)
{
    CBoxRecorder boxes;
    CExchangeDialog dialog;
    dialog.m_script = [&](CScriptedDialog&) {
        HWND hWndNumber = dialog.Item(IDC_NUMBER);
        for (const SaveCase& c : kSaveCases) {
            SCOPED_TRACE(std::string("text \"") + c.text + "\"");
            SetWindowTextA(hWndNumber, c.text);
            SetDlgItemTextA(dialog.m_hWnd, IDC_TEXT, "typed");
            SetFocus(dialog.Item(IDOK));
            dialog.m_nValue = 650;
            dialog.m_strText = "before";
            boxes.Clear();

            EXPECT_EQ(c.accepted, dialog.UpdateData(TRUE) != FALSE);
            EXPECT_EQ(c.value, dialog.m_nValue);
            if (c.accepted) {
                EXPECT_TRUE(boxes.Boxes().empty());
                EXPECT_STREQ("typed", dialog.m_strText);
                continue;
            }
            ASSERT_EQ(1u, boxes.Boxes().size());
            EXPECT_EQ(c.message, boxes.Boxes()[0].text);
            EXPECT_EQ(UINT(MB_OK | MB_ICONEXCLAMATION), boxes.Boxes()[0].type);
            EXPECT_STREQ("before", dialog.m_strText) << "steps after the failure ran";
            EXPECT_EQ(hWndNumber, GetFocus());
            DWORD start = 0;
            DWORD end = 0;
            SendMessageA(hWndNumber, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(0u, start);
            EXPECT_EQ(strlen(c.text), end);
        }
        dialog.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST(DataExchange, LoadingWritesPlainDecimalAndNeverComplains)
{
    CBoxRecorder boxes;
    CExchangeDialog dialog;
    dialog.m_script = [&](CScriptedDialog&) {
        const std::pair<int, const char*> cases[] = {{650, "650"}, {-5, "-5"}, {0, "0"}};
        for (const auto& c : cases) {
            dialog.m_nValue = c.first;
            EXPECT_TRUE(dialog.UpdateData(FALSE));
            EXPECT_EQ(c.second, WindowText(dialog.Item(IDC_NUMBER)));
        }
        // "0650" is saved as 650 and shown without the leading zero when loaded.
        SetDlgItemTextA(dialog.m_hWnd, IDC_NUMBER, "0650");
        EXPECT_TRUE(dialog.UpdateData(TRUE));
        EXPECT_TRUE(dialog.UpdateData(FALSE));
        EXPECT_EQ("650", WindowText(dialog.Item(IDC_NUMBER)));
        dialog.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(DataExchange, LoadingLeavesAControlWhoseTextIsUnchangedAlone)
{
    CExchangeDialog dialog;
    dialog.m_script = [&](CScriptedDialog&) {
        CSetTextCounter number;
        CSetTextCounter text;
        ASSERT_TRUE(number.SubclassDlgItem(IDC_NUMBER, &dialog));
        ASSERT_TRUE(text.SubclassDlgItem(IDC_TEXT, &dialog));

        dialog.UpdateData(FALSE); // both already show these values
        EXPECT_EQ(0, number.m_nWrites);
        EXPECT_EQ(0, text.m_nWrites);
        dialog.m_nValue = 651;
        dialog.UpdateData(FALSE);
        dialog.UpdateData(FALSE);
        EXPECT_EQ(1, number.m_nWrites);
        EXPECT_EQ("651", WindowText(dialog.Item(IDC_NUMBER)));

        // Texts longer than 255 characters are written every time.
        dialog.m_strText = CString(std::string(300, 'a').c_str());
        dialog.UpdateData(FALSE);
        dialog.UpdateData(FALSE);
        EXPECT_EQ(2, text.m_nWrites);
        // The start of a longer text is not the same text.
        dialog.m_strText = CString(std::string(255, 'a').c_str());
        dialog.UpdateData(FALSE);
        dialog.UpdateData(FALSE);
        EXPECT_EQ(3, text.m_nWrites);
        EXPECT_EQ(std::string(255, 'a'), WindowText(dialog.Item(IDC_TEXT)));

        number.Detach();
        text.Detach();
        dialog.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST(DataExchange, ControlIsTakenOverOnceAndLetGoWithItsDialog)
{
    CExchangeDialog dialog;
    HWND hWndLink = nullptr;
    dialog.m_script = [&](CScriptedDialog&) {
        hWndLink = dialog.Item(IDC_LINK);
        EXPECT_EQ(hWndLink, dialog.m_link.m_hWnd); // by the loading in OnInitDialog
        EXPECT_TRUE(dialog.UpdateData(FALSE));
        EXPECT_TRUE(dialog.UpdateData(TRUE));
        EXPECT_EQ(&dialog.m_link, CWnd::FromHandlePermanent(hWndLink));
        dialog.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(nullptr, dialog.m_link.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndLink));
}

} // namespace
