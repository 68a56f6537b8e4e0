// The list view's columns and their settings.
#include "views/list/ListColumns.h"

#include "core/system/Profile.h"

#include <QByteArray>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr std::array<ListColumnInfo, 23> kColumns = {{
    {0, "Icon", true, 1, 18},
    {1, "Recurring", true, 2, 18},
    {2, "Reminder", true, 5, 18},
    {3, "Notes", true, 6, 18},
    {4, "Subject", false, 0, 330},
    {5, "Reminder Time", false, 0, 119},
    {6, "Item Type", false, 0, 90},
    {7, "Categories", false, 0, 330},
    {8, "Created", false, 0, 119},
    {9, "Modified", false, 0, 119},
    {10, "Locked", true, 7, 18},
    {16, "Start", false, 0, 119},
    {17, "End", false, 0, 119},
    {18, "Next Occurrence", false, 0, 119},
    {19, "Duration", false, 0, 90},
    {20, "Location", false, 0, 140},
    {32, "Priority", true, 3, 18},
    {33, "Complete", true, 4, 18},
    {34, "Start Date", false, 0, 88},
    {35, "Due Date", false, 0, 88},
    {36, "Date Completed", false, 0, 88},
    {37, "Status", false, 0, 90},
    {38, "Complete", false, 0, 45},
}};

constexpr int kTaskPadSubjectWidth = 140;

std::int32_t ReadInt32(const QByteArray &data, int offset)
{
    return qFromLittleEndian<std::int32_t>(data.constData() + offset);
}

void AppendInt32(QByteArray &data, std::int32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    data.append(bytes, 4);
}

// A width as the layout keeps it: stored and dragged values alike.
int BoundedWidth(int width)
{
    return std::clamp(width, 0, CListColumns::kMaxWidth);
}

// Layout sums are taken in a wide type; with bounded widths they always fit an int.
int ToInt(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

} // namespace

const ListColumnInfo *FindListColumn(int id)
{
    for (const ListColumnInfo &info : kColumns) {
        if (info.id == id)
            return &info;
    }
    return nullptr;
}

bool IsIconColumn(int id)
{
    const ListColumnInfo *info = FindListColumn(id);
    return info && info->icon;
}

std::uint32_t ListColumnParam(int id)
{
    const ListColumnInfo *info = FindListColumn(id);
    if (!info || !info->icon)
        return std::uint32_t(id);
    return (std::uint32_t(info->image) << 16) | std::uint32_t(id);
}

int CListColumns::VisualIndexOf(int id) const
{
    for (int v = 0; v < Count(); ++v) {
        if (IdAt(v) == id)
            return v;
    }
    return -1;
}

int CListColumns::TotalWidth() const
{
    std::int64_t total = 0;
    for (const Column &c : m_items)
        total += c.width;
    return ToInt(total);
}

int CListColumns::LeftOf(int visual) const
{
    std::int64_t x = 0;
    for (int v = 0; v < visual && v < Count(); ++v)
        x += At(v).width;
    return ToInt(x);
}

int CListColumns::VisualAt(int x) const
{
    if (x < 0)
        return -1;
    std::int64_t left = 0;
    for (int v = 0; v < Count(); ++v) {
        const std::int64_t right = left + At(v).width;
        if (x < right)
            return v;
        left = right;
    }
    return -1;
}

void CListColumns::SetSort(int id, bool ascending)
{
    m_sortId = id;
    m_ascending = id < 0 ? true : ascending;
}

void CListColumns::Clear()
{
    m_items.clear();
    m_order.clear();
}

bool CListColumns::Append(int id, int width)
{
    const ListColumnInfo *info = FindListColumn(id);
    if (!info || VisualIndexOf(id) >= 0 || Count() >= kMaxColumns)
        return false;
    m_items.push_back({id, info->icon ? kIconWidth : BoundedWidth(width)});
    m_order.push_back(int(m_items.size()) - 1);
    return true;
}

bool CListColumns::Remove(int id)
{
    const int visual = VisualIndexOf(id);
    if (visual < 0)
        return false;
    const int item = m_order[std::size_t(visual)];
    m_items.erase(m_items.begin() + item);
    m_order.erase(m_order.begin() + visual);
    for (int &o : m_order) {
        if (o > item)
            --o;
    }
    if (m_sortId == id)
        m_sortId = -1;
    return true;
}

void CListColumns::Move(int fromVisual, int toVisual)
{
    if (fromVisual < 0 || fromVisual >= Count() || toVisual < 0 || toVisual >= Count() ||
        fromVisual == toVisual)
        return;
    const int item = m_order[std::size_t(fromVisual)];
    m_order.erase(m_order.begin() + fromVisual);
    m_order.insert(m_order.begin() + toVisual, item);
}

void CListColumns::SetWidth(int visual, int width)
{
    if (visual < 0 || visual >= Count())
        return;
    Column &c = m_items[std::size_t(m_order[std::size_t(visual)])];
    if (!IsIconColumn(c.id))
        c.width = BoundedWidth(width);
}

