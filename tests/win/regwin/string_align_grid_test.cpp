#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "registry/registry_window.h"
#include "widgets/string_align_grid.h"

namespace {

using widgets::CellAlign;
using widgets::TStringAlignGrid;

// The registry cleaner's grid, with its window forwarding the notifications as in the program.
class Grid : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<registry::TRegistryIkkuna>();
        window->Show();
        widgets::ProcessMessages();
    }
    TStringAlignGrid& grid() { return window->StringGrid1(); }

    void Fill(int results) {
        grid().SetRowCount(results + 1);
        for (int row = 1; row <= results; ++row)
            for (int col = 0; col < grid().ColCount(); ++col)
                grid().SetCell(col, row,
                               std::string("r").append(std::to_string(row)).append("c").append(std::to_string(col)));
    }
    // A click in the middle of the row's first cell, with the given keys held.
    void ClickRow(int row, WPARAM keys) {
        RECT rect{};
        rect.left = LVIR_BOUNDS;
        ASSERT_TRUE(SendMessageW(grid().Handle(), LVM_GETITEMRECT, row - 1, reinterpret_cast<LPARAM>(&rect)));
        const LPARAM at = MAKELPARAM(rect.left + 20, (rect.top + rect.bottom) / 2);
        SendMessageW(grid().Handle(), WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
        SendMessageW(grid().Handle(), WM_LBUTTONUP, keys, at);
        widgets::ProcessMessages();
    }
    std::pair<int, int> Rows() {
        const auto rect = grid().Selection();
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.right, grid().ColCount() - 1);
        return {rect.top, rect.bottom};
    }

    std::unique_ptr<registry::TRegistryIkkuna> window;
};

TEST_F(Grid, MouseAndKeysSelectOneBlockOfWholeRows) {
    Fill(12);
    ClickRow(2, 0);
    EXPECT_EQ(Rows(), std::make_pair(2, 2));
    ClickRow(5, MK_SHIFT);
    EXPECT_EQ(Rows(), std::make_pair(2, 5));
    // A ctrl-click starts a new block instead of adding a lone row.
    ClickRow(8, MK_CONTROL);
    EXPECT_EQ(Rows(), std::make_pair(8, 8));
    SetFocus(grid().Handle());
    SendMessageW(grid().Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Rows(), std::make_pair(9, 9));
    SendMessageW(grid().Handle(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(Rows(), std::make_pair(1, 1));

    grid().SetSelection({0, 3, 3, 6});
    EXPECT_EQ(Rows(), std::make_pair(3, 6));
    grid().ClearSelection();
    EXPECT_EQ(grid().Selection().top, 0);
}

TEST_F(Grid, AHundredThousandRowsAreHeldSelectedAndThinnedInOnePass) {
    const int results = 100000;
    grid().SetRowCount(results + 1);
    for (int row = 1; row <= results; ++row)
        grid().SetCell(2, row, std::to_string(row));
    EXPECT_EQ(grid().RowCount(), results + 1);
    grid().SetSelection({0, 1, 3, results});
    EXPECT_EQ(Rows(), std::make_pair(1, results));

    std::vector<int> even;
    for (int row = 2; row <= results; row += 2)
        even.push_back(row);
    grid().DeleteRows(even);
    ASSERT_EQ(grid().RowCount(), results / 2 + 1);
    for (int row = 1; row < grid().RowCount(); row += 997)
        ASSERT_EQ(grid().Cell(2, row), std::to_string(2 * row - 1));
    EXPECT_EQ(grid().Cell(2, grid().RowCount() - 1), std::to_string(results - 1));

    // Shrinking drops rows from the bottom; growing adds empty ones.
    grid().SetRowCount(4);
    grid().SetRowCount(6);
    EXPECT_EQ(grid().Cell(2, 3), "5");
    EXPECT_EQ(grid().Cell(2, 4), "");
    EXPECT_EQ(grid().Cell(2, 5), "");
}

TEST_F(Grid, ACellTakesItsOwnAlignmentOverItsColumns) {
    Fill(2);
    grid().SetColAlignment(2, CellAlign::Right);
    grid().SetAlignment(2, 2, CellAlign::Center);
    EXPECT_EQ(grid().Alignment(2, 1), CellAlign::Right);
    EXPECT_EQ(grid().Alignment(2, 2), CellAlign::Center);
    EXPECT_EQ(grid().Alignment(1, 2), CellAlign::Left);

    // Where the text lands: the leftmost dark pixel of each row's third cell.
    grid().SetColAlignment(0, CellAlign::Left);
    grid().SetCell(2, 1, "W");
    grid().SetCell(2, 2, "W");
    grid().ClearSelection();
    RedrawWindow(grid().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const auto inkFrom = [&](int row) {
        RECT cell{};
        cell.top = 2;
        cell.left = LVIR_BOUNDS;
        SendMessageW(grid().Handle(), LVM_GETSUBITEMRECT, row - 1, reinterpret_cast<LPARAM>(&cell));
        HDC dc = GetDC(grid().Handle());
        int found = -1;
        for (int x = cell.left; x < cell.right && found < 0; ++x)
            for (int y = cell.top; y < cell.bottom; ++y)
                if (GetRValue(GetPixel(dc, x, y)) < 100) {
                    found = x - cell.left;
                    break;
                }
        ReleaseDC(grid().Handle(), dc);
        return std::make_pair(found, cell.right - cell.left);
    };
    const auto [right, width] = inkFrom(1);
    const auto [center, width2] = inkFrom(2);
    ASSERT_GT(width, 40);
    EXPECT_GT(right, width * 3 / 4) << "right-aligned text starts near the right edge";
    EXPECT_GT(center, width / 3) << "centred text starts near the middle";
    EXPECT_LT(center, width * 2 / 3);
}

}  // namespace
