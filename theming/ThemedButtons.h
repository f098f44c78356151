#pragma once
// Themed painting of the button controls: push buttons, check boxes and
// radio buttons (the system paints them; the handler supplies the parent's
// background), owner-drawn bit buttons and windowless speed buttons (painted
// here as themed push or tool buttons with glyph, caption and focus
// rectangle). Also two helpers the other handlers share: erasing through
// the parent and showing keyboard cues.

#include <windows.h>

class TControl;
class TWinControl;
class TThemeManager;
struct TMessage;

// Message cases of the handlers; true when the case took the message.
bool ButtonWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool SpeedButtonWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool CheckListBoxWindowProc(TThemeManager& manager, TControl* control, TMessage& message);

// Installs the three handlers with the manager's dispatch; run after the theme
// manager unit's start-up.
void InitializeThemedButtons();

// Button draw states: ordinals of the button element family.
namespace ButtonDrawState {
constexpr int Normal = 2;
constexpr int Hot = 3;
constexpr int Pressed = 4;
constexpr int Disabled = 5;
constexpr int Defaulted = 6;
} // namespace ButtonDrawState

// Set in an owner-draw record's state while the cursor is over the button.
constexpr UINT OdsHotLight = 0x40;

// Paints an owner-drawn TBitBtn from its owner-draw record.
void DrawBitBtnItem(TControl* control, DRAWITEMSTRUCT& item);
// Control is a TBitBtn or a TSpeedButton; Rect is in DC coordinates.
void DrawThemedButton(TControl* control, int state, bool focused, RECT rect, HDC dc);
// Places the glyph and the caption of a TBitBtn or TSpeedButton in Client.
void LayoutGlyphAndCaption(TControl* control, HDC dc, const RECT& client, UINT biDiFlags,
                           RECT& textBounds, POINT& glyphPos);

// The item part right of the check column (R) of a TCheckListBox, with the
// check box just outside R.
void DrawCheckListBoxItem(TControl* control, int index, RECT rect, UINT itemState);
// A themed check box of CheckBoxWidth x CheckBoxHeight centred in Rect;
// CheckState: 0 unchecked, 1 checked, 2 grayed.
void DrawCheckListBoxCheck(TControl* control, const RECT& rect, int checkState, bool enabled);

// Lets Control's parent erase its background into DC, which is set up for
// Control's own coordinates.
void EraseWithParent(TControl* control, HDC dc);
// Whether Control, or its parent, paints through an off-screen bitmap.
bool IsDoubleBuffered(const TControl* control);
bool ParentDoubleBuffered(const TControl* control);
// Shows focus rectangles (Tab, arrows) or accelerator underlines (Alt) on
// Control's form.
void HandleKeyboardCues(TControl* control, WORD key);
// Invalidates every static text on W and below.
void InvalidateStaticTexts(TWinControl* control);
