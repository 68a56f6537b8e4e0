// CSearchCriteria: what the find bar asks for, checked before anything changes: the text
// trimmed of blanks (empty is refused), the optional start and end dates (an end before the
// start is refused), and the text the filter searches for.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>

class CSearchCriteria
{
  public:
    enum class Check
    {
        Ok,
        EmptyText,      // warning 59312
        EndBeforeStart, // warning 59469
    };
    static constexpr int kIdsEmptyText = 59312;
    static constexpr int kIdsEndBeforeStart = 59469;
    // The warning's text for a refused check.
    static QString WarningText(Check check);

    CSearchCriteria(const QString &typed, const CDateTime &start, const CDateTime &end);

    Check Validate() const;
    // As typed, without the blanks at both ends: what the history keeps.
    const QString &GetText() const { return m_text; }
    // Upper case: what the filter compares with the upper-cased item texts.
    QString GetSearchText() const { return m_text.toUpper(); }
    const CDateTime &GetStart() const { return m_start; }
    const CDateTime &GetEnd() const { return m_end; }

    // A range with both dates set and the start after the end lists nothing.
    static bool IsInverted(const CDateTime &from, const CDateTime &to);
    // Whether an occurrence [start, end) touches the days from `from` through `to`; a null
    // bound is open.
    static bool Touches(const CDateTime &start, const CDateTime &end, const CDateTime &from, const CDateTime &to);

  private:
    QString m_text;
    CDateTime m_start;
    CDateTime m_end;
};
