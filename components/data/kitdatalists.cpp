#include "components/data/kitdatalists.h"

#include "components/codec/kititemstream.h"
#include "components/data/kitwave.h"
#include "platform/classes/Properties.h"
#include "platform/classes/StringList.h"

// ---------------------------------------------------------------------------
// TKitStringListItem

const TClassInfo& TKitStringListItem::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKitStringListItem>("TKitStringListItem", [](TPropertyTable& t) {
            TPropertyBuilder<TKitStringListItem> p(t);
            p.Object("Items", &TKitStringListItem::Items);
            p.String("Description", &TKitStringListItem::Description,
                     &TKitStringListItem::SetDescription);
            p.Integer("Ident", &TKitStringListItem::Ident, &TKitStringListItem::SetIdent, 0);
        });
    return info;
}

TKitStringListItem::TKitStringListItem(TComponent* owner)
    : TKitListItem(owner), FItems(std::make_unique<TStringList>()) {}

TKitStringListItem::~TKitStringListItem() = default;

TStrings* TKitStringListItem::Items() const {
    return FItems.get();
}

void TKitStringListItem::SetItems(TStrings* value) {
    FItems->Assign(value);
}

void TKitStringListItem::ClearData() {
    FItems->Clear();
}

bool TKitStringListItem::DataEmpty() {
    return FItems->Count() == 0;
}

std::uint8_t TKitStringListItem::ItemFlags() {
    std::uint8_t flags = TKitListItem::ItemFlags();
    if (FItems->Count() > 0)
        flags |= ItemFlagData;
    return flags;
}

void TKitStringListItem::WriteItemData(TStream& stream) {
    WriteHeader(stream);
    if (FItems->Count() > 0)
        WriteStrings(stream, *FItems, Compressed());
}

void TKitStringListItem::ReadItemData(TStream& stream) {
    if (ReadHeader(stream) & ItemFlagData)
        ReadStrings(stream, *FItems, Compressed());
    else
        FItems->Clear();
}

void TKitStringListItem::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (auto* item = dynamic_cast<TKitStringListItem*>(source)) {
        AssignHeader(*item);
        FItems->Assign(item->FItems.get());
        return;
    }
    if (auto* strings = dynamic_cast<TStrings*>(source)) {
        FItems->Assign(strings);
        return;
    }
    TKitListItem::Assign(source);
}

void TKitStringListItem::DefineProperties(TFiler& filer) {
    TKitListItem::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Internal", [this](TStream& s) { ReadItemData(s); },
        [this](TStream& s) { WriteItemData(s); }, true);
}

// ---------------------------------------------------------------------------
// TKitWaveListItem

const TClassInfo& TKitWaveListItem::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKitWaveListItem>("TKitWaveListItem", [](TPropertyTable& t) {
            TPropertyBuilder<TKitWaveListItem> p(t);
            p.Object("Wave", &TKitWaveListItem::Wave);
            p.String("Description", &TKitWaveListItem::Description,
                     &TKitWaveListItem::SetDescription);
            p.Integer("Ident", &TKitWaveListItem::Ident, &TKitWaveListItem::SetIdent, 0);
        });
    return info;
}

TKitWaveListItem::TKitWaveListItem(TComponent* owner)
    : TKitListItem(owner), FWave(std::make_unique<TKitWave>()) {
    FWave->OnChange = TNotifyEvent::Of<&TKitCustomComponent::SubObjectChanged>(this);
}

TKitWaveListItem::~TKitWaveListItem() {
    // Freeing the wave reports nothing to a half-destroyed item.
    FWave->OnChange = {};
}

void TKitWaveListItem::SetWave(TKitWave* value) {
    FWave->Assign(value);
}

void TKitWaveListItem::ClearData() {
    FWave->Clear();
}

bool TKitWaveListItem::DataEmpty() {
    return FWave->Empty();
}

std::uint8_t TKitWaveListItem::ItemFlags() {
    std::uint8_t flags = TKitListItem::ItemFlags();
    if (!FWave->Empty())
        flags |= ItemFlagData;
    return flags;
}

void TKitWaveListItem::WriteItemData(TStream& stream) {
    WriteHeader(stream);
    if (!FWave->Empty())
        WriteWave(stream, *FWave, Compressed());
}

void TKitWaveListItem::ReadItemData(TStream& stream) {
    if (ReadHeader(stream) & ItemFlagData)
        ReadWave(stream, *FWave, Compressed());
    else
        FWave->Clear();
}

void TKitWaveListItem::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (auto* item = dynamic_cast<TKitWaveListItem*>(source)) {
        AssignHeader(*item);
        FWave->Assign(item->FWave.get());
        return;
    }
    TKitListItem::Assign(source);
}

void TKitWaveListItem::DefineProperties(TFiler& filer) {
    TKitListItem::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Internal", [this](TStream& s) { ReadItemData(s); },
        [this](TStream& s) { WriteItemData(s); }, true);
}

// ---------------------------------------------------------------------------
// The lists

const TClassInfo& TKitStringList::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitStringList>("TKitStringList");
    return info;
}

TKitStringList::TKitStringList(TComponent* owner) : TKitCustomContainer(owner) {
    SetItemClass(TKitStringListItem::StaticClassInfo(), lkStringList);
}

TKitStringListItem* TKitStringList::Items(int index) const {
    return static_cast<TKitStringListItem*>(TKitCustomContainer::Items(index));
}

const TClassInfo& TKitWaveList::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitWaveList>("TKitWaveList");
    return info;
}

TKitWaveList::TKitWaveList(TComponent* owner) : TKitCustomContainer(owner) {
    SetItemClass(TKitWaveListItem::StaticClassInfo(), lkWaveList);
}

TKitWaveListItem* TKitWaveList::Items(int index) const {
    return static_cast<TKitWaveListItem*>(TKitCustomContainer::Items(index));
}
