#pragma once
// Owner of one GDI object (font, brush, pen, bitmap, region, palette):
// deletes it when replaced or destroyed and keeps the layer's handle count.

#include "platform/graphics/HandleCount.h"

#include <utility>
#include <windows.h>

template <class H> class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(H handle) { Reset(handle); }
    ~TGdiObject() { Reset(); }
    TGdiObject(TGdiObject&& o) noexcept : FHandle(std::exchange(o.FHandle, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& o) noexcept {
        if (this != &o) {
            Reset();
            FHandle = std::exchange(o.FHandle, nullptr);
        }
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    H Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }

    // Takes ownership of Handle (which may be null), deleting the old one.
    void Reset(H handle = nullptr) {
        if (FHandle) {
            ::DeleteObject(FHandle);
            CountHandle(THandleKind::GdiObject, -1);
        }
        FHandle = handle;
        if (FHandle)
            CountHandle(THandleKind::GdiObject, +1);
    }
    // Gives up ownership without deleting.
    H Release() {
        if (FHandle)
            CountHandle(THandleKind::GdiObject, -1);
        return std::exchange(FHandle, nullptr);
    }

private:
    H FHandle = nullptr;
};
