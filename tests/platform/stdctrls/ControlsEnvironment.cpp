#include "ControlsEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/forms/UnitLifecycle.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GdiObject.h"

#include "tests/support/UnitsEnvironment.h"

namespace {
const TUnitEntry Units[] = {
    {"Forms", InitializeFormsUnit, FinalizeFormsUnit},
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new TUnitsEnvironment(Units));
} // namespace

void ClickAt(HWND window, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(window, WM_LBUTTONUP, 0, at);
    PumpMessages();
}

void PressKey(HWND window, WORD key) {
    ::PostMessageA(window, WM_KEYDOWN, key, 1);
    ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
    PumpMessages();
}

TWindowShot::TWindowShot(HWND window, bool frame) {
    RECT r{};
    if (frame) {
        ::GetWindowRect(window, &r);
        ::OffsetRect(&r, -r.left, -r.top);
    } else {
        ::GetClientRect(window, &r);
    }
    FWidth = r.right;
    FHeight = r.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = FWidth;
    info.bmiHeader.biHeight = -FHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC source = frame ? ::GetWindowDC(window) : ::GetDC(window);
    TMemoryDC memory(source);
    TGdiObject<HBITMAP> bitmap(
        ::CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        TObjectSelection selection(memory.Get(), bitmap.Get());
        ::BitBlt(memory.Get(), 0, 0, FWidth, FHeight, source, 0, 0, SRCCOPY);
    }
    ::ReleaseDC(window, source);
    ::GdiFlush();
    const auto* words = static_cast<const DWORD*>(bits);
    FPixels.reserve(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight));
    for (int i = 0; i < FWidth * FHeight; ++i) {
        const DWORD bgr = words[i];
        FPixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    }
}

COLORREF TWindowShot::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return CLR_INVALID;
    return FPixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth) +
                   static_cast<std::size_t>(x)];
}

void OnForm::SetUp() {
    form = new TForm(Application);
    form->SetBounds(20, 20, 420, 320);
    form->Show();
    PumpMessages();
}

void OnForm::TearDown() {
    Free(form);
    PumpMessages();
}
