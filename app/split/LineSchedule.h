#pragma once
// The lines at which the copy must stop and look: a pump at a multiple of
// 100 (when due), a new part at a multiple of N, a requested stop. The copy
// counts line ends a block at a time and asks for the first such line of a
// block; only there does it look for the exact line.

#include "app/split/SplitEngine.h"

#include <cstdint>
#include <limits>

class TLineSchedule {
public:
    static constexpr std::int64_t PumpEvery = 100; // lines
    static constexpr std::int64_t PumpPauseMs = 10;
    static constexpr std::int64_t Never = std::numeric_limits<std::int64_t>::max();

    // Reads N and asks for a stop once. Raises EInvalidOperation when N is
    // missing or below 1.
    TLineSchedule(const TSplitProgress& progress, std::int64_t firstLine);

    // The first line up to last (inclusive) that needs Begin, or Never. At
    // each multiple of 100 passed on the way it decides, once, whether a
    // pump is due there, reading the clock for all but the first pump.
    // Lines before the one returned need nothing.
    std::int64_t NextEvent(std::int64_t last);

    enum class TAction { Copy, NewPart, Stop };
    // What to do before `line` is copied; line is one NextEvent returned.
    // Pumps when due (then asks for a stop and reads N again); Stop when a
    // stop was seen at an earlier line.
    TAction Begin(std::int64_t line);

    // The smallest multiple of n (n >= 1) that is at least line (line >= 0).
    static std::int64_t NextMultiple(std::int64_t line, std::int64_t n);

private:
    bool PumpDue();
    std::int64_t Now() const;
    std::int64_t ReadLimit() const;
    bool StopRequested() const;

    const TSplitProgress& FProgress;
    std::int64_t FLimit;
    std::int64_t FNextPart;        // the line that starts the next part
    std::int64_t FNextPump;        // the next multiple of 100 not yet looked at
    std::int64_t FDuePump = Never; // a multiple of 100 at which a pump is due
    std::int64_t FStopAt;          // the line the copy stops before
    bool FPumped = false;
    std::int64_t FLastPumpMs = 0;
};
