#include "app/UnMain.h"

#include "platform/dialogs/SystemSeams.h"
#include "platform/forms/Application.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FilePaths.h"
#include "platform/rtl/NumberText.h"

#include <windows.h>

bool bAbort = true;
TfrmMain* frmMain = nullptr;

namespace {
constexpr int PositionExcel2007 = 65500;
constexpr int PositionExcel2010 = 1048000;
constexpr int PositionTextEditors = 100000;
} // namespace

const TClassInfo& TfrmMain::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TfrmMain>("TfrmMain");
    return info;
}

TfrmMain::TfrmMain(TComponent* owner) : TForm(owner) {}

const std::vector<TPublishedMethod>* TfrmMain::PublishedMethods() const {
    static const std::vector<TPublishedMethod> methods = {
        TPublishedMethod::Of<&TfrmMain::rbSetExcel2007Click>("rbSetExcel2007Click"),
        TPublishedMethod::Of<&TfrmMain::rbSetExcel2010Click>("rbSetExcel2010Click"),
        TPublishedMethod::Of<&TfrmMain::rbSetDefaultClick>("rbSetDefaultClick"),
        TPublishedMethod::Of<&TfrmMain::TrackBarMaxLinesChange>("TrackBarMaxLinesChange"),
        TPublishedMethod::Of<&TfrmMain::FormCloseQuery>("FormCloseQuery"),
        TPublishedMethod::Of<&TfrmMain::btnCloseClick>("btnCloseClick"),
        TPublishedMethod::Of<&TfrmMain::btnHelpClick>("btnHelpClick"),
        TPublishedMethod::Of<&TfrmMain::btnExecuteClick>("btnExecuteClick"),
    };
    return &methods;
}

template <class T> void TfrmMain::Bind(T*& field, const char* name) {
    field = dynamic_cast<T*>(FindComponent(name));
    if (!field)
        throw EReadError(std::string("Die Komponente ") + name + " fehlt im Formular");
}

std::vector<TComponent**> TfrmMain::Fields() {
    auto f = [](auto*& field) { return reinterpret_cast<TComponent**>(&field); };
    return {f(KitFill),        f(imgLogo),        f(bvlBottomLine),    f(panPgCtr),
            f(lbHeadline),     f(grpBoxSettings), f(Label1),           f(Label3),
            f(lbLines),        f(Label2),         f(Label4),           f(rbSetExcel2007),
            f(rbSetExcel2010), f(rbSetOwn),       f(TrackBarMaxLines), f(rbSetDefault),
            f(grpBoxExecute),  f(lbState),        f(btnExecute),       f(btnHelp),
            f(btnClose),       f(OpenDialog),     f(ThemeManager)};
}

void TfrmMain::Loaded() {
    Bind(imgLogo, "imgLogo");
    Bind(bvlBottomLine, "bvlBottomLine");
    Bind(panPgCtr, "panPgCtr");
    Bind(lbHeadline, "lbHeadline");
    Bind(grpBoxSettings, "grpBoxSettings");
    Bind(KitFill, "KitFill");
    Bind(Label1, "Label1");
    Bind(Label3, "Label3");
    Bind(lbLines, "lbLines");
    Bind(Label2, "Label2");
    Bind(Label4, "Label4");
    Bind(rbSetExcel2007, "rbSetExcel2007");
    Bind(rbSetExcel2010, "rbSetExcel2010");
    Bind(rbSetOwn, "rbSetOwn");
    Bind(TrackBarMaxLines, "TrackBarMaxLines");
    Bind(rbSetDefault, "rbSetDefault");
    Bind(grpBoxExecute, "grpBoxExecute");
    Bind(lbState, "lbState");
    Bind(btnExecute, "btnExecute");
    Bind(btnHelp, "btnHelp");
    Bind(btnClose, "btnClose");
    Bind(OpenDialog, "OpenDialog");
    Bind(ThemeManager, "ThemeManager");
    TForm::Loaded();
}

void TfrmMain::Notification(TComponent* component, TOperation operation) {
    TForm::Notification(component, operation);
    if (operation != opRemove)
        return;
    for (TComponent** field : Fields())
        if (*field == component)
            *field = nullptr;
}

void TfrmMain::rbSetExcel2007Click(TObject*) {
    TrackBarMaxLines->SetPosition(PositionExcel2007);
}

void TfrmMain::rbSetExcel2010Click(TObject*) {
    TrackBarMaxLines->SetPosition(PositionExcel2010);
}

void TfrmMain::rbSetDefaultClick(TObject*) {
    TrackBarMaxLines->SetPosition(PositionTextEditors);
}

void TfrmMain::TrackBarMaxLinesChange(TObject* Sender) {
    const int p = static_cast<TTrackBar*>(Sender)->Position();
    TRadioButton* preset = p == PositionExcel2007     ? rbSetExcel2007
                           : p == PositionExcel2010   ? rbSetExcel2010
                           : p == PositionTextEditors ? rbSetDefault
                                                      : rbSetOwn;
    preset->SetChecked(true);
    lbLines->SetCaption("max. " + NumberText(p, 18) + " Zeilen je Teildatei");
}

void TfrmMain::FormCloseQuery(TObject*, bool& CanClose) {
    if (bAbort)
        return;
    btnExecute->SetEnabled(false);
    bAbort = true;
    ShowMessageBox(Handle(),
                   "Der aktuelle Vorgang wird abgebrochen...\rBitte haben Sie etwas Geduld und "
                   "versuchen Sie es in ein paar Sekunden erneut",
                   Application->Title(), MB_ICONQUESTION | MB_OK);
    CanClose = false;
}

void TfrmMain::btnCloseClick(TObject*) {
    Close();
}

std::string FileManagerPath() {
    char folder[MAX_PATH] = {};
    const UINT n = ::GetWindowsDirectoryA(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return "explorer.exe";
    return IncludeTrailingBackslash(folder) + "explorer.exe";
}

std::string HelpPageAddress() {
    char module[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return "faq.html";
    return ExtractFilePath(module) + "faq.html";
}

void TfrmMain::btnHelpClick(TObject*) {
    // From its full path: the program runs elevated, and the current folder
    // is wherever the open dialog last browsed.
    ShellExecuteFile(Handle(), "open", FileManagerPath(), HelpPageAddress(), std::string(),
                     SW_SHOWNORMAL);
}

void TfrmMain::DisableControls(const std::string& ExceptName) {
    for (TComponent* c : std::vector<TComponent*>(ComponentList())) {
        auto* control = dynamic_cast<TWinControl*>(c);
        if (!control || control->Name() == ExceptName || dynamic_cast<TGroupBox*>(c) ||
            dynamic_cast<TPanel*>(c) || dynamic_cast<TForm*>(c))
            continue;
        control->SetEnabled(false);
    }
}

void TfrmMain::EnableControls() {
    for (TComponent* c : std::vector<TComponent*>(ComponentList()))
        if (auto* control = dynamic_cast<TWinControl*>(c))
            control->SetEnabled(true);
}

void InitializeUnMain() {
    // The kit's control on the main window's form.
    RegisterKitControls();
    RegisterClasses<TfrmMain>();
}

void FinalizeUnMain() {
    frmMain = nullptr;
}
