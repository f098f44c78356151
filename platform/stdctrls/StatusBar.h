#pragma once
// TStatusBar: the system's status bar, showing one simple text.

#include "platform/controls/WinControl.h"

class TStatusBar : public TWinControl {
    TESSARO_CLASS(TStatusBar, TWinControl)
public:
    explicit TStatusBar(TComponent* owner);

    const std::string& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& value);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    std::string FSimpleText;
};
