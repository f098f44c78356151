#pragma once
// Small stateless helpers the kit's units share: folders named by a path
// prefix, backslash and blank-string helpers, minimum and maximum of
// arrays, and two rectangle computations for the drawing routines.

#include "components/base/kitpathprefix.h"
#include "platform/graphics/Canvas.h"

#include <cstdint>
#include <span>
#include <string>


// The folder for Prefix (empty for ppFixed), with or without a trailing
// backslash.
std::string GetPrefixPath(TKitPathPrefix prefix, bool withBackslash);
std::string WindowsDir();
// Runs a directory query of the GetWindowsDirectoryA kind with a buffer of
// MAX_PATH characters; empty when it fails or the folder does not fit.
using TKitDirectoryQuery = unsigned (*)(char* buffer, unsigned size);
std::string QueryDirectory(TKitDirectoryQuery query);
std::string SystemDir();
// The program file's folder, ending in a backslash.
std::string ProgramDir();
// The program file's full path.
std::string ProgramFileName();

// S with a trailing backslash (a blank S always gets one).
std::string AddBackslash(const std::string& s);
// S without one trailing backslash; a blank S stays as it is.
std::string RemoveBackslash(const std::string& s);
// Empty or only spaces (tabs do not count as blank).
bool IsBlank(const std::string& s);

// Largest or smallest element; an empty array gives 0.
std::int32_t MaxIntOf(std::span<const std::int32_t> values);
std::int32_t MinIntOf(std::span<const std::int32_t> values);
long double MinFloatOf(std::span<const long double> values);

struct TKitRectSize {
    int Width;
    int Height;
};
TKitRectSize RectSize(const TRect& r);
// A rectangle of Source's proportions inside Dest, anchored at Dest's
// top-left corner; an empty Source gives an empty rectangle there.
TRect FitRect(const TRect& source, const TRect& dest);
// Replaces R by the bounds of its image rotated by Angle degrees, moved to
// the origin; Angle 0 leaves R untouched.
void RotatedRectBounds(TRect& r, int angle);
