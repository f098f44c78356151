#pragma once
// Shared pieces of the settings-object tests: a change counter to hang on
// OnChange, and memory bitmaps pre-filled with a sentinel colour no routine
// under test paints.

#include "platform/classes/Event.h"
#include "platform/graphics/Bitmap.h"

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

inline constexpr COLORREF Sentinel = RGB(0x12, 0x34, 0x56);

// A 24-bit bitmap of Width x Height filled with Color.
std::unique_ptr<TBitmap> FilledBitmap(int width, int height, COLORREF color = Sentinel);
COLORREF PixelAt(TBitmap& bitmap, int x, int y);
// Pixels of Bitmap inside Area that have Color.
int CountColor(TBitmap& bitmap, COLORREF color, const RECT& area);
// Pixels outside Area that are not the sentinel.
int PaintedOutside(TBitmap& bitmap, const RECT& area);
