// Default categories of the master list.
#include "editing/lists/MasterListDefaults.h"

#include "core/lists/MasterList.h"
#include "editing/lists/CategoryNames.h"

HRESULT CMasterListDefaults::Reset(CMasterList &list, IFixedObjectStore &store)
{
    list.RemoveAll();
    for (const QString &name : CCategoryNames::DefaultNames())
        list.Add(CCategory(name));
    return list.Save(store);
}

HRESULT CMasterListDefaults::Load(CMasterList &list, IFixedObjectStore &store)
{
    const HRESULT hr = list.Load(store);
    if (hr != S_OK || list.GetCount() > 0)
        return hr;
    return Reset(list, store);
}
