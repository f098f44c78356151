#pragma once
// TCustomStaticText and TStaticText: a label with a window of its own (the
// system's static control), so that it can be reached by keyboard cues.

#include "platform/controls/WinControl.h"

class TCustomStaticText : public TWinControl {
    TESSARO_CLASS(TCustomStaticText, TWinControl)
public:
    explicit TCustomStaticText(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
};

class TStaticText : public TCustomStaticText {
    TESSARO_CLASS(TStaticText, TCustomStaticText)
public:
    explicit TStaticText(TComponent* owner) : TCustomStaticText(owner) {}
};
