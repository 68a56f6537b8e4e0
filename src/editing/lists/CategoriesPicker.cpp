// Rows and ticks of the Categories dialog.
#include "editing/lists/CategoriesPicker.h"

#include "core/system/Messages.h"
#include "editing/base/EditingStrings.h"
#include "editing/lists/CategoryNames.h"

#include <algorithm>

CCategoriesPicker::CCategoriesPicker(const QStringList &masterNames, const QString &categoriesText)
{
    Fill(masterNames, categoriesText);
}

void CCategoriesPicker::Fill(const QStringList &masterNames, const QString &text)
{
    m_rows.clear();
    auto find = [this](const QString &name) {
        return std::find_if(m_rows.begin(), m_rows.end(), [&](const CategoryRow &row) {
            return row.name.compare(name, Qt::CaseInsensitive) == 0;
        });
    };
    for (const QString &name : masterNames) {
        if (find(name) == m_rows.end())
            m_rows.push_back({name, true, false});
    }
    const QStringList names = CCategoryNames::Split(text);
    for (const QString &name : names) {
        if (find(name) == m_rows.end())
            m_rows.push_back({name, false, false});
    }
    // The list shows its rows sorted, ignoring case.
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const CategoryRow &a, const CategoryRow &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    for (const QString &name : names)
        find(name)->checked = true;
}

QString CCategoriesPicker::GetRowText(int row) const
{
    const CategoryRow &r = m_rows.at(std::size_t(row));
    return r.fromList ? r.name : r.name + EditingText(EditText::LocalCategorySuffix);
}

void CCategoriesPicker::SetChecked(int row, bool on)
{
    if (row >= 0 && row < int(m_rows.size()))
        m_rows[std::size_t(row)].checked = on;
}

void CCategoriesPicker::Toggle(int row)
{
    if (row >= 0 && row < int(m_rows.size()))
        m_rows[std::size_t(row)].checked = !m_rows[std::size_t(row)].checked;
}

QString CCategoriesPicker::Collect() const
{
    QStringList names;
    for (const CategoryRow &row : m_rows) {
        if (row.checked && !row.name.isEmpty())
            names.append(row.name);
    }
    return CCategoryNames::Join(names.join(QLatin1Char(',')));
}

bool CCategoriesPicker::Accept(QString &result) const
{
    const QString text = Collect();
    if (text.size() > kMaxText) {
        ShowWarningText(EditingText(EditText::TooManyCategories));
        return false;
    }
    result = text;
    return true;
}

void CCategoriesPicker::Refill(const QStringList &masterNames)
{
    Fill(masterNames, Collect());
}
