#pragma once
// Raises a flag for the length of a scope and lowers it on every way out, so
// that a flag that keeps a handler from running twice (a modal box pumps
// messages) cannot stay raised after an exception.

#include <memory>

class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : FFlag(flag) { FFlag = true; }
    // For a flag of an object the scope may see freed: the flag is lowered
    // only while Alive still holds true.
    TFlagGuard(bool& flag, std::shared_ptr<const bool> alive)
        : FFlag(flag), FAlive(std::move(alive)) {
        FFlag = true;
    }
    ~TFlagGuard() {
        if (!FAlive || *FAlive)
            FFlag = false;
    }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
    std::shared_ptr<const bool> FAlive;
};
