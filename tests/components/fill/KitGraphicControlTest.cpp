// The bases of the kit's controls without a window, on a shown form:
// bounds-change events, the image index setters, transparency and the
// redraw it implies, the bevel copy, the parent's background changing,
// entering and leaving with the real mouse, the hint, and the background of
// an opaque fill whose image went.

#include "components/imagelists/kitbitmaplist.h"
#include "components/controls/kitcctrl.h"
#include "components/controls/kitextcS.h"
#include "platform/classes/Stream.h"
#include "platform/filer/ObjectText.h"
#include "platform/filer/Reader.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "tests/support/RealInput.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// A fill that counts what its bases call.
class TFillProbe : public TKitFill {
    TESSARO_CLASS(TFillProbe, TKitFill)
public:
    explicit TFillProbe(TComponent* owner) : TKitFill(owner) {}
    std::vector<TKitBoundsChanges> Bounds;
    std::vector<UINT> KitMessages;
    int Changes = 0;
    int ListChanges = 0;
    int Paints = 0;
    int Enters = 0;
    int Leaves = 0;
    void BoundsChange(TKitBoundsChanges changes) override {
        Bounds.push_back(changes);
        TKitFill::BoundsChange(changes);
    }
    void ObjectChanged(TObject* sender) override {
        ++Changes;
        TKitFill::ObjectChanged(sender);
    }
    void ImageListChanged(TObject* sender) override {
        ++ListChanges;
        TKitFill::ImageListChanged(sender);
    }
    void Dispatch(TMessage& message) override {
        if (message.Msg >= CM_KITTRANSPARENTCHANGED && message.Msg <= CM_KITBEVELCHANGED)
            KitMessages.push_back(message.Msg);
        TKitFill::Dispatch(message);
    }
    void Entered(TObject*) { ++Enters; }
    void Left(TObject*) { ++Leaves; }

protected:
    void Paint() override {
        ++Paints;
        TKitFill::Paint();
    }
};

// A kit windowed control that paints a background of its own for
// transparent children when told so.
class TBackgroundParent : public TKitCustomControl {
public:
    using TKitCustomControl::TKitCustomControl;
    bool Background = false;
    bool HasBackground() const override { return Background; }
};

class KitGraphicControl : public ::testing::Test {
protected:
    void SetUp() override {
        ::SetCursorPos(1200, 1000);
        form = new TForm(Application);
        form->SetBounds(40, 40, 400, 300);
        form->Show();
        PumpFor(50);
    }
    void TearDown() override {
        Free(form);
        Application->ProcessMessages();
    }
    TFillProbe* AddProbe(TWinControl* parent, RECT r, const std::string& name) {
        auto* p = new TFillProbe(form);
        p->SetName(name);
        p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        p->SetParent(parent);
        return p;
    }
    COLORREF FormPixel(int x, int y) {
        HDC dc = ::GetDC(form->Handle());
        const COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(form->Handle(), dc);
        return c;
    }
    void PaintSentinel(RECT r) {
        HDC dc = ::GetDC(form->Handle());
        HBRUSH magenta = ::CreateSolidBrush(RGB(255, 0, 255));
        ::FillRect(dc, &r, magenta);
        ::DeleteObject(magenta);
        ::ReleaseDC(form->Handle(), dc);
    }
    TForm* form = nullptr;
};

struct TTooltipSearch {
    const std::string* Text;
    bool Found = false;
};

BOOL CALLBACK FindTooltip(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<TTooltipSearch*>(p);
    char name[64]{};
    char shown[64]{};
    ::GetClassNameA(w, name, sizeof name);
    ::GetWindowTextA(w, shown, sizeof shown);
    s->Found = ::IsWindowVisible(w) && std::string(name) == TOOLTIPS_CLASSA && *s->Text == shown;
    return !s->Found;
}

// The visible tooltip of this thread showing Text, within five seconds.
bool TooltipShows(const std::string& text) {
    TTooltipSearch search{&text};
    for (int i = 0; i < 100 && !search.Found; ++i) {
        PumpFor(50);
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindTooltip,
                            reinterpret_cast<LPARAM>(&search));
    }
    return search.Found;
}

