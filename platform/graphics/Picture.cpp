#include "platform/graphics/Picture.h"

#include "platform/classes/Stream.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/StringUtils.h"

#include <utility>
#include <vector>

namespace {

struct TGraphicClass {
    std::string Name;
    TGraphicFactory Factory;
};

std::vector<TGraphicClass>& GraphicClasses() {
    static std::vector<TGraphicClass> classes = {
        {"TBitmap", []() -> std::unique_ptr<TGraphic> { return std::make_unique<TBitmap>(); }},
    };
    return classes;
}

} // namespace

void RegisterGraphicClass(const std::string& className, TGraphicFactory factory) {
    for (TGraphicClass& c : GraphicClasses())
        if (SameText(c.Name, className)) {
            c.Factory = factory;
            return;
        }
    GraphicClasses().push_back({className, factory});
}

std::unique_ptr<TGraphic> CreateGraphic(const std::string& className) {
    for (const TGraphicClass& c : GraphicClasses())
        if (SameText(c.Name, className))
            return c.Factory();
    return nullptr;
}

const TClassInfo& TPicture::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TPicture>("TPicture");
    return info;
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Install(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic)
        FGraphic->OnChange = TNotifyEvent::Of<&TPicture::Changed>(this);
}

void TPicture::SetGraphic(TGraphic* value) {
    if (value == FGraphic.get())
        return;
    std::unique_ptr<TGraphic> copy;
    if (value) {
        copy = CreateGraphic(value->ClassName());
        if (!copy)
            throw EInvalidGraphic("Unbekannte Grafikklasse " + value->ClassName());
        copy->Assign(value);
    }
    Install(std::move(copy));
    Changed(this);
}

TBitmap* TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get()))
        return bitmap;
    // Empty stays empty, so making the bitmap is no change; replacing another
    // kind of graphic is.
    const bool replaced = FGraphic != nullptr;
    Install(std::make_unique<TBitmap>());
    if (replaced)
        Changed(this);
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::SetBitmap(TBitmap* value) {
    SetGraphic(value);
}

int TPicture::Width() const {
    return FGraphic ? FGraphic->Width() : 0;
}

int TPicture::Height() const {
    return FGraphic ? FGraphic->Height() : 0;
}

void TPicture::Assign(TPersistent* source) {
    if (!source) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
        SetGraphic(picture->Graphic());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::AssignTo(TPersistent* dest) {
    if (auto* graphic = dynamic_cast<TGraphic*>(dest)) {
        graphic->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(dest);
}

void TPicture::LoadFromFile(const std::string& fileName) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromFile(fileName);
    Install(std::move(bitmap));
    Changed(this);
}

void TPicture::SaveToFile(const std::string& fileName) {
    if (FGraphic)
        FGraphic->SaveToFile(fileName);
}

void TPicture::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data", [this](TStream& stream) { ReadData(stream); },
        [this](TStream& stream) { WriteData(stream); }, FGraphic && !FGraphic->Empty());
}

void TPicture::ReadData(TStream& stream) {
    std::unique_ptr<TGraphic> graphic;
    if (stream.GetPosition() < stream.GetSize()) {
        const std::uint8_t length = stream.ReadByte();
        std::string className(length, '\0');
        if (length > 0)
            stream.ReadBuffer(className.data(), length);
        if (!className.empty()) {
            graphic = CreateGraphic(className);
            if (!graphic)
                throw EInvalidGraphic("Unbekannte Grafikklasse " + className);
            graphic->ReadData(stream);
        }
    }
    Install(std::move(graphic));
    Changed(this);
}

void TPicture::WriteData(TStream& stream) {
    const std::string& className = FGraphic->ClassName();
    stream.WriteByte(static_cast<std::uint8_t>(className.size()));
    stream.WriteBuffer(className.data(), static_cast<std::int32_t>(className.size()));
    FGraphic->WriteData(stream);
}

void TPicture::Changed(TObject*) {
    OnChange(this);
}
