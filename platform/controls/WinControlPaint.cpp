// How a windowed control paints: its own background and content, then its
// children without a window, directly or through an off-screen bitmap.

#include "platform/controls/WinControl.h"

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GdiObject.h"

#include <algorithm>

void TWinControl::Invalidate() {
    if (FHandle)
        ::InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
    if (FHandle)
        ::UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    if (FHandle)
        ::RedrawWindow(FHandle, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinControl::PaintWindow(HDC dc) {
    // A window of no system class has nothing of its own to paint, and the
    // default procedure's WM_PAINT ignores the DC: it would validate the
    // window's update region, throwing away a repaint still due when the DC
    // is another one (WM_PRINTCLIENT from a child asking for its background).
    if (!IsSystemClass())
        return;
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto it = FControls.begin();
    if (first) {
        it = std::find(FControls.begin(), FControls.end(), first);
        if (it == FControls.end())
            it = FControls.begin();
    }
    for (; it != FControls.end(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible())
            continue;
        const RECT r = c->BoundsRect();
        if (!::RectVisible(dc, &r))
            continue;
        const int saved = ::SaveDC(dc);
        POINT org{};
        ::GetWindowOrgEx(dc, &org);
        ::SetWindowOrgEx(dc, org.x - c->Left(), org.y - c->Top(), nullptr);
        ::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        ::RestoreDC(dc, saved);
    }
}

void TWinControl::PaintHandler(TMessage& message) {
    if (HDC dc = reinterpret_cast<HDC>(message.WParam)) {
        PaintWindow(dc);
        PaintControls(dc);
        return;
    }
    const TPaintDC paint(FHandle);
    PaintWindow(paint.Get());
    PaintControls(paint.Get());
}

void TWinControl::PaintBuffered() {
    const TPaintDC paint(FHandle);
    const RECT client = ClientRect();
    if (!paint.Get() || client.right <= 0 || client.bottom <= 0)
        return;
    TGdiObject<HBITMAP> bitmap(::CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
    if (!bitmap) {
        // Too large for a bitmap, or the system is short of them: painted
        // directly, with flicker rather than not at all.
        PaintInto(paint.Get());
        return;
    }
    const TMemoryDC memory(paint.Get());
    const TObjectSelection selection(memory.Get(), bitmap.Get());
    PaintInto(memory.Get());
    const RECT& r = paint.Area();
    ::BitBlt(paint.Get(), r.left, r.top, r.right - r.left, r.bottom - r.top, memory.Get(), r.left,
             r.top, SRCCOPY);
}

void TWinControl::PaintInto(HDC dc) {
    // Erase and paint with the context as both parameters: the erase draws.
    const auto context = reinterpret_cast<WPARAM>(dc);
    Perform(WM_ERASEBKGND, context, static_cast<LPARAM>(context));
    TMessage inner{WM_PAINT, context, 0, 0};
    PaintHandler(inner);
}

bool TWinControl::PaintMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        if (FDoubleBuffered && !message.WParam)
            PaintBuffered();
        else if (FControls.empty() && !FControlState.Contains(csCustomPaint) && !message.WParam)
            DefaultHandler(message);
        else
            PaintHandler(message);
        return true;
    case WM_ERASEBKGND:
        // A buffered window erases into its bitmap while it paints.
        if (!FDoubleBuffered || message.LParam == static_cast<LPARAM>(message.WParam)) {
            RECT r = ClientRect();
            ::FillRect(reinterpret_cast<HDC>(message.WParam), &r, FBrush->Handle());
        }
        message.Result = 1;
        return true;
    case WM_PRINTCLIENT: {
        Perform(WM_ERASEBKGND, message.WParam, 0);
        TMessage paint{WM_PAINT, message.WParam, 0, 0};
        PaintHandler(paint);
        message.Result = 0;
        return true;
    }
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSCROLLBAR: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        ::SetTextColor(dc, ColorToRGB(FFont->Color()));
        ::SetBkColor(dc, ColorToRGB(FBrush->Color()));
        message.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
        return true;
    }
    default:
        return false;
    }
}
