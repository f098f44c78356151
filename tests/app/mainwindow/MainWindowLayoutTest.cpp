// The main window as its form resource lays it out.

#include "MainWindowFixture.h"

#include "platform/forms/Application.h"
#include "platform/graphics/HandleCount.h"
#include "platform/rtl/FormatSettings.h"
#include "tests/support/GdiCensus.h"

#include <commctrl.h>

namespace {
struct Expected {
    const char* Name;
    const char* Class;
    const char* Parent;
    RECT Bounds; // left, top, width, height
};

const Expected Layout[] = {
    {"imgLogo", "TImage", "frmMain", {0, 0, 163, 297}},
    {"bvlBottomLine", "TBevel", "frmMain", {0, 288, 497, 11}},
    {"panPgCtr", "TPanel", "frmMain", {163, 0, 331, 297}},
    {"lbHeadline", "TLabel", "panPgCtr", {10, 15, 313, 17}},
    {"grpBoxSettings", "TGroupBox", "panPgCtr", {8, 40, 313, 161}},
    {"KitFill", "TKitFill", "grpBoxSettings", {9, 71, 292, 20}},
    {"Label1", "TLabel", "grpBoxSettings", {10, 117, 83, 13}},
    {"Label3", "TLabel", "grpBoxSettings", {216, 117, 82, 13}},
    {"lbLines", "TLabel", "grpBoxSettings", {8, 139, 290, 16}},
    {"Label2", "TLabel", "grpBoxSettings", {10, 74, 59, 13}},
    {"Label4", "TLabel", "grpBoxSettings", {207, 74, 91, 13}},
    {"rbSetExcel2007", "TRadioButton", "grpBoxSettings", {8, 24, 113, 17}},
    {"rbSetExcel2010", "TRadioButton", "grpBoxSettings", {136, 24, 113, 17}},
    {"rbSetOwn", "TRadioButton", "grpBoxSettings", {136, 40, 113, 17}},
    {"TrackBarMaxLines", "TTrackBar", "grpBoxSettings", {3, 93, 302, 25}},
    {"rbSetDefault", "TRadioButton", "grpBoxSettings", {8, 40, 113, 17}},
    {"grpBoxExecute", "TGroupBox", "panPgCtr", {8, 208, 313, 73}},
    {"lbState", "TLabel", "grpBoxExecute", {16, 50, 281, 13}},
    {"btnExecute", "TButton", "grpBoxExecute", {16, 20, 281, 25}},
    {"btnHelp", "TButton", "frmMain", {8, 312, 89, 25}},
    {"btnClose", "TButton", "frmMain", {392, 312, 89, 25}},
    {"OpenDialog", "TOpenDialog", nullptr, {}},
    {"ThemeManager", "TThemeManager", nullptr, {}},
};
} // namespace

TEST_F(MainWindow, EveryComponentInResourceOrderWithClassParentAndBounds) {
    ASSERT_EQ(form->ComponentCount(), static_cast<int>(std::size(Layout)));
    for (int i = 0; i < form->ComponentCount(); ++i) {
        const Expected& e = Layout[i];
        TComponent* c = form->Components(i);
        SCOPED_TRACE(e.Name);
        EXPECT_EQ(c->Name(), e.Name);
        EXPECT_EQ(c->ClassName(), e.Class);
        auto* control = dynamic_cast<TControl*>(c);
        if (!e.Parent) {
            EXPECT_EQ(control, nullptr);
            continue;
        }
        ASSERT_NE(control, nullptr);
        ASSERT_NE(control->Parent(), nullptr);
        EXPECT_EQ(control->Parent()->Name(), e.Parent);
        EXPECT_EQ(control->Top(), e.Bounds.top);
        EXPECT_EQ(control->Height(), e.Bounds.bottom);
        // Labels that size themselves measure their caption in the form's
        // font: in the font the form names they get the stored bounds. Wine
        // makes the bold face from the regular one, a pixel narrower here.
        auto* label = dynamic_cast<TLabel*>(c);
        const int slack = label && label->AutoSize() && label->Font()->Style().Contains(fsBold);
        EXPECT_NEAR(control->Left(), e.Bounds.left, slack);
        EXPECT_NEAR(control->Width(), e.Bounds.right, slack);
        if (label && label->AutoSize() && label->Alignment() == taRightJustify) {
            EXPECT_EQ(label->Left() + label->Width(), e.Bounds.left + e.Bounds.right)
                << "the right edge stays";
        }
    }
}

