#pragma once
// What all kit lists share: change links by which controls learn that a list
// they use changed, the container that calls them, the abstract list item
// with its record header, and the abstract list that owns its items and
// streams them as child components, as item blocks and as list files.

#include "components/codec/kitlistfile.h"
#include "components/base/kitobject.h"
#include "components/base/kitpathprefix.h"
#include "platform/classes/Event.h"
#include "platform/classes/List.h"

#include <cstdint>
#include <string>

class TKitBaseContainer;
class TStream;

// Where a bitmap-list item fetches an empty bitmap from.
enum class TKitSourceKind { skMemory, skListFile, skResource, skLibrary, skFile };
using enum TKitSourceKind;

// Item flag bits of the record header; item classes add their own above.
inline constexpr std::uint8_t ItemFlagCompressed = 0x01;
inline constexpr std::uint8_t ItemFlagDescription = 0x02;
inline constexpr std::uint8_t ItemFlagIdent = 0x04;
// Data follows the header (string, wave and bitmap items).
inline constexpr std::uint8_t ItemFlagData = 0x08;

// Held and freed by a control; never owned by the container.
class TKitChangeLink : public TObject {
    TESSARO_CLASS(TKitChangeLink, TObject)
public:
    TKitChangeLink() = default;
    // Unregisters from its container first.
    ~TKitChangeLink() override;

    TKitBaseContainer* Container() const { return FContainer; }
    // Calls OnChange with Container as Sender.
    virtual void Change();

    TNotifyEvent OnChange;

private:
    friend class TKitBaseContainer;
    TKitBaseContainer* FContainer = nullptr;
};

class TKitBaseContainer : public TKitComponent {
    TESSARO_CLASS(TKitBaseContainer, TKitComponent)
public:
    explicit TKitBaseContainer(TComponent* owner);
    // Unregisters every remaining link, last first; the links stay alive.
    ~TKitBaseContainer() override;

    // Calls every link in registration order (also during an update), then
    // the own OnChange unless an update is open.
    void Change() override;

    // A link already registered here or with another container is moved to
    // the end of this container's list, never held twice.
    void AddChangeLink(TKitChangeLink* link);
    // A link not registered here is left alone.
    void RemoveChangeLink(TKitChangeLink* link);
    int ChangeLinkCount() const { return FLinks.Count(); }
    TKitChangeLink* ChangeLink(int index) const { return FLinks[index]; }

private:
    TListOf<TKitChangeLink> FLinks;
};

class TKitListItem : public TKitComponent {
    TESSARO_CLASS(TKitListItem, TKitComponent)
public:
    explicit TKitListItem(TComponent* owner);

    const std::string& Description() const { return FDescription; }
    void SetDescription(const std::string& value);
    std::uint16_t Ident() const { return FIdent; }
    void SetIdent(std::uint16_t value);
    bool Compressed() const { return FCompressed; }
    void SetCompressed(bool value) { FCompressed = value; }

    virtual void ClearData() = 0;
    virtual bool DataEmpty() = 0;
    // The whole record: header, then the item class's data.
    virtual void ReadItemData(TStream& stream) = 0;
    virtual void WriteItemData(TStream& stream) = 0;
    // Header bits of Compressed, Description and Ident; item classes add theirs.
    virtual std::uint8_t ItemFlags();

    // The own OnChange (unless updating), then the owning container's
    // OnChange with this item as Sender.
    void Change() override;

    // Copies Compressed, Description and Ident.
    void AssignHeader(const TKitListItem& source);
    // Reads flags, description and ident; returns the flags byte.
    std::uint8_t ReadHeader(TStream& stream);
    void WriteHeader(TStream& stream);

    // Read from a form, its data decodes within the form's one budget.
    void ReadState(TFilerReader& reader) override;
    // An item read from a form resource joins the container it is read into.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* value) override;

private:
    friend class TKitCustomContainer;
    std::string FDescription;
    std::uint16_t FIdent = 0;
    bool FCompressed = false;
    // In the item sequence of its owner, so a container finds out without a
    // search.
    bool FListed = false;
};

