#include "components/base/kitutils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <windows.h>

namespace {

bool SameRect(const TRect& a, const TRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const TRect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

#define EXPECT_RECT(actual, l, t, r, b)                                                            \
    EXPECT_TRUE(SameRect((actual), TRect{l, t, r, b})) << Describe(actual)

} // namespace

TEST(KitUtilsPaths, FixedPrefixIsAlwaysEmpty) {
    EXPECT_EQ(GetPrefixPath(ppFixed, true), "");
    EXPECT_EQ(GetPrefixPath(ppFixed, false), "");
}

TEST(KitUtilsPaths, ProgramPrefixWithAndWithoutBackslash) {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length);
    const std::string folder = program.substr(0, program.rfind('\\') + 1);
    EXPECT_EQ(ProgramDir(), folder);
    EXPECT_EQ(GetPrefixPath(ppProgram, true), folder);
    EXPECT_EQ(GetPrefixPath(ppProgram, false), folder.substr(0, folder.size() - 1));
    EXPECT_EQ(ProgramFileName(), program);
}

TEST(KitUtilsPaths, WindowsAndSystemFoldersComeFromWindows) {
    char buffer[MAX_PATH];
    const UINT windowsLength = ::GetWindowsDirectoryA(buffer, MAX_PATH);
    EXPECT_EQ(WindowsDir(), std::string(buffer, windowsLength));
    const UINT systemLength = ::GetSystemDirectoryA(buffer, MAX_PATH);
    EXPECT_EQ(SystemDir(), std::string(buffer, systemLength));
    EXPECT_EQ(GetPrefixPath(ppWindows, true), WindowsDir() + "\\");
    EXPECT_EQ(GetPrefixPath(ppSystem, false), SystemDir());
}

TEST(KitUtilsPaths, FolderLongerThanTheBufferGivesNothing) {
    // Windows answers with the size it needs and writes nothing.
    auto tooLong = [](char* /*buffer*/, unsigned size) { return size + 40; };
    EXPECT_EQ(QueryDirectory(tooLong), "");
    auto exactlyFull = [](char* buffer, unsigned size) {
        std::memset(buffer, 'x', size);
        return size;
    };
    EXPECT_EQ(QueryDirectory(exactlyFull), "");
    auto failing = [](char* /*buffer*/, unsigned) { return 0u; };
    EXPECT_EQ(QueryDirectory(failing), "");
    auto longest = [](char* buffer, unsigned size) {
        std::memset(buffer, 'y', size - 1);
        buffer[size - 1] = '\0';
        return size - 1;
    };
    EXPECT_EQ(QueryDirectory(longest), std::string(MAX_PATH - 1, 'y'));
}

TEST(KitUtilsStrings, AddBackslash) {
    EXPECT_EQ(AddBackslash("C:\\Daten\\"), "C:\\Daten\\");
    EXPECT_EQ(AddBackslash("C:\\Daten"), "C:\\Daten\\");
    EXPECT_EQ(AddBackslash(""), "\\");
    EXPECT_EQ(AddBackslash("   "), "   \\");
}

TEST(KitUtilsStrings, RemoveBackslashTakesOneOnly) {
    EXPECT_EQ(RemoveBackslash("C:\\Daten\\"), "C:\\Daten");
    EXPECT_EQ(RemoveBackslash("C:\\Daten\\\\"), "C:\\Daten\\");
    EXPECT_EQ(RemoveBackslash("C:\\Daten"), "C:\\Daten");
    EXPECT_EQ(RemoveBackslash(""), "");
    EXPECT_EQ(RemoveBackslash("\\"), "");
    EXPECT_EQ(RemoveBackslash("  "), "  ");
}

TEST(KitUtilsStrings, OnlySpacesAreBlank) {
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank("\t"));
    EXPECT_FALSE(IsBlank(" x "));
    EXPECT_FALSE(IsBlank(std::string(1, '\0')));
}

TEST(KitUtilsArrays, MinimumAndMaximum) {
    const std::int32_t values[] = {3, -7, INT32_MAX, 0, INT32_MIN, 12};
    EXPECT_EQ(MaxIntOf(values), INT32_MAX);
    EXPECT_EQ(MinIntOf(values), INT32_MIN);
    const std::int32_t single[] = {-4};
    EXPECT_EQ(MaxIntOf(single), -4);
    EXPECT_EQ(MinIntOf(single), -4);
    const long double floats[] = {2.5L, -0.25L, 1e300L};
    EXPECT_EQ(MinFloatOf(floats), -0.25L);
}

