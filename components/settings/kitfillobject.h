#pragma once
// The content of a kit control: TKitShapeFill chooses how an area is filled
// (nothing, a brush bitmap, a brush, a bitmap, an image from an image list,
// a gradient) and owns what it needs for that; TKitFillObject adds the
// brush, the placement of an untiled bitmap and the fill options, tells
// whether the fill leaves the background visible and paints it.

#include "components/base/kitclass.h"
#include "components/settings/kitgradientobject.h"
#include "components/drawing/kittext.h"
#include "platform/classes/Set.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <cstdint>
#include <memory>
#include <windows.h>

enum class TKitFillStyle { sfNone, sfBrushBitmap, sfBrush, sfBitmap, sfBitmapList, sfGradient };
using enum TKitFillStyle;

enum class TKitTileMode { tmNone, tmCenter, tmStretch, tmTile };
using enum TKitTileMode;

enum class TKitFillOption { foFillInner, foQuickDraw, foGrUseBitmap };
using enum TKitFillOption;
using TKitFillOptions = TSet<TKitFillOption>;

class TKitShapeFill : public TKitObject {
    TESSARO_CLASS(TKitShapeFill, TKitObject)
public:
    TKitShapeFill();
    ~TKitShapeFill() override;
    void Assign(TPersistent* source) override;

    TBitmap* Bitmap() const { return FBitmap.get(); }
    // Copies Value; the owned bitmap stays.
    void SetBitmap(TBitmap* value);
    // The image taken from an image list (sfBitmapList); no change report.
    TBitmap* ListBitmap() const { return FListBitmap.get(); }
    // Copies Value; null empties the list bitmap.
    void SetListBitmap(TBitmap* value);
    TKitGradient* Gradient() const { return FGradient.get(); }
    void SetGradient(TKitGradient* value);
    TKitFillStyle Style() const { return FStyle; }
    void SetStyle(TKitFillStyle value);
    TKitTileMode TileMode() const { return FTileMode; }
    void SetTileMode(TKitTileMode value);

    // Whether the current style has nothing to paint.
    bool IsEmpty() const;
    // The palette of the bitmap or gradient in use, or null.
    HPALETTE FillPalette() const;

protected:
    // Assign of this level, for a source that is a TKitShapeFill only.
    void AssignShape(TKitShapeFill& source);

private:
    std::unique_ptr<TBitmap> FBitmap;
    std::unique_ptr<TBitmap> FListBitmap;
    std::unique_ptr<TKitGradient> FGradient;
    TKitFillStyle FStyle = sfBrush;
    TKitTileMode FTileMode = tmTile;
};

class TKitFillObject : public TKitShapeFill {
    TESSARO_CLASS(TKitFillObject, TKitShapeFill)
public:
    TKitFillObject();
    ~TKitFillObject() override;
    // Copies everything but Alignment, OffsetX and OffsetY.
    void Assign(TPersistent* source) override;

    // Alignment and offsets place an untiled bitmap; changes are reported
    // only while they show (sfBitmap or sfBitmapList with tmNone).
    TKitAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TKitAlignment value);
    std::int32_t OffsetX() const { return FOffsetX; }
    void SetOffsetX(std::int32_t value);
    std::int32_t OffsetY() const { return FOffsetY; }
    void SetOffsetY(std::int32_t value);
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* value);
    TKitFillOptions Options() const { return FOptions; }
    void SetOptions(TKitFillOptions value);

    // Whether the fill leaves the background visible.
    bool IsTransparent() const;

    // Paints the fill into Rect, clipped to it. BkColor is the owning
    // control's colour; Offset packs its position (low word x, high word y)
    // for the clip region in device coordinates.
    void FillObjectPaint(TCanvas& canvas, const TRect& rect, TColor bkColor, std::int32_t offset);
    // The painting by style, without clipping.
    void DoFill(TCanvas& canvas, const TRect& rect, TColor bkColor);

private:
    bool PlacementShows() const;
    // The indexed offset setter: 0 x, 1 y.
    void SetOffset(int index, std::int32_t value);
    void FillBackground(TCanvas& canvas, const TRect& rect, TColor bkColor) const;
    void FillBrushBitmap(TCanvas& canvas, const TRect& rect);
    void FillBrush(TCanvas& canvas, const TRect& rect, TColor bkColor);
    void FillWithBitmap(TCanvas& canvas, const TRect& rect, TColor bkColor, TBitmap& bitmap);
    void FillGradientStyle(TCanvas& canvas, const TRect& rect);

    TKitAlignment FAlignment = agTopLeft;
    std::int32_t FOffsetX = 0;
    std::int32_t FOffsetY = 0;
    std::unique_ptr<TBrush> FBrush;
    TKitFillOptions FOptions{foFillInner, foGrUseBitmap};
};
