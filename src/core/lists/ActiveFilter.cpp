// Active filter: resolving it against the item type and category lists, the type and category
// tests, the search text, and the task views' caption.
#include "core/lists/ActiveFilter.h"

#include "core/items/CalendarItem.h"
#include "core/lists/CategoryListBase.h"
#include "core/items/EventItem.h"
#include "core/lists/ItemTypeList.h"
#include "core/system/StringTable.h"

namespace {
QString CategoryPattern(const QString &name)
{
    return (QStringLiteral(", ") + name + QLatin1Char(',')).toUpper();
}
} // namespace

void CActiveFilter::Reset()
{
    m_kind = KindUnresolved;
    m_typeIncluded.clear();
    m_categoryPatterns.clear();
    m_date = CDateTime();
    m_filter.Clear();
}

bool CActiveFilter::DiffersFrom(const CActiveFilter &other) const
{
    return m_kind != other.m_kind || !m_filter.Equals(other.m_filter) ||
           m_typeIncluded != other.m_typeIncluded || m_categoryPatterns != other.m_categoryPatterns ||
           m_date != other.m_date || m_searchText != other.m_searchText;
}

void CActiveFilter::ResolveNone()
{
    m_kind = KindNone;
    m_filter.Clear();
    m_typeIncluded.clear();
    m_categoryPatterns.clear();
    m_filter.SetName(LoadResString(59300));
}

void CActiveFilter::SetByIndex(const CItemTypeList *types, const CCategoryListBase *categories, int kind,
                               int index, const CDateTime &date, const QString &searchText)
{
    Reset();
    m_date = date;
    m_searchText = searchText;
    m_kind = kind;

    switch (kind) {
    case KindItemType: {
        const CItemType *type = types ? types->GetType(index) : nullptr;
        if (!type)
            break;
        m_typeIncluded.assign(size_t(types->GetTypeCount()), 0);
        m_typeIncluded[size_t(index)] = 1;
        m_filter.SetItemTypeNames({type->GetName()});
        m_filter.SetName(type->GetName());
        return;
    }
    case KindCategory: {
        const CCategory *category = categories ? categories->GetAt(index) : nullptr;
        if (!category)
            break;
        m_categoryPatterns.append(CategoryPattern(category->GetName()));
        m_filter.SetCategoryNames({category->GetName()});
        m_filter.SetName(category->GetName());
        return;
    }
    case KindSavedFilter: {
        const CItemFilter *saved = types ? types->GetFilter(index) : nullptr;
        if (!saved)
            break;
        if (saved->GetItemTypeNames().isEmpty() && saved->GetCategoryNames().isEmpty() &&
            !saved->HasFlag(CItemFilter::FF_UNDEFINED_TYPE) && !saved->HasFlag(CItemFilter::FF_NO_CATEGORIES))
            break;
        m_filter.CopyFrom(*saved);
        m_typeIncluded.assign(size_t(types->GetTypeCount()), 0);
        // Names of types deleted since the filter was saved choose nothing.
        for (const QString &name : saved->GetItemTypeNames()) {
            const int found = types->FindType(name);
            if (found >= 0 && size_t(found) < m_typeIncluded.size())
                m_typeIncluded[size_t(found)] = 1;
        }
        for (const QString &name : saved->GetCategoryNames())
            m_categoryPatterns.append(CategoryPattern(name));
        return;
    }
    default:
        break;
    }
    ResolveNone();
}

void CActiveFilter::SetByName(const CItemTypeList *types, const CCategoryListBase *categories, int kind,
                              const QString &name, const CDateTime &date, const QString &searchText)
{
    int index = -1;
    if (kind == KindSavedFilter && types)
        index = types->FindFilter(name);
    else if (kind == KindItemType && types)
        index = types->FindType(name);
    else if (kind == KindCategory && categories)
        index = categories->Find(name, true);
    SetByIndex(types, categories, index >= 0 ? kind : KindNone, index, date, searchText);
}

