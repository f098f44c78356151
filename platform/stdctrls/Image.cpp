#include "platform/stdctrls/Image.h"

#include "platform/stdctrls/StandardProperties.h"

const TClassInfo& TImage::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TImage>("TImage", [](TPropertyTable& t) {
        TPropertyBuilder<TImage> p(t);
        StandardProperties<TImage>::Bounds(p);
        p.Boolean("Center", &TImage::Center, &TImage::SetCenter, false);
        p.Object("Picture", &TImage::Picture);
        p.Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch, false);
        p.Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent, false);
        p.Boolean("Visible", &TControl::Visible, &TControl::SetVisible, true);
        p.Event("OnClick", &TControl::OnClick);
    });
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>()) {
    FControlStyle.Include(csReplicatable);
    FPicture->OnChange = TNotifyEvent::Of<&TImage::PictureChanged>(this);
    FWidth = 105;
    FHeight = 105;
}

TImage::~TImage() {
    FPicture->OnChange.Clear();
}

void TImage::SetCenter(bool value) {
    FCenter = value;
    Invalidate();
}

void TImage::SetStretch(bool value) {
    FStretch = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    FTransparent = value;
    if (TGraphic* g = FPicture->Graphic())
        g->SetTransparent(value);
    Invalidate();
}

void TImage::PictureChanged(TObject*) {
    if (TGraphic* g = FPicture->Graphic())
        if (g->Transparent() != FTransparent)
            g->SetTransparent(FTransparent);
    // A picture covering the whole control hides what lies beneath.
    const bool opaque =
        !FTransparent && FPicture->Width() >= FWidth && FPicture->Height() >= FHeight;
    if (opaque)
        FControlStyle.Include(csOpaque);
    else
        FControlStyle.Exclude(csOpaque);
    Invalidate();
}

void TImage::Paint() {
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic || graphic->Empty())
        return;
    RECT r{0, 0, graphic->Width(), graphic->Height()};
    if (FStretch) {
        r = ClientRect();
    } else if (FCenter) {
        ::OffsetRect(&r, (FWidth - graphic->Width()) / 2, (FHeight - graphic->Height()) / 2);
    }
    Canvas()->StretchDraw(r, graphic);
}
