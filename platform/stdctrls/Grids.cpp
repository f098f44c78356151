#include "platform/stdctrls/Grids.h"

#include "platform/controls/MouseTracking.h"
#include "platform/stdctrls/StandardProperties.h"

#include <algorithm>

const TClassInfo& TCustomGrid::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCustomGrid>("TCustomGrid");
    return info;
}

const TClassInfo& TDrawGrid::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TDrawGrid>("TDrawGrid", [](TPropertyTable& t) {
        TPropertyBuilder<TDrawGrid> p(t);
        StandardProperties<TDrawGrid>::Bounds(p);
        p.Enum("BorderStyle", BorderStyleNames(), &TDrawGrid::BorderStyle,
               &TDrawGrid::SetBorderStyle, std::optional<TBorderStyle>(bsSingle));
        // The counts before the fixed rows and columns, which must stay
        // below them: form data is read in this order.
        p.Integer("ColCount", &TDrawGrid::ColCount, &TDrawGrid::SetColCount, 5);
        p.Integer("RowCount", &TDrawGrid::RowCount, &TDrawGrid::SetRowCount, 5);
        p.Integer("Color", &TControl::Color, &TControl::SetColor, clWindow, &ColorIdents());
        p.Integer("DefaultColWidth", &TDrawGrid::DefaultColWidth, &TDrawGrid::SetDefaultColWidth,
                  64);
        p.Integer("DefaultRowHeight", &TDrawGrid::DefaultRowHeight, &TDrawGrid::SetDefaultRowHeight,
                  24);
        p.Integer("FixedCols", &TDrawGrid::FixedCols, &TDrawGrid::SetFixedCols, 1);
        p.Integer("FixedRows", &TDrawGrid::FixedRows, &TDrawGrid::SetFixedRows, 1);
        p.Integer("GridLineWidth", &TDrawGrid::GridLineWidth, &TDrawGrid::SetGridLineWidth, 1);
        p.Enum("ScrollBars", ScrollStyleNames(), &TDrawGrid::ScrollBars, &TDrawGrid::SetScrollBars,
               std::optional<TScrollStyle>(ssBoth));
        StandardProperties<TDrawGrid>::Common(p);
        StandardProperties<TDrawGrid>::Tabbing(p, true);
        p.Event("OnClick", &TControl::OnClick);
        p.Event("OnDrawCell", &TDrawGrid::OnDrawCell);
        p.Event("OnSelectCell", &TDrawGrid::OnSelectCell);
    });
    return info;
}

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner) {
    FWidth = 320;
    FHeight = 120;
    SetDefaultTabStop(true);
    FColor = clWindow;
    FParentColor = false;
    Brush()->SetColor(FColor);
    FControlStyle.Include(csOpaque);
}

