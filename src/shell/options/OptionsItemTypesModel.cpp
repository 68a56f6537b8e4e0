// The Item Types page's working copy.
#include "shell/options/OptionsItemTypesModel.h"

#include "core/dates/DurationText.h"
#include "core/lists/ItemTypeArt.h"
#include "core/lists/PredefinedItemTypes.h"
#include "core/storage/FixedObjectStore.h"
#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"
#include "shell/options/ItemTypeEditorPort.h"

#include <QFileInfo>
#include <algorithm>

void COptionsItemTypesModel::Load(const CItemTypeList *list, bool readOnly, int displayColors)
{
    m_types.clear();
    m_filters.clear();
    m_order.clear();
    m_large.Create(CItemTypeList::kLargeIconSize, CItemTypeList::kLargeIconSize);
    m_small.Create(CItemTypeList::kSmallIconSize, CItemTypeList::kSmallIconSize);
    m_hasFile = list != nullptr;
    m_readOnly = readOnly;
    m_modified = m_applied = m_gradientChanged = false;
    m_gradientEnabled = displayColors > 256;
    m_highColor = displayColors > 256;
    m_gradientOn = m_gradientEnabled && GetProfileInt(ConstName::Common, ConstName::UG, 1) != 0;
    m_gradientLoaded = m_gradientOn;
    if (list && (!list->CopyTypes(m_types, m_large, m_small) || !list->CopyFilters(m_filters))) {
        m_types.clear();
        m_filters.clear();
    }
    for (int i = 0; i < int(m_types.size()); ++i)
        m_order.push_back(i);
    Sort();
    m_selection = m_order.empty() ? -1 : 0;
}

void COptionsItemTypesModel::Sort()
{
    std::stable_sort(m_order.begin(), m_order.end(), [this](int a, int b) {
        return QString::compare(m_types[std::size_t(a)]->GetName(), m_types[std::size_t(b)]->GetName(),
                                Qt::CaseInsensitive) < 0;
    });
}

const CItemType *COptionsItemTypesModel::GetTypeAt(int position) const
{
    const int slot = GetSlotAt(position);
    return slot < 0 ? nullptr : m_types[std::size_t(slot)].get();
}

int COptionsItemTypesModel::GetSlotAt(int position) const
{
    return position >= 0 && position < GetCount() ? m_order[std::size_t(position)] : -1;
}

const ImagePixels *COptionsItemTypesModel::GetSmallIconAt(int position) const
{
    return m_small.GetImage(GetSlotAt(position));
}

const ImagePixels *COptionsItemTypesModel::GetLargeIconAt(int position) const
{
    return m_large.GetImage(GetSlotAt(position));
}

int COptionsItemTypesModel::FindPosition(const QString &name) const
{
    for (int p = 0; p < GetCount(); ++p)
        if (GetTypeAt(p)->GetName().compare(name, Qt::CaseInsensitive) == 0)
            return p;
    return -1;
}

void COptionsItemTypesModel::Select(int position)
{
    m_selection = position >= 0 && position < GetCount() ? position : -1;
}

COptionsItemTypesModel::Details COptionsItemTypesModel::GetDetails(int position) const
{
    Details details;
    const CItemType *type = GetTypeAt(position);
    if (!type)
        return details;
    details.lead = FormatDuration(type->GetReminderLead()) + QStringLiteral(" before start");
    const CReminderSound &sound = type->GetSound();
    details.sound = sound.GetDescription();
    if (sound.GetMode() == CReminderSound::SoundFile && !sound.GetPath().isEmpty() &&
        !QFileInfo::exists(sound.GetPath()))
        details.sound += QStringLiteral(" < not found >");
    details.noWindowAfterTime = type->HasFlag(CItemType::kFlagNoWindowAfterTime);
    details.busyDays = type->HasFlag(CItemType::kFlagBusyDays);
    details.synchronise = type->HasFlag(CItemType::kFlagConverted);
    return details;
}

ItemTypeEditRequest COptionsItemTypesModel::MakeCreateRequest(const ImagePixels &largeIcon,
                                                              const ImagePixels &smallIcon) const
{
    ItemTypeEditRequest request;
    request.largeIcon = largeIcon;
    request.smallIcon = smallIcon;
    request.index = -1;
    return request;
}

