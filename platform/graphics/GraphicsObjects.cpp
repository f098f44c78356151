#include "platform/graphics/GraphicsObjects.h"

#include "platform/graphics/Bitmap.h"

#include <cstring>

namespace {
const TEnumNames FontStyleNames = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
const TEnumNames FontPitchNames = {"fpDefault", "fpVariable", "fpFixed"};
const TEnumNames BrushStyleNames = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                    "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
const TEnumNames PenStyleNames = {"psSolid",      "psDash",  "psDot",        "psDashDot",
                                  "psDashDotDot", "psClear", "psInsideFrame"};
const TIdentMap CharsetIdents = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
    {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},
    {MAC_CHARSET, "MAC_CHARSET"},
};
} // namespace

const TClassInfo& TGraphicsObject::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TGraphicsObject>("TGraphicsObject");
    return info;
}

void TGraphicsObject::Changed() {
    OnChange(this);
}

// --- TFont -------------------------------------------------------------------

const TClassInfo& TFont::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TFont>("TFont", [](TPropertyTable& t) {
        TPropertyBuilder<TFont> p(t);
        p.Integer("Charset", &TFont::Charset, &TFont::SetCharset, std::nullopt, &CharsetIdents);
        p.Integer("Color", &TFont::Color, &TFont::SetColor, std::nullopt, &ColorIdents());
        p.Integer("Height", &TFont::Height, &TFont::SetHeight);
        p.String("Name", &TFont::Name, &TFont::SetName);
        p.Enum("Pitch", FontPitchNames, &TFont::Pitch, &TFont::SetPitch,
               std::optional<TFontPitch>(fpDefault));
        p.Integer("Size", &TFont::Size, &TFont::SetSize).Stored = [](TObject&) { return false; };
        p.Set("Style", FontStyleNames, &TFont::Style, &TFont::SetStyle,
              std::optional<TFontStyles>());
    });
    return info;
}

TFont::TFont() = default;

void TFont::Changed() {
    FHandle.Reset();
    TGraphicsObject::Changed();
}

