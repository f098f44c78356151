#pragma once
// The forms layer for the control tests, and what they share: pumping
// messages, a form to put controls on, clicks at real positions and a
// picture of what a window shows.

#include "platform/forms/Form.h"
#include "tests/support/RealInput.h"

#include <gtest/gtest.h>

#include <vector>
#include <windows.h>


// Posts a left click at client position (X, Y) of Window and lets it arrive.
void ClickAt(HWND window, int x, int y);
// Posts a key press to Window and lets it arrive.
void PressKey(HWND window, WORD key);

// The pixels a window shows, read back from its device context: the client
// area, or with Frame the whole window.
class TWindowShot {
public:
    TWindowShot(HWND window, bool frame = false);
    COLORREF Pixel(int x, int y) const;
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<COLORREF> FPixels;
};

// A shown form for one test, freed after it.
class OnForm : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    template <class T> T* Add(TWinControl* parent, int left, int top, int width, int height) {
        auto* control = new T(form);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }
    TForm* form = nullptr;
};
