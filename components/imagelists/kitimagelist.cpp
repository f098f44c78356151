#include "components/imagelists/kitimagelist.h"

#include "components/drawing/kitbitmap.h"
#include "components/imagelists/kitbitmaplist.h"
#include "components/imagelists/kititembitmap.h"
#include "components/codec/kititemstream.h"
#include "components/codec/kitlistfile.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"

#include <cstdint>

namespace {

constexpr TCopyMode CopyModeAnd = 0x8800C6;   // SRCAND
constexpr TCopyMode CopyModePaint = 0xEE0086; // SRCPAINT
constexpr TColor PaletteRelative = 0x02000000;
constexpr int MaskColours = 2;

} // namespace


// ---------------------------------------------------------------------------

const TClassInfo& TKitImageListItem::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKitImageListItem>("TKitImageListItem", [](TPropertyTable& t) {
            TPropertyBuilder<TKitImageListItem> p(t);
            p.Integer("AllocBy", &TKitImageListItem::AllocBy, &TKitImageListItem::SetAllocBy, 4);
            p.String("Description", &TKitImageListItem::Description,
                     &TKitImageListItem::SetDescription);
            p.Boolean("Masked", &TKitImageListItem::Masked, &TKitImageListItem::SetMasked, false);
            p.Integer("Height", &TKitImageListItem::Height, &TKitImageListItem::SetHeight, 16);
            p.Integer("Width", &TKitImageListItem::Width, &TKitImageListItem::SetWidth, 16);
        });
    return info;
}

TKitImageListItem::TKitImageListItem(TComponent* owner)
    : TKitListItem(owner), FBackColor(clNone), FDitherColor(clNone),
      FStrip(std::make_unique<TBitmap>()), FMaskStrip(std::make_unique<TBitmap>()) {
    FStrip->SetHeight(FHeight);
    FMaskStrip->SetHeight(FHeight);
}

TKitImageListItem::~TKitImageListItem() = default;

int TKitImageListItem::Offset(int n) const {
    return static_cast<std::int16_t>(reinterpret_cast<std::intptr_t>(FOffsets.Get(n)));
}

void TKitImageListItem::RebuildOffsets(int count) {
    FOffsets.Clear();
    FOffsets.SetCapacity(count);
    for (int n = 0; n < count; ++n)
        AddCellOffset();
}

void TKitImageListItem::AddCellOffset() {
    // The next cell's left edge, kept as the 16-bit value the strip's cells have.
    const auto left = static_cast<std::int16_t>(FOffsets.Count() * FWidth);
    FOffsets.Add(reinterpret_cast<void*>(static_cast<std::intptr_t>(left)));
}

TRect TKitImageListItem::CellRect(int n) const {
    const int left = Offset(n);
    return TRect{left, 0, left + FWidth, FHeight};
}

void TKitImageListItem::CopyCell(int n, TBitmap* bitmap) {
    if (bitmap == nullptr)
        return;
    const TRect cell = CellRect(n);
    bitmap->SetSize(FWidth, FHeight);
    bitmap->Canvas()->CopyRect(TRect{0, 0, FWidth, FHeight}, *FStrip->Canvas(), cell);
}

TColor TKitImageListItem::CellTransparentColor(int n) {
    return FStrip->Canvas()->Pixels(Offset(n), FHeight - 1);
}

TColor TKitImageListItem::CellPixel(int n, const TPoint& point) {
    return FStrip->Canvas()->Pixels(Offset(n) + point.x, FHeight - 1 + point.y);
}

void TKitImageListItem::DrawMasked(TCanvas& target, int x, int y, int n) {
    const TRect cell = CellRect(n);
    const TRect dest{x, y, x + FWidth, y + FHeight};
    // The mask is monochrome: its copy takes the target's text and background
    // colours unless they are pinned.
    const TKitMaskColors colors(target);
    target.SetCopyMode(CopyModeAnd);
    target.CopyRect(dest, *FMaskStrip->Canvas(), cell);
    target.SetCopyMode(CopyModePaint);
    target.CopyRect(dest, *FStrip->Canvas(), cell);
}

