#pragma once
// TToolBar: the system's tool bar window, holding its buttons as child
// controls. TToolButton: a button without a window on a tool bar, painted
// by the bar.

#include "platform/controls/GraphicControl.h"

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
using enum TToolButtonStyle;

class TToolBar : public TWinControl {
    TESSARO_CLASS(TToolBar, TWinControl)
public:
    explicit TToolBar(TComponent* owner);

    // Flat buttons over the parent's background instead of the bar's face.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    DWORD TransparencyStyle() const;
    bool FTransparent = false;
};

class TToolButton : public TGraphicControl {
    TESSARO_CLASS(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* owner);

    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle value);
    // Only a check button stays down.
    bool Down() const { return FDown; }
    void SetDown(bool value);

    void Click() override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;

private:
    bool IsSpacer() const { return FStyle == tbsSeparator || FStyle == tbsDivider; }
    TToolButtonStyle FStyle = tbsButton;
    bool FDown = false;
    bool FPressing = false;
    bool FMouseInControl = false;
};
