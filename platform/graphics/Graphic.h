#pragma once
// TGraphic: a picture that can draw itself on a canvas and be stored in a
// stream, a file or a form resource (its "Data" property). TBitmap is the
// one kind this system has; TPicture holds any kind.

#include "platform/classes/Event.h"
#include "platform/classes/Persistent.h"
#include "platform/graphics/Canvas.h"

#include <string>

class TStream;

class TGraphic : public TPersistent {
    TESSARO_CLASS(TGraphic, TPersistent)
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int value) = 0;
    // Whether the graphic leaves parts of what it is drawn on visible.
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);

    // The graphic's file format, from the stream's current position on.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    // Draws the graphic scaled into Rect of Canvas.
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;

    // The graphic as a form resource stores it; the base uses the file format.
    virtual void ReadData(TStream& stream);
    virtual void WriteData(TStream& stream);
    // "Data": the graphic's form data; not stored while the graphic is empty.
    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

    bool FTransparent = false;
};
