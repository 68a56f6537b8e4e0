// CActiveFilter: the choice of items a view, the TaskPad, a print or an export shows (no filter,
// a saved filter, one item type or one category, with an optional search text), resolved against
// the current item types and categories so that each item is tested quickly.
#pragma once

#include "core/dates/DateTime.h"
#include "core/lists/ItemFilter.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class CCalendarItem;
class CCategoryListBase;
class CItemTypeList;

class CActiveFilter
{
  public:
    enum Kind
    {
        KindUnresolved = -1,
        KindNone = 0, // every item
        KindSavedFilter = 1,
        KindItemType = 2,
        KindCategory = 3,
    };

    // Task modes of the caption: -1 outside the task views.
    enum TaskMode
    {
        TaskModeNone = -1,
        TaskModeAll = 0,
        TaskModeActive = 1,
        TaskModeOverdue = 2,
        TaskModeCompleted = 3,
    };

    CActiveFilter() = default;

    // Unresolved, with nothing chosen; the search text stays.
    void Reset();
    void Copy(const CActiveFilter &other) { *this = other; }
    // Any field differs: kind, filter, type bytes, category patterns, date or search text (the
    // texts compared with case).
    bool DiffersFrom(const CActiveFilter &other) const;

    // Resolves the filter of `kind` at `index`: the saved filter of the item type list, its item
    // type, or the category of the master list. An index with no entry, a missing list or any
    // other kind gives no filter; so does a saved filter that chooses nothing at all.
    void SetByIndex(const CItemTypeList *types, const CCategoryListBase *categories, int kind, int index,
                    const CDateTime &date, const QString &searchText);
    // The same by name: a saved filter ignoring case, an item type or a category exactly.
    void SetByName(const CItemTypeList *types, const CCategoryListBase *categories, int kind,
                   const QString &name, const CDateTime &date, const QString &searchText);

    int GetKind() const { return m_kind; }
    const CItemFilter &GetFilter() const { return m_filter; }
    QString GetName() const { return m_filter.GetName(); }
    const CDateTime &GetDate() const { return m_date; }
    const QString &GetSearchText() const { return m_searchText; }
    // One byte per item type at resolve time: 1 when the filter names the type.
    const std::vector<std::uint8_t> &GetTypeIncluded() const { return m_typeIncluded; }
    // ", NAME," in upper case for each category the filter names.
    const QStringList &GetCategoryPatterns() const { return m_categoryPatterns; }

    // The caption of the task views: the filter's name in the kind's brackets, after the mode's
    // heading ("Overdue Tasks - ( Call )").
    QString GetTaskCaption(int taskMode) const;

    // Whether the item passes; for one occurrence of an event, pass the index of its exception
    // (-1 for the event's own texts). A search text must occur in the subject, location or notes.
    bool MatchesItem(const CCalendarItem &item, int exceptionIndex = -1) const;

    // The two halves of the test, on an item type index (-1 none) and a categories text.
    bool PassesTypeTest(int itemTypeIndex) const;
    bool PassesCategoryTest(const QString &categories) const;

  private:
    void ResolveNone();
    bool MatchesSearchText(const CCalendarItem &item, int exceptionIndex) const;

    int m_kind = KindUnresolved;
    CItemFilter m_filter;
    CDateTime m_date;
    QString m_searchText;
    std::vector<std::uint8_t> m_typeIncluded;
    QStringList m_categoryPatterns;
};
