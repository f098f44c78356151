#pragma once
// TLabel: text painted by its parent, optionally transparent over what lies
// beneath (the labels over the gradient scale).

#include "platform/controls/GraphicControl.h"

enum class TTextLayout { tlTop, tlCenter, tlBottom };
using enum TTextLayout;

class TLabel : public TGraphicControl {
    TESSARO_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
    void SetTransparent(bool value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);

    void SetText(const std::string& value) override;
    void Loaded() override;

protected:
    void Paint() override;
    void FontChanged() override;
    // Fits the bounds to the text when AutoSize is on.
    void AdjustBounds();
    UINT DrawTextFlags() const;

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
};
