#pragma once
// TPicture: holds one graphic of any registered kind (in this system always
// a TBitmap when not empty) and stores it in form resources as the binary
// property "Data": the graphic's class name as a short string, then the
// graphic's own form data.

#include "platform/classes/Event.h"
#include "platform/classes/Persistent.h"
#include "platform/graphics/Graphic.h"

#include <memory>
#include <string>

class TBitmap;
class TStream;

// Makes an empty graphic of one class; the picture looks classes up by the
// name stored in its data. TBitmap is known from the start.
using TGraphicFactory = std::unique_ptr<TGraphic> (*)();
void RegisterGraphicClass(const std::string& className, TGraphicFactory factory);
// An empty graphic of that class (names compare case-insensitively), or
// null when none is registered.
std::unique_ptr<TGraphic> CreateGraphic(const std::string& className);

class TPicture : public TPersistent {
    TESSARO_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;

    // The graphic, null while the picture has none.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Copies Value into a graphic of its own class; null empties the picture.
    void SetGraphic(TGraphic* value);
    // The graphic as a bitmap; an empty bitmap replaces anything else.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* value);
    int Width() const;
    int Height() const;

    // From a picture, a graphic, or null (empties).
    void Assign(TPersistent* source) override;
    // A bitmap file.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* dest) override;
    virtual void Changed(TObject* sender);

private:
    void Install(std::unique_ptr<TGraphic> graphic);
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);

    std::unique_ptr<TGraphic> FGraphic;
};
