#pragma once
// The link of a kit control to one image list: the change link registered
// with the list, the free notification that lets the control drop a list
// that is destroyed, and the "Internal" reference to the global container's
// lists that a form resource stores instead of a component reference.

#include "platform/classes/Component.h"
#include "platform/classes/Event.h"

#include <functional>
#include <memory>

class TKitChangeLink;
class TKitCustomImageList;

class TKitImageListLink {
public:
    // Changed receives the list's change reports.
    TKitImageListLink(TComponent& control, const TNotifyEvent& changed);
    ~TKitImageListLink();
    TKitImageListLink(const TKitImageListLink&) = delete;
    TKitImageListLink& operator=(const TKitImageListLink&) = delete;

    TKitCustomImageList* List() const { return FList; }
    TKitChangeLink* ChangeLink() const { return FChangeLink.get(); }
    // Takes the change link from the current list and registers it with
    // Value, also when Value is the list already set.
    void Attach(TKitCustomImageList* value);
    // Whether a notification reports the destruction of the list.
    bool IsRemoval(const TComponent* component, TOperation operation) const;
    // Defines "Internal"; the value read goes to SetList.
    void DefineProperty(TFiler& filer, const std::function<void(TKitCustomImageList*)>& setList);

private:
    TComponent& FControl;
    TKitCustomImageList* FList = nullptr;
    std::unique_ptr<TKitChangeLink> FChangeLink;
};
