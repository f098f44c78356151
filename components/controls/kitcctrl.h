#pragma once
// TKitCustomControl: the kit's base for windowed controls. It paints its
// background (or lets a descendant paint it transparently), draws a flat
// border in the non-client area that follows the focus and the mouse, and
// reports the focus through posted messages, so its focus events fire only
// after the focus change has settled. It may show images of one kit image
// list, which it follows through a change link.

#include "components/controls/kitimagelink.h"
#include "components/imagelists/kitimagelistbase.h"
#include "components/controls/kitmessages.h"
#include "platform/controls/GraphicControl.h"

#include <memory>

class TKitCustomControl : public TCustomControl {
    TESSARO_CLASS(TKitCustomControl, TCustomControl)
public:
    explicit TKitCustomControl(TComponent* owner);
    ~TKitCustomControl() override;

    // The list is not owned; the control lets go of it when it is freed.
    TKitCustomImageList* ImageList() const { return FImageLink.List(); }
    void SetImageList(TKitCustomImageList* value);
    TKitChangeLink* ChangeLink() const { return FImageLink.ChangeLink(); }
    void Notification(TComponent* component, TOperation operation) override;

    bool MouseOver() const { return FMouseOver; }
    bool HasFocus() const { return FHasFocus; }
    bool FlatBorder() const { return FFlatBorder; }
    void SetFlatBorder(bool value) { FFlatBorder = value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { FTransparent = value; }
    bool RepaintOnChange() const { return FRepaintOnChange; }
    void SetRepaintOnChange(bool value) { FRepaintOnChange = value; }
    // The border drawing's 3-D look: two-pixel borders instead of one.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value) { FCtl3D = value; }

    virtual bool PaintsTransparent() const;
    virtual void PaintBackground();
    // Invalidates when RepaintOnChange is set.
    virtual void ObjectChanged(TObject* sender);
    virtual bool IsEmpty() const { return true; }
    virtual void ImageListChanged(TObject* sender);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void DrawNormalBorder();
    virtual void DrawFocusBorder();

    // A background source is the kit control whose DrawBackground paints the
    // background its transparent children show. The base has none; a
    // descendant painting transparently overrides these five together.
    virtual TKitCustomControl* BackgroundSource() const { return nullptr; }
    virtual bool HasBackground() const { return false; }
    virtual bool DrawBackground(TCanvas& canvas, const RECT& rect, unsigned flags, POINT origin);
    virtual POINT MapBackgroundPoint(POINT point) const { return point; }
    virtual TKitCustomControl* ParentBackgroundSource() const;

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnGotFocus;
    TNotifyEvent OnLostFocus;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // "Internal": a list of KitContainer, named by its list-file signature.
    void DefineProperties(TFiler& filer) override;
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void DoEnter() override;
    void DoExit() override;
    void DrawDesignFrame();

private:
    // Repaints now and sends Msg (parameters 0) to every child control.
    void RepaintAndTellChildren(UINT msg);

    TKitImageListLink FImageLink;
    bool FMouseOver = false;
    bool FHasFocus = false;
    bool FFlatBorder = false;
    bool FTransparent = false;
    bool FRepaintOnChange = true;
    bool FCtl3D = true;
};
