// The item-type list: types, icons, saved filters and their fixed-object blob.
#include "core/lists/ItemTypeList.h"

#include "core/storage/ArchiveReader.h"
#include "core/storage/ArchiveWriter.h"
#include "core/storage/FixedObjectStore.h"
#include "core/lists/ItemTypeArt.h"
#include "core/system/LocaleCollator.h"
#include "core/lists/PredefinedItemTypes.h"
#include "core/system/StringTable.h"

#include <algorithm>
#include <new>

namespace {
constexpr HRESULT kOutOfMemory = HresultFromSystem(14);

// Moves the entries of `array` named by `order` (or all, in array order) into `out`, at most `max`;
// slots out of range or already empty are passed over.
template <typename T>
void TakeEntries(std::vector<std::unique_ptr<T>> &array, const std::vector<int> *order, int max,
                 std::vector<std::unique_ptr<T>> &out)
{
    const std::size_t n = order ? order->size() : array.size();
    for (std::size_t i = 0; i < n && int(out.size()) < max; ++i) {
        const long long slot = order ? (*order)[i] : (long long)i;
        if (slot < 0 || slot >= (long long)array.size() || !array[std::size_t(slot)])
            continue;
        out.push_back(std::move(array[std::size_t(slot)]));
    }
}
} // namespace

CItemTypeList::CItemTypeList() : m_undefined(LoadResString(59311))
{
    ResetImageLists();
}

void CItemTypeList::ResetImageLists()
{
    m_small.Create(kSmallIconSize, kSmallIconSize);
    m_large.Create(kLargeIconSize, kLargeIconSize);
}

void CItemTypeList::RemoveAll()
{
    m_types.clear();
    m_filters.clear();
    ResetImageLists();
    m_defaultEvent = -1;
    m_defaultTask = -1;
    m_currentFilterName.clear();
    ++m_revision;
}

CItemType *CItemTypeList::GetType(int index) const
{
    if (index < 0 || index >= GetTypeCount())
        return nullptr;
    return m_types[std::size_t(index)].get();
}

const CReminderSound *CItemTypeList::GetTypeSound(int index) const
{
    const CItemType *type = GetType(index);
    return type ? &type->GetSound() : nullptr;
}

bool CItemTypeList::GetTypeInfo(int index, ItemTypeInfo &out) const
{
    const CItemType *type = GetType(index);
    if (!type)
        return false;
    out.name = type->GetName();
    out.reminderLead = type->GetReminderLead();
    out.flags = type->GetFlags();
    return true;
}

int CItemTypeList::FindType(const QString &name) const
{
    for (std::size_t i = 0; i < m_types.size(); ++i) {
        if (m_types[i]->GetName() == name)
            return int(i);
    }
    return -1;
}

int CItemTypeList::FindTypeByPrefix(const QString &text) const
{
    for (std::size_t i = 0; i < m_types.size(); ++i) {
        if (m_types[i]->GetName().startsWith(text, Qt::CaseInsensitive))
            return int(i);
    }
    return -1;
}

bool CItemTypeList::GetTypeIcons(int index, ImagePixels &large, ImagePixels &small) const
{
    const ImagePixels *l = m_large.GetImage(index);
    const ImagePixels *s = m_small.GetImage(index);
    if (!GetType(index) || !l || !s)
        return false;
    large = *l;
    small = *s;
    return true;
}

void CItemTypeList::ResolveDefaults(bool lastWins)
{
    auto resolve = [this, lastWins](std::uint32_t flag, int &index) {
        index = -1;
        const int n = GetTypeCount();
        for (int k = 0; k < n; ++k) {
            const int i = lastWins ? n - 1 - k : k;
            CItemType &type = *m_types[std::size_t(i)];
            if (!type.HasFlag(flag))
                continue;
            if (index < 0)
                index = i;
            else
                type.SetFlags(type.GetFlags() & ~flag);
        }
        if (index < 0 && n > 0) {
            index = 0;
            m_types[0]->SetFlags(m_types[0]->GetFlags() | flag);
        }
    };
    resolve(CItemType::kFlagDefaultEvent, m_defaultEvent);
    resolve(CItemType::kFlagDefaultTask, m_defaultTask);
}

