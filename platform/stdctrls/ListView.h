#pragma once
// TCustomListView and TListView: the system's list view in report style;
// columns and items are added through the control's messages.

#include "platform/controls/WinControl.h"

class TCustomListView : public TWinControl {
    TESSARO_CLASS(TCustomListView, TWinControl)
public:
    explicit TCustomListView(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
};

class TListView : public TCustomListView {
    TESSARO_CLASS(TListView, TCustomListView)
public:
    explicit TListView(TComponent* owner) : TCustomListView(owner) {}
};