void TKitImageListItem::ApplyDither(TBitmap* bitmap, bool half) {
    if (bitmap == nullptr || bitmap->Empty() || FDitherColor == clNone)
        return;
    TCanvas& canvas = *bitmap->Canvas();
    for (int y = 0; y < bitmap->Height(); ++y) {
        for (int x = 0; x < bitmap->Width(); ++x) {
            const bool xEven = x % 2 == 0;
            const bool yEven = y % 2 == 0;
            if (half ? xEven != yEven : xEven || yEven)
                canvas.SetPixels(x, y, FDitherColor);
        }
    }
}

void TKitImageListItem::DrawOnBackground(TCanvas& canvas, int x, int y, int n, bool dither,
                                         bool half) {
    TBitmap cellImage;
    // clNone would fill with no defined colour; white stands in for it.
    FillBitmap(&cellImage, TRect{0, 0, FWidth, FHeight},
               FBackColor == clNone ? TColor(0xFFFFFF) : FBackColor);
    DrawMasked(*cellImage.Canvas(), 0, 0, n);
    if (dither)
        ApplyDither(&cellImage, half);
    canvas.CopyRect(TRect{x, y, x + FWidth, y + FHeight}, *cellImage.Canvas(),
                    TRect{0, 0, FWidth, FHeight});
}

void TKitImageListItem::DrawCell(TCanvas& canvas, int x, int y, int n) {
    // Checks N before any temporary cell is made.
    const TRect cell = CellRect(n);
    const TRect dest{x, y, x + FWidth, y + FHeight};
    if (!FMasked) {
        canvas.CopyRect(dest, *FStrip->Canvas(), cell);
        return;
    }
    if (FDrawKind == idkMask) {
        const TKitMaskColors colors(canvas);
        canvas.CopyRect(dest, *FMaskStrip->Canvas(), cell);
        return;
    }
    switch (FDrawStyle) {
    case idsShade75:
        DrawOnBackground(canvas, x, y, n, true, false);
        break;
    case idsShade50:
        DrawOnBackground(canvas, x, y, n, true, true);
        break;
    case idsNormal:
        if (FBackColor == clNone)
            DrawMasked(canvas, x, y, n);
        else
            DrawOnBackground(canvas, x, y, n, false, false);
        break;
    case idsTransparent:
        DrawMasked(canvas, x, y, n);
        break;
    }
}

void TKitImageListItem::DrawCellExt(TCanvas& canvas, const TRect& dest, std::uint16_t flags, int n,
                                    TRect& painted) {
    painted = TRect{};
    const TRect cell = CellRect(n);
    if (FMasked) {
        DrawBitmapCore(canvas, dest, FStrip->Canvas(), cell, flags | kdMasked, 0, nullptr,
                       FMaskStrip->Canvas(), painted);
    } else {
        DrawBitmapCore(canvas, dest, FStrip->Canvas(), cell, flags,
                       CellTransparentColor(n) | PaletteRelative, nullptr, nullptr, painted);
    }
}

void TKitImageListItem::DrawCellClipped(TCanvas& canvas, const TRect& dest, std::uint16_t flags,
                                        std::int32_t clipOffset, TColor colour, int n) {
    const TRect cell = CellRect(n);
    if (FMasked) {
        DrawCanvasImage(canvas, dest, FStrip->Canvas(), cell, flags | kdMasked, clipOffset, 0,
                        FMaskStrip->Canvas());
    } else {
        DrawCanvasImage(canvas, dest, FStrip->Canvas(), cell, flags, clipOffset, colour, nullptr);
    }
}

void TKitImageListItem::ClearStrip() {
    const TKitSilentUpdate update(*this);
    FStrip->SetSize(0, FHeight);
    FStrip->SetMonochrome(false);
    if (FMasked) {
        FMaskStrip->SetSize(0, FHeight);
        FMaskStrip->SetMonochrome(true);
    } else {
        FMaskStrip->SetWidth(0);
    }
    FOffsets.Clear();
}

