// Popup menus shown by a right click and by the keyboard, read while they
// are open, and items chosen with keys inside the menu's own loop.

#include "ControlsFixture.h"

#include "platform/controls/Menus.h"

#include <functional>

namespace {
HWND OpenMenuWindow() {
    HWND menu = nullptr;
    while ((menu = ::FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr)
        if (::IsWindowVisible(menu))
            return menu;
    return nullptr;
}

// Runs an action once from inside the menu's own loop, as soon as a menu
// is open (after about 5 s without one it runs anyway, so no test hangs).
std::function<void()> pendingAction;
int pendingTries = 0;
void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
    if (!OpenMenuWindow() && ++pendingTries < 50)
        return;
    ::KillTimer(nullptr, id);
    auto action = std::move(pendingAction);
    pendingAction = nullptr;
    if (action)
        action();
}
void WhileMenuIsOpen(std::function<void()> action) {
    pendingAction = std::move(action);
    pendingTries = 0;
    ::SetTimer(nullptr, 0, 100, &RunPending);
}

// What the open menu shows: one line per entry, "text [checked] [grayed]
// [>]" ("-" for a separator), plus its top-left corner.
struct ShownMenu {
    std::vector<std::string> Entries;
    POINT TopLeft{-1, -1};
};
ShownMenu ReadOpenMenu() {
    ShownMenu shown;
    HWND window = OpenMenuWindow();
    if (!window)
        return shown;
    RECT r{};
    ::GetWindowRect(window, &r);
    shown.TopLeft = {r.left, r.top};
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(window, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA info{};
        char text[64] = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            shown.Entries.push_back("-");
            continue;
        }
        std::string e = text;
        if (info.fState & MFS_CHECKED)
            e += " checked";
        if (info.fState & MFS_GRAYED)
            e += " grayed";
        if (info.hSubMenu)
            e += " >";
        shown.Entries.push_back(e);
    }
    return shown;
}

void PostKey(HWND target, UINT msg, WPARAM key) {
    ::PostMessageA(target, msg, key, 1);
}

struct MenuLog {
    std::vector<std::string>* Log;
    void Clicked(TObject* s) { Log->push_back(static_cast<TComponent*>(s)->Name() + " click"); }
    void Popped(TObject* s) { Log->push_back(static_cast<TComponent*>(s)->Name() + " popup"); }
};

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const std::string& name,
                   const std::string& caption, MenuLog& m) {
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = TNotifyEvent::Of<&MenuLog::Clicked>(&m);
    parent->Add(item);
    return item;
}
} // namespace

TEST_F(ControlsTest, ARightClickShowsTheMenuAtTheMouseAndAKeyChoosesASubItem) {
    auto* g = Add<TProbeGraphic>(form, {30, 20, 90, 60}, "g");
    MenuLog m{&log};
    auto* menu = new TPopupMenu(form);
    menu->SetName("menu");
    menu->OnPopup = TNotifyEvent::Of<&MenuLog::Popped>(&m);
    AddItem(form, menu->Items(), "open", "&Öffnen", m);
    AddItem(form, menu->Items(), "hidden", "&Versteckt", m)->SetVisible(false);
    AddItem(form, menu->Items(), "locked", "&Gesperrt", m)->SetEnabled(false);
    AddItem(form, menu->Items(), "line", "-", m);
    TMenuItem* more = AddItem(form, menu->Items(), "more", "&Mehr", m);
    AddItem(form, more, "one", "&Eins", m);
    AddItem(form, more, "two", "&Zwei", m)->SetChecked(true);
    g->SetPopupMenu(menu);

    MoveMouseTo(g, 10, 10);
    const POINT mouse = g->ClientToScreen({10, 10});
    ShownMenu shown;
    WhileMenuIsOpen([&] {
        shown = ReadOpenMenu();
        PostKey(form->Handle(), WM_CHAR, 'm'); // opens "Mehr"
        PostKey(form->Handle(), WM_CHAR, 'z'); // chooses "Zwei" in it
    });
    ::PostMessageA(form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 30));
    ::PostMessageA(form->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(40, 30));
    PumpFor(200);

    EXPECT_EQ(shown.Entries, (std::vector<std::string>{"&Öffnen", "&Gesperrt grayed", "-",
                                                       "&Mehr >"}));
    EXPECT_EQ(shown.TopLeft.x, mouse.x);
    EXPECT_EQ(shown.TopLeft.y, mouse.y);
    EXPECT_EQ(log, (std::vector<std::string>{"menu popup", "two click"}));
    EXPECT_EQ(menu->PopupComponent(), g);
    EXPECT_EQ(OpenMenuWindow(), nullptr);
}

