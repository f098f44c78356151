// A themed button asks its parent for the background (WM_PRINTCLIENT into
// the button's DC); the parent's own pending repaint must survive that.

#include "ButtonsEnvironment.h"

#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/Label.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {
// Pixels of the label's area on the screen that differ from the form.
int TextPixels(TForm* form, TLabel* label) {
    const HDC dc = ::GetDC(form->Handle());
    int n = 0;
    for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
        for (int x = label->Left(); x < label->Left() + label->Width(); ++x)
            n += ::GetPixel(dc, x, y) != ThemedButtonForm::FormColour ? 1 : 0;
    ::ReleaseDC(form->Handle(), dc);
    return n;
}
} // namespace

TEST(ParentRepaint, ALabelChangedBesideAThemedButtonIsRepainted) {
    ThemedButtonForm f;
    auto* label = f.Add<TLabel>(10, 10, 120, 16);
    label->SetAutoSize(false);
    auto* checkBox = f.Add<TCheckBox>(10, 40, 100, 17);
    auto* button = f.Add<TButton>(10, 70, 75, 25);
    f.Manage();
    const std::function<void(int)> changes[] = {
        [&](int i) { checkBox->SetChecked(i % 2 == 0); },
        [&](int i) { button->SetEnabled(i % 2 != 0); },
        [&](int i) { (i % 2 ? static_cast<TWinControl*>(button) : checkBox)->SetFocus(); },
    };
    for (const auto& change : changes)
        for (int i = 0; i < 8; ++i) {
            const bool text = i % 2 == 0;
            label->SetCaption(text ? "Geänderter Text" : "");
            change(i);
            PumpMessages();
            EXPECT_EQ(TextPixels(f.Form, label) > 0, text) << "try " << i;
        }
}
