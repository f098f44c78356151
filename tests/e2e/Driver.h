#pragma once
// Drives a program under test as a user would: starts it, finds its window
// and controls, clicks, types, answers its message boxes and open dialog,
// closes it and reads its exit code. Every wait has a timeout; every failure
// raises std::runtime_error with a message that says what was expected.
//
// The parts are usable alone too: WindowQuery.h (finding, reading state),
// Input.h (clicks, keys), TrackBar.h, Dialogs.h, Capture.h (pixels, BMP),
// Processes.h (child processes, command lines).
//
// Under Wine on an X server without a window manager, every top-level window
// that hides (a message box or dialog closing, the program ending) keeps the
// program busy for about 2 s while Wine waits for the window manager; the
// default timeouts allow for it.

#include "tests/e2e/Capture.h"
#include "tests/e2e/Dialogs.h"
#include "tests/e2e/Handles.h"
#include "tests/e2e/Input.h"
#include "tests/e2e/Processes.h"
#include "tests/e2e/TrackBar.h"
#include "tests/e2e/Wait.h"
#include "tests/e2e/WindowQuery.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

class TAppDriver {
public:
    // The exit code of a program the driver had to end.
    static constexpr DWORD KilledExitCode = 0xDEAD;

    TAppDriver() = default;
    // Starts the program at once, see Start.
    explicit TAppDriver(const std::string& program, const std::string& arguments = {},
                        const std::string& workingFolder = {});
    // Ends the program if it still runs.
    ~TAppDriver();
    TAppDriver(const TAppDriver&) = delete;
    TAppDriver& operator=(const TAppDriver&) = delete;

    // The process. workingFolder empty: the driver's own.
    void Start(const std::string& program, const std::string& arguments = {},
               const std::string& workingFolder = {});
    // The same for a program whose path the ANSI code page cannot hold.
    void Start(const std::wstring& program, const std::wstring& arguments = {},
               const std::wstring& workingFolder = {});
    DWORD ProcessId() const;
    bool IsRunning() const;
    // The exit code once the program has ended; raises on timeout.
    DWORD WaitForExit(TDuration timeout = 10s);
    // Ends the program with KilledExitCode and waits until it is gone.
    void Kill();

    // The main window: a visible top-level window of the program with
    // exactly this title, not empty, of class className when one is given.
    HWND WaitForMainWindow(std::string_view title, TDuration timeout = 20s,
                           std::string_view className = {});
    HWND MainWindow() const;
    // The main window is there and visible.
    bool MainWindowExists() const;

    // Sends WM_CLOSE to the main window and returns whether the window is
    // gone after at most wait. Returns early when the request opens a window
    // (a question), which keeps the main window.
    bool RequestClose(TDuration wait = 3s);
    // Alt+F4 as the keyboard sends it: WM_SYSKEYDOWN VK_F4 with the Alt bit
    // posted to the focused control, whose default window procedure posts
    // SC_CLOSE to its top-level window (works under Wine 8). A program that
    // keeps WM_SYSKEYDOWN from DefWindowProc does not close: SystemClose is
    // the fallback. Returns at once.
    void PressAltF4();
    // The close box and the system menu's "Close": WM_SYSCOMMAND SC_CLOSE.
    void SystemClose();

    // Controls anywhere inside the main window.
    HWND Control(std::string_view className, std::string_view caption,
                 TCaptionMatch match = TCaptionMatch::Exact) const;
    HWND ControlById(int id) const;

    // Keys go to the control that has the focus in the program.
    HWND FocusedControl() const;
    void PressKey(WORD virtualKey);
    void PressAltKey(WORD virtualKey);
    void TypeText(std::string_view text);

    // Visible top-level windows of the program, front first.
    std::vector<HWND> VisibleWindows() const;
    // A visible dialog (class "#32770") with exactly this title, or nullptr.
    HWND FindDialog(std::string_view title) const;
    HWND WaitForDialog(std::string_view title, TDuration timeout = 10s) const;
    // A visible message box of the program, or nullptr.
    HWND FindMessageBox() const;
    // Waits for a message box and reads it.
    TMessageBoxInfo WaitForMessageBox(TDuration timeout = 10s) const;
    // Waits for a message box, reads it and presses OK (or its only
    // button); returns what it showed once it has closed.
    TMessageBoxInfo ConfirmMessageBox(TDuration timeout = 10s) const;

    // Waits for the open dialog with this title, enters fileName and presses
    // OK, or presses Cancel; returns when the dialog has closed.
    void AnswerOpenDialog(std::string_view title, const std::string& fileName,
                          TDuration timeout = 10s);
    // The same with a Unicode name, entered through the Unicode message.
    void AnswerOpenDialog(std::string_view title, const std::wstring& fileName,
                          TDuration timeout = 10s);
    void CancelOpenDialog(std::string_view title, TDuration timeout = 10s);

private:
    void RequireStarted(const char* action) const;
    // As WaitFor, but gives up at once, with the exit code, when the program
    // ends.
    template <class Condition>
    void WaitWhileRunning(Condition&& condition, TDuration timeout, const std::string& what) const;

    std::string FProgram;
    TUniqueHandle FProcess;
    DWORD FProcessId = 0;
    HWND FMainWindow = nullptr;
};

} // namespace e2e
