#pragma once
// The bases of the kit's non-windowed controls: TKitBaseControl (image-list
// link with its "Internal" reference to the global lists, mouse-enter,
// mouse-leave and bounds-change events, design frame), TKitBaseGraphicControl
// (transparency and the redraw it implies) and TKitGraphicControl (an owned
// bevel).

#include "components/settings/kitbevel.h"
#include "components/base/kitcompo.h"
#include "components/controls/kitimagelink.h"
#include "components/controls/kitmessages.h"
#include "platform/controls/GraphicControl.h"

#include <memory>

class TKitChangeLink;
class TKitCustomImageList;

enum class TKitBoundsChange { bcSize, bcMove };
using enum TKitBoundsChange;
using TKitBoundsChanges = TSet<TKitBoundsChange>;
using TKitBoundsChangeEvent = TEvent<TObject*, TKitBoundsChanges>;

class TKitBaseControl : public TGraphicControl {
    TESSARO_CLASS(TKitBaseControl, TGraphicControl)
public:
    explicit TKitBaseControl(TComponent* owner);
    ~TKitBaseControl() override;

    const TKitAboutVar& About() const { return FAbout; }
    void SetAbout(const TKitAboutVar& value);
    TKitCustomImageList* ImageList() const { return FImageLink.List(); }
    void SetImageList(TKitCustomImageList* value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndexValue(int value) { SetImageIndex(0, value); }
    int ListIndex() const { return FListIndex; }
    void SetListIndexValue(int value) { SetImageIndex(1, value); }
    // Index 0 writes ImageIndex, 1 ListIndex; negative and equal values are
    // ignored.
    void SetImageIndex(int index, int value);
    // Stored as a reference only when the list belongs to no global container.
    bool IsImageListStored() const;
    // No list, or the list does not hold the image at (ListIndex, ImageIndex).
    bool ImageMissing() const;
    TKitChangeLink* ChangeLink() const { return FImageLink.ChangeLink(); }

    void SetBounds(int left, int top, int width, int height) override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler& filer) override;
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TKitBoundsChangeEvent OnBoundsChange;

    virtual void BoundsChange(TKitBoundsChanges changes);
    virtual bool UsesParentBackground() const { return false; }
    // Where owned objects and the image-list link report their changes.
    virtual void ObjectChanged(TObject* sender);
    virtual bool IsEmpty() const { return true; }
    virtual void ImageListChanged(TObject* sender);
    virtual void MouseEnter();
    virtual void MouseLeave();

protected:
    void DrawDesignFrame();

private:
    void ChangeLinkFired(TObject* sender);
    TKitAboutVar FAbout;
    int FImageIndex = 0;
    int FListIndex = 0;
    TKitImageListLink FImageLink;
};

class TKitBaseGraphicControl : public TKitBaseControl {
    TESSARO_CLASS(TKitBaseGraphicControl, TKitBaseControl)
public:
    explicit TKitBaseGraphicControl(TComponent* owner);

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // Repaints: a transparent control through its parent, background first;
    // an opaque one by invalidating its area without erasing and updating the
    // parent at once.
    void Redraw();

    bool UsesParentBackground() const override;
    void ObjectChanged(TObject* sender) override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    bool FTransparent = true;
};

class TKitGraphicControl : public TKitBaseGraphicControl {
    TESSARO_CLASS(TKitGraphicControl, TKitBaseGraphicControl)
public:
    explicit TKitGraphicControl(TComponent* owner);
    ~TKitGraphicControl() override;

    TKitBevel* Bevel() const { return FBevel.get(); }
    // Copies Value into the owned bevel.
    void SetBevel(TKitBevel* value);
    int BevelExtent() const { return FBevel->Extent(); }

protected:
    void Paint() override;

private:
    void BevelChanged(TObject* sender) { ObjectChanged(sender); }
    std::unique_ptr<TKitBevel> FBevel;
};
