#include "components/settings/kitfillobject.h"

#include "components/drawing/kitbitmap.h"
#include "components/drawing/kitclip.h"
#include "components/drawing/kitgradient.h"
#include "components/drawing/kitpalette.h"
#include "components/base/kitsysinfo.h"
#include "components/settings/kitalignmentnames.h"
#include "platform/classes/Properties.h"

namespace {

const TEnumNames FillStyleNames = {"sfNone",   "sfBrushBitmap", "sfBrush",
                                   "sfBitmap", "sfBitmapList",  "sfGradient"};
const TEnumNames TileModeNames = {"tmNone", "tmCenter", "tmStretch", "tmTile"};
const TEnumNames FillOptionNames = {"foFillInner", "foQuickDraw", "foGrUseBitmap"};

constexpr TKitFillOptions DefaultFillOptions{foFillInner, foGrUseBitmap};

// Side of the pattern a brush bitmap gives on systems whose pattern brushes
// take no more.
constexpr int PatternSize = 8;

// While alive, the canvas brush paints with a bitmap; afterwards it has none
// again and a temporary pattern is freed, also on an exception.
class TBrushBitmapScope {
public:
    TBrushBitmapScope(TCanvas& canvas, TBitmap& bitmap) : FCanvas(canvas) {
        TBitmap* pattern = &bitmap;
        if (!IsWinNT) {
            FPattern = std::make_unique<TBitmap>();
            FPattern->SetSize(PatternSize, PatternSize);
            const TRect corner{0, 0, PatternSize, PatternSize};
            FPattern->Canvas()->CopyRect(corner, *bitmap.Canvas(), corner);
            pattern = FPattern.get();
        }
        FCanvas.Brush()->SetBitmap(pattern);
    }
    ~TBrushBitmapScope() { FCanvas.Brush()->SetBitmap(nullptr); }
    TBrushBitmapScope(const TBrushBitmapScope&) = delete;
    TBrushBitmapScope& operator=(const TBrushBitmapScope&) = delete;

private:
    TCanvas& FCanvas;
    std::unique_ptr<TBitmap> FPattern;
};

} // namespace

// --- TKitShapeFill -----------------------------------------------------------

const TClassInfo& TKitShapeFill::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKitShapeFill>("TKitShapeFill", [](TPropertyTable& t) {
            TPropertyBuilder<TKitShapeFill> p(t);
            p.Object("Bitmap", &TKitShapeFill::Bitmap);
            // No default: always written.
            p.Enum("Style", FillStyleNames, &TKitShapeFill::Style, &TKitShapeFill::SetStyle,
                   std::optional<TKitFillStyle>());
            p.Object("Gradient", &TKitShapeFill::Gradient);
            p.Enum("TileMode", TileModeNames, &TKitShapeFill::TileMode, &TKitShapeFill::SetTileMode,
                   std::optional<TKitTileMode>(tmTile));
        });
    return info;
}

TKitShapeFill::TKitShapeFill()
    : FBitmap(std::make_unique<TBitmap>()), FListBitmap(std::make_unique<TBitmap>()),
      FGradient(std::make_unique<TKitGradient>()) {
    FBitmap->OnChange = TNotifyEvent::Of<&TKitObject::SubObjectChanged>(this);
    FGradient->OnChange = TNotifyEvent::Of<&TKitObject::SubObjectChanged>(this);
}

TKitShapeFill::~TKitShapeFill() {
    FBitmap->OnChange.Clear();
    FGradient->OnChange.Clear();
}

void TKitShapeFill::SetBitmap(TBitmap* value) {
    FBitmap->Assign(value);
}

void TKitShapeFill::SetListBitmap(TBitmap* value) {
    FListBitmap->Assign(value);
}

void TKitShapeFill::SetGradient(TKitGradient* value) {
    FGradient->Assign(value);
}

void TKitShapeFill::SetStyle(TKitFillStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    Change();
}

void TKitShapeFill::SetTileMode(TKitTileMode value) {
    if (value == FTileMode)
        return;
    FTileMode = value;
    Change();
}

bool TKitShapeFill::IsEmpty() const {
    switch (FStyle) {
    case sfNone:
        return true;
    case sfBitmap:
        return FBitmap->Empty();
    case sfBitmapList:
        return FListBitmap->Empty();
    case sfBrushBitmap:
    case sfBrush:
    case sfGradient:
        return false;
    }
    return true;
}

