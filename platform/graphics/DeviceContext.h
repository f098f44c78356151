#pragma once
// Owners of device contexts, counted as THandleKind::DeviceContext, and
// guards that select a GDI object or a palette into a device context for one
// scope and put the previous one back.

#include <windows.h>

// A memory device context, deleted on destruction.
class TMemoryDC {
public:
    // Compatible with Reference; with none, with the screen. Raises
    // EOutOfMemory when the system has no context left.
    explicit TMemoryDC(HDC reference = nullptr);
    ~TMemoryDC();
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;

    HDC Get() const { return FHandle; }

private:
    HDC FHandle;
};

// The device context of a window (of the screen when Window is null),
// released on destruction.
class TWindowDC {
public:
    explicit TWindowDC(HWND window = nullptr);
    ~TWindowDC();
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Get() const { return FHandle; }

private:
    HWND FWindow;
    HDC FHandle;
};

// The whole-window device context (frame included) for non-client painting,
// released on destruction. Get() is null when the system gives none.
class TNonClientDC {
public:
    explicit TNonClientDC(HWND window);
    ~TNonClientDC();
    TNonClientDC(const TNonClientDC&) = delete;
    TNonClientDC& operator=(const TNonClientDC&) = delete;

    HDC Get() const { return FHandle; }

private:
    HWND FWindow;
    HDC FHandle;
};

// BeginPaint and EndPaint of a window around one scope. Get() is null when
// there is nothing to paint on.
class TPaintDC {
public:
    explicit TPaintDC(HWND window);
    ~TPaintDC();
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;

    HDC Get() const { return FHandle; }
    // The part of the client area to paint.
    const RECT& Area() const { return FPaint.rcPaint; }

private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FHandle;
};

// Selects Object into DC; the previous object goes back on destruction.
class TObjectSelection {
public:
    TObjectSelection(HDC dc, HGDIOBJ object);
    ~TObjectSelection();
    TObjectSelection(const TObjectSelection&) = delete;
    TObjectSelection& operator=(const TObjectSelection&) = delete;

private:
    HDC FDC;
    HGDIOBJ FPrevious;
};

// Selects and realises Palette in DC (as a background palette when asked);
// the previous palette goes back on destruction. A null palette does nothing.
class TPaletteSelection {
public:
    TPaletteSelection(HDC dc, HPALETTE palette, bool background);
    ~TPaletteSelection();
    TPaletteSelection(const TPaletteSelection&) = delete;
    TPaletteSelection& operator=(const TPaletteSelection&) = delete;

private:
    HDC FDC;
    HPALETTE FPrevious = nullptr;
};