TEST_F(MainWindow, WindowPropertiesAndClientSize) {
    EXPECT_EQ(form->Caption(), "Tessaro");
    EXPECT_EQ(form->BorderStyle(), bsSingle);
    EXPECT_EQ(form->BorderIcons(), TBorderIcons{biSystemMenu});
    EXPECT_EQ(form->Position(), poDesktopCenter);
    EXPECT_EQ(form->Color(), clBtnFace);
    EXPECT_EQ(form->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(form->Font()->Height(), -11);
    form->HandleNeeded();
    RECT client{};
    ::GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 496);
    EXPECT_EQ(client.bottom, 350);
    const LONG_PTR style = ::GetWindowLongPtrA(form->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "fixed size";
}

TEST_F(MainWindow, CaptionsColoursAndFonts) {
    EXPECT_EQ(form->panPgCtr->Color(), clWhite);
    EXPECT_EQ(form->panPgCtr->Caption(), "");
    EXPECT_EQ(form->panPgCtr->BevelOuter(), TBevelCut::bvNone);
    EXPECT_EQ(form->grpBoxSettings->Color(), clWhite) << "takes the panel's colour";
    EXPECT_EQ(form->rbSetOwn->Color(), clWhite);
    EXPECT_EQ(form->grpBoxSettings->Caption(), "Gesplittete Dateien optimieren");
    EXPECT_EQ(form->grpBoxExecute->Caption(), "Start");
    EXPECT_EQ(form->lbHeadline->Caption(), "Datei aufteilen");
    EXPECT_TRUE(form->lbHeadline->Font()->Style().Contains(fsBold));
    EXPECT_FALSE(form->Label1->Font()->Style().Contains(fsBold)) << "takes the form's font";
    EXPECT_EQ(form->Label2->Font()->Color(), clWhite);
    EXPECT_EQ(form->Label4->Caption(), "nicht empfohlen");
    EXPECT_EQ(form->Label3->Caption(), "gro\xDF"
                                       "e Teildateien");
    for (TLabel* l :
         {form->lbHeadline, form->Label1, form->Label2, form->Label3, form->Label4, form->lbLines})
        EXPECT_TRUE(l->Transparent()) << l->Name();
    // Stored opaque; the theme manager's fix-up makes every label transparent.
    EXPECT_TRUE(form->lbState->Transparent());
    EXPECT_EQ(form->lbState->Caption(), "");
    EXPECT_EQ(form->btnExecute->Caption(), "Datei w\xE4hlen und Aufteilung starten");
    EXPECT_EQ(form->btnExecute->Hint(), form->btnExecute->Caption());
    EXPECT_TRUE(form->btnExecute->ShowHint());
    EXPECT_EQ(form->btnHelp->Caption(), "&Hilfe");
    EXPECT_EQ(form->btnClose->Caption(), "&Beenden");
    EXPECT_EQ(form->bvlBottomLine->Shape(), bsBottomLine);
    EXPECT_EQ(form->imgLogo->Picture()->Width(), 163);
    EXPECT_EQ(form->imgLogo->Picture()->Height(), 297);
}

TEST_F(MainWindow, TabOrderFollowsTheResourceAndTheWindowOrder) {
    auto names = [](TWinControl* parent) {
        std::vector<std::string> result;
        for (TWinControl* c : parent->TabList())
            result.push_back(c->Name());
        return result;
    };
    EXPECT_EQ(names(form), (std::vector<std::string>{"btnHelp", "btnClose", "panPgCtr"}));
    EXPECT_EQ(names(form->panPgCtr), (std::vector<std::string>{"grpBoxSettings", "grpBoxExecute"}));
    EXPECT_EQ(names(form->grpBoxSettings),
              (std::vector<std::string>{"rbSetExcel2007", "rbSetExcel2010", "rbSetDefault",
                                        "rbSetOwn", "TrackBarMaxLines"}));
    EXPECT_EQ(form->rbSetOwn->TabOrder(), 3);
    // The system's dialog navigation walks the windows in the same order.
    form->HandleNeeded();
    std::vector<std::string> windows;
    for (HWND h = ::GetWindow(form->grpBoxSettings->Handle(), GW_CHILD); h;
         h = ::GetWindow(h, GW_HWNDNEXT))
        if (TWinControl* c = TWinControl::FindControl(h))
            windows.push_back(c->Name());
    EXPECT_EQ(windows, names(form->grpBoxSettings));
}

TEST_F(MainWindow, StartsAt65500WithThePresetSelectedAndTheStoredLabel) {
    EXPECT_EQ(form->TrackBarMaxLines->Min(), 10000);
    EXPECT_EQ(form->TrackBarMaxLines->Max(), 1048000);
    EXPECT_EQ(form->TrackBarMaxLines->Position(), 65500);
    EXPECT_EQ(form->TrackBarMaxLines->PageSize(), 1000);
    EXPECT_EQ(form->TrackBarMaxLines->TickStyle(), tsNone);
    EXPECT_TRUE(form->rbSetExcel2007->Checked());
    EXPECT_FALSE(form->rbSetExcel2010->Checked());
    EXPECT_FALSE(form->rbSetDefault->Checked());
    EXPECT_FALSE(form->rbSetOwn->Checked());
    EXPECT_EQ(form->lbLines->Caption(), "max. 65.500 Zeilen je Teildatei");
    form->HandleNeeded();
    EXPECT_EQ(::SendMessageA(form->TrackBarMaxLines->Handle(), TBM_GETPOS, 0, 0), 65500);
    EXPECT_EQ(::SendMessageA(form->rbSetExcel2007->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(MainWindow, TheChangeHandlerDoesNotRunWhileTheFormLoads) {
    // With other separators a handler run at load would rewrite the label.
    const TFormatSettings german = FormatSettings();
    SetFormatSettings({',', '.'});
    TfrmMain* other = new TfrmMain(Application);
    other->ReadFormResource();
    EXPECT_EQ(other->Name(), "frmMain_1") << "a second window gets a name of its own";
    EXPECT_EQ(other->lbLines->Caption(), "max. 65.500 Zeilen je Teildatei");
    other->TrackBarMaxLines->SetPosition(70000);
    EXPECT_EQ(other->lbLines->Caption(), "max. 70,000 Zeilen je Teildatei");
    Free(other);
    SetFormatSettings(german);
}

TEST_F(MainWindow, CreatingAndFreeingWindowsGivesEveryHandleBack) {
    ASSERT_TRUE(GdiCensusSeesALeakedBrush());
    form->HandleNeeded();
    auto another = [](int i) {
        auto* other = new TfrmMain(Application);
        other->ReadFormResource();
        other->HandleNeeded();
        other->Repaint();
        other->TrackBarMaxLines->SetPosition(100000 + i);
        Free(other);
    };
    another(0); // the first one makes the system's caches
    const std::int64_t windows = LiveHandleCount(THandleKind::Window);
    const std::int64_t gdi = LiveHandleCount(THandleKind::GdiObject);
    const std::int64_t dcs = LiveHandleCount(THandleKind::DeviceContext);
    const int systemGdi = ProcessGdiObjects();
    EXPECT_GE(windows, 12) << "the form and its windowed controls are counted";
    for (int i = 1; i <= 15; ++i)
        another(i);
    EXPECT_EQ(LiveHandleCount(THandleKind::Window), windows);
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), gdi);
    EXPECT_EQ(LiveHandleCount(THandleKind::DeviceContext), dcs);
    EXPECT_EQ(ProcessGdiObjects(), systemGdi);
}

TEST_F(MainWindow, TheScaleLoadsOpaqueWithItsStoredGradient) {
    TKitFill* fill = form->KitFill;
    EXPECT_FALSE(fill->Transparent()) << "a gradient makes the fill opaque while loading";
    EXPECT_TRUE(fill->ControlStyle().Contains(csOpaque));
    EXPECT_EQ(fill->FillObject()->Style(), sfGradient);
    EXPECT_EQ(fill->FillObject()->Gradient()->ColorCount(), 236);
    EXPECT_EQ(fill->FillObject()->Gradient()->Color(), clLime);
    EXPECT_EQ(fill->FillObject()->Gradient()->EndColor(), clRed);
    EXPECT_EQ(fill->BevelExtent(), 0);
    EXPECT_EQ(fill->Caption()->Caption(), "");
    EXPECT_FALSE(fill->IsEmpty());
    // The white labels are painted after the scale: they come later in the
    // group box's list of controls.
    const auto& controls = form->grpBoxSettings->ControlList();
    const auto at = [&](TControl* c) { return std::find(controls.begin(), controls.end(), c); };
    EXPECT_LT(at(fill), at(form->Label2));
    EXPECT_LT(at(fill), at(form->Label4));
}

TEST_F(MainWindow, TheThemeManagerOfTheFormIsActiveAndSubclassesTheForm) {
    ASSERT_NE(form->ThemeManager, nullptr);
    EXPECT_EQ(ActiveThemeManager, form->ThemeManager);
    EXPECT_EQ(form->ThemeManager->Options(), DefaultThemeOptions);
    TWindowProcList& forms = form->ThemeManager->List(TThemedClass::tcForm);
    int index = -1;
    EXPECT_TRUE(forms.FindSubclassedControl(form, index));
    // The form keeps working through the replaced procedure.
    form->TrackBarMaxLines->SetPosition(100000);
    EXPECT_TRUE(form->rbSetDefault->Checked());
}

namespace {
// Every component field of the window, as the window's code sees them.
std::vector<TComponent*> FieldValues(const TfrmMain& f) {
    return {f.imgLogo,      f.bvlBottomLine,  f.panPgCtr,       f.lbHeadline, f.grpBoxSettings,
            f.KitFill,      f.Label1,         f.Label3,         f.lbLines,    f.Label2,
            f.Label4,       f.rbSetExcel2007, f.rbSetExcel2010, f.rbSetOwn,   f.TrackBarMaxLines,
            f.rbSetDefault, f.grpBoxExecute,  f.lbState,        f.btnExecute, f.btnHelp,
            f.btnClose,     f.OpenDialog,     f.ThemeManager};
}
} // namespace

TEST_F(MainWindow, AComponentFreedBeforeTheFormLeavesNoFieldPointingAtIt) {
    ASSERT_EQ(FieldValues(*form).size(), std::size(Layout));
    for (size_t i = 0; i < std::size(Layout); ++i) {
        SCOPED_TRACE(Layout[i].Name);
        auto* other = new TfrmMain(Application);
        other->ReadFormResource();
        other->HandleNeeded();
        const std::vector<TComponent*> before = FieldValues(*other);
        TComponent* victim = other->FindComponent(Layout[i].Name);
        ASSERT_NE(victim, nullptr);
        EXPECT_EQ(before[i], victim) << "the field holds the component of its name";
        // A container frees the controls inside it with it.
        auto goes = [victim](TComponent* c) {
            for (auto* control = dynamic_cast<TControl*>(c); control; control = control->Parent())
                if (control == victim)
                    return true;
            return c == victim;
        };
        std::vector<bool> gone;
        for (TComponent* c : before)
            gone.push_back(goes(c));
        Free(victim);
        const std::vector<TComponent*> after = FieldValues(*other);
        for (size_t k = 0; k < after.size(); ++k)
            EXPECT_EQ(after[k], gone[k] ? nullptr : before[k]) << Layout[k].Name;
        Free(other); // the form frees the rest without touching the gone one
    }
}

TEST_F(MainWindow, TheCaptionsFitTheirControlsInTheFontTheFormNames) {
    form->HandleNeeded();
    for (TRadioButton* radio :
         {form->rbSetExcel2007, form->rbSetExcel2010, form->rbSetOwn, form->rbSetDefault}) {
        SCOPED_TRACE(radio->Caption());
        HDC dc = ::GetDC(radio->Handle());
        const HGDIOBJ old = ::SelectObject(dc, radio->Font()->Handle());
        char face[LF_FACESIZE] = {};
        ::GetTextFaceA(dc, LF_FACESIZE, face);
        SIZE extent{};
        const std::string caption = radio->Caption();
        ::GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(radio->Handle(), dc);
        EXPECT_STREQ(face, "MS Sans Serif") << "the face is there, not a stand-in";
        // The check mark with its gap takes 16 pixels of the 113.
        EXPECT_LE(extent.cx, radio->Width() - 16);
    }
}

TEST_F(MainWindow, EveryWindowLeadsToItsControlWhileItLivesAndNoOtherWindowDoes) {
    form->HandleNeeded();
    for (TComponent* c : form->ComponentList()) {
        if (auto* control = dynamic_cast<TWinControl*>(c)) {
            EXPECT_EQ(TWinControl::FindControl(control->Handle()), control) << c->Name();
        }
    }
    EXPECT_EQ(TWinControl::FindControl(form->Handle()), form);
    // A window the layer did not make, even a child of one it did.
    HWND foreign = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, form->Handle(),
                                     nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(foreign, nullptr);
    EXPECT_EQ(TWinControl::FindControl(foreign), nullptr);
    ::DestroyWindow(foreign);
    // A freed control's window leads nowhere.
    HWND help = form->btnHelp->Handle();
    Free(form->btnHelp);
    EXPECT_FALSE(::IsWindow(help));
    EXPECT_EQ(TWinControl::FindControl(help), nullptr);
}
