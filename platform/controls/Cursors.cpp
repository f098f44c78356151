#include "platform/controls/Cursors.h"

#include <algorithm>
#include <iterator>
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
    case crNoDrop:
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
// The system has no drag cursor: an arrow with a small sheet under it.
HCURSOR MakeDragCursor() {
    constexpr int size = 32;
    unsigned char andMask[size * size / 8];
    unsigned char xorMask[size * size / 8] = {};
    std::fill(std::begin(andMask), std::end(andMask), 0xFF); // transparent
    auto paint = [&](int x, int y, bool white) {
        const int bit = y * size + x;
        andMask[bit / 8] &= static_cast<unsigned char>(~(0x80 >> (bit % 8)));
        if (white)
            xorMask[bit / 8] |= static_cast<unsigned char>(0x80 >> (bit % 8));
    };
    for (int y = 0; y < 12; ++y) // the arrow: a black outline, white inside
        for (int x = 0; x <= y && x < 8; ++x)
            paint(x, y, x != 0 && x != y && y != 11);
    for (int y = 16; y < 26; ++y) // the sheet
        for (int x = 6; x < 18; ++x)
            paint(x, y, x != 6 && x != 17 && y != 16 && y != 25);
    return ::CreateCursor(::GetModuleHandleA(nullptr), 0, 0, size, size, andMask, xorMask);
}
} // namespace

HCURSOR CursorHandle(TCursor cursor) {
    auto& table = Table();
    if (auto it = table.find(cursor); it != table.end())
        return it->second.Handle;
    if (cursor == crNone)
        return nullptr;
    if (cursor == crDrag) {
        if (HCURSOR made = MakeDragCursor()) {
            table[crDrag] = {made, true};
            return made;
        }
    }
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
