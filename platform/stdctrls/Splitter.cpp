#include "platform/stdctrls/Splitter.h"

#include "platform/stdctrls/StandardProperties.h"

const TClassInfo& TSplitter::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TSplitter>("TSplitter", [](TPropertyTable& t) {
        TPropertyBuilder<TSplitter> p(t);
        StandardProperties<TSplitter>::Bounds(p);
        p.Boolean("Visible", &TControl::Visible, &TControl::SetVisible, true);
    });
    return info;
}

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 3;
    FHeight = 100;
    SetCursor(crSizeWE);
}
