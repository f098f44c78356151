// The real program, worked through the end-to-end driver: one split from the
// open dialog to the report box, and the program's peak working set.
//   e2e_bench TESSARO_EXE SOURCE
// The output folder beside the source is left for the caller to remove.

#include "BenchReport.h"

#include "tests/e2e/Driver.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {
const char* const DialogTitle = "Quelldatei wählen";
const char* const StartCaption = "Datei wählen und Aufteilung starten";
const char* const SuccessEnd = "wurde erfolgreich aufgeteilt";

double PeakWorkingSetMib(HANDLE process) {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process, &memory, sizeof memory))
        throw std::runtime_error("cannot read the program's memory counters");
    return static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The file manager's windows whose title starts with prefix: the program
// opens the output folder there, and it would outlive this run.
std::vector<HWND> FileManagerWindows(const std::string& prefix) {
    std::vector<HWND> result;
    for (HWND window : e2e::TopLevelWindows()) {
        if (!IsWindowVisible(window) || e2e::Caption(window).rfind(prefix, 0) != 0)
            continue;
        e2e::TUniqueHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, e2e::ProcessOf(window)));
        char image[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (!process || !QueryFullProcessImageNameA(process.Get(), 0, image, &size))
            continue;
        std::string name(image, size);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (EndsWith(name, "\\explorer.exe"))
            result.push_back(window);
    }
    return result;
}

// The output folder's name: the source's name up to its first dot.
std::string FolderName(const std::string& source) {
    const std::string name = source.substr(source.find_last_of("\\/") + 1);
    return name.substr(0, name.find('.'));
}

void CloseFileManager(const std::string& folderName) {
    std::vector<HWND> windows;
    if (!e2e::WaitUntil([&] { return !(windows = FileManagerWindows(folderName)).empty(); }, 20s))
        std::fprintf(stderr, "e2e_bench: no file manager window showed %s\n", folderName.c_str());
    for (HWND window : windows)
        PostMessageA(window, WM_CLOSE, 0, 0);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: e2e_bench TESSARO_EXE SOURCE\n");
        return 2;
    }
    const std::string source = argv[2];
    try {
        e2e::TAppDriver driver(argv[1]);
        e2e::TUniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ,
                                               FALSE, driver.ProcessId()));
        if (!process)
            throw std::runtime_error("cannot open the program's process");
        driver.WaitForMainWindow("Tessaro", 30s, "TfrmMain");
        e2e::Click(driver.Control("TButton", StartCaption));
        // Returns once the dialog has closed, which under Wine takes ~2 s of
        // its own; the clock starts after that.
        driver.AnswerOpenDialog(DialogTitle, source, 30s);
        LARGE_INTEGER start{};
        QueryPerformanceCounter(&start);
        e2e::WaitFor([&] { return driver.FindMessageBox() != nullptr; }, 1800s, "the report box");
        const double seconds = SecondsSince(start);
        const double peakMib = PeakWorkingSetMib(process.Get());

        const e2e::TMessageBoxInfo box = driver.ConfirmMessageBox();
        if (!EndsWith(box.Text, SuccessEnd))
            throw std::runtime_error("the program reported: " + box.Text);
        CloseFileManager(FolderName(source));
        if (!driver.RequestClose(10s))
            throw std::runtime_error("the program did not close");
        driver.WaitForExit();
        std::printf("timed=open_dialog_closed_to_report_box seconds=%.3f "
                    "peak_working_set_mib=%.1f\n",
                    seconds, peakMib);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "e2e_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
