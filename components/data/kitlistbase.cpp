#include "components/data/kitlistbase.h"

#include "components/codec/kiterrors.h"
#include "components/codec/kititemstream.h"
#include "components/codec/kitlistfile.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// ---------------------------------------------------------------------------
// TKitChangeLink

const TClassInfo& TKitChangeLink::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitChangeLink>("TKitChangeLink");
    return info;
}

TKitChangeLink::~TKitChangeLink() {
    if (FContainer)
        FContainer->RemoveChangeLink(this);
}

void TKitChangeLink::Change() {
    if (OnChange)
        OnChange(FContainer);
}

// ---------------------------------------------------------------------------
// TKitBaseContainer

const TClassInfo& TKitBaseContainer::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitBaseContainer>("TKitBaseContainer");
    return info;
}

TKitBaseContainer::TKitBaseContainer(TComponent* owner) : TKitComponent(owner) {}

TKitBaseContainer::~TKitBaseContainer() {
    while (FLinks.Count() > 0)
        RemoveChangeLink(FLinks[FLinks.Count() - 1]);
}

void TKitBaseContainer::Change() {
    // A link's handler may unregister links: walk a snapshot and skip those
    // that left meanwhile.
    std::vector<TKitChangeLink*> links;
    for (int i = 0; i < FLinks.Count(); ++i)
        links.push_back(FLinks[i]);
    for (TKitChangeLink* link : links)
        if (FLinks.IndexOf(link) >= 0)
            link->Change();
    TKitComponent::Change();
}

void TKitBaseContainer::AddChangeLink(TKitChangeLink* link) {
    if (!link)
        return;
    if (link->FContainer)
        link->FContainer->RemoveChangeLink(link);
    link->FContainer = this;
    FLinks.Add(link);
}

void TKitBaseContainer::RemoveChangeLink(TKitChangeLink* link) {
    const int index = FLinks.IndexOf(link);
    if (index < 0)
        return;
    link->FContainer = nullptr;
    FLinks.Delete(index);
}

// ---------------------------------------------------------------------------
// TKitListItem

const TClassInfo& TKitListItem::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitListItem>("TKitListItem");
    return info;
}

TKitListItem::TKitListItem(TComponent* owner) : TKitComponent(owner) {}

void TKitListItem::SetDescription(const std::string& value) {
    FDescription = value;
}

void TKitListItem::SetIdent(std::uint16_t value) {
    FIdent = value;
}

std::uint8_t TKitListItem::ItemFlags() {
    std::uint8_t flags = 0;
    if (FCompressed)
        flags |= ItemFlagCompressed;
    if (!FDescription.empty())
        flags |= ItemFlagDescription;
    if (FIdent != 0)
        flags |= ItemFlagIdent;
    return flags;
}

void TKitListItem::Change() {
    TKitComponent::Change();
    auto* container = dynamic_cast<TKitCustomContainer*>(Owner());
    if (container && container->OnChange)
        container->OnChange(this);
}

void TKitListItem::AssignHeader(const TKitListItem& source) {
    FCompressed = source.FCompressed;
    FDescription = source.FDescription;
    FIdent = source.FIdent;
}

std::uint8_t TKitListItem::ReadHeader(TStream& stream) {
    const std::uint8_t flags = ::ReadByte(stream);
    std::string description;
    std::uint16_t ident = 0;
    if (flags & ItemFlagDescription)
        ReadShortStr(stream, description);
    if (flags & ItemFlagIdent)
        ident =
            static_cast<std::uint16_t>(static_cast<std::uint32_t>(::ReadInt32(stream)) & 0xFFFF);
    FCompressed = (flags & ItemFlagCompressed) != 0;
    FDescription = std::move(description);
    FIdent = ident;
    return flags;
}

void TKitListItem::WriteHeader(TStream& stream) {
    const std::uint8_t flags = ItemFlags();
    ::WriteByte(stream, flags);
    if (flags & ItemFlagDescription)
        WriteShortStr(stream, FDescription);
    if (flags & ItemFlagIdent)
        ::WriteInt32(stream, FIdent);
}

TComponent* TKitListItem::GetParentComponent() const {
    return dynamic_cast<TKitCustomContainer*>(Owner());
}

void TKitListItem::ReadState(TFilerReader& reader) {
    const TKitFormDecodeScope form(reader);
    TKitComponent::ReadState(reader);
}

void TKitListItem::SetParentComponent(TComponent* value) {
    if (auto* container = dynamic_cast<TKitCustomContainer*>(value))
        container->AddItem(this);
}

// ---------------------------------------------------------------------------
// TKitCustomContainer

const TClassInfo& TKitCustomContainer::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKitCustomContainer>("TKitCustomContainer", [](TPropertyTable& t) {
            TPropertyBuilder<TKitCustomContainer> p(t);
            p.String("About", &TKitCustomContainer::About, &TKitCustomContainer::SetAbout);
        });
    return info;
}

TKitCustomContainer::TKitCustomContainer(TComponent* owner) : TKitBaseContainer(owner) {}

TKitCustomContainer::~TKitCustomContainer() {
    // The items are owned components. Freed here rather than by the component
    // destruction, so that a plain delete too frees them as a list, without
    // telling each of them of the others.
    DestroyComponents();
}

void TKitCustomContainer::SetItemClass(const TClassInfo& cls, TKitListKind kind) {
    FItemClass = &cls;
    FListKind = kind;
    // The first list of a kind registers its item class for the form reader;
    // later lists leave the registry alone.
    static std::vector<const TClassInfo*> registered;
    if (std::find(registered.begin(), registered.end(), &cls) == registered.end()) {
        RegisterClass(cls);
        registered.push_back(&cls);
    }
}

