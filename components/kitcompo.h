#pragma once
// The base of the kit's non-visual components: the same change protocol as
// the kit's settings objects (TKitObject), on a TComponent.

#include "platform/classes/Component.h"
#include "platform/classes/Event.h"

#include <string>

// Storage of the About property some components publish; nothing reads it.
// Holds at most KitAboutMaxLength characters.
using TKitAboutVar = std::string;
inline constexpr std::size_t KitAboutMaxLength = 10;

class TKitCustomComponent : public TComponent {
    TESSARO_CLASS(TKitCustomComponent, TComponent)
public:
    using TComponent::TComponent;

    // Fires OnChange with this component as Sender, unless an update is open.
    virtual void Change();
    // Target for the change events of owned sub-objects: reports them as a
    // change of this component.
    virtual void SubObjectChanged(TObject* sender);
    void BeginUpdate() { FUpdating = true; }
    // Closes the update (one flag, not a counter); Notify reports the whole
    // batch as one change.
    void EndUpdate(bool notify);
    bool Updating() const { return FUpdating; }

    const TKitAboutVar& About() const { return FAbout; }
    // Cut to KitAboutMaxLength characters, as the stored short string is.
    void SetAbout(const TKitAboutVar& value);

    TNotifyEvent OnChange;

private:
    TKitAboutVar FAbout;
    bool FUpdating = false;
};
