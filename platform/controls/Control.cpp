#include "platform/controls/Control.h"

#include "platform/controls/Cursors.h"
#include "platform/controls/DragDrop.h"
#include "platform/controls/Hints.h"
#include "platform/controls/Menus.h"
#include "platform/controls/MouseTracking.h"
#include "platform/controls/WinControl.h"
#include "platform/rtl/Exceptions.h"

const TIdentMap& CursorIdents() {
    static const TIdentMap map = {
        {crDefault, "crDefault"},   {crNone, "crNone"},           {crArrow, "crArrow"},
        {crCross, "crCross"},       {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
        {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
        {crUpArrow, "crUpArrow"},   {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
        {crNoDrop, "crNoDrop"},     {crNo, "crNo"},
        {crAppStart, "crAppStart"}, {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
        {crSizeAll, "crSizeAll"},
    };
    return map;
}

const TEnumNames& AlignmentNames() {
    static const TEnumNames names = {"taLeftJustify", "taRightJustify", "taCenter"};
    return names;
}

const TEnumNames& BiDiModeNames() {
    static const TEnumNames names = {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                     "bdRightToLeftReadingOnly"};
    return names;
}

const TClassInfo& TControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TControl>("TControl");
    return info;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), FFont(std::make_unique<TFont>()),
      FConstraints(std::make_unique<TSizeConstraints>()) {
    WindowProc = TWndMethod::Of<&TControl::WndProc>(this);
    FConstraints->OnChange = TNotifyEvent::Of<&TControl::ConstraintsChanged>(this);
    FFont->OnChange = TNotifyEvent::Of<&TControl::FontChangedEvent>(this);
}

TControl::~TControl() {
    ForgetControl(this);
    DragControlGone(this);
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::BeforeDestruction() {
    ForgetControl(this);
    DragControlGone(this);
    TComponent::BeforeDestruction();
    SetParent(nullptr);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message) {
    Dispatch(message);
}

void TControl::MouseMessage(TMessage& message) {
    const POINT p = MouseMessagePoint(message.LParam);
    TShiftState shift = MouseShiftState(message.WParam);
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FDragMode == dmAutomatic) {
            FDragArmed = true;
            FDragArmPoint = ClientToScreen(p);
        }
        if (CapturesOnPress())
            SetMouseCapture(true);
        if (message.Msg == WM_LBUTTONDBLCLK) {
            // The release after a double click is no click of its own.
            shift.Include(ssDouble);
            if (FControlStyle.Contains(csDoubleClicks))
                DblClick();
        } else if (FControlStyle.Contains(csClickEvents)) {
            FControlState.Include(csLButtonDown);
        }
        MouseDown(mbLeft, shift, p.x, p.y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if (message.Msg == WM_RBUTTONDBLCLK)
            shift.Include(ssDouble);
        MouseDown(mbRight, shift, p.x, p.y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (message.Msg == WM_MBUTTONDBLCLK)
            shift.Include(ssDouble);
        MouseDown(mbMiddle, shift, p.x, p.y);
        break;
    case WM_LBUTTONUP:
        FDragArmed = false;
        if (MouseCapture())
            SetMouseCapture(false);
        if (FControlState.Contains(csLButtonDown)) {
            FControlState.Exclude(csLButtonDown);
            const RECT r = ClientRect();
            if (::PtInRect(&r, p))
                Click();
        }
        MouseUp(mbLeft, shift, p.x, p.y);
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, p.x, p.y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, p.x, p.y);
        break;
    case WM_MOUSEMOVE:
        MouseMove(shift, p.x, p.y);
        if (FDragArmed && (message.WParam & MK_LBUTTON)) {
            const POINT screen = ClientToScreen(p);
            if (PastDragDistance(FDragArmPoint, screen)) {
                // A drag, not a click: the press becomes the grab.
                FDragArmed = false;
                FControlState.Exclude(csLButtonDown);
                SetMouseCapture(false);
                StartDrag(this, FDragArmPoint, true, 0);
            }
        }
        break;
    default:
        break;
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    OnMouseMove(this, shift, x, y);
}

void TControl::DblClick() {
    OnDblClick(this);
}

bool TControl::CapturesOnPress() const {
    // A system control (a list, a track bar) captures and releases by
    // itself; taking the mouse from it first would end its tracking.
    const auto* window = dynamic_cast<const TWinControl*>(this);
    return FControlStyle.Contains(csCaptureMouse) && !(window && window->IsSystemClass());
}

bool TControl::MouseCapture() const {
    return CaptureControl() == this;
}

void TControl::SetMouseCapture(bool value) {
    if (value != MouseCapture())
        SetCaptureControl(value ? this : nullptr);
}

void TControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_PARENTBIDIMODECHANGED:
        if (FParentBiDiMode && FParent && FParent->BiDiMode() != FBiDiMode) {
            FBiDiMode = FParent->BiDiMode();
            Perform(CM_BIDIMODECHANGED);
        }
        return;
    case CM_BIDIMODECHANGED:
        Invalidate();
        return;
    case CM_SHOWHINTCHANGED:
        ApplyHint();
        return;
    case WM_CONTEXTMENU:
        if (ContextPopup(message))
            return;
        break;
    default:
        if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MBUTTONDBLCLK)
            MouseMessage(message);
        break;
    }
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case WM_GETTEXT: {
        const std::string& text = GetText();
        if (message.WParam == 0 || message.LParam == 0)
            return;
        const size_t n = std::min(text.size(), static_cast<size_t>(message.WParam) - 1);
        text.copy(reinterpret_cast<char*>(message.LParam), n);
        reinterpret_cast<char*>(message.LParam)[n] = '\0';
        message.Result = static_cast<LRESULT>(n);
        return;
    }
    case WM_GETTEXTLENGTH:
        message.Result = static_cast<LRESULT>(GetText().size());
        return;
    case WM_SETTEXT:
        FText = message.LParam ? reinterpret_cast<const char*>(message.LParam) : "";
        Perform(CM_TEXTCHANGED);
        message.Result = TRUE;
        return;
    default:
        return;
    }
}