TKitBitmapList* ListWithOneBitmap(TComponent* owner, TColor colour = clBlack) {
    auto* list = new TKitBitmapList(owner);
    TBitmap picture;
    picture.SetSize(4, 4);
    picture.Canvas()->Brush()->SetColor(colour);
    picture.Canvas()->FillRect({0, 0, 4, 4});
    list->BitmapItems(list->AddItem())->SetBitmap(&picture);
    return list;
}
} // namespace

const TClassInfo& TFillProbe::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TFillProbe>("TFillProbe");
    return info;
}

TEST_F(KitGraphicControl, BoundsChangeEventsNameWhatChangedAndStayQuietWhileLoading) {
    auto* probe = AddProbe(form, {10, 10, 40, 40}, "probe");
    probe->Bounds.clear();
    struct Case {
        const char* What;
        RECT Bounds;
        std::vector<TKitBoundsChanges> Expected;
    };
    const Case cases[] = {
        {"the same bounds", {10, 10, 40, 40}, {}},
        {"a move", {20, 15, 50, 45}, {TKitBoundsChanges{bcMove}}},
        {"a resize", {20, 15, 60, 45}, {TKitBoundsChanges{bcSize}}},
        {"both", {0, 0, 10, 10}, {TKitBoundsChanges{bcSize, bcMove}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        probe->Bounds.clear();
        probe->SetBounds(c.Bounds.left, c.Bounds.top, c.Bounds.right - c.Bounds.left,
                         c.Bounds.bottom - c.Bounds.top);
        EXPECT_EQ(probe->Bounds, c.Expected);
    }

    // Read from a form: the stored bounds fire nothing.
    RegisterClasses<TFillProbe>();
    TMemoryStream stream;
    ObjectTextToBinary("object Host: TForm\n  object Read: TFillProbe\n    Left = 5\n    Top = 6\n"
                       "    Width = 70\n    Height = 8\n  end\nend\n",
                       stream);
    stream.SetPosition(0);
    TForm host(nullptr);
    TReader(stream).ReadRootComponent(&host);
    auto* read = dynamic_cast<TFillProbe*>(host.FindComponent("Read"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Width(), 70);
    EXPECT_TRUE(read->Bounds.empty());
}

TEST_F(KitGraphicControl, ImageIndexSettersIgnoreNegativeAndEqualValuesAndNeedAList) {
    auto* probe = AddProbe(form, {10, 10, 40, 40}, "probe");
    struct Case {
        const char* What;
        bool WithList;
        int Index; // 0 ImageIndex, 1 ListIndex
        int Value;
        int Stored;
        int Notified;
    };
    const Case cases[] = {
        {"ImageIndex -1", true, 0, -1, 0, 0},  {"ListIndex -1", true, 1, -1, 0, 0},
        {"ImageIndex same", true, 0, 0, 0, 0}, {"ListIndex same", true, 1, 0, 0, 0},
        {"ImageIndex new", true, 0, 3, 3, 1},  {"ListIndex new", true, 1, 2, 2, 1},
        {"no list", false, 0, 5, 5, 0},        {"no list", false, 1, 4, 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        Free(probe);
        probe = AddProbe(form, {10, 10, 40, 40}, "probe");
        if (c.WithList)
            probe->SetImageList(ListWithOneBitmap(form));
        probe->ListChanges = 0;
        if (c.Index == 0)
            probe->SetImageIndexValue(c.Value);
        else
            probe->SetListIndexValue(c.Value);
        EXPECT_EQ(c.Index == 0 ? probe->ImageIndex() : probe->ListIndex(), c.Stored);
        EXPECT_EQ(probe->ListChanges, c.Notified);
    }

    // An image is missing without a list and outside the list.
    Free(probe);
    probe = AddProbe(form, {10, 10, 40, 40}, "probe");
    EXPECT_TRUE(probe->ImageMissing());
    TKitBitmapList* list = ListWithOneBitmap(form);
    probe->SetImageList(list);
    EXPECT_FALSE(probe->ImageMissing());
    probe->SetListIndexValue(1);
    EXPECT_TRUE(probe->ImageMissing()) << "the list holds one item";
    probe->ListChanges = 0;
    probe->SetImageList(list);
    EXPECT_EQ(probe->ListChanges, 1) << "the same list again is linked afresh";
    Free(list);
    EXPECT_EQ(probe->ImageList(), nullptr);
    EXPECT_EQ(probe->ListChanges, 2) << "a freed list is dropped and reported";
}

TEST_F(KitGraphicControl, TransparencyTogglesTheOpaqueStyleAndHowItRedraws) {
    auto* probe = AddProbe(form, {20, 20, 80, 60}, "probe");
    probe->Caption()->SetCaption("x"); // something to paint
    PumpFor(50);
    EXPECT_TRUE(probe->Transparent());
    EXPECT_FALSE(probe->ControlStyle().Contains(csOpaque));
    EXPECT_TRUE(probe->ControlStyle().Contains(csReplicatable));

    // Opaque: painted at once, the background under it left alone.
    PaintSentinel({20, 20, 80, 60});
    probe->Paints = 0;
    probe->KitMessages.clear();
    probe->SetTransparent(false);
    EXPECT_TRUE(probe->ControlStyle().Contains(csOpaque));
    EXPECT_EQ(probe->KitMessages, std::vector<UINT>{CM_KITTRANSPARENTCHANGED});
    EXPECT_EQ(probe->Paints, 1) << "painted before any message was pumped";
    EXPECT_FALSE(::GetUpdateRect(form->Handle(), nullptr, FALSE)) << "nothing left to paint";
    EXPECT_EQ(FormPixel(79, 59), RGB(255, 0, 255)) << "no erasing under an opaque control";

    probe->SetTransparent(false);
    EXPECT_EQ(probe->KitMessages.size(), 1u) << "the same value does nothing";

    // Transparent: the parent repaints the area, background first.
    probe->Paints = 0;
    probe->SetTransparent(true);
    EXPECT_FALSE(probe->ControlStyle().Contains(csOpaque));
    EXPECT_EQ(probe->Paints, 0) << "left to the parent's next paint";
    EXPECT_TRUE(::GetUpdateRect(form->Handle(), nullptr, FALSE));
    PumpFor(50);
    EXPECT_EQ(probe->Paints, 1);
    EXPECT_NE(FormPixel(79, 59), RGB(255, 0, 255)) << "the background was painted again";
}

TEST_F(KitGraphicControl, AFillIsClippedToItsOwnPlaceOnTheForm) {
    auto* probe = AddProbe(form, {50, 20, 90, 50}, "probe"); // Left and Top differ
    probe->FillObject()->Brush()->SetColor(clBlue);
    probe->FillObject()->SetStyle(sfBrush); // solid, so clipped and opaque
    ::UpdateWindow(form->Handle());
    for (const POINT p : {POINT{50, 20}, POINT{89, 49}, POINT{70, 35}})
        EXPECT_EQ(FormPixel(p.x, p.y), RGB(0, 0, 255)) << p.x << "," << p.y;
    EXPECT_NE(FormPixel(90, 35), RGB(0, 0, 255));
}

TEST_F(KitGraphicControl, ABevelAssignedIsCopiedIntoTheOwnedOne) {
    auto* probe = AddProbe(form, {20, 20, 80, 60}, "probe");
    TKitBevel* owned = probe->Bevel();
    TKitBevel other;
    other.SetMode(bmStandard);
    other.SetWidthOuter(3);
    probe->KitMessages.clear();
    probe->Changes = 0;
    probe->SetBevel(&other);
    EXPECT_EQ(probe->Bevel(), owned);
    EXPECT_EQ(owned->Mode(), bmStandard);
    EXPECT_EQ(owned->WidthOuter(), 3);
    EXPECT_EQ(probe->KitMessages, std::vector<UINT>{CM_KITBEVELCHANGED});
    EXPECT_GE(probe->Changes, 1) << "the bevel reported its change";
    EXPECT_TRUE(probe->Transparent()) << "a bevel leaves the transparency alone";
}

TEST_F(KitGraphicControl, AChangedParentBackgroundRedrawsOnlyTransparentChildrenThatShowIt) {
    struct Case {
        const char* What;
        bool ParentBackground;
        bool ParentTransparent;
        bool ChildTransparent;
        bool ChildLoading;
        int Changes;
    };
    const Case cases[] = {
        {"the parent paints the background", true, true, true, false, 1},
        {"an opaque child", true, true, false, false, 0},
        {"a parent without a background", false, true, true, false, 0},
        {"a parent that is not transparent", true, false, true, false, 0},
        {"a child still loading", true, true, true, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        auto* parent = new TBackgroundParent(form);
        parent->SetBounds(10, 10, 200, 100);
        parent->SetParent(form);
        parent->Background = c.ParentBackground;
        parent->SetTransparent(c.ParentTransparent);
        auto* child = AddProbe(parent, {5, 5, 50, 50}, "child");
        child->SetTransparent(c.ChildTransparent);
        if (c.ChildLoading)
            child->IncludeState(csLoading);
        parent->HandleNeeded();
        child->Changes = 0;
        parent->Perform(CM_KITBACKCHANGED); // the parent's own background changed
        EXPECT_EQ(child->Changes, c.Changes);
        child->ExcludeState(csLoading);
        Free(parent);
    }
}

TEST_F(KitGraphicControl, TheRealMouseMakesAFillEnterAndLeave) {
    auto* a = AddProbe(form, {10, 10, 60, 40}, "a");
    auto* b = AddProbe(form, {60, 10, 110, 40}, "b");
    for (TFillProbe* p : {a, b}) {
        p->OnMouseEnter = TNotifyEvent::Of<&TFillProbe::Entered>(p);
        p->OnMouseLeave = TNotifyEvent::Of<&TFillProbe::Left>(p);
    }
    auto moveTo = [](TControl* c, int x, int y) { MoveCursorTo(c->ClientToScreen({x, y})); };
    moveTo(a, 10, 10);
    EXPECT_EQ(a->Enters, 1);
    moveTo(a, 20, 12);
    moveTo(b, 10, 10); // straight across the shared edge
    EXPECT_EQ(a->Leaves, 1);
    EXPECT_EQ(b->Enters, 1);
    MoveCursorTo({1200, 1000}); // off the form
    EXPECT_EQ(a->Enters, 1);
    EXPECT_EQ(a->Leaves, 1);
    EXPECT_EQ(b->Enters, 1);
    EXPECT_EQ(b->Leaves, 1);
}

TEST_F(KitGraphicControl, AFillOffersItsGradientsPaletteWhenTheFormRealisesPalettes) {
    auto* probe = AddProbe(form, {10, 10, 110, 30}, "probe");
    probe->FillObject()->SetStyle(sfGradient);
    EXPECT_EQ(::SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0), FALSE)
        << "a gradient without its own palette";
    probe->FillObject()->Gradient()->SetPaletteRealize(true);
    ASSERT_NE(probe->GetPalette(), nullptr);
    EXPECT_EQ(probe->GetPalette(), probe->FillObject()->Gradient()->Palette());
    EXPECT_EQ(::SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0), TRUE);
    probe->FillObject()->SetStyle(sfNone);
    EXPECT_EQ(probe->GetPalette(), nullptr);
}

TEST_F(KitGraphicControl, AFillWithAHintShowsItUnderTheRealMouse) {
    auto* fill = AddProbe(form, {20, 20, 120, 60}, "hinted");
    fill->SetHint("Füllung");
    fill->SetShowHint(true);
    MoveCursorTo(fill->ClientToScreen({50, 20}));
    EXPECT_TRUE(TooltipShows("Füllung"));
}

TEST_F(KitGraphicControl, AnOpaqueFillWhoseImageWentShowsItsBackground) {
    enum class TLoss { ListIndexOutside, ListFreed };
    for (TLoss loss : {TLoss::ListIndexOutside, TLoss::ListFreed}) {
        auto* fill = AddProbe(form, {20, 20, 120, 60}, "stretched");
        fill->SetColor(clYellow);
        fill->FillObject()->SetTileMode(tmStretch);
        fill->FillObject()->SetStyle(sfBitmapList);
        TKitBitmapList* list = ListWithOneBitmap(form, clRed);
        fill->SetImageList(list);
        PumpMessages();
        ASSERT_FALSE(fill->Transparent());
        ASSERT_EQ(FormPixel(70, 40), RGB(255, 0, 0));
        if (loss == TLoss::ListIndexOutside)
            fill->SetListIndexValue(1);
        else
            Free(list);
        PumpMessages();
        EXPECT_TRUE(fill->IsEmpty());
        EXPECT_EQ(FormPixel(70, 40), RGB(255, 255, 0)) << static_cast<int>(loss);
        Free(fill);
        if (loss == TLoss::ListIndexOutside)
            Free(list);
    }
}
