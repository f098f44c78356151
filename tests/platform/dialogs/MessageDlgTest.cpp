// MessageDlg: the application's title as caption, owner, text and flags
// unchanged, the pressed button back, always through the seam.

#include "platform/dialogs/MessageBoxCaption.h"
#include "platform/dialogs/MessageDlg.h"
#include "platform/rtl/SystemSeams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TShownBox {
    HWND Owner;
    std::wstring Text;
    std::wstring Caption;
    UINT Flags;
};

class MessageDlgTest : public ::testing::Test {
protected:
    void SetUp() override { savedCaption = MessageBoxCaption(); }
    void TearDown() override { SetMessageBoxCaption(savedCaption); }

    std::vector<TShownBox> shown;
    int answer = IDOK;
    TSeamOverride<int(HWND, const std::wstring&, const std::wstring&, UINT)> box{
        SystemSeams().ShowMessageBox,
        [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
            shown.push_back({owner, text, caption, flags});
            return answer;
        }};
    std::string savedCaption;
};

TEST_F(MessageDlgTest, UsesTheApplicationTitleAsCaption) {
    SetMessageBoxCaption("Tessaro");
    MessageDlg(nullptr, "Hallo", MB_ICONINFORMATION);
    SetMessageBoxCaption("Anderer Titel");
    MessageDlg(nullptr, "Hallo", MB_ICONINFORMATION);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Caption, L"Tessaro");
    EXPECT_EQ(shown[1].Caption, L"Anderer Titel") << "read at every call";
}

TEST_F(MessageDlgTest, PassesOwnerTextAndFlagsUnchanged) {
    SetMessageBoxCaption("Tessaro");
    const HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x5150));
    const std::string text = "Der aktuelle Vorgang wird abgebrochen...\rBitte haben Sie etwas "
                             "Geduld und versuchen Sie es in ein paar Sekunden erneut";
    MessageDlg(owner, text, MB_ICONQUESTION);
    MessageDlg(nullptr, "\"C:\\x.doc\" ist keine unterstützte Textdatei!", MB_ICONWARNING);
    MessageDlg(owner, "", MB_ICONERROR | MB_OK);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].Owner, owner);
    EXPECT_EQ(shown[0].Text, std::wstring(text.begin(), text.end()))
        << "a lone carriage return stays";
    EXPECT_EQ(shown[0].Flags, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(shown[1].Owner, nullptr);
    EXPECT_EQ(shown[1].Text, L"\"C:\\x.doc\" ist keine unterstützte Textdatei!")
        << "the ANSI text in Unicode, as the ANSI message box shows it";
    EXPECT_EQ(shown[1].Flags, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(shown[2].Text, L"");
    EXPECT_EQ(shown[2].Flags, static_cast<UINT>(MB_ICONERROR));
}

TEST_F(MessageDlgTest, ReturnsTheButtonThatClosedTheBox) {
    answer = IDCANCEL;
    EXPECT_EQ(MessageDlg(nullptr, "?", MB_OKCANCEL), IDCANCEL);
    answer = 0; // the box could not be shown
    EXPECT_EQ(MessageDlg(nullptr, "?", MB_OK), 0);
}

} // namespace
