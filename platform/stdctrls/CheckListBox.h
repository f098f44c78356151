#pragma once
// TCheckListBox: an owner-drawn system list box whose items carry a check
// box in a column of their own. A click into the column (or the space key)
// steps the item's check state.

#include "platform/classes/StringList.h"
#include "platform/controls/GraphicControl.h"

#include <memory>
#include <vector>

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
using enum TCheckBoxState;

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
using enum TListBoxStyle;

class TCheckListBox;
// Paints the text part of item Index into Rect on the list box's canvas;
// State holds the owner-draw state bits (ODS_SELECTED, ODS_FOCUS, ...).
using TDrawItemEvent = TEvent<TCheckListBox*, int, RECT, UINT>;

class TCheckListBox : public TWinControl {
    TESSARO_CLASS(TCheckListBox, TWinControl)
public:
    explicit TCheckListBox(TComponent* owner);
    ~TCheckListBox() override;

    TStrings* Items() const { return FItems.get(); }
    TCheckBoxState State(int index) const;
    void SetState(int index, TCheckBoxState value);
    bool Checked(int index) const { return State(index) == cbChecked; }
    void SetChecked(int index, bool value) { SetState(index, value ? cbChecked : cbUnchecked); }
    // Clicks step through grayed as well.
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }

    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);
    // The width of the check column at the items' left (right, with
    // right-to-left alignment).
    int CheckWidth() const;
    TCanvas* Canvas() const { return FCanvas.get(); }

    TDrawItemEvent OnDrawItem;
    TNotifyEvent OnClickCheck;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    void ItemsChanged(TObject* sender);
    void FillWindow();
    void ToggleState(int index);
    void InvalidateItem(int index);
    // The classic look of one item.
    void DrawItem(const DRAWITEMSTRUCT& item);

    std::unique_ptr<TStringList> FItems;
    std::vector<TCheckBoxState> FStates;
    std::unique_ptr<TControlCanvas> FCanvas;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    bool FAllowGrayed = false;
};
