// Drag and dock with the real mouse: an automatic drag onto a control that
// accepts, cancelled drags, and docking into a dock site.

#include "ControlsFixture.h"

#include "platform/controls/Cursors.h"
#include "platform/controls/DragDrop.h"
#include "platform/rtl/Exceptions.h"
#include "platform/stdctrls/Panels.h"

#include <utility>

namespace {
void MoveOver(const TControl* c, int x, int y) {
    SendMouseInput(0, c->ClientToScreen({x, y}));
}
void Press(const TControl* c, int x, int y) {
    SendMouseInput(MOUSEEVENTF_LEFTDOWN, c->ClientToScreen({x, y}));
}
void Release(const TControl* c, int x, int y) {
    SendMouseInput(MOUSEEVENTF_LEFTUP, c->ClientToScreen({x, y}));
}

std::string NameOf(TObject* o) {
    return o ? static_cast<TComponent*>(o)->Name() : "nil";
}

struct DragLog {
    std::vector<std::string> Entries;
    TObject* Accepted = nullptr; // the source the targets take
    void Start(TObject* s) { Entries.push_back(NameOf(s) + " start"); }
    void Over(TObject* s, TObject* source, int x, int y, TDragState state, bool& accept) {
        static const char* const states[] = {"enter", "leave", "move"};
        accept = source == Accepted;
        // Moves repeat with every mouse move; one note says they came.
        const std::string e = NameOf(s) + " over " + states[static_cast<int>(state)] + " from " +
                              NameOf(source);
        if (state != dsDragMove || Entries.empty() || Entries.back() != e)
            Entries.push_back(e);
        LastOver = {x, y};
    }
    void Drop(TObject* s, TObject* source, int x, int y) {
        Entries.push_back(NameOf(s) + " drop " + NameOf(source) + " " + std::to_string(x) + "," +
                          std::to_string(y));
    }
    void End(TObject* s, TObject* target, int x, int y) {
        Entries.push_back(NameOf(s) + " end " + NameOf(target) + " " + std::to_string(x) + "," +
                          std::to_string(y));
    }
    void Click(TObject* s) { Entries.push_back(NameOf(s) + " click"); }
    POINT LastOver{};

    void HookSource(TControl* c) {
        c->OnStartDrag = TStartDragEvent::Of<&DragLog::Start>(this);
        c->OnEndDrag = TEndDragEvent::Of<&DragLog::End>(this);
        c->OnStartDock = TStartDragEvent::Of<&DragLog::Start>(this);
        c->OnEndDock = TEndDragEvent::Of<&DragLog::End>(this);
        c->OnClick = TNotifyEvent::Of<&DragLog::Click>(this);
    }
    void HookTarget(TControl* c) {
        c->OnDragOver = TDragOverEvent::Of<&DragLog::Over>(this);
        c->OnDragDrop = TDragDropEvent::Of<&DragLog::Drop>(this);
    }
};
} // namespace

TEST_F(ControlsTest, AnAutomaticDragCarriesAControlToOneThatAcceptsIt) {
    auto* src = Add<TProbeGraphic>(form, {20, 20, 80, 50}, "src");
    auto* other = Add<TProbeGraphic>(form, {120, 20, 180, 50}, "other"); // takes nothing
    auto* dst = Add<TProbeWindow>(form, {220, 20, 320, 120}, "dst");
    src->SetDragMode(dmAutomatic);
    DragLog d;
    d.Accepted = src;
    d.HookSource(src);
    d.HookTarget(dst);

    // A press and release without moving stays a click.
    MoveOver(src, 10, 10);
    Press(src, 10, 10);
    Release(src, 10, 10);
    EXPECT_EQ(d.Entries, (std::vector<std::string>{"src click"}));
    d.Entries.clear();

    Press(src, 10, 10);
    const int dx = ::GetSystemMetrics(SM_CXDRAG), dy = ::GetSystemMetrics(SM_CYDRAG);
    MoveOver(src, 10 + dx, 10 - dy); // exactly the drag distance, both ways: nothing yet
    EXPECT_FALSE(src->Dragging());
    MoveOver(src, 10, 9 - dy); // one pixel further, upwards
    EXPECT_TRUE(src->Dragging());
    MoveOver(src, 30, 15);
    EXPECT_EQ(::GetCursor(), CursorHandle(crNoDrop)) << "over itself, which takes nothing";
    MoveOver(other, 10, 10);
    EXPECT_EQ(::GetCursor(), CursorHandle(crNoDrop));
    MoveOver(dst, 40, 30);
    EXPECT_EQ(::GetCursor(), CursorHandle(crDrag)) << "over a control that accepts";
    MoveOver(dst, 50, 60);
    EXPECT_EQ(d.LastOver.x, 50);
    EXPECT_EQ(d.LastOver.y, 60);
    Release(dst, 50, 60);
    EXPECT_FALSE(src->Dragging());
    EXPECT_EQ(d.Entries, (std::vector<std::string>{"src start", "dst over enter from src",
                                                   "dst over move from src",
                                                   "dst drop src 50,60", "src end dst 50,60"}));
    EXPECT_EQ(::GetCapture(), nullptr) << "the mouse is free again";
}