void TKitImageListItem::AddImages(TKitImageListItem& source) {
    if (source.FWidth != FWidth || source.FHeight != FHeight)
        RaiseGraphicOperationError("Ungültige Bildgröße");
    const int count = source.Count();
    if (count == 0)
        return;
    const int usedWidth = UsedWidth();
    const std::int64_t newWidth = std::int64_t{count} * FWidth + usedWidth;
    if (newWidth > MaxStripWidth)
        RaiseGraphicOperationError("Zu viele Bilder");
    const int width = static_cast<int>(newWidth);
    const TRect sourceCells{0, 0, count * FWidth, FHeight};
    const TRect dest{usedWidth, 0, width, FHeight};
    BeginUpdate();
    try {
        // A strip read wider than its cells may have a mask only as wide as
        // the cells: each grows on its own.
        if (FStrip->Width() < width)
            FStrip->SetWidth(width);
        if (FMasked && FMaskStrip->Width() < width)
            FMaskStrip->SetWidth(width);
        FStrip->Canvas()->CopyRect(dest, *source.FStrip->Canvas(), sourceCells);
        if (FMasked && source.FMasked)
            FMaskStrip->Canvas()->CopyRect(dest, *source.FMaskStrip->Canvas(), sourceCells);
        for (int i = 0; i < count; ++i)
            AddCellOffset();
    } catch (...) {
        EndUpdate(false);
        throw;
    }
    EndUpdate(true);
}

void TKitImageListItem::SetDimension(int index, std::int32_t value) {
    std::int32_t& field = index == 0 ? FWidth : FHeight;
    if (value <= 0 || value == field)
        return;
    field = value;
    ClearStrip();
    Change();
}

void TKitImageListItem::SetMasked(bool value) {
    if (value == FMasked)
        return;
    if (value) {
        FMaskStrip->SetSize(FStrip->Width(), FHeight);
        FMaskStrip->SetMonochrome(true);
    } else {
        FMaskStrip->SetWidth(0);
    }
    RebuildOffsets(Count());
    FMasked = value;
    Change();
}

void TKitImageListItem::WriteStrip(TStream& stream) {
    const int count = Count();
    WriteInt32(stream, count);
    if (count <= 0)
        return;
    FStrip->SetWidth(UsedWidth());
    WriteBitmap(stream, *FStrip, Compressed(), SavePixelFormatColours(FSavePixelFormat));
    if (FMasked) {
        FMaskStrip->SetWidth(UsedWidth());
        WriteBitmap(stream, *FMaskStrip, Compressed(), MaskColours);
    }
}

void TKitImageListItem::ReadStrip(TStream& stream) {
    ClearStrip();
    TKitImageStripData data;
    ReadImageStripData(stream, Compressed(), FMasked, data);
    LoadStrip(data);
}

void TKitImageListItem::LoadStrip(const TKitImageStripData& data) {
    if (data.Count <= 0)
        return;
    // Every cell must lie in the strip and the mask read and be reachable by
    // a 16-bit offset, and the mask must be one; checked before a bitmap is
    // made. So no cell operation can ask for more memory than the strip
    // holds.
    const TKitImageStripImages images = MakeImageStrip(data, FWidth, FHeight, FMasked);
    try {
        FStrip->LoadFromFileImage(images.Strip);
        if (FMasked)
            FMaskStrip->LoadFromFileImage(images.Mask);
        else
            FMaskStrip->SetWidth(0);
    } catch (...) {
        ClearStrip();
        throw;
    }
    // A strip wider than its cells is kept as read, but the cells end at
    // Count x Width (UsedWidth): an image appended later goes where its
    // offset says.
    RebuildOffsets(data.Count);
}

std::uint8_t TKitImageListItem::ItemFlags() {
    return TKitListItem::ItemFlags() | SavePixelFormatFlag(FSavePixelFormat);
}

void TKitImageListItem::WriteItemData(TStream& stream) {
    WriteHeader(stream);
    WriteInt32(stream, FHeight);
    WriteInt32(stream, FWidth);
    WriteInt32(stream, FAllocBy);
    WriteByte(stream, FMasked ? 1 : 0);
    WriteStrip(stream);
}

void TKitImageListItem::ReadItemData(TStream& stream) {
    TKitImageRecord record;
    ReadImageRecord(*this, stream, record);
    FSavePixelFormat = SavePixelFormatFromFlags(record.Flags);
    FHeight = record.Fields.Height;
    FWidth = record.Fields.Width;
    FAllocBy = record.Fields.AllocBy;
    FMasked = record.Fields.Masked;
    ClearStrip();
    LoadStrip(record.Strip);
}

void TKitImageListItem::DefineProperties(TFiler& filer) {
    TKitListItem::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Bitmap", [this](TStream& s) { ReadStrip(s); }, nullptr, false);
    filer.DefineBinaryProperty(
        "Internal", [this](TStream& s) { ReadItemData(s); },
        [this](TStream& s) { WriteItemData(s); }, true);
}

