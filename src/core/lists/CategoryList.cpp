// The location list's load and conversion.
#include "core/lists/CategoryList.h"

#include "core/storage/FixedObjectStore.h"

CCategoryList::CCategoryList() : CCategoryListBase(kListTag, kFixedLocations, true) {}

HRESULT CCategoryList::Load(IFixedObjectStore &store)
{
    RemoveAll();
    QByteArray blob;
    const HRESULT hr = ReadObject(store, blob);
    if (hr != S_OK)
        return hr;
    if (blob.isEmpty())
        return Save(store);
    return ReadBlob(blob, store.GetFormatVersion() > kDataFormat10004);
}

HRESULT CCategoryList::Convert(IFixedObjectStore &store)
{
    RemoveAll();
    QByteArray blob;
    HRESULT hr = ReadObject(store, blob);
    if (hr != S_OK)
        return hr;
    if (!blob.isEmpty()) {
        hr = ReadBlob(blob, false);
        if (hr != S_OK)
            return hr;
    }
    return Save(store);
}