std::vector<std::uint32_t> CListColumns::FieldValues() const
{
    std::vector<std::uint32_t> values;
    for (int v = 0; v < Count(); ++v)
        values.push_back((std::uint32_t(std::clamp(At(v).width, 0, 0xFFFF)) << 16) | std::uint32_t(IdAt(v)));
    return values;
}

void CListColumns::SetFieldValues(const std::vector<std::uint32_t> &values, const AcceptFn &accepts)
{
    const int previousSort = m_sortId;
    Clear();
    for (std::uint32_t value : values) {
        const int id = int(value & 0xFFFF);
        if (accepts && !accepts(id))
            continue;
        Append(id, int(value >> 16));
    }
    if (previousSort >= 0 && VisualIndexOf(previousSort) >= 0)
        m_sortId = previousSort;
    else
        m_sortId = Count() > 0 ? IdAt(0) : -1;
}

void CListColumns::SetDefault(const std::vector<int> &ids, int sortId, const AcceptFn &accepts, bool taskPad)
{
    Clear();
    for (int id : ids) {
        if (accepts && !accepts(id))
            continue;
        const ListColumnInfo *info = FindListColumn(id);
        if (!info)
            continue;
        Append(id, (taskPad && id == 4) ? kTaskPadSubjectWidth : info->width);
    }
    m_sortId = VisualIndexOf(sortId) >= 0 ? sortId : (Count() > 0 ? m_items[0].id : -1);
    m_ascending = true;
}

bool CListColumns::Load(const QString &section, const AcceptFn &accepts, const std::vector<int> &defaultIds,
                        int defaultSortId, bool taskPad)
{
    const int cols = GetProfileInt(section, QStringLiteral("Cols"), 0);
    QByteArray sizes;
    const bool hasSizes = GetProfileBinary(section, QStringLiteral("Sizes"), sizes);
    if (cols <= 0 || cols > kMaxColumns || !hasSizes || sizes.size() != qsizetype(cols) * 8) {
        SetDefault(defaultIds, defaultSortId, accepts, taskPad);
        return false;
    }

    Clear();
    // The stored indices (order, sort) name saved items; skipped items shift what follows.
    std::vector<int> savedToItem(std::size_t(cols), -1);
    std::vector<int> savedIds(std::size_t(cols), -1);
    for (int i = 0; i < cols; ++i) {
        const int width = ReadInt32(sizes, i * 8);
        const auto param = std::uint32_t(ReadInt32(sizes, i * 8 + 4));
        const int id = int(param & 0xFFFF);
        savedIds[std::size_t(i)] = id;
        const ListColumnInfo *info = FindListColumn(id);
        if (!info || (accepts && !accepts(id)) || VisualIndexOf(id) >= 0)
            continue;
        if (info->icon && (param <= 0xFFFF || int(param >> 16) >= kHeaderImageCount))
            continue;
        if (Append(id, width))
            savedToItem[std::size_t(i)] = int(m_items.size()) - 1;
    }
    if (Count() == 0) {
        SetDefault(defaultIds, defaultSortId, accepts, taskPad);
        return false;
    }

    QByteArray order;
    if (GetProfileBinary(section, QStringLiteral("Order"), order) && order.size() == qsizetype(cols) * 4) {
        std::vector<int> applied;
        for (int i = 0; i < cols; ++i) {
            const int saved = ReadInt32(order, i * 4);
            if (saved < 0 || saved >= cols)
                continue;
            const int item = savedToItem[std::size_t(saved)];
            if (item >= 0 && std::find(applied.begin(), applied.end(), item) == applied.end())
                applied.push_back(item);
        }
        // Items the order array does not name keep their place after the named ones.
        for (int item = 0; item < int(m_items.size()); ++item) {
            if (std::find(applied.begin(), applied.end(), item) == applied.end())
                applied.push_back(item);
        }
        m_order = applied;
    }

    const int sortIndex = GetProfileInt(section, QStringLiteral("Sort"), 0);
    const bool ascending = GetProfileInt(section, QStringLiteral("Dir"), 1) != 0;
    int sortId = -1;
    if (sortIndex >= 0 && sortIndex < cols && savedToItem[std::size_t(sortIndex)] >= 0)
        sortId = savedIds[std::size_t(sortIndex)];
    m_sortId = sortId;
    m_ascending = sortId < 0 ? true : ascending;
    return true;
}

bool CListColumns::Save(const QString &section) const
{
    QByteArray sizes, order;
    for (const Column &c : m_items) {
        AppendInt32(sizes, c.width);
        AppendInt32(sizes, std::int32_t(ListColumnParam(c.id)));
    }
    for (int item : m_order)
        AppendInt32(order, item);
    int sortIndex = -1;
    for (int i = 0; i < int(m_items.size()); ++i) {
        if (m_items[std::size_t(i)].id == m_sortId)
            sortIndex = i;
    }
    return WriteProfileBinary(section, QStringLiteral("Sizes"), sizes) &&
           WriteProfileBinary(section, QStringLiteral("Order"), order) &&
           WriteProfileInt(section, QStringLiteral("Cols"), Count()) &&
           WriteProfileInt(section, QStringLiteral("Sort"), sortIndex) &&
           WriteProfileInt(section, QStringLiteral("Dir"), m_ascending ? 1 : 0);
}
