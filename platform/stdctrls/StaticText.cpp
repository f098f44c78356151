#include "platform/stdctrls/StaticText.h"

#include "platform/stdctrls/StandardProperties.h"

const TClassInfo& TCustomStaticText::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCustomStaticText>("TCustomStaticText");
    return info;
}

const TClassInfo& TStaticText::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TStaticText>("TStaticText", [](TPropertyTable& t) {
        TPropertyBuilder<TStaticText> p(t);
        StandardProperties<TStaticText>::Bounds(p);
        p.String("Caption", &TControl::Caption, &TControl::SetCaption);
        StandardProperties<TStaticText>::Common(p);
        StandardProperties<TStaticText>::Tabbing(p, false);
    });
    return info;
}

TCustomStaticText::TCustomStaticText(TComponent* owner) : TWinControl(owner) {
    FWidth = 65;
    FHeight = 17;
    FColor = clBtnFace;
    Brush()->SetColor(FColor);
}

void TCustomStaticText::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "STATIC");
    params.Style |= SS_NOTIFY | SS_LEFT;
}
