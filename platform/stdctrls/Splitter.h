#pragma once
// TSplitter: a windowless bar between two controls. It paints nothing of
// its own; the parent's background shows through.

#include "platform/controls/GraphicControl.h"

class TSplitter : public TGraphicControl {
    TESSARO_CLASS(TSplitter, TGraphicControl)
public:
    explicit TSplitter(TComponent* owner);
};
