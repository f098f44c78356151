// The rich edit: Lines reads and changes the control's text, typed text
// included, and the text stays when the window is made again.

#include "ControlsEnvironment.h"

#include "platform/stdctrls/RichEdit.h"

#include <string>

namespace {
class RichEdit : public OnForm {
protected:
    void SetUp() override {
        OnForm::SetUp();
        edit = Add<TRichEdit>(form, 10, 10, 250, 150);
    }
    std::string WindowText() const {
        char text[256]{};
        ::GetWindowTextA(edit->Handle(), text, sizeof text);
        return text;
    }
    TRichEdit* edit = nullptr;
};

TEST_F(RichEdit, LinesAreTheControlsText) {
    TStrings* lines = edit->Lines();
    EXPECT_EQ(lines->Count(), 0);
    lines->Add("Erste Zeile");
    lines->Add("Zweite Zeile");
    lines->Insert(1, "Mitte");
    EXPECT_EQ(lines->Count(), 3);
    EXPECT_EQ(lines->Get(1), "Mitte");
    EXPECT_EQ(::SendMessageA(edit->Handle(), EM_GETLINECOUNT, 0, 0), 3)
        << "three lines in the control itself";
    char line[64]{};
    *reinterpret_cast<WORD*>(line) = sizeof line - 1;
    const LRESULT length =
        ::SendMessageA(edit->Handle(), EM_GETLINE, 2, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(std::string(line, static_cast<std::size_t>(length)).substr(0, 12), "Zweite Zeile");

    lines->Put(0, "Neu");
    lines->Delete(1);
    EXPECT_EQ(lines->Count(), 2);
    EXPECT_EQ(lines->Get(0), "Neu");
    EXPECT_EQ(lines->Get(1), "Zweite Zeile");
    lines->Clear();
    EXPECT_EQ(lines->Count(), 0);
    EXPECT_EQ(WindowText(), "");
}

TEST_F(RichEdit, TypedTextShowsInLines) {
    edit->Lines()->Add("Anfang");
    ::SendMessageA(edit->Handle(), EM_SETSEL, static_cast<WPARAM>(-1), -1);
    ::SendMessageA(edit->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\ngetippt"));
    ASSERT_EQ(edit->Lines()->Count(), 2);
    EXPECT_EQ(edit->Lines()->Get(1), "getippt");
    EXPECT_EQ(edit->Caption().find("getippt") != std::string::npos, true);
}

TEST_F(RichEdit, TextStaysWhenTheWindowIsMadeAgain) {
    edit->Lines()->Add("bleibt");
    ::SendMessageA(edit->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(" erhalten"));
    const HWND before = edit->Handle();
    edit->SetBorderStyle(bsNone);
    EXPECT_NE(edit->Handle(), before);
    EXPECT_EQ(::GetWindowLongPtrA(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    ASSERT_EQ(edit->Lines()->Count(), 1);
    EXPECT_NE(edit->Lines()->Get(0).find("erhalten"), std::string::npos);
}

TEST_F(RichEdit, LinesWorkBeforeTheWindowExists) {
    auto* later = new TRichEdit(form);
    later->Lines()->Add("vorher");
    later->Lines()->Add("gesetzt");
    EXPECT_FALSE(later->HandleAllocated());
    later->SetParent(form);
    later->HandleNeeded();
    EXPECT_EQ(later->Lines()->Count(), 2);
    EXPECT_EQ(later->Lines()->Get(1), "gesetzt");
}

TEST_F(RichEdit, SingleBorderIsAClientEdgeAndScrollBarsFollowTheSetting) {
    EXPECT_NE(::GetWindowLongPtrA(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    // The control shows a bar only while its text needs it.
    for (int i = 0; i < 40; ++i)
        edit->Lines()->Add("Zeile " + std::to_string(i) + std::string(60, 'x'));
    EXPECT_EQ(::GetWindowLongPtrA(edit->Handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    edit->SetScrollBars(ssBoth);
    const LONG_PTR style = ::GetWindowLongPtrA(edit->Handle(), GWL_STYLE);
    EXPECT_NE(style & WS_VSCROLL, 0);
    EXPECT_NE(style & WS_HSCROLL, 0);
}
} // namespace
