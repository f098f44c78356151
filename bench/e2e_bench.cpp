// The real program beside a bare Win32 program (bare_window), both worked
// through the end-to-end driver in the same run: start-up time (median of
// nine starts, taken in turns, to the main window shown), peak working set idle (the window
// shown for a second) and across one split of SOURCE, from the open dialog
// closing to the report box.
//   e2e_bench TESSARO_EXE BARE_EXE SOURCE
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
constexpr int Starts = 9; // median of nine: single starts vary by tens of ms

struct TSubject {
    const char* Name;
    std::string Exe;
    const char* Title;
    const char* WindowClass;
    const char* ButtonClass;
    bool OpensFolder; // the real program shows its output in the file manager
};

struct TFigures {
    std::vector<double> StartupMs;
    double IdlePeakMib = 0;
    double SplitSeconds = 0;
    double SplitPeakMib = 0;
};

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

void Close(e2e::TAppDriver& driver) {
    if (!driver.RequestClose(10s))
        throw std::runtime_error("the program did not close");
    driver.WaitForExit();
}

// One start; on the last, also the idle figure and the split.
void Run(const TSubject& subject, const std::string& source, bool measureWork, TFigures& figures) {
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    e2e::TAppDriver driver(subject.Exe);
    // Looked for every 5 ms: the driver's own wait polls too coarsely for
    // start-up times of a few hundred milliseconds, and polling much faster
    // would keep the window server (one thread under Wine) from the program.
    const auto shown = [&] {
        for (HWND window : e2e::VisibleTopLevelWindowsOf(driver.ProcessId()))
            if (e2e::Caption(window) == subject.Title)
                return true;
        return false;
    };
    while (!shown() && SecondsSince(start) < 30.0)
        Sleep(5);
    figures.StartupMs.push_back(SecondsSince(start) * 1000.0);
    driver.WaitForMainWindow(subject.Title, 30s, subject.WindowClass);
    if (!measureWork) {
        Close(driver);
        return;
    }
    e2e::TUniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ,
                                           FALSE, driver.ProcessId()));
    if (!process)
        throw std::runtime_error("cannot open the program's process");
    Sleep(1000);
    figures.IdlePeakMib = PeakWorkingSetMib(process.Get());

    e2e::Click(driver.Control(subject.ButtonClass, StartCaption));
    // Returns once the dialog has closed, which under Wine takes ~2 s of
    // its own; the clock starts after that.
    driver.AnswerOpenDialog(DialogTitle, source, 30s);
    QueryPerformanceCounter(&start);
    e2e::WaitFor([&] { return driver.FindMessageBox() != nullptr; }, 1800s, "the report box");
    figures.SplitSeconds = SecondsSince(start);
    figures.SplitPeakMib = PeakWorkingSetMib(process.Get());
    const e2e::TMessageBoxInfo box = driver.ConfirmMessageBox();
    if (!EndsWith(box.Text, SuccessEnd))
        throw std::runtime_error(std::string(subject.Name) + " reported: " + box.Text);
    if (subject.OpensFolder)
        CloseFileManager(FolderName(source));
    Close(driver);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: e2e_bench TESSARO_EXE BARE_EXE SOURCE\n");
        return 2;
    }
    const std::string source = argv[3];
    const TSubject subjects[] = {{"tessaro", argv[1], "Tessaro", "TfrmMain", "TButton", true},
                                 {"bare", argv[2], "Bare Win32", "BareWin32", "Button", false}};
    TFigures figures[2];
    try {
        // Round by round, so that neither program has the warmer machine.
        for (int round = 0; round < Starts; ++round)
            for (int k = 0; k < 2; ++k)
                Run(subjects[k], source, round == Starts - 1, figures[k]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "e2e_bench: %s\n", error.what());
        return 1;
    }
    for (int k = 0; k < 2; ++k)
        std::printf("program=%s startup_ms=%.0f idle_peak_mib=%.1f split_seconds=%.3f "
                    "split_peak_mib=%.1f\n",
                    subjects[k].Name, Median(figures[k].StartupMs), figures[k].IdlePeakMib,
                    figures[k].SplitSeconds, figures[k].SplitPeakMib);
    std::printf("tessaro/bare: start-up %.2f (goal <= 1.3), split peak %.2f (goal <= 1.15); "
                "tessaro idle %.1f MiB (goal <= 32)\n",
                Median(figures[0].StartupMs) / Median(figures[1].StartupMs),
                figures[0].SplitPeakMib / figures[1].SplitPeakMib, figures[0].IdlePeakMib);
    return 0;
}
