#pragma once
// Popup menus: TMenuItem (caption with an & accelerator, check mark,
// enabled, visible, sub-items, OnClick) and TPopupMenu, which a control
// shows on a right click or the context-menu key. In form data the items
// are child components of the menu and of each other.

#include "platform/classes/Component.h"
#include "platform/classes/Event.h"

#include <string>
#include <vector>
#include <windows.h>

class TMenu;

class TMenuItem : public TComponent {
    TESSARO_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    // Frees the sub-items and leaves the parent item.
    void BeforeDestruction() override;

    // "-" makes a separator.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value) { FCaption = value; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value) { FChecked = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    bool IsSeparator() const { return FCaption == "-"; }

    // Fires OnClick when the item is enabled.
    virtual void Click();
    TNotifyEvent OnClick;

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
    // Adds Item at the end (Insert: before Index); it leaves its old parent.
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* Parent() const { return FParent; }
    // The menu whose root item this is, or null.
    TMenu* Menu() const { return FMenu; }

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* value) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

private:
    friend class TMenu;
    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;
};

class TMenu : public TComponent {
    TESSARO_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    void BeforeDestruction() override;
    // The root item; its sub-items are the menu's items.
    TMenuItem* Items() const { return FItems; }
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

private:
    TMenuItem* FItems;
};

class TPopupMenu : public TMenu {
    TESSARO_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}

    // Whether a right click or the context-menu key shows it by itself.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    // The control that showed the menu last.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* value);
    void Notification(TComponent* component, TOperation operation) override;

    // Fires OnPopup, shows the menu with its top-left corner at the screen
    // point (X, Y) and waits until the user chose an item, whose OnClick
    // then fires, or closed the menu.
    virtual void Popup(int x, int y);
    TNotifyEvent OnPopup;

private:
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
};

void RegisterMenuClasses();
