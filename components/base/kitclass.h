#pragma once
// The kit's base classes (settings objects and components with the change
// protocol), its application-wide object with the ini control and the timer
// pool, and the unit start-up that makes KitApplication.

#include "components/base/kitobject.h"
#include "components/base/kitutils.h"
#include "platform/classes/List.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Set.h"
#include "platform/controls/Control.h"
#include "platform/controls/Messages.h"

#include <cstdint>
#include <memory>
#include <string>

// ---------------------------------------------------------------------------
// Settings holder for an ini file or a registry key.

enum class TKitRegRootKey {
    rpClassesRoot,
    rpCurrentUser,
    rpLocalMachine,
    rpUsers,
    rpCurrentConfig,
    rpDynData
};
using enum TKitRegRootKey;

enum class TKitIniTarget { itIniFile, itRegistry, itAuto };
using enum TKitIniTarget;

class TKitIniCtrl : public TKitComponent {
    TESSARO_CLASS(TKitIniCtrl, TKitComponent)
public:
    // Letters A..Z number the entries when AlphaCounter is set.
    static constexpr std::uint8_t MaxAlphaEntries = 26;

    explicit TKitIniCtrl(TComponent* owner);

    bool AlphaCounter() const { return FAlphaCounter; }
    void SetAlphaCounter(bool value);
    bool Common() const { return FCommon; }
    void SetCommon(bool value) { FCommon = value; }
    const std::string& IniFile() const { return FIniFile; }
    // A name without extension gets ".INI".
    void SetIniFile(const std::string& value);
    TKitPathPrefix IniPrefix() const { return FIniPrefix; }
    void SetIniPrefix(TKitPathPrefix value) { FIniPrefix = value; }
    std::uint8_t MaxEntries() const { return FMaxEntries; }
    void SetMaxEntries(std::uint8_t value);
    bool NetUser() const { return FNetUser; }
    void SetNetUser(bool value);
    const std::string& User() const { return FUser; }
    void SetUser(const std::string& value) { FUser = value; }
    const std::string& RegPath() const { return FRegPath; }
    void SetRegPath(const std::string& value) { FRegPath = value; }
    TKitRegRootKey RegRoot() const { return FRegRoot; }
    void SetRegRoot(TKitRegRootKey value) { FRegRoot = value; }
    TKitIniTarget Target() const { return FTarget; }
    void SetTarget(TKitIniTarget value);
    // Target with itAuto resolved to the registry.
    TKitIniTarget EffectiveTarget() const { return FEffectiveTarget; }

    // The user NetUser fills in: the login name.
    virtual std::string DefaultUser();

private:
    bool FAlphaCounter = false;
    bool FCommon = true;
    std::string FIniFile;
    TKitPathPrefix FIniPrefix = ppWindows;
    std::uint8_t FMaxEntries = 16;
    bool FNetUser = false;
    std::string FUser;
    std::string FRegPath;
    TKitRegRootKey FRegRoot = rpCurrentUser;
    TKitIniTarget FTarget = itAuto;
    TKitIniTarget FEffectiveTarget = itRegistry;
};

// ---------------------------------------------------------------------------
// Timer pool: many periodic jobs on one window timer.

class TKitTimerPool;

// Milliseconds, 1..65535.
using TKitTimerInterval = std::uint16_t;
using TKitTimerPoolEvent = TEvent<TObject*, std::uint16_t, std::int32_t>;

// One periodic job of a pool. Made with its pool, which owns it; freeing it
// takes it out of the pool.
class TKitTimerEntry {
public:
    explicit TKitTimerEntry(TKitTimerPool* pool);
    ~TKitTimerEntry();
    TKitTimerEntry(const TKitTimerEntry&) = delete;
    TKitTimerEntry& operator=(const TKitTimerEntry&) = delete;

    TKitTimerPool* Pool() const { return FPool; }

    // Disables itself when Counter reaches this value.
    std::int32_t MaxCount = 0;
    // Times the entry has fired.
    std::int32_t Counter = 0;
    bool Enabled = false;
    // Passed to the pool's OnTimer.
    std::uint16_t Ident = 0;
    // Fires on ticks whose number is a multiple of it; below 1 never fires.
    std::int32_t Divider = 1;
    // When assigned, fired instead of the pool's OnTimer (Sender: the pool).
    TNotifyEvent OnTimer;

private:
    TKitTimerPool* FPool;
};

class TKitTimerPool : public TKitComponent {
    TESSARO_CLASS(TKitTimerPool, TKitComponent)
public:
    explicit TKitTimerPool(TComponent* owner);
    // Sets MinInterval directly, also at run time.
    TKitTimerPool(TComponent* owner, TKitTimerInterval interval);
    ~TKitTimerPool() override;

