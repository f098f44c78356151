// The driver against the fixture program, whose windows and answers are
// known: every action and reading of the driver is checked on a real window.

#include "tests/e2e/Driver.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace e2e;

namespace {

const char* const FixtureTitle = "E2E Fixture";
const char* const OpenDialogTitle = "Quelldatei wählen";
const TRgb RectColour{32, 128, 192};
const TRgb White{255, 255, 255};

std::string OwnFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string FixtureProgram() {
    return OwnFolder() + "e2e_fixture.exe";
}

// A file of folder with these bytes; the name is in the ANSI code page.
std::string WriteFile(const TTempFolder& folder, const std::string& name,
                      const std::string& content = {}) {
    const std::string path = folder.File(name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// Runs the fixture for one test; the driver ends it afterwards if needed.
class FixtureTest : public ::testing::Test {
protected:
    void Start(const std::string& arguments = {}) {
        App.Start(FixtureProgram(), arguments);
        Main = App.WaitForMainWindow(FixtureTitle);
    }
    void SetUp() override { Start(); }

    HWND Button(std::string_view caption) const { return App.Control("Button", caption); }

    TAppDriver App;
    HWND Main = nullptr;
};

// Tests that start the fixture themselves, with their own arguments.
class ProgramTest : public FixtureTest {
protected:
    void SetUp() override {}
};

template <class Action> std::string FailureOf(Action&& action) {
    try {
        action();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "(no failure)";
}

// --- starting and ending -------------------------------------------------

TEST_F(ProgramTest, FindsTheMainWindowOfTheStartedProcessByExactTitle) {
    Start();
    EXPECT_EQ(Caption(Main), FixtureTitle);
    EXPECT_EQ(ProcessOf(Main), App.ProcessId());
    EXPECT_EQ(App.MainWindow(), Main);
    EXPECT_TRUE(App.IsRunning());
    EXPECT_EQ(App.WaitForMainWindow(FixtureTitle, 1s, "e2efixturewindow"), Main);
}

TEST_F(ProgramTest, TitleAndClassMustMatchExactly) {
    Start();
    const std::string failure = FailureOf([&] { App.WaitForMainWindow("E2E Fix", 200ms); });
    EXPECT_NE(failure.find("timed out after 200 ms waiting for the main window \"E2E Fix\""),
              std::string::npos)
        << failure;
    // The message lists what the program did show.
    EXPECT_NE(failure.find("\"E2E Fixture\""), std::string::npos) << failure;
    EXPECT_THROW(App.WaitForMainWindow(FixtureTitle, 200ms, "Button"), std::runtime_error);
}

TEST_F(ProgramTest, WaitsForAWindowThatComesLate) {
    Start("delay=600");
    EXPECT_TRUE(App.MainWindowExists());
}

TEST_F(ProgramTest, AProgramThatEndsBeforeItsWindowIsReportedWithItsExitCode) {
    App.Start(FixtureProgram(), "quit=5");
    const std::string failure = FailureOf([&] { App.WaitForMainWindow(FixtureTitle, 10s); });
    EXPECT_NE(failure.find("ended with exit code 5"), std::string::npos) << failure;
    EXPECT_EQ(App.WaitForExit(1s), 5u);
}

TEST_F(ProgramTest, StartingAMissingProgramFails) {
    const std::string failure = FailureOf([&] { App.Start(OwnFolder() + "no_such_program.exe"); });
    EXPECT_NE(failure.find("cannot start"), std::string::npos) << failure;
    EXPECT_FALSE(App.IsRunning());
    EXPECT_THROW(App.ProcessId(), std::runtime_error);
    EXPECT_THROW(App.MainWindow(), std::runtime_error);
}

TEST_F(FixtureTest, StartingASecondProgramWhileOneRunsFails) {
    EXPECT_THROW(App.Start(FixtureProgram()), std::runtime_error);
    EXPECT_TRUE(App.MainWindowExists());
}

TEST_F(FixtureTest, CloseRequestEndsTheProgramWithExitCodeZero) {
    EXPECT_TRUE(App.RequestClose());
    EXPECT_FALSE(App.MainWindowExists());
    EXPECT_EQ(App.WaitForExit(), 0u);
    EXPECT_FALSE(App.IsRunning());
}

TEST_F(ProgramTest, TheExitCodeIsThePrograms) {
    Start("exit=7");
    App.SystemClose();
    EXPECT_EQ(App.WaitForExit(), 7u);
}

TEST_F(FixtureTest, AltF4ClosesTheWindow) {
    App.PressAltF4();
    EXPECT_EQ(App.WaitForExit(), 0u);
}

TEST_F(ProgramTest, ARefusedCloseLeavesTheWindowAndKillEndsTheProgram) {
    Start("refuse-close");
    EXPECT_FALSE(App.RequestClose(300ms));
    EXPECT_TRUE(App.MainWindowExists());
    const std::string failure = FailureOf([&] { App.WaitForExit(100ms); });
    EXPECT_NE(failure.find("to end"), std::string::npos) << failure;
    App.Kill();
    EXPECT_EQ(App.WaitForExit(1s), TAppDriver::KilledExitCode);
}

TEST(DriverLifetime, TheDestructorEndsAProgramStillRunning) {
    TUniqueHandle process;
    {
        TAppDriver app(FixtureProgram());
        app.WaitForMainWindow(FixtureTitle);
        process.Reset(OpenProcess(SYNCHRONIZE, FALSE, app.ProcessId()));
        ASSERT_TRUE(process);
    }
    EXPECT_EQ(WaitForSingleObject(process.Get(), 0), WAIT_OBJECT_0);
}

TEST_F(FixtureTest, WaitingForAWindowOfAProgramThatHasEndedFailsAtOnce) {
    App.RequestClose();
    const auto start = std::chrono::steady_clock::now();
    const std::string failure = FailureOf([&] { App.WaitForMessageBox(10s); });
    EXPECT_NE(failure.find("ended with exit code 0"), std::string::npos) << failure;
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

// --- finding controls and reading them -----------------------------------

TEST(Captions, AcceleratorMarkersAreRemovedOnRequest) {
    EXPECT_EQ(StripAccelerators("&Start"), "Start");
    EXPECT_EQ(StripAccelerators("Laden && Speichern"), "Laden & Speichern");
    EXPECT_EQ(StripAccelerators("Ende&"), "Ende");
    EXPECT_EQ(StripAccelerators(""), "");
    EXPECT_TRUE(CaptionMatches("&Beenden", "Beenden", TCaptionMatch::IgnoreAccelerators));
    EXPECT_TRUE(CaptionMatches("&Beenden", "&Beenden", TCaptionMatch::IgnoreAccelerators));
    EXPECT_FALSE(CaptionMatches("&Beenden", "Beenden", TCaptionMatch::Exact));
    EXPECT_FALSE(CaptionMatches("Beenden", "beenden", TCaptionMatch::IgnoreAccelerators));
}

TEST_F(FixtureTest, FindsControlsByClassAndCaption) {
    HWND start = App.Control("Button", "&Start");
    EXPECT_EQ(GetDlgCtrlID(start), 101);
    EXPECT_EQ(App.Control("BUTTON", "Start", TCaptionMatch::IgnoreAccelerators), start);
    EXPECT_EQ(App.Control("", "&Start"), start);
    EXPECT_EQ(FindChild(Main, "Button", "Start"), nullptr);
    EXPECT_EQ(FindChild(Main, "Static", "&Start"), nullptr);
    EXPECT_EQ(GetDlgCtrlID(App.Control("Button", "Öffnen")), 103);
    EXPECT_EQ(App.Control("msctls_trackbar32", ""), App.ControlById(107));

    // A superclass goes by its own name.
    HWND question = App.ControlById(102);
    EXPECT_EQ(App.Control("TButton", "&Frage"), question);
    EXPECT_EQ(FindChild(Main, "Button", "&Frage"), nullptr);
}

TEST_F(FixtureTest, AMissingControlIsReportedWithTheChildrenThereAre) {
    const std::string failure = FailureOf([&] { App.Control("Button", "Beenden"); });
    EXPECT_NE(failure.find("\"Beenden\""), std::string::npos) << failure;
    EXPECT_NE(failure.find("Button \"&Start\" id 101"), std::string::npos) << failure;
    EXPECT_THROW(App.ControlById(4711), std::runtime_error);
}

TEST_F(FixtureTest, ReadsTextStateAndBounds) {
    EXPECT_EQ(ClientBounds(Main), (TBounds{0, 0, 400, 300}));
    EXPECT_EQ(BoundsInParent(Button("&Start")), (TBounds{10, 10, 100, 25}));
    EXPECT_EQ(BoundsInParent(App.ControlById(107)), (TBounds{10, 80, 300, 30}));
    EXPECT_EQ(WindowText(App.ControlById(108)), "10");
    EXPECT_EQ(WindowText(Button("Öffnen")), "Öffnen");
    EXPECT_TRUE(IsEnabled(Button("&Start")));
    EXPECT_TRUE(IsVisible(Button("&Start")));

    EnableWindow(Button("eins"), FALSE);
    EXPECT_FALSE(IsEnabled(Button("eins")));
    ShowWindow(App.ControlById(108), SW_HIDE);
    EXPECT_FALSE(IsVisible(App.ControlById(108)));
}

TEST_F(FixtureTest, ReadingAWindowThatIsGoneFails) {
    HWND start = Button("&Start");
    App.Kill();
    EXPECT_THROW(IsEnabled(start), std::runtime_error);
    EXPECT_THROW(WindowText(start), std::runtime_error);
    EXPECT_THROW(Click(start), std::runtime_error);
    EXPECT_THROW(BoundsInParent(start), std::runtime_error);
}

// --- clicks, keys and the track bar --------------------------------------

TEST_F(FixtureTest, ClickingARadioButtonChecksItAndTellsTheParent) {
    HWND one = Button("eins");
    HWND two = Button("zwei");
    ASSERT_EQ(CheckState(one), TCheckState::Checked);
    ASSERT_EQ(CheckState(two), TCheckState::Unchecked);

    EXPECT_EQ(Click(two), TSendResult::Handled);
    EXPECT_EQ(CheckState(two), TCheckState::Checked);
    EXPECT_EQ(CheckState(one), TCheckState::Unchecked);
    EXPECT_EQ(WindowText(App.ControlById(106)), "zwei"); // written on BN_CLICKED

    Click(one);
    EXPECT_EQ(CheckState(one), TCheckState::Checked);
    EXPECT_EQ(WindowText(App.ControlById(106)), "eins");
}

TEST_F(FixtureTest, ADisabledOrHiddenButtonCannotBeClicked) {
    HWND two = Button("zwei");
    EnableWindow(two, FALSE);
    const std::string failure = FailureOf([&] { Click(two); });
    EXPECT_NE(failure.find("disabled"), std::string::npos) << failure;
    ShowWindow(two, SW_HIDE);
    EXPECT_NE(FailureOf([&] { Click(two); }).find("hidden"), std::string::npos);
    EXPECT_EQ(CheckState(two), TCheckState::Unchecked);
    EXPECT_EQ(WindowText(App.ControlById(106)), "");
}

TEST_F(FixtureTest, DraggingTheTrackBarMovesItAndNotifiesTheParent) {
    HWND track = App.ControlById(107);
    HWND label = App.ControlById(108);
    EXPECT_EQ(TrackBarRange(track).Min, 10);
    EXPECT_EQ(TrackBarRange(track).Max, 100);
    EXPECT_EQ(TrackBarPosition(track), 10);

    DragTrackBarTo(track, 55);
    EXPECT_EQ(TrackBarPosition(track), 55);
    EXPECT_EQ(WindowText(label), "55");

    DragTrackBarTo(track, 1000); // beyond the end: stops at the end
    EXPECT_EQ(TrackBarPosition(track), 100);
    EXPECT_EQ(WindowText(label), "100");

    SetWindowTextA(label, "-");
    DragTrackBarTo(track, 100); // a drag back to where it was still notifies
    EXPECT_EQ(WindowText(label), "100");
}

TEST_F(FixtureTest, KeysMoveTheTrackBarLikeAUser) {
    HWND track = App.ControlById(107);
    PressKey(track, VK_RIGHT);
    WaitFor([&] { return WindowText(App.ControlById(108)) == "11"; }, 5s, "the label to read 11");
    PressKey(track, VK_NEXT); // one page: 10
    WaitFor([&] { return TrackBarPosition(track) == 21; }, 5s, "position 21");
    PressKey(track, VK_END);
    WaitFor([&] { return TrackBarPosition(track) == 100; }, 5s, "position 100");
}

TEST_F(FixtureTest, TypingGoesToTheFocusedControl) {
    HWND edit = App.ControlById(109);
    ClickCentre(edit);
    WaitFor([&] { return App.FocusedControl() == edit; }, 5s, "the edit to take the focus");

    App.TypeText("abc Ä");
    WaitFor([&] { return WindowText(edit) == "abc Ä"; }, 5s, "the typed text");
    App.PressKey(VK_BACK);
    WaitFor([&] { return WindowText(edit) == "abc "; }, 5s, "the backspace");
    App.PressKey(VK_HOME);
    App.TypeText("x");
    WaitFor([&] { return WindowText(edit) == "xabc "; }, 5s, "text typed at the start");
}

TEST(Keys, KeyMessageParametersCarryScanCodeAndFlags) {
    const auto down = static_cast<DWORD>(KeyMessageParam('S', false, false));
    EXPECT_EQ(down & 0xFFFF, 1u); // repeat count
    EXPECT_EQ((down >> 16) & 0xFF, MapVirtualKeyA('S', MAPVK_VK_TO_VSC));
    EXPECT_EQ(down >> 24, 0u);
    const auto altUp = static_cast<DWORD>(KeyMessageParam(VK_F4, true, true));
    EXPECT_EQ(altUp >> 29, 0b111u); // Alt, previous state, transition
    const auto arrow = static_cast<DWORD>(KeyMessageParam(VK_LEFT, false, false));
    EXPECT_EQ((arrow >> 24) & 1, 1u); // an extended key
}

// --- message boxes and the open dialog ------------------------------------

TEST_F(FixtureTest, AMessageBoxIsReadAndConfirmed) {
    EXPECT_EQ(App.FindMessageBox(), nullptr);
    EXPECT_EQ(Click(Button("&Start")), TSendResult::WindowOpened);

    const TMessageBoxInfo box = App.WaitForMessageBox();
    EXPECT_EQ(box.Caption, FixtureTitle);
    EXPECT_EQ(box.Text, "Gestartet");
    EXPECT_EQ(box.Icon, TBoxIcon::Information);
    EXPECT_EQ(box.Buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(IsEnabled(Main)); // the box is modal to the window

    PressDialogButton(box.Handle, IDOK);
    EXPECT_FALSE(IsWindow(box.Handle) && IsWindowVisible(box.Handle));
    EXPECT_EQ(App.FindMessageBox(), nullptr);
    EXPECT_TRUE(IsEnabled(Main));
}

TEST_F(FixtureTest, AnAltAcceleratorClicksItsButton) {
    App.PressAltKey('S');
    EXPECT_EQ(App.ConfirmMessageBox().Text, "Gestartet");
}

TEST_F(FixtureTest, AQuestionIsAnsweredByButtonCaption) {
    Click(App.Control("TButton", "&Frage"));
    const TMessageBoxInfo box = App.WaitForMessageBox();
    EXPECT_EQ(box.Text, "Weiter?");
    EXPECT_EQ(box.Icon, TBoxIcon::Question);
    EXPECT_EQ(box.Buttons.size(), 2u);

    const std::string failure = FailureOf([&] { PressDialogButton(box.Handle, "Vielleicht"); });
    EXPECT_NE(failure.find("\"Vielleicht\""), std::string::npos) << failure;
    EXPECT_NE(failure.find("id 7"), std::string::npos) << failure; // IDNO is listed

    PressDialogButton(box.Handle, IDNO);
    EXPECT_EQ(WindowText(App.ControlById(110)), "nein");
}

struct TIconCase {
    UINT Flags;
    TBoxIcon Icon;
};

void PrintTo(const TIconCase& iconCase, std::ostream* out) {
    *out << iconCase.Icon;
}

class MessageBoxIconTest : public ::testing::TestWithParam<TIconCase> {};

TEST_P(MessageBoxIconTest, TheIconIsRecognisedByItsPixels) {
    TAppDriver app(FixtureProgram(), "box=" + std::to_string(GetParam().Flags));
    const TMessageBoxInfo box = app.WaitForMessageBox();
    EXPECT_EQ(box.Text, "Meldung");
    EXPECT_EQ(box.Icon, GetParam().Icon);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, MessageBoxIconTest,
                         ::testing::Values(TIconCase{MB_OK, TBoxIcon::None},
                                           TIconCase{MB_ICONINFORMATION, TBoxIcon::Information},
                                           TIconCase{MB_ICONWARNING, TBoxIcon::Warning},
                                           TIconCase{MB_ICONERROR, TBoxIcon::Error},
                                           TIconCase{MB_ICONQUESTION, TBoxIcon::Question}));

TEST_F(FixtureTest, WaitingForAMessageBoxThatDoesNotComeTimesOut) {
    const std::string failure = FailureOf([&] { App.WaitForMessageBox(200ms); });
    EXPECT_NE(failure.find("timed out after 200 ms waiting for a message box"), std::string::npos)
        << failure;
}

TEST_F(FixtureTest, TheOpenDialogTakesAFileWithANonAsciiName) {
    TTempFolder folder;
    const std::string file = WriteFile(folder, "Übersicht_März.csv", "a;b\r\n");

    EXPECT_EQ(Click(Button("Öffnen")), TSendResult::WindowOpened);
    App.AnswerOpenDialog(OpenDialogTitle, file);
    EXPECT_EQ(App.FindDialog(OpenDialogTitle), nullptr);

    // The fixture shows the name in a box without owner, with a warning icon.
    const TMessageBoxInfo box = App.ConfirmMessageBox();
    EXPECT_EQ(box.Text, file);
    EXPECT_EQ(box.Icon, TBoxIcon::Warning);
    EXPECT_EQ(WindowText(App.ControlById(110)), "gewählt");
}

TEST_F(FixtureTest, TheOpenDialogCanBeCancelled) {
    Click(Button("Öffnen"));
    HWND dialog = App.WaitForDialog(OpenDialogTitle);
    EXPECT_TRUE(ClassMatches(OpenDialogFileNameField(dialog), "Edit"));
    App.CancelOpenDialog(OpenDialogTitle);
    WaitFor([&] { return WindowText(App.ControlById(110)) == "abgebrochen"; }, 5s,
            "the cancel to arrive");
    EXPECT_EQ(App.FindMessageBox(), nullptr);
}

TEST_F(FixtureTest, ADialogWithAnotherTitleIsNotTaken) {
    Click(Button("Öffnen"));
    App.WaitForDialog(OpenDialogTitle);
    const std::string failure = FailureOf([&] { App.WaitForDialog("Quelldatei wahlen", 200ms); });
    EXPECT_NE(failure.find("the dialog \"Quelldatei wahlen\""), std::string::npos) << failure;
    // A message box is a dialog with buttons and text only.
    EXPECT_FALSE(IsMessageBox(App.FindDialog(OpenDialogTitle)));
    EXPECT_EQ(App.FindMessageBox(), nullptr);
}

// --- pictures -------------------------------------------------------------

TEST_F(FixtureTest, CapturesThePaintedPixels) {
    const TCapture picture = CaptureWindow(Main);
    ASSERT_EQ(picture.Width(), 400);
    ASSERT_EQ(picture.Height(), 300);
    EXPECT_EQ(picture.Pixel(150, 220), RectColour);
    EXPECT_EQ(picture.Pixel(100, 190), RectColour); // corners of the rectangle
    EXPECT_EQ(picture.Pixel(199, 249), RectColour);
    EXPECT_EQ(picture.Pixel(99, 190), White);
    EXPECT_EQ(picture.Pixel(200, 249), White);
    EXPECT_EQ(picture.Pixel(20, 170), White);
    EXPECT_EQ(picture.Count(RectColour), 100 * 60);
}

TEST_F(FixtureTest, CapturingAControlCutsItOutOfItsWindow) {
    const TCapture window = CaptureWindow(Main);
    const TCapture button = CaptureWindow(Button("&Start"));
    ASSERT_EQ(button.Width(), 100);
    ASSERT_EQ(button.Height(), 25);
    for (int y = 0; y < button.Height(); ++y)
        for (int x = 0; x < button.Width(); ++x)
            ASSERT_EQ(button.Pixel(x, y), window.Pixel(10 + x, 10 + y)) << x << "," << y;

    const TCapture whole = CaptureWindow(Main, TCaptureArea::Window);
    EXPECT_GT(whole.Width(), window.Width());
    EXPECT_GT(whole.Height(), window.Height());
}

TEST(Pictures, PixelsOutsideThePictureAreRefused) {
    const TCapture picture(2, 1, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(picture.Pixel(0, 0), (TRgb{3, 2, 1}));
    EXPECT_EQ(picture.Pixel(1, 0), (TRgb{6, 5, 4}));
    EXPECT_THROW(picture.Pixel(2, 0), std::out_of_range);
    EXPECT_THROW(picture.Pixel(0, -1), std::out_of_range);
    EXPECT_THROW(TCapture(2, 2, {1, 2, 3}), std::invalid_argument);
}

TEST(Pictures, ABmpFileReadsBackWithTheSamePixels) {
    // Width 3 makes rows of 9 bytes, padded to 12 in the file.
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < 3 * 2 * 3; ++i)
        pixels.push_back(static_cast<std::uint8_t>(i * 13));
    const TCapture picture(3, 2, pixels);
    TTempFolder folder;
    const std::string file = WriteFile(folder, "picture.bmp");
    picture.SaveBmp(file);

    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(bytes.size(), 54u + 2 * 12);

    TGdiObject bitmap(LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0,
                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap.Get(), nullptr);
    TWindowDC screen(nullptr, false);
    TMemoryDC dc(screen.Get());
    TSelection selected(dc.Get(), bitmap.Get());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const COLORREF c = GetPixel(dc.Get(), x, y);
            EXPECT_EQ((TRgb{GetRValue(c), GetGValue(c), GetBValue(c)}), picture.Pixel(x, y))
                << x << "," << y;
        }
    EXPECT_THROW(picture.SaveBmp("Q:\\no\\such\\folder\\x.bmp"), std::runtime_error);
}

} // namespace
