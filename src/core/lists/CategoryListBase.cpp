// The shared list of categories and its fixed-object blob.
#include "core/lists/CategoryListBase.h"

#include "core/storage/ArchiveReader.h"
#include "core/storage/ArchiveWriter.h"
#include "core/storage/FixedObjectStore.h"
#include "core/system/LocaleCollator.h"

#include <algorithm>
#include <new>

namespace {
constexpr HRESULT kOutOfMemory = HresultFromSystem(14);
}

CCategoryListBase::CCategoryListBase(std::uint32_t tag, int objectId, bool sorted)
    : m_tag(tag), m_objectId(objectId), m_sorted(sorted)
{
}

CCategory *CCategoryListBase::GetAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_entries[std::size_t(index)].get();
}

int CCategoryListBase::Find(const QString &name, bool matchCase) const
{
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i]->GetName().compare(name, cs) == 0)
            return int(i);
    }
    return -1;
}

void CCategoryListBase::Append(std::unique_ptr<CCategory> entry)
{
    if (!m_sorted) {
        m_entries.push_back(std::move(entry));
        return;
    }
    const QString &name = entry->GetName();
    auto sortsAfter = [&name](const std::unique_ptr<CCategory> &e) {
        return LocaleCompare(e->GetName(), name) > 0;
    };
    CategoryArray::iterator pos;
    if (m_knownSorted) {
        pos = std::upper_bound(m_entries.begin(), m_entries.end(), name,
                               [](const QString &n, const std::unique_ptr<CCategory> &e) {
                                   return LocaleCompare(n, e->GetName()) < 0;
                               });
    } else {
        pos = std::find_if(m_entries.begin(), m_entries.end(), sortsAfter);
    }
    m_entries.insert(pos, std::move(entry));
}

bool CCategoryListBase::Add(const CCategory &entry)
{
    try {
        Append(std::make_unique<CCategory>(entry));
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

bool CCategoryListBase::CopyTo(CategoryArray &array) const
{
    const std::size_t before = array.size();
    try {
        array.reserve(before + m_entries.size());
        for (const auto &e : m_entries)
            array.push_back(std::make_unique<CCategory>(*e));
    } catch (const std::bad_alloc &) {
        array.resize(before);
        return false;
    }
    return true;
}

bool CCategoryListBase::SetCategories(CategoryArray &array, const std::vector<int> *order)
{
    RemoveAll();
    try {
        const std::size_t n = order ? order->size() : array.size();
        m_entries.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            const long long slot = order ? (*order)[i] : (long long)i;
            if (slot < 0 || slot >= (long long)array.size() || !array[std::size_t(slot)])
                continue;
            m_entries.push_back(std::move(array[std::size_t(slot)]));
        }
    } catch (const std::bad_alloc &) {
        return false;
    }
    // The caller's order may be any order; a later sorted insert then scans as the list stands.
    for (std::size_t i = 1; i < m_entries.size() && m_knownSorted; ++i)
        m_knownSorted = LocaleCompare(m_entries[i - 1]->GetName(), m_entries[i]->GetName()) <= 0;
    return true;
}

HRESULT CCategoryListBase::BuildBlob(QByteArray &blob) const
{
    try {
        QByteArray out;
        CArchiveWriter ar(out);
        ar.WriteU32(m_tag);
        ar.WriteU32(0);
        ar.WriteU32(kPlainLength);
        ar.WriteU32(m_tag);
        ar.WriteU32(0);
        ar.WriteU32(kBlobFormat);
        ar.WriteU32(std::uint32_t(m_entries.size()));
        for (const auto &e : m_entries)
            e->Write(ar);
        ar.WriteZeros(kReservedBytes);
        if (!ar.FinishFixedObjectBlob(kPlainLength))
            return kOutOfMemory;
        blob = std::move(out);
    } catch (const std::bad_alloc &) {
        return kOutOfMemory;
    }
    return S_OK;
}

HRESULT CCategoryListBase::Save(IFixedObjectStore &store) const
{
    QByteArray blob;
    const HRESULT hr = BuildBlob(blob);
    if (hr != S_OK)
        return Failed(hr) ? hr : kOutOfMemory;
    return store.WriteFixedObject(m_objectId, blob);
}

HRESULT CCategoryListBase::ReadObject(IFixedObjectStore &store, QByteArray &data) const
{
    data.clear();
    try {
        return store.ReadFixedObject(m_objectId, data);
    } catch (const std::bad_alloc &) {
        return kOutOfMemory;
    }
}

HRESULT CCategoryListBase::ReadHeader(CArchiveReader &ar) const
{
    std::uint32_t tag1 = 0, length1 = 0, plain = 0, tag2 = 0, length2 = 0;
    if (!ar.ReadU32(tag1) || !ar.ReadU32(length1) || !ar.ReadU32(plain) || !ar.ReadU32(tag2) ||
        !ar.ReadU32(length2))
        return QV_E_INTERNAL;
    if (tag1 != m_tag || tag2 != m_tag || length1 != length2)
        return QV_E_INTERNAL;
    return S_OK;
}

HRESULT CCategoryListBase::ReadBlob(const QByteArray &blob, bool hasFormatWord)
{
    try {
        CArchiveReader ar(blob);
        HRESULT hr = ReadHeader(ar);
        if (hr != S_OK)
            return hr;
        if (hasFormatWord && !ar.Skip(4))
            return QV_E_INTERNAL;
        std::uint32_t count = 0;
        if (!ar.ReadU32(count))
            return QV_E_INTERNAL;
        // The count is not trusted for sizing: each record is read against the bytes left.
        for (std::uint32_t i = 0; i < count; ++i) {
            auto entry = std::make_unique<CCategory>();
            hr = entry->Read(ar);
            if (hr != S_OK)
                return hr;
            Append(std::move(entry));
        }
        if (!ar.Skip(kReservedBytes))
            return QV_E_INTERNAL;
    } catch (const std::bad_alloc &) {
        return kOutOfMemory;
    }
    return S_OK;
}
