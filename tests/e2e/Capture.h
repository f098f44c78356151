#pragma once
// Pictures of windows as they are on the screen, for pixel checks and for
// keeping as BMP files when a test fails.

#include "tests/e2e/Wait.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

struct TRgb {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;
    bool operator==(const TRgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, TRgb colour);

enum class TCaptureArea { Client, Window };

// A picture held as top-down rows of 3 bytes per pixel (blue, green, red).
class TCapture {
public:
    TCapture() = default;
    TCapture(int width, int height, std::vector<std::uint8_t> pixels);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Raises std::out_of_range outside the picture.
    TRgb Pixel(int x, int y) const;
    // How many pixels have exactly this colour.
    int Count(TRgb colour) const;
    // Writes a 24-bit BMP file; raises std::runtime_error when it cannot.
    void SaveBmp(const std::string& fileName) const;

    bool operator==(const TCapture&) const = default;

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<std::uint8_t> FPixels;
};

// Brings the window's top-level window to the front, has it repainted and
// copies the area from the screen once the program has painted it. Raises
// std::runtime_error when that has not happened within settle.
TCapture CaptureWindow(HWND window, TCaptureArea area = TCaptureArea::Client,
                       TDuration settle = 10s);

// As CaptureWindow, then copies of the screen until one shows what Shows
// looks for (or settle has passed; the last copy is returned for the checks
// to report). Wine hands a program's picture to the screen only when the
// program next waits for messages, which a busy machine can put off past
// two equal copies of the picture before it.
TCapture CaptureWindowShowing(HWND window, const std::function<bool(const TCapture&)>& shows,
                              TDuration settle = 10s);

// One copy of what the screen shows now, without waiting or bringing the
// window to the front.
TCapture GrabWindow(HWND window, TCaptureArea area = TCaptureArea::Client);

// Draws into a fresh picture: fills it with background, then lets paint draw
// on the memory device context.
TCapture Render(int width, int height, TRgb background, const std::function<void(HDC)>& paint);

} // namespace e2e
