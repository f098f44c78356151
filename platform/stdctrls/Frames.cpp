#include "platform/stdctrls/Frames.h"

#include "platform/stdctrls/StandardProperties.h"

const TClassInfo& TCustomFrame::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCustomFrame>("TCustomFrame");
    return info;
}

const TClassInfo& TFrame::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TFrame>("TFrame", [](TPropertyTable& t) {
        TPropertyBuilder<TFrame> p(t);
        StandardProperties<TFrame>::Bounds(p);
        StandardProperties<TFrame>::Common(p);
        StandardProperties<TFrame>::Tabbing(p, false);
    });
    return info;
}

TCustomFrame::TCustomFrame(TComponent* owner) : TWinControl(owner) {
    FControlStyle.Include(csAcceptsControls);
    FWidth = 320;
    FHeight = 240;
    FColor = clBtnFace;
    Brush()->SetColor(FColor);
}