void TControl::SetParent(TWinControl* value) {
    if (value == FParent)
        return;
    if (value == this)
        throw EInvalidOperation("Ein Steuerelement kann nicht sein eigenes übergeordnetes sein");
    if (FParent) {
        TWinControl* old = FParent;
        old->RemoveControl(this);
        if (FAlign != alNone)
            old->Realign();
    }
    if (value) {
        // Taken, with the children that follow it, before the window is
        // made (leaving the old parent destroyed any), so each is made once,
        // mirrored.
        if (FParentBiDiMode && value->BiDiMode() != FBiDiMode)
            TakeBiDiMode(value->BiDiMode());
        value->InsertControl(this);
        if (FParentFont)
            ParentFontChanged();
        if (FParentColor)
            ParentColorChanged();
        UpdateAnchorRules();
        if (FAlign != alNone)
            RequestAlign();
    }
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* value) {
    if (auto* parent = dynamic_cast<TWinControl*>(value))
        SetParent(parent);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    ConstrainSize(width, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    InvalidateControl(Visible(), false);
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    InvalidateControl(Visible(), false);
    ApplyHint();
    BoundsChanged();
    if (FParent)
        FParent->ChildBoundsChanged(this);
}

POINT TControl::ClientOrigin() const {
    if (!FParent)
        return {FLeft, FTop};
    POINT p = FParent->ClientOrigin();
    return {p.x + FLeft, p.y + FTop};
}

POINT TControl::ClientToScreen(POINT p) const {
    const POINT o = ClientOrigin();
    return {p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const {
    const POINT o = ClientOrigin();
    return {p.x - o.x, p.y - o.y};
}

void TControl::SetVisible(bool value) {
    if (value == FVisible)
        return;
    VisibleChanging();
    if (!value)
        MouseControlGone(this);
    FVisible = value;
    Perform(CM_VISIBLECHANGED, value);
    ApplyHint();
    InvalidateControl(true, false);
    if (FAlign != alNone)
        RequestAlign();
}

bool TControl::Showing() const {
    return FVisible && FParent && FParent->Showing();
}

void TControl::SetEnabled(bool value) {
    if (value == FEnabled)
        return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetText(const std::string& value) {
    if (value == GetText())
        return;
    FText = value;
    Perform(CM_TEXTCHANGED);
    Invalidate();
}

void TControl::SetColor(TColor value) {
    if (value != FColor) {
        FColor = value;
        ColorChanged();
    }
    FParentColor = false;
}

void TControl::SetParentColor(bool value) {
    if (value == FParentColor)
        return;
    FParentColor = value;
    if (value && FParent)
        ParentColorChanged();
}

void TControl::SetParentFont(bool value) {
    if (value == FParentFont)
        return;
    FParentFont = value;
    if (value && FParent)
        ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent)
        return;
    FUpdatingFont = true;
    FFont->Assign(FParent->Font());
    FUpdatingFont = false;
    FParentFont = true;
    FontChanged();
}

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent)
        return;
    if (FColor != FParent->Color()) {
        FColor = FParent->Color();
        ColorChanged();
    }
}

void TControl::FontChangedEvent(TObject*) {
    if (FUpdatingFont)
        return;
    // A change made to this control's own font ends its sharing the parent's.
    FParentFont = false;
    FontChanged();
}

void TControl::FontChanged() {
    Perform(CM_FONTCHANGED);
    Invalidate();
}

void TControl::ColorChanged() {
    Perform(CM_COLORCHANGED);
    Invalidate();
}

void TControl::SetHint(const std::string& value) {
    if (value == FHint)
        return;
    FHint = value;
    ApplyHint();
}

void TControl::ApplyHint() {
    if (FParent && FParent->HandleAllocated())
        SetAreaHint(FParent->Handle(), reinterpret_cast<UINT_PTR>(this), BoundsRect(),
                    FShowHint && FVisible ? FHint : std::string());
}

void TControl::SetShowHint(bool value) {
    FParentShowHint = false;
    if (value == FShowHint)
        return;
    FShowHint = value;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
    if (value == FParentShowHint)
        return;
    FParentShowHint = value;
    if (value && FParent)
        FShowHint = FParent->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor value) {
    if (value == FCursor)
        return;
    FCursor = value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    ReplaceReference(FPopupMenu, value);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FPopupMenu)
        FPopupMenu = nullptr;
}

