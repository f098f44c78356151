#pragma once
// TSizeConstraints: the smallest and largest width and height a control
// may take; 0 means no limit. A change tells the control, which applies the
// limits to its current size at once.

#include "platform/classes/Event.h"
#include "platform/classes/Persistent.h"

class TSizeConstraints : public TPersistent {
    TESSARO_CLASS(TSizeConstraints, TPersistent)
public:
    void Assign(TPersistent* source) override;

    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int value);

    // Width and height within the limits (a minimum wins over a maximum).
    void Apply(int& width, int& height) const;

    TNotifyEvent OnChange;

private:
    // Negative values mean no limit, as 0 does.
    void Store(int& field, int value);
    int FMaxHeight = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMinWidth = 0;
};
