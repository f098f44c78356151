#pragma once
// Other processes as the system sees them: which a program started, the
// modules each holds and the command line each was started with.

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct TProcessInfo {
    DWORD Id = 0;
    std::string ExeName; // the image's file name without its folder, e.g. "explorer.exe"
};

// The running processes whose parent is parentId.
std::vector<TProcessInfo> ChildProcesses(DWORD parentId);

// The paths of the modules (program and libraries) a running process holds.
std::vector<std::string> ModulesOf(DWORD processId);

// The command line process id was started with, read from its process
// parameters; raises std::runtime_error when it cannot be read.
std::wstring ProcessCommandLine(DWORD processId);

// A command line split into arguments by the system's rules.
std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine);

} // namespace e2e
