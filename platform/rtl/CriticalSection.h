#pragma once
// A re-entrant lock (a Windows critical section) and a guard that holds one
// for a scope. The guard takes a pointer: a unit whose lock is already gone
// at shutdown runs unguarded, which is safe because every call then comes
// from the one GUI thread.

#include <windows.h>

class TCriticalSection {
public:
    TCriticalSection() { ::InitializeCriticalSection(&FSection); }
    ~TCriticalSection() { ::DeleteCriticalSection(&FSection); }
    TCriticalSection(const TCriticalSection&) = delete;
    TCriticalSection& operator=(const TCriticalSection&) = delete;

    void Enter() { ::EnterCriticalSection(&FSection); }
    void Leave() { ::LeaveCriticalSection(&FSection); }

private:
    CRITICAL_SECTION FSection;
};

class TCriticalSectionGuard {
public:
    explicit TCriticalSectionGuard(TCriticalSection* lock) : FLock(lock) {
        if (FLock)
            FLock->Enter();
    }
    ~TCriticalSectionGuard() {
        if (FLock)
            FLock->Leave();
    }
    TCriticalSectionGuard(const TCriticalSectionGuard&) = delete;
    TCriticalSectionGuard& operator=(const TCriticalSectionGuard&) = delete;

private:
    TCriticalSection* FLock;
};
