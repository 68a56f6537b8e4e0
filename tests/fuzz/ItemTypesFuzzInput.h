// One fuzz input for the item-type list reader (fixed object 1: types, their icons and the saved
// filters), shared by the fuzz target and the test that replays the inputs kept under
// tests/data/fuzz-itemtypes. The first byte chooses how the rest is used: as the blob as it
// stands, or as edits (offset, byte) and a cut applied to the blob of the predefined types with
// a saved filter. A blob that reads must keep the list's limits and write a blob that reads back
// to the same bytes.
#pragma once

#include "core/lists/ItemFilter.h"
#include "core/lists/ItemTypeList.h"
#include "core/storage/FixedObjectStore.h"
#include "fuzz/FuzzBytes.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace ItemTypesFuzz {

inline QByteArray Seed()
{
    CItemTypeList list;
    list.CreatePredefinedTypes();
    CItemFilter filter;
    filter.SetName(QStringLiteral("Work only"));
    list.AddFilter(filter);
    list.SetCurrentFilterName(QStringLiteral("Work only"));
    QByteArray blob;
    list.BuildBlob(blob);
    return blob;
}

// Runs one input; returns a description of the first broken rule, or null.
inline const char *RunInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return nullptr;
    static const QByteArray seed = Seed();
    const QByteArray bytes = FuzzBytes(data, size, seed, true);

    for (const std::uint32_t format : {kDataFormatCurrent, kDataFormat10004, kDataFormat10001}) {
        CItemTypeList list;
        bool upgrade = false;
        if (list.ReadBlob(bytes, format, upgrade) != S_OK)
            continue;
        if (list.GetTypeCount() > CItemTypeList::kMaxTypes || list.GetFilterCount() > CItemTypeList::kMaxFilters)
            return "more types or filters than the list holds";
        if (list.GetTypeCount() > 0 &&
            (list.GetDefaultEventType() < 0 || list.GetDefaultEventType() >= list.GetTypeCount() ||
             list.GetDefaultTaskType() < 0 || list.GetDefaultTaskType() >= list.GetTypeCount()))
            return "a default type outside the list";
        for (int t = 0; t < list.GetTypeCount(); ++t) {
            ItemTypeInfo info;
            list.GetTypeInfo(t, info);
            list.FindType(info.name);
        }
        QByteArray first;
        if (list.BuildBlob(first) != S_OK)
            continue; // a list that cannot be written is refused at the save
        CItemTypeList again;
        if (again.ReadBlob(first, kDataFormatCurrent, upgrade) != S_OK)
            return "a written list does not read back";
        QByteArray second;
        if (again.BuildBlob(second) != S_OK || second != first)
            return "a list read back writes other bytes";
    }
    return nullptr;
}

} // namespace ItemTypesFuzz
