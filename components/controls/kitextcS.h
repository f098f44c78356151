#pragma once
// TKitFill: a non-windowed control that paints its bevel, a fill (brush,
// bitmap, an image of a kit image list, or a gradient) inside it, and a
// caption over the fill. The main window's gradient scale is one.

#include "components/settings/kitcaption.h"
#include "components/controls/kitctrl.h"
#include "components/settings/kitfillobject.h"

#include <memory>

class TKitFill : public TKitGraphicControl {
    TESSARO_CLASS(TKitFill, TKitGraphicControl)
public:
    explicit TKitFill(TComponent* owner);
    ~TKitFill() override;

    TKitCaption* Caption() const { return FCaption.get(); }
    void SetCaption(TKitCaption* value) { FCaption->Assign(value); }
    TKitFillObject* FillObject() const { return FFillObject.get(); }
    void SetFillObject(TKitFillObject* value) { FFillObject->Assign(value); }

    // When the fill object changed, Transparent follows it; every change
    // redraws.
    void ObjectChanged(TObject* sender) override;
    bool IsEmpty() const override;
    // Copies the selected image of the list into the fill object's list
    // bitmap, or empties it when the image is missing.
    void ImageListChanged(TObject* sender) override;
    // The palette of the fill in use, for palette realisation.
    HPALETTE GetPalette() const override { return FFillObject->FillPalette(); }

    // The flags the caption is painted with: clip to the inner rectangle,
    // plus enabled (0x0002) or disabled (0x0001).
    std::uint16_t CaptionFlags() const;

protected:
    void Paint() override;
    // Bevel, fill and caption; an Exception here ends the paint quietly.
    virtual void PaintLayers();

private:
    void OwnedObjectChanged(TObject* sender) { ObjectChanged(sender); }
    std::unique_ptr<TKitCaption> FCaption;
    std::unique_ptr<TKitFillObject> FFillObject;
};

void RegisterKitControls();
