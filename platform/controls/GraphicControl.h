#pragma once
// Controls that paint themselves through a canvas: TGraphicControl (no
// window; painted by its parent into the parent's device context) and
// TCustomControl (a window of its own). TControlCanvas draws on a control:
// during painting on the context it is given, elsewhere on a context of the
// control (or of the parent, moved and clipped to the control), which is
// given back after the current message.

#include "platform/controls/WinControl.h"
#include "platform/graphics/Canvas.h"

class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control) : FControl(control) {}
    ~TControlCanvas() override;
    TControl* Control() const { return FControl; }
    // Gives back the context the canvas made for itself.
    void ReleaseContext() { FreeHandle(); }

protected:
    void CreateHandle() override;
    void FreeHandle() override;

private:
    TControl* FControl;
    HWND FWindow = nullptr;
    HDC FOwnDC = nullptr;
};

// Gives back every context a control canvas made outside painting; called
// after each message a window of the layer has handled.
void FreeDeviceContexts();

class TGraphicControl : public TControl {
    TESSARO_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& message) override;

protected:
    // Draws the control on Canvas, whose origin is the control's top-left.
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
    TESSARO_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