void TCustomGrid::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (HasHorizontalBar(FScrollBars))
        params.Style |= WS_HSCROLL;
    if (HasVerticalBar(FScrollBars))
        params.Style |= WS_VSCROLL;
    if (FBorderStyle == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomGrid::CreateHandleDone() {
    UpdateScrollBars();
}

// --- Settings ----------------------------------------------------------------

void TCustomGrid::SetColCount(int value) {
    value = std::max(value, 1);
    if (value == FColCount)
        return;
    FColCount = value;
    FFixedCols = std::min(FFixedCols, FColCount - 1);
    Changed();
}

void TCustomGrid::SetRowCount(int value) {
    value = std::max(value, 1);
    if (value == FRowCount)
        return;
    FRowCount = value;
    FFixedRows = std::min(FFixedRows, FRowCount - 1);
    Changed();
}

void TCustomGrid::SetFixedCols(int value) {
    if (value < 0 || value >= FColCount)
        throw EInvalidGridOperation("Die Anzahl fester Spalten muss kleiner sein als die Anzahl "
                                    "der Spalten");
    FFixedCols = value;
    Changed();
}

void TCustomGrid::SetFixedRows(int value) {
    if (value < 0 || value >= FRowCount)
        throw EInvalidGridOperation("Die Anzahl fester Zeilen muss kleiner sein als die Anzahl "
                                    "der Zeilen");
    FFixedRows = value;
    Changed();
}

void TCustomGrid::SetDefaultColWidth(int value) {
    FDefaultColWidth = std::max(value, 1);
    Changed();
}

void TCustomGrid::SetDefaultRowHeight(int value) {
    FDefaultRowHeight = std::max(value, 1);
    Changed();
}

void TCustomGrid::SetGridLineWidth(int value) {
    FGridLineWidth = std::max(value, 0);
    Changed();
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
    if (value == FScrollBars)
        return;
    FScrollBars = value;
    RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle value) {
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    RecreateWnd();
}

// Keeps the current and first shown cells in the scrolling area after the
// counts or sizes changed.
void TCustomGrid::Changed() {
    FCol = std::clamp(FCol, FFixedCols, FColCount - 1);
    FRow = std::clamp(FRow, FFixedRows, FRowCount - 1);
    FLeftCol = std::clamp(FLeftCol, FFixedCols, LastLeftCol());
    FTopRow = std::clamp(FTopRow, FFixedRows, LastTopRow());
    UpdateScrollBars();
    Invalidate();
}

// --- Geometry ----------------------------------------------------------------

int TCustomGrid::ColumnLeft(int col) const {
    const int step = FDefaultColWidth + FGridLineWidth;
    if (col < FFixedCols)
        return col * step;
    if (col < FLeftCol)
        return -1;
    return (FFixedCols + col - FLeftCol) * step;
}

int TCustomGrid::RowTop(int row) const {
    const int step = FDefaultRowHeight + FGridLineWidth;
    if (row < FFixedRows)
        return row * step;
    if (row < FTopRow)
        return -1;
    return (FFixedRows + row - FTopRow) * step;
}

int TCustomGrid::VisibleColCount() const {
    const int room = ClientRect().right - FFixedCols * (FDefaultColWidth + FGridLineWidth);
    return std::max(1, room / (FDefaultColWidth + FGridLineWidth));
}

int TCustomGrid::VisibleRowCount() const {
    const int room = ClientRect().bottom - FFixedRows * (FDefaultRowHeight + FGridLineWidth);
    return std::max(1, room / (FDefaultRowHeight + FGridLineWidth));
}

int TCustomGrid::LastLeftCol() const {
    return std::max(FFixedCols, FColCount - VisibleColCount());
}

int TCustomGrid::LastTopRow() const {
    return std::max(FFixedRows, FRowCount - VisibleRowCount());
}

RECT TCustomGrid::CellRect(int col, int row) const {
    if (col < 0 || col >= FColCount || row < 0 || row >= FRowCount)
        return {};
    const int left = ColumnLeft(col);
    const int top = RowTop(row);
    const RECT client = ClientRect();
    if (left < 0 || top < 0 || left >= client.right || top >= client.bottom)
        return {};
    return {left, top, left + FDefaultColWidth, top + FDefaultRowHeight};
}

bool TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const {
    const int colStep = FDefaultColWidth + FGridLineWidth;
    const int rowStep = FDefaultRowHeight + FGridLineWidth;
    if (x < 0 || y < 0)
        return false;
    const int colSlot = x / colStep;
    const int rowSlot = y / rowStep;
    col = colSlot < FFixedCols ? colSlot : FLeftCol + colSlot - FFixedCols;
    row = rowSlot < FFixedRows ? rowSlot : FTopRow + rowSlot - FFixedRows;
    return col < FColCount && row < FRowCount;
}

// --- Scrolling and the current cell --------------------------------------------

void TCustomGrid::UpdateScrollBars() {
    if (!HandleAllocated())
        return;
    // Twice: a bar that appears narrows the client area for the other.
    for (int pass = 0; pass < 2; ++pass) {
        if (HasHorizontalBar(FScrollBars))
            SetWindowScrollBar(WindowHandle(), SB_HORZ, FFixedCols, FColCount - 1, VisibleColCount(),
                               FLeftCol);
        if (HasVerticalBar(FScrollBars))
            SetWindowScrollBar(WindowHandle(), SB_VERT, FFixedRows, FRowCount - 1, VisibleRowCount(),
                               FTopRow);
    }
}

void TCustomGrid::SetTopRow(int value) {
    value = std::clamp(value, FFixedRows, LastTopRow());
    if (value == FTopRow)
        return;
    FTopRow = value;
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetLeftCol(int value) {
    value = std::clamp(value, FFixedCols, LastLeftCol());
    if (value == FLeftCol)
        return;
    FLeftCol = value;
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::InvalidateCell(int col, int row) {
    if (!HandleAllocated())
        return;
    const RECT r = CellRect(col, row);
    ::InvalidateRect(WindowHandle(), &r, FALSE);
}

void TCustomGrid::FocusCell(int col, int row) {
    col = std::clamp(col, FFixedCols, FColCount - 1);
    row = std::clamp(row, FFixedRows, FRowCount - 1);
    if ((col == FCol && row == FRow) || !SelectCell(col, row))
        return;
    InvalidateCell(FCol, FRow);
    FCol = col;
    FRow = row;
    InvalidateCell(FCol, FRow);
    ScrollToCurrent();
}

void TCustomGrid::ScrollToCurrent() {
    if (FCol < FLeftCol)
        SetLeftCol(FCol);
    else if (FCol >= FLeftCol + VisibleColCount())
        SetLeftCol(FCol - VisibleColCount() + 1);
    if (FRow < FTopRow)
        SetTopRow(FRow);
    else if (FRow >= FTopRow + VisibleRowCount())
        SetTopRow(FRow - VisibleRowCount() + 1);
}

void TCustomGrid::MoveBy(int cols, int rows) {
    FocusCell(FCol + cols, FRow + rows);
}

bool TCustomGrid::SelectCell(int, int) {
    return true;
}

void TCustomGrid::DrawCell(int, int, const RECT&, TGridDrawState) {}

void TCustomGrid::HandleKey(WORD key) {
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_LEFT:
        MoveBy(-1, 0);
        break;
    case VK_RIGHT:
        MoveBy(1, 0);
        break;
    case VK_UP:
        MoveBy(0, -1);
        break;
    case VK_DOWN:
        MoveBy(0, 1);
        break;
    case VK_PRIOR:
        MoveBy(0, -VisibleRowCount());
        break;
    case VK_NEXT:
        MoveBy(0, VisibleRowCount());
        break;
    case VK_HOME:
        FocusCell(FFixedCols, control ? FFixedRows : FRow);
        break;
    case VK_END:
        FocusCell(FColCount - 1, control ? FRowCount - 1 : FRow);
        break;
    default:
        break;
    }
}

void TCustomGrid::HandleScroll(bool horizontal, WORD code) {
    if (horizontal)
        SetLeftCol(ScrollRequestPosition(WindowHandle(), SB_HORZ, code, FLeftCol, FFixedCols,
                                         LastLeftCol(), 1, VisibleColCount()));
    else
        SetTopRow(ScrollRequestPosition(WindowHandle(), SB_VERT, code, FTopRow, FFixedRows, LastTopRow(),
                                        1, VisibleRowCount()));
}

void TCustomGrid::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        // The arrow keys move the current cell, not the focus.
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_KEYDOWN:
        HandleKey(LOWORD(message.WParam));
        break;
    case WM_LBUTTONDOWN: {
        if (CanFocus() && !Focused())
            SetFocus();
        int col = 0;
        int row = 0;
        const POINT p = MouseMessagePoint(message.LParam);
        if (MouseToCell(p.x, p.y, col, row) &&
            col >= FFixedCols && row >= FFixedRows)
            FocusCell(col, row);
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (message.LParam)
            break;
        HandleScroll(message.Msg == WM_HSCROLL, LOWORD(message.WParam));
        message.Result = 0;
        return;
    case WM_SIZE:
        TCustomControl::Dispatch(message);
        Changed();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateCell(FCol, FRow);
        break;
    case WM_ERASEBKGND:
        // Paint covers every pixel.
        message.Result = 1;
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

// --- Painting ----------------------------------------------------------------

void TCustomGrid::Paint() {
    TCanvas& canvas = *Canvas();
    const RECT client = ClientRect();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(FColor);
    canvas.FillRect(client);
    const bool focused = Focused();
    auto paintCell = [&](int col, int row) {
        const RECT cell = CellRect(col, row);
        if (::IsRectEmpty(&cell))
            return;
        const bool fixed = col < FFixedCols || row < FFixedRows;
        // The grid line right of and below the cell.
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(
            {cell.left, cell.top, cell.right + FGridLineWidth, cell.bottom + FGridLineWidth});
        TGridDrawState state;
        TColor back = FColor;
        canvas.Font()->Assign(FFont.get());
        if (fixed) {
            state.Include(gdFixed);
            back = clBtnFace;
        } else if (col == FCol && row == FRow) {
            state.Include(gdSelected);
            back = clHighlight;
            canvas.Font()->SetColor(clHighlightText);
            if (focused)
                state.Include(gdFocused);
        }
        canvas.Brush()->SetColor(back);
        canvas.FillRect(cell);
        if (fixed) {
            RECT edge = cell;
            ::DrawEdge(canvas.Handle(), &edge, BDR_RAISEDINNER, BF_RECT);
        }
        DrawCell(col, row, cell, state);
        if (state.Contains(gdFocused))
            canvas.DrawFocusRect(cell);
    };
    for (int row = 0; row < FRowCount; ++row) {
        if (row >= FFixedRows && row < FTopRow)
            continue;
        if (RowTop(row) >= client.bottom)
            break;
        for (int col = 0; col < FColCount; ++col) {
            if (col >= FFixedCols && col < FLeftCol)
                continue;
            if (ColumnLeft(col) >= client.right)
                break;
            paintCell(col, row);
        }
    }
}

void TDrawGrid::DrawCell(int col, int row, const RECT& rect, TGridDrawState state) {
    OnDrawCell(this, col, row, rect, state);
}

bool TDrawGrid::SelectCell(int col, int row) {
    bool allowed = true;
    OnSelectCell(this, col, row, allowed);
    return allowed;
}
