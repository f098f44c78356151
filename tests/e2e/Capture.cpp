#include "tests/e2e/Capture.h"

#include "tests/e2e/Handles.h"
#include "tests/e2e/WindowQuery.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace e2e {

namespace {

constexpr int BytesPerPixel = 3;

// BMP rows are padded to whole 32-bit words.
int PaddedRowSize(int width) {
    return (width * BytesPerPixel + 3) & ~3;
}

BITMAPINFO TopDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A 24-bit DIB section selected into a memory device context.
class TDibCanvas {
public:
    TDibCanvas(HDC compatibleWith, int width, int height)
        : FWidth(width), FHeight(height), FMemory(compatibleWith),
          FBitmap(CreateBitmap(compatibleWith)), FSelection(FMemory.Get(), FBitmap.Get()) {
        if (!FMemory.Get() || !FBitmap.Get())
            throw std::runtime_error("cannot create a " + std::to_string(width) + "x" +
                                     std::to_string(height) + " picture");
    }

    HDC DC() const { return FMemory.Get(); }

    TCapture Picture() const {
        GdiFlush();
        const int stride = PaddedRowSize(FWidth);
        const auto* bits = static_cast<const std::uint8_t*>(FBits);
        std::vector<std::uint8_t> pixels;
        pixels.reserve(static_cast<size_t>(FWidth) * FHeight * BytesPerPixel);
        for (int y = 0; y < FHeight; ++y) {
            const auto* row = bits + static_cast<ptrdiff_t>(y) * stride;
            pixels.insert(pixels.end(), row, row + FWidth * BytesPerPixel);
        }
        return TCapture(FWidth, FHeight, std::move(pixels));
    }

private:
    HBITMAP CreateBitmap(HDC compatibleWith) {
        const BITMAPINFO info = TopDownInfo(FWidth, FHeight);
        return CreateDIBSection(compatibleWith, &info, DIB_RGB_COLORS, &FBits, nullptr, 0);
    }

    int FWidth;
    int FHeight;
    void* FBits = nullptr;
    TMemoryDC FMemory;
    TGdiObject FBitmap;
    TSelection FSelection;
};

// The area in screen coordinates.
RECT ScreenArea(HWND window, TCaptureArea area) {
    RECT rect;
    if (area == TCaptureArea::Window) {
        GetWindowRect(window, &rect);
        return rect;
    }
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// No visible window of the tree has an area waiting to be painted.
bool NothingToPaint(HWND top) {
    std::vector<HWND> windows = ChildWindows(top);
    windows.push_back(top);
    for (HWND window : windows)
        if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE))
            return false;
    return true;
}

template <class T> void Append(std::vector<char>& out, T value) {
    const auto* bytes = reinterpret_cast<const char*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof(value));
}

} // namespace

std::ostream& operator<<(std::ostream& out, TRgb colour) {
    char text[24];
    std::snprintf(text, sizeof(text), "RGB(%u, %u, %u)", colour.R, colour.G, colour.B);
    return out << text;
}

TCapture::TCapture(int width, int height, std::vector<std::uint8_t> pixels)
    : FWidth(width), FHeight(height), FPixels(std::move(pixels)) {
    if (width < 0 || height < 0 ||
        FPixels.size() != static_cast<size_t>(width) * height * BytesPerPixel)
        throw std::invalid_argument("picture data does not match its size");
}

TRgb TCapture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") outside the " + std::to_string(FWidth) + "x" +
                                std::to_string(FHeight) + " picture");
    const size_t at = (static_cast<size_t>(y) * FWidth + x) * BytesPerPixel;
    return {FPixels[at + 2], FPixels[at + 1], FPixels[at]};
}

int TCapture::Count(TRgb colour) const {
    int count = 0;
    for (size_t at = 0; at < FPixels.size(); at += BytesPerPixel)
        if (FPixels[at] == colour.B && FPixels[at + 1] == colour.G && FPixels[at + 2] == colour.R)
            ++count;
    return count;
}

