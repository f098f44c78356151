#include "tests/e2e/Driver.h"

#include "platform/rtl/SystemText.h"

#include <algorithm>
#include <stdexcept>

namespace e2e {

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string DescribeAll(const std::vector<HWND>& windows) {
    std::string list;
    for (HWND window : windows)
        list += "\n  " + Describe(window);
    return list.empty() ? " (none)" : list;
}

} // namespace

TAppDriver::TAppDriver(const std::string& program, const std::string& arguments,
                       const std::string& workingFolder) {
    Start(program, arguments, workingFolder);
}

TAppDriver::~TAppDriver() {
    try {
        Kill();
    } catch (...) {
        // A destructor has nobody to tell; the process handle still closes.
    }
}

void TAppDriver::Start(const std::string& program, const std::string& arguments,
                       const std::string& workingFolder) {
    Start(AnsiToWide(program), AnsiToWide(arguments), AnsiToWide(workingFolder));
}

void TAppDriver::Start(const std::wstring& program, const std::wstring& arguments,
                       const std::wstring& workingFolder) {
    if (IsRunning())
        throw std::runtime_error("cannot start " + Quoted(WideToAnsi(program)) + ": " +
                                 Quoted(FProgram) + " still runs");
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    // Wine now and then fails to start a program that asks for elevation
    // while its own services are still coming up (ERROR_INTERNAL_ERROR); a
    // moment later the same call works.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                           nullptr, workingFolder.empty() ? nullptr : workingFolder.c_str(),
                           &startup, &info))
            break;
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 3)
            throw std::runtime_error("cannot start " + Quoted(WideToAnsi(program)) + " (error " +
                                     std::to_string(error) + ")");
        Sleep(500);
    }
    CloseHandle(info.hThread);
    FProcess.Reset(info.hProcess);
    FProcessId = info.dwProcessId;
    FProgram = WideToAnsi(program);
    FMainWindow = nullptr;
}

DWORD TAppDriver::ProcessId() const {
    RequireStarted("give the process id of");
    return FProcessId;
}

bool TAppDriver::IsRunning() const {
    return FProcess && WaitForSingleObject(FProcess.Get(), 0) == WAIT_TIMEOUT;
}

DWORD TAppDriver::WaitForExit(TDuration timeout) {
    RequireStarted("wait for the end of");
    // Keep this thread's messages flowing: a program that is ending may still
    // answer a message the driver sent.
    WaitFor([this] { return !IsRunning(); }, timeout, Quoted(FProgram) + " to end");
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(FProcess.Get(), &exitCode))
        throw std::runtime_error("cannot read the exit code of " + Quoted(FProgram));
    return exitCode;
}

void TAppDriver::Kill() {
    if (!IsRunning())
        return;
    TerminateProcess(FProcess.Get(), KilledExitCode);
    if (WaitForSingleObject(FProcess.Get(), 5000) != WAIT_OBJECT_0)
        throw std::runtime_error("cannot end " + Quoted(FProgram));
}

void TAppDriver::RequireStarted(const char* action) const {
    if (!FProcess)
        throw std::runtime_error(std::string("cannot ") + action + " a program not started");
}

template <class Condition>
void TAppDriver::WaitWhileRunning(Condition&& condition, TDuration timeout,
                                  const std::string& what) const {
    bool ended = false;
    const bool met = WaitUntil(
        [&] {
            if (condition())
                return true;
            ended = !IsRunning();
            return ended;
        },
        timeout);
    if (ended) {
        DWORD exitCode = 0;
        GetExitCodeProcess(FProcess.Get(), &exitCode);
        throw std::runtime_error(Quoted(FProgram) + " ended with exit code " +
                                 std::to_string(exitCode) + " while the driver waited for " + what);
    }
    if (!met)
        throw std::runtime_error(
            "timed out after " + std::to_string(timeout.count()) + " ms waiting for " + what +
            "; windows of the program:" + DescribeAll(TopLevelWindowsOf(FProcessId)));
}

