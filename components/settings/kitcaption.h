#pragma once
// TKitCaption: the text a kit control paints over its content, with its
// font, alignment, multi-line switch and effects (FontFx), painted by
// DrawCaption. A rotation is kept only with a font that can be rotated.

#include "components/base/kitclass.h"
#include "components/drawing/kitgraph.h"
#include "components/drawing/kittext.h"
#include "platform/graphics/Canvas.h"

#include <cstdint>
#include <memory>
#include <string>
#include <windows.h>

// Where and how DrawCaption draws its text.
struct TKitCaptionPlacement {
    TRect Rect;
    UINT Format;
};

class TKitCaption : public TKitObject {
    TESSARO_CLASS(TKitCaption, TKitObject)
public:
    TKitCaption();
    ~TKitCaption() override;
    void Assign(TPersistent* source) override;

    TKitAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TKitAlignment value);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    TFont* Font() const { return FFont.get(); }
    // Copies Value into the owned font.
    void SetFont(TFont* value);
    TKitFxCaption* FontFx() const { return FFontFx.get(); }
    // Copies Value into the owned effects.
    void SetFontFx(TKitFxCaption* value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool value);

    // The DrawText format and the rectangle for Text in Rect: measured and
    // aligned for rotated (unless agTopLeft) and for multi-line captions
    // below the top row, else Rect itself. Measuring sets FontFx's origin.
    TKitCaptionPlacement PlaceCaption(const std::string& text, const TRect& rect,
                                      std::uint16_t flags);
    // Paints Text (the caller passes Caption()) into Rect. Flags are those of
    // DrawEffectText (kittext.h); ktClip clips to Rect shifted by Offset, and
    // without ktShowPrefix an ampersand is a plain character. Color becomes the
    // canvas brush colour (the text copy of tdPColorSunken/tdPColorRaised);
    // Offset packs the control's position for the clip rectangle.
    void DrawCaption(TCanvas& canvas, const std::string& text, const TRect& rect,
                     std::uint16_t flags, TColor color, std::int32_t offset);

    // Whether a font can be rotated; replaceable for fonts the test machine
    // lacks. Null puts the system's test back.
    using TTrueTypeTest = bool (*)(TFont& font);
    static void SetTrueTypeTest(TTrueTypeTest test);

private:
    // Change handler of Font and FontFx: drops a rotation the font cannot
    // do (font changed) or switches to a font that can (angle changed).
    void FontChanged(TObject* sender);

    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TKitFxCaption> FFontFx;
    TKitAlignment FAlignment = agCenter;
    std::string FCaption;
    bool FMultiLine = false;
};
