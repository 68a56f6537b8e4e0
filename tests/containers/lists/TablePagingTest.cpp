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

TEST(TablePrintColumnsTest, TaskListColumnsOrTheTaskDefaultsAndPagesAcross)
{
    CListColumns columns;
    columns.Append(0, 0);
    columns.Append(4, 300);
    columns.Append(35, 100);
    columns.Append(33, 0);
    const auto text = CTablePrintColumns::ForTaskList(columns, false);
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[0].fieldId, 4);
    EXPECT_EQ(text[1].fieldId, 35);
    EXPECT_EQ(CTablePrintColumns::ForTaskList(columns, true).size(), 4u);

    const auto defaults = CTablePrintColumns::ForTaskList(CListColumns(), false);
    ASSERT_EQ(defaults.size(), 4u);
    EXPECT_EQ(defaults[0].fieldId, 4);
    EXPECT_EQ(defaults[3].fieldId, 6);

    const std::vector<CTablePrintColumns::Column> wide = {{300, 4}, {100, 35}, {500, 5}, {50, 6}};
    EXPECT_EQ(CTablePaging::PagesAcross(wide, 1000), 1);
    EXPECT_EQ(CTablePaging::PagesAcross(wide, 400), 3);
    EXPECT_EQ(CTablePaging::PagesAcross(wide, 200), 4); // wider columns take a page alone
    EXPECT_EQ(CTablePaging::PagesAcross({}, 400), 1);
    EXPECT_EQ(CTablePaging::PagesAcross(wide, 0), 1);
}
