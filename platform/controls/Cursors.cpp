#include "platform/controls/Cursors.h"

#include <map>

namespace {
struct Entry {
    HCURSOR Handle;
    bool Owned;
};
std::map<TCursor, Entry>& Table() {
    static std::map<TCursor, Entry> table;
    return table;
}
TCursor screenCursor = crDefault;

LPCSTR StandardCursor(TCursor cursor) {
    switch (cursor) {
    case crArrow:
    case crDefault:
        return IDC_ARROW;
    case crCross:
        return IDC_CROSS;
    case crIBeam:
        return IDC_IBEAM;
    case crSizeNESW:
        return IDC_SIZENESW;
    case crSizeNS:
        return IDC_SIZENS;
    case crSizeNWSE:
        return IDC_SIZENWSE;
    case crSizeWE:
        return IDC_SIZEWE;
    case crUpArrow:
        return IDC_UPARROW;
    case crHourGlass:
        return IDC_WAIT;
    case crNo:
        return IDC_NO;
    case crAppStart:
        return IDC_APPSTARTING;
    case crHelp:
        return IDC_HELP;
    case crHandPoint:
        return IDC_HAND;
    case crSizeAll:
        return IDC_SIZEALL;
    default:
        return nullptr;
    }
}
} // namespace

HCURSOR CursorHandle(TCursor cursor) {
    auto& table = Table();
    if (auto it = table.find(cursor); it != table.end())
        return it->second.Handle;
    if (cursor == crNone)
        return nullptr;
    LPCSTR id = StandardCursor(cursor);
    return ::LoadCursorA(nullptr, id ? id : IDC_ARROW);
}

void SetCursorHandle(TCursor cursor, HCURSOR handle, bool owned) {
    auto& table = Table();
    if (auto it = table.find(cursor);
        it != table.end() && it->second.Owned && it->second.Handle != handle)
        ::DestroyCursor(it->second.Handle);
    if (handle)
        table[cursor] = {handle, owned};
    else
        table.erase(cursor);
}

void ReleaseCursorTable() {
    for (auto& [id, entry] : Table())
        if (entry.Owned)
            ::DestroyCursor(entry.Handle);
    Table().clear();
}

TCursor ScreenCursor() {
    return screenCursor;
}

void SetScreenCursor(TCursor cursor) {
    if (cursor == screenCursor)
        return;
    screenCursor = cursor;
    // Show it at once, also where no mouse move follows.
    POINT p;
    if (cursor == crDefault) {
        ::GetCursorPos(&p);
        ::SetCursorPos(p.x, p.y);
    } else {
        ::SetCursor(CursorHandle(cursor));
    }
}
