// Right-to-left modes: what each mode means, the window styles it gives,
// and children following their parent.

#include "ControlsFixture.h"

#include "platform/stdctrls/Panels.h"

namespace {
constexpr DWORD BiDiStyles = WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT;

DWORD BiDiStylesOf(TWinControl* control) {
    return static_cast<DWORD>(::GetWindowLongPtrA(control->Handle(), GWL_EXSTYLE)) & BiDiStyles;
}

struct ModeCase {
    TBiDiMode Mode;
    bool Reading, Alignment, ScrollBar;
    DWORD Styles;
    UINT LeftFlags, RightFlags, CenterFlags; // DrawText flags for DT_LEFT, DT_RIGHT, DT_CENTER
};

const ModeCase ModeCases[] = {
    {bdLeftToRight, false, false, false, 0, DT_LEFT, DT_RIGHT, DT_CENTER},
    {bdRightToLeft, true, true, true, WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT,
     DT_RIGHT | DT_RTLREADING, DT_LEFT | DT_RTLREADING, DT_CENTER | DT_RTLREADING},
    {bdRightToLeftNoAlign, true, false, true, WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR,
     DT_LEFT | DT_RTLREADING, DT_RIGHT | DT_RTLREADING, DT_CENTER | DT_RTLREADING},
    {bdRightToLeftReadingOnly, true, false, false, WS_EX_RTLREADING, DT_LEFT | DT_RTLREADING,
     DT_RIGHT | DT_RTLREADING, DT_CENTER | DT_RTLREADING},
};
} // namespace

TEST_F(ControlsTest, EachBiDiModeGivesItsReadingAlignmentAndWindowStyles) {
    auto* panel = Add<TPanel>(form, {10, 10, 110, 60}, "panel");
    for (const ModeCase& c : ModeCases) {
        SCOPED_TRACE(BiDiModeNames()[static_cast<size_t>(c.Mode)]);
        panel->SetBiDiMode(c.Mode);
        EXPECT_EQ(panel->BiDiMode(), c.Mode);
        EXPECT_FALSE(panel->ParentBiDiMode());
        EXPECT_EQ(panel->UseRightToLeftReading(), c.Reading);
        EXPECT_EQ(panel->UseRightToLeftAlignment(), c.Alignment);
        EXPECT_EQ(panel->UseRightToLeftScrollBar(), c.ScrollBar);
        EXPECT_EQ(BiDiStylesOf(panel), c.Styles) << "the live window carries the mode";
        EXPECT_EQ(panel->DrawTextBiDiModeFlags(DT_LEFT), c.LeftFlags);
        EXPECT_EQ(panel->DrawTextBiDiModeFlags(DT_RIGHT), c.RightFlags);
        EXPECT_EQ(panel->DrawTextBiDiModeFlags(DT_CENTER), c.CenterFlags);
        EXPECT_EQ(panel->DrawTextBiDiModeFlagsReadingOnly(), c.Reading ? DT_RTLREADING : 0u);
    }
}

TEST_F(ControlsTest, ChildrenFollowTheParentsBiDiModeUntilTheyHaveTheirOwn) {
    auto* panel = Add<TPanel>(form, {10, 10, 210, 160}, "panel");
    auto* inner = Add<TPanel>(panel, {5, 5, 55, 55}, "inner");
    auto* graphic = Add<TProbeGraphic>(panel, {60, 5, 80, 25}, "graphic");
    auto* own = Add<TPanel>(panel, {90, 5, 140, 55}, "own");
    own->SetBiDiMode(bdRightToLeftReadingOnly);

    form->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(panel->BiDiMode(), bdRightToLeft);
    EXPECT_EQ(inner->BiDiMode(), bdRightToLeft) << "grandchildren too";
    EXPECT_EQ(graphic->BiDiMode(), bdRightToLeft);
    EXPECT_TRUE(panel->ParentBiDiMode());
    EXPECT_EQ(BiDiStylesOf(inner), WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT);
    EXPECT_EQ(own->BiDiMode(), bdRightToLeftReadingOnly) << "its own mode stays";
    EXPECT_EQ(BiDiStylesOf(own), static_cast<DWORD>(WS_EX_RTLREADING));
    EXPECT_EQ(inner->Parent(), panel) << "the recreated windows keep their places";
    EXPECT_TRUE(::IsChild(panel->Handle(), inner->Handle()));

    // Inserted into a mirrored parent, a new control is made mirrored.
    auto* late = Add<TPanel>(inner, {1, 1, 20, 20}, "late");
    EXPECT_EQ(late->BiDiMode(), bdRightToLeft);
    EXPECT_EQ(BiDiStylesOf(late), WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT);

    own->SetParentBiDiMode(true);
    EXPECT_EQ(own->BiDiMode(), bdRightToLeft) << "following again takes the parent's";
    EXPECT_EQ(BiDiStylesOf(own), WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT);

    form->SetBiDiMode(bdLeftToRight);
    for (TWinControl* c : {static_cast<TWinControl*>(panel), static_cast<TWinControl*>(inner),
                           static_cast<TWinControl*>(own), static_cast<TWinControl*>(late)})
        EXPECT_EQ(BiDiStylesOf(c), 0u) << c->Name();
    EXPECT_EQ(graphic->BiDiMode(), bdLeftToRight);
}

namespace {
// Counts the windows the system makes on this thread while it lives.
class TWindowsMade {
public:
    TWindowsMade() : FHook(::SetWindowsHookExA(WH_CBT, &Count, nullptr, ::GetCurrentThreadId())) {
        Made = 0;
    }
    ~TWindowsMade() { ::UnhookWindowsHookEx(FHook); }
    TWindowsMade(const TWindowsMade&) = delete;
    TWindowsMade& operator=(const TWindowsMade&) = delete;
    static inline int Made = 0;

private:
    static LRESULT CALLBACK Count(int code, WPARAM window, LPARAM info) {
        if (code == HCBT_CREATEWND)
            ++Made;
        return ::CallNextHookEx(nullptr, code, window, info);
    }
    HHOOK FHook;
};
} // namespace

TEST_F(ControlsTest, AModeChangeMakesEachWindowOfTheTreeOnceAndAMovedControlTakesItsNewParents) {
    auto* panel = Add<TPanel>(form, {10, 10, 210, 160}, "panel");
    auto* inner = Add<TPanel>(panel, {5, 5, 105, 105}, "inner");
    auto* innermost = Add<TPanel>(inner, {5, 5, 55, 55}, "innermost");
    {
        const TWindowsMade made;
        panel->SetBiDiMode(bdRightToLeft);
        EXPECT_EQ(TWindowsMade::Made, 3) << "panel, inner and innermost, each once";
    }
    EXPECT_EQ(BiDiStylesOf(innermost), BiDiStyles);

    // Moved into a left-to-right parent, a following control and its
    // children take that parent's mode, and their new windows match it.
    auto* other = Add<TPanel>(form, {220, 10, 420, 160}, "other");
    inner->SetParent(other);
    EXPECT_EQ(inner->BiDiMode(), bdLeftToRight);
    EXPECT_EQ(innermost->BiDiMode(), bdLeftToRight);
    EXPECT_EQ(BiDiStylesOf(inner), 0u);
    EXPECT_EQ(BiDiStylesOf(innermost), 0u);
    EXPECT_TRUE(::IsChild(other->Handle(), innermost->Handle()));
}
