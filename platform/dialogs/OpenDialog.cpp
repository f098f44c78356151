#include "platform/dialogs/OpenDialog.h"

#include "platform/dialogs/OpenDialogText.h"
#include "platform/rtl/SystemSeams.h"
#include "platform/rtl/SystemText.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <utility>
#include <vector>

const TEnumNames OpenOptionNames = {
    "ofReadOnly",         "ofOverwritePrompt",    "ofHideReadOnly",        "ofNoChangeDir",
    "ofShowHelp",         "ofNoValidate",         "ofAllowMultiSelect",    "ofExtensionDifferent",
    "ofPathMustExist",    "ofFileMustExist",      "ofCreatePrompt",        "ofShareAware",
    "ofNoReadOnlyReturn", "ofNoTestFileCreate",   "ofNoNetworkButton",     "ofNoLongNames",
    "ofOldStyleDialog",   "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
    "ofDontAddToRecent",  "ofForceShowHidden",
};

namespace {

// ofOldStyleDialog has no flag of its own: it leaves out OFN_EXPLORER.
constexpr std::pair<TOpenOption, DWORD> OptionFlags[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofShowHelp, OFN_SHOWHELP},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoLongNames, OFN_NOLONGNAMES},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {ofEnableSizing, OFN_ENABLESIZING},
    {ofDontAddToRecent, OFN_DONTADDTORECENT},
    {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
};

const wchar_t* NullIfEmpty(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

TOpenOptions WithOption(TOpenOptions options, TOpenOption option, bool present) {
    return present ? options.Include(option) : options.Exclude(option);
}

} // namespace

DWORD OpenDialogFlags(TOpenOptions options) {
    DWORD flags = options.Contains(ofOldStyleDialog) ? 0 : OFN_EXPLORER;
    for (const auto& [option, flag] : OptionFlags)
        if (options.Contains(option))
            flags |= flag;
    return flags;
}

const TClassInfo& TOpenDialog::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TOpenDialog>("TOpenDialog", [](TPropertyTable& t) {
        TPropertyBuilder<TOpenDialog> p(t);
        p.String("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
        p.String("FileName", &TOpenDialog::StreamedFileName, &TOpenDialog::SetStreamedFileName);
        p.String("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
        p.Integer("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex, 1);
        p.String("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
        p.Set("Options", OpenOptionNames, &TOpenDialog::Options, &TOpenDialog::SetOptions,
              std::optional<TOpenOptions>(DefaultOptions));
        p.String("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
    });
    return info;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner) {}

std::string TOpenDialog::StreamedFileName() const {
    return WideToAnsi(FFileName);
}

void TOpenDialog::SetStreamedFileName(const std::string& value) {
    FFileName = AnsiToWide(value);
}

bool TOpenDialog::Execute(HWND owner) {
    const std::wstring filter = AnsiToWide(DialogFilterText(FFilter));
    const std::wstring defaultExt = AnsiToWide(DialogDefaultExtension(FDefaultExt));
    const std::wstring initialDir = AnsiToWide(FInitialDir);
    const std::wstring title = AnsiToWide(FTitle);
    std::vector<wchar_t> fileName(FileNameBufferSize, L'\0');
    FFileName.copy(fileName.data(), FileNameBufferSize - 1);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = NullIfEmpty(filter);
    dialog.nFilterIndex = static_cast<DWORD>(std::max(FFilterIndex, 0));
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = FileNameBufferSize;
    dialog.lpstrInitialDir = NullIfEmpty(initialDir);
    dialog.lpstrTitle = NullIfEmpty(title);
    dialog.lpstrDefExt = NullIfEmpty(defaultExt);
    dialog.Flags = OpenDialogFlags(FOptions);

    if (!ShowOpenFileDialog(dialog))
        return false;
    // Read the name where the dialog left it, never past its buffer.
    FFileName.assign(dialog.lpstrFile, wcsnlen(dialog.lpstrFile, dialog.nMaxFile));
    FFilterIndex = static_cast<int>(dialog.nFilterIndex);
    FOptions = WithOption(FOptions, ofReadOnly, (dialog.Flags & OFN_READONLY) != 0);
    FOptions =
        WithOption(FOptions, ofExtensionDifferent, (dialog.Flags & OFN_EXTENSIONDIFFERENT) != 0);
    return true;
}
