#pragma once
// TCustomGrid: a grid of equally sized cells with fixed (heading) rows and
// columns at the top and left that stay in place while the others scroll.
// One cell is current: a click or the arrow, page and Home/End keys choose
// it, and the grid scrolls it into view. TDrawGrid leaves the cells'
// content to OnDrawCell.

#include "platform/classes/Set.h"
#include "platform/controls/BorderStyle.h"
#include "platform/controls/GraphicControl.h"
#include "platform/rtl/Exceptions.h"
#include "platform/stdctrls/ScrollBars.h"

enum class TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using enum TGridDrawStateFlag;
using TGridDrawState = TSet<TGridDrawStateFlag>;

// (Sender, Col, Row, cell rectangle, state)
using TDrawCellEvent = TEvent<TObject*, int, int, RECT, TGridDrawState>;
// (Sender, Col, Row, var CanSelect)
using TSelectCellEvent = TEvent<TObject*, int, int, bool&>;

// A grid setting that contradicts another (fixed columns that leave none).
DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

class TCustomGrid : public TCustomControl {
    TESSARO_CLASS(TCustomGrid, TCustomControl)
public:
    explicit TCustomGrid(TComponent* owner);

    int ColCount() const { return FColCount; }
    void SetColCount(int value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int value);
    // Fewer than the columns (rows): at least one scrolls.
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

    // The current cell; never a fixed one.
    int Col() const { return FCol; }
    int Row() const { return FRow; }
    // The first scrolling row and column shown.
    int TopRow() const { return FTopRow; }
    void SetTopRow(int value);
    int LeftCol() const { return FLeftCol; }
    void SetLeftCol(int value);
    // Scrolling rows and columns wholly shown (at least one).
    int VisibleRowCount() const;
    int VisibleColCount() const;

    // The cell's rectangle in client coordinates; empty when it is not shown.
    RECT CellRect(int col, int row) const;
    // The cell at a client position; false outside the cells.
    bool MouseToCell(int x, int y, int& col, int& row) const;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void Paint() override;
    // Draws the content of one cell on Canvas, whose brush and font are set
    // for the cell's state and whose background is already filled.
    virtual void DrawCell(int col, int row, const RECT& rect, TGridDrawState state);
    // Whether the cell may become the current one.
    virtual bool SelectCell(int col, int row);

private:
    void FocusCell(int col, int row);
    void MoveBy(int cols, int rows);
    void ScrollToCurrent();
    void InvalidateCell(int col, int row);
    void UpdateScrollBars();
    void Changed();
    // Left edges: the cell's offset along one axis, or -1 when not shown.
    int ColumnLeft(int col) const;
    int RowTop(int row) const;
    int LastTopRow() const;
    int LastLeftCol() const;
    void HandleKey(WORD key);
    void HandleScroll(bool horizontal, WORD code);

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    int FCol = 1;
    int FRow = 1;
    int FTopRow = 1;
    int FLeftCol = 1;
};

class TDrawGrid : public TCustomGrid {
    TESSARO_CLASS(TDrawGrid, TCustomGrid)
public:
    explicit TDrawGrid(TComponent* owner) : TCustomGrid(owner) {}

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;

protected:
    void DrawCell(int col, int row, const RECT& rect, TGridDrawState state) override;
    bool SelectCell(int col, int row) override;
};
