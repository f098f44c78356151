#pragma once
// TCustomFrame and TFrame: a plain container window that groups controls
// inside a form.

#include "platform/controls/WinControl.h"

class TCustomFrame : public TWinControl {
    TESSARO_CLASS(TCustomFrame, TWinControl)
public:
    explicit TCustomFrame(TComponent* owner);
};

class TFrame : public TCustomFrame {
    TESSARO_CLASS(TFrame, TCustomFrame)
public:
    explicit TFrame(TComponent* owner) : TCustomFrame(owner) {}
};
