// TOpenDialog::Execute against a stand-in dialog that records the
// OPENFILENAMEW it is given and answers like the user would.

#include "platform/dialogs/OpenDialog.h"
#include "platform/rtl/SystemSeams.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <optional>
#include <string>

using namespace std::string_literals;

namespace {

// What the dialog was asked to show, copied while the pointers are valid.
struct TRecordedDialog {
    DWORD StructSize = 0;
    HWND Owner = nullptr;
    std::optional<std::wstring> Filter; // up to and including the double NUL
    DWORD FilterIndex = 0;
    std::wstring File;
    DWORD MaxFile = 0;
    std::optional<std::wstring> InitialDir;
    std::optional<std::wstring> Title;
    std::optional<std::wstring> DefExt;
    DWORD Flags = 0;
};

std::optional<std::wstring> Text(const wchar_t* p) {
    return p ? std::optional<std::wstring>(p) : std::nullopt;
}

std::wstring FilterList(const wchar_t* p) {
    std::wstring result;
    while (*p) {
        const std::wstring item(p);
        result += item + L'\0';
        p += item.size() + 1;
    }
    return result + L'\0';
}

class OpenDialogSeam : public ::testing::Test {
protected:
    // Runs Execute; Answer plays the user on the structure and returns OK or cancel.
    bool Run(const std::function<bool(OPENFILENAMEW&)>& answer = {}, HWND owner = nullptr) {
        calls = 0;
        TSeamOverride seam(SystemSeams().ShowOpenFileDialog, [&](OPENFILENAMEW& d) {
            ++calls;
            seen.StructSize = d.lStructSize;
            seen.Owner = d.hwndOwner;
            seen.Filter = d.lpstrFilter ? std::optional(FilterList(d.lpstrFilter)) : std::nullopt;
            seen.FilterIndex = d.nFilterIndex;
            seen.File = d.lpstrFile;
            seen.MaxFile = d.nMaxFile;
            seen.InitialDir = Text(d.lpstrInitialDir);
            seen.Title = Text(d.lpstrTitle);
            seen.DefExt = Text(d.lpstrDefExt);
            seen.Flags = d.Flags;
            return answer ? answer(d) : false;
        });
        return dialog.Execute(owner);
    }

    static bool Choose(OPENFILENAMEW& d, const std::wstring& name, DWORD filterIndex) {
        EXPECT_LT(name.size(), d.nMaxFile);
        std::wmemcpy(d.lpstrFile, name.c_str(), name.size() + 1);
        d.nFilterIndex = filterIndex;
        return true;
    }

    TOpenDialog dialog{nullptr};
    TRecordedDialog seen;
    int calls = 0;
};

TEST_F(OpenDialogSeam, HandsTheProgramsSettingsToTheDialog) {
    dialog.SetTitle("Quelldatei wählen");
    dialog.SetDefaultExt("*.txt");
    dialog.SetFilter("Unterstütze Dateien (*.txt,*.csv)|*.txt;*.csv|Textdatei (*.txt)|*.txt "
                     "|CSV-Datei (*.csv)|*.csv");
    const HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x4242));
    EXPECT_FALSE(Run({}, owner));
    ASSERT_EQ(calls, 1);
    EXPECT_EQ(seen.StructSize, sizeof(OPENFILENAMEW));
    EXPECT_EQ(seen.Owner, owner);
    EXPECT_EQ(seen.Title, L"Quelldatei wählen");
    EXPECT_EQ(seen.DefExt, L"txt");
    EXPECT_EQ(seen.Filter, L"Unterstütze Dateien (*.txt,*.csv)\0*.txt;*.csv\0"
                           L"Textdatei (*.txt)\0*.txt \0CSV-Datei (*.csv)\0*.csv\0\0"s)
        << "the blank after the second pattern goes through";
    EXPECT_EQ(seen.FilterIndex, 1u);
    EXPECT_EQ(seen.File, L"");
    EXPECT_GE(seen.MaxFile, static_cast<DWORD>(MAX_PATH));
    EXPECT_EQ(seen.MaxFile, TOpenDialog::FileNameBufferSize);
    EXPECT_EQ(seen.InitialDir, std::nullopt);
    EXPECT_EQ(seen.Flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER))
        << "the default options";
}

