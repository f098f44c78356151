#pragma once
// TOpenDialog: the system's dialog for choosing a file to open. Its settings
// are published for form streaming; Execute hands them to the dialog through
// the open-dialog seam and takes back the chosen name and filter. The chosen
// name is Unicode (UTF-16): any file the dialog shows can be chosen, whatever
// the ANSI code page holds.

#include "platform/classes/Properties.h"
#include "platform/classes/Set.h"
#include "platform/dialogs/CommonDialog.h"

#include <string>

enum class TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden,
};
using enum TOpenOption;
using TOpenOptions = TSet<TOpenOption>;
extern const TEnumNames OpenOptionNames;

// The OFN_ flags for Options: one flag per option, and the explorer-style
// dialog unless ofOldStyleDialog is asked for.
DWORD OpenDialogFlags(TOpenOptions options);

class TOpenDialog : public TCommonDialog {
    TESSARO_CLASS(TOpenDialog, TCommonDialog)
public:
    explicit TOpenDialog(TComponent* owner);

    // On OK stores the chosen FileName and FilterIndex, and sets or clears
    // ofReadOnly and ofExtensionDifferent as the dialog reports them; on
    // cancel changes nothing.
    bool Execute(HWND owner) override;

    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& value) { FDefaultExt = value; }
    const std::wstring& FileName() const { return FFileName; }
    void SetFileName(const std::wstring& value) { FFileName = value; }
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& value) { FFilter = value; }
    // 1-based index of the filter in force.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int value) { FFilterIndex = value; }
    const std::string& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& value) { FInitialDir = value; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions value) { FOptions = value; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }

    static constexpr TOpenOptions DefaultOptions{ofHideReadOnly, ofEnableSizing};
    // Room for a long path or a multiple selection.
    static constexpr DWORD FileNameBufferSize = 65536;

private:
    // FileName as ANSI text, for the form stream.
    std::string StreamedFileName() const;
    void SetStreamedFileName(const std::string& value);

    std::string FDefaultExt;
    std::wstring FFileName;
    std::string FFilter;
    int FFilterIndex = 1;
    std::string FInitialDir;
    TOpenOptions FOptions = DefaultOptions;
    std::string FTitle;
};
