#pragma once
// Shared pieces of the settings-object tests: a change counter to hang on
// OnChange, and the sentinel-filled bitmaps.

#include "platform/classes/Event.h"
#include "tests/support/SentinelBitmap.h"

#include <memory>
#include <vector>
#include <windows.h>

class TObject;

// Counts the change events it receives and remembers their senders.
class TChangeCounter {
public:
    TNotifyEvent Event() { return TNotifyEvent::Of<&TChangeCounter::Changed>(this); }
    int Count() const { return static_cast<int>(FSenders.size()); }
    TObject* LastSender() const { return FSenders.empty() ? nullptr : FSenders.back(); }
    void Reset() { FSenders.clear(); }

private:
    void Changed(TObject* sender) { FSenders.push_back(sender); }
    std::vector<TObject*> FSenders;
};
