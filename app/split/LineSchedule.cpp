// The lines at which the copy must stop and look.

#include "app/split/LineSchedule.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <chrono>

TLineSchedule::TLineSchedule(const TSplitProgress& progress, std::int64_t firstLine)
    : FProgress(progress), FLimit(ReadLimit()), FNextPart(NextMultiple(firstLine, FLimit)),
      FNextPump(NextMultiple(firstLine, PumpEvery)), FStopAt(StopRequested() ? firstLine : Never) {}

std::int64_t TLineSchedule::NextMultiple(std::int64_t line, std::int64_t n) {
    const std::int64_t rest = line % n;
    return rest == 0 ? line : line - rest + n;
}

std::int64_t TLineSchedule::NextEvent(std::int64_t last) {
    const std::int64_t fixed = std::min(FNextPart, FStopAt);
    if (FDuePump == Never) {
        // The line that starts a part is looked at too: its pump comes first.
        // The line a stop comes before never starts.
        const std::int64_t upTo = std::min({last, FNextPart, FStopAt - 1});
        while (FNextPump <= upTo) {
            const std::int64_t line = FNextPump;
            FNextPump += PumpEvery;
            if (PumpDue()) {
                FDuePump = line;
                break;
            }
        }
    }
    const std::int64_t next = std::min(fixed, FDuePump);
    return next <= last ? next : Never;
}

TLineSchedule::TAction TLineSchedule::Begin(std::int64_t line) {
    if (line >= FStopAt) {
        return TAction::Stop;
    }
    if (line == FDuePump) {
        FDuePump = Never;
        if (FProgress.Pump) {
            FProgress.Pump(line);
        }
        FPumped = true;
        FLastPumpMs = Now();
        if (StopRequested()) {
            FStopAt = line + 1; // this line is still copied
        }
        FLimit = ReadLimit();
        FNextPart = NextMultiple(line, FLimit);
    }
    if (line == FNextPart) {
        FNextPart = line + FLimit;
        return TAction::NewPart;
    }
    return TAction::Copy;
}

bool TLineSchedule::PumpDue() {
    return !FPumped || Now() - FLastPumpMs >= PumpPauseMs;
}

std::int64_t TLineSchedule::Now() const {
    if (FProgress.NowMs) {
        return FProgress.NowMs();
    }
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t TLineSchedule::ReadLimit() const {
    const std::int64_t limit = FProgress.LineLimit ? FProgress.LineLimit() : 0;
    if (limit < 1) {
        throw EInvalidOperation("Ungültige Zeilenzahl für die Aufteilung: " +
                                std::to_string(limit));
    }
    return limit;
}

bool TLineSchedule::StopRequested() const {
    return FProgress.StopRequested && FProgress.StopRequested();
}