TWinControl* TControl::HostWindow() {
    if (auto* window = dynamic_cast<TWinControl*>(this))
        return window;
    return FParent;
}

bool TControl::ContextPopup(TMessage& message) {
    if (!FPopupMenu || !FPopupMenu->AutoPopup() || Destroying())
        return false;
    POINT p = MouseMessagePoint(message.LParam);
    if (message.LParam == -1)
        p = ClientToScreen({0, 0}); // from the keyboard: at the control
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(p.x, p.y);
    message.Result = 1;
    return true;
}

bool TControl::PaletteChanged(bool foreground) {
    HPALETTE palette = GetPalette();
    if (!palette)
        return false;
    TWinControl* window = HostWindow();
    if (!window || !window->HandleAllocated())
        return false;
    HWND handle = window->Handle();
    HDC dc = ::GetDC(handle);
    if (!dc)
        return false;
    HPALETTE old = ::SelectPalette(dc, palette, !foreground);
    if (::RealizePalette(dc) != GDI_ERROR)
        Invalidate();
    ::SelectPalette(dc, old, TRUE);
    ::RealizePalette(dc);
    ::ReleaseDC(handle, dc);
    return true;
}

void TControl::SetBiDiMode(TBiDiMode value) {
    FParentBiDiMode = false;
    if (value == FBiDiMode)
        return;
    FBiDiMode = value;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::TakeBiDiMode(TBiDiMode mode) {
    FBiDiMode = mode;
}

void TControl::SetParentBiDiMode(bool value) {
    if (value == FParentBiDiMode)
        return;
    FParentBiDiMode = value;
    if (value)
        Perform(CM_PARENTBIDIMODECHANGED);
}

UINT TControl::DrawTextBiDiModeFlags(UINT flags) const {
    if (UseRightToLeftAlignment()) {
        if ((flags & DT_RIGHT) == DT_RIGHT)
            flags &= ~static_cast<UINT>(DT_RIGHT);
        else if (!(flags & DT_CENTER))
            flags |= DT_RIGHT;
    }
    return flags | DrawTextBiDiModeFlagsReadingOnly();
}

UINT TControl::DrawTextBiDiModeFlagsReadingOnly() const {
    return UseRightToLeftReading() ? DT_RTLREADING : 0;
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
    if (!isVisible || !FParent || !FParent->HandleAllocated() || FWidth <= 0 || FHeight <= 0)
        return;
    RECT r = BoundsRect();
    ::InvalidateRect(FParent->Handle(), &r, !isOpaque);
}

void TControl::Invalidate() {
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::Update() {
    if (FParent)
        FParent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FParent) {
        if (FParentFont)
            ParentFontChanged();
        if (FParentColor)
            ParentColorChanged();
        if (FParentShowHint)
            FShowHint = FParent->ShowHint();
        if (FParentBiDiMode)
            Perform(CM_PARENTBIDIMODECHANGED);
    }
    UpdateAnchorRules();
}
