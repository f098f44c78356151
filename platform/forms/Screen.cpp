#include "platform/forms/Screen.h"

#include "platform/controls/Cursors.h"
#include "platform/forms/Form.h"

#include <algorithm>

TScreen* Screen = nullptr;

const TClassInfo& TScreen::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TScreen>("TScreen");
    return info;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

TScreen::~TScreen() {
    ReleaseCursorTable();
}

TCursor TScreen::Cursor() const {
    return ScreenCursor();
}

void TScreen::SetCursor(TCursor value) {
    SetScreenCursor(value);
}

HCURSOR TScreen::Cursors(TCursor index) const {
    return CursorHandle(index);
}

void TScreen::SetCursors(TCursor index, HCURSOR handle) {
    SetCursorHandle(index, handle, true);
}

void TScreen::AddForm(TCustomForm* form) {
    if (std::find(FForms.begin(), FForms.end(), form) == FForms.end())
        FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    std::erase(FForms, form);
}
