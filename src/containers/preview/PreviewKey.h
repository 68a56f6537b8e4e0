// CPreviewKey: which item the preview pane shows: kind, record id and, for one occurrence of a
// series, its key date.
#pragma once

#include "core/dates/DateTime.h"

#include <cstdint>

class CItemRef;

class CPreviewKey
{
  public:
    // The key of the held item; an empty key when the holder holds nothing.
    static CPreviewKey From(const CItemRef &ref);

    bool IsEmpty() const { return m_kind == 0; }
    int GetKind() const { return m_kind; }
    std::uint32_t GetRecordId() const { return m_recordId; }
    const CDateTime &GetOccurrenceDate() const { return m_occurrence; }
    // The same record and the same occurrence (an event's occurrence date counts, a task's only
    // when both name one).
    bool Names(const CItemRef &ref) const;

  private:
    int m_kind = 0;
    std::uint32_t m_recordId = 0;
    CDateTime m_occurrence = CDateTime::Null();
};