TEST_F(OpenDialogSeam, EmptySettingsArePassedAsNull) {
    EXPECT_FALSE(Run());
    EXPECT_EQ(seen.Filter, std::nullopt);
    EXPECT_EQ(seen.Title, std::nullopt) << "the system's own title";
    EXPECT_EQ(seen.DefExt, std::nullopt);
    EXPECT_EQ(seen.InitialDir, std::nullopt);
}

TEST_F(OpenDialogSeam, DefaultExtensionLosesItsPrefix) {
    for (const auto& [given, passed] :
         {std::pair{"*.csv", L"csv"}, std::pair{".txt", L"txt"}, std::pair{"txt", L"txt"}}) {
        dialog.SetDefaultExt(given);
        Run();
        EXPECT_EQ(seen.DefExt, passed) << given;
        EXPECT_EQ(dialog.DefaultExt(), given) << "the property keeps its prefix";
    }
    dialog.SetDefaultExt("*.");
    Run();
    EXPECT_EQ(seen.DefExt, std::nullopt) << "nothing left to append";
}

TEST_F(OpenDialogSeam, OkStoresTheChosenNameAndFilter) {
    dialog.SetFileName(L"C:\\alt\\vorher.txt");
    dialog.SetInitialDir("C:\\Daten");
    dialog.SetFilter("A|*.a|B|*.b|C|*.c");
    dialog.SetFilterIndex(2);
    EXPECT_TRUE(Run([](OPENFILENAMEW& d) { return Choose(d, L"C:\\Daten\\Umsatz.csv", 3); }));
    EXPECT_EQ(seen.File, L"C:\\alt\\vorher.txt") << "the dialog starts with the current name";
    EXPECT_EQ(seen.InitialDir, L"C:\\Daten");
    EXPECT_EQ(seen.FilterIndex, 2u);
    EXPECT_EQ(dialog.FileName(), L"C:\\Daten\\Umsatz.csv");
    EXPECT_EQ(dialog.FilterIndex(), 3);
}

TEST_F(OpenDialogSeam, ANameOutsideTheAnsiCodePageIsKeptExactly) {
    const std::wstring chosen = L"C:\\Daten\\Łódź_Umsatz 📈.csv";
    EXPECT_TRUE(Run([&](OPENFILENAMEW& d) { return Choose(d, chosen, 1); }));
    EXPECT_TRUE(dialog.FileName() == chosen);
    // The next run starts with it, unchanged.
    Run();
    EXPECT_TRUE(seen.File == chosen);
}

TEST_F(OpenDialogSeam, CancelLeavesEverythingAsItWas) {
    dialog.SetFileName(L"C:\\alt\\vorher.txt");
    dialog.SetFilterIndex(2);
    // A cancelled dialog may have scribbled into its buffer; that must not leak out.
    EXPECT_FALSE(Run([](OPENFILENAMEW& d) {
        Choose(d, L"C:\\nicht\\gewaehlt.txt", 3);
        d.Flags |= OFN_READONLY;
        return false;
    }));
    EXPECT_EQ(dialog.FileName(), L"C:\\alt\\vorher.txt");
    EXPECT_EQ(dialog.FilterIndex(), 2);
    EXPECT_EQ(dialog.Options(), TOpenDialog::DefaultOptions);
}

TEST_F(OpenDialogSeam, ATooLongFileNameIsCutToTheBuffer) {
    dialog.SetFileName(std::wstring(TOpenDialog::FileNameBufferSize + 10, L'x'));
    Run();
    EXPECT_EQ(seen.File.size(), TOpenDialog::FileNameBufferSize - 1) << "room for the NUL";
}

