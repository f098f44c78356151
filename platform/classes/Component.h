#pragma once
// TComponent: ownership, names, state, notifications and the two-step
// destruction. An owner frees what it owns, last inserted first. Free(obj)
// first runs BeforeDestruction while the whole object is alive (state
// csDestroying, owned components freed, everyone notified), then deletes it.

#include "platform/classes/Event.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Set.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TComponentStateFlag {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance,
};
using TComponentState = TSet<TComponentStateFlag>;
using enum TComponentStateFlag;

enum class TOperation { opInsert, opRemove };
using enum TOperation;

class TFilerReader;

class TComponent : public TPersistent {
    TESSARO_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    // Renames; the name must be an identifier (or empty) and unique among the
    // owner's components, else EComponentError.
    virtual void SetName(const std::string& value);
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t value) { FTag = value; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    const std::vector<TComponent*>& ComponentList() const { return FComponents; }
    TComponent* FindComponent(const std::string& name) const;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last first.
    void DestroyComponents();

    TComponentState ComponentState() const { return FComponentState; }
    bool Loading() const { return FComponentState.Contains(csLoading); }
    bool Destroying() const { return FComponentState.Contains(csDestroying); }

    // Asks to be told (Notification with opRemove) when Component is freed;
    // the request is mutual.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Points Field at Value and moves the free notification with it; the
    // owner of Field clears it in Notification when the component is freed.
    template <class T> void ReplaceReference(T*& field, T* value) {
        if (value == field)
            return;
        if (field)
            field->RemoveFreeNotification(this);
        field = value;
        if (value)
            value->FreeNotification(this);
    }

    // Called when Component is inserted into or removed from this component's
    // owner tree, or freed while on the free-notification list. The base
    // passes it on to every owned component (unless NotifiesOwnedComponents
    // says no): those present when the walk starts and still owned when their
    // turn comes, each once; handlers may free or insert components meanwhile.
    virtual void Notification(TComponent* component, TOperation operation);
    // Reads this component's properties and its children from a form
    // stream (Reader.ReadComponentState). A component that must hold
    // something for that whole time overrides it around the inherited call.
    virtual void ReadState(TFilerReader& reader);
    // Called once the whole form stream around this component is read.
    virtual void Loaded();

    // First step of Free: marks this component and all it owns as being
    // destroyed, frees what it owns, tells the free-notification list and
    // leaves its owner; the object is still whole while this runs.
    void BeforeDestruction() override;

    // Streaming structure: the visual parent (controls), which components a
    // writer stores as children, and who owns and parents components read
    // as this component's children.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* /*value*/) {}
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
    virtual TComponent* GetChildOwner() { return nullptr; }
    virtual TComponent* GetChildParent() { return this; }

    std::string GetNamePath() const override;

    // The handlers a root component (a form) publishes for the event names
    // stored in its form resource; null when it publishes none.
    virtual const std::vector<TPublishedMethod>* PublishedMethods() const { return nullptr; }

    // State changes made by the filer and the owner chain.
    void SetComponentState(TComponentState state) { FComponentState = state; }
    void IncludeState(TComponentStateFlag flag) { FComponentState.Include(flag); }
    void ExcludeState(TComponentStateFlag flag) { FComponentState.Exclude(flag); }

protected:
    // Whether Notification passes on to the owned components. An owner of
    // many components that care nothing about each other coming and going
    // (a list's items) says no, so that inserting n of them costs n, not n².
    virtual bool NotifiesOwnedComponents() const { return true; }
    // Sets csDestroying on this component and everything it owns.
    void MarkDestroying();
    // Called on a name change before it takes place (validation hook).
    virtual void ValidateRename(TComponent* component, const std::string& current,
                                const std::string& next) const;

private:
    // A walk of Notification over the owned components: the next index and
    // the end of those present when it began. Remove moves both past a
    // component that leaves, so a freed component is never reached and none
    // is skipped; one inserted meanwhile (appended past End) is not visited.
    struct TOwnedWalk {
        std::size_t Next;
        std::size_t End;
    };
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void NotifyFreeNotifiers();
    void DetachFromOwner();

    TComponent* FOwner = nullptr;
    std::string FName;
    std::intptr_t FTag = 0;
    TComponentState FComponentState;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    // The walks of Notification under way over FComponents, innermost last.
    std::vector<TOwnedWalk> FWalks;
    bool FBeforeDestructionDone = false;
};

// Frees Obj in two steps (BeforeDestruction, then delete); ignores null.
void Free(TObject* obj);
template <class T> void FreeAndNil(T*& obj) {
    T* tmp = obj;
    obj = nullptr;
    Free(tmp);
}

// unique_ptr deleter that frees through the two steps.
struct TFreeDeleter {
    void operator()(TObject* obj) const { Free(obj); }
};
template <class T> using TOwnedPtr = std::unique_ptr<T, TFreeDeleter>;