bool COptionsItemTypesModel::MakeEditRequest(int position, ItemTypeEditRequest &request) const
{
    const CItemType *type = GetTypeAt(position);
    if (!type)
        return false;
    request.type = *type;
    request.index = GetSlotAt(position);
    request.largeIcon = *m_large.GetImage(request.index);
    request.smallIcon = *m_small.GetImage(request.index);
    return true;
}

bool COptionsItemTypesModel::AddFromEditor(const ItemTypeEditRequest &request)
{
    if (!IsEditable() || GetCount() >= kMaxTypes)
        return false;
    if (!m_large.Add(request.largeIcon))
        return false;
    if (!m_small.Add(request.smallIcon)) {
        m_large.Remove(m_large.GetImageCount() - 1);
        return false;
    }
    auto type = std::make_unique<CItemType>(request.type);
    // Only one type carries each default role; the list settles that on apply, the page shows it now.
    type->SetFlags(type->GetFlags() & ~(CItemType::kFlagDefaultEvent | CItemType::kFlagDefaultTask));
    if (m_types.empty())
        type->SetFlags(type->GetFlags() | CItemType::kFlagDefaultEvent | CItemType::kFlagDefaultTask);
    const int slot = int(m_types.size());
    m_types.push_back(std::move(type));
    m_order.push_back(slot);
    Sort();
    m_selection = int(std::find(m_order.begin(), m_order.end(), slot) - m_order.begin());
    m_modified = true;
    return true;
}

bool COptionsItemTypesModel::ReplaceFromEditor(const ItemTypeEditRequest &request)
{
    if (!IsEditable() || request.index < 0 || request.index >= int(m_types.size()))
        return false;
    CItemType &type = *m_types[std::size_t(request.index)];
    const std::uint32_t roles =
        type.GetFlags() & (CItemType::kFlagDefaultEvent | CItemType::kFlagDefaultTask);
    if (!m_large.Replace(request.index, request.largeIcon) ||
        !m_small.Replace(request.index, request.smallIcon))
        return false;
    type = request.type;
    // The default roles belong to the page's buttons, not to the editor.
    type.SetFlags((type.GetFlags() & ~(CItemType::kFlagDefaultEvent | CItemType::kFlagDefaultTask)) | roles);
    Sort();
    m_selection = int(std::find(m_order.begin(), m_order.end(), request.index) - m_order.begin());
    m_modified = true;
    return true;
}

void COptionsItemTypesModel::RemoveFromFilters(const QString &name)
{
    for (auto &filter : m_filters) {
        if (!filter)
            continue;
        QStringList names = filter->GetItemTypeNames();
        const qsizetype before = names.size();
        names.removeIf([&name](const QString &n) { return n.compare(name, Qt::CaseInsensitive) == 0; });
        if (names.size() == before)
            continue;
        filter->SetItemTypeNames(names);
        // The type's items count as undefined from now on: a filter that named only this type
        // keeps choosing those items instead of widening to every type.
        if (names.isEmpty())
            filter->SetFlags(filter->GetFlags() | CItemFilter::FF_UNDEFINED_TYPE);
    }
}

bool COptionsItemTypesModel::Delete(int position)
{
    const int slot = GetSlotAt(position);
    if (!IsEditable() || slot < 0)
        return false;
    const std::uint32_t roles =
        m_types[std::size_t(slot)]->GetFlags() & (CItemType::kFlagDefaultEvent | CItemType::kFlagDefaultTask);
    const QString name = m_types[std::size_t(slot)]->GetName();
    m_order.erase(m_order.begin() + position);
    for (int &s : m_order)
        if (s > slot)
            --s;
    m_large.Remove(slot);
    m_small.Remove(slot);
    m_types.erase(m_types.begin() + slot);
    RemoveFromFilters(name);
    if (m_order.empty())
        m_selection = -1;
    else
        m_selection = std::min(position, GetCount() - 1);
    if (!m_order.empty() && roles) {
        CItemType &first = *m_types[std::size_t(m_order.front())];
        first.SetFlags(first.GetFlags() | roles);
    }
    m_modified = true;
    return true;
}

