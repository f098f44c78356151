#pragma once
// TScrollingWinControl: a container whose children may reach beyond its
// client area. The scroll range is the extent of the visible children; the
// window's scroll bars appear while the range does not fit and scroll the
// children. TScrollBox is the one to place on a form, with a client edge.

#include "platform/controls/BorderStyle.h"
#include "platform/controls/WinControl.h"

class TScrollingWinControl : public TWinControl {
    TESSARO_CLASS(TScrollingWinControl, TWinControl)
public:
    explicit TScrollingWinControl(TComponent* owner);

    // The extent of the children from the unscrolled origin.
    int HorzRange() const { return FHorz.Range; }
    int VertRange() const { return FVert.Range; }
    // How far the content is scrolled.
    int HorzPosition() const { return FHorz.Position; }
    int VertPosition() const { return FVert.Position; }
    // Scroll to a position, kept within what the range allows.
    void SetHorzPosition(int value);
    void SetVertPosition(int value);
    // Scrolls so that Control, a child, is wholly in view where it can be.
    void ScrollInView(TControl* control);

    void Dispatch(TMessage& message) override;
    void ChildBoundsChanged(TControl* child) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    // Recomputes the range from the children (but Leaving) and shows it in
    // the scroll bars.
    void UpdateScrollBars(const TControl* leaving = nullptr);

private:
    struct TAxis {
        int Range = 0;
        int Position = 0;
    };
    void ScrollTo(int horz, int vert);
    int Last(const TAxis& axis, int page) const;
    TAxis FHorz;
    TAxis FVert;
    // Children are being moved or the bars set: no recomputing meanwhile.
    bool FAdjusting = false;
};

class TScrollBox : public TScrollingWinControl {
    TESSARO_CLASS(TScrollBox, TScrollingWinControl)
public:
    explicit TScrollBox(TComponent* owner);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TBorderStyle FBorderStyle = bsSingle;
};
