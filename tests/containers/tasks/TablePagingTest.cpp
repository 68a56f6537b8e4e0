// The Table print style's paging: rows per page for small and ordinary pages, bands of rows
// (rounded up, never a blank band), the selected-rows paging, and pages across for wide columns.
#include "containers/tasks/TablePaging.h"

#include "views/list/ListColumns.h"

#include <gtest/gtest.h>

namespace {

TEST(TablePagingTest, RowsPerPageLeavesRoomForTheHeaderRowAndIsNeverZero)
{
    const struct
    {
        int body, row, rows;
    } cases[] = {
        {1000, 100, 9}, {1050, 100, 9}, {200, 100, 1}, {199, 100, 1}, {150, 100, 1},
        {100, 100, 1},  {40, 100, 1},   {0, 100, 1},   {-20, 100, 1}, {1000, 0, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CTablePaging::RowsPerPage(c.body, c.row), c.rows) << c.body << " / " << c.row;
}

TEST(TablePagingTest, BandsAreTheRoundedUpQuotient)
{
    const struct
    {
        int rows, perPage, across;
        std::vector<int> starts;
    } cases[] = {
        {0, 9, 1, {0}},           // an empty list still prints its header page
        {5, 9, 1, {0}},           //
        {9, 9, 1, {0}},           // evenly divided: no blank band after it
        {10, 9, 1, {0, 9}},       //
        {18, 9, 2, {0, 0, 9, 9}}, // two pages across per band
        {3, 1, 1, {0, 1, 2}},     // a page that holds one row
        {3, 0, 1, {0, 1, 2}},     // no room at all still prints a row a page
        {4, 2, 0, {0, 2}},        // at least one page across
    };
    for (const auto &c : cases)
        EXPECT_EQ(CTablePaging::PageStarts(c.rows, c.perPage, c.across, false, {}), c.starts)
            << c.rows << " rows, " << c.perPage << " a page";
}

TEST(TablePagingTest, SelectedRowsStartTheirOwnBands)
{
    const std::vector<bool> selected = {false, true, false, true, true, false, true};
    EXPECT_EQ(CTablePaging::PageStarts(7, 2, 1, true, selected), (std::vector<int>{1, 4}));
    EXPECT_EQ(CTablePaging::PageStarts(7, 1, 2, true, selected), (std::vector<int>{1, 1, 3, 3, 4, 4, 6, 6}));
    EXPECT_EQ(CTablePaging::PageStarts(7, 9, 1, true, std::vector<bool>(7, false)), (std::vector<int>{0}));
}

TEST(TablePagingTest, ColumnsAndPagesAcross)
{
    CListColumns columns;
    columns.Append(0, 0);
    columns.Append(4, 300);
    columns.Append(35, 100);
    columns.Append(33, 0);
    const auto text = CTablePaging::ColumnsFromList(columns, false);
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[0].fieldId, 4);
    EXPECT_EQ(text[1].fieldId, 35);
    EXPECT_EQ(CTablePaging::ColumnsFromList(columns, true).size(), 4u);

    const auto defaults = CTablePaging::DefaultColumns(false);
    ASSERT_EQ(defaults.size(), 4u);
    EXPECT_EQ(defaults[0].fieldId, 4);
    EXPECT_EQ(defaults[3].fieldId, 6);

    const std::vector<CTablePaging::Column> wide = {{300, 4}, {100, 35}, {500, 5}, {50, 6}};
    EXPECT_EQ(CTablePaging::PagesAcross(wide, 1000), 1);
    EXPECT_EQ(CTablePaging::PagesAcross(wide, 400), 3);
    EXPECT_EQ(CTablePaging::PagesAcross(wide, 200), 4); // wider columns take a page alone
    EXPECT_EQ(CTablePaging::PagesAcross({}, 400), 1);
    EXPECT_EQ(CTablePaging::PagesAcross(wide, 0), 1);
}

} // namespace
