// The draw grid: its cells are painted by OnDrawCell, the fixed rows and
// columns stay while the others scroll, and the mouse and the keys choose
// the current cell.

#include "ControlsEnvironment.h"

#include "platform/classes/Stream.h"
#include "platform/filer/ObjectText.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"
#include "platform/stdctrls/Grids.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {
struct DrawnCell {
    RECT Rect;
    TGridDrawState State;
};

// Paints every cell in a colour of its own and remembers what was asked.
struct CellPainter {
    void Draw(TObject* sender, int col, int row, RECT rect, TGridDrawState state) {
        Cells[{col, row}] = {rect, state};
        auto* grid = static_cast<TDrawGrid*>(sender);
        if (!state.Contains(gdSelected)) {
            grid->Canvas()->Brush()->SetColor(static_cast<TColor>(ColorOf(col, row)));
            grid->Canvas()->FillRect(rect);
        }
    }
    void Select(TObject*, int col, int row, bool& allowed) {
        if (col == Refused.first && row == Refused.second)
            allowed = false;
    }
    static COLORREF ColorOf(int col, int row) { return RGB(10 + col * 20, 10 + row * 20, 99); }
    std::map<std::pair<int, int>, DrawnCell> Cells;
    std::pair<int, int> Refused{-1, -1};
};

class DrawGrid : public OnForm {
protected:
    void SetUp() override {
        OnForm::SetUp();
        grid = Add<TDrawGrid>(form, 10, 10, 300, 200);
        grid->SetBorderStyle(bsNone);
        grid->SetColCount(10);
        grid->SetRowCount(20);
        grid->SetDefaultColWidth(50);
        grid->SetDefaultRowHeight(20);
        grid->OnDrawCell = TDrawCellEvent::Of<&CellPainter::Draw>(&painter);
        grid->OnSelectCell = TSelectCellEvent::Of<&CellPainter::Select>(&painter);
        Paint();
    }
    void Paint() {
        painter.Cells.clear();
        grid->Invalidate();
        ::UpdateWindow(grid->Handle());
    }
    // The middle of a cell in client coordinates.
    POINT Middle(int col, int row) const {
        const RECT r = grid->CellRect(col, row);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    CellPainter painter;
    TDrawGrid* grid = nullptr;
};

TEST_F(DrawGrid, EveryShownCellIsDrawnByTheEventWithItsState) {
    const int shownCols = 1 + grid->VisibleColCount();
    const int shownRows = 1 + grid->VisibleRowCount();
    EXPECT_GE(static_cast<int>(painter.Cells.size()), shownCols * shownRows);
    const DrawnCell corner = painter.Cells.at({0, 0});
    EXPECT_TRUE(corner.State.Contains(gdFixed));
    EXPECT_EQ(corner.Rect.left, 0);
    EXPECT_EQ(corner.Rect.right, 50);
    const DrawnCell current = painter.Cells.at({1, 1});
    EXPECT_TRUE(current.State.Contains(gdSelected));
    EXPECT_FALSE(current.State.Contains(gdFixed));
    EXPECT_EQ(current.Rect.left, 51) << "after one cell and one grid line";
    EXPECT_EQ(current.Rect.top, 21);
    EXPECT_TRUE(painter.Cells.at({2, 3}).State.Empty());

    const TWindowShot shot(grid->Handle());
    const POINT cell = Middle(2, 3);
    EXPECT_EQ(shot.Pixel(cell.x, cell.y), CellPainter::ColorOf(2, 3)) << "the event's painting";
    EXPECT_EQ(shot.Pixel(50, cell.y), ColorToRGB(clBtnFace)) << "the grid line";
    const POINT selected = Middle(1, 1);
    EXPECT_EQ(shot.Pixel(selected.x, selected.y), ColorToRGB(clHighlight));
}

TEST_F(DrawGrid, ClickChoosesTheCellUnderTheMouseButNeverAFixedOne) {
    POINT at = Middle(3, 4);
    ClickAt(grid->Handle(), at.x, at.y);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 4);
    at = Middle(0, 6);
    ClickAt(grid->Handle(), at.x, at.y);
    EXPECT_EQ(grid->Col(), 3) << "a heading cell is not chosen";
    EXPECT_EQ(grid->Row(), 4);

    painter.Refused = {5, 5};
    at = Middle(5, 5);
    ClickAt(grid->Handle(), at.x, at.y);
    EXPECT_EQ(grid->Col(), 3) << "OnSelectCell refused it";
    Paint();
    EXPECT_TRUE(painter.Cells.at({3, 4}).State.Contains(gdSelected));
}

