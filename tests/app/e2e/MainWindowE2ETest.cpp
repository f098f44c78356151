// The real program's window: presets through real clicks, closing in every
// way a user closes it, and the pixels it paints.

#include "ProgramFixture.h"

using namespace std::chrono_literals;

namespace {
e2e::TRgb SystemColour(int index) {
    const COLORREF c = ::GetSysColor(index);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}
const e2e::TRgb White{255, 255, 255};

} // namespace

TEST_F(Program, PresetsAndSliderStayInStepInTheRealWindow) {
    Start();
    HWND bar = TrackBar();
    EXPECT_EQ(e2e::TrackBarPosition(bar), 65500);
    EXPECT_EQ(e2e::CheckState(Radio("für Excel bis 2007")), e2e::TCheckState::Checked);
    e2e::Click(Radio("für Excel ab 2010"));
    EXPECT_EQ(e2e::TrackBarPosition(bar), 1048000);
    EXPECT_EQ(e2e::CheckState(Radio("für Excel ab 2010")), e2e::TCheckState::Checked);
    EXPECT_EQ(e2e::CheckState(Radio("für Excel bis 2007")), e2e::TCheckState::Unchecked);
    e2e::DragTrackBarTo(bar, 100000);
    EXPECT_EQ(e2e::CheckState(Radio("für Texteditoren")), e2e::TCheckState::Checked);
    e2e::DragTrackBarTo(bar, 100001);
    EXPECT_EQ(e2e::CheckState(Radio("Eigene Einstellung")), e2e::TCheckState::Checked);
    EXPECT_TRUE(driver.RequestClose(10s));
    EXPECT_EQ(driver.WaitForExit(), 0u);
}

TEST_F(Program, TheCloseBoxEndsTheProgram) {
    Start();
    driver.SystemClose();
    EXPECT_EQ(driver.WaitForExit(), 0u);
}

TEST_F(Program, AltF4EndsTheProgram) {
    Start();
    driver.PressAltF4();
    EXPECT_EQ(driver.WaitForExit(), 0u);
}

TEST_F(Program, TheCloseButtonEndsTheProgram) {
    Start();
    e2e::Click(Button("&Beenden"));
    EXPECT_EQ(driver.WaitForExit(), 0u);
}

TEST_F(Program, TheAcceleratorOfTheCloseButtonEndsTheProgram) {
    Start();
    driver.PressAltKey('B');
    EXPECT_EQ(driver.WaitForExit(), 0u);
}

TEST_F(Program, TheWindowPaintsItsLayout) {
    Start();
    const e2e::TRgb face = SystemColour(COLOR_BTNFACE);
    const e2e::TRgb shadow = SystemColour(COLOR_BTNSHADOW);
    const e2e::TRgb light = SystemColour(COLOR_BTNHIGHLIGHT);
    // The logo and the line are painted last of all.
    const e2e::TCapture shot = e2e::CaptureWindowShowing(window, [&](const e2e::TCapture& s) {
        return s.Width() > 200 && s.Height() > 298 && s.Pixel(80, 150) != face &&
               s.Pixel(200, 297) == shadow;
    });
    shot.SaveBmp(Path("window.bmp"));
    ASSERT_EQ(shot.Width(), 496);
    ASSERT_EQ(shot.Height(), 350);
    // The white panel from x 163; the logo left of it is no plain white.
    EXPECT_EQ(shot.Pixel(163, 2), White);
    EXPECT_EQ(shot.Pixel(493, 296), White);
    EXPECT_NE(shot.Pixel(162, 2), White);
    EXPECT_NE(shot.Pixel(80, 150), face) << "the logo is painted";
    // The separating line above the buttons: shadow over light, full width.
    for (int x : {0, 200, 495}) {
        EXPECT_EQ(shot.Pixel(x, 297), shadow) << x;
        EXPECT_EQ(shot.Pixel(x, 298), light) << x;
    }
    EXPECT_EQ(shot.Pixel(250, 330), face) << "the form's own colour below the line";
    // The settings group box's frame: its left edge at x 171 (163 + 8).
    EXPECT_EQ(shot.Pixel(171, 120), shadow);
    EXPECT_EQ(shot.Pixel(172, 120), light);
    EXPECT_EQ(shot.Pixel(175, 120), White) << "the box takes the panel's white";
    // The scale: lime at its left end, red at its right, above the white labels
    // (163 + 8 + 9 = 180 across, 40 + 71 = 111 down; 292 wide).
    EXPECT_EQ(shot.Pixel(180, 112), (e2e::TRgb{0, 255, 0}));
    EXPECT_EQ(shot.Pixel(471, 112), (e2e::TRgb{255, 0, 0}));
    const e2e::TRgb middle = shot.Pixel(326, 112);
    EXPECT_GT(middle.R, 100);
    EXPECT_GT(middle.G, 100);
    EXPECT_EQ(middle.B, 0);
    EXPECT_EQ(shot.Pixel(179, 112), White) << "nothing painted beside the scale";
    // Buttons and radio buttons where the table puts them.
    auto bounds = [](HWND h) { return e2e::BoundsInParent(h); };
    EXPECT_EQ(bounds(Button("&Hilfe")), (e2e::TBounds{8, 312, 89, 25}));
    EXPECT_EQ(bounds(Button("&Beenden")), (e2e::TBounds{392, 312, 89, 25}));
    EXPECT_EQ(bounds(Radio("für Texteditoren")), (e2e::TBounds{8, 40, 113, 17}));
    EXPECT_EQ(bounds(TrackBar()), (e2e::TBounds{3, 93, 302, 25}));
    EXPECT_EQ(bounds(Button("Datei wählen und Aufteilung starten")),
              (e2e::TBounds{16, 20, 281, 25}));
}

