// CNamedListEditor: the Master Category List and Location List dialogs without their window. It
// works on a copy of the list's entries shown in one sorted order, adds names (categories split
// from the text, a location whole) unless present in any case, deletes, resets, and on OK hands
// the entries to the list and writes it; a failed write leaves the list as the file holds it.
#pragma once

#include "core/lists/CategoryListBase.h"
#include "core/system/ResultCode.h"

#include <QString>
#include <QStringList>
#include <vector>

class IFixedObjectStore;

class CNamedListEditor
{
  public:
    enum class Kind
    {
        Categories,
        Locations,
    };
    static constexpr int kMaxCategoryName = 63;
    static constexpr int kMaxLocationName = 250;

    CNamedListEditor(Kind kind, const CCategoryListBase &list);

    Kind GetKind() const { return m_kind; }
    int GetMaxText() const { return m_kind == Kind::Categories ? kMaxCategoryName : kMaxLocationName; }
    // The names in the order shown: ignoring case, then exact.
    QStringList GetRows() const;
    int GetRowCount() const { return int(m_rows.size()); }
    int GetSelectedRow() const { return m_selected; }
    void SelectRow(int row);
    bool CanAdd(const QString &typed) const { return !typed.trimmed().isEmpty(); }
    bool CanDelete() const { return m_selected >= 0; }

    // Adds the names of the text that are not shown yet; returns how many were added.
    int Add(const QString &text);
    // Removes the selected row; the row before it (or the first) is selected, none when empty.
    void DeleteSelected();
    // Categories: the default names; locations: nothing.
    void Reset();

    // The list takes the entries in the order shown and is written to the file. On failure the
    // list gets back what it held and the error is returned.
    HRESULT Save(CCategoryListBase &list, IFixedObjectStore &store) const;

  private:
    bool Contains(const QString &name) const;
    void Insert(const CCategory &entry);

    Kind m_kind;
    std::vector<CCategory> m_rows; // in the order shown
    int m_selected = -1;
};
