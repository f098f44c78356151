#include "platform/stdctrls/ButtonControls.h"

#include "platform/stdctrls/StandardProperties.h"

const TClassInfo& TButtonControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TButtonControl>("TButtonControl");
    return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    // Clicks come from the system's BN_CLICKED, not from the mouse messages:
    // counting both would run every click twice.
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetDefaultTabStop(true);
}

// --- TButton -----------------------------------------------------------------

const TClassInfo& TButton::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TButton>("TButton", [](TPropertyTable& t) {
        TPropertyBuilder<TButton> p(t);
        StandardProperties<TButton>::Bounds(p);
        p.Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel, false);
        p.String("Caption", &TControl::Caption, &TControl::SetCaption);
        p.Boolean("Default", &TButton::Default, &TButton::SetDefault, false);
        StandardProperties<TButton>::Common(p);
        StandardProperties<TButton>::Tabbing(p, true);
        p.Event("OnClick", &TControl::OnClick);
    });
    return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    FWidth = 75;
    FHeight = 25;
}

void TButton::SetDefault(bool value) {
    if (value == FDefault)
        return;
    FDefault = value;
    if (WindowHandle())
        ::SendMessageA(WindowHandle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Dispatch(TMessage& message) {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        Click();
        return;
    }
    TButtonControl::Dispatch(message);
}

// --- TCustomCheckControl -----------------------------------------------------

const TClassInfo& TCustomCheckControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCustomCheckControl>("TCustomCheckControl");
    return info;
}

void TCustomCheckControl::SetAlignment(TAlignment value) {
    if (value == FAlignment)
        return;
    FAlignment = value;
    RecreateWnd();
}

void TCustomCheckControl::CreateHandleDone() {
    ::SendMessageA(WindowHandle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

template <class T> static void CheckControlProperties(TPropertyBuilder<T>& p) {
    StandardProperties<T>::Bounds(p);
    p.Enum("Alignment", AlignmentNames(), &TCustomCheckControl::Alignment,
           &TCustomCheckControl::SetAlignment, std::optional<TAlignment>(taRightJustify));
    p.String("Caption", &TControl::Caption, &TControl::SetCaption);
    p.Boolean("Checked", &TCustomCheckControl::Checked, &T::SetChecked, false);
    p.Integer("Color", &TControl::Color, &TControl::SetColor, clBtnFace, &ColorIdents()).Stored =
        [](TObject& o) { return !static_cast<TControl&>(o).ParentColor(); };
    StandardProperties<T>::Common(p);
    p.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true);
    StandardProperties<T>::Tabbing(p, true);
    p.Event("OnClick", &TControl::OnClick);
}

// --- TRadioButton ------------------------------------------------------------

const TClassInfo& TRadioButton::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TRadioButton>("TRadioButton", [](TPropertyTable& t) {
            TPropertyBuilder<TRadioButton> p(t);
            CheckControlProperties(p);
        });
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TCustomCheckControl(owner) {
    FWidth = 113;
    FHeight = 17;
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TCustomCheckControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_RADIOBUTTON;
    if (FAlignment == taLeftJustify)
        params.Style |= BS_LEFTTEXT;
}

void TRadioButton::SetChecked(bool value) {
    if (value == FChecked)
        return;
    FChecked = value;
    if (WindowHandle())
        ::SendMessageA(WindowHandle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!value)
        return;
    if (FParent)
        for (TControl* c : std::vector<TControl*>(FParent->ControlList()))
            if (auto* other = dynamic_cast<TRadioButton*>(c); other && other != this)
                other->SetChecked(false);
    if (!FClicksDisabled && !Loading())
        Click();
}

void TRadioButton::Dispatch(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        const WORD code = HIWORD(message.WParam);
        if (code == BN_CLICKED || code == BN_DOUBLECLICKED)
            SetChecked(true);
        return;
    }
    TCustomCheckControl::Dispatch(message);
}

// --- TCheckBox ---------------------------------------------------------------

const TClassInfo& TCheckBox::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCheckBox>("TCheckBox", [](TPropertyTable& t) {
        TPropertyBuilder<TCheckBox> p(t);
        CheckControlProperties(p);
    });
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TCustomCheckControl(owner) {
    FWidth = 97;
    FHeight = 17;
}

void TCheckBox::CreateParams(TCreateParams& params) {
    TCustomCheckControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_CHECKBOX;
    if (FAlignment == taLeftJustify)
        params.Style |= BS_LEFTTEXT;
}

void TCheckBox::SetChecked(bool value) {
    if (value == FChecked)
        return;
    FChecked = value;
    if (WindowHandle())
        ::SendMessageA(WindowHandle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!FClicksDisabled && !Loading())
        Click();
}

void TCheckBox::Dispatch(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == BN_CLICKED)
            SetChecked(!FChecked);
        return;
    }
    TCustomCheckControl::Dispatch(message);
}
