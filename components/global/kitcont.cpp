#include "components/global/kitcont.h"

#include "components/imagelists/kitbitmaplist.h"
#include "components/data/kitdatalists.h"
#include "components/imagelists/kitimagelist.h"
#include "platform/classes/Persistent.h"

TKitContainer* KitContainer = nullptr;

const TClassInfo& TKitContainer::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitContainer>("TKitContainer");
    return info;
}

TKitContainer::TKitContainer(TComponent* owner) : TKitBaseContainer(owner) {
    // Each list's first construction registers its item class, so this order
    // is also the order of registration.
    FBitmaps = new TKitBitmapList(this);
    Adopt(FBitmaps);
    FImages = new TKitImageList(this);
    Adopt(FImages);
    FStrings = new TKitStringList(this);
    Adopt(FStrings);
    FWaves = new TKitWaveList(this);
    Adopt(FWaves);
}

TKitContainer::~TKitContainer() {
    DetachLists();
}

void TKitContainer::BeforeDestruction() {
    // Freeing the lists reports nothing to the container.
    DetachLists();
    TKitBaseContainer::BeforeDestruction();
}

void TKitContainer::DetachLists() {
    TKitCustomContainer* lists[] = {FBitmaps, FImages, FStrings, FWaves};
    for (TKitCustomContainer* list : lists)
        if (list)
            list->OnChange = {};
}

void TKitContainer::Notification(TComponent* component, TOperation operation) {
    TKitBaseContainer::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == FBitmaps)
        FBitmaps = nullptr;
    if (component == FImages)
        FImages = nullptr;
    if (component == FStrings)
        FStrings = nullptr;
    if (component == FWaves)
        FWaves = nullptr;
}

void TKitContainer::Adopt(TKitCustomContainer* list) {
    if (list)
        list->OnChange = TNotifyEvent::Of<&TKitCustomComponent::SubObjectChanged>(this);
}

void TKitContainer::SubObjectChanged(TObject* sender) {
    if (ComponentState().Contains(csDesigning) && KitContainer && KitContainer != this) {
        TKitCustomContainer* own[] = {FBitmaps, FImages, FWaves, FStrings};
        TKitCustomContainer* global[] = {KitContainer->FBitmaps, KitContainer->FImages,
                                         KitContainer->FWaves, KitContainer->FStrings};
        for (int i = 0; i < 4; ++i)
            if (own[i] && sender == own[i] && global[i])
                global[i]->Assign(own[i]);
    }
    TKitBaseContainer::SubObjectChanged(sender);
}

void InitializeKitcont() {
    if (!KitContainer)
        KitContainer = new TKitContainer(nullptr);
}

void FinalizeKitcont() {
    FreeAndNil(KitContainer);
}

bool IsGlobalList(const TKitCustomContainer* list) {
    return list && KitContainer &&
           (list == KitContainer->Bitmaps() || list == KitContainer->Images());
}

void WriteListReference(TFilerWriter& writer, const TKitCustomContainer* list) {
    // A list that is no longer global is written as a string naming none,
    // so the property still has its value.
    if (list && KitContainer && list == KitContainer->Bitmaps())
        writer.WriteString(GlobalBitmapListReference);
    else if (list && KitContainer && list == KitContainer->Images())
        writer.WriteString(GlobalImageListReference);
    else
        writer.WriteString(std::string());
}

TKitCustomImageList* GlobalListFromReference(const std::string& reference) {
    if (!KitContainer)
        return nullptr;
    if (reference == GlobalImageListReference)
        return KitContainer->Images();
    if (reference == GlobalBitmapListReference)
        return KitContainer->Bitmaps();
    return nullptr;
}

TKitCustomImageList* ReadListReference(TFilerReader& reader) {
    return GlobalListFromReference(reader.ReadString());
}
