// Layout of controls by their parent: alignment, anchors and size
// constraints.

#include "platform/controls/WinControl.h"

#include <algorithm>

const TEnumNames& AlignNames() {
    static const TEnumNames names = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
    return names;
}

const TEnumNames& AnchorNames() {
    static const TEnumNames names = {"akLeft", "akTop", "akRight", "akBottom"};
    return names;
}

TAnchors AnchorsOfAlign(TAlign align) {
    switch (align) {
    case alTop:
        return {akLeft, akTop, akRight};
    case alBottom:
        return {akLeft, akRight, akBottom};
    case alLeft:
        return {akLeft, akTop, akBottom};
    case alRight:
        return {akRight, akTop, akBottom};
    case alClient:
        return {akLeft, akTop, akRight, akBottom};
    case alNone:
        break;
    }
    return {akLeft, akTop};
}

// --- TControl ----------------------------------------------------------------

void TControl::SetAlign(TAlign value) {
    if (value == FAlign)
        return;
    const TAlign old = FAlign;
    FAlign = value;
    FAnchors = AnchorsOfAlign(value);
    // Leaving an alignment keeps the bounds it gave; measure them now.
    if (value == alNone || old == alNone)
        UpdateAnchorRules();
    RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
    if (value == FAnchors)
        return;
    FAnchors = value;
    UpdateAnchorRules();
}

void TControl::ConstrainSize(int& width, int& height) const {
    FConstraints->Apply(width, height);
}

void TControl::ConstraintsChanged(TObject*) {
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::BoundsChanged() {
    if (FParent && FParent->Aligning())
        return;
    UpdateAnchorRules();
    if (FAlign != alNone)
        RequestAlign();
}

void TControl::UpdateAnchorRules() {
    if (!FParent || Loading())
        return; // measured in Loaded, once the parent has its size
    FAnchorBounds = BoundsRect();
    FAnchorParentSize = {FParent->Width(), FParent->Height()};
}

void TControl::ApplyAnchorRules(int parentWidth, int parentHeight) {
    if (FAnchors == TAnchors{akLeft, akTop} || FAnchorParentSize.cx <= 0 ||
        FAnchorParentSize.cy <= 0)
        return;
    // One axis: the start and length for the parent's new length.
    auto place = [](bool startAnchored, bool endAnchored, long start, long length, long oldParent,
                    int newParent, int& outStart, int& outLength) {
        const long delta = newParent - oldParent;
        outStart = static_cast<int>(start);
        outLength = static_cast<int>(length);
        if (endAnchored) {
            if (startAnchored)
                outLength = std::max(0, static_cast<int>(length + delta));
            else
                outStart = static_cast<int>(start + delta);
        } else if (!startAnchored) {
            // Neither edge: the centre keeps its place in proportion.
            const long centre = start + length / 2;
            outStart = ::MulDiv(static_cast<int>(centre), newParent, static_cast<int>(oldParent)) -
                       static_cast<int>(length / 2);
        }
    };
    int left = 0, width = 0, top = 0, height = 0;
    place(FAnchors.Contains(akLeft), FAnchors.Contains(akRight), FAnchorBounds.left,
          FAnchorBounds.right - FAnchorBounds.left, FAnchorParentSize.cx, parentWidth, left, width);
    place(FAnchors.Contains(akTop), FAnchors.Contains(akBottom), FAnchorBounds.top,
          FAnchorBounds.bottom - FAnchorBounds.top, FAnchorParentSize.cy, parentHeight, top,
          height);
    SetBounds(left, top, width, height);
}

void TControl::RequestAlign() {
    if (FParent)
        FParent->Realign();
}

// --- TWinControl -------------------------------------------------------------

void TWinControl::Realign() {
    if (Loading() || Destroying() || FAlignLevel > 0)
        return;
    ++FAlignLevel;
    try {
        RECT rect = ClientRect();
        AlignControls(rect);
    } catch (...) {
        --FAlignLevel;
        throw;
    }
    --FAlignLevel;
}

void TWinControl::AlignControls(RECT& rect) {
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->FAlign == alNone)
            c->ApplyAnchorRules(FWidth, FHeight);

    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->FAlign == align && c->Visible())
                list.push_back(c);
        // Nearest its edge first; ties keep the list order.
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop:
                return a->Top() < b->Top();
            case alBottom:
                return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft:
                return a->Left() < b->Left();
            case alRight:
                return a->Left() + a->Width() > b->Left() + b->Width();
            default:
                return false;
            }
        });
        for (TControl* c : list) {
            int width = c->Width();
            int height = c->Height();
            const int spaceWidth = std::max(0, static_cast<int>(rect.right - rect.left));
            const int spaceHeight = std::max(0, static_cast<int>(rect.bottom - rect.top));
            if (align == alTop || align == alBottom || align == alClient)
                width = spaceWidth;
            if (align == alLeft || align == alRight || align == alClient)
                height = spaceHeight;
            c->ConstrainSize(width, height);
            switch (align) {
            case alTop:
                c->SetBounds(rect.left, rect.top, width, height);
                rect.top += height;
                break;
            case alBottom:
                c->SetBounds(rect.left, rect.bottom - height, width, height);
                rect.bottom -= height;
                break;
            case alLeft:
                c->SetBounds(rect.left, rect.top, width, height);
                rect.left += width;
                break;
            case alRight:
                c->SetBounds(rect.right - width, rect.top, width, height);
                rect.right -= width;
                break;
            default:
                c->SetBounds(rect.left, rect.top, width, height);
                break;
            }
        }
    }
}