TEST_F(ControlsTest, ADragEndsWithoutATargetWhenCancelledOrNotAccepted) {
    auto* src = Add<TProbeWindow>(form, {20, 20, 80, 50}, "src");
    auto* dst = Add<TProbeWindow>(form, {220, 20, 320, 120}, "dst");
    src->SetDragMode(dmAutomatic);
    DragLog d;
    d.HookSource(src);
    d.HookTarget(dst);

    struct Case {
        const char* What;
        TObject* Accepted;
        bool Escape;
        std::vector<std::string> Expected;
    };
    const Case cases[] = {
        {"Escape over an accepting target", src, true,
         {"src start", "dst over enter from src", "dst over move from src",
          "dst over leave from src", "src end nil 0,0"}},
        {"released where nothing accepts", nullptr, false,
         {"src start", "dst over enter from src", "dst over move from src",
          "dst over leave from src", "src end nil 0,0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        d.Entries.clear();
        d.Accepted = c.Accepted;
        MoveOver(src, 10, 10);
        Press(src, 10, 10);
        MoveOver(src, 40, 20);
        MoveOver(dst, 30, 30);
        MoveOver(dst, 35, 30);
        if (c.Escape)
            SendKeyPress(VK_ESCAPE);
        Release(dst, 35, 30);
        EXPECT_EQ(d.Entries, c.Expected);
        EXPECT_FALSE(src->Dragging());
        EXPECT_EQ(src->Parent(), form);
    }
}

TEST_F(ControlsTest, ADockDragMovesTheControlIntoADockSiteAndNowhereElse) {
    auto* site = Add<TPanel>(form, {150, 20, 350, 220}, "site");
    auto* plain = Add<TPanel>(form, {20, 150, 120, 250}, "plain"); // no dock site
    auto* tool = Add<TPanel>(form, {20, 20, 80, 60}, "tool");
    site->SetDockSite(true);
    tool->SetDragMode(dmAutomatic);
    tool->SetDragKind(dkDock);
    DragLog d;
    d.HookSource(tool);
    d.HookTarget(site); // a dock site needs no OnDragOver

    MoveOver(tool, 5, 5);
    Press(tool, 5, 5);
    MoveOver(tool, 30, 20);
    MoveOver(site, 50, 60);
    EXPECT_EQ(::GetCursor(), CursorHandle(crDrag));
    Release(site, 50, 60);
    EXPECT_EQ(tool->Parent(), site) << "docked";
    EXPECT_EQ(tool->Left(), 45) << "grabbed 5 pixels inside it";
    EXPECT_EQ(tool->Top(), 55);
    EXPECT_TRUE(::IsChild(site->Handle(), tool->Handle()));
    EXPECT_EQ(d.Entries, (std::vector<std::string>{"tool start", "tool end site 50,60"}));

    d.Entries.clear();
    MoveOver(tool, 5, 5);
    Press(tool, 5, 5);
    MoveOver(tool, 30, 20);
    MoveOver(plain, 40, 40);
    EXPECT_EQ(::GetCursor(), CursorHandle(crNoDrop));
    Release(plain, 40, 40);
    EXPECT_EQ(tool->Parent(), site) << "dropped elsewhere it stays where it was";
    EXPECT_EQ(tool->Left(), 45);
    EXPECT_EQ(d.Entries, (std::vector<std::string>{"tool start", "tool end nil 0,0"}));
}

TEST_F(ControlsTest, FreeingTheDraggedControlEndsTheDragQuietly) {
    auto* src = Add<TProbeGraphic>(form, {20, 20, 80, 50}, "src");
    src->SetDragMode(dmAutomatic);
    DragLog d;
    d.HookSource(src);
    MoveOver(src, 10, 10);
    Press(src, 10, 10);
    MoveOver(src, 40, 20);
    ASSERT_TRUE(src->Dragging());
    Free(src);
    EXPECT_EQ(::GetCapture(), nullptr);
    Release(form, 100, 100);
    EXPECT_EQ(d.Entries, (std::vector<std::string>{"src start"}));
}

namespace {
// A target whose drag-over handler ends the drag, or frees its source, when
// it first hears State.
struct EndingTarget {
    TControl* Source = nullptr;
    TDragState When = dsDragEnter;
    bool FreeSource = false;
    void Over(TObject*, TObject*, int, int, TDragState state, bool& accept) {
        accept = true;
        if (state != When || !Source)
            return;
        TControl* source = std::exchange(Source, nullptr);
        if (FreeSource)
            Free(source);
        else
            source->EndDrag(false);
    }
};

// While it lives, the system makes no window of this thread.
class TNoNewWindows {
public:
    TNoNewWindows()
        : FHook(::SetWindowsHookExA(WH_CBT, &Refuse, nullptr, ::GetCurrentThreadId())) {}
    ~TNoNewWindows() { ::UnhookWindowsHookEx(FHook); }
    TNoNewWindows(const TNoNewWindows&) = delete;
    TNoNewWindows& operator=(const TNoNewWindows&) = delete;

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM window, LPARAM info) {
        if (code == HCBT_CREATEWND)
            return 1;
        return ::CallNextHookEx(nullptr, code, window, info);
    }
    HHOOK FHook;
};
} // namespace

TEST_F(ControlsTest, ADragOverHandlerMayEndTheDragOrFreeItsSource) {
    auto* dst = Add<TProbeWindow>(form, {220, 20, 320, 120}, "dst");
    struct Case {
        const char* What;
        TDragState When;
        bool FreeSource;
    };
    const Case cases[] = {
        {"ended on entering", dsDragEnter, false},
        {"ended on moving", dsDragMove, false},
        {"source freed on entering", dsDragEnter, true},
        {"source freed on moving", dsDragMove, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        auto* src = Add<TProbeWindow>(form, {20, 20, 80, 50}, "src");
        src->SetDragMode(dmAutomatic);
        DragLog d;
        d.HookSource(src);
        EndingTarget ending{src, c.When, c.FreeSource};
        dst->OnDragOver = TDragOverEvent::Of<&EndingTarget::Over>(&ending);
        MoveOver(src, 10, 10);
        Press(src, 10, 10);
        MoveOver(src, 40, 20);
        MoveOver(dst, 30, 30);
        MoveOver(dst, 35, 30);
        EXPECT_EQ(ending.Source, nullptr) << "the handler ran";
        EXPECT_EQ(DragSource(), nullptr);
        EXPECT_EQ(::GetCapture(), nullptr) << "the mouse is free again";
        Release(dst, 35, 30);
        if (!c.FreeSource) {
            EXPECT_EQ(d.Entries, (std::vector<std::string>{"src start", "src end nil 0,0"}));
            Free(src);
        }
    }
    // Nothing of those drags is left: the next one runs as usual.
    auto* next = Add<TProbeWindow>(form, {20, 20, 80, 50}, "next");
    dst->OnDragOver = {};
    next->BeginDrag(true);
    EXPECT_TRUE(next->Dragging());
    next->EndDrag(false);
}

TEST_F(ControlsTest, ALeaveHandlerMayFreeTheControlTheMouseMovesOnto) {
    auto* src = Add<TProbeWindow>(form, {20, 20, 80, 50}, "src");
    auto* a = Add<TProbeWindow>(form, {120, 20, 180, 120}, "a");
    auto* b = Add<TProbeWindow>(form, {180, 20, 280, 120}, "b");
    src->SetDragMode(dmAutomatic);
    DragLog d;
    d.Accepted = src;
    d.HookSource(src);
    d.HookTarget(b);
    d.HookTarget(form);
    struct FreeOnLeave {
        TControl* Victim;
        void Over(TObject*, TObject*, int, int, TDragState state, bool& accept) {
            accept = true;
            if (state == dsDragLeave && Victim)
                Free(std::exchange(Victim, nullptr));
        }
    } freeing{b};
    a->OnDragOver = TDragOverEvent::Of<&FreeOnLeave::Over>(&freeing);
    MoveOver(src, 10, 10);
    Press(src, 10, 10);
    MoveOver(src, 40, 20);
    MoveOver(a, 30, 30);
    MoveOver(form, 230, 60); // onto b, which a's leave handler frees
    EXPECT_EQ(freeing.Victim, nullptr) << "the handler ran";
    Release(form, 230, 60);
    EXPECT_EQ(d.Entries, (std::vector<std::string>{"src start", "form over enter from src",
                                                   "form drop src 230,60",
                                                   "src end form 230,60"}))
        << "the control under the mouse once b was gone took the drop";
}

TEST_F(ControlsTest, ADragThatCannotStartLeavesNothingBehind) {
    auto* src = Add<TProbeWindow>(form, {20, 20, 80, 50}, "src");
    DragLog d;
    d.HookSource(src);
    {
        const TNoNewWindows refused;
        EXPECT_THROW(src->BeginDrag(true), EOSError) << "no window to hold the mouse";
    }
    EXPECT_FALSE(src->Dragging());
    EXPECT_TRUE(d.Entries.empty()) << "a drag that never was has no events";

    struct RaisingStart {
        void Start(TObject*) { throw EInvalidOperation("Ziehen abgelehnt"); }
    } raising;
    src->OnStartDrag = TStartDragEvent::Of<&RaisingStart::Start>(&raising);
    EXPECT_THROW(src->BeginDrag(true), EInvalidOperation);
    EXPECT_FALSE(src->Dragging());
    EXPECT_EQ(::GetCapture(), nullptr);

    d.HookSource(src);
    src->BeginDrag(true);
    EXPECT_TRUE(src->Dragging()) << "dragging works again";
    src->EndDrag(false);
    EXPECT_EQ(d.Entries, (std::vector<std::string>{"src start", "src end nil 0,0"}));
}
