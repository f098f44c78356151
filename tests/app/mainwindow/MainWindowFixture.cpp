#include "MainWindowFixture.h"

#include "app/Units.h"
#include "platform/forms/Application.h"
#include "platform/forms/UnitLifecycle.h"
#include "tests/support/UnitsEnvironment.h"

#include <commctrl.h>

namespace {
// The program's units, started before the first test and finished after the last.
const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new TUnitsEnvironment(ProgramUnits()));
} // namespace

void MainWindow::SetUp() {
    Application->SetTitle("Tessaro");
    bAbort = true;
    form = new TfrmMain(Application);
    form->ReadFormResource();
    frmMain = form;
}

void MainWindow::TearDown() {
    Free(form);
    frmMain = nullptr;
    bAbort = true;
}

void MainWindow::ClickButton(TWinControl* button) {
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
}

void MainWindow::ScrollTrackBarTo(int position) {
    HWND bar = form->TrackBarMaxLines->Handle();
    ::SendMessageA(bar, TBM_SETPOS, TRUE, position);
    ::SendMessageA(::GetParent(bar), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 0),
                   reinterpret_cast<LPARAM>(bar));
    ::SendMessageA(::GetParent(bar), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                   reinterpret_cast<LPARAM>(bar));
}

void MainWindow::Pump() {
    Application->ProcessMessages();
}

ChangeCounter::ChangeCounter(TTrackBar* trackBar)
    : TComponent(nullptr), FOriginal(trackBar->OnChange) {
    trackBar->OnChange = TNotifyEvent::Of<&ChangeCounter::Changed>(this);
}

void ChangeCounter::Changed(TObject* sender) {
    ++Count;
    FOriginal(sender);
}