void TFont::Assign(TPersistent* source) {
    if (auto* f = dynamic_cast<TFont*>(source)) {
        FCharset = f->FCharset;
        FColor = f->FColor;
        FHeight = f->FHeight;
        FName = f->FName;
        FPitch = f->FPitch;
        FStyle = f->FStyle;
        FPixelsPerInch = f->FPixelsPerInch;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

HFONT TFont::Handle() {
    if (!FHandle) {
        LOGFONTA lf{};
        lf.lfHeight = FHeight;
        lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = FStyle.Contains(fsItalic);
        lf.lfUnderline = FStyle.Contains(fsUnderline);
        lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
        lf.lfCharSet = FCharset;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = FPitch == fpVariable ? VARIABLE_PITCH
                              : FPitch == fpFixed  ? FIXED_PITCH
                                                   : DEFAULT_PITCH;
        std::strncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
        FHandle.Reset(::CreateFontIndirectA(&lf));
    }
    return FHandle.Get();
}

void TFont::SetHandle(HFONT value) {
    LOGFONTA lf{};
    if (value && ::GetObjectA(value, sizeof lf, &lf) == sizeof lf) {
        FHeight = lf.lfHeight;
        FCharset = lf.lfCharSet;
        FName = lf.lfFaceName;
        FStyle = TFontStyles();
        if (lf.lfWeight >= FW_BOLD)
            FStyle.Include(fsBold);
        if (lf.lfItalic)
            FStyle.Include(fsItalic);
        if (lf.lfUnderline)
            FStyle.Include(fsUnderline);
        if (lf.lfStrikeOut)
            FStyle.Include(fsStrikeOut);
    }
    Changed();
    FHandle.Reset(value);
}

void TFont::SetCharset(std::uint8_t value) {
    if (value != FCharset) {
        FCharset = value;
        Changed();
    }
}

void TFont::SetColor(TColor value) {
    if (value != FColor) {
        FColor = value;
        // The colour is applied by the canvas, not part of the font handle.
        TGraphicsObject::Changed();
    }
}

void TFont::SetHeight(int value) {
    if (value != FHeight) {
        FHeight = value;
        Changed();
    }
}

void TFont::SetName(const std::string& value) {
    if (!value.empty() && value != FName) {
        FName = value;
        Changed();
    }
}

void TFont::SetPitch(TFontPitch value) {
    if (value != FPitch) {
        FPitch = value;
        Changed();
    }
}

int TFont::Size() const {
    return -::MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int value) {
    SetHeight(-::MulDiv(value, FPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles value) {
    if (value != FStyle) {
        FStyle = value;
        Changed();
    }
}

// --- TBrush ------------------------------------------------------------------

const TClassInfo& TBrush::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TBrush>("TBrush", [](TPropertyTable& t) {
        TPropertyBuilder<TBrush> p(t);
        p.Integer("Color", &TBrush::Color, &TBrush::SetColor, clWhite, &ColorIdents());
        p.Enum("Style", BrushStyleNames, &TBrush::Style, &TBrush::SetStyle,
               std::optional<TBrushStyle>(bsSolid));
    });
    return info;
}

void TBrush::Changed() {
    FHandle.Reset();
    TGraphicsObject::Changed();
}

void TBrush::Assign(TPersistent* source) {
    if (auto* b = dynamic_cast<TBrush*>(source)) {
        FColor = b->FColor;
        FStyle = b->FStyle;
        FBitmap = b->FBitmap;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

HBRUSH TBrush::Handle() {
    if (!FHandle && FBitmap && FBitmap->Handle())
        FHandle.Reset(::CreatePatternBrush(FBitmap->Handle()));
    if (!FHandle) {
        LOGBRUSH lb{};
        lb.lbColor = ColorToRGB(FColor);
        switch (FStyle) {
        case bsSolid:
            lb.lbStyle = BS_SOLID;
            break;
        case bsClear:
            lb.lbStyle = BS_NULL;
            break;
        default:
            lb.lbStyle = BS_HATCHED;
            static const int hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                          HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
            lb.lbHatch = static_cast<ULONG_PTR>(hatches[static_cast<int>(FStyle) - 2]);
            break;
        }
        FHandle.Reset(::CreateBrushIndirect(&lb));
    }
    return FHandle.Get();
}

void TBrush::SetColor(TColor value) {
    // Setting a colour, even the same one, makes a clear brush solid again.
    if (value == FColor && FStyle != bsClear)
        return;
    FColor = value;
    if (FStyle == bsClear)
        FStyle = bsSolid;
    Changed();
}

void TBrush::SetBitmap(TBitmap* value) {
    if (value != FBitmap) {
        FBitmap = value;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value != FStyle) {
        FStyle = value;
        Changed();
    }
}

// --- TPen --------------------------------------------------------------------

const TEnumNames& PenModeNames() {
    static const TEnumNames names = {
        "pmBlack",       "pmWhite",      "pmNop",         "pmNot",       "pmCopy",  "pmNotCopy",
        "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge",
        "pmMask",        "pmNotMask",    "pmXor",         "pmNotXor"};
    return names;
}

int PenModeRop2(TPenMode mode) {
    static const int rops[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                               R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                               R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return rops[static_cast<int>(mode)];
}

const TClassInfo& TPen::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TPen>("TPen", [](TPropertyTable& t) {
        TPropertyBuilder<TPen> p(t);
        p.Integer("Color", &TPen::Color, &TPen::SetColor, clBlack, &ColorIdents());
        p.Enum("Mode", PenModeNames(), &TPen::Mode, &TPen::SetMode,
               std::optional<TPenMode>(pmCopy));
        p.Enum("Style", PenStyleNames, &TPen::Style, &TPen::SetStyle,
               std::optional<TPenStyle>(psSolid));
        p.Integer("Width", &TPen::Width, &TPen::SetWidth, 1);
    });
    return info;
}

void TPen::Changed() {
    FHandle.Reset();
    TGraphicsObject::Changed();
}

void TPen::Assign(TPersistent* source) {
    if (auto* pen = dynamic_cast<TPen*>(source)) {
        FColor = pen->FColor;
        FMode = pen->FMode;
        FStyle = pen->FStyle;
        FWidth = pen->FWidth;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

HPEN TPen::Handle() {
    if (!FHandle) {
        static const int styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                     PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        FHandle.Reset(::CreatePen(styles[static_cast<int>(FStyle)], FWidth, ColorToRGB(FColor)));
    }
    return FHandle.Get();
}

void TPen::SetColor(TColor value) {
    if (value != FColor) {
        FColor = value;
        Changed();
    }
}

void TPen::SetMode(TPenMode value) {
    if (value != FMode) {
        FMode = value;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle value) {
    if (value != FStyle) {
        FStyle = value;
        Changed();
    }
}

void TPen::SetWidth(int value) {
    if (value != FWidth) {
        FWidth = value;
        Changed();
    }
}

COLORREF ColorToRGB(TColor color) {
    if (color < 0)
        return ::GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color);
}