QString CActiveFilter::GetTaskCaption(int taskMode) const
{
    QString text;
    switch (m_kind) {
    case KindItemType:
        text = QStringLiteral("( ") + m_filter.GetName() + QStringLiteral(" )");
        break;
    case KindCategory:
        text = QStringLiteral("[ ") + m_filter.GetName() + QStringLiteral(" ]");
        break;
    case KindNone:
        if (taskMode == TaskModeNone)
            text = m_filter.GetName();
        break;
    default:
        text = m_filter.GetName();
        break;
    }
    if (taskMode == TaskModeNone)
        return text;
    QString caption;
    switch (taskMode) {
    case TaskModeActive:
        caption = QStringLiteral("Active Tasks");
        break;
    case TaskModeOverdue:
        caption = QStringLiteral("Overdue Tasks");
        break;
    case TaskModeCompleted:
        caption = QStringLiteral("Completed Tasks");
        break;
    default:
        caption = QStringLiteral("All Tasks");
        break;
    }
    if (!text.isEmpty())
        caption += QStringLiteral(" - ") + text;
    return caption;
}

bool CActiveFilter::PassesTypeTest(int itemTypeIndex) const
{
    if (m_kind == KindNone)
        return true;
    const bool allBut = m_filter.HasFlag(CItemFilter::FF_TYPES_ALL_BUT);
    const bool namesTypes = !m_filter.GetItemTypeNames().isEmpty();
    if (itemTypeIndex < 0) {
        if (m_filter.HasFlag(CItemFilter::FF_UNDEFINED_TYPE))
            return !allBut;
        return namesTypes ? allBut : true;
    }
    if (namesTypes) {
        // A type added since the filter was resolved is not known to it.
        if (size_t(itemTypeIndex) >= m_typeIncluded.size())
            return false;
        return m_typeIncluded[size_t(itemTypeIndex)] ? !allBut : allBut;
    }
    return m_filter.HasFlag(CItemFilter::FF_UNDEFINED_TYPE) ? allBut : true;
}

bool CActiveFilter::PassesCategoryTest(const QString &categories) const
{
    if (m_kind == KindNone)
        return true;
    const bool allBut = m_filter.HasFlag(CItemFilter::FF_CATEGORIES_ALL_BUT);
    const bool noCategories = m_filter.HasFlag(CItemFilter::FF_NO_CATEGORIES);
    if (categories.isEmpty()) {
        if (noCategories)
            return !allBut;
        return m_categoryPatterns.isEmpty() ? true : allBut;
    }
    if (m_categoryPatterns.isEmpty())
        return noCategories ? allBut : true;
    // Whole names only: ", WORK," is found in ", HOME, WORK," but not in ", HOMEWORK,".
    const QString text = CategoryPattern(categories);
    for (const QString &pattern : m_categoryPatterns)
        if (text.contains(pattern))
            return !allBut;
    return allBut;
}

bool CActiveFilter::MatchesSearchText(const CCalendarItem &item, int exceptionIndex) const
{
    const QString *subject = &item.GetSubject();
    const QString *notes = &item.GetNotes();
    const QString *location = nullptr;
    if (const auto *event = dynamic_cast<const CEventItem *>(&item)) {
        location = &event->GetLocation();
        if (exceptionIndex >= 0) {
            const CRecurrenceException *x = event->GetExceptionAt(exceptionIndex);
            if (!x || x->IsDeleted())
                return false;
            if (x->overrideFlags & CRecurrenceException::OverrideSubject)
                subject = &x->subject;
            if (x->overrideFlags & CRecurrenceException::OverrideLocation)
                location = &x->location;
            if (x->overrideFlags & CRecurrenceException::OverrideNotes)
                notes = &x->notes;
        }
    } else if (item.GetKind() != CCalendarItem::KindTask) {
        return false;
    }
    return subject->toUpper().contains(m_searchText) ||
           (location && location->toUpper().contains(m_searchText)) ||
           notes->toUpper().contains(m_searchText);
}

bool CActiveFilter::MatchesItem(const CCalendarItem &item, int exceptionIndex) const
{
    if (!m_searchText.isEmpty() && !MatchesSearchText(item, exceptionIndex))
        return false;
    switch (m_kind) {
    case KindItemType:
        return PassesTypeTest(item.GetItemTypeIndex());
    case KindCategory:
        return PassesCategoryTest(item.GetCategories());
    case KindSavedFilter: {
        const bool typePasses = PassesTypeTest(item.GetItemTypeIndex());
        if (m_filter.HasFlag(CItemFilter::FF_OR))
            return typePasses || PassesCategoryTest(item.GetCategories());
        return typePasses && PassesCategoryTest(item.GetCategories());
    }
    default:
        return true;
    }
}