void TCapture::SaveBmp(const std::string& fileName) const {
    const int stride = PaddedRowSize(FWidth);
    const DWORD imageSize = static_cast<DWORD>(stride) * FHeight;
    const DWORD headersSize = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

    std::vector<char> file;
    file.reserve(headersSize + imageSize);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42; // "BM"
    header.bfSize = headersSize + imageSize;
    header.bfOffBits = headersSize;
    Append(file, header);
    BITMAPINFOHEADER info = TopDownInfo(FWidth, FHeight).bmiHeader;
    info.biHeight = FHeight; // bottom-up, as every reader expects
    info.biSizeImage = imageSize;
    Append(file, info);
    for (int y = FHeight - 1; y >= 0; --y) {
        const auto* row = FPixels.data() + static_cast<size_t>(y) * FWidth * BytesPerPixel;
        file.insert(file.end(), row, row + FWidth * BytesPerPixel);
        file.insert(file.end(), static_cast<size_t>(stride - FWidth * BytesPerPixel), '\0');
    }

    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write the picture to \"" + fileName + "\"");
}

TCapture GrabWindow(HWND window, TCaptureArea area) {
    RequireWindow(window, "capture");
    const RECT wanted = ScreenArea(window, area);
    const int width = wanted.right - wanted.left;
    const int height = wanted.bottom - wanted.top;
    if (width <= 0 || height <= 0)
        throw std::runtime_error("cannot capture " + Describe(window) + ": its area is empty");
    // Wine copies only from the device context of a top-level window of
    // another process, so the area is cut out of its top-level window.
    HWND top = GetAncestor(window, GA_ROOT);
    RECT topRect;
    GetWindowRect(top, &topRect);
    TWindowDC source(top, true);
    if (!source.Get())
        throw std::runtime_error("cannot get the device context of " + Describe(top));
    TDibCanvas canvas(source.Get(), width, height);
    if (!BitBlt(canvas.DC(), 0, 0, width, height, source.Get(), wanted.left - topRect.left,
                wanted.top - topRect.top, SRCCOPY))
        throw std::runtime_error("cannot copy the pixels of " + Describe(window) + " (error " +
                                 std::to_string(GetLastError()) + ")");
    return canvas.Picture();
}

TCapture CaptureWindow(HWND window, TCaptureArea area, TDuration settle) {
    RequireWindow(window, "capture");
    if (!IsWindowVisible(window))
        throw std::runtime_error("cannot capture " + Describe(window) + ": it is hidden");
    HWND top = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(top);
    BringWindowToTop(top);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);

    // Painted means: no window of the top-level window has anything left to
    // paint, and its thread has answered a message since, so a paint begun
    // then has ended. A busy program is waited for, however long it takes.
    const auto deadline = std::chrono::steady_clock::now() + settle;
    WaitFor(
        [&] {
            if (!NothingToPaint(top))
                return false;
            const auto left = std::chrono::duration_cast<TDuration>(
                deadline - std::chrono::steady_clock::now());
            DWORD_PTR unused = 0;
            return SendMessageTimeoutA(top, WM_NULL, 0, 0, SMTO_NORMAL,
                                       static_cast<UINT>(std::max(left, 1ms).count()),
                                       &unused) != 0 &&
                   NothingToPaint(top);
        },
        settle, "the painting of " + Describe(window));

    // Wine hands a window's picture to the screen when its program next
    // waits for messages, just after the answer above: the picture is taken
    // once it is the same twice in a row.
    TCapture picture = GrabWindow(window, area);
    WaitFor(
        [&] {
            TCapture now = GrabWindow(window, area);
            std::swap(now, picture);
            return now == picture;
        },
        settle, "a steady picture of " + Describe(window));
    return picture;
}

TCapture CaptureWindowShowing(HWND window, const std::function<bool(const TCapture&)>& shows,
                              TDuration settle) {
    TCapture picture = CaptureWindow(window, TCaptureArea::Client, settle);
    WaitUntil(
        [&] {
            if (shows(picture))
                return true;
            picture = GrabWindow(window);
            return shows(picture);
        },
        settle);
    return picture;
}

TCapture Render(int width, int height, TRgb background, const std::function<void(HDC)>& paint) {
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("cannot render an empty picture");
    TWindowDC screen(nullptr, false);
    TDibCanvas canvas(screen.Get(), width, height);
    const RECT all{0, 0, width, height};
    TGdiObject brush(CreateSolidBrush(RGB(background.R, background.G, background.B)));
    FillRect(canvas.DC(), &all, static_cast<HBRUSH>(brush.Get()));
    paint(canvas.DC());
    return canvas.Picture();
}

} // namespace e2e
