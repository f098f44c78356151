#pragma once
// Buttons that show a glyph next to their caption: TBitBtn (an owner-drawn
// system push button) and TSpeedButton (a button without a window, painted
// by its parent). The glyph bitmap may hold up to four cells side by side:
// up, disabled, down, exclusive.

#include "platform/controls/GraphicControl.h"
#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/ButtonControls.h"

#include <memory>

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using enum TButtonLayout;

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using enum TButtonState;

// The glyph and its placement, shared by both buttons.
class TGlyphSettings {
public:
    TGlyphSettings();
    TBitmap* Glyph() const { return FGlyph.get(); }
    int NumGlyphs() const { return FNumGlyphs; }
    TButtonLayout Layout() const { return FLayout; }
    // -1: the layout computes it.
    int Margin() const { return FMargin; }
    int Spacing() const { return FSpacing; }

protected:
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
};

class TBitBtn : public TButton, public TGlyphSettings {
    TESSARO_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;
    void SetGlyph(TBitmap* value);
    void SetNumGlyphs(int value);
    void SetLayout(TButtonLayout value);
    void SetMargin(int value);
    void SetSpacing(int value);
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void GlyphChanged(TObject* sender);
    // The classic look: a raised or sunken frame with the caption.
    void DrawItem(const DRAWITEMSTRUCT& item);
};

class TSpeedButton : public TGraphicControl, public TGlyphSettings {
    TESSARO_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;
    void SetGlyph(TBitmap* value);
    void SetNumGlyphs(int value);
    void SetLayout(TButtonLayout value);
    void SetMargin(int value);
    void SetSpacing(int value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    // Buttons of the same non-zero group behave as radio buttons.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    bool Down() const { return FDown; }
    void SetDown(bool value);

    bool MouseInControl() const { return FMouseInControl; }
    TButtonState State() const { return FState; }
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;

private:
    void GlyphChanged(TObject* sender);
    void UpdateState();

    bool FFlat = false;
    bool FDown = false;
    bool FPressing = false;
    bool FMouseInControl = false;
    int FGroupIndex = 0;
    TButtonState FState = bsUp;
};

const TEnumNames& ButtonLayoutNames();
