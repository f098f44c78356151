#pragma once
// TCustomRichEdit and TRichEdit: the system's rich edit control (version 2,
// from the system folder), used for plain text. Lines is the text as lines;
// it reads and changes the control's text, and the text stays when the
// window is made again.

#include "platform/classes/StringList.h"
#include "platform/controls/BorderStyle.h"
#include "platform/controls/WinControl.h"
#include "platform/stdctrls/ScrollBars.h"

#include <memory>

class TCustomRichEdit : public TWinControl {
    TESSARO_CLASS(TCustomRichEdit, TWinControl)
public:
    explicit TCustomRichEdit(TComponent* owner);
    ~TCustomRichEdit() override;

    TStrings* Lines() const { return FLines.get(); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);

    // The text as the control holds it now (typed text included).
    const std::string& GetText() const override;
    void SetText(const std::string& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void DestroyWnd() override;

private:
    std::unique_ptr<TStrings> FLines;
    TBorderStyle FBorderStyle = bsSingle;
    TScrollStyle FScrollBars = ssNone;
    mutable std::string FCurrentText;
};

class TRichEdit : public TCustomRichEdit {
    TESSARO_CLASS(TRichEdit, TCustomRichEdit)
public:
    explicit TRichEdit(TComponent* owner) : TCustomRichEdit(owner) {}
};