TEST_F(OpenDialogSeam, AResultFillingTheWholeBufferIsReadOnlyUpToItsEnd) {
    EXPECT_TRUE(Run([](OPENFILENAMEW& d) {
        std::wmemset(d.lpstrFile, L'y', d.nMaxFile); // no terminating NUL at all
        return true;
    }));
    EXPECT_EQ(dialog.FileName(), std::wstring(TOpenDialog::FileNameBufferSize, L'y'));
}

TEST_F(OpenDialogSeam, ReadOnlyAndExtensionDifferentFollowWhatTheDialogReports) {
    dialog.SetOptions(TOpenOptions{ofReadOnly, ofEnableSizing, ofExtensionDifferent});
    EXPECT_TRUE(Run([](OPENFILENAMEW& d) {
        d.Flags &= ~static_cast<DWORD>(OFN_READONLY | OFN_EXTENSIONDIFFERENT);
        return Choose(d, L"C:\\a.txt", 1);
    }));
    EXPECT_TRUE(seen.Flags & OFN_READONLY) << "the check box starts checked";
    EXPECT_EQ(dialog.Options(), TOpenOptions{ofEnableSizing});

    EXPECT_TRUE(Run([](OPENFILENAMEW& d) {
        d.Flags |= OFN_READONLY | OFN_EXTENSIONDIFFERENT;
        return Choose(d, L"C:\\a.log", 1);
    }));
    EXPECT_EQ(dialog.Options(), (TOpenOptions{ofReadOnly, ofEnableSizing, ofExtensionDifferent}));
}

struct OptionFlag {
    TOpenOption Option;
    DWORD Flag;
};

class OpenDialogOptionFlags : public OpenDialogSeam,
                              public ::testing::WithParamInterface<OptionFlag> {};

TEST_P(OpenDialogOptionFlags, EachOptionAddsItsOwnFlagToTheExplorerDialog) {
    const OptionFlag& c = GetParam();
    dialog.SetOptions(TOpenOptions{c.Option});
    Run();
    EXPECT_EQ(seen.Flags, c.Flag | OFN_EXPLORER) << OpenOptionNames[static_cast<int>(c.Option)];
}

INSTANTIATE_TEST_SUITE_P(
    All, OpenDialogOptionFlags,
    ::testing::Values(
        OptionFlag{ofReadOnly, OFN_READONLY}, OptionFlag{ofOverwritePrompt, OFN_OVERWRITEPROMPT},
        OptionFlag{ofHideReadOnly, OFN_HIDEREADONLY}, OptionFlag{ofNoChangeDir, OFN_NOCHANGEDIR},
        OptionFlag{ofShowHelp, OFN_SHOWHELP}, OptionFlag{ofNoValidate, OFN_NOVALIDATE},
        OptionFlag{ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
        OptionFlag{ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
        OptionFlag{ofPathMustExist, OFN_PATHMUSTEXIST},
        OptionFlag{ofFileMustExist, OFN_FILEMUSTEXIST},
        OptionFlag{ofCreatePrompt, OFN_CREATEPROMPT}, OptionFlag{ofShareAware, OFN_SHAREAWARE},
        OptionFlag{ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
        OptionFlag{ofNoTestFileCreate, OFN_NOTESTFILECREATE},
        OptionFlag{ofNoNetworkButton, OFN_NONETWORKBUTTON},
        OptionFlag{ofNoLongNames, OFN_NOLONGNAMES},
        OptionFlag{ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
        OptionFlag{ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
        OptionFlag{ofEnableSizing, OFN_ENABLESIZING},
        OptionFlag{ofDontAddToRecent, OFN_DONTADDTORECENT},
        OptionFlag{ofForceShowHidden, OFN_FORCESHOWHIDDEN}));

TEST_F(OpenDialogSeam, OldStyleDialogDropsOnlyTheExplorerFlag) {
    dialog.SetOptions(TOpenOptions{ofOldStyleDialog, ofNoChangeDir});
    Run();
    EXPECT_EQ(seen.Flags, static_cast<DWORD>(OFN_NOCHANGEDIR));
    dialog.SetOptions(TOpenOptions{});
    Run();
    EXPECT_EQ(seen.Flags, static_cast<DWORD>(OFN_EXPLORER)) << "explorer style without options";
}

} // namespace
