#pragma once
// Bitmaps with a distinct colour per pixel, comparison pixel by pixel, and
// the form-resource and temporary-file plumbing the list tests share.

#include "platform/classes/Stream.h"
#include "platform/graphics/Bitmap.h"
#include "tests/support/FormBytes.h"
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TComponent;

// A 24-bit bitmap whose pixel (x, y) has the colour PatternColor(x, y, Seed).
std::unique_ptr<TBitmap> PatternBitmap(int width, int height, int seed = 0);
TColor PatternColor(int x, int y, int seed);
// A 24-bit bitmap of black and white pixels (survives every colour depth).
std::unique_ptr<TBitmap> BlackWhiteBitmap(int width, int height);
// Fills Bitmap with one colour.
void FillWith(TBitmap& bitmap, TColor color);

bool SamePixels(TBitmap& a, TBitmap& b);

// A binary form as text, and text as a binary form.
std::string FormText(const std::vector<std::uint8_t>& form);
std::vector<std::uint8_t> FormFromText(const std::string& text);

std::string HexOf(const std::vector<std::uint8_t>& bytes);

void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes);

// The bytes of a memory stream from position From on.
std::vector<std::uint8_t> BytesOf(const TMemoryStream& stream, std::int64_t from = 0);

class TKitImageListItem;

// Gives Item Count images of its size read through its strip reader: image
// n is PatternBitmap's pattern with seed Seed + n; a masked item gets a mask
// that is white (transparent) in the left half of every cell, and the image
// black there.
void FillImageItem(TKitImageListItem& item, int count, int seed = 0);
// The colour FillImageItem gives pixel (x, y) of image n of a Width-wide item.
TColor ImagePixel(const TKitImageListItem& item, int n, int x, int y, int seed = 0);
