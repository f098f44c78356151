#include "tests/e2e/Processes.h"

#include "tests/e2e/Handles.h"

#include <shellapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <stdexcept>

namespace e2e {

std::vector<TProcessInfo> ChildProcesses(DWORD parentId) {
    std::vector<TProcessInfo> result;
    const TUniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        throw std::runtime_error("cannot list the processes");
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry))
        if (entry.th32ParentProcessID == parentId && entry.th32ProcessID != parentId)
            result.push_back({entry.th32ProcessID, entry.szExeFile});
    return result;
}

std::vector<std::string> ModulesOf(DWORD processId) {
    std::vector<std::string> paths;
    const TUniqueHandle snapshot(
        CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId));
    if (!snapshot)
        throw std::runtime_error("cannot list the modules of a process");
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot.Get(), &entry); more;
         more = Module32Next(snapshot.Get(), &entry))
        paths.emplace_back(entry.szExePath);
    return paths;
}

namespace {
using TQueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

template <class T> T ReadFrom(HANDLE process, const void* address) {
    T value{};
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, address, &value, sizeof value, &read) || read != sizeof value)
        throw std::runtime_error("cannot read the memory of another process");
    return value;
}
} // namespace

std::wstring ProcessCommandLine(DWORD processId) {
    // Wine 8 lacks the direct query for the command line; the process
    // parameters that the process environment block points at are readable
    // on Windows and Wine alike.
    const TUniqueHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process)
        throw std::runtime_error("cannot open process " + std::to_string(processId));
    const auto query = reinterpret_cast<TQueryProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    ULONG size = 0;
    if (!query || query(process.Get(), ProcessBasicInformation, &basic, sizeof basic, &size) != 0)
        throw std::runtime_error("cannot query process " + std::to_string(processId));
    const auto peb = ReadFrom<PEB>(process.Get(), basic.PebBaseAddress);
    const auto parameters =
        ReadFrom<RTL_USER_PROCESS_PARAMETERS>(process.Get(), peb.ProcessParameters);
    std::wstring text(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    SIZE_T read = 0;
    if (!text.empty() && !ReadProcessMemory(process.Get(), parameters.CommandLine.Buffer,
                                            text.data(), parameters.CommandLine.Length, &read))
        throw std::runtime_error("cannot read the command line of another process");
    return text;
}

std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine.c_str(), &count);
    if (!arguments)
        throw std::runtime_error("cannot split a command line");
    std::vector<std::wstring> result(arguments, arguments + count);
    LocalFree(arguments);
    return result;
}

} // namespace e2e