void TKitImageListItem::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (source == nullptr || !source->Is<TKitImageListItem>()) {
        TKitListItem::Assign(source);
        return;
    }
    auto& other = static_cast<TKitImageListItem&>(*source);
    AssignHeader(other);
    FSavePixelFormat = other.FSavePixelFormat;
    FAllocBy = other.FAllocBy;
    FBackColor = other.FBackColor;
    FDitherColor = other.FDitherColor;
    FDrawStyle = other.FDrawStyle;
    FHeight = other.FHeight;
    FDrawKind = other.FDrawKind;
    FMasked = other.FMasked;
    FWidth = other.FWidth;
    ClearStrip();
    AddImages(other);
}

// ---------------------------------------------------------------------------

const TClassInfo& TKitImageList::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitImageList>("TKitImageList");
    return info;
}

TKitImageList::TKitImageList(TComponent* owner) : TKitCustomImageList(owner) {
    SetItemClass(TKitImageListItem::StaticClassInfo(), lkImageList);
}

TKitImageListItem* TKitImageList::ImageItems(int index) const {
    return static_cast<TKitImageListItem*>(Items(index));
}

TCanvas* TKitImageList::GetItemCanvas(int ListIndex) {
    return ImageItems(ListIndex)->Strip().Canvas();
}

void TKitImageList::GetImageRect(int ListIndex, int ImageIndex, TRect& Rect) {
    Rect = ImageItems(ListIndex)->CellRect(ImageIndex);
}

int TKitImageList::GetItemDimension(int ListIndex, std::uint8_t Which) {
    if (OutOfRange(ListIndex))
        return 0;
    switch (Which) {
    case 0:
        return ImageItems(ListIndex)->Width();
    case 1:
        return ImageItems(ListIndex)->Height();
    default:
        return 0;
    }
}

int TKitImageList::GetImageCount(int ListIndex) {
    if (OutOfRange(ListIndex))
        return -1;
    return ImageItems(ListIndex)->Count();
}

bool TKitImageList::IsValidImage(int ListIndex, int ImageIndex) {
    if (OutOfRange(ListIndex))
        return false;
    return ImageIndex >= 0 && ImageIndex < ImageItems(ListIndex)->Count();
}

void TKitImageList::GetImage(int ListIndex, int ImageIndex, TBitmap* Dest) {
    if (Dest != nullptr)
        ImageItems(ListIndex)->CopyCell(ImageIndex, Dest);
}

bool TKitImageList::IsMasked(int ListIndex) {
    return ImageItems(ListIndex)->Masked();
}

HPALETTE TKitImageList::GetItemPalette(int ListIndex) {
    if (OutOfRange(ListIndex))
        return nullptr;
    return ImageItems(ListIndex)->Strip().Palette();
}

TColor TKitImageList::GetTransparentColor(int ListIndex, int ImageIndex) {
    if (OutOfRange(ListIndex))
        return 0xFFFFFF;
    return ImageItems(ListIndex)->CellTransparentColor(ImageIndex);
}

TColor TKitImageList::GetImagePixel(const TPoint& Point, int ListIndex, int ImageIndex) {
    if (OutOfRange(ListIndex))
        return 0xFFFFFF;
    return ImageItems(ListIndex)->CellPixel(ImageIndex, Point);
}

void TKitImageList::DrawImage(TCanvas& Canvas, int X, int Y, int ListIndex, int ImageIndex) {
    ImageItems(ListIndex)->DrawCell(Canvas, X, Y, ImageIndex);
}

void TKitImageList::DrawImageRect(TCanvas& Canvas, const TRect& Rect, std::uint16_t Flags,
                                  int ListIndex, int ImageIndex, TRect& Painted) {
    ImageItems(ListIndex)->DrawCellExt(Canvas, Rect, Flags, ImageIndex, Painted);
}

void TKitImageList::DrawImageOffset(TCanvas& Canvas, const TRect& Rect, std::uint16_t Flags,
                                    std::int32_t Offset, TColor Colour, int ListIndex,
                                    int ImageIndex) {
    ImageItems(ListIndex)->DrawCellClipped(Canvas, Rect, Flags, Offset, Colour, ImageIndex);
}
