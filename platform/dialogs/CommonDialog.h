#pragma once
// TCommonDialog: the base of the non-visual components that show one of the
// system's common dialogs modally.

#include "platform/classes/Component.h"

#include <windows.h>

class TCommonDialog : public TComponent {
    TESSARO_CLASS(TCommonDialog, TComponent)
public:
    explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}

    // Shows the dialog modal to Owner (0: no owner); true when the user
    // confirmed it, false when it was cancelled or could not be shown.
    virtual bool Execute(HWND owner) = 0;
};