HPALETTE TKitShapeFill::FillPalette() const {
    switch (FStyle) {
    case sfBrushBitmap:
    case sfBitmap:
        return FBitmap->Palette();
    case sfBitmapList:
        return FListBitmap->Palette();
    case sfGradient:
        return FGradient->Palette();
    case sfNone:
    case sfBrush:
        return nullptr;
    }
    return nullptr;
}

void TKitShapeFill::AssignShape(TKitShapeFill& source) {
    BeginUpdate();
    FBitmap->Assign(source.FBitmap.get());
    FListBitmap->Assign(source.FListBitmap.get());
    FGradient->Assign(source.FGradient.get());
    FStyle = source.FStyle;
    FTileMode = source.FTileMode;
    EndUpdate(true);
}

void TKitShapeFill::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (auto* shape = dynamic_cast<TKitShapeFill*>(source)) {
        AssignShape(*shape);
        return;
    }
    TKitObject::Assign(source);
}

// --- TKitFillObject ----------------------------------------------------------

const TClassInfo& TKitFillObject::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKitFillObject>("TKitFillObject", [](TPropertyTable& t) {
            TPropertyBuilder<TKitFillObject> p(t);
            p.Enum("Alignment", KitAlignmentNames(), &TKitFillObject::Alignment,
                   &TKitFillObject::SetAlignment, std::optional<TKitAlignment>(agTopLeft));
            p.Object("Brush", &TKitFillObject::Brush);
            p.Integer("OffsetX", &TKitFillObject::OffsetX, &TKitFillObject::SetOffsetX, 0);
            p.Integer("OffsetY", &TKitFillObject::OffsetY, &TKitFillObject::SetOffsetY, 0);
            p.Set("Options", FillOptionNames, &TKitFillObject::Options, &TKitFillObject::SetOptions,
                  std::optional<TKitFillOptions>(DefaultFillOptions));
            // Published once more, still without a default (replaces the entry in place).
            p.Enum("Style", FillStyleNames, &TKitFillObject::Style, &TKitFillObject::SetStyle,
                   std::optional<TKitFillStyle>());
        });
    return info;
}

TKitFillObject::TKitFillObject() : FBrush(std::make_unique<TBrush>()) {
    FBrush->OnChange = TNotifyEvent::Of<&TKitObject::SubObjectChanged>(this);
    BeginUpdate();
    SetStyle(sfNone);
    EndUpdate(false);
}

TKitFillObject::~TKitFillObject() {
    FBrush->OnChange.Clear();
}

bool TKitFillObject::PlacementShows() const {
    return (Style() == sfBitmap || Style() == sfBitmapList) && TileMode() == tmNone;
}

void TKitFillObject::SetAlignment(TKitAlignment value) {
    if (value == FAlignment)
        return;
    FAlignment = value;
    if (PlacementShows())
        Change();
}

void TKitFillObject::SetOffset(int index, std::int32_t value) {
    std::int32_t& field = index == 0 ? FOffsetX : FOffsetY;
    if (value == field)
        return;
    field = value;
    if (PlacementShows())
        Change();
}
void TKitFillObject::SetOffsetX(std::int32_t value) {
    SetOffset(0, value);
}
void TKitFillObject::SetOffsetY(std::int32_t value) {
    SetOffset(1, value);
}

void TKitFillObject::SetBrush(TBrush* value) {
    FBrush->Assign(value);
}

void TKitFillObject::SetOptions(TKitFillOptions value) {
    if (value == FOptions)
        return;
    FOptions = value;
    Change();
}

bool TKitFillObject::IsTransparent() const {
    const bool fillInner = FOptions.Contains(foFillInner);
    switch (Style()) {
    case sfNone:
        return true;
    case sfBrush:
        return FBrush->Style() != bsSolid && !fillInner;
    case sfBitmap:
    case sfBitmapList:
        return (TileMode() == tmNone || TileMode() == tmCenter) && !fillInner;
    case sfBrushBitmap:
    case sfGradient:
        return false;
    }
    return true;
}

