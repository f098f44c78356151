#pragma once
// The themed handlers of the containers and the remaining controls: forms,
// frames, group boxes, panels, tab sheets, splitters, status bars, track
// bars, list views, animations and every other windowed control. Each takes
// a message of a subclassed control and answers true when it took it (its
// answer in Result); the manager passes everything else to the control's
// saved procedure. None of them raises.

#include "platform/graphics/GraphicsObjects.h"
#include "platform/stdctrls/Panels.h"

#include <windows.h>

class TControl;
class TThemeManager;
struct TMessage;

// Feeds the manager's subclassing with every control added to or removed
// from a form, before anything else sees the message.
void FormControlListPrelude(TThemeManager& manager, TControl* control, TMessage& message) noexcept;
bool FormWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool FrameWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool GroupBoxWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool PanelWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool TabSheetWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool SplitterWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool StatusBarWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool TrackBarWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool ListViewWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool AnimateWindowProc(TThemeManager& manager, TControl* control, TMessage& message);
bool WinControlWindowProc(TThemeManager& manager, TControl* control, TMessage& message);

// Where a group box puts its caption and frame.
struct TGroupBoxLayout {
    RECT Caption; // empty (all 0) without a caption
    RECT Frame;
};
// CaptionSize is the measured caption (0 x 0 when it is empty).
TGroupBoxLayout GroupBoxLayout(const RECT& clientRect, SIZE captionSize, int width,
                               bool rightToLeft);

void PaintGroupBox(TWinControl* groupBox, HDC dc);
void PaintPanel(TCustomPanel* panel, HDC dc);

struct TBevelColors {
    TColor TopLeft;
    TColor BottomRight;
};
TBevelColors PanelBevelColors(TBevelCut cut);

// Installs the handlers on the manager's classes, and takes them away.
void InitializeThemedContainers();
void FinalizeThemedContainers();
