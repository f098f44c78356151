// The program runs elevated from wherever it was unpacked: libraries of
// system names lying beside it are never loaded by it, and it looks as
// without them.

#include "ProgramFixture.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <vector>

using namespace std::chrono_literals;

namespace {
const char* const Planted[] = {"uxtheme.dll", "winmm.dll"};

// How often the planted library of this name was loaded since it was put there.
int Loads(const std::string& folder, const std::string& name) {
    std::ifstream marks(folder + "\\" + name + ".loaded", std::ios::binary);
    return static_cast<int>(
        std::count(std::istreambuf_iterator<char>(marks), std::istreambuf_iterator<char>(), '\n'));
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Whether a module of this path lies in folder, the program itself aside.
bool PlantedThere(const std::string& module, const std::string& folder) {
    const std::string path = Lower(module);
    const std::string inside = Lower(folder + "\\");
    return path.rfind(inside, 0) == 0 && path != inside + "tessaro.exe";
}

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

// For the scope: Wine prefers a library of these names lying beside these
// programs to its own, as Windows does. (Wine's default is its own, which
// would hide a program that searches its folder.) Windows has no such key.
class TPreferLibrariesBesideThePrograms {
public:
    TPreferLibrariesBesideThePrograms(std::vector<std::string> programs,
                                      std::vector<std::string> libraries)
        : FPrograms(std::move(programs)) {
        for (const std::string& program : FPrograms) {
            HKEY key = nullptr;
            if (::RegCreateKeyExA(HKEY_CURRENT_USER, OverridesKey(program).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
                continue;
            for (const std::string& library : libraries)
                ::RegSetValueExA(key, library.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>("native,builtin"), 15);
            ::RegCloseKey(key);
        }
    }
    ~TPreferLibrariesBesideThePrograms() {
        for (const std::string& program : FPrograms) {
            ::RegDeleteKeyA(HKEY_CURRENT_USER, OverridesKey(program).c_str());
            ::RegDeleteKeyA(HKEY_CURRENT_USER, AppKey(program).c_str());
        }
    }
    TPreferLibrariesBesideThePrograms(const TPreferLibrariesBesideThePrograms&) = delete;
    TPreferLibrariesBesideThePrograms& operator=(const TPreferLibrariesBesideThePrograms&) = delete;

private:
    static std::string AppKey(const std::string& program) {
        return "Software\\Wine\\AppDefaults\\" + program;
    }
    static std::string OverridesKey(const std::string& program) {
        return AppKey(program) + "\\DllOverrides";
    }
    std::vector<std::string> FPrograms;
};
} // namespace

TEST_F(Program, LibrariesPlantedBesideTheProgramAreNeverLoadedByIt) {
    const std::string folder = Path("Downloads");
    const std::string program = CopyProgramTo(folder);
    for (const char* name : Planted)
        ASSERT_TRUE(::CopyFileA((ProgramFolder() + "\\planted\\" + name).c_str(),
                                (folder + "\\" + name).c_str(), FALSE))
            << name;
    const std::string bare = folder + "\\bare_window.exe";
    ASSERT_TRUE(
        ::CopyFileA((ProgramFolder() + "\\planted\\bare_window.exe").c_str(), bare.c_str(), FALSE));
    e2e::TCapture beside;
    {
        const TPreferLibrariesBesideThePrograms preferred({"tessaro.exe", "bare_window.exe"},
                                                          {"uxtheme", "winmm"});
        // The order bites: a bare program that imports the common controls
        // at load time takes the planted visual styles in with them.
        e2e::TAppDriver bareProgram(bare);
        e2e::WaitFor([&] { return Loads(folder, "uxtheme.dll") > 0 || !bareProgram.IsRunning(); },
                     30s, "the bare program's start");
        EXPECT_GT(Loads(folder, "uxtheme.dll"), 0) << "Wine took its own library after all";
        bareProgram.Kill();
        std::vector<int> before;
        for (const char* name : Planted)
            before.push_back(Loads(folder, name));

        Start(program);
        for (const std::string& module : e2e::ModulesOf(driver.ProcessId()))
            EXPECT_FALSE(PlantedThere(module, folder)) << "the program holds " << module;
        beside = e2e::CaptureWindow(window);
        EXPECT_TRUE(driver.RequestClose(10s));
        EXPECT_EQ(driver.WaitForExit(), 0u);
        for (size_t k = 0; k < std::size(Planted); ++k)
            EXPECT_EQ(Loads(folder, Planted[k]), before[k])
                << "the program loaded the planted " << Planted[k];
    }
    {
        // It themes and paints as the program does where nothing is planted.
        Start();
        const e2e::TCapture alone = e2e::CaptureWindow(window);
        EXPECT_TRUE(beside == alone) << "the window looks different with the planted libraries";
        EXPECT_TRUE(driver.RequestClose(10s));
        EXPECT_EQ(driver.WaitForExit(), 0u);
    }
    {
        // The planted libraries work: a program that loads them by path runs
        // them and leaves the marks counted above.
        const TPreferLibrariesBesideThePrograms preferred({"rundll32.exe"}, {"uxtheme", "winmm"});
        for (const char* name : Planted) {
            const int before = Loads(folder, name);
            e2e::TAppDriver loader(SystemFolder() + "\\rundll32.exe",
                                   "\"" + folder + "\\" + name + "\",sndPlaySoundA");
            loader.WaitForExit(30s);
            EXPECT_EQ(Loads(folder, name), before + 1) << name;
        }
    }
}
