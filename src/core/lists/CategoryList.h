// The location list: `CCategory` entries kept in the locale's order of their names, stored as
// fixed object 3 of the data file.
#pragma once

#include "core/lists/CategoryListBase.h"

class CCategoryList : public CCategoryListBase
{
  public:
    static constexpr std::uint32_t kListTag = 0xFF4C4F43;

    CCategoryList();

    // Empties the list and reads fixed object 3. A missing or empty object is written as an empty
    // list so that it exists, and that write's result is returned.
    HRESULT Load(IFixedObjectStore &store);
    // While a file of format 0x10001 or 0x10004 is converted: reads the object in the older layout
    // (no format word) and writes it back in the current one.
    HRESULT Convert(IFixedObjectStore &store);
};
