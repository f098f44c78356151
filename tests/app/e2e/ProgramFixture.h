#pragma once
// Starts tessaro.exe from the test's own folder and finds its window; gives
// each test a temporary folder for its files.

#include "platform/rtl/SystemText.h"
#include "tests/e2e/Driver.h"

#include "tests/support/FileTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The folder of the running test program (and of tessaro.exe).
std::string ProgramFolder();

class Program : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (the one beside the test, or a copy) and waits for
    // its main window.
    void Start(const std::string& program = ProgramFolder() + "\\tessaro.exe");
    void Start(const std::wstring& program);
    HWND Button(const std::string& caption) const;
    HWND Radio(const std::string& caption) const;
    HWND TrackBar() const;
    // The report box of a split that opened its folder: waits for the file
    // manager's window (which may cover the box) and closes it before the
    // box is read.
    e2e::TMessageBoxInfo WaitForReport(e2e::TDuration timeout) const;

    // A file of the test folder; Write creates it with these bytes.
    std::string Path(const std::string& name) const { return FFolder + "\\" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    static std::string Read(const std::string& fileName);
    static bool Exists(const std::string& fileName);

    e2e::TAppDriver driver;
    HWND window = nullptr;

private:
    std::string FFolder;
};

// Copies tessaro.exe and what ships beside it into folder (made when
// missing) as a user unpacks them; returns the copy's path.
std::string CopyProgramTo(const std::string& folder);
std::wstring CopyProgramTo(const std::wstring& folder);
// Visible windows of the file manager, with that title when one is given.
std::vector<HWND> FileManagerWindows(const std::string& title);
// Closes them and waits until they are gone.
void CloseFileManagerWindows();
// Removes a folder and everything in it.
void RemoveTree(const std::string& folder);
