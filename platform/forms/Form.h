#pragma once
// TCustomForm and TForm: a top-level window built from its form resource.
// The resource is the binary form stream linked as RCDATA under the form
// class's name in capitals (TFRMMAIN for TfrmMain).

#include "platform/controls/BorderStyle.h"
#include "platform/controls/WinControl.h"

#include <string>

enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using enum TBorderIcon;
using TBorderIcons = TSet<TBorderIcon>;
enum class TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter,
};
using enum TPosition;
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using enum TCloseAction;

using TCloseQueryEvent = TEvent<TObject*, bool&>;
using TCloseEvent = TEvent<TObject*, TCloseAction&>;

class TCustomForm : public TWinControl {
    TESSARO_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    void BeforeDestruction() override;

    // Reads the form resource of this form's class, once. Forms made by
    // TApplication::CreateForm are read there.
    void ReadFormResource();
    bool HasFormResource() const;

    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
    int ClientWidthValue() const { return ClientWidth(); }
    int ClientHeightValue() const { return ClientHeight(); }
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    RECT ClientRect() const override;

    bool Showing() const override;
    void Show();
    // Asks OnCloseQuery; when it allows, closes: the main form ends the
    // application, another form hides.
    void Close();
    bool CloseQuery();

    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void VisibleChanging() override;
    void ApplyPosition();
    // The frame size around the client area for the current styles.
    SIZE FrameSize() const;
    void FocusFirstControl();

    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TFormBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    int FPixelsPerInch = 96;
    TWinControl* FActiveControl = nullptr;
    bool FResourceRead = false;
};

// The form class a program derives from; publishes what forms store.
class TForm : public TCustomForm {
    TESSARO_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};
