#pragma once
// The image list: each item holds any number of images of one size side by
// side in one bitmap (the strip), with an optional monochrome mask strip of
// the same layout (white where the image is transparent, black where it is
// opaque; transparent image pixels are black).

#include "components/imagelists/kitimagelistbase.h"
#include "components/imagelists/kitimagerecord.h"
#include "platform/classes/List.h"

#include <memory>

// How DrawCell composes a masked image.
enum class TKitImageDrawStyle : std::uint8_t {
    idsShade75,     // over BackColor, then three pixels of four in DitherColor
    idsShade50,     // over BackColor, then a checkerboard in DitherColor
    idsNormal,      // over BackColor, or straight onto the canvas for clNone
    idsTransparent, // straight onto the canvas
};
using enum TKitImageDrawStyle;

// Whether DrawCell of a masked item copies the image or its mask.
enum class TKitImageDrawKind : std::uint8_t { idkImage, idkMask };
using enum TKitImageDrawKind;

class TKitImageListItem : public TKitListItem {
    TESSARO_CLASS(TKitImageListItem, TKitListItem)
public:
    explicit TKitImageListItem(TComponent* owner);
    ~TKitImageListItem() override;

    int Count() const { return FOffsets.Count(); }
    // Where the cells end in the strip, which may be wider as read.
    int UsedWidth() const { return Count() * FWidth; }
    // An image index outside 0 .. Count - 1 raises EListError.
    TRect CellRect(int n) const;
    // Bitmap resized to one cell and given image N (not its mask); nothing
    // for a null bitmap.
    void CopyCell(int n, TBitmap* bitmap);
    // The bottom-left pixel of image N.
    TColor CellTransparentColor(int n);
    // A pixel counted from image N's bottom-left pixel.
    TColor CellPixel(int n, const TPoint& point);
    void DrawCell(TCanvas& canvas, int x, int y, int n);
    void DrawCellExt(TCanvas& canvas, const TRect& dest, std::uint16_t flags, int n,
                     TRect& painted);
    void DrawCellClipped(TCanvas& canvas, const TRect& dest, std::uint16_t flags,
                         std::int32_t clipOffset, TColor colour, int n);

    // Drops all images, without notification.
    void ClearStrip();
    // Appends every image of Source. Another image size raises "Ungültige
    // Bildgröße", a strip beyond MaxStripWidth "Zu viele Bilder"
    // (EInvalidGraphicOperation), both before anything changes.
    void AddImages(TKitImageListItem& source);
    // The image part of the record: count, strip, mask strip.
    void ReadStrip(TStream& stream);
    // Cuts the strip to the images' width first.
    void WriteStrip(TStream& stream);

    std::int32_t AllocBy() const { return FAllocBy; }
    void SetAllocBy(std::int32_t value) { FAllocBy = value; }
    bool Masked() const { return FMasked; }
    // Keeps the images; the content of new mask cells is not defined.
    void SetMasked(bool value);
    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    // A value that is not positive or equals the current one is ignored;
    // otherwise all images are dropped.
    void SetWidth(std::int32_t value) { SetDimension(0, value); }
    void SetHeight(std::int32_t value) { SetDimension(1, value); }

    TKitSavePixelFormat SavePixelFormat() const { return FSavePixelFormat; }
    void SetSavePixelFormat(TKitSavePixelFormat value) { FSavePixelFormat = value; }
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value) { FBackColor = value; }
    TColor DitherColor() const { return FDitherColor; }
    void SetDitherColor(TColor value) { FDitherColor = value; }
    TKitImageDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TKitImageDrawStyle value) { FDrawStyle = value; }
    TKitImageDrawKind DrawKind() const { return FDrawKind; }
    void SetDrawKind(TKitImageDrawKind value) { FDrawKind = value; }

    TBitmap& Strip() const { return *FStrip; }
    TBitmap& MaskStrip() const { return *FMaskStrip; }

    // From another image item: its settings and images. Assigning an item to
    // itself changes nothing.
    void Assign(TPersistent* source) override;
    // "Bitmap" (read only: the strip part alone) and "Internal" (the record).
    void DefineProperties(TFiler& filer) override;

    void ClearData() override { ClearStrip(); }
    bool DataEmpty() override { return Count() == 0; }
    // A record whose sizes or count do not fit the data raises EReadError.
    void ReadItemData(TStream& stream) override;
    void WriteItemData(TStream& stream) override;
    std::uint8_t ItemFlags() override;

private:
    void SetDimension(int index, std::int32_t value);
    // Makes the strips from Data (read for the current Width, Height and
    // Masked) after ClearStrip; damaged data clears them again and raises.
    void LoadStrip(const TKitImageStripData& data);
    void RebuildOffsets(int count);
    void AddCellOffset();
    int Offset(int n) const;
    void DrawMasked(TCanvas& target, int x, int y, int n);
    void ApplyDither(TBitmap* bitmap, bool half);
    // The cell of image N composed over BackColor, dithered when asked.
    void DrawOnBackground(TCanvas& canvas, int x, int y, int n, bool dither, bool half);

    std::int32_t FAllocBy = 4;
    std::int32_t FHeight = 16;
    std::int32_t FWidth = 16;
    TKitSavePixelFormat FSavePixelFormat = spfDefault;
    TColor FBackColor;
    TColor FDitherColor;
    TKitImageDrawStyle FDrawStyle = idsNormal;
    std::unique_ptr<TBitmap> FStrip;
    std::unique_ptr<TBitmap> FMaskStrip;
    TList FOffsets;
    TKitImageDrawKind FDrawKind = idkImage;
    bool FMasked = false;
};

class TKitImageList : public TKitCustomImageList {
    TESSARO_CLASS(TKitImageList, TKitCustomImageList)
public:
    explicit TKitImageList(TComponent* owner);

    TKitImageListItem* ImageItems(int index) const;

    // Only ListIndex at or beyond Count is answered without touching the
    // list; a negative one raises EListError.
    TCanvas* GetItemCanvas(int ListIndex) override;
    void GetImageRect(int ListIndex, int ImageIndex, TRect& Rect) override;
    int GetItemDimension(int ListIndex, std::uint8_t Which) override;
    // -1 for a ListIndex at or beyond Count.
    int GetImageCount(int ListIndex) override;
    bool IsValidImage(int ListIndex, int ImageIndex) override;
    void GetImage(int ListIndex, int ImageIndex, TBitmap* Dest) override;
    bool IsMasked(int ListIndex) override;
    HPALETTE GetItemPalette(int ListIndex) override;
    TColor GetTransparentColor(int ListIndex, int ImageIndex) override;
    TColor GetImagePixel(const TPoint& Point, int ListIndex, int ImageIndex) override;
    void DrawImage(TCanvas& Canvas, int X, int Y, int ListIndex, int ImageIndex) override;
    void DrawImageRect(TCanvas& Canvas, const TRect& Rect, std::uint16_t Flags, int ListIndex,
                       int ImageIndex, TRect& Painted) override;
    void DrawImageOffset(TCanvas& Canvas, const TRect& Rect, std::uint16_t Flags,
                         std::int32_t Offset, TColor Colour, int ListIndex,
                         int ImageIndex) override;

private:
    bool OutOfRange(int ListIndex) const { return ListIndex >= Count(); }
};