TEST(KitUtilsArrays, EmptyArraysGiveZero) {
    EXPECT_EQ(MaxIntOf({}), 0);
    EXPECT_EQ(MinIntOf({}), 0);
    EXPECT_EQ(MinFloatOf({}), 0.0L);
}

TEST(KitUtilsRects, RectSize) {
    const TKitRectSize size = RectSize(TRect{10, 20, 60, 25});
    EXPECT_EQ(size.Width, 50);
    EXPECT_EQ(size.Height, 5);
    const TKitRectSize flipped = RectSize(TRect{10, 20, 4, 0});
    EXPECT_EQ(flipped.Width, -6);
    EXPECT_EQ(flipped.Height, -20);
}

TEST(KitUtilsRects, FitRectKeepsProportionsAtTheTopLeft) {
    EXPECT_RECT(FitRect({0, 0, 100, 50}, {10, 20, 60, 70}), 10, 20, 60, 45);
    EXPECT_RECT(FitRect({0, 0, 50, 100}, {10, 20, 60, 70}), 10, 20, 35, 70);
    // Enlarging works the same way; sizes are truncated, not rounded.
    EXPECT_RECT(FitRect({5, 5, 13, 8}, {0, 0, 20, 20}), 0, 0, 20, 7);
    EXPECT_RECT(FitRect({0, 0, 4, 4}, {-10, -10, 0, 20}), -10, -10, 0, 0);
}

TEST(KitUtilsRects, FitRectOfAnEmptySourceIsEmptyAtTheCorner) {
    EXPECT_RECT(FitRect({0, 0, 0, 50}, {10, 20, 60, 70}), 10, 20, 10, 20);
    EXPECT_RECT(FitRect({4, 4, 40, 4}, {10, 20, 60, 70}), 10, 20, 10, 20);
    EXPECT_RECT(FitRect({0, 0, 0, 0}, {0, 0, 0, 0}), 0, 0, 0, 0);
}

TEST(KitUtilsRects, FitRectIntoAnEmptyDestination) {
    EXPECT_RECT(FitRect({0, 0, 10, 10}, {7, 8, 7, 30}), 7, 8, 7, 8);
}

TEST(KitUtilsRects, RotationByZeroLeavesAnyRectangle) {
    TRect r{5, 6, 40, 90};
    RotatedRectBounds(r, 0);
    EXPECT_RECT(r, 5, 6, 40, 90);
}

TEST(KitUtilsRects, RotationByRightAngles) {
    TRect r{0, 0, 100, 20};
    RotatedRectBounds(r, 90);
    EXPECT_RECT(r, 0, 0, 20, 100);
    TRect s{5, 5, 105, 25};
    RotatedRectBounds(s, 180);
    EXPECT_RECT(s, 0, 0, 100, 20);
    TRect t{0, 0, 100, 20};
    RotatedRectBounds(t, -90);
    EXPECT_RECT(t, 0, 0, 20, 100);
    TRect u{0, 0, 100, 20};
    RotatedRectBounds(u, 360);
    EXPECT_RECT(u, 0, 0, 100, 20);
}

TEST(KitUtilsRects, RotationByFortyFiveDegrees) {
    // hw = hh = 10: a = 0, b = round(14.142) = 14, so the bounds are 28 wide.
    TRect r{0, 0, 20, 20};
    RotatedRectBounds(r, 45);
    EXPECT_RECT(r, 0, 0, 28, 28);
    // Odd sizes lose their odd pixel in the halving.
    TRect s{0, 0, 21, 21};
    RotatedRectBounds(s, 45);
    EXPECT_RECT(s, 0, 0, 28, 28);
}

TEST(KitUtilsRects, RotationByOtherAngles) {
    // hw = 10, hh = 0: a = b = round(5.0) = 5, d = e = round(8.66) = 9.
    TRect r{0, 0, 20, 0};
    RotatedRectBounds(r, 60);
    EXPECT_RECT(r, 0, 0, 10, 18);
    // hw = 50, hh = 10 at 30 degrees: a = round(38.30) = 38, b = round(48.30) = 48,
    // d = round(16.34) = 16, e = round(33.66) = 34.
    TRect s{7, 7, 107, 27};
    RotatedRectBounds(s, 30);
    EXPECT_RECT(s, 0, 0, 96, 68);
}