class TKitCustomContainer : public TKitBaseContainer {
    TESSARO_CLASS(TKitCustomContainer, TKitBaseContainer)
public:
    explicit TKitCustomContainer(TComponent* owner);
    ~TKitCustomContainer() override;

    int Count() const { return FItems.Count(); }
    // An index outside raises EListError.
    TKitListItem* Items(int index) const { return FItems[index]; }
    int IndexOf(const TKitListItem* item) const;

    const TClassInfo* ItemClass() const { return FItemClass; }
    TKitListKind ListKind() const { return FListKind; }

    bool DefaultCompressed() const { return FDefaultCompressed; }
    void SetDefaultCompressed(bool value) { FDefaultCompressed = value; }
    TKitSourceKind SourceKind() const { return FSourceKind; }
    void SetSourceKind(TKitSourceKind value) { FSourceKind = value; }
    TKitPathPrefix SourcePrefix() const { return FSourcePrefix; }
    void SetSourcePrefix(TKitPathPrefix value) { FSourcePrefix = value; }
    const std::string& SourceFile() const { return FSourceFile; }
    void SetSourceFile(const std::string& value) { FSourceFile = value; }
    // What the data blocks of one ReadItems, list-file load or form read
    // may decode to together; beyond it the read fails with EKitDecodeLimit.
    std::int64_t DecodeLimit() const { return FDecodeLimit; }
    void SetDecodeLimit(std::int64_t value) { FDecodeLimit = value; }

    // Item null: a new item of ItemClass owned by this container. An item
    // already in the list is not added again. Returns its index.
    int AddItem(TKitListItem* item = nullptr);
    // New items of ItemClass, each copying the source's item in order.
    void CopyItems(const TKitCustomContainer& source);
    // Frees every item.
    void Clear();

    // A container of this class (or a descendant): its settings and a copy
    // of every item, reported as one change. Assigning a container to itself
    // changes nothing.
    void Assign(TPersistent* source) override;

    // The item block: Count, with Offsets a table of absolute stream
    // positions, then the records. Read with the Offsets it was written with.
    virtual void ReadItems(TStream& stream, bool withOffsets);
    virtual void WriteItems(TStream& stream, bool withOffsets);

    // A whole list file of this list's kind.
    void SaveToListStream(TStream& stream);
    // Reads each item at the position the offset table gives for it. Raises
    // the list-file error for a stream of another kind or a damaged table.
    void LoadFromListStream(TStream& stream, const std::string& fileName);
    void SaveToListFile(const std::string& fileName);
    void LoadFromListFile(const std::string& fileName);

    // Read from a form, the items' records decode together within
    // DecodeLimit, as those of a list file do, and within the one budget of
    // everything the form holds.
    void ReadState(TFilerReader& reader) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    TComponent* GetChildOwner() override { return this; }
    void Notification(TComponent* component, TOperation operation) override;

protected:
    // Items hear nothing of each other coming and going: n of them are
    // loaded, read and freed in time linear in n.
    bool NotifiesOwnedComponents() const override { return false; }
    // Set by each list class's constructor; the first list of a kind
    // registers its item class with the class registry.
    void SetItemClass(const TClassInfo& cls, TKitListKind kind);
    // Assign's part between clearing and copying the items: the list's own
    // settings (here DefaultCompressed).
    virtual void AssignSettings(const TKitCustomContainer& source);

private:
    // A new item of ItemClass owned by this container, not yet listed.
    TKitListItem* MakeItem();
    int List(TKitListItem* item);
    void Unlist(TKitListItem* item);

    TListOf<TKitListItem> FItems;
    const TClassInfo* FItemClass = nullptr;
    TKitListKind FListKind = lkImageList;
    bool FDefaultCompressed = false;
    TKitSourceKind FSourceKind = skMemory;
    TKitPathPrefix FSourcePrefix = ppProgram;
    std::string FSourceFile;
    std::int64_t FDecodeLimit = KitDefaultDecodeLimit;
};
