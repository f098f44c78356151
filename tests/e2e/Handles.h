#pragma once
// Owners for the Windows handles the driver opens, so every path releases them.

#include <windows.h>

#include <utility>

namespace e2e {

// A kernel handle (process, thread) closed with CloseHandle.
class TUniqueHandle {
public:
    TUniqueHandle() = default;
    explicit TUniqueHandle(HANDLE handle) : FHandle(handle) {}
    TUniqueHandle(TUniqueHandle&& other) noexcept
        : FHandle(std::exchange(other.FHandle, nullptr)) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.FHandle, nullptr));
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    ~TUniqueHandle() { Reset(); }

    HANDLE Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr && FHandle != INVALID_HANDLE_VALUE; }
    void Reset(HANDLE handle = nullptr) {
        if (*this)
            CloseHandle(FHandle);
        FHandle = handle;
    }

private:
    HANDLE FHandle = nullptr;
};

// The device context of a window (client area or whole window), from GetDC
// or GetWindowDC.
class TWindowDC {
public:
    TWindowDC(HWND window, bool wholeWindow)
        : FWindow(window), FDC(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC() {
        if (FDC)
            ReleaseDC(FWindow, FDC);
    }
    HDC Get() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};

// A memory device context compatible with another one.
class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatibleWith) : FDC(CreateCompatibleDC(compatibleWith)) {}
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    ~TMemoryDC() {
        if (FDC)
            DeleteDC(FDC);
    }
    HDC Get() const { return FDC; }

private:
    HDC FDC;
};

// A GDI object (bitmap, brush) deleted with DeleteObject.
class TGdiObject {
public:
    explicit TGdiObject(HGDIOBJ object) : FObject(object) {}
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    ~TGdiObject() {
        if (FObject)
            DeleteObject(FObject);
    }
    HGDIOBJ Get() const { return FObject; }

private:
    HGDIOBJ FObject;
};

// Selects an object into a device context and puts the previous one back.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : FDC(dc), FPrevious(SelectObject(dc, object)) {}
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;
    ~TSelection() {
        if (FPrevious)
            SelectObject(FDC, FPrevious);
    }

private:
    HDC FDC;
    HGDIOBJ FPrevious;
};

} // namespace e2e
