#pragma once
// The bitmap list: one whole bitmap per item. An item whose bitmap is empty
// fetches it on first read from the source its list names: a bitmap list
// file, a bitmap resource of the program, or a BMP file.

#include "components/imagelists/kitimagelistbase.h"

#include <memory>
#include <string>

class TKitBitmapListItem : public TKitListItem {
    TESSARO_CLASS(TKitBitmapListItem, TKitListItem)
public:
    explicit TKitBitmapListItem(TComponent* owner);
    ~TKitBitmapListItem() override;

    // Runs the lazy fetch, then gives the item's own bitmap.
    TBitmap* Bitmap();
    // The item's bitmap copies Value.
    void SetBitmap(TBitmap* value);
    // The bitmap as it stands, without fetching.
    TBitmap& StoredBitmap() const { return *FBitmap; }

    TKitSavePixelFormat SavePixelFormat() const { return FSavePixelFormat; }
    void SetSavePixelFormat(TKitSavePixelFormat value) { FSavePixelFormat = value; }

    // From another bitmap item: header, bitmap (fetched first) and format.
    void Assign(TPersistent* source) override;
    // "Internal": the item's record.
    void DefineProperties(TFiler& filer) override;

    void ClearData() override;
    bool DataEmpty() override;
    void ReadItemData(TStream& stream) override;
    void WriteItemData(TStream& stream) override;
    std::uint8_t ItemFlags() override;

private:
    void FetchBitmap();
    void FetchFromSource(const TKitCustomContainer& list);

    std::unique_ptr<TBitmap> FBitmap;
    TKitSavePixelFormat FSavePixelFormat = spfDefault;
};

class TKitBitmapList : public TKitCustomImageList {
    TESSARO_CLASS(TKitBitmapList, TKitCustomImageList)
public:
    explicit TKitBitmapList(TComponent* owner);

    TKitBitmapListItem* BitmapItems(int index) const;

    // One image per item; ImageIndex is ignored. Only ListIndex at or beyond
    // Count is answered without touching the list; any other index outside
    // it raises EListError.
    TCanvas* GetItemCanvas(int ListIndex) override;
    void GetImageRect(int ListIndex, int ImageIndex, TRect& Rect) override;
    int GetItemDimension(int ListIndex, std::uint8_t Which) override;
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
    TBitmap& ItemBitmap(int ListIndex);
};

// Whether LibraryName loads. The library is mapped as data only, so none of
// its code runs; Ident and Bitmap are not used.
bool LoadLibraryBitmap(const std::string& LibraryName, std::uint16_t Ident, TBitmap& Bitmap);

// Copies the bitmap of item Index of a bitmap list file into Bitmap; the
// list-file errors pass out. True when the item was read.
bool LoadBitmapFromListFile(const std::string& FileName, int Index, TBitmap& Bitmap);

// The BMP file an skFile item with Ident reads: the folder, the first three
// characters of SourceFile's name part, Ident, ".bmp".
std::string BitmapSourceFileName(TKitPathPrefix Prefix, const std::string& SourceFile,
                                 std::uint16_t Ident);

