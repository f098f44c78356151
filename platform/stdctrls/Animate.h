#pragma once
// TAnimate: the system's animation control (silent AVI clips). Transparent
// lets the parent's background show around the clip.

#include "platform/controls/WinControl.h"

class TAnimate : public TWinControl {
    TESSARO_CLASS(TAnimate, TWinControl)
public:
    explicit TAnimate(TComponent* owner);

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool FTransparent = true;
};
