#include "components/controls/kitextcS.h"

#include "components/imagelists/kitimagelistbase.h"
#include "platform/controls/ControlProperties.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Exceptions.h"

const TClassInfo& TKitFill::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitFill>("TKitFill", [](TPropertyTable& t) {
        TPropertyBuilder<TKitFill> p(t);
        p.Integer("Left", &TControl::Left, &TControl::SetLeft, 0);
        p.Integer("Top", &TControl::Top, &TControl::SetTop, 0);
        p.Integer("Width", &TControl::Width, &TControl::SetWidth);
        p.Integer("Height", &TControl::Height, &TControl::SetHeight);
        p.String("About", &TKitBaseControl::About, &TKitBaseControl::SetAbout);
        ControlProperties<TKitFill>::Align(p);
        p.Object("Bevel", &TKitGraphicControl::Bevel);
        p.Object("Caption", &TKitFill::Caption);
        p.Integer("Color", &TControl::Color, &TControl::SetColor, clWindow, &ColorIdents()).Stored =
            [](TObject& o) { return !static_cast<TControl&>(o).ParentColor(); };
        ControlProperties<TKitFill>::DragCursor(p);
        ControlProperties<TKitFill>::DragMode(p);
        p.Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, true);
        p.Object("FillObject", &TKitFill::FillObject);
        p.Reference("ImageList", &TKitBaseControl::ImageList, &TKitBaseControl::SetImageList)
            .Stored = [](TObject& o) {
            return static_cast<TKitBaseControl&>(o).IsImageListStored();
        };
        p.Integer("ImageIndex", &TKitBaseControl::ImageIndex, &TKitBaseControl::SetImageIndexValue,
                  0);
        p.Integer("ListIndex", &TKitBaseControl::ListIndex, &TKitBaseControl::SetListIndexValue, 0);
        p.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true);
        p.Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true);
        ControlProperties<TKitFill>::PopupMenu(p);
        p.Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, std::nullopt).Stored =
            [](TObject& o) { return !static_cast<TControl&>(o).ParentShowHint(); };
        p.Boolean("Visible", &TControl::Visible, &TControl::SetVisible, true);
        p.Event("OnClick", &TControl::OnClick);
        p.Event("OnDblClick", &TControl::OnDblClick);
        p.Event("OnDragDrop", &TControl::OnDragDrop);
        p.Event("OnDragOver", &TControl::OnDragOver);
        p.Event("OnEndDrag", &TControl::OnEndDrag);
        p.Event("OnMouseDown", &TControl::OnMouseDown);
        p.Event("OnMouseMove", &TControl::OnMouseMove);
        p.Event("OnMouseUp", &TControl::OnMouseUp);
        p.Event("OnStartDrag", &TControl::OnStartDrag);
        ControlProperties<TKitFill>::Anchors(p);
        ControlProperties<TKitFill>::BiDiMode(p);
        ControlProperties<TKitFill>::DragKind(p);
        ControlProperties<TKitFill>::Constraints(p);
        ControlProperties<TKitFill>::ParentBiDiMode(p);
        p.Event("OnEndDock", &TControl::OnEndDock);
        p.Event("OnStartDock", &TControl::OnStartDock);
    });
    return info;
}

TKitFill::TKitFill(TComponent* owner)
    : TKitGraphicControl(owner), FCaption(std::make_unique<TKitCaption>()),
      FFillObject(std::make_unique<TKitFillObject>()) {
    FCaption->OnChange = TNotifyEvent::Of<&TKitFill::OwnedObjectChanged>(this);
    FFillObject->OnChange = TNotifyEvent::Of<&TKitFill::OwnedObjectChanged>(this);
}

TKitFill::~TKitFill() {
    FCaption->OnChange.Clear();
    FFillObject->OnChange.Clear();
}

void TKitFill::ObjectChanged(TObject* sender) {
    if (sender == FFillObject.get())
        SetTransparent(FFillObject->IsTransparent());
    Redraw();
}

bool TKitFill::IsEmpty() const {
    return FFillObject->IsEmpty() && BevelExtent() == 0 && FCaption->Caption().empty();
}

void TKitFill::ImageListChanged(TObject* sender) {
    if (ImageMissing()) {
        FFillObject->SetListBitmap(nullptr);
    } else {
        TBitmap image;
        ImageList()->GetImage(ListIndex(), ImageIndex(), &image);
        FFillObject->SetListBitmap(&image);
    }
    TKitGraphicControl::ImageListChanged(sender);
}

std::uint16_t TKitFill::CaptionFlags() const {
    return ktClip | (Enabled() ? ktEnabled : ktDisabled);
}

void TKitFill::Paint() {
    if (Loading())
        return;
    if (IsEmpty()) {
        TKitGraphicControl::Paint();
        return;
    }
    try {
        PaintLayers();
    } catch (const Exception&) {
        // A damaged picture ends this paint quietly; the next one tries again.
    }
}

void TKitFill::PaintLayers() {
    TCanvas& canvas = *Canvas();
    const TRect inner = Bevel()->PaintBevel(canvas, ClientRect(), Transparent());
    // Left and Top packed into the two 16-bit halves.
    const auto offset = static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(static_cast<std::uint16_t>(Top())) << 16) |
        static_cast<std::uint16_t>(Left()));
    FFillObject->FillObjectPaint(canvas, inner, Color(), offset);
    FCaption->DrawCaption(canvas, FCaption->Caption(), inner, CaptionFlags(),
                          canvas.Brush()->Color(), offset);
}

void RegisterKitControls() {
    RegisterClasses<TKitFill>();
}
