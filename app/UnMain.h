#pragma once
// The main window: presets, the line-limit track bar and its label, the
// Execute, Help and Close buttons, and the stop flag shared with the split.

#include "components/controls/kitextcS.h"
#include "platform/dialogs/OpenDialog.h"
#include "platform/forms/Form.h"
#include "platform/stdctrls/Bevel.h"
#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/Panels.h"
#include "platform/stdctrls/TrackBar.h"
#include "theming/ThemeMgr.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SystemText.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// True while no split runs, or when a running split has been asked to stop.
extern bool bAbort;

// The reason a split cannot be done, shown in the split's error box. The
// text names files as they are called, in any script; Message() holds it as
// ANSI text.
class ETessaro : public Exception {
public:
    explicit ETessaro(const std::wstring& text) : Exception(WideToAnsi(text)), FText(text) {}
    const std::wstring& Text() const { return FText; }

private:
    std::wstring FText;
};

// File names on the split's way are Unicode (UTF-16), as the open dialog
// gives them.

// A handle's value as the split's messages show it.
std::wstring HandleValueText(void* handle);
// Size of a file in bytes; ETessaro when it cannot be found.
std::int64_t GetFileSize(const std::wstring& FileName);
// Bytes the user may still write on the volume that holds the folder Path;
// 0 when unknown.
std::int64_t GetFreeDiskSpace(const std::wstring& Path);
// The first output folder for Source: its folder plus the name up to the
// first dot, with a trailing backslash.
std::wstring FirstOutputFolder(const std::wstring& Source);
// Folder-Number, with a trailing backslash.
std::wstring NumberedOutputFolder(const std::wstring& Folder, std::uint64_t Number);
// Creates the output folder and returns its name: the first of Folder,
// Folder-0, Folder-1, ... that FolderExists calls free and that this call
// itself creates; a name taken after that test, as a folder, file or link, is
// passed over too. Raises ETessaro when a folder cannot be created for another
// reason. The one-argument form tests with DirectoryExists.
std::wstring CreateOutputFolder(const std::wstring& Folder,
                                const std::function<bool(const std::wstring&)>& FolderExists);
std::wstring CreateOutputFolder(const std::wstring& Folder);

class TfrmMain : public TForm {
    TESSARO_CLASS(TfrmMain, TForm)
public:
    explicit TfrmMain(TComponent* owner);

    // The components of the form resource, bound by name once it is read.
    TImage* imgLogo = nullptr;
    TBevel* bvlBottomLine = nullptr;
    TPanel* panPgCtr = nullptr;
    TLabel* lbHeadline = nullptr;
    TGroupBox* grpBoxSettings = nullptr;
    TKitFill* KitFill = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* lbLines = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label4 = nullptr;
    TRadioButton* rbSetExcel2007 = nullptr;
    TRadioButton* rbSetExcel2010 = nullptr;
    TRadioButton* rbSetOwn = nullptr;
    TTrackBar* TrackBarMaxLines = nullptr;
    TRadioButton* rbSetDefault = nullptr;
    TGroupBox* grpBoxExecute = nullptr;
    TLabel* lbState = nullptr;
    TButton* btnExecute = nullptr;
    TButton* btnHelp = nullptr;
    TButton* btnClose = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TThemeManager* ThemeManager = nullptr;

    void rbSetExcel2007Click(TObject* Sender);
    void rbSetExcel2010Click(TObject* Sender);
    void rbSetDefaultClick(TObject* Sender);
    void TrackBarMaxLinesChange(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void btnCloseClick(TObject* Sender);
    void btnHelpClick(TObject* Sender);
    void btnExecuteClick(TObject* Sender);

    // Disables every windowed control of the form except the one named
    // ExceptName and the containers; EnableControls enables them all.
    void DisableControls(const std::string& ExceptName);
    void EnableControls();

    const std::vector<TPublishedMethod>* PublishedMethods() const override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The copy of a running split with its status line and message pumping.
    void RunSplit(const std::wstring& source, const std::wstring& folder);
    // Set while btnExecuteClick runs a split, its report or its error box.
    bool FSplitRunning = false;
};

extern TfrmMain* frmMain;

// The address the Help button opens: the FAQ page beside the program.
std::wstring HelpPageAddress();
// The file manager, by its full path in the system's Windows folder; empty
// when that folder cannot be read.
std::wstring FileManagerPath();
// Starts the file manager with these arguments; starts nothing when its path
// is not known.
void StartFileManager(HWND owner, const std::wstring& arguments);

void InitializeUnMain();
void FinalizeUnMain();