TEST_F(Program, HelpHandsTheFileManagerThePagePathAsOneArgument) {
    // Unpacked where blanks and a comma would split an unquoted argument, in
    // a folder whose name the ANSI code page cannot hold.
    const std::wstring folder = AnsiToWide(Path("")) + L"Tessaro Kopie, 2 Łódź";
    Start(CopyProgramTo(folder));
    e2e::Click(Button("&Hilfe"));
    std::vector<e2e::TProcessInfo> started;
    e2e::WaitFor(
        [&] {
            started = e2e::ChildProcesses(driver.ProcessId());
            return !started.empty();
        },
        20s, "the file manager");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(_stricmp(started[0].ExeName.c_str(), "explorer.exe"), 0) << started[0].ExeName;
    const std::vector<std::wstring> arguments =
        e2e::SplitCommandLine(e2e::ProcessCommandLine(started[0].Id));
    ASSERT_EQ(arguments.size(), 2u);
    EXPECT_EQ(arguments[1], folder + L"\\faq.html");
    CloseFileManagerWindows();
    EXPECT_TRUE(driver.RequestClose(10s));
}

TEST_F(Program, TheShippedFileNamesProductAndVersionInGerman) {
    const std::string program = ProgramFolder() + "\\tessaro.exe";
    DWORD unused = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(program.c_str(), &unused);
    ASSERT_GT(size, 0u) << "a version resource";
    std::vector<char> data(size);
    ASSERT_TRUE(::GetFileVersionInfoA(program.c_str(), 0, size, data.data()));
    auto query = [&](const char* path) {
        void* value = nullptr;
        UINT length = 0;
        return ::VerQueryValueA(data.data(), path, &value, &length) && length ? value : nullptr;
    };
    const auto* translation = static_cast<const WORD*>(query("\\VarFileInfo\\Translation"));
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation[0], 0x0407) << "German";
    EXPECT_EQ(translation[1], 1252);
    const auto* product =
        static_cast<const char*>(query("\\StringFileInfo\\040704E4\\ProductName"));
    ASSERT_NE(product, nullptr);
    EXPECT_STREQ(product, "Tessaro");
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query("\\"));
    const auto* version =
        static_cast<const char*>(query("\\StringFileInfo\\040704E4\\FileVersion"));
    ASSERT_NE(fixed, nullptr);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                  std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                  std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                  std::to_string(LOWORD(fixed->dwFileVersionLS)),
              version)
        << "the numbers and the text agree";
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}
