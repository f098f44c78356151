// Presets, track bar and label in step; the close request; disabling and
// enabling around a split; the help button.

#include "MainWindowFixture.h"

#include "platform/rtl/SystemSeams.h"
#include "platform/forms/Application.h"

#include <commctrl.h>
#include <cstring>
#include <cwchar>
#include <initializer_list>

TEST_F(MainWindow, PresetsMoveTheSliderAndTheLabelFollows) {
    form->HandleNeeded();
    ChangeCounter changes(form->TrackBarMaxLines);
    ClickButton(form->rbSetExcel2010);
    EXPECT_EQ(form->TrackBarMaxLines->Position(), 1048000);
    EXPECT_EQ(::SendMessageA(form->TrackBarMaxLines->Handle(), TBM_GETPOS, 0, 0), 1048000)
        << "the slider sits at its right end";
    EXPECT_EQ(form->lbLines->Caption(), "max. 1.048.000 Zeilen je Teildatei");
    EXPECT_TRUE(form->rbSetExcel2010->Checked());
    EXPECT_FALSE(form->rbSetExcel2007->Checked());
    EXPECT_EQ(changes.Count, 1);
    ClickButton(form->rbSetExcel2010); // again: nothing changes
    EXPECT_EQ(changes.Count, 1);
    ClickButton(form->rbSetDefault);
    EXPECT_EQ(form->TrackBarMaxLines->Position(), 100000);
    EXPECT_EQ(form->lbLines->Caption(), "max. 100.000 Zeilen je Teildatei");
    ClickButton(form->rbSetExcel2007);
    EXPECT_EQ(form->TrackBarMaxLines->Position(), 65500);
    EXPECT_EQ(form->lbLines->Caption(), "max. 65.500 Zeilen je Teildatei");
    EXPECT_EQ(changes.Count, 3);
}