    TKitTimerInterval MinInterval() const { return FMinInterval; }
    // Takes effect only while loading or designing; ignored at run time.
    void SetMinInterval(TKitTimerInterval value);
    TKitTimerPoolEvent OnTimer;
    bool HasOnTimer() const { return OnTimer.Assigned(); }

    // A new entry at the end of the firing order; the pool owns it.
    TKitTimerEntry* AddEntry();
    int EntryCount() const { return FEntries.Count(); }
    TKitTimerEntry* Entry(int index) const;
    int EnabledCount() const;
    // Stops the timer and frees every entry, last first.
    void ClearEntries();

    // Stops the window timer and, when Enable and an entry is enabled,
    // restarts it at MinInterval with the tick counter at 1. Makes the
    // hidden window on first need. EOutOfResources when Windows has no timer.
    void UpdateTimer(bool enable);
    // One timer tick: fires every enabled entry whose divider divides the
    // tick counter, then advances the counter. A handler that raises is
    // reported (with the pool as Sender) and the tick goes on. A handler may
    // free entries or the pool: a freed pool ends the tick untouched.
    void Tick();
    void FireEntry(TKitTimerEntry* entry);

    // While above 0, ticks fire nothing.
    void Pause() { ++FPauseCount; }
    void Resume() {
        if (FPauseCount > 0)
            --FPauseCount;
    }

    bool Running() const { return FRunning; }
    bool Busy() const { return FBusy; }
    HWND TimerWindow() const { return FTimerWindow; }
    std::int32_t TickCounter() const { return FTickCounter; }
    void SetTickCounter(std::int32_t value) { FTickCounter = value; }

private:
    friend class TKitTimerEntry;
    void TimerWndProc(TMessage& message);
    void RemoveEntry(TKitTimerEntry* entry);

    bool FRunning = false;
    bool FBusy = false;
    HWND FTimerWindow = nullptr;
    std::int32_t FTickCounter = 0;
    TKitTimerInterval FMinInterval = 1000;
    TListOf<TKitTimerEntry> FEntries;
    std::uint8_t FPauseCount = 0;
    // The entry a tick is at, -1 outside a tick; RemoveEntry keeps it on
    // the same entry.
    int FTickIndex = -1;
    // False once the pool is freed; a tick holds a share of it, so it can
    // tell that a handler freed the pool under it.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// ---------------------------------------------------------------------------
// The kit's application-wide object.

enum class TKitAppOption {
    aoLowColorNoPalette,
    aoOption1,
    aoOption2,
    aoOption3,
    aoOption4,
    aoOption5,
    aoOption6,
    aoOption7
};
using enum TKitAppOption;
using TKitAppOptions = TSet<TKitAppOption>;

// The screen cursor index of the kit's own cursor resource.
inline constexpr TCursor crKitCursor = -255;
// Resource identifier of that cursor in the program's module.
inline constexpr int KitCursorResource = 16548;

class TKitApplication : public TComponent {
    TESSARO_CLASS(TKitApplication, TComponent)
public:
    // Never has an owner, whatever Owner is.
    explicit TKitApplication(TComponent* owner);
    ~TKitApplication() override;

    // Options 1, 2, 4 and 5 after construction; painting consults only
    // aoLowColorNoPalette.
    TKitAppOptions AppOptions;

    TKitIniCtrl* IniCtrl() const { return FIniCtrl; }
    TKitTimerPool* TimerPool() const { return FTimerPool; }
    // Two further owned objects; empty in this program. The application
    // object frees what they hold when it is destroyed; assigning frees the
    // previous one.
    TObject* OwnedObject(int index) const;
    void SetOwnedObject(int index, TObject* value);
    static constexpr int OwnedObjectSlots = 2;

    TKitPathPrefix LogPathPrefix = ppProgram;
    const std::string& LogFileName() const { return FLogFileName; }
    // Blank: the program's path with ".LOG"; a name without extension gets
    // ".LOG". The folder comes from LogPathPrefix unless it is ppFixed.
    void SetLogFileName(const std::string& name);

    std::int64_t PerformanceFrequency = 0;
    // Another process holds the mutex named after the program file.
    bool IsSecondInstance = false;
    HANDLE Mutex() const { return FMutex; }

private:
    TKitIniCtrl* FIniCtrl = nullptr;
    TKitTimerPool* FTimerPool = nullptr;
    TObject* FOwnedObjects[OwnedObjectSlots] = {};
    std::string FLogFileName;
    HANDLE FMutex = nullptr;
};

// The one kit application object, made by InitializeKitclass.
extern TKitApplication* KitApplication;

// Unit start-up and shutdown: run after the platform's Forms unit (Screen
// must exist), before the system-information unit.
void InitializeKitclass();
void FinalizeKitclass();
