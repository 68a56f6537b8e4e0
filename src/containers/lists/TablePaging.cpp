#include "containers/lists/TablePaging.h"

#include <algorithm>

namespace {
void AddBand(std::vector<int> &starts, int firstRow, int pagesWide)
{
    starts.insert(starts.end(), std::size_t(std::max(1, pagesWide)), firstRow);
}
} // namespace

int CTablePaging::RowsPerPage(int bodyHeight, int rowHeight)
{
    if (rowHeight <= 0)
        return 1;
    return std::max(1, (bodyHeight - rowHeight) / rowHeight);
}

std::vector<int> CTablePaging::PageStarts(int rowCount, int rowsPerPage, int pagesWide)
{
    const int perPage = std::max(1, rowsPerPage);
    const int rows = std::max(0, rowCount);
    const int bands = std::max(1, (rows + perPage - 1) / perPage);
    std::vector<int> starts;
    starts.reserve(std::size_t(bands) * std::size_t(std::max(1, pagesWide)));
    for (int band = 0; band < bands; ++band)
        AddBand(starts, band * perPage, pagesWide);
    return starts;
}

std::vector<int> CTablePaging::SelectedPageStarts(const std::vector<std::uint32_t> &rowStates, int rowsPerPage,
                                                  int pagesWide)
{
    const int perPage = std::max(1, rowsPerPage);
    std::vector<int> starts;
    int counted = 0;
    for (std::size_t row = 0; row < rowStates.size(); ++row) {
        if ((rowStates[row] & kSelectedState) == 0)
            continue;
        if (counted % perPage == 0)
            AddBand(starts, int(row), pagesWide);
        ++counted;
    }
    if (starts.empty())
        AddBand(starts, 0, pagesWide);
    return starts;
}

int CTablePaging::PagesAcross(const std::vector<CTablePrintColumns::Column> &columns, int bodyWidth)
{
    if (columns.empty() || bodyWidth <= 0)
        return 1;
    int pages = 1;
    int used = 0;
    for (const CTablePrintColumns::Column &c : columns) {
        const int width = std::max(0, c.width);
        if (used > 0 && used + width > bodyWidth) {
            ++pages;
            used = 0;
        }
        used += width;
    }
    return pages;
}
