#pragma once
// The kit's change protocol, one implementation for the settings objects
// (on TPersistent) and the non-visual components (on TComponent): a change
// event, a change method that fires it, and an update flag that silences it
// while several properties are set in a row.

#include "platform/classes/Event.h"

template <class TBase> class TKitChangeReporting : public TBase {
public:
    using TBase::TBase;

    // Fires OnChange with this object as Sender, unless an update is open.
    // Descendants with derived state recompute it first, then call this.
    virtual void Change() {
        if (!FUpdating && OnChange)
            OnChange(this);
    }
    // Target for the change events of owned sub-objects: reports them as a
    // change of this object.
    virtual void SubObjectChanged(TObject* /*sender*/) { Change(); }
    void BeginUpdate() { FUpdating = true; }
    // Closes the update (one flag, not a counter); Notify reports the whole
    // batch as one change.
    void EndUpdate(bool notify) {
        FUpdating = false;
        if (notify)
            Change();
    }
    bool Updating() const { return FUpdating; }
    // Runs Steps as one batch: BeginUpdate, the steps, EndUpdate(true), the
    // last also when a step raises (the exception then passes on).
    template <class TSteps> void UpdateAsOneChange(TSteps&& steps) {
        BeginUpdate();
        try {
            steps();
        } catch (...) {
            EndUpdate(true);
            throw;
        }
        EndUpdate(true);
    }

    TNotifyEvent OnChange;

private:
    bool FUpdating = false;
};