TEST_F(DrawGrid, KeysMoveTheCurrentCellAndScrollItIntoView) {
    grid->SetFocus();
    PressKey(grid->Handle(), VK_RIGHT);
    PressKey(grid->Handle(), VK_DOWN);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    PressKey(grid->Handle(), VK_LEFT);
    PressKey(grid->Handle(), VK_LEFT);
    EXPECT_EQ(grid->Col(), 1) << "never into the fixed column";

    PressKey(grid->Handle(), VK_END);
    EXPECT_EQ(grid->Col(), 9);
    EXPECT_EQ(grid->LeftCol(), 10 - grid->VisibleColCount()) << "scrolled to show it";
    PressKey(grid->Handle(), VK_NEXT);
    EXPECT_EQ(grid->Row(), 2 + grid->VisibleRowCount());
    EXPECT_EQ(grid->TopRow(), grid->Row() - grid->VisibleRowCount() + 1);
    EXPECT_EQ(::GetScrollPos(grid->Handle(), SB_VERT), grid->TopRow());
    PressKey(grid->Handle(), VK_HOME);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->LeftCol(), 1);

    Paint();
    EXPECT_TRUE(painter.Cells.contains({0, grid->TopRow()})) << "the fixed column stays";
    EXPECT_TRUE(painter.Cells.contains({1, 0})) << "the fixed row stays";
    EXPECT_FALSE(painter.Cells.contains({1, 1})) << "scrolled out of view";
}

TEST_F(DrawGrid, ScrollBarsMoveTheFirstShownRowAndColumn) {
    ::SendMessageA(grid->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid->TopRow(), 2);
    ::SendMessageA(grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(grid->TopRow(), 20 - grid->VisibleRowCount());
    ::SendMessageA(grid->Handle(), WM_HSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(grid->LeftCol(), std::min(1 + grid->VisibleColCount(), 10 - grid->VisibleColCount()));
    EXPECT_EQ(grid->Col(), 1) << "scrolling leaves the current cell";
    const LONG_PTR style = ::GetWindowLongPtrA(grid->Handle(), GWL_STYLE);
    EXPECT_NE(style & WS_VSCROLL, 0);
    EXPECT_NE(style & WS_HSCROLL, 0);

    grid->SetRowCount(3);
    EXPECT_EQ(grid->TopRow(), 1) << "nothing left to scroll";
    EXPECT_EQ(::GetWindowLongPtrA(grid->Handle(), GWL_STYLE) & WS_VSCROLL, 0);
}

TEST_F(DrawGrid, FixedCountsMustLeaveACellThatScrolls) {
    EXPECT_THROW(grid->SetFixedCols(10), EInvalidGridOperation);
    EXPECT_THROW(grid->SetFixedRows(-1), EInvalidGridOperation);
    grid->SetFixedCols(2);
    grid->SetColCount(2);
    EXPECT_EQ(grid->FixedCols(), 1) << "fewer columns take fixed ones with them";
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(DrawGrid, SingleBorderIsAClientEdge) {
    grid->SetBorderStyle(bsSingle);
    EXPECT_NE(::GetWindowLongPtrA(grid->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

// A root for a grid's form data.
class TGridHost : public TCustomControl {
    TESSARO_CLASS(TGridHost, TCustomControl)
public:
    TGridHost() : TCustomControl(nullptr) {}
};

const TClassInfo& TGridHost::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TGridHost>("TGridHost");
    return info;
}

// More fixed rows than a new grid has rows: the counts must be read first.
const char* const GridForm = R"(object Host: TGridHost
  object Grid: TDrawGrid
    Left = 4
    Top = 5
    Width = 300
    Height = 200
    BorderStyle = bsNone
    ColCount = 8
    RowCount = 10
    DefaultColWidth = 40
    DefaultRowHeight = 18
    FixedCols = 7
    FixedRows = 6
    GridLineWidth = 2
    ScrollBars = ssVertical
    TabOrder = 0
  end
end
)";

TEST(DrawGridForm, IsReadFromItsTextFormAndWrittenBackUnchanged) {
    TMemoryStream original;
    ObjectTextToBinary(GridForm, original);
    original.SetPosition(0);
    TGridHost host;
    TReader reader(original);
    reader.ReadRootComponent(&host);
    auto* grid = dynamic_cast<TDrawGrid*>(host.FindComponent("Grid"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->ColCount(), 8);
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_EQ(grid->FixedCols(), 7);
    EXPECT_EQ(grid->FixedRows(), 6);

    TMemoryStream written;
    TWriter writer(written);
    writer.WriteRootComponent(&host);
    written.SetPosition(0);
    original.SetPosition(0);
    EXPECT_EQ(ObjectBinaryToText(written), ObjectBinaryToText(original));
}
} // namespace
