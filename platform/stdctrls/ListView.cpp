#include "platform/stdctrls/ListView.h"

#include "platform/stdctrls/StandardProperties.h"

#include <commctrl.h>

const TClassInfo& TCustomListView::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCustomListView>("TCustomListView");
    return info;
}

const TClassInfo& TListView::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TListView>("TListView", [](TPropertyTable& t) {
        TPropertyBuilder<TListView> p(t);
        StandardProperties<TListView>::Bounds(p);
        StandardProperties<TListView>::Common(p);
        StandardProperties<TListView>::Tabbing(p, true);
    });
    return info;
}

TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner) {
    FWidth = 250;
    FHeight = 150;
    SetDefaultTabStop(true);
    FColor = clWindow;
    Brush()->SetColor(FColor);
}

void TCustomListView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_LISTVIEWA);
    params.Style |= LVS_REPORT | LVS_SHAREIMAGELISTS;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}