TEST_F(MainWindow, DraggingToAPresetSelectsItAndAnythingElseSelectsOwn) {
    form->HandleNeeded();
    ScrollTrackBarTo(100000);
    EXPECT_TRUE(form->rbSetDefault->Checked());
    EXPECT_EQ(form->lbLines->Caption(), "max. 100.000 Zeilen je Teildatei");
    ScrollTrackBarTo(100001);
    EXPECT_TRUE(form->rbSetOwn->Checked());
    EXPECT_FALSE(form->rbSetDefault->Checked());
    EXPECT_EQ(form->lbLines->Caption(), "max. 100.001 Zeilen je Teildatei");
    EXPECT_EQ(::SendMessageA(form->rbSetOwn->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    ScrollTrackBarTo(65500);
    EXPECT_TRUE(form->rbSetExcel2007->Checked());
}

TEST_F(MainWindow, OwnSettingChangesNeitherSliderNorLabel) {
    form->HandleNeeded();
    ChangeCounter changes(form->TrackBarMaxLines);
    ClickButton(form->rbSetOwn);
    EXPECT_TRUE(form->rbSetOwn->Checked());
    EXPECT_EQ(form->TrackBarMaxLines->Position(), 65500);
    EXPECT_EQ(form->lbLines->Caption(), "max. 65.500 Zeilen je Teildatei");
    EXPECT_EQ(changes.Count, 0);
}

TEST_F(MainWindow, PositionsAreClampedAndTheSameValueFiresNothing) {
    ChangeCounter changes(form->TrackBarMaxLines);
    form->TrackBarMaxLines->SetPosition(65500);
    EXPECT_EQ(changes.Count, 0);
    form->TrackBarMaxLines->SetPosition(5);
    EXPECT_EQ(form->TrackBarMaxLines->Position(), 10000);
    EXPECT_EQ(form->lbLines->Caption(), "max. 10.000 Zeilen je Teildatei");
    form->TrackBarMaxLines->SetPosition(-3);
    EXPECT_EQ(changes.Count, 1) << "clamped to the value it already has";
    form->TrackBarMaxLines->SetPosition(5000000);
    EXPECT_EQ(form->TrackBarMaxLines->Position(), 1048000);
    EXPECT_TRUE(form->rbSetExcel2010->Checked());
    EXPECT_EQ(changes.Count, 2);
}

TEST_F(MainWindow, KeysFireTheChangeHandlerEvenAtTheEndOfTheRange) {
    form->HandleNeeded();
    ChangeCounter changes(form->TrackBarMaxLines);
    HWND bar = form->TrackBarMaxLines->Handle();
    ::SendMessageA(bar, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(form->TrackBarMaxLines->Position(), 65501) << "arrow keys move by 1";
    EXPECT_TRUE(form->rbSetOwn->Checked());
    ::SendMessageA(bar, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(form->TrackBarMaxLines->Position(), 66501) << "page keys move by 1000";
    form->TrackBarMaxLines->SetPosition(1048000);
    const int before = changes.Count;
    ::SendMessageA(bar, WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageA(bar, WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ(form->TrackBarMaxLines->Position(), 1048000);
    EXPECT_GT(changes.Count, before) << "a scroll notification fires even without a move";
}

TEST_F(MainWindow, DisableControlsTouchesExactlyTheWindowedControlsButTheOneNamed) {
    form->HandleNeeded();
    form->DisableControls("btnExecute");
    for (TWinControl* c : std::initializer_list<TWinControl*>{
             form->rbSetExcel2007, form->rbSetExcel2010, form->rbSetDefault, form->rbSetOwn,
             form->TrackBarMaxLines, form->btnHelp, form->btnClose}) {
        EXPECT_FALSE(c->Enabled()) << c->Name();
        EXPECT_FALSE(::IsWindowEnabled(c->Handle())) << c->Name();
    }
    for (TWinControl* c : std::initializer_list<TWinControl*>{
             form->btnExecute, form->panPgCtr, form->grpBoxSettings, form->grpBoxExecute})
        EXPECT_TRUE(c->Enabled()) << c->Name();
    EXPECT_TRUE(form->Enabled());
    for (TControl* c : std::initializer_list<TControl*>{form->lbLines, form->Label2, form->imgLogo,
                                                        form->bvlBottomLine})
        EXPECT_TRUE(c->Enabled()) << "labels keep their colours: " << c->Name();

    form->btnExecute->SetEnabled(false);
    form->EnableControls();
    for (TComponent* c : form->ComponentList()) {
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            EXPECT_TRUE(w->Enabled()) << w->Name();
        }
    }
}

TEST_F(MainWindow, CloseQueryLetsAnIdleWindowClose) {
    int boxes = 0;
    TSeamOverride box(SystemSeams().ShowMessageBox,
                      [&](HWND, const std::wstring&, const std::wstring&, UINT) {
                          ++boxes;
                          return IDOK;
                      });
    bool canClose = true;
    form->FormCloseQuery(form, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(boxes, 0);
    EXPECT_TRUE(form->CloseQuery());
}

TEST_F(MainWindow, CloseQueryDuringASplitAsksForPatienceAndStopsIt) {
    form->HandleNeeded();
    std::wstring text, caption;
    UINT flags = 0;
    HWND owner = nullptr;
    TSeamOverride box(SystemSeams().ShowMessageBox,
                      [&](HWND o, const std::wstring& t, const std::wstring& c, UINT f) {
                          owner = o;
                          text = t;
                          caption = c;
                          flags = f;
                          return IDOK;
                      });
    bAbort = false; // a split runs
    bool canClose = true;
    form->FormCloseQuery(form, canClose);
    EXPECT_FALSE(canClose);
    EXPECT_TRUE(bAbort) << "the split stops at its next line";
    EXPECT_FALSE(form->btnExecute->Enabled());
    EXPECT_EQ(text, L"Der aktuelle Vorgang wird abgebrochen...\rBitte haben Sie etwas Geduld und "
                    L"versuchen Sie es in ein paar Sekunden erneut");
    EXPECT_EQ(caption, L"Tessaro");
    EXPECT_EQ(flags, static_cast<UINT>(MB_ICONQUESTION | MB_OK));
    EXPECT_EQ(owner, form->Handle());
    // Once the split has ended, closing works.
    canClose = true;
    form->FormCloseQuery(form, canClose);
    EXPECT_TRUE(canClose);
}

TEST_F(MainWindow, HelpStartsTheFileManagerByFullPathWithThePageBesideTheProgram) {
    std::wstring verb, file, params;
    TSeamOverride shell(SystemSeams().ShellExecuteFile,
                        [&](HWND, const std::wstring& v, const std::wstring& f,
                            const std::wstring& p, const std::wstring&, int show) {
                            verb = v;
                            file = f;
                            params = p;
                            EXPECT_EQ(show, SW_SHOWNORMAL);
                            return reinterpret_cast<HINSTANCE>(33);
                        });
    ClickButton(form->btnHelp);
    EXPECT_EQ(verb, L"open");
    wchar_t windows[MAX_PATH];
    ::GetSystemWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(file, std::wstring(windows) + L"\\explorer.exe");
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring folder(program, std::wcsrchr(program, L'\\'));
    EXPECT_EQ(params, L"\"" + folder + L"\\faq.html\"") << "one argument, quoted";
}

TEST_F(MainWindow, CloseButtonAsksTheCloseQuery) {
    bAbort = false;
    int boxes = 0;
    TSeamOverride box(SystemSeams().ShowMessageBox,
                      [&](HWND, const std::wstring&, const std::wstring&, UINT) {
                          ++boxes;
                          return IDOK;
                      });
    ClickButton(form->btnClose);
    EXPECT_EQ(boxes, 1) << "a running split keeps the window open";
    EXPECT_TRUE(form->HandleAllocated());
}

TEST_F(MainWindow, AClickOnAButtonRunsItsHandlerOnce) {
    struct Counter : TComponent {
        using TComponent::TComponent;
        int Clicks = 0;
        void Clicked(TObject*) { ++Clicks; }
    } counter(nullptr);
    form->HandleNeeded();
    form->btnHelp->OnClick = TNotifyEvent::Of<&Counter::Clicked>(&counter);
    form->rbSetOwn->OnClick = TNotifyEvent::Of<&Counter::Clicked>(&counter);
    ClickButton(form->btnHelp);
    EXPECT_EQ(counter.Clicks, 1) << "BM_CLICK sends the mouse messages and BN_CLICKED";
    ClickButton(form->rbSetOwn);
    EXPECT_EQ(counter.Clicks, 2);
}
