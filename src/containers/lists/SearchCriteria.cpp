#include "containers/lists/SearchCriteria.h"

#include "core/dates/DateRules.h"

QString CSearchCriteria::WarningText(Check check)
{
    switch (check) {
    case Check::EmptyText:
        return QStringLiteral(
            "You cannot search if the field is empty. Please enter a text you would like to search for.");
    case Check::EndBeforeStart:
        return QStringLiteral("The end date you entered occurs before the start date.");
    default:
        return {};
    }
}

CSearchCriteria::CSearchCriteria(const QString &typed, const CDateTime &start, const CDateTime &end)
    : m_text(typed.trimmed()), m_start(start), m_end(end)
{
}

CSearchCriteria::Check CSearchCriteria::Validate() const
{
    if (m_text.isEmpty())
        return Check::EmptyText;
    if (IsInverted(m_start, m_end))
        return Check::EndBeforeStart;
    return Check::Ok;
}

bool CSearchCriteria::IsInverted(const CDateTime &from, const CDateTime &to)
{
    return from.IsValid() && to.IsValid() && from > to;
}

bool CSearchCriteria::Touches(const CDateTime &start, const CDateTime &end, const CDateTime &from,
                              const CDateTime &to)
{
    if (to.IsValid()) {
        CDateTime after = to.DatePart();
        AddDays(after, 1);
        if (!(start < after))
            return false;
    }
    if (from.IsValid()) {
        // A zero-length occurrence still stands on its day.
        const CDateTime last = end > start ? end : start + CDateSpan(0, 0, 1, 0);
        if (!(last > from.DatePart()))
            return false;
    }
    return true;
}
