#pragma once
// The kit's global container: one list of each kind, made at start-up and
// freed at shutdown, and the "Internal" form data by which a control refers
// to one of its two image lists.

#include "components/data/kitlistbase.h"

#include <string>

class TKitBitmapList;
class TKitCustomImageList;
class TKitImageList;
class TKitStringList;
class TKitWaveList;
class TFilerReader;
class TFilerWriter;

// The "Internal" strings naming the global image lists.
inline constexpr const char* GlobalBitmapListReference = "KITBML30";
inline constexpr const char* GlobalImageListReference = "KITIML30";

class TKitContainer : public TKitBaseContainer {
    TESSARO_CLASS(TKitContainer, TKitBaseContainer)
public:
    explicit TKitContainer(TComponent* owner);
    ~TKitContainer() override;

    // Each list is null once it was freed on its own.
    TKitBitmapList* Bitmaps() const { return FBitmaps; }
    TKitImageList* Images() const { return FImages; }
    TKitWaveList* Waves() const { return FWaves; }
    TKitStringList* Strings() const { return FStrings; }

    // While designing, copies a list that changed as a whole into the same
    // list of KitContainer; then reports the change.
    void SubObjectChanged(TObject* sender) override;
    void BeforeDestruction() override;
    // A list freed on its own is no longer the container's.
    void Notification(TComponent* component, TOperation operation) override;

private:
    void DetachLists();
    void Adopt(TKitCustomContainer* list);

    TKitBitmapList* FBitmaps = nullptr;
    TKitImageList* FImages = nullptr;
    TKitWaveList* FWaves = nullptr;
    TKitStringList* FStrings = nullptr;
};

// The global container; null before start-up and after shutdown, which
// every user treats as "no global list".
extern TKitContainer* KitContainer;

// Unit start-up and shutdown: after InitializeKitclass. Making the container
// registers the four item classes: bitmap, image, string, wave.
void InitializeKitcont();
void FinalizeKitcont();

// Has-data test of "Internal": List is one of KitContainer's image lists.
bool IsGlobalList(const TKitCustomContainer* list);
// Writes the string naming List (which IsGlobalList accepted).
void WriteListReference(TFilerWriter& writer, const TKitCustomContainer* list);
// The global image list the string names, or null for any other string.
TKitCustomImageList* ReadListReference(TFilerReader& reader);
// The same on the string itself.
TKitCustomImageList* GlobalListFromReference(const std::string& reference);
