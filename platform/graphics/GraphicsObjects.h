#pragma once
// The drawing tools a canvas selects: TFont, TBrush and TPen. Each is a
// persistent settings object streamed as a nested property ("Font.Name");
// it creates its GDI handle on first use and drops it when a setting
// changes, then tells its owner through OnChange.

#include "platform/classes/Event.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Set.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/GdiObject.h"

#include <string>
#include <windows.h>

class TGraphicsObject : public TPersistent {
    TESSARO_CLASS(TGraphicsObject, TPersistent)
public:
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using enum TFontStyle;
using TFontStyles = TSet<TFontStyle>;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };
using enum TFontPitch;

class TFont : public TGraphicsObject {
    TESSARO_CLASS(TFont, TGraphicsObject)
public:
    TFont();
    void Assign(TPersistent* source) override;

    HFONT Handle();
    // Takes ownership of a font handle; the settings follow it.
    void SetHandle(HFONT value);

    std::uint8_t Charset() const { return FCharset; }
    void SetCharset(std::uint8_t value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    const std::string& Name() const { return FName; }
    void SetName(const std::string& value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    // Screen resolution the point size is computed for.
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }

protected:
    void Changed() override;

private:
    TGdiObject<HFONT> FHandle;
    std::uint8_t FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    int FHeight = -11;
    std::string FName = "MS Sans Serif";
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle;
    int FPixelsPerInch = 96;
};

enum class TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
using enum TBrushStyle;

class TBitmap;

class TBrush : public TGraphicsObject {
    TESSARO_CLASS(TBrush, TGraphicsObject)
public:
    void Assign(TPersistent* source) override;
    HBRUSH Handle();
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    // A pattern bitmap, not owned; while set and not empty it paints in
    // place of colour and style. Its picture is taken when the handle is made.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* value);

protected:
    void Changed() override;

private:
    TGdiObject<HBRUSH> FHandle;
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
using enum TPenStyle;

// How the pen combines with what is on the surface (the binary raster
// operations).
enum class TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
using enum TPenMode;
const TEnumNames& PenModeNames();
// The R2_* raster operation of Mode.
int PenModeRop2(TPenMode mode);

class TPen : public TGraphicsObject {
    TESSARO_CLASS(TPen, TGraphicsObject)
public:
    void Assign(TPersistent* source) override;
    HPEN Handle();
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    int Width() const { return FWidth; }
    void SetWidth(int value);

protected:
    void Changed() override;

private:
    TGdiObject<HPEN> FHandle;
    TColor FColor = clBlack;
    TPenMode FMode = pmCopy;
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
};

// The RGB value of Color; system colours are looked up.
COLORREF ColorToRGB(TColor color);
