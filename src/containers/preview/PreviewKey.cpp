// The preview pane's item key.
#include "containers/preview/PreviewKey.h"

#include "core/items/CalendarItem.h"
#include "core/items/ItemRef.h"

CPreviewKey CPreviewKey::From(const CItemRef &ref)
{
    CPreviewKey key;
    const CCalendarItem *item = ref.GetItem();
    if (!item)
        return key;
    key.m_kind = int(item->GetKind());
    key.m_recordId = ref.GetRecordId();
    key.m_occurrence = ref.GetOccurrenceDate();
    return key;
}

bool CPreviewKey::Names(const CItemRef &ref) const
{
    const CPreviewKey other = From(ref);
    if (IsEmpty() || other.IsEmpty() || other.m_kind != m_kind || other.m_recordId != m_recordId)
        return false;
    return other.m_occurrence == m_occurrence;
}
