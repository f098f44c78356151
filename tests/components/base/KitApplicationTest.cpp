#include "components/base/kitclass.h"

#include "components/base/kitutils.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FilePaths.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// A screen for the cursor table, as the platform's forms unit makes it.
class KitApplication : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Screen) {
            Screen = new TScreen(nullptr);
            FOwnScreen = true;
        }
    }
    void TearDown() override {
        if (FOwnScreen) {
            Free(Screen);
            Screen = nullptr;
        }
    }

private:
    bool FOwnScreen = false;
};

std::string ProbePath() {
    return ProgramDir() + "kit_instance_probe.exe";
}

// Runs a program and returns its exit code (-1 when it cannot start).
int RunProcess(const std::string& path) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + path + "\"";
    if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        return -1;
    ::WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// A copy of the probe under another file name in a folder of its own.
class TProbeCopy {
public:
    explicit TProbeCopy(const std::string& fileName) {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        FFolder = std::string(temp) + "kit_probe_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(FFolder.c_str(), nullptr);
        FPath = FFolder + "\\" + fileName;
        FCopied = ::CopyFileA(ProbePath().c_str(), FPath.c_str(), FALSE) != 0;
    }
    ~TProbeCopy() {
        ::DeleteFileA(FPath.c_str());
        ::RemoveDirectoryA(FFolder.c_str());
    }
    TProbeCopy(const TProbeCopy&) = delete;
    TProbeCopy& operator=(const TProbeCopy&) = delete;
    bool Copied() const { return FCopied; }
    const std::string& Path() const { return FPath; }

private:
    std::string FFolder;
    std::string FPath;
    bool FCopied = false;
};

constexpr int ProbeFoundMutex = 1;
constexpr int ProbeFoundCursor = 2;

} // namespace

TEST_F(KitApplication, StateAfterConstruction) {
    TComponent owner(nullptr);
    TOwnedPtr<TKitApplication> app(new TKitApplication(&owner));
    EXPECT_EQ(app->Owner(), nullptr);
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(app->AppOptions.Mask(), 0x36u);
    EXPECT_FALSE(app->AppOptions.Contains(aoLowColorNoPalette));
    ASSERT_NE(app->IniCtrl(), nullptr);
    EXPECT_EQ(app->IniCtrl()->Owner(), nullptr);
    ASSERT_NE(app->TimerPool(), nullptr);
    EXPECT_EQ(app->TimerPool()->Owner(), nullptr);
    EXPECT_EQ(app->TimerPool()->MinInterval(), 50);
    EXPECT_FALSE(app->TimerPool()->Running());
    EXPECT_EQ(app->TimerPool()->TimerWindow(), nullptr);
    EXPECT_EQ(app->LogPathPrefix, ppProgram);
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    EXPECT_EQ(app->PerformanceFrequency, frequency.QuadPart);
    EXPECT_GT(app->PerformanceFrequency, 0);
}

namespace {
// Counts how many of its kind are alive, so a test sees what was freed.
struct TCountedObject : TObject {
    static inline int Alive = 0;
    TCountedObject() { ++Alive; }
    ~TCountedObject() override { --Alive; }
};
} // namespace

TEST_F(KitApplication, OwnedObjectSlotsStartEmptyAndFreeWhatTheyHold) {
    TCountedObject::Alive = 0;
    {
        TOwnedPtr<TKitApplication> app(new TKitApplication(nullptr));
        for (int i = 0; i < TKitApplication::OwnedObjectSlots; ++i)
            EXPECT_EQ(app->OwnedObject(i), nullptr);
        EXPECT_THROW(app->OwnedObject(2), EListError);
        app->SetOwnedObject(0, new TCountedObject);
        app->SetOwnedObject(1, new TCountedObject);
        app->SetOwnedObject(0, new TCountedObject); // the first one is freed
        EXPECT_EQ(TCountedObject::Alive, 2);
    }
    EXPECT_EQ(TCountedObject::Alive, 0);
}

TEST_F(KitApplication, LogFileNameDefaultsToTheProgramWithLogExtension) {
    TOwnedPtr<TKitApplication> app(new TKitApplication(nullptr));
    const std::string program = ProgramFileName();
    const std::string expected =
        program.substr(0, program.size() - ExtractFileExt(program).size()) + ".LOG";
    EXPECT_EQ(app->LogFileName(), expected);
    EXPECT_EQ(ExtractFileName(app->LogFileName()), "base_tests.LOG");
}

