#pragma once
// The units the themed buttons need, a switch for the themed state, a form
// with a theme manager, and drawing into memory bitmaps.

#include "platform/forms/Form.h"
#include "tests/support/MemoryCanvas.h"
#include "tests/support/RealInput.h"
#include "theming/ThemeMgr.h"
#include "theming/ThemeSrv.h"

#include <vector>

#include <windows.h>

// Control theming on or off (through the common-controls version the
// services check); the state is re-read at once.
void SetControlThemes(bool on);

// A shown form with a green background, themes on, and (after Manage) an
// active manager that subclasses its controls.
class ThemedButtonForm {
public:
    static constexpr COLORREF FormColour = RGB(0, 128, 0);
    ThemedButtonForm();
    ~ThemedButtonForm();
    ThemedButtonForm(const ThemedButtonForm&) = delete;
    ThemedButtonForm& operator=(const ThemedButtonForm&) = delete;

    template <class T>
    T* Add(int left, int top, int width, int height, TWinControl* parent = nullptr) {
        auto* control = new T(Form);
        control->SetParent(parent ? parent : Form);
        control->SetBounds(left, top, width, height);
        return control;
    }
    TThemeManager* Manage();

    TForm* Form = nullptr;
    TThemeManager* Manager = nullptr;
};

// A glyph of Cells cells of 8 x 8, each filled with its colour, with a
// fuchsia (transparent) bottom-left corner pixel and right column.
class TBitmap;
void MakeGlyph(TBitmap& glyph, const std::vector<COLORREF>& cells);

