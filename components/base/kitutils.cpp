#include "components/base/kitutils.h"

#include "platform/rtl/FilePaths.h"

#include <algorithm>
#include <cmath>
#include <windows.h>

namespace {

unsigned QueryWindowsDir(char* buffer, unsigned size) {
    return ::GetWindowsDirectoryA(buffer, size);
}
unsigned QuerySystemDir(char* buffer, unsigned size) {
    return ::GetSystemDirectoryA(buffer, size);
}

// Rounds half to even, as the rotation's corner coordinates require.
int RoundEven(long double value) {
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

std::string QueryDirectory(TKitDirectoryQuery query) {
    char buffer[MAX_PATH] = {};
    const unsigned length = query(buffer, MAX_PATH);
    // A folder longer than the buffer comes back as the size it needs,
    // with nothing written: there is no folder to give.
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::string(buffer, length);
}

std::string WindowsDir() {
    return QueryDirectory(&QueryWindowsDir);
}

std::string SystemDir() {
    return QueryDirectory(&QuerySystemDir);
}

std::string ProgramFileName() {
    // Paths beyond MAX_PATH exist (long-path prefixes), so grow until it fits.
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramDir() {
    return ExtractFilePath(ProgramFileName());
}

std::string GetPrefixPath(TKitPathPrefix prefix, bool withBackslash) {
    std::string path;
    switch (prefix) {
    case ppWindows:
        path = WindowsDir();
        break;
    case ppSystem:
        path = SystemDir();
        break;
    case ppProgram:
        path = ProgramDir();
        break;
    case ppFixed:
        return {};
    }
    return withBackslash ? AddBackslash(path) : RemoveBackslash(path);
}

bool IsBlank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

// A blank string never ends in a backslash, so the platform's rules are the
// kit's: an empty or blank string gets one, and only one is taken away.
std::string AddBackslash(const std::string& s) {
    return IncludeTrailingBackslash(s);
}

std::string RemoveBackslash(const std::string& s) {
    return ExcludeTrailingBackslash(s);
}

std::int32_t MaxIntOf(std::span<const std::int32_t> values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

std::int32_t MinIntOf(std::span<const std::int32_t> values) {
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

long double MinFloatOf(std::span<const long double> values) {
    return values.empty() ? 0.0L : *std::min_element(values.begin(), values.end());
}

TKitRectSize RectSize(const TRect& r) {
    return {r.right - r.left, r.bottom - r.top};
}

TRect FitRect(const TRect& source, const TRect& dest) {
    const TKitRectSize src = RectSize(source);
    const TKitRectSize dst = RectSize(dest);
    if (src.Width == 0 || src.Height == 0)
        return {dest.left, dest.top, dest.left, dest.top};
    const long double sx = static_cast<long double>(dst.Width) / src.Width;
    const long double sy = static_cast<long double>(dst.Height) / src.Height;
    const long double scale = std::min(sx, sy);
    const auto width = static_cast<LONG>(std::trunc(src.Width * scale));
    const auto height = static_cast<LONG>(std::trunc(src.Height * scale));
    return {dest.left, dest.top, dest.left + width, dest.top + height};
}

void RotatedRectBounds(TRect& r, int angle) {
    if (angle == 0)
        return;
    constexpr long double pi = 3.141592653589793238462643383279502884L;
    const long double radians = angle * pi / 180.0L;
    const long double s = std::sin(radians);
    const long double c = std::cos(radians);
    const int hw = (r.right - r.left) / 2;
    const int hh = (r.bottom - r.top) / 2;
    const int cx = r.left + hw;
    const int cy = r.top + hh;
    const int a = RoundEven(hw * c - hh * s);
    const int b = RoundEven(hw * c + hh * s);
    const int d = RoundEven(hw * s - hh * c);
    const int e = RoundEven(hw * s + hh * c);
    const int xs[] = {cx - a, cx - b, cx + b, cx + a};
    const int ys[] = {cy + d, cy + e, cy - e, cy - d};
    const int left = *std::min_element(std::begin(xs), std::end(xs));
    const int right = *std::max_element(std::begin(xs), std::end(xs));
    const int top = *std::min_element(std::begin(ys), std::end(ys));
    const int bottom = *std::max_element(std::begin(ys), std::end(ys));
    r = {0, 0, right - left, bottom - top};
}
