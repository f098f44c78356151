#include "platform/stdctrls/Animate.h"

#include "platform/stdctrls/StandardProperties.h"

#include <commctrl.h>

const TClassInfo& TAnimate::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TAnimate>("TAnimate", [](TPropertyTable& t) {
        TPropertyBuilder<TAnimate> p(t);
        StandardProperties<TAnimate>::Bounds(p);
        p.Boolean("Transparent", &TAnimate::Transparent, &TAnimate::SetTransparent, true);
        StandardProperties<TAnimate>::Common(p);
    });
    return info;
}

TAnimate::TAnimate(TComponent* owner) : TWinControl(owner) {
    FWidth = 100;
    FHeight = 80;
}

void TAnimate::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, ANIMATE_CLASSA);
    if (FTransparent)
        params.Style |= ACS_TRANSPARENT;
}

void TAnimate::SetTransparent(bool value) {
    if (value == FTransparent)
        return;
    FTransparent = value;
    if (HandleAllocated())
        RecreateWnd();
}
