#include "components/base/kitclass.h"

#include "components/base/kitsysinfo.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FilePaths.h"
#include "platform/rtl/StringUtils.h"

#include <windows.h>

namespace {

std::string ChangeExtension(const std::string& name, const char* extension) {
    return name.substr(0, name.size() - ExtractFileExt(name).size()) + extension;
}

const TEnumNames PathPrefixNames = {"ppWindows", "ppSystem", "ppProgram", "ppFixed"};
const TEnumNames RegRootNames = {"rpClassesRoot", "rpCurrentUser",   "rpLocalMachine",
                                 "rpUsers",       "rpCurrentConfig", "rpDynData"};
const TEnumNames IniTargetNames = {"itIniFile", "itRegistry", "itAuto"};

} // namespace

// ---------------------------------------------------------------------------

// ---------------------------------------------------------------------------

const TClassInfo& TKitIniCtrl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitIniCtrl>("TKitIniCtrl", [](TPropertyTable& t) {
        TPropertyBuilder<TKitIniCtrl> p(t);
        p.String("About", &TKitIniCtrl::About, &TKitIniCtrl::SetAbout);
        p.Boolean("AlphaCounter", &TKitIniCtrl::AlphaCounter, &TKitIniCtrl::SetAlphaCounter, false);
        p.Boolean("Common", &TKitIniCtrl::Common, &TKitIniCtrl::SetCommon, true);
        p.String("IniFile", &TKitIniCtrl::IniFile, &TKitIniCtrl::SetIniFile);
        p.Enum("IniPrefix", PathPrefixNames, &TKitIniCtrl::IniPrefix, &TKitIniCtrl::SetIniPrefix,
               std::optional<TKitPathPrefix>(ppWindows));
        p.Integer("MaxEntries", &TKitIniCtrl::MaxEntries, &TKitIniCtrl::SetMaxEntries, 16);
        p.Boolean("NetUser", &TKitIniCtrl::NetUser, &TKitIniCtrl::SetNetUser, false);
        p.String("User", &TKitIniCtrl::User, &TKitIniCtrl::SetUser);
        p.String("RegPath", &TKitIniCtrl::RegPath, &TKitIniCtrl::SetRegPath);
        p.Enum("RegRoot", RegRootNames, &TKitIniCtrl::RegRoot, &TKitIniCtrl::SetRegRoot,
               std::optional<TKitRegRootKey>(rpCurrentUser));
        p.Enum("Target", IniTargetNames, &TKitIniCtrl::Target, &TKitIniCtrl::SetTarget,
               std::optional<TKitIniTarget>(itAuto));
    });
    return info;
}

TKitIniCtrl::TKitIniCtrl(TComponent* owner) : TKitComponent(owner) {}

void TKitIniCtrl::SetAlphaCounter(bool value) {
    if (value == FAlphaCounter)
        return;
    FAlphaCounter = value;
    if (FMaxEntries > MaxAlphaEntries)
        FMaxEntries = MaxAlphaEntries;
}

void TKitIniCtrl::SetIniFile(const std::string& value) {
    FIniFile = IsBlank(ExtractFileExt(value)) ? ChangeExtension(value, ".INI") : value;
}

void TKitIniCtrl::SetMaxEntries(std::uint8_t value) {
    if (value == FMaxEntries || (FAlphaCounter && value > MaxAlphaEntries))
        return;
    FMaxEntries = value;
}

void TKitIniCtrl::SetNetUser(bool value) {
    if (value == FNetUser)
        return;
    FNetUser = value;
    if (value)
        FUser = DefaultUser();
}

void TKitIniCtrl::SetTarget(TKitIniTarget value) {
    if (value == FTarget)
        return;
    FTarget = value;
    FEffectiveTarget = value == itAuto ? itRegistry : value;
}

std::string TKitIniCtrl::DefaultUser() {
    return GetLoginUserName();
}

// ---------------------------------------------------------------------------

TKitApplication* KitApplication = nullptr;

const TClassInfo& TKitApplication::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitApplication>("TKitApplication");
    return info;
}

TKitApplication::TKitApplication(TComponent* /*owner*/)
    : TComponent(nullptr), AppOptions(TKitAppOptions::FromMask(0x36)) {
    FIniCtrl = new TKitIniCtrl(nullptr);
    try {
        if (!ComponentState().Contains(csDesigning)) {
            const std::string mutexName = ExtractFileName(ProgramFileName());
            FMutex = ::CreateMutexA(nullptr, FALSE, mutexName.c_str());
            IsSecondInstance = FMutex && ::GetLastError() == ERROR_ALREADY_EXISTS;
        }
        FTimerPool = new TKitTimerPool(nullptr, 50);
        SetLogFileName({});
        LARGE_INTEGER frequency{};
        ::QueryPerformanceFrequency(&frequency);
        PerformanceFrequency = frequency.QuadPart;
    } catch (...) {
        FreeAndNil(FTimerPool);
        FreeAndNil(FIniCtrl);
        if (FMutex)
            ::CloseHandle(FMutex);
        throw;
    }
    // The screen takes the handle; a missing resource leaves index -255 on
    // the default cursor.
    HCURSOR cursor =
        ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(KitCursorResource));
    if (Screen)
        Screen->SetCursors(crKitCursor, cursor);
}

TKitApplication::~TKitApplication() {
    FreeAndNil(FIniCtrl);
    for (TObject*& owned : FOwnedObjects)
        FreeAndNil(owned);
    FreeAndNil(FTimerPool);
    if (FMutex) {
        ::CloseHandle(FMutex);
        FMutex = nullptr;
    }
}

TObject* TKitApplication::OwnedObject(int index) const {
    if (index < 0 || index >= OwnedObjectSlots)
        throw EListError("Listenindex überschreitet das Maximum (" + IntToStr(index) + ")");
    return FOwnedObjects[index];
}

void TKitApplication::SetOwnedObject(int index, TObject* value) {
    if (index < 0 || index >= OwnedObjectSlots)
        throw EListError("Listenindex überschreitet das Maximum (" + IntToStr(index) + ")");
    if (FOwnedObjects[index] == value)
        return;
    TObject* previous = FOwnedObjects[index];
    FOwnedObjects[index] = value;
    Free(previous);
}

void TKitApplication::SetLogFileName(const std::string& name) {
    std::string fileName = name;
    if (IsBlank(name))
        fileName = ChangeExtension(ProgramFileName(), ".LOG");
    else if (IsBlank(ExtractFileExt(name)))
        fileName = name + ".LOG";
    if (LogPathPrefix == ppFixed)
        FLogFileName = fileName;
    else
        FLogFileName = GetPrefixPath(LogPathPrefix, true) + ExtractFileName(fileName);
}

// ---------------------------------------------------------------------------

void InitializeKitclass() {
    if (!KitApplication)
        KitApplication = new TKitApplication(nullptr);
}

void FinalizeKitclass() {
    FreeAndNil(KitApplication);
}
