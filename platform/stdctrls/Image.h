#pragma once
// TImage: shows a picture (here a bitmap from the form resource), painted by
// its parent.

#include "platform/controls/GraphicControl.h"
#include "platform/graphics/Picture.h"

class TImage : public TGraphicControl {
    TESSARO_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

protected:
    void Paint() override;

private:
    void PictureChanged(TObject* sender);
    std::unique_ptr<TPicture> FPicture;
    bool FCenter = false;
    bool FStretch = false;
    bool FTransparent = false;
};