HWND TAppDriver::WaitForMainWindow(std::string_view title, TDuration timeout,
                                   std::string_view className) {
    RequireStarted("wait for the window of");
    HWND found = nullptr;
    WaitWhileRunning(
        [&] {
            for (HWND window : VisibleWindows()) {
                RECT rect;
                GetWindowRect(window, &rect);
                if (Caption(window) == title && ClassMatches(window, className) &&
                    rect.right > rect.left && rect.bottom > rect.top) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout, "the main window " + Quoted(title));
    FMainWindow = found;
    return found;
}

HWND TAppDriver::MainWindow() const {
    if (!FMainWindow)
        throw std::runtime_error("the main window has not been found yet (WaitForMainWindow)");
    return FMainWindow;
}

bool TAppDriver::MainWindowExists() const {
    return FMainWindow && IsWindow(FMainWindow) && IsWindowVisible(FMainWindow);
}

bool TAppDriver::RequestClose(TDuration wait) {
    HWND window = MainWindow();
    if (!MainWindowExists())
        return true;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    if (SendAndSettle(window, WM_CLOSE, 0, 0, wait) != TSendResult::WindowOpened) {
        const auto left =
            std::chrono::duration_cast<TDuration>(deadline - std::chrono::steady_clock::now());
        WaitUntil([this] { return !MainWindowExists(); }, std::max(left, TDuration::zero()));
    }
    return !MainWindowExists();
}

void TAppDriver::PressAltF4() {
    e2e::PressAltKey(FocusedControl(), VK_F4);
}

void TAppDriver::SystemClose() {
    if (!PostMessageA(MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0))
        throw std::runtime_error("cannot post SC_CLOSE to " + Describe(MainWindow()));
}

HWND TAppDriver::Control(std::string_view className, std::string_view caption,
                         TCaptionMatch match) const {
    return e2e::Control(MainWindow(), className, caption, match);
}

HWND TAppDriver::ControlById(int id) const {
    return e2e::ControlById(MainWindow(), id);
}

HWND TAppDriver::FocusedControl() const {
    return FocusedWindow(MainWindow());
}

void TAppDriver::PressKey(WORD virtualKey) {
    e2e::PressKey(FocusedControl(), virtualKey);
}

void TAppDriver::PressAltKey(WORD virtualKey) {
    e2e::PressAltKey(FocusedControl(), virtualKey);
}

void TAppDriver::TypeText(std::string_view text) {
    e2e::TypeText(FocusedControl(), text);
}

std::vector<HWND> TAppDriver::VisibleWindows() const {
    RequireStarted("list the windows of");
    return VisibleTopLevelWindowsOf(FProcessId);
}

HWND TAppDriver::FindDialog(std::string_view title) const {
    for (HWND window : VisibleWindows())
        if (ClassMatches(window, DialogClass) && Caption(window) == title)
            return window;
    return nullptr;
}

HWND TAppDriver::WaitForDialog(std::string_view title, TDuration timeout) const {
    HWND found = nullptr;
    WaitWhileRunning([&] { return (found = FindDialog(title)) != nullptr; }, timeout,
                     "the dialog " + Quoted(title));
    return found;
}

HWND TAppDriver::FindMessageBox() const {
    for (HWND window : VisibleWindows())
        if (window != FMainWindow && IsMessageBox(window))
            return window;
    return nullptr;
}

TMessageBoxInfo TAppDriver::WaitForMessageBox(TDuration timeout) const {
    HWND found = nullptr;
    WaitWhileRunning([&] { return (found = FindMessageBox()) != nullptr; }, timeout,
                     "a message box");
    return ReadMessageBox(found);
}

TMessageBoxInfo TAppDriver::ConfirmMessageBox(TDuration timeout) const {
    TMessageBoxInfo box = WaitForMessageBox(timeout);
    if (box.Buttons.size() == 1)
        PressDialogButton(box.Handle, box.Buttons.front(), TCaptionMatch::Exact, timeout);
    else
        PressDialogButton(box.Handle, IDOK, timeout);
    return box;
}

namespace {

template <class TName> void EnterAndConfirm(HWND dialog, const TName& fileName, TDuration timeout) {
    SetOpenDialogFileName(dialog, fileName);
    PressDialogButton(dialog, IDOK, timeout);
}

} // namespace

void TAppDriver::AnswerOpenDialog(std::string_view title, const std::string& fileName,
                                  TDuration timeout) {
    EnterAndConfirm(WaitForDialog(title, timeout), fileName, timeout);
}

void TAppDriver::AnswerOpenDialog(std::string_view title, const std::wstring& fileName,
                                  TDuration timeout) {
    EnterAndConfirm(WaitForDialog(title, timeout), fileName, timeout);
}

void TAppDriver::CancelOpenDialog(std::string_view title, TDuration timeout) {
    PressDialogButton(WaitForDialog(title, timeout), IDCANCEL, timeout);
}

} // namespace e2e
