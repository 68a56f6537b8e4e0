// CFilterListModel: what the Define Filters dialog decides, without its window: the working copy
// of the saved filters, its rows sorted by name, the selection, which buttons are enabled, the
// details of the selected filter, create, edit and delete, and storing the result.
#pragma once

#include "core/lists/FilterRules.h"
#include "core/lists/ItemTypeList.h"
#include "core/system/ResultCode.h"

#include <QString>
#include <QStringList>
#include <vector>

class IFixedObjectStore;

class CFilterListModel
{
  public:
    static constexpr int kMaxRowText = 63;

    // Copies the list's saved filters (at most 100); the first row is selected when there is one.
    explicit CFilterListModel(const CItemTypeList &list);

    int GetRowCount() const { return int(m_rows.size()); }
    // The working-list index shown at a row; -1 out of range.
    int GetFilterIndex(int row) const;
    const CItemFilter *GetRowFilter(int row) const;
    // The filter's name cut to 63 characters.
    QString GetRowText(int row) const;
    // Names by working-list index, for the editor's duplicate check.
    QStringList GetWorkingNames() const;

    int GetSelectedRow() const { return m_selected; }
    // -1 clears the selection.
    void SelectRow(int row);
    const CItemFilter *GetSelectedFilter() const { return GetRowFilter(m_selected); }
    int GetSelectedFilterIndex() const { return GetFilterIndex(m_selected); }
    // Empty lines when nothing is selected.
    FilterDetails GetSelectedDetails() const;

    bool CanCreate() const { return GetRowCount() < CItemTypeList::kMaxFilters; }
    bool CanEditOrDelete() const { return GetRowCount() > 0; }
    bool CanApply() const { return m_selected >= 0; }

    // Appends a filter made in the editor, re-sorts and selects its row; false (nothing added)
    // at 100 filters.
    bool AddFilter(const CItemFilter &filter);
    // Puts the edited filter in place of the selected one, re-sorts and keeps it selected.
    void ReplaceSelected(const CItemFilter &filter);
    // Removes the selected filter; the row now at its place is selected (the last row when it was
    // the last), none when no rows are left.
    void DeleteSelected();

    bool IsChanged() const { return m_changed; }
    // When changed: the list's filters become the working list in row order and the list is written
    // to the data file. The write's result is returned so that a failure is reported.
    HRESULT Save(CItemTypeList &list, IFixedObjectStore &store);

  private:
    void Sort();

    ItemFilterArray m_working;
    std::vector<int> m_rows; // working-list index per row
    int m_selected = -1;
    bool m_changed = false;
};