TEST_F(KitApplication, LogFileNameRules) {
    TOwnedPtr<TKitApplication> app(new TKitApplication(nullptr));
    app->SetLogFileName("protokoll");
    EXPECT_EQ(app->LogFileName(), ProgramDir() + "protokoll.LOG");
    app->SetLogFileName("C:\\Andere\\ablauf.txt");
    EXPECT_EQ(app->LogFileName(), ProgramDir() + "ablauf.txt");
    app->SetLogFileName("   ");
    EXPECT_EQ(ExtractFileName(app->LogFileName()), "base_tests.LOG");

    app->LogPathPrefix = ppFixed;
    app->SetLogFileName("C:\\Andere\\ablauf");
    EXPECT_EQ(app->LogFileName(), "C:\\Andere\\ablauf.LOG");
    app->SetLogFileName("relativ.log");
    EXPECT_EQ(app->LogFileName(), "relativ.log");

    app->LogPathPrefix = ppWindows;
    app->SetLogFileName("C:\\Andere\\ablauf.txt");
    EXPECT_EQ(app->LogFileName(), WindowsDir() + "\\ablauf.txt");
}

TEST_F(KitApplication, MutexIsNamedAfterTheProgramFile) {
    TOwnedPtr<TKitApplication> app(new TKitApplication(nullptr));
    ASSERT_NE(app->Mutex(), nullptr);
    EXPECT_FALSE(app->IsSecondInstance);
    HANDLE same = ::OpenMutexA(SYNCHRONIZE, FALSE, "base_tests.exe");
    EXPECT_NE(same, nullptr);
    if (same)
        ::CloseHandle(same);
}

TEST_F(KitApplication, MutexIsClosedWithTheObject) {
    TOwnedPtr<TKitApplication> app(new TKitApplication(nullptr));
    app.reset();
    EXPECT_EQ(::OpenMutexA(SYNCHRONIZE, FALSE, "base_tests.exe"), nullptr);
}

TEST_F(KitApplication, SecondObjectOfTheSameProgramSeesTheFirst) {
    TOwnedPtr<TKitApplication> first(new TKitApplication(nullptr));
    TOwnedPtr<TKitApplication> second(new TKitApplication(nullptr));
    EXPECT_FALSE(first->IsSecondInstance);
    EXPECT_TRUE(second->IsSecondInstance);
}

TEST_F(KitApplication, SecondProcessWithTheSameFileNameIsASecondInstance) {
    TOwnedPtr<TKitApplication> app(new TKitApplication(nullptr));
    TProbeCopy sameName("base_tests.exe");
    ASSERT_TRUE(sameName.Copied());
    const int answer = RunProcess(sameName.Path());
    ASSERT_GE(answer, 0);
    EXPECT_TRUE(answer & ProbeFoundMutex);

    app.reset();
    const int later = RunProcess(sameName.Path());
    ASSERT_GE(later, 0);
    EXPECT_FALSE(later & ProbeFoundMutex);
}

TEST_F(KitApplication, SecondProcessWithAnotherFileNameIsNot) {
    TOwnedPtr<TKitApplication> app(new TKitApplication(nullptr));
    const int answer = RunProcess(ProbePath());
    ASSERT_GE(answer, 0);
    EXPECT_FALSE(answer & ProbeFoundMutex);
}

TEST_F(KitApplication, CursorResourceBecomesScreenCursor) {
    HCURSOR arrow = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    TOwnedPtr<TKitApplication> app(new TKitApplication(nullptr));
    HCURSOR installed = Screen->Cursors(crKitCursor);
    EXPECT_NE(installed, nullptr);
    EXPECT_NE(installed, arrow);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(installed, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 0u);
    EXPECT_EQ(info.yHotspot, 0u);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
}

TEST_F(KitApplication, MissingCursorResourceLeavesTheDefault) {
    const int answer = RunProcess(ProbePath());
    ASSERT_GE(answer, 0);
    EXPECT_FALSE(answer & ProbeFoundCursor);
}

TEST_F(KitApplication, UnitStartUpAndShutdown) {
    ASSERT_EQ(::KitApplication, nullptr);
    InitializeKitclass();
    ASSERT_NE(::KitApplication, nullptr);
    TKitApplication* made = ::KitApplication;
    InitializeKitclass();
    EXPECT_EQ(::KitApplication, made);
    FinalizeKitclass();
    EXPECT_EQ(::KitApplication, nullptr);
    FinalizeKitclass();
    EXPECT_EQ(::KitApplication, nullptr);
}
