// Building the view entry of one occurrence of a stored record, as the views' loaders do.
#pragma once

#include "core/items/DisplayItem.h"

#include <QString>
#include <cstdint>
#include <memory>

// An entry of the record's occurrence at start, lasting until end.
inline std::unique_ptr<CDisplayItem> MakeRecordEntry(std::uint32_t record, const CDateTime &start,
                                                     const CDateTime &end, const QString &subject,
                                                     int kind = CDisplayItem::KindEvent, int type = 0,
                                                     const QString &typeName = QStringLiteral("Appointment"))
{
    auto e = std::make_unique<CDisplayItem>(kind, type, typeName, start, end - start);
    e->SetItemRef(record);
    e->SetOccurrenceDate(start);
    e->SetSubject(subject);
    return e;
}
