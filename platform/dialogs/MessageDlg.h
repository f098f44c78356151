#pragma once
// The program's message boxes: captioned with the application's title and
// shown through the message-box seam.

#include <string>
#include <windows.h>

// Shows Text modal to Owner (0: no owner) with the MB_ flags as given;
// returns the id of the button that closed the box.
int MessageDlg(HWND owner, const std::string& text, UINT flags);
