#include "ProgramFixture.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

void RemoveTree(const std::string& folder) {
    RemoveFileTree(AnsiToWide(folder));
}

void Program::SetUp() {
    CloseFileManagerWindows();
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    FFolder = std::string(temp) + "tessaro-e2e-" + info->name();
    RemoveTree(FFolder);
    ASSERT_TRUE(::CreateDirectoryA(FFolder.c_str(), nullptr)) << FFolder;
}

std::vector<HWND> FileManagerWindows(const std::string& title) {
    std::vector<HWND> result;
    for (HWND w : e2e::TopLevelWindows()) {
        if (!::IsWindowVisible(w) || (!title.empty() && e2e::Caption(w) != title))
            continue;
        DWORD pid = e2e::ProcessOf(w);
        HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        if (!process)
            continue;
        char image[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (::QueryFullProcessImageNameA(process, 0, image, &size)) {
            const std::string name(image, size);
            if (name.size() >= 12 &&
                _stricmp(name.substr(name.size() - 12).c_str(), "explorer.exe") == 0)
                result.push_back(w);
        }
        ::CloseHandle(process);
    }
    return result;
}

void CloseFileManagerWindows() {
    // The folders splits opened, which would cover the next test's window.
    for (int i = 0; i < 100; ++i) {
        const std::vector<HWND> open = FileManagerWindows(std::string());
        if (open.empty())
            return;
        for (HWND w : open)
            ::PostMessageA(w, WM_CLOSE, 0, 0);
        ::Sleep(50);
    }
}

void Program::TearDown() {
    if (driver.IsRunning())
        driver.Kill();
    CloseFileManagerWindows();
    RemoveTree(FFolder);
}

std::string CopyProgramTo(const std::string& folder) {
    return WideToAnsi(CopyProgramTo(AnsiToWide(folder)));
}

std::wstring CopyProgramTo(const std::wstring& folder) {
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring from = AnsiToWide(ProgramFolder());
    for (const wchar_t* file : {L"tessaro.exe", L"faq.html"})
        if (!::CopyFileW((from + L"\\" + file).c_str(), (folder + L"\\" + file).c_str(), FALSE))
            throw std::runtime_error("cannot copy " + WideToAnsi(file) + " to " +
                                     WideToAnsi(folder));
    return folder + L"\\tessaro.exe";
}

void Program::Start(const std::string& program) {
    Start(AnsiToWide(program));
}

void Program::Start(const std::wstring& program) {
    driver.Start(program);
    window = driver.WaitForMainWindow("Tessaro", std::chrono::seconds(30), "TfrmMain");
}

HWND Program::Button(const std::string& caption) const {
    return driver.Control("TButton", caption);
}

HWND Program::Radio(const std::string& caption) const {
    return driver.Control("TRadioButton", caption);
}

e2e::TMessageBoxInfo Program::WaitForReport(e2e::TDuration timeout) const {
    const e2e::TMessageBoxInfo first = driver.WaitForMessageBox(timeout);
    try {
        e2e::WaitFor([] { return !FileManagerWindows(std::string()).empty(); },
                     std::chrono::seconds(10), "the file manager");
    } catch (const std::exception&) {
        // Not every report follows an opened folder.
    }
    CloseFileManagerWindows();
    return e2e::ReadMessageBox(first.Handle);
}

HWND Program::TrackBar() const {
    return driver.Control("TTrackBar", "");
}

void Program::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(Path(name), std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + Path(name));
}

std::string Program::Read(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Program::Exists(const std::string& fileName) {
    return ::GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES;
}
