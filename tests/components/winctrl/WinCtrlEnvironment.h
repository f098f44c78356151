#pragma once
// What the windowed control tests share: a probe control that reports what
// the base calls, a form to put it on, and pixel access.

#include "components/controls/kitcctrl.h"
#include "platform/forms/Form.h"
#include "tests/support/RealInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


// A kit control whose background behaviour is set by the test and which
// counts the calls the base makes.
class TProbeControl : public TKitCustomControl {
public:
    using TKitCustomControl::TKitCustomControl;

    bool FakeBackground = false;
    bool FakeEmpty = true;
    bool BackgroundPainted = false; // DrawBackground answers this
    TKitCustomControl* Source = nullptr;
    int NormalBorders = 0;
    int FocusBorders = 0;
    int Changes = 0;
    int BackgroundCalls = 0;
    POINT BackgroundOrigin{-1, -1};
    std::vector<UINT> Received; // the kit and class messages seen
    std::vector<std::string>* Log = nullptr;

    bool HasBackground() const override { return FakeBackground; }
    bool IsEmpty() const override { return FakeEmpty; }
    TKitCustomControl* BackgroundSource() const override { return Source; }
    bool DrawBackground(TCanvas& canvas, const RECT& rect, unsigned flags, POINT origin) override;
    void DrawNormalBorder() override;
    void DrawFocusBorder() override;
    void ObjectChanged(TObject* sender) override;
    void Dispatch(TMessage& message) override;

    // Recording handlers for the events.
    void GotFocus(TObject*) { Note("got"); }
    void LostFocus(TObject*) { Note("lost"); }
    void Enter(TObject*) { Note("enter"); }
    void Exit(TObject*) { Note("exit"); }
    void MouseIn(TObject*) { Note(MouseOver() ? "mousein over" : "mousein"); }
    void MouseOut(TObject*) { Note(MouseOver() ? "mouseout over" : "mouseout"); }
    void HookEvents(std::vector<std::string>& log);

private:
    void Note(const std::string& what);
};

// A shown form with the fixture's controls; freed after each test.
class KitControlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    TProbeControl* AddProbe(TWinControl* parent, int left, int top);
    // Paints the window now and leaves nothing invalid.
    static void PaintNow(TWinControl* control);
    // Whether any part of the window waits to be painted.
    static bool HasUpdateRegion(TWinControl* control);

    TForm* form = nullptr;
};

// The colour of a pixel of the whole window (non-client area included).
COLORREF WindowPixel(TWinControl* control, int x, int y);
// A system colour as the window's device shows it.
COLORREF ShownSysColor(TWinControl* control, int index);
COLORREF ShownColor(TWinControl* control, COLORREF color);

