#include "components/controls/kitctrl.h"

#include "components/controls/kitcctrl.h"
#include "components/global/kitcont.h"
#include "components/drawing/kitframe.h"
#include "components/imagelists/kitimagelistbase.h"
#include "components/data/kitlistbase.h"

// --- TKitBaseControl ---------------------------------------------------------

const TClassInfo& TKitBaseControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitBaseControl>("TKitBaseControl");
    return info;
}

TKitBaseControl::TKitBaseControl(TComponent* owner)
    : TGraphicControl(owner),
      FImageLink(*this, TNotifyEvent::Of<&TKitBaseControl::ChangeLinkFired>(this)) {}

TKitBaseControl::~TKitBaseControl() = default;

void TKitBaseControl::ChangeLinkFired(TObject* sender) {
    ImageListChanged(sender);
}

void TKitBaseControl::SetAbout(const TKitAboutVar& value) {
    FAbout = value.substr(0, 10);
}

void TKitBaseControl::SetImageList(TKitCustomImageList* value) {
    FImageLink.Attach(value);
    ImageListChanged(nullptr);
}

void TKitBaseControl::SetImageIndex(int index, int value) {
    int& field = index == 0 ? FImageIndex : FListIndex;
    if (value < 0 || value == field)
        return;
    field = value;
    if (ImageList())
        ImageListChanged(nullptr);
}

bool TKitBaseControl::IsImageListStored() const {
    return ImageList() && (!KitContainer || ImageList()->Owner() != KitContainer);
}

bool TKitBaseControl::ImageMissing() const {
    return !ImageList() || !ImageList()->IsValidImage(FListIndex, FImageIndex);
}

void TKitBaseControl::SetBounds(int left, int top, int width, int height) {
    const int oldLeft = FLeft, oldTop = FTop, oldWidth = FWidth, oldHeight = FHeight;
    TGraphicControl::SetBounds(left, top, width, height);
    TKitBoundsChanges changes;
    if (FLeft != oldLeft || FTop != oldTop)
        changes.Include(bcMove);
    if (FWidth != oldWidth || FHeight != oldHeight)
        changes.Include(bcSize);
    if (!changes.Empty() && !Loading())
        BoundsChange(changes);
}

void TKitBaseControl::BoundsChange(TKitBoundsChanges changes) {
    OnBoundsChange(this, changes);
}

void TKitBaseControl::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (FImageLink.IsRemoval(component, operation))
        SetImageList(nullptr);
}

void TKitBaseControl::DefineProperties(TFiler& filer) {
    TGraphicControl::DefineProperties(filer);
    FImageLink.DefineProperty(filer, [this](TKitCustomImageList* list) { SetImageList(list); });
}

void TKitBaseControl::ObjectChanged(TObject*) {
    if (!Loading())
        Invalidate();
}

void TKitBaseControl::ImageListChanged(TObject* sender) {
    ObjectChanged(sender);
}

void TKitBaseControl::MouseEnter() {
    OnMouseEnter(this);
}

void TKitBaseControl::MouseLeave() {
    OnMouseLeave(this);
}

void TKitBaseControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_KITBACKCHANGED:
        if (!Loading() && UsesParentBackground())
            ObjectChanged(nullptr);
        return;
    case CM_MOUSEENTER:
        TGraphicControl::Dispatch(message);
        MouseEnter();
        return;
    case CM_MOUSELEAVE:
        TGraphicControl::Dispatch(message);
        MouseLeave();
        return;
    default:
        TGraphicControl::Dispatch(message);
    }
}

void TKitBaseControl::DrawDesignFrame() {
    DrawKitDesignFrame(*Canvas(), FWidth, FHeight);
}

// --- TKitBaseGraphicControl --------------------------------------------------

const TClassInfo& TKitBaseGraphicControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitBaseGraphicControl>("TKitBaseGraphicControl");
    return info;
}

TKitBaseGraphicControl::TKitBaseGraphicControl(TComponent* owner) : TKitBaseControl(owner) {
    FControlStyle.Exclude(csOpaque).Include(csReplicatable);
    FTransparent = true;
    SetHeight(30);
    SetWidth(30);
}

void TKitBaseGraphicControl::SetTransparent(bool value) {
    if (value == FTransparent)
        return;
    if (value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    FTransparent = value;
    Perform(CM_KITTRANSPARENTCHANGED);
}

void TKitBaseGraphicControl::Redraw() {
    if (FTransparent || ComponentState().Contains(csDesigning)) {
        Invalidate();
        return;
    }
    // Painting straight into the parent would draw an invisible control and
    // cover the non-windowed siblings painted after it until the next full
    // repaint; letting the parent paint the area in order looks the same.
    if (!FParent || !FParent->HandleAllocated() || !Visible())
        return;
    RECT r = BoundsRect();
    ::InvalidateRect(FParent->Handle(), &r, FALSE);
    FParent->Update();
}

bool TKitBaseGraphicControl::UsesParentBackground() const {
    if (!FTransparent)
        return false;
    auto* parent = dynamic_cast<TKitCustomControl*>(FParent);
    return parent && parent->HandleAllocated() && parent->PaintsTransparent();
}

void TKitBaseGraphicControl::ObjectChanged(TObject*) {
    Redraw();
}

void TKitBaseGraphicControl::Dispatch(TMessage& message) {
    if (message.Msg == CM_KITTRANSPARENTCHANGED) {
        Redraw();
        return;
    }
    TKitBaseControl::Dispatch(message);
}

void TKitBaseGraphicControl::Paint() {
    // An opaque control is redrawn without erasing what lies under it, so
    // with nothing of its own to show it still covers its area.
    if (!FTransparent) {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->FillRect(ClientRect());
    }
    if (ComponentState().Contains(csDesigning))
        DrawDesignFrame();
}

// --- TKitGraphicControl ------------------------------------------------------

const TClassInfo& TKitGraphicControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitGraphicControl>("TKitGraphicControl");
    return info;
}

TKitGraphicControl::TKitGraphicControl(TComponent* owner)
    : TKitBaseGraphicControl(owner), FBevel(std::make_unique<TKitBevel>()) {
    FBevel->OnChange = TNotifyEvent::Of<&TKitGraphicControl::BevelChanged>(this);
}

TKitGraphicControl::~TKitGraphicControl() {
    FBevel->OnChange.Clear();
}

void TKitGraphicControl::SetBevel(TKitBevel* value) {
    FBevel->Assign(value);
    Perform(CM_KITBEVELCHANGED);
}

void TKitGraphicControl::Paint() {
    if (Loading())
        return;
    if (IsEmpty() && FBevel->Extent() == 0) {
        TKitBaseGraphicControl::Paint();
        return;
    }
    FBevel->PaintBevel(*Canvas(), ClientRect(), FTransparent);
}
