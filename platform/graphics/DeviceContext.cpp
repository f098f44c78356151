#include "platform/graphics/DeviceContext.h"

#include "platform/graphics/HandleCount.h"
#include "platform/rtl/Exceptions.h"

TMemoryDC::TMemoryDC(HDC reference) : FHandle(::CreateCompatibleDC(reference)) {
    if (!FHandle)
        throw EOutOfMemory("Nicht genügend Systemressourcen für einen Gerätekontext");
    CountHandle(THandleKind::DeviceContext, +1);
}

TMemoryDC::~TMemoryDC() {
    ::DeleteDC(FHandle);
    CountHandle(THandleKind::DeviceContext, -1);
}

TWindowDC::TWindowDC(HWND window) : FWindow(window), FHandle(::GetDC(window)) {
    if (!FHandle)
        throw EOutOfMemory("Nicht genügend Systemressourcen für einen Gerätekontext");
    CountHandle(THandleKind::DeviceContext, +1);
}

TWindowDC::~TWindowDC() {
    ::ReleaseDC(FWindow, FHandle);
    CountHandle(THandleKind::DeviceContext, -1);
}

TNonClientDC::TNonClientDC(HWND window) : FWindow(window), FHandle(::GetWindowDC(window)) {
    if (FHandle)
        CountHandle(THandleKind::DeviceContext, +1);
}

TNonClientDC::~TNonClientDC() {
    if (!FHandle)
        return;
    ::ReleaseDC(FWindow, FHandle);
    CountHandle(THandleKind::DeviceContext, -1);
}

TPaintDC::TPaintDC(HWND window) : FWindow(window), FHandle(::BeginPaint(window, &FPaint)) {}

TPaintDC::~TPaintDC() {
    ::EndPaint(FWindow, &FPaint);
}

TObjectSelection::TObjectSelection(HDC dc, HGDIOBJ object)
    : FDC(dc), FPrevious(::SelectObject(dc, object)) {}

TObjectSelection::~TObjectSelection() {
    if (FPrevious && FPrevious != HGDI_ERROR)
        ::SelectObject(FDC, FPrevious);
}

TPaletteSelection::TPaletteSelection(HDC dc, HPALETTE palette, bool background) : FDC(dc) {
    if (palette) {
        FPrevious = ::SelectPalette(dc, palette, background);
        ::RealizePalette(dc);
    }
}

TPaletteSelection::~TPaletteSelection() {
    if (FPrevious)
        ::SelectPalette(FDC, FPrevious, TRUE);
}
