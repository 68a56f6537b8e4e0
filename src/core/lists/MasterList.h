// The master category list: `CCategory` entries in the order they were added, stored as fixed
// object 2 of the data file.
#pragma once

#include "core/lists/CategoryListBase.h"

class CMasterList : public CCategoryListBase
{
  public:
    static constexpr std::uint32_t kListTag = 0xFF505C54;
    static constexpr int kOldReservedBytes = 252;

    CMasterList();

    // Empties the list and reads fixed object 2; a missing or empty object leaves it empty.
    HRESULT Load(IFixedObjectStore &store);
    // While a file of format 0x10001 or 0x10004 is converted: reads fixed object 2 in the older
    // layout and writes it back in the current one.
    HRESULT Convert(IFixedObjectStore &store);
    // Appends the entries of a blob in the older layout: header, count, the names, one skipped
    // word, a count n and n colours for the first n entries, 252 reserved bytes.
    HRESULT ReadOldBlob(const QByteArray &blob);
};
