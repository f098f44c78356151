#include "components/controls/kitimagelink.h"

#include "components/global/kitcont.h"
#include "components/imagelists/kitimagelistbase.h"
#include "components/data/kitlistbase.h"
#include "platform/classes/Persistent.h"

TKitImageListLink::TKitImageListLink(TComponent& control, const TNotifyEvent& changed)
    : FControl(control), FChangeLink(std::make_unique<TKitChangeLink>()) {
    FChangeLink->OnChange = changed;
}

TKitImageListLink::~TKitImageListLink() {
    FChangeLink->OnChange.Clear();
    FChangeLink.reset(); // leaves the list it is registered with
}

void TKitImageListLink::Attach(TKitCustomImageList* value) {
    if (FList)
        FList->RemoveChangeLink(FChangeLink.get());
    FList = value;
    if (value) {
        value->AddChangeLink(FChangeLink.get());
        value->FreeNotification(&FControl);
    }
}

bool TKitImageListLink::IsRemoval(const TComponent* component, TOperation operation) const {
    return operation == opRemove && component && component == FList;
}

void TKitImageListLink::DefineProperty(TFiler& filer,
                                       const std::function<void(TKitCustomImageList*)>& setList) {
    filer.DefineProperty(
        "Internal",
        [setList](TFilerReader& reader) {
            setList(dynamic_cast<TKitCustomImageList*>(ReadListReference(reader)));
        },
        [this](TFilerWriter& writer) { WriteListReference(writer, FList); }, IsGlobalList(FList));
}
