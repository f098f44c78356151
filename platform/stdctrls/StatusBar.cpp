#include "platform/stdctrls/StatusBar.h"

#include "platform/stdctrls/StandardProperties.h"

#include <commctrl.h>

const TClassInfo& TStatusBar::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TStatusBar>("TStatusBar", [](TPropertyTable& t) {
        TPropertyBuilder<TStatusBar> p(t);
        StandardProperties<TStatusBar>::Bounds(p);
        p.String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
        StandardProperties<TStatusBar>::Common(p);
    });
    return info;
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    FWidth = 150;
    FHeight = 19;
}

void TStatusBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, STATUSCLASSNAMEA);
    // The layer places the bar; the control must not move itself.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP;
}

void TStatusBar::CreateHandleDone() {
    ::SendMessageA(WindowHandle(), SB_SIMPLE, TRUE, 0);
    ::SendMessageA(WindowHandle(), SB_SETTEXTA, SB_SIMPLEID,
                   reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::SetSimpleText(const std::string& value) {
    FSimpleText = value;
    if (HandleAllocated())
        ::SendMessageA(WindowHandle(), SB_SETTEXTA, SB_SIMPLEID,
                       reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}
