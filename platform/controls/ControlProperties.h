#pragma once
// The published properties of TControl, one adder each: a control class
// publishes the ones it wants, in its own order, with the platform's
// defaults and stored tests.

#include "platform/classes/Properties.h"
#include "platform/controls/Control.h"

template <class T> struct ControlProperties {
    static void BiDiMode(TPropertyBuilder<T>& p) {
        p.Enum("BiDiMode", BiDiModeNames(), &TControl::BiDiMode, &TControl::SetBiDiMode,
               std::optional<TBiDiMode>())
            .Stored = [](TObject& o) { return static_cast<TControl&>(o).IsBiDiModeStored(); };
    }
    static void ParentBiDiMode(TPropertyBuilder<T>& p) {
        p.Boolean("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode,
                  true);
    }
};
