#include "platform/controls/WinControl.h"

#include "platform/controls/Hints.h"
#include "platform/controls/MouseTracking.h"

#include <algorithm>
#include <vector>

const TClassInfo& TWinControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TWinControl>("TWinControl");
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FBrush(std::make_unique<TBrush>()) {
    FBrush->SetColor(FColor);
}

TWinControl::~TWinControl() {
    DestroyHandle();
    for (TControl* c : std::vector<TControl*>(FControls))
        c->FParent = nullptr;
}

void TWinControl::BeforeDestruction() {
    MarkDestroying();
    DestroyHandle();
    // Children still here when their parent goes are freed with it.
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        Free(c);
        if (!FControls.empty() && FControls.back() == c)
            RemoveControl(c);
    }
    TControl::BeforeDestruction();
}

void TWinControl::TakeBiDiMode(TBiDiMode mode) {
    TControl::TakeBiDiMode(mode);
    for (TControl* c : FControls)
        if (c->FParentBiDiMode && c->FBiDiMode != mode) {
            c->TakeBiDiMode(mode);
            if (!dynamic_cast<TWinControl*>(c))
                c->Invalidate();
        }
}

void TWinControl::InsertControl(TControl* control) {
    control->FParent = this;
    FControls.push_back(control);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        FTabList.push_back(win);
        if (FHandle) {
            win->CreateHandle();
            UpdateTabOrderZ();
        }
    } else {
        control->Invalidate();
        control->ApplyHint();
    }
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), TRUE);
}

void TWinControl::RemoveControl(TControl* control) {
    if (std::find(FControls.begin(), FControls.end(), control) == FControls.end())
        return;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), FALSE);
    // Compared as TControl: a control leaving from its destructor is no
    // longer known as a TWinControl.
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        win->DestroyHandle();
    } else {
        control->Invalidate();
        if (FHandle)
            SetAreaHint(FHandle, reinterpret_cast<UINT_PTR>(control), {}, std::string());
    }
    std::erase_if(FTabList, [&](TWinControl* w) { return static_cast<TControl*>(w) == control; });
    std::erase(FControls, control);
    control->FParent = nullptr;
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(POINT p) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible())
            continue;
        const RECT r = c->BoundsRect();
        if (::PtInRect(&r, p))
            return c;
    }
    return nullptr;
}

int TWinControl::TabOrder() const {
    if (!FParent)
        return -1;
    const auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading)) {
        // Siblings read later may still come before: order them in Loaded.
        FReadTabOrder = value;
        return;
    }
    if (!FParent)
        return;
    auto& list = FParent->FTabList;
    std::erase(list, this);
    const int index = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + index, this);
    FParent->UpdateTabOrderZ();
}

void TWinControl::UpdateTabOrderZ() {
    if (!FHandle)
        return;
    HWND after = HWND_TOP;
    for (TWinControl* c : FTabList) {
        if (!c->FHandle)
            continue;
        ::SetWindowPos(c->FHandle, after, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        after = c->FHandle;
    }
}

void TWinControl::SetTabStop(bool value) {
    if (value == FTabStop)
        return;
    FTabStop = value;
    if (FHandle) {
        LONG_PTR style = ::GetWindowLongPtrA(FHandle, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        ::SetWindowLongPtrA(FHandle, GWL_STYLE, style);
    }
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    std::stable_sort(FTabList.begin(), FTabList.end(), [](TWinControl* a, TWinControl* b) {
        const int ka = a->FReadTabOrder < 0 ? INT32_MAX : a->FReadTabOrder;
        const int kb = b->FReadTabOrder < 0 ? INT32_MAX : b->FReadTabOrder;
        return ka < kb;
    });
    for (TWinControl* c : FTabList)
        c->FReadTabOrder = -1;
    UpdateTabOrderZ();
    Realign();
}

bool TWinControl::Focused() const {
    return FHandle && ::GetFocus() == FHandle;
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus() {
    ::SetFocus(Handle());
}

RECT TWinControl::ClientRect() const {
    if (FHandle) {
        RECT r{};
        ::GetClientRect(FHandle, &r);
        return r;
    }
    return TControl::ClientRect();
}

POINT TWinControl::ClientOrigin() const {
    if (FHandle) {
        POINT p{0, 0};
        ::ClientToScreen(FHandle, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    ConstrainSize(width, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    const bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FHandle)
        ::SetWindowPos(FHandle, nullptr, left, top, width, height,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    // A window lays its children out when it hears of its new size.
    if (resized && !FHandle)
        Realign();
    BoundsChanged();
    if (FParent)
        FParent->ChildBoundsChanged(this);
}

void TWinControl::SetEnabled(bool value) {
    if (value == FEnabled)
        return;
    FEnabled = value;
    if (FHandle)
        ::EnableWindow(FHandle, value);
    Perform(CM_ENABLEDCHANGED);
}

void TWinControl::SetText(const std::string& value) {
    if (value == FText)
        return;
    FText = value;
    if (FHandle)
        ::SetWindowTextA(FHandle, FText.c_str());
    Perform(CM_TEXTCHANGED);
}

void TWinControl::ApplyHint() {
    if (FHandle)
        SetWindowHint(FHandle, FShowHint ? FHint : std::string());
}

bool TWinControl::PaletteChanged(bool foreground) {
    bool realised = false;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if ((*it)->PaletteChanged(foreground && !realised))
            realised = true;
    if (TControl::PaletteChanged(foreground && !realised))
        realised = true;
    return realised;
}

void TWinControl::FontChanged() {
    if (FHandle)
        ::SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), TRUE);
    TControl::FontChanged();
    for (TControl* c : std::vector<TControl*>(FControls))
        c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    FBrush->SetColor(FColor);
    TControl::ColorChanged();
    for (TControl* c : std::vector<TControl*>(FControls))
        c->ParentColorChanged();
}

void TWinControl::SetDoubleBuffered(bool value) {
    if (value == FDoubleBuffered)
        return;
    FDoubleBuffered = value;
    Invalidate();
}
