#pragma once
// The push button, radio button and check box: windows of the system's
// BUTTON class, whose clicks come back as reflected BN_CLICKED commands.

#include "platform/controls/WinControl.h"

class TButtonControl : public TWinControl {
    TESSARO_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* owner);

protected:
    // While set, changing Checked from code fires no click.
    bool FClicksDisabled = false;
};

class TButton : public TButtonControl {
    TESSARO_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool FDefault = false;
    bool FCancel = false;
};

// Radio button and check box share the checked state.
class TCustomCheckControl : public TButtonControl {
    TESSARO_CLASS(TCustomCheckControl, TButtonControl)
public:
    using TButtonControl::TButtonControl;
    bool Checked() const { return FChecked; }
    virtual void SetChecked(bool value) = 0;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

protected:
    void CreateHandleDone() override;
    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
};

class TRadioButton : public TCustomCheckControl {
    TESSARO_CLASS(TRadioButton, TCustomCheckControl)
public:
    explicit TRadioButton(TComponent* owner);
    // Checking a radio button clears the other radio buttons of its parent
    // and fires its click (not while the form is being read).
    void SetChecked(bool value) override;
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

class TCheckBox : public TCustomCheckControl {
    TESSARO_CLASS(TCheckBox, TCustomCheckControl)
public:
    explicit TCheckBox(TComponent* owner);
    void SetChecked(bool value) override;
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
};