TEST_F(ControlsTest, TheContextMenuKeysShowTheMenuAtTheFocusedControl) {
    auto* w = Add<TProbeWindow>(form, {100, 50, 200, 120}, "w");
    w->SetTabStop(true);
    MenuLog m{&log};
    auto* menu = new TPopupMenu(form);
    menu->SetName("menu");
    AddItem(form, menu->Items(), "only", "&Nur", m);
    w->SetPopupMenu(menu);
    w->SetFocus();
    PumpMessages();
    const POINT origin = w->ClientToScreen({0, 0});

    ShownMenu shown;
    WhileMenuIsOpen([&] {
        shown = ReadOpenMenu();
        PostKey(form->Handle(), WM_KEYDOWN, VK_ESCAPE); // closed: nothing chosen
    });
    PostKey(w->Handle(), WM_KEYDOWN, VK_APPS);
    PostKey(w->Handle(), WM_KEYUP, VK_APPS);
    PumpFor(200);
    EXPECT_EQ(shown.Entries, (std::vector<std::string>{"&Nur"}));
    EXPECT_EQ(shown.TopLeft.x, origin.x);
    EXPECT_EQ(shown.TopLeft.y, origin.y);
    EXPECT_TRUE(log.empty());

    // Shift+F10 from the keyboard, chosen with Enter.
    shown = {};
    WhileMenuIsOpen([&] {
        shown = ReadOpenMenu();
        PostKey(form->Handle(), WM_KEYDOWN, VK_DOWN);
        PostKey(form->Handle(), WM_KEYDOWN, VK_RETURN);
    });
    SendKeys({{VK_SHIFT, false}, {VK_F10, false}, {VK_F10, true}, {VK_SHIFT, true}});
    PumpFor(100);
    EXPECT_EQ(shown.Entries, (std::vector<std::string>{"&Nur"}));
    EXPECT_EQ(log, (std::vector<std::string>{"only click"}));
}

TEST_F(ControlsTest, WhoseMenuARightClickShows) {
    auto* g = Add<TProbeGraphic>(form, {30, 20, 90, 60}, "g");
    MenuLog m{&log};
    auto* formMenu = new TPopupMenu(form);
    formMenu->SetName("formMenu");
    formMenu->OnPopup = TNotifyEvent::Of<&MenuLog::Popped>(&m);
    AddItem(form, formMenu->Items(), "a", "&A", m);
    auto* ownMenu = new TPopupMenu(form);
    ownMenu->SetName("ownMenu");
    ownMenu->OnPopup = TNotifyEvent::Of<&MenuLog::Popped>(&m);
    AddItem(form, ownMenu->Items(), "b", "&B", m);
    form->SetPopupMenu(formMenu);

    auto rightClick = [&] {
        log.clear();
        MoveMouseTo(g, 5, 5);
        WhileMenuIsOpen([&] { PostKey(form->Handle(), WM_KEYDOWN, VK_ESCAPE); });
        ::PostMessageA(form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(35, 25));
        ::PostMessageA(form->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(35, 25));
        PumpFor(500);
        return log;
    };
    EXPECT_EQ(rightClick(), (std::vector<std::string>{"formMenu popup"}))
        << "a control without a menu leaves it to its parent";
    g->SetPopupMenu(ownMenu);
    EXPECT_EQ(rightClick(), (std::vector<std::string>{"ownMenu popup"}));
    ownMenu->SetAutoPopup(false);
    EXPECT_EQ(rightClick(), (std::vector<std::string>{"formMenu popup"}))
        << "a menu that does not pop up by itself is passed over";
    Free(ownMenu);
    EXPECT_EQ(g->PopupMenu(), nullptr) << "a freed menu is dropped";
    EXPECT_EQ(rightClick(), (std::vector<std::string>{"formMenu popup"}));
}
