#pragma once
// The units the themed handlers need, a switch for the themed state and a
// bitmap that shows which pixels a drawing changed.

#include "platform/controls/WinControl.h"
#include "platform/rtl/SystemSeams.h"
#include "tests/support/ControlThemes.h"
#include "tests/support/MemoryCanvas.h"
#include "tests/support/RealInput.h"
#include "theming/ThemeMgr.h"

#include <optional>
#include <utility>
#include <vector>

#include <windows.h>

// A colour no theme and no system colour uses.
constexpr COLORREF Sentinel = RGB(255, 0, 255);

// A memory canvas filled with the sentinel.
class SentinelBitmap : public TMemoryCanvas {
public:
    SentinelBitmap(int width, int height) : TMemoryCanvas(width, height, Sentinel) {}
    // Changed pixels in row Y between Left and Right (exclusive).
    int ChangedInRow(int y, int left, int right) const {
        return CountOtherThan(Sentinel, RECT{left, y, right, y + 1});
    }
};

// The bounding box of DC's clip region; empty when it has none.
RECT ClipBox(HDC dc);
bool HasClipRegion(HDC dc);


// A control of class T owned by Owner, placed on Parent at the given bounds.
template <class T>
T* AddControl(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// Whether Manager's list of Class holds Control.
bool IsListed(const TThemeManager* manager, TThemedClass cls, TControl* control);

// Records every message that passes the manager's frame on its way to a
// handler (through OnControlMessage), taking none of them.
class FrameWitness {
public:
    explicit FrameWitness(TThemeManager* manager);
    ~FrameWitness();
    FrameWitness(const FrameWitness&) = delete;
    FrameWitness& operator=(const FrameWitness&) = delete;

    bool Saw(const TControl* control, UINT msg) const;
    // WM_ERASEBKGND that Control got with LParam equal to the DC: the erase
    // a child asks of its parent (EraseWithParent).
    int ErasesForAChild(const TControl* control) const;
    void Clear() { FSeen.clear(); }

private:
    void Receive(TThemeManager*, TControl* control, TMessage& message, bool&);
    TThemeManager* FManager;
    std::vector<std::pair<const TControl*, TMessage>> FSeen;
};
