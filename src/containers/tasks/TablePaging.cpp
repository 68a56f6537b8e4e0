#include "containers/tasks/TablePaging.h"

#include "views/list/ListColumns.h"

#include <algorithm>

int CTablePaging::RowsPerPage(int bodyHeight, int rowHeight)
{
    if (rowHeight <= 0)
        return 1;
    return std::max(1, (bodyHeight - rowHeight) / rowHeight);
}

std::vector<int> CTablePaging::PageStarts(int rowCount, int rowsPerPage, int pagesAcross, bool selectedOnly,
                                          const std::vector<bool> &selectedRows)
{
    const int f = std::max(1, rowsPerPage);
    const int g = std::max(1, pagesAcross);
    std::vector<int> bandStarts;
    if (selectedOnly) {
        int counted = 0;
        for (int row = 0; row < rowCount && row < int(selectedRows.size()); ++row) {
            if (!selectedRows[std::size_t(row)])
                continue;
            if (counted % f == 0)
                bandStarts.push_back(row);
            ++counted;
        }
        if (bandStarts.empty())
            bandStarts.push_back(0);
    } else {
        const int bands = std::max(1, (std::max(0, rowCount) + f - 1) / f);
        for (int b = 0; b < bands; ++b)
            bandStarts.push_back(b * f);
    }
    std::vector<int> pages;
    pages.reserve(bandStarts.size() * std::size_t(g));
    for (int start : bandStarts)
        for (int p = 0; p < g; ++p)
            pages.push_back(start);
    return pages;
}

std::vector<CTablePaging::Column> CTablePaging::ColumnsFromList(const CListColumns &columns, bool withImages)
{
    std::vector<Column> out;
    for (int v = 0; v < columns.Count(); ++v) {
        const CListColumns::Column &c = columns.At(v);
        if (IsIconColumn(c.id) && !withImages)
            continue;
        out.push_back({c.width, c.id});
    }
    return out;
}

std::vector<CTablePaging::Column> CTablePaging::DefaultColumns(bool withImages)
{
    std::vector<Column> out;
    if (withImages)
        out.push_back({CListColumns::kIconWidth, 0});
    for (int id : {4, 35, 37, 6}) {
        const ListColumnInfo *info = FindListColumn(id);
        out.push_back({info ? info->width : 80, id});
    }
    return out;
}

int CTablePaging::PagesAcross(const std::vector<Column> &columns, int bodyWidth)
{
    if (columns.empty() || bodyWidth <= 0)
        return 1;
    int pages = 1;
    int used = 0;
    for (const Column &c : columns) {
        const int width = std::max(0, c.width);
        if (used > 0 && used + width > bodyWidth) {
            ++pages;
            used = 0;
        }
        used += width;
    }
    return pages;
}
