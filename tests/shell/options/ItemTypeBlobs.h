// The item-type list of a document as blobs of the current layout, to compare what the data
// file holds with what the document keeps.
#pragma once

#include "core/document/CalendarDocument.h"
#include "core/lists/ItemTypeList.h"

#include <QByteArray>
#include <gtest/gtest.h>

inline QByteArray ItemTypesBlob(const CItemTypeList &list)
{
    QByteArray blob;
    list.BuildBlob(blob);
    return blob;
}

// What the data file holds now.
inline QByteArray StoredItemTypesBlob(CCalendarDocument &document)
{
    CItemTypeList stored;
    EXPECT_EQ(stored.Load(document.GetDataFile()), S_OK);
    return ItemTypesBlob(stored);
}
