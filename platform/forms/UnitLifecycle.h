#pragma once
// Unit start-up and shutdown as explicit lists, called from the program's
// entry point instead of global constructors. Units start in list order
// (each after the units it uses) and finish in reverse order; a unit whose
// start-up failed, and every unit after it, is not finished.

#include <span>

struct TUnitEntry {
    const char* Name;
    void (*Initialize)(); // may be null
    void (*Finalize)();   // may be null
};

class TUnitLifecycle {
public:
    explicit TUnitLifecycle(std::span<const TUnitEntry> units) : FUnits(units) {}
    ~TUnitLifecycle() { Finalize(); }
    TUnitLifecycle(const TUnitLifecycle&) = delete;
    TUnitLifecycle& operator=(const TUnitLifecycle&) = delete;

    // Starts every unit in order; an exception leaves the started ones to
    // Finalize and propagates.
    void Initialize();
    // Finishes the started units in reverse order, once. A unit that raises
    // while finishing does not stop the others.
    void Finalize();
    int StartedCount() const { return FStarted; }

private:
    std::span<const TUnitEntry> FUnits;
    int FStarted = 0;
};