bool CItemTypeList::AddType(const CItemType &type, const ImagePixels &largeIcon, const ImagePixels &smallIcon)
{
    if (GetTypeCount() >= kMaxTypes)
        return false;
    try {
        auto copy = std::make_unique<CItemType>(type);
        std::uint32_t flags = copy->GetFlags();
        if (m_defaultEvent >= 0)
            flags &= ~CItemType::kFlagDefaultEvent;
        if (m_defaultTask >= 0)
            flags &= ~CItemType::kFlagDefaultTask;
        copy->SetFlags(flags);

        const auto at =
            std::find_if(m_types.begin(), m_types.end(), [&](const std::unique_ptr<CItemType> &t) {
                return LocaleCompare(t->GetName(), copy->GetName()) > 0;
            });
        const int index = int(at - m_types.begin());
        if (!m_small.Insert(index, smallIcon))
            return false;
        if (!m_large.Insert(index, largeIcon)) {
            m_small.Remove(index);
            return false;
        }
        try {
            m_types.insert(at, std::move(copy));
        } catch (const std::bad_alloc &) {
            m_small.Remove(index);
            m_large.Remove(index);
            return false;
        }
        // The defaults stay with their types.
        if (m_defaultEvent >= index)
            ++m_defaultEvent;
        if (m_defaultTask >= index)
            ++m_defaultTask;
        if (m_defaultEvent < 0 || m_defaultTask < 0)
            ResolveDefaults(false);
    } catch (const std::bad_alloc &) {
        return false;
    }
    ++m_revision;
    return true;
}

bool CItemTypeList::CopyTypes(ItemTypeArray &types, CImageList &large, CImageList &small) const
{
    const std::size_t before = types.size();
    try {
        const int n = std::min(GetTypeCount(), kMaxTypes);
        types.reserve(before + std::size_t(n));
        for (int i = 0; i < n; ++i)
            types.push_back(std::make_unique<CItemType>(*m_types[std::size_t(i)]));
        large = m_large;
        small = m_small;
    } catch (const std::bad_alloc &) {
        types.resize(before);
        return false;
    }
    return true;
}

bool CItemTypeList::SetTypes(ItemTypeArray &types, const CImageList &large, const CImageList &small,
                             const std::vector<int> *order)
{
    try {
        ItemTypeArray taken;
        CImageList newSmall(kSmallIconSize, kSmallIconSize);
        CImageList newLarge(kLargeIconSize, kLargeIconSize);
        // Build the new image lists first, so that running out of memory leaves the list as it was.
        const std::size_t n = order ? order->size() : types.size();
        std::vector<int> picked;
        for (std::size_t i = 0; i < n && int(picked.size()) < kMaxTypes; ++i) {
            const long long slot = order ? (*order)[i] : (long long)i;
            if (slot < 0 || slot >= (long long)types.size() || !types[std::size_t(slot)] ||
                std::find(picked.begin(), picked.end(), int(slot)) != picked.end())
                continue;
            picked.push_back(int(slot));
        }
        for (int slot : picked) {
            const ImagePixels *s = small.GetImage(slot);
            const ImagePixels *l = large.GetImage(slot);
            if (!newSmall.Add(s && small.GetImageWidth() == kSmallIconSize &&
                                      small.GetImageHeight() == kSmallIconSize
                                  ? *s
                                  : newSmall.BlankImage()) ||
                !newLarge.Add(l && large.GetImageWidth() == kLargeIconSize &&
                                      large.GetImageHeight() == kLargeIconSize
                                  ? *l
                                  : newLarge.BlankImage()))
                return false;
        }
        taken.reserve(picked.size());
        for (int slot : picked)
            taken.push_back(std::move(types[std::size_t(slot)]));
        for (auto &type : taken)
            type->SetFillColor(type->GetFillColor());
        m_types = std::move(taken);
        m_small = std::move(newSmall);
        m_large = std::move(newLarge);
        ResolveDefaults(true);
    } catch (const std::bad_alloc &) {
        return false;
    }
    ++m_revision;
    return true;
}

CItemFilter *CItemTypeList::GetFilter(int index) const
{
    if (index < 0 || index >= GetFilterCount())
        return nullptr;
    return m_filters[std::size_t(index)].get();
}

