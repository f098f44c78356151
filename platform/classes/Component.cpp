#include "platform/classes/Component.h"

#include "platform/classes/List.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>

const TClassInfo& TComponent::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TComponent>("TComponent", [](TPropertyTable& t) {
        TPropertyBuilder<TComponent> p(t);
        p.String("Name", &TComponent::Name, &TComponent::SetName).Stored = [](TObject&) {
            return false; // the name is written in the component's header
        };
        p.Integer("Tag", &TComponent::Tag, &TComponent::SetTag, 0);
    });
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Free() has run BeforeDestruction already; a plain delete still must not
    // leave dangling pointers behind, so do what can be done from here.
    if (!FBeforeDestructionDone) {
        MarkDestroying();
        NotifyFreeNotifiers();
        DestroyComponents();
    }
    DetachFromOwner();
}

void TComponent::BeforeDestruction() {
    if (FBeforeDestructionDone)
        return;
    FBeforeDestructionDone = true;
    MarkDestroying();
    NotifyFreeNotifiers();
    DestroyComponents();
    DetachFromOwner();
}

void TComponent::MarkDestroying() {
    if (FComponentState.Contains(csDestroying))
        return;
    FComponentState.Include(csDestroying);
    for (TComponent* c : FComponents)
        c->MarkDestroying();
}

void TComponent::NotifyFreeNotifiers() {
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& back = other->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, opRemove);
    }
}

void TComponent::DetachFromOwner() {
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
    // Each component leaves this list itself, telling the whole owner tree,
    // while it is still whole (see BeforeDestruction).
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        Free(c);
        if (!FComponents.empty() && FComponents.back() == c)
            Remove(c);
    }
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        RaiseListIndexError(index);
    return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner)
        return -1;
    const auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name))
            return c;
    return nullptr;
}

static bool IsValidIdent(const std::string& s) {
    auto alpha = [](unsigned char ch) {
        return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_';
    };
    if (s.empty() || !alpha(static_cast<unsigned char>(s[0])))
        return false;
    return std::all_of(s.begin(), s.end(), [&](char c) {
        auto ch = static_cast<unsigned char>(c);
        return alpha(ch) || (ch >= '0' && ch <= '9');
    });
}

void TComponent::ValidateRename(TComponent* component, const std::string& current,
                                const std::string& next) const {
    if (!component || next.empty() || SameText(current, next))
        return;
    TComponent* existing = FindComponent(next);
    if (existing && existing != component)
        throw EComponentError("Eine Komponente mit der Bezeichnung " + next + " existiert bereits");
}

void TComponent::SetName(const std::string& value) {
    if (value == FName)
        return;
    if (!value.empty() && !IsValidIdent(value))
        throw EComponentError("\"" + value + "\" ist kein gültiger Komponentenname");
    if (FOwner)
        FOwner->ValidateRename(this, FName, value);
    FName = value;
}

void TComponent::Insert(TComponent* component) {
    FComponents.push_back(component);
    component->FOwner = this;
}

void TComponent::Remove(TComponent* component) {
    component->FOwner = nullptr;
    // Components mostly leave last first (an owner frees them so): look from
    // the end.
    const auto found = std::find(FComponents.rbegin(), FComponents.rend(), component);
    if (found == FComponents.rend())
        return;
    const auto index = static_cast<std::size_t>(FComponents.rend() - found) - 1;
    FComponents.erase(FComponents.begin() + static_cast<std::ptrdiff_t>(index));
    for (TOwnedWalk& walk : FWalks) {
        if (index < walk.End)
            --walk.End;
        if (index < walk.Next)
            --walk.Next;
    }
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->FOwner == this)
        return;
    // A name clash leaves the component with its old owner.
    ValidateRename(component, std::string(), component->FName);
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    Insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->FOwner != this)
        return;
    Notification(component, opRemove);
    Remove(component);
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    auto& back = component->FFreeNotifies;
    if (std::find(back.begin(), back.end(), this) == back.end())
        back.push_back(this);
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component),
                        FFreeNotifies.end());
    if (component) {
        auto& back = component->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
    }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component)
        RemoveFreeNotification(component);
    if (FComponents.empty() || !NotifiesOwnedComponents())
        return;
    // A handler may free or insert components: the walk follows the list as
    // it changes (see TOwnedWalk).
    const std::size_t depth = FWalks.size();
    FWalks.push_back({0, FComponents.size()});
    struct TEndWalk {
        std::vector<TOwnedWalk>& Walks;
        ~TEndWalk() { Walks.pop_back(); }
    } endWalk{FWalks};
    while (FWalks[depth].Next < FWalks[depth].End)
        FComponents[FWalks[depth].Next++]->Notification(component, operation);
}

void TComponent::ReadState(TFilerReader& reader) {
    reader.ReadComponentState(*this);
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading);
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    // The root stores the components it owns that have no parent and the
    // controls it parents; any other component the controls it parents.
    // Creation order is kept, so a stream read and written again is the same.
    if (root == this) {
        for (TComponent* c : std::vector<TComponent*>(FComponents))
            if (!c->HasParent() || c->GetParentComponent() == this)
                proc(c);
    } else if (root) {
        for (TComponent* c : std::vector<TComponent*>(root->FComponents))
            if (c->HasParent() && c->GetParentComponent() == this)
                proc(c);
    }
}

std::string TComponent::GetNamePath() const {
    return FName;
}

void Free(TObject* obj) {
    if (!obj)
        return;
    obj->BeforeDestruction();
    delete obj;
}
