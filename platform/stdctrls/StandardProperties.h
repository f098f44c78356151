#pragma once
// Groups of published properties most controls share, added in the order
// form resources store them.

#include "platform/classes/Properties.h"
#include "platform/controls/WinControl.h"

template <class T> struct StandardProperties {
    static void Bounds(TPropertyBuilder<T>& p) {
        p.Integer("Left", &TControl::Left, &TControl::SetLeft, 0);
        p.Integer("Top", &TControl::Top, &TControl::SetTop, 0);
        p.Integer("Width", &TControl::Width, &TControl::SetWidth);
        p.Integer("Height", &TControl::Height, &TControl::SetHeight);
    }

    // Enabled, Font, Hint and visibility: the font is stored only when the
    // control does not take its parent's.
    static void Common(TPropertyBuilder<T>& p) {
        p.Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, true);
        p.Object("Font", &TControl::Font).Stored = [](TObject& o) {
            return !static_cast<TControl&>(o).ParentFont();
        };
        p.String("Hint", &TControl::Hint, &TControl::SetHint);
        p.Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true);
        p.Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true);
        p.Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, std::nullopt).Stored =
            [](TObject& o) { return !static_cast<TControl&>(o).ParentShowHint(); };
        p.Boolean("Visible", &TControl::Visible, &TControl::SetVisible, true);
    }

    static void Tabbing(TPropertyBuilder<T>& p, bool tabStopDefault) {
        if constexpr (std::is_base_of_v<TWinControl, T>) {
            p.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
            p.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, tabStopDefault);
        }
    }
};
