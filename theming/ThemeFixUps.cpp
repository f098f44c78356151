// The manager's fix-ups: adjustments made once to the controls of a form
// (tab dialog texture, transparent labels and tool bars, the mouse capture
// of tool buttons), apart from the subclassing of each message.

#include "theming/ThemeMgr.h"

#include "platform/forms/Form.h"
#include "platform/forms/Screen.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ToolBar.h"
#include "theming/ThemeSrv.h"
#include "theming/UxTheme.h"

#include <vector>

void TThemeManager::ApplyFixUps(TCustomForm* form) {
    if (form) {
        FixUpChildren(form);
        return;
    }
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i)
            FixUpChildren(Screen->Forms(i));
}

void TThemeManager::FixUpChildren(TWinControl* parent) {
    const std::vector<TControl*> children = parent->ControlList();
    for (TControl* child : children) {
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (windowed && IsControlThemingEnabled())
            UxTheme::EnableThemeDialogTexture(windowed->Handle(), ETDT_ENABLETAB);
        if (auto* toolBar = dynamic_cast<TToolBar*>(child)) {
            FixUpToolBar(toolBar);
        } else if (auto* label = dynamic_cast<TLabel*>(child)) {
            if (FOptions.Contains(toSetTransparency))
                label->SetTransparent(true);
        } else if (windowed && windowed->ControlCount()) {
            FixUpChildren(windowed);
        }
    }
}

// The bar's buttons are its own business: they are adjusted, not walked.
void TThemeManager::FixUpToolBar(TToolBar* toolBar) {
    if (FOptions.Contains(toSetTransparency))
        toolBar->SetTransparent(true);
    if (!FOptions.Contains(toResetMouseCapture))
        return;
    // A drop-down button keeps the capture so that its menu can track.
    for (TControl* child : toolBar->ControlList()) {
        auto* button = dynamic_cast<TToolButton*>(child);
        if (button && button->Style() != tbsDropDown)
            button->SetControlStyle(button->ControlStyle() - TControlStyle{csCaptureMouse});
    }
}