int TKitCustomContainer::IndexOf(const TKitListItem* item) const {
    return FItems.IndexOf(item);
}

TKitListItem* TKitCustomContainer::MakeItem() {
    TComponent* made = FItemClass && FItemClass->Factory() ? FItemClass->Factory()(this) : nullptr;
    auto* item = dynamic_cast<TKitListItem*>(made);
    if (!item) {
        Free(made);
        throw EAbstractError("Abstrakter Fehler");
    }
    return item;
}

int TKitCustomContainer::List(TKitListItem* item) {
    item->FListed = true;
    return FItems.Add(item);
}

void TKitCustomContainer::Unlist(TKitListItem* item) {
    item->FListed = false;
    // Items mostly leave last first (Clear, the component destruction).
    for (int i = FItems.Count() - 1; i >= 0; --i)
        if (FItems[i] == item) {
            FItems.Delete(i);
            return;
        }
}

int TKitCustomContainer::AddItem(TKitListItem* item) {
    if (!item)
        item = MakeItem();
    else if (item->Owner() != this)
        InsertComponent(item);
    const int index = item->FListed ? FItems.IndexOf(item) : List(item);
    Change();
    return index;
}

void TKitCustomContainer::CopyItems(const TKitCustomContainer& source) {
    // A snapshot, so copying a container into itself cannot run forever.
    std::vector<TKitListItem*> items;
    for (int i = 0; i < source.Count(); ++i)
        items.push_back(source.Items(i));
    for (TKitListItem* from : items) {
        TKitListItem* item = MakeItem();
        List(item);
        item->Assign(from);
    }
    Change();
}

void TKitCustomContainer::Clear() {
    while (FItems.Count() > 0) {
        TKitListItem* item = FItems[FItems.Count() - 1];
        Unlist(item);
        Free(item);
    }
    Change();
}

void TKitCustomContainer::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TKitCustomContainer*>(source);
    if (other && other->InheritsFrom(ClassType())) {
        if (other == this)
            return;
        UpdateAsOneChange([&] {
            Clear();
            AssignSettings(*other);
            CopyItems(*other);
        });
        return;
    }
    TKitBaseContainer::Assign(source);
}

void TKitCustomContainer::AssignSettings(const TKitCustomContainer& source) {
    FDefaultCompressed = source.FDefaultCompressed;
}

void TKitCustomContainer::ReadItems(TStream& stream, bool withOffsets) {
    const TKitDecodeBudget budget(FDecodeLimit);
    UpdateAsOneChange([&] {
        Clear();
        const std::int32_t count = ::ReadInt32(stream);
        if (count <= 0)
            return;
        // Every record is at least its flags byte, so a count the rest of
        // the stream cannot hold is damage, found before any item is made.
        const std::int64_t need = std::int64_t{count} * (withOffsets ? 5 : 1);
        if (need > StreamRemaining(stream))
            RaiseStreamRead();
        if (withOffsets)
            stream.Seek(std::int64_t{count} * 4, TSeekOrigin::soCurrent);
        for (std::int32_t i = 0; i < count; ++i)
            Items(AddItem())->ReadItemData(stream);
    });
}

void TKitCustomContainer::WriteItems(TStream& stream, bool withOffsets) {
    const std::int32_t count = Count();
    if (withOffsets) {
        WriteItemBlockWithOffsets(stream, count,
                                  [this](TStream& s, int i) { Items(i)->WriteItemData(s); });
        return;
    }
    ::WriteInt32(stream, count);
    for (std::int32_t i = 0; i < count; ++i)
        Items(i)->WriteItemData(stream);
}

void TKitCustomContainer::SaveToListStream(TStream& stream) {
    WriteListFile(stream, FListKind, Count(),
                  [this](TStream& s, int i) { Items(i)->WriteItemData(s); });
}

void TKitCustomContainer::LoadFromListStream(TStream& stream, const std::string& fileName) {
    std::int32_t count = 0;
    TList table;
    // The signature, the count and every offset are checked before a thing
    // is made; each record is then read where the table says it is.
    const std::uint8_t kind = ReadListFileHeader(stream, fileName, count, &table);
    if (kind != static_cast<std::uint8_t>(FListKind))
        RaiseListFileError(fileName);
    const TKitDecodeBudget budget(FDecodeLimit);
    UpdateAsOneChange([&] {
        Clear();
        for (int i = 0; i < count; ++i) {
            TKitListItem* item = Items(AddItem());
            ReadListFileItem(stream, &table, i, [item](TStream& s) { item->ReadItemData(s); });
        }
    });
}

void TKitCustomContainer::SaveToListFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToListStream(file);
}

void TKitCustomContainer::LoadFromListFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead);
    LoadFromListStream(file, fileName);
}

void TKitCustomContainer::ReadState(TFilerReader& reader) {
    const TKitFormDecodeScope form(reader);
    const TKitDecodeBudget budget(FDecodeLimit);
    TKitBaseContainer::ReadState(reader);
}

void TKitCustomContainer::GetChildren(const std::function<void(TComponent*)>& proc,
                                      TComponent* /*root*/) {
    for (int i = 0; i < FItems.Count(); ++i)
        proc(FItems[i]);
}

void TKitCustomContainer::Notification(TComponent* component, TOperation operation) {
    TKitBaseContainer::Notification(component, operation);
    // An item freed on its own, or taken by another owner, leaves the sequence.
    if (operation == opRemove)
        if (auto* item = dynamic_cast<TKitListItem*>(component);
            item && item->Owner() == this && item->FListed)
            Unlist(item);
}
