#pragma once
// The abstract image list: the thirteen operations through which the kit's
// controls reach the images of any image list by list index (the item) and
// image index (the image inside the item), and the pixel formats in which
// list items store their bitmaps.

#include "components/data/kitlistbase.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <cstdint>
#include <windows.h>

// Colour depth in which an item's bitmap is stored: its own stream form, or
// 2, 16 or 256 colours.
enum class TKitSavePixelFormat : std::uint8_t { spfDefault, spfMono, spf4bit, spf8bit };
using enum TKitSavePixelFormat;

// The item-record flag bits of the save formats.
inline constexpr std::uint8_t ItemFlagMono = 0x10;
inline constexpr std::uint8_t ItemFlag4Bit = 0x20;
inline constexpr std::uint8_t ItemFlag8Bit = 0x40;

// The colour count WriteBitmap takes for Format (-1: own stream form).
int SavePixelFormatColours(TKitSavePixelFormat format);
// The record flag of Format (0 for spfDefault).
std::uint8_t SavePixelFormatFlag(TKitSavePixelFormat format);
// The format a record's flags name; the first of mono, 4 and 8 bits wins.
TKitSavePixelFormat SavePixelFormatFromFlags(std::uint8_t flags);

// Holds a list item between BeginUpdate and EndUpdate without notification
// for the scope, also when an error passes.
class TKitSilentUpdate {
public:
    explicit TKitSilentUpdate(TKitComponent& item) : FItem(item) { FItem.BeginUpdate(); }
    ~TKitSilentUpdate() { FItem.EndUpdate(false); }
    TKitSilentUpdate(const TKitSilentUpdate&) = delete;
    TKitSilentUpdate& operator=(const TKitSilentUpdate&) = delete;

private:
    TKitComponent& FItem;
};

class TKitCustomImageList : public TKitCustomContainer {
    TESSARO_CLASS(TKitCustomImageList, TKitCustomContainer)
public:
    using TKitCustomContainer::TKitCustomContainer;

    TKitSavePixelFormat DefaultPixelFormat() const { return FDefaultPixelFormat; }
    void SetDefaultPixelFormat(TKitSavePixelFormat value) { FDefaultPixelFormat = value; }

    virtual TCanvas* GetItemCanvas(int ListIndex) = 0;
    virtual void GetImageRect(int ListIndex, int ImageIndex, TRect& Rect) = 0;
    // Which 0: image width, 1: image height.
    virtual int GetItemDimension(int ListIndex, std::uint8_t Which) = 0;
    virtual int GetImageCount(int ListIndex) = 0;
    virtual bool IsValidImage(int ListIndex, int ImageIndex) = 0;
    // Copies one image into Dest; nothing when Dest is null.
    virtual void GetImage(int ListIndex, int ImageIndex, TBitmap* Dest) = 0;
    virtual bool IsMasked(int ListIndex) = 0;
    virtual HPALETTE GetItemPalette(int ListIndex) = 0;
    virtual TColor GetTransparentColor(int ListIndex, int ImageIndex) = 0;
    virtual TColor GetImagePixel(const TPoint& Point, int ListIndex, int ImageIndex) = 0;
    virtual void DrawImage(TCanvas& Canvas, int X, int Y, int ListIndex, int ImageIndex) = 0;
    virtual void DrawImageRect(TCanvas& Canvas, const TRect& Rect, std::uint16_t Flags,
                               int ListIndex, int ImageIndex, TRect& Painted) = 0;
    // Offset: clip offset, x in the low and y in the high 16 bits.
    virtual void DrawImageOffset(TCanvas& Canvas, const TRect& Rect, std::uint16_t Flags,
                                 std::int32_t Offset, TColor Colour, int ListIndex,
                                 int ImageIndex) = 0;

protected:
    // Assign copies DefaultPixelFormat with DefaultCompressed.
    void AssignSettings(const TKitCustomContainer& source) override;

private:
    TKitSavePixelFormat FDefaultPixelFormat = spfDefault;
};
