#include "containers/lists/TablePrintColumns.h"

#include "containers/base/ViewKinds.h"
#include "views/list/ListColumns.h"

const std::vector<int> &CTablePrintColumns::DefaultFields()
{
    static const std::vector<int> fields = {0, 4, 20, 16, 19, 6};
    return fields;
}

std::vector<CTablePrintColumns::Column> CTablePrintColumns::Select(int sourceKind, const CListColumns *screen,
                                                                   const CListColumns *taskPad,
                                                                   bool imageColumns)
{
    const bool fromList = ViewKind::IsList(sourceKind) && sourceKind != ViewKind::Tasks;
    const bool calendar = sourceKind >= ViewKind::Day && sourceKind <= ViewKind::Year;
    const CListColumns *source = fromList ? screen : taskPad;
    std::vector<Column> out;
    if (source) {
        for (int visual = 0; visual < source->Count(); ++visual) {
            const CListColumns::Column &c = source->At(visual);
            if (IsIconColumn(c.id) && !imageColumns)
                continue;
            if (calendar && (c.id == 5 || c.id == 18))
                continue;
            out.push_back({c.width, c.id});
        }
    }
    if (out.empty())
        for (int id : DefaultFields())
            out.push_back({0, id});
    return out;
}

std::vector<CTablePrintColumns::Column> CTablePrintColumns::ForTaskList(const CListColumns &columns,
                                                                        bool imageColumns)
{
    std::vector<Column> out;
    for (int visual = 0; visual < columns.Count(); ++visual) {
        const CListColumns::Column &c = columns.At(visual);
        if (IsIconColumn(c.id) && !imageColumns)
            continue;
        out.push_back({c.width, c.id});
    }
    if (!out.empty())
        return out;
    if (imageColumns)
        out.push_back({CListColumns::kIconWidth, 0});
    for (int id : {4, 35, 37, 6}) {
        const ListColumnInfo *info = FindListColumn(id);
        out.push_back({info ? info->width : 80, id});
    }
    return out;
}