int COptionsItemTypesModel::Restore()
{
    if (!IsEditable())
        return 0;
    std::vector<ImagePixels> small, large;
    const IItemTypeArt *art = GetItemTypeArt();
    const bool haveArt = art && art->GetPredefinedIcons(CItemTypeList::kSmallIconSize, small) &&
                         art->GetPredefinedIcons(CItemTypeList::kLargeIconSize, large);
    int added = 0;
    const auto rows = PredefinedItemTypes();
    for (std::size_t i = 0; i < rows.size() && GetCount() < kMaxTypes; ++i) {
        CItemType type = MakePredefinedItemType(rows[i], m_highColor);
        if (FindPosition(type.GetName()) >= 0)
            continue;
        type.SetFlags(type.GetFlags() & ~(CItemType::kFlagDefaultEvent | CItemType::kFlagDefaultTask));
        const ImagePixels smallIcon = haveArt && i < small.size() ? small[i] : m_small.BlankImage();
        const ImagePixels largeIcon = haveArt && i < large.size() ? large[i] : m_large.BlankImage();
        if (!m_large.Add(largeIcon))
            continue;
        if (!m_small.Add(smallIcon)) {
            m_large.Remove(m_large.GetImageCount() - 1);
            continue;
        }
        const bool first = m_types.empty();
        m_types.push_back(std::make_unique<CItemType>(type));
        if (first)
            m_types.back()->SetFlags(type.GetFlags() | CItemType::kFlagDefaultEvent |
                                     CItemType::kFlagDefaultTask);
        m_order.push_back(int(m_types.size()) - 1);
        ++added;
    }
    if (added) {
        const int selectedSlot = GetSlotAt(m_selection);
        Sort();
        m_selection = selectedSlot < 0
                          ? 0
                          : int(std::find(m_order.begin(), m_order.end(), selectedSlot) - m_order.begin());
        m_modified = true;
    }
    return added;
}

void COptionsItemTypesModel::SetDefault(int position, std::uint32_t flag)
{
    const int slot = GetSlotAt(position);
    if (!IsEditable() || slot < 0)
        return;
    for (auto &type : m_types)
        type->SetFlags(type->GetFlags() & ~flag);
    m_types[std::size_t(slot)]->SetFlags(m_types[std::size_t(slot)]->GetFlags() | flag);
    m_modified = true;
}

void COptionsItemTypesModel::SetGradient(bool on)
{
    if (m_gradientEnabled)
        m_gradientOn = on;
}

void COptionsItemTypesModel::ApplySettings()
{
    if (m_gradientOn == m_gradientLoaded)
        return;
    WriteProfileInt(ConstName::Common, ConstName::UG, m_gradientOn ? 1 : 0);
    m_gradientChanged = true;
    m_gradientLoaded = m_gradientOn;
}

HRESULT COptionsItemTypesModel::Apply(CItemTypeList &list, IFixedObjectStore &store)
{
    if (!IsModified())
        return S_OK;
    ApplySettings();
    if (!m_modified || !m_hasFile) {
        m_applied = true;
        return S_OK;
    }

    // The list as the file holds it, to go back to when the store fails.
    QByteArray before;
    const bool haveBefore = list.BuildBlob(before) == S_OK;
    auto restore = [&] {
        bool needsUpgrade = false;
        if (!haveBefore || list.ReadBlob(before, store.GetFormatVersion(), needsUpgrade) != S_OK)
            list.Load(store);
    };

    // The working copy stays whole, so that OK can be tried again after a failure.
    ItemTypeArray types;
    ItemFilterArray filters;
    types.reserve(m_types.size());
    for (const auto &type : m_types)
        types.push_back(std::make_unique<CItemType>(*type));
    for (const auto &filter : m_filters)
        filters.push_back(filter ? std::make_unique<CItemFilter>(*filter) : nullptr);
    filters.erase(std::remove(filters.begin(), filters.end(), nullptr), filters.end());
    if (!list.SetTypes(types, m_large, m_small, &m_order) || !list.SetFilters(filters)) {
        restore();
        return E_OUT_OF_MEMORY;
    }
    const HRESULT hr = list.Save(store);
    if (hr != S_OK) {
        restore();
        return hr;
    }
    m_applied = true;
    return S_OK;
}
