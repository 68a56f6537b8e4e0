// The Define Filters dialog's working list and its rules.
#include "core/lists/FilterListModel.h"

#include "core/system/LocaleCollator.h"

#include <algorithm>
#include <numeric>

CFilterListModel::CFilterListModel(const CItemTypeList &list)
{
    list.CopyFilters(m_working);
    m_rows.resize(m_working.size());
    std::iota(m_rows.begin(), m_rows.end(), 0);
    Sort();
    m_selected = m_rows.empty() ? -1 : 0;
}

void CFilterListModel::Sort()
{
    std::stable_sort(m_rows.begin(), m_rows.end(), [this](int a, int b) {
        return LocaleCompare(m_working[std::size_t(a)]->GetName().toCaseFolded(),
                             m_working[std::size_t(b)]->GetName().toCaseFolded()) < 0;
    });
}

int CFilterListModel::GetFilterIndex(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return -1;
    return m_rows[std::size_t(row)];
}

const CItemFilter *CFilterListModel::GetRowFilter(int row) const
{
    const int index = GetFilterIndex(row);
    return index < 0 ? nullptr : m_working[std::size_t(index)].get();
}

QString CFilterListModel::GetRowText(int row) const
{
    const CItemFilter *filter = GetRowFilter(row);
    return filter ? filter->GetName().left(kMaxRowText) : QString();
}

QStringList CFilterListModel::GetWorkingNames() const
{
    QStringList names;
    for (const auto &filter : m_working)
        names.append(filter->GetName());
    return names;
}

void CFilterListModel::SelectRow(int row)
{
    m_selected = row >= 0 && row < GetRowCount() ? row : -1;
}

FilterDetails CFilterListModel::GetSelectedDetails() const
{
    const CItemFilter *filter = GetSelectedFilter();
    return filter ? GetFilterDetails(*filter) : FilterDetails();
}

bool CFilterListModel::AddFilter(const CItemFilter &filter)
{
    if (!CanCreate())
        return false;
    const int index = int(m_working.size());
    m_working.push_back(std::make_unique<CItemFilter>(filter));
    m_rows.push_back(index);
    Sort();
    m_selected = int(std::find(m_rows.begin(), m_rows.end(), index) - m_rows.begin());
    m_changed = true;
    return true;
}

void CFilterListModel::ReplaceSelected(const CItemFilter &filter)
{
    const int index = GetSelectedFilterIndex();
    if (index < 0)
        return;
    m_working[std::size_t(index)]->CopyFrom(filter);
    Sort();
    m_selected = int(std::find(m_rows.begin(), m_rows.end(), index) - m_rows.begin());
    m_changed = true;
}

void CFilterListModel::DeleteSelected()
{
    const int index = GetSelectedFilterIndex();
    if (index < 0)
        return;
    const int row = m_selected;
    m_rows.erase(m_rows.begin() + row);
    for (int &r : m_rows) {
        if (r > index)
            --r;
    }
    m_working.erase(m_working.begin() + index);
    m_selected = m_rows.empty() ? -1 : std::min(row, GetRowCount() - 1);
    m_changed = true;
}

HRESULT CFilterListModel::Save(CItemTypeList &list, IFixedObjectStore &store)
{
    if (!m_changed)
        return S_OK;
    ItemFilterArray copies;
    for (int index : m_rows)
        copies.push_back(std::make_unique<CItemFilter>(*m_working[std::size_t(index)]));
    if (!list.SetFilters(copies))
        return HresultFromSystem(14);
    return list.Save(store);
}
