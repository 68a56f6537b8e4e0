// The table print's paging and column choice.
#include "containers/lists/TablePaging.h"
#include "containers/lists/TablePrintColumns.h"
#include "containers/base/ViewKinds.h"
#include "views/list/ListColumns.h"

#include <gtest/gtest.h>

TEST(TablePagingTest, RowsPerPageNeverFallsBelowOne)
{
    struct Case
    {
        int body, row, expected;
    } cases[] = {
        {1000, 50, 19}, // the heading row takes one row's room
        {100, 50, 1},   // room for exactly two rows: one under the heading
        {99, 50, 1},    // less than two rows: still one row per band
        {50, 50, 1},    // one row only
        {10, 50, 1},    // smaller than a row
        {0, 50, 1},     {500, 0, 1}, // a row height of 0 never divides
        {500, -5, 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CTablePaging::RowsPerPage(c.body, c.row), c.expected) << c.body << "/" << c.row;
}

TEST(TablePagingTest, BandsAreTheRoundedUpQuotient)
{
    struct Case
    {
        int rows, perPage, wide;
        std::vector<int> starts;
    } cases[] = {
        {0, 5, 1, {0}},                 // an empty table prints one page
        {1, 5, 1, {0}},
        {5, 5, 1, {0}},                 // exactly one page: no blank trailing band
        {6, 5, 1, {0, 5}},
        {10, 5, 1, {0, 5}},
        {11, 5, 2, {0, 0, 5, 5, 10, 10}}, // two pages wide: each band twice
        {3, 1, 1, {0, 1, 2}},           // a page that holds one row
        {3, 0, 1, {0, 1, 2}},           // a page reported as holding none
        {4, 2, 0, {0, 2}},              // never fewer than one page per band
    };
    for (const Case &c : cases)
        EXPECT_EQ(CTablePaging::PageStarts(c.rows, c.perPage, c.wide), c.starts)
            << c.rows << " rows, " << c.perPage << " per page, " << c.wide << " wide";
}

TEST(TablePagingTest, SelectedRowsOnlyStartBandsAtSelectedRows)
{
    const std::uint32_t s = CTablePaging::kSelectedState;
    struct Case
    {
        std::vector<std::uint32_t> states;
        int perPage, wide;
        std::vector<int> starts;
    } cases[] = {
        {{0, s, 0, s, s, 0, s}, 2, 1, {1, 4}},
        {{0, s, 0, s, s, 0, s}, 1, 1, {1, 3, 4, 6}},
        {{0, s, 0, s, s, 0, s}, 0, 1, {1, 3, 4, 6}},
        {{s, s, s}, 3, 2, {0, 0}},
        {{0, 0x01, 0}, 5, 1, {0}}, // focus alone is no selection: one band at row 0
        {{}, 5, 3, {0, 0, 0}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CTablePaging::SelectedPageStarts(c.states, c.perPage, c.wide), c.starts);
}

TEST(TablePrintColumnsTest, ListColumnsOrTaskPadColumnsOrDefaults)
{
    CListColumns list;
    list.Append(0, 18);   // an icon column
    list.Append(4, 200);  // Subject
    list.Append(5, 90);
    list.Append(18, 90);
    list.Append(16, 120);
    list.Move(4, 1);      // Start second

    auto fields = [](const std::vector<CTablePrintColumns::Column> &columns) {
        std::vector<int> ids;
        for (const auto &c : columns)
            ids.push_back(c.fieldId);
        return ids;
    };
    // The Event List and Search Results print what their list shows, in display order.
    EXPECT_EQ(fields(CTablePrintColumns::Select(ViewKind::EventList, &list, nullptr, true)),
              (std::vector<int>{0, 16, 4, 5, 18}));
    EXPECT_EQ(fields(CTablePrintColumns::Select(ViewKind::Search, &list, nullptr, false)),
              (std::vector<int>{16, 4, 5, 18}));
    const auto withWidths = CTablePrintColumns::Select(ViewKind::Search, &list, nullptr, false);
    EXPECT_EQ(withWidths[0].width, 120);
    // A calendar view prints the TaskPad's columns without 5 and 18, or the defaults.
    EXPECT_EQ(fields(CTablePrintColumns::Select(ViewKind::Week, nullptr, &list, false)),
              (std::vector<int>{16, 4}));
    EXPECT_EQ(fields(CTablePrintColumns::Select(ViewKind::Week, &list, nullptr, false)),
              CTablePrintColumns::DefaultFields());
    CListColumns onlyIcons;
    onlyIcons.Append(0, 18);
    EXPECT_EQ(fields(CTablePrintColumns::Select(ViewKind::EventList, &onlyIcons, nullptr, false)),
              CTablePrintColumns::DefaultFields());
}
