// Default categories of the master list.
#include "editing/lists/MasterListDefaults.h"

#include "core/lists/MasterList.h"
#include "editing/lists/CategoryNames.h"

namespace {
void PutDefaults(CMasterList &list)
{
    list.RemoveAll();
    for (const QString &name : CCategoryNames::DefaultNames())
        list.Add(CCategory(name));
}
} // namespace

HRESULT CMasterListDefaults::Reset(CMasterList &list, IFixedObjectStore &store)
{
    PutDefaults(list);
    return list.Save(store);
}

HRESULT CMasterListDefaults::Load(CMasterList &list, IFixedObjectStore &store)
{
    const HRESULT hr = list.Load(store);
    if (hr == QV_E_ITEM_LOAD) {
        // A read-only file that holds no list cannot take the defaults, but its reader is still
        // offered them; nothing is written.
        PutDefaults(list);
        return S_OK;
    }
    if (hr != S_OK || list.GetCount() > 0)
        return hr;
    // A failed save keeps the defaults on offer and reports the failure.
    return Reset(list, store);
}
