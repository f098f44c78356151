#pragma once
// Finding windows and reading their state, in this process or another one.

#include "tests/e2e/Wait.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// How a caption given by a test is compared with a window's caption.
enum class TCaptionMatch {
    Exact,              // byte for byte, "&Start" matches only "&Start"
    IgnoreAccelerators, // '&' markers removed on both sides, "Start" matches "&Start"
};

enum class TCheckState { Unchecked, Checked, Indeterminate };

struct TBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TBounds&) const = default;
};

// Removes the accelerator markers: "&Start" gives "Start", "A&&B" gives "A&B".
std::string StripAccelerators(std::string_view caption);
bool CaptionMatches(std::string_view actual, std::string_view wanted, TCaptionMatch match);

// Top-level windows in Z order, all of them or those of one process.
std::vector<HWND> TopLevelWindows();
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::vector<HWND> VisibleTopLevelWindowsOf(DWORD processId);
// Every descendant of parent, depth first.
std::vector<HWND> ChildWindows(HWND parent);

DWORD ProcessOf(HWND window);
std::string ClassName(HWND window);
// An empty class name matches every window; otherwise the window's class
// name must match, ignoring case as Windows does. A class registered as a
// superclass of a system class goes by its own name only ("TButton", not
// "Button"): Wine does not tell the system class behind it.
bool ClassMatches(HWND window, std::string_view className);

// The caption Windows keeps for the window; never waits for its owner, so it
// also works while the program is busy. Edit controls keep their text
// elsewhere: use WindowText for them.
std::string Caption(HWND window);
// The text the window itself reports (WM_GETTEXT).
std::string WindowText(HWND window, TDuration timeout = 5s);
// The same through the Unicode message, for texts in any script.
std::wstring WideWindowText(HWND window, TDuration timeout = 5s);
// "Button "&Start" id 101", for failure messages.
std::string Describe(HWND window);
// One line per descendant of parent, each starting on a new line.
std::string DescribeChildren(HWND parent);

// nullptr when nothing matches; the first match in Z order otherwise.
HWND FindChild(HWND parent, std::string_view className, std::string_view caption,
               TCaptionMatch match = TCaptionMatch::Exact);
HWND FindChildById(HWND parent, int id);
// As above, but raise std::runtime_error listing the children when nothing
// matches.
HWND Control(HWND parent, std::string_view className, std::string_view caption,
             TCaptionMatch match = TCaptionMatch::Exact);
HWND ControlById(HWND parent, int id);

bool IsEnabled(HWND window);
bool IsVisible(HWND window);
TCheckState CheckState(HWND button);
// Position and size in the client coordinates of the parent (screen
// coordinates for a top-level window).
TBounds BoundsInParent(HWND window);
TBounds ClientBounds(HWND window);

// The window that has the keyboard focus in the thread that owns window;
// window itself when that thread has no focus window.
HWND FocusedWindow(HWND window);

// SendMessageTimeoutA that raises std::runtime_error when the window does not
// answer in time.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        TDuration timeout = 5s);
// The same with SendMessageTimeoutW, for messages that carry Unicode text.
LRESULT SendUnicodeWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               TDuration timeout = 5s);

// Raises std::runtime_error when window is not a window (any more).
void RequireWindow(HWND window, const char* action);

} // namespace e2e
