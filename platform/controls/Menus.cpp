#include "platform/controls/Menus.h"

#include "platform/classes/Properties.h"
#include "platform/controls/WinControl.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>

namespace {
// A menu handle that is destroyed with its sub-menus on every path.
class TMenuHandle {
public:
    TMenuHandle() : FHandle(::CreatePopupMenu()) {
        if (!FHandle)
            throw EOSError("Das Kontextmenü kann nicht erstellt werden");
    }
    ~TMenuHandle() {
        if (FHandle)
            ::DestroyMenu(FHandle);
    }
    TMenuHandle(const TMenuHandle&) = delete;
    TMenuHandle& operator=(const TMenuHandle&) = delete;
    HMENU Get() const { return FHandle; }
    // A sub-menu appended to its parent belongs to it.
    HMENU Release() {
        HMENU h = FHandle;
        FHandle = nullptr;
        return h;
    }

private:
    HMENU FHandle;
};

// Appends the visible sub-items of Item to Menu; Commands[id - 1] is the
// item of command id.
void AppendItems(HMENU menu, const TMenuItem& item, std::vector<TMenuItem*>& commands) {
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem* sub = item.Items(i);
        if (!sub->Visible())
            continue;
        if (sub->IsSeparator()) {
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if (sub->Checked())
            flags |= MF_CHECKED;
        if (!sub->Enabled())
            flags |= MF_GRAYED;
        if (sub->Count() > 0) {
            TMenuHandle popup;
            AppendItems(popup.Get(), *sub, commands);
            if (::AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Get()),
                              sub->Caption().c_str()))
                popup.Release();
            continue;
        }
        commands.push_back(sub);
        ::AppendMenuA(menu, flags, commands.size(), sub->Caption().c_str());
    }
}

bool ContainsItem(const TMenuItem& item, const TMenuItem* wanted) {
    for (int i = 0; i < item.Count(); ++i)
        if (item.Items(i) == wanted || ContainsItem(*item.Items(i), wanted))
            return true;
    return false;
}

// The window the menu belongs to: the popup component's, else the
// active one.
HWND OwnerWindow(TComponent* component) {
    if (auto* control = dynamic_cast<TControl*>(component)) {
        TWinControl* win = control->HostWindow();
        if (win && win->HandleAllocated())
            return win->Handle();
    }
    return ::GetActiveWindow();
}
} // namespace

// --- TMenuItem ---------------------------------------------------------------

const TClassInfo& TMenuItem::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TMenuItem>("TMenuItem", [](TPropertyTable& t) {
        TPropertyBuilder<TMenuItem> p(t);
        p.String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
        p.Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false);
        p.Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true);
        p.Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true);
        p.Event("OnClick", &TMenuItem::OnClick);
    });
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    for (TMenuItem* item : FItems)
        item->FParent = nullptr;
    if (FParent)
        FParent->Remove(this);
}

void TMenuItem::BeforeDestruction() {
    TComponent::BeforeDestruction();
    while (!FItems.empty()) {
        TMenuItem* item = FItems.back();
        Free(item);
        if (!FItems.empty() && FItems.back() == item)
            Remove(item);
    }
    if (FParent)
        FParent->Remove(this);
}

void TMenuItem::Click() {
    if (FEnabled)
        OnClick(this);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this)
        throw EInvalidOperation("Ein Menüeintrag kann nicht sein eigener Untereintrag sein");
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item)
            throw EInvalidOperation("Ein Menüeintrag kann nicht in seinen Untereintrag");
    if (item->FParent)
        item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    item->FParent = nullptr;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu)
        return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* value) {
    if (auto* menu = dynamic_cast<TMenu*>(value))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(value))
        item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TMenuItem* item : std::vector<TMenuItem*>(FItems))
        if (item->Owner() == root)
            proc(item);
}

// --- TMenu -------------------------------------------------------------------

const TClassInfo& TMenu::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TMenu>("TMenu");
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    if (FItems) {
        FItems->FMenu = nullptr;
        Free(FItems);
    }
}

void TMenu::BeforeDestruction() {
    TComponent::BeforeDestruction();
    // The items go with the menu, whoever owns them.
    FItems->FMenu = nullptr;
    Free(FItems);
    FItems = nullptr;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    FItems->GetChildren(proc, root);
}

// --- TPopupMenu --------------------------------------------------------------

const TClassInfo& TPopupMenu::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TPopupMenu>("TPopupMenu", [](TPropertyTable& t) {
        TPropertyBuilder<TPopupMenu> p(t);
        p.Boolean("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true);
        p.Event("OnPopup", &TPopupMenu::OnPopup);
    });
    return info;
}

void TPopupMenu::SetPopupComponent(TComponent* value) {
    ReplaceReference(FPopupComponent, value);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == FPopupComponent)
        FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
    OnPopup(this);
    if (!Items())
        return;
    std::vector<TMenuItem*> commands;
    UINT chosen = 0;
    {
        TMenuHandle menu;
        AppendItems(menu.Get(), *Items(), commands);
        chosen = static_cast<UINT>(::TrackPopupMenu(
            menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0,
            OwnerWindow(FPopupComponent), nullptr));
    }
    if (chosen == 0 || chosen > commands.size())
        return;
    // The menu's own message loop may have run code that freed the item.
    TMenuItem* item = commands[chosen - 1];
    if (Items() && ContainsItem(*Items(), item))
        item->Click();
}

void RegisterMenuClasses() {
    RegisterClasses<TMenuItem, TPopupMenu>();
}
