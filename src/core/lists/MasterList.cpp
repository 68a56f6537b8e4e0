// The master category list's load and its older layout.
#include "core/lists/MasterList.h"

#include "core/storage/ArchiveReader.h"
#include "core/storage/FixedObjectStore.h"

#include <new>

CMasterList::CMasterList() : CCategoryListBase(kListTag, kFixedMasterCategories, false) {}

HRESULT CMasterList::Load(IFixedObjectStore &store)
{
    RemoveAll();
    QByteArray blob;
    const HRESULT hr = ReadObject(store, blob);
    if (hr != S_OK || blob.isEmpty())
        return hr;
    return ReadBlob(blob, store.GetFormatVersion() > kDataFormat10004);
}

HRESULT CMasterList::Convert(IFixedObjectStore &store)
{
    RemoveAll();
    QByteArray blob;
    HRESULT hr = ReadObject(store, blob);
    if (hr != S_OK)
        return hr;
    if (blob.isEmpty())
        return S_OK;
    hr = ReadOldBlob(blob);
    if (hr != S_OK)
        return hr;
    return Save(store);
}

HRESULT CMasterList::ReadOldBlob(const QByteArray &blob)
{
    try {
        CArchiveReader ar(blob);
        HRESULT hr = ReadHeader(ar);
        if (hr != S_OK)
            return hr;
        std::uint32_t count = 0;
        if (!ar.ReadU32(count))
            return QV_E_INTERNAL;
        const int first = GetCount();
        for (std::uint32_t i = 0; i < count; ++i) {
            QString name;
            if (!ar.ReadString(name))
                return QV_E_INTERNAL;
            Append(std::make_unique<CCategory>(name));
        }
        std::uint32_t colours = 0;
        if (!ar.Skip(4) || !ar.ReadU32(colours))
            return QV_E_INTERNAL;
        for (std::uint32_t i = 0; i < colours; ++i) {
            std::uint32_t colour = 0;
            if (!ar.ReadU32(colour))
                return QV_E_INTERNAL;
            // Colours beyond the names have no entry to go to.
            if (i < count)
                GetAt(first + int(i))->SetColor(colour);
        }
        if (!ar.Skip(kOldReservedBytes))
            return QV_E_INTERNAL;
    } catch (const std::bad_alloc &) {
        return HresultFromSystem(14);
    }
    return S_OK;
}
