#pragma once
// A fresh main window per test, read from the real form resource, with the
// program's units started once for the whole test program.

#include "app/UnMain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Clicks a button control the way the system reports a click.
    static void ClickButton(TWinControl* button);
    // Moves the track bar as the user does: the control moves, then it
    // tells its parent with a scroll notification.
    void ScrollTrackBarTo(int position);
    // Dispatches what is pending.
    static void Pump();

    TfrmMain* form = nullptr;
};

// Counts the changes of the track bar on top of the form's own handler.
class ChangeCounter : public TComponent {
public:
    explicit ChangeCounter(TTrackBar* trackBar);
    void Changed(TObject* sender);
    int Count = 0;

private:
    TNotifyEvent FOriginal;
};
