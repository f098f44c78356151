#pragma once
// Containers that paint themselves: TPanel (bevelled area with an optional
// caption) and TGroupBox (an etched frame with its caption on the top edge).

#include "platform/controls/GraphicControl.h"
#include "platform/controls/BorderStyle.h"

// Qualified (TBevelCut::bvNone): the kit's bevel styles use the same names.
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
    TESSARO_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    // The gap between the outer and the inner bevel, in the panel's colour.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

protected:
    void Paint() override;
    void CreateParams(TCreateParams& params) override;

private:
    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = TBevelCut::bvNone;
    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
    TESSARO_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

class TCustomGroupBox : public TCustomControl {
    TESSARO_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
    TESSARO_CLASS(TGroupBox, TCustomGroupBox)
public:
    explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};

// Draws a three-dimensional frame of Width lines inside Rect and leaves in
// Rect the area inside it.
void Frame3D(TCanvas& canvas, RECT& rect, TColor topColor, TColor bottomColor, int width);
