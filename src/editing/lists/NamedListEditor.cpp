// The working copy of the master category list and the location list dialogs.
#include "editing/lists/NamedListEditor.h"

#include "editing/lists/CategoryNames.h"

#include <algorithm>

namespace {
bool ShownBefore(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}
} // namespace

CNamedListEditor::CNamedListEditor(Kind kind, const CCategoryListBase &list) : m_kind(kind)
{
    for (int i = 0; i < list.GetCount(); ++i)
        Insert(*list.GetAt(i));
}

void CNamedListEditor::Insert(const CCategory &entry)
{
    const auto at = std::upper_bound(
        m_rows.begin(), m_rows.end(), entry.GetName(),
        [](const QString &name, const CCategory &row) { return ShownBefore(name, row.GetName()); });
    m_rows.insert(at, entry);
}

QStringList CNamedListEditor::GetRows() const
{
    QStringList names;
    for (const CCategory &row : m_rows)
        names.append(row.GetName());
    return names;
}

void CNamedListEditor::SelectRow(int row)
{
    m_selected = row >= 0 && row < GetRowCount() ? row : -1;
}

bool CNamedListEditor::Contains(const QString &name) const
{
    return std::any_of(m_rows.begin(), m_rows.end(), [&](const CCategory &row) {
        return row.GetName().compare(name, Qt::CaseInsensitive) == 0;
    });
}

int CNamedListEditor::Add(const QString &text)
{
    QStringList names;
    if (m_kind == Kind::Categories)
        names = CCategoryNames::Split(text);
    else if (!text.trimmed().isEmpty())
        names.append(text.trimmed());
    int added = 0;
    for (const QString &name : names) {
        const QString cut = name.left(GetMaxText());
        if (Contains(cut))
            continue;
        Insert(CCategory(cut));
        ++added;
    }
    m_selected = -1;
    return added;
}

void CNamedListEditor::DeleteSelected()
{
    if (m_selected < 0)
        return;
    m_rows.erase(m_rows.begin() + m_selected);
    if (m_rows.empty())
        m_selected = -1;
    else
        m_selected = std::max(0, m_selected - 1);
}

void CNamedListEditor::Reset()
{
    m_rows.clear();
    m_selected = -1;
    if (m_kind == Kind::Categories) {
        for (const QString &name : CCategoryNames::DefaultNames()) {
            if (!Contains(name))
                Insert(CCategory(name));
        }
    }
}

HRESULT CNamedListEditor::Save(CCategoryListBase &list, IFixedObjectStore &store) const
{
    CategoryArray before;
    if (!list.CopyTo(before))
        return HRESULT(0x8007000E);
    CategoryArray entries;
    for (const CCategory &row : m_rows)
        entries.push_back(std::make_unique<CCategory>(row));
    list.SetCategories(entries);
    const HRESULT hr = list.Save(store);
    if (hr != S_OK)
        list.SetCategories(before);
    return hr;
}
