#pragma once
// What the control-layer tests share: a shown form freed after each test,
// message pumping, and a real mouse moved to positions on the screen.

#include "platform/controls/GraphicControl.h"
#include "platform/forms/Form.h"
#include "tests/support/RealInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// A non-windowed control that draws nothing and notes what it hears.
class TProbeGraphic : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<std::string>* Log = nullptr;
    std::function<void()> OnLeave; // runs after the leave is noted
    void Dispatch(TMessage& message) override;
};

// A windowed control that notes what it hears.
class TProbeWindow : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string>* Log = nullptr;
    void Dispatch(TMessage& message) override;
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    template <class T> T* Add(TWinControl* parent, RECT bounds, const std::string& name) {
        auto* c = new T(form);
        c->SetName(name);
        c->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left,
                     bounds.bottom - bounds.top);
        c->SetParent(parent);
        return c;
    }
    // Moves the real cursor to a point of Control's client area and lets
    // the messages that follow run.
    static void MoveMouseTo(const TControl* control, int x, int y);
    // Moves the real cursor far outside the form.
    static void MoveMouseAway();

    TForm* form = nullptr;
    std::vector<std::string> log;
};
