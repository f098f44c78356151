#pragma once
// Message boxes and the common open dialog of another program.

#include "tests/e2e/Wait.h"
#include "tests/e2e/WindowQuery.h"

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace e2e {

// The class of dialog boxes, message boxes and the open dialog among them.
inline constexpr const char* DialogClass = "#32770";

enum class TBoxIcon { None, Information, Warning, Error, Question, Unknown };
std::ostream& operator<<(std::ostream& out, TBoxIcon icon);

struct TMessageBoxInfo {
    HWND Handle = nullptr;
    std::string Caption;
    std::string Text;
    // The text read through the Unicode functions: names in any script.
    std::wstring WideText;
    TBoxIcon Icon = TBoxIcon::None;
    std::vector<std::string> Buttons; // captions in Z order, '&' markers kept
};

// A dialog with a text and buttons only: no edit, combo box or list.
bool IsMessageBox(HWND window);
TMessageBoxInfo ReadMessageBox(HWND box);
// Which standard icon the box shows, found by comparing the pixels of its
// icon with the system icons drawn here (icon handles mean nothing in
// another process). Unknown when an icon is there but matches none. The box
// is brought to the front for this.
TBoxIcon MessageBoxIcon(HWND box);

// Clicks a button of a dialog and waits until the dialog has closed; raises
// std::runtime_error when there is no such button or the dialog stays.
void PressDialogButton(HWND dialog, int id, TDuration closeTimeout = 10s);
void PressDialogButton(HWND dialog, std::string_view caption,
                       TCaptionMatch match = TCaptionMatch::IgnoreAccelerators,
                       TDuration closeTimeout = 10s);

// The file name field of the common open dialog: the control cmb13 (0x47C)
// of the Explorer-style dialog, preferring the edit inside it, else the edit
// edt1 (0x480) of the old-style one.
HWND OpenDialogFileNameField(HWND dialog);
// Puts fileName into that field (WM_SETTEXT) and checks it arrived; the wide
// form sends the Unicode message, for names in any script.
void SetOpenDialogFileName(HWND dialog, const std::string& fileName);
void SetOpenDialogFileName(HWND dialog, const std::wstring& fileName);

} // namespace e2e
