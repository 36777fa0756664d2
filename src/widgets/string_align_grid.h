#pragma once

#include <windows.h>

#include <commctrl.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/custom_control.h"
#include "widgets/gdi.h"

namespace widgets {

enum class CellAlign { Left, Center, Right };

// A rectangle of cells, columns and rows both counted from 0 (row 0 is the header row).
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A grid of text cells with one fixed header row, per-cell alignment and whole-row range selection; cells
// cannot be edited. It is a virtual report list view: the rows live here and only the visible ones are
// drawn, so it stays quick with a hundred thousand rows. A window adopts it (Window::AdoptControl) to hand
// it its notifications.
class TStringAlignGrid : public CustomControl {
  public:
    static constexpr int kFixedRows = 1;

    // designRowHeight is in design pixels (96 DPI); dpi scales it.
    TStringAlignGrid(HWND parent, int id, const RECT& bounds, UINT dpi, int designRowHeight = 18);
    ~TStringAlignGrid() override;
    TStringAlignGrid(const TStringAlignGrid&) = delete;
    TStringAlignGrid& operator=(const TStringAlignGrid&) = delete;

    HWND Handle() const override { return hwnd_; }

    // Columns, with widths in design pixels; the user can drag their edges.
    void SetColumns(std::span<const int> designWidths);
    int ColCount() const { return static_cast<int>(widths_.size()); }
    int ColWidth(int col) const;  // device pixels, as the user left it
    void SetColWidth(int col, int designWidth);
    void SetColAlignment(int col, CellAlign align);
    // Widens a column, if need be, so that the text fits in a cell of it in the grid's font.
    void FitColWidthTo(int col, std::string_view text);

    // Rows counted with the header row: a grid with one result row has a row count of 2.
    int RowCount() const { return static_cast<int>(rows_.size()) + kFixedRows; }
    // Added rows are empty; removed rows go from the bottom.
    void SetRowCount(int count);
    int FixedRows() const { return kFixedRows; }
    int RowHeight() const { return rowHeight_; }  // device pixels, as drawn

    std::string Cell(int col, int row) const;
    void SetCell(int col, int row, std::string_view text);
    // All cells of a result row at once: the quick way to fill many rows.
    void SetRow(int row, std::span<const std::string> cells);
    CellAlign Alignment(int col, int row) const;
    void SetAlignment(int col, int row, CellAlign align);
    // Row 0 only: the header texts.
    void SetHeader(int col, std::string_view text) { SetCell(col, 0, text); }

    // The first run of selected rows as a rectangle over all columns; top is 0 when no result row is
    // selected.
    GridRect Selection() const;
    // Every selected result row, ascending, gaps and all.
    std::vector<int> SelectedRows() const;
    // Selects rows top to bottom (clamped to the result rows) and makes top the current row.
    void SetSelection(const GridRect& rect);
    void ClearSelection();

    // Removes result rows (any order, repeats ignored); the rows below move up.
    void DeleteRows(std::vector<int> rows);
    void DeleteRow(int row) { DeleteRows({row}); }

    // Keeps the first row of the rectangle in view.
    void ScrollIntoView(int row);

    // The list view's notifications, forwarded by the owner. Returns what the parent should answer.
    LRESULT Notify(const NMHDR& header) override;

  private:
    struct Row {
        std::vector<std::wstring> cells;
        std::vector<CellAlign> aligns;  // empty: every cell as its column
    };

    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
    void DrawRow(HDC dc, int item);
    void FitRowHeight();
    int CurrentItemHeight() const;
    bool ItemVisible(int item) const;
    void CountRowsPerPage();
    const std::wstring* CellText(int col, int row) const;
    CellAlign AlignOf(int col, int row) const;

    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    int designRowHeight_ = 18;
    int rowHeight_ = 0;
    int rowsPerPage_ = 0;
    HIMAGELIST heightList_ = nullptr;  // an empty image list whose height sets the row height
    std::vector<int> widths_;          // design widths
    std::vector<CellAlign> colAligns_;
    std::vector<std::wstring> headers_;
    std::vector<Row> rows_;
    static const std::wstring kEmpty;
};

}  // namespace widgets
