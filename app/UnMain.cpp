#include "app/UnMain.h"

#include "platform/rtl/SystemSeams.h"
#include "platform/forms/Application.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FilePaths.h"
#include "platform/rtl/NumberText.h"

#include <windows.h>

#include <type_traits>
#include <utility>

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

namespace {
// One component of the form resource: its name and the field that holds it.
struct TComponentField {
    const char* Name;
    // Stores component in the field when it is of the field's class (a null
    // component clears it); true when the field holds it afterwards.
    bool (*Set)(TfrmMain& form, TComponent* component);
    TComponent* (*Get)(const TfrmMain& form);
};

template <auto Member> constexpr TComponentField FieldOf(const char* name) {
    using T =
        std::remove_pointer_t<std::remove_reference_t<decltype(std::declval<TfrmMain&>().*Member)>>;
    return {name,
            [](TfrmMain& form, TComponent* component) {
                form.*Member = dynamic_cast<T*>(component);
                return form.*Member != nullptr;
            },
            [](const TfrmMain& form) -> TComponent* { return form.*Member; }};
}

// In the order the resource creates them.
constexpr TComponentField ComponentFields[] = {
    FieldOf<&TfrmMain::imgLogo>("imgLogo"),
    FieldOf<&TfrmMain::bvlBottomLine>("bvlBottomLine"),
    FieldOf<&TfrmMain::panPgCtr>("panPgCtr"),
    FieldOf<&TfrmMain::lbHeadline>("lbHeadline"),
    FieldOf<&TfrmMain::grpBoxSettings>("grpBoxSettings"),
    FieldOf<&TfrmMain::KitFill>("KitFill"),
    FieldOf<&TfrmMain::Label1>("Label1"),
    FieldOf<&TfrmMain::Label3>("Label3"),
    FieldOf<&TfrmMain::lbLines>("lbLines"),
    FieldOf<&TfrmMain::Label2>("Label2"),
    FieldOf<&TfrmMain::Label4>("Label4"),
    FieldOf<&TfrmMain::rbSetExcel2007>("rbSetExcel2007"),
    FieldOf<&TfrmMain::rbSetExcel2010>("rbSetExcel2010"),
    FieldOf<&TfrmMain::rbSetOwn>("rbSetOwn"),
    FieldOf<&TfrmMain::TrackBarMaxLines>("TrackBarMaxLines"),
    FieldOf<&TfrmMain::rbSetDefault>("rbSetDefault"),
    FieldOf<&TfrmMain::grpBoxExecute>("grpBoxExecute"),
    FieldOf<&TfrmMain::lbState>("lbState"),
    FieldOf<&TfrmMain::btnExecute>("btnExecute"),
    FieldOf<&TfrmMain::btnHelp>("btnHelp"),
    FieldOf<&TfrmMain::btnClose>("btnClose"),
    FieldOf<&TfrmMain::OpenDialog>("OpenDialog"),
    FieldOf<&TfrmMain::ThemeManager>("ThemeManager"),
};
} // namespace

void TfrmMain::Loaded() {
    for (const TComponentField& field : ComponentFields)
        if (!field.Set(*this, FindComponent(field.Name)))
            throw EReadError(std::string("Die Komponente ") + field.Name + " fehlt im Formular");
    TForm::Loaded();
}

void TfrmMain::Notification(TComponent* component, TOperation operation) {
    TForm::Notification(component, operation);
    if (operation != opRemove)
        return;
    // A component freed before the form leaves no dangling field.
    for (const TComponentField& field : ComponentFields)
        if (field.Get(*this) == component)
            field.Set(*this, nullptr);
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

std::wstring FileManagerPath() {
    // The system's folder, not the Windows folder a Terminal Server gives a
    // user of its own. Never a bare name: that would be looked for in the
    // program's and the current folder first.
    wchar_t folder[MAX_PATH] = {};
    const UINT n = ::GetSystemWindowsDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::wstring();
    return IncludeTrailingBackslash(folder) + L"explorer.exe";
}

void StartFileManager(HWND owner, const std::wstring& arguments) {
    const std::wstring fileManager = FileManagerPath();
    if (!fileManager.empty())
        ShellExecuteFile(owner, L"open", fileManager, arguments, std::wstring(), SW_SHOWNORMAL);
}

std::wstring HelpPageAddress() {
    // Wide: the program may have been unpacked into a folder whose name lies
    // outside the ANSI code page.
    std::wstring module(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            ::GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (n == 0)
            return L"faq.html";
        if (n < module.size()) {
            module.resize(n);
            return ExtractFilePath(module) + L"faq.html";
        }
        module.resize(module.size() * 2);
    }
}

void TfrmMain::btnHelpClick(TObject*) {
    // From its full path: the program runs elevated, and the current folder
    // is wherever the open dialog last browsed. The file manager splits its
    // arguments at blanks and commas, so the page's path goes in quotes (a
    // path cannot hold a quotation mark).
    StartFileManager(Handle(), L"\"" + HelpPageAddress() + L"\"");
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