int CItemTypeList::FindFilter(const QString &name) const
{
    for (std::size_t i = 0; i < m_filters.size(); ++i) {
        if (m_filters[i]->GetName().compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

bool CItemTypeList::AddFilter(const CItemFilter &filter)
{
    if (GetFilterCount() >= kMaxFilters)
        return false;
    try {
        m_filters.push_back(std::make_unique<CItemFilter>(filter));
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

bool CItemTypeList::CopyFilters(ItemFilterArray &filters) const
{
    const std::size_t before = filters.size();
    try {
        const int n = std::min(GetFilterCount(), kMaxFilters);
        filters.reserve(before + std::size_t(n));
        for (int i = 0; i < n; ++i)
            filters.push_back(std::make_unique<CItemFilter>(*m_filters[std::size_t(i)]));
    } catch (const std::bad_alloc &) {
        filters.resize(before);
        return false;
    }
    return true;
}

bool CItemTypeList::SetFilters(ItemFilterArray &filters, const std::vector<int> *order)
{
    try {
        ItemFilterArray taken;
        taken.reserve(std::min<std::size_t>(order ? order->size() : filters.size(), kMaxFilters));
        TakeEntries(filters, order, kMaxFilters, taken);
        m_filters = std::move(taken);
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

HRESULT CItemTypeList::CreatePredefinedTypes()
{
    RemoveAll();
    try {
        const auto rows = PredefinedItemTypes();
        const int count = int(rows.size());
        std::vector<ImagePixels> small, large;
        const IItemTypeArt *art = GetItemTypeArt();
        if (!art || !art->GetPredefinedIcons(kSmallIconSize, small) || int(small.size()) != count)
            small.assign(std::size_t(count), m_small.BlankImage());
        if (!art || !art->GetPredefinedIcons(kLargeIconSize, large) || int(large.size()) != count)
            large.assign(std::size_t(count), m_large.BlankImage());

        const bool highColor = GetDisplayColorCount() > 256;
        for (int i = 0; i < count; ++i) {
            if (!m_small.Add(small[std::size_t(i)]))
                m_small.Add(m_small.BlankImage());
            if (!m_large.Add(large[std::size_t(i)]))
                m_large.Add(m_large.BlankImage());
            m_types.push_back(
                std::make_unique<CItemType>(MakePredefinedItemType(rows[std::size_t(i)], highColor)));
        }
        if (m_small.GetImageCount() != count || m_large.GetImageCount() != count) {
            RemoveAll();
            return E_OUT_OF_MEMORY;
        }
        ResolveDefaults(false);
    } catch (const std::bad_alloc &) {
        RemoveAll();
        return E_OUT_OF_MEMORY;
    }
    ++m_revision;
    return S_OK;
}

HRESULT CItemTypeList::BuildBlob(QByteArray &blob) const
{
    // The icons are found by type index, so both lists must hold one image per type.
    if (m_small.GetImageCount() != GetTypeCount() || m_large.GetImageCount() != GetTypeCount())
        return QV_E_INTERNAL;
    try {
        QByteArray out;
        CArchiveWriter ar(out);
        ar.WriteU32(kListTag);
        ar.WriteU32(0);
        ar.WriteU32(kPlainLength);
        ar.WriteU32(kListTag);
        ar.WriteU32(0);
        ar.WriteU32(std::uint32_t(GetTypeCount()));
        HRESULT hr = m_small.Write(ar);
        if (hr == S_OK)
            hr = m_large.Write(ar);
        if (hr != S_OK)
            return hr;
        for (const auto &type : m_types)
            type->Write(ar);
        ar.WriteU32(std::uint32_t(GetFilterCount()));
        for (const auto &filter : m_filters)
            filter->Write(ar);
        ar.WriteU32(kListFormat);
        ar.WriteZeros(kReservedAfterFormat);
        ar.WriteString(QString());
        ar.WriteString(m_currentFilterName);
        ar.WriteZeros(kReservedAtEnd);
        if (!ar.FinishFixedObjectBlob(kPlainLength))
            return kOutOfMemory;
        blob = std::move(out);
    } catch (const std::bad_alloc &) {
        return kOutOfMemory;
    }
    return S_OK;
}

HRESULT CItemTypeList::Save(IFixedObjectStore &store) const
{
    QByteArray blob;
    const HRESULT hr = BuildBlob(blob);
    if (hr != S_OK)
        return Failed(hr) ? hr : kOutOfMemory;
    return store.WriteFixedObject(kFixedItemTypes, blob);
}

HRESULT CItemTypeList::ReadBlob(const QByteArray &blob, std::uint32_t dataFormat, bool &needsUpgrade)
{
    RemoveAll();
    needsUpgrade = false;
    HRESULT hr = S_OK;
    try {
        CArchiveReader ar(blob);
        std::uint32_t tag1 = 0, length1 = 0, plain = 0, tag2 = 0, length2 = 0, count = 0;
        if (!ar.ReadU32(tag1) || !ar.ReadU32(length1) || !ar.ReadU32(plain) || !ar.ReadU32(tag2) ||
            !ar.ReadU32(length2) || tag1 != kListTag || tag2 != kListTag || length1 != length2 ||
            !ar.ReadU32(count) || count > std::uint32_t(kMaxTypes))
            hr = QV_E_INTERNAL;
        // The icon lists must count one image per type, checked before their bitmaps are decoded.
        if (hr == S_OK)
            hr = m_small.Read(ar, int(count));
        if (hr == S_OK)
            hr = m_large.Read(ar, int(count));
        if (hr == S_OK && (m_small.GetImageCount() != int(count) || m_large.GetImageCount() != int(count)))
            hr = QV_E_INTERNAL;
        for (std::uint32_t i = 0; hr == S_OK && i < count; ++i) {
            auto type = std::make_unique<CItemType>();
            hr = type->Read(ar, dataFormat > kDataFormat10001);
            if (hr == S_OK)
                m_types.push_back(std::move(type));
        }
        if (hr == S_OK)
            ResolveDefaults(false);

        std::uint32_t listFormat = 0;
        if (hr == S_OK && dataFormat >= kFirstFormatWithFilters) {
            std::uint32_t filters = 0;
            if (!ar.ReadU32(filters) || filters > std::uint32_t(kMaxFilters))
                hr = QV_E_INTERNAL;
            for (std::uint32_t i = 0; hr == S_OK && i < filters; ++i) {
                auto filter = std::make_unique<CItemFilter>();
                hr = filter->Read(ar);
                if (hr == S_OK)
                    m_filters.push_back(std::move(filter));
            }
            QString unused, currentFilter;
            if (hr == S_OK &&
                (!ar.ReadU32(listFormat) || !ar.Skip(kReservedAfterFormat) || !ar.ReadString(unused) ||
                 !ar.ReadString(currentFilter) || !ar.Skip(kReservedAtEnd)))
                hr = QV_E_INTERNAL;
            if (hr == S_OK)
                m_currentFilterName = currentFilter;
        }
        needsUpgrade = hr == S_OK && listFormat <= kLastFormatBeforeBusyDays;
    } catch (const std::bad_alloc &) {
        hr = kOutOfMemory;
    }
    if (hr != S_OK)
        RemoveAll();
    ++m_revision;
    return hr;
}

HRESULT CItemTypeList::Load(IFixedObjectStore &store)
{
    RemoveAll();
    QByteArray blob;
    HRESULT hr = S_OK;
    try {
        hr = store.ReadFixedObject(kFixedItemTypes, blob);
    } catch (const std::bad_alloc &) {
        return kOutOfMemory;
    }
    if (hr != S_OK)
        return hr;
    if (blob.isEmpty()) {
        hr = CreatePredefinedTypes();
        return hr == S_OK ? Save(store) : hr;
    }
    bool needsUpgrade = false;
    hr = ReadBlob(blob, store.GetFormatVersion(), needsUpgrade);
    if (hr != S_OK || !needsUpgrade)
        return hr;
    for (const auto &type : m_types) {
        if (IsPredefinedNameWithFlag(type->GetName(), CItemType::kFlagBusyDays))
            type->SetFlags(type->GetFlags() | CItemType::kFlagBusyDays);
    }
    return Save(store);
}
