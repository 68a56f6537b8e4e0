// The Field Chooser's rows and the layout they give.
#include "views/list/FieldChooserModel.h"

#include "views/list/ListColumns.h"

#include <algorithm>

namespace {

std::uint32_t DefaultValue(int id)
{
    const ListColumnInfo *info = FindListColumn(id);
    return (std::uint32_t(info ? info->width : 0) << 16) | std::uint32_t(id);
}

bool Offers(const std::vector<int> &available, int id)
{
    return FindListColumn(id) && std::find(available.begin(), available.end(), id) != available.end();
}

} // namespace

QString CFieldChooserModel::FieldName(int id)
{
    const ListColumnInfo *info = FindListColumn(id);
    if (!info)
        return {};
    QString name = QString::fromLatin1(info->text);
    if (info->icon)
        name += QStringLiteral(" ( icon )");
    return name;
}

void CFieldChooserModel::AddUnchecked(const std::vector<int> &available)
{
    for (int id : available) {
        const bool listed = std::any_of(m_rows.begin(), m_rows.end(),
                                        [id](const Row &r) { return int(r.value & 0xFFFF) == id; });
        if (!listed && FindListColumn(id))
            m_rows.push_back({FieldName(id), false, DefaultValue(id)});
    }
    m_selected = m_rows.empty() ? -1 : 0;
}

void CFieldChooserModel::Fill(const std::vector<std::uint32_t> &layout, const std::vector<int> &available)
{
    m_rows.clear();
    for (std::uint32_t value : layout) {
        const int id = int(value & 0xFFFF);
        const bool listed = std::any_of(m_rows.begin(), m_rows.end(),
                                        [id](const Row &r) { return int(r.value & 0xFFFF) == id; });
        if (Offers(available, id) && !listed)
            m_rows.push_back({FieldName(id), true, value});
    }
    AddUnchecked(available);
}

void CFieldChooserModel::Restore(const std::vector<int> &defaults, const std::vector<int> &available)
{
    std::vector<std::uint32_t> layout;
    for (int id : defaults)
        layout.push_back(DefaultValue(id));
    Fill(layout, available);
}

void CFieldChooserModel::Select(int row)
{
    if (row >= 0 && row < int(m_rows.size()))
        m_selected = row;
}

void CFieldChooserModel::SetChecked(int row, bool checked)
{
    if (row >= 0 && row < int(m_rows.size()))
        m_rows[std::size_t(row)].checked = checked;
}

void CFieldChooserModel::MoveUp()
{
    if (m_selected <= 0 || m_selected >= int(m_rows.size()))
        return;
    std::swap(m_rows[std::size_t(m_selected)], m_rows[std::size_t(m_selected - 1)]);
    --m_selected;
}

void CFieldChooserModel::MoveDown()
{
    if (m_selected < 0 || m_selected + 1 >= int(m_rows.size()))
        return;
    std::swap(m_rows[std::size_t(m_selected)], m_rows[std::size_t(m_selected + 1)]);
    ++m_selected;
}

std::vector<std::uint32_t> CFieldChooserModel::Result() const
{
    std::vector<std::uint32_t> values;
    for (const Row &r : m_rows) {
        if (r.checked)
            values.push_back(r.value);
    }
    if (values.empty())
        values.push_back(CListColumns::kFallbackField);
    return values;
}