void TKitFillObject::Assign(TPersistent* source) {
    if (source == this)
        return;
    auto* fill = dynamic_cast<TKitFillObject*>(source);
    if (!fill) {
        TKitShapeFill::Assign(source);
        return;
    }
    BeginUpdate();
    FBrush->Assign(fill->FBrush.get());
    FOptions = fill->FOptions;
    Bitmap()->Assign(fill->Bitmap());
    ListBitmap()->Assign(fill->ListBitmap());
    Gradient()->Assign(fill->Gradient());
    SetStyle(fill->Style());
    SetTileMode(fill->TileMode());
    EndUpdate(true);
}

void TKitFillObject::FillObjectPaint(TCanvas& canvas, const TRect& rect, TColor bkColor,
                                     std::int32_t offset) {
    // The off-screen bitmap covers exactly Rect: no clipping needed.
    if (Style() == sfGradient && FOptions.Contains(foGrUseBitmap)) {
        DoFill(canvas, rect, bkColor);
        return;
    }
    TKitClipScope clip(canvas.Handle(), OffsetClipRect(rect, offset));
    DoFill(canvas, rect, bkColor);
}

void TKitFillObject::DoFill(TCanvas& canvas, const TRect& rect, TColor bkColor) {
    switch (Style()) {
    case sfNone:
        return;
    case sfBrushBitmap:
        FillBrushBitmap(canvas, rect);
        return;
    case sfBrush:
        FillBrush(canvas, rect, bkColor);
        return;
    case sfBitmap:
        FillWithBitmap(canvas, rect, bkColor, *Bitmap());
        return;
    case sfBitmapList:
        FillWithBitmap(canvas, rect, bkColor, *ListBitmap());
        return;
    case sfGradient:
        FillGradientStyle(canvas, rect);
        return;
    }
}

void TKitFillObject::FillBackground(TCanvas& canvas, const TRect& rect, TColor bkColor) const {
    if (!FOptions.Contains(foFillInner))
        return;
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(bkColor);
    canvas.FillRect(rect);
}

void TKitFillObject::FillBrushBitmap(TCanvas& canvas, const TRect& rect) {
    if (Bitmap()->Empty()) {
        canvas.FillRect(rect);
        return;
    }
    TBrushBitmapScope pattern(canvas, *Bitmap());
    canvas.FillRect(rect);
}

void TKitFillObject::FillBrush(TCanvas& canvas, const TRect& rect, TColor bkColor) {
    const bool solid = FBrush->Style() == bsSolid;
    // A hatched or clear brush leaves gaps; with foFillInner the control
    // reports itself opaque, so the gaps get the background colour first.
    if (!solid)
        FillBackground(canvas, rect, bkColor);
    canvas.SetBrush(FBrush.get());
    canvas.Pen()->SetColor(bkColor);
    if (!solid)
        ::SetBkColor(canvas.Handle(), ColorToRGB(bkColor));
    canvas.FillRect(rect);
}

void TKitFillObject::FillWithBitmap(TCanvas& canvas, const TRect& rect, TColor bkColor,
                                    TBitmap& bitmap) {
    if (bitmap.Empty()) {
        FillBackground(canvas, rect, bkColor);
        return;
    }
    const std::uint16_t flags = FOptions.Contains(foQuickDraw) ? 0 : KitPaletteFlag;
    TRect dest = rect;
    std::uint16_t placement = 0;
    switch (TileMode()) {
    case tmNone:
        FillBackground(canvas, rect, bkColor);
        AlignRect(FAlignment, TRect{0, 0, bitmap.Width(), bitmap.Height()}, rect, dest);
        ::OffsetRect(&dest, FOffsetX, FOffsetY);
        break;
    case tmCenter:
        FillBackground(canvas, rect, bkColor);
        placement = kdCenter;
        break;
    case tmStretch:
        placement = kdStretch;
        break;
    case tmTile:
        placement = kdTile;
        break;
    }
    TRect painted{};
    DrawBitmapExt(canvas, dest, bitmap, flags | placement, clBlack, painted);
}

void TKitFillObject::FillGradientStyle(TCanvas& canvas, const TRect& rect) {
    const TKitGradient& gradient = *Gradient();
    std::uint16_t flags = 0;
    if (FOptions.Contains(foGrUseBitmap))
        flags |= kgOffscreen;
    if (gradient.PaletteRealize())
        flags |= KitPaletteFlag;
    FillGradient(canvas, rect, gradient.Style(), &gradient.Colors(), gradient.Palette(), flags, 0);
}
