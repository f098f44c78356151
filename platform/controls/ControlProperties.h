#pragma once
// The published properties of TControl, one adder each: a control class
// publishes the ones it wants, in its own order, with the platform's
// defaults and stored tests.

#include "platform/classes/Properties.h"
#include "platform/controls/Control.h"
#include "platform/controls/Menus.h"

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
    static void Align(TPropertyBuilder<T>& p) {
        p.Enum("Align", AlignNames(), &TControl::Align, &TControl::SetAlign,
               std::optional<TAlign>(alNone));
    }
    // Stored when they differ from what the alignment implies.
    static void Anchors(TPropertyBuilder<T>& p) {
        p.Set("Anchors", AnchorNames(), &TControl::Anchors, &TControl::SetAnchors,
              std::optional<TAnchors>())
            .Stored = [](TObject& o) { return static_cast<TControl&>(o).IsAnchorsStored(); };
    }
    static void Constraints(TPropertyBuilder<T>& p) {
        p.Object("Constraints", &TControl::Constraints);
    }
    static void DragCursor(TPropertyBuilder<T>& p) {
        p.Integer("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor, crDrag,
                  &CursorIdents());
    }
    static void DragKind(TPropertyBuilder<T>& p) {
        p.Enum("DragKind", DragKindNames(), &TControl::DragKind, &TControl::SetDragKind,
               std::optional<TDragKind>(dkDrag));
    }
    static void DragMode(TPropertyBuilder<T>& p) {
        p.Enum("DragMode", DragModeNames(), &TControl::DragMode, &TControl::SetDragMode,
               std::optional<TDragMode>(dmManual));
    }
    static void PopupMenu(TPropertyBuilder<T>& p) {
        p.Reference("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    }
};
