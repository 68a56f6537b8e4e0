// CItemTypeList: the item types of the open data file with their icons, the saved filters, and
// fixed object 1 of the data file that holds all of them.
#pragma once

#include "core/lists/ImageList.h"
#include "core/lists/ItemFilter.h"
#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/system/ResultCode.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class IFixedObjectStore;

using ItemTypeArray = std::vector<std::unique_ptr<CItemType>>;
using ItemFilterArray = std::vector<std::unique_ptr<CItemFilter>>;

// Each type has one 16 x 16 and one 32 x 32 icon at its own index of the small and the large image
// list. One type is the default of new events (flag 0x10) and one of new tasks (flag 0x100); the
// list keeps exactly one of each flagged while it has types.
//
// Fixed object 1 (little-endian): tag 0xFF505954, total length, 12, tag, total length, type count,
// the small and the large image list (stream form of `CImageList`), the type records, then (files
// of format 0x10002 and later) the filter count and filter records, the list format 0x10008, 200
// zero bytes, an empty string, the current filter name, 50 zero bytes; zero padding until the length
// less 12 is a multiple of 16.
class CItemTypeList : public IItemTypeCatalog
{
  public:
    static constexpr std::uint32_t kListTag = 0xFF505954;
    static constexpr std::uint32_t kPlainLength = 12;
    static constexpr std::uint32_t kListFormat = 0x10008;
    // Lists stored in this format or before it get the busy-days flag on the predefined names.
    static constexpr std::uint32_t kLastFormatBeforeBusyDays = 0x10007;
    static constexpr std::uint32_t kFirstFormatWithFilters = 0x10002;
    static constexpr int kReservedAfterFormat = 200;
    static constexpr int kReservedAtEnd = 50;
    static constexpr int kMaxTypes = 100;
    static constexpr int kMaxFilters = 100;
    static constexpr int kSmallIconSize = 16;
    static constexpr int kLargeIconSize = 32;

    CItemTypeList();
    CItemTypeList(const CItemTypeList &) = delete;
    CItemTypeList &operator=(const CItemTypeList &) = delete;

    // Empties the list and reads fixed object 1. A missing or empty object gets the predefined
    // types, which are saved; that save's result is returned. A list stored before the busy-days
    // flag existed gets it on the predefined names and is saved again. Damaged data gives
    // QV_E_INTERNAL and an empty list; errors of the data file pass through.
    HRESULT Load(IFixedObjectStore &store);
    // Writes everything into fixed object 1. A blob that cannot be built is an error and nothing
    // is written; errors of the data file pass through.
    HRESULT Save(IFixedObjectStore &store) const;
    // The fixed-object blob, always in the current layout.
    HRESULT BuildBlob(QByteArray &blob) const;
    // Replaces the list by the blob's content as stored in a file of `dataFormat`. `needsUpgrade`
    // tells that the blob predates the busy-days flag (its list format is 0x10007 or lower, or absent).
    HRESULT ReadBlob(const QByteArray &blob, std::uint32_t dataFormat, bool &needsUpgrade);
    // Replaces the list by the eleven predefined types with their icons (blank without registered
    // art); 14 when memory runs out.
    HRESULT CreatePredefinedTypes();
    // Releases types, icons and filters; the current filter name stays.
    void RemoveAll();

    // Item types.
    int GetTypeCount() const override { return int(m_types.size()); }
    // The type at `index`; null when out of range.
    CItemType *GetType(int index) const;
    const CReminderSound *GetTypeSound(int index) const;
    // The type standing for items without one: named "< undefined >".
    const CItemType &GetUndefinedType() const { return m_undefined; }
    bool GetTypeInfo(int index, ItemTypeInfo &out) const override;
    // First type whose name equals `name` exactly; -1 when none.
    int FindType(const QString &name) const override;
    // First type whose name begins with `text`, ignoring case; -1 when none.
    int FindTypeByPrefix(const QString &text) const override;
    // -1 only while the list has no types.
    int GetDefaultEventType() const { return m_defaultEvent; }
    int GetDefaultTaskType() const { return m_defaultTask; }

    // Icons.
    const CImageList &GetSmallImages() const { return m_small; }
    const CImageList &GetLargeImages() const { return m_large; }
    // Copies of the type's two icons; false for an index that names no type (callers then draw the
    // default icon).
    bool GetTypeIcons(int index, ImagePixels &large, ImagePixels &small) const;
    // Changes whenever types or icons change, so that caches of converted icons know to refresh.
    std::uint64_t GetRevision() const { return m_revision; }

    // Inserts a copy before the first type whose name sorts after it in the locale's order, with
    // its icons at the same index; later icons and the default indexes move up with their types.
    // A copy carrying a default flag that the list already has loses it; the first type added to
    // an empty list becomes both defaults. False, changing nothing, at 100 types or when an icon
    // does not fit its list.
    bool AddType(const CItemType &type, const ImagePixels &largeIcon, const ImagePixels &smallIcon);
    // Copies of the first 100 types and of both image lists, for editing; false when memory runs out.
    bool CopyTypes(ItemTypeArray &types, CImageList &large, CImageList &small) const;
    // Replaces every type by those of the array, in the order of `order` (array indexes) when given,
    // else in array order, at most 100; each type's icons come from the given lists at its array
    // index (blank when missing). Taken slots become null. The last types flagged as defaults become
    // the defaults (the others lose the flag); with none flagged the first type is both.
    bool SetTypes(ItemTypeArray &types, const CImageList &large, const CImageList &small,
                  const std::vector<int> *order = nullptr);

    // Saved filters.
    int GetFilterCount() const { return int(m_filters.size()); }
    CItemFilter *GetFilter(int index) const;
    // The filter with that name ignoring case; -1 when none.
    int FindFilter(const QString &name) const;
    // Appends a copy; false at 100 filters or when memory runs out.
    bool AddFilter(const CItemFilter &filter);
    // Copies of the first 100 filters; false when memory runs out.
    bool CopyFilters(ItemFilterArray &filters) const;
    // Replaces the filters by the array's, in the order of `order` when given, else in array order,
    // at most 100; taken slots become null.
    bool SetFilters(ItemFilterArray &filters, const std::vector<int> *order = nullptr);

    // The saved filter that exports and publishing apply (empty: none); stored with the list.
    const QString &GetCurrentFilterName() const { return m_currentFilterName; }
    void SetCurrentFilterName(const QString &name) { m_currentFilterName = name; }

  private:
    // Makes exactly one type carry each default flag: the first (or last) flagged, else type 0.
    void ResolveDefaults(bool lastWins);
    void ResetImageLists();

    ItemTypeArray m_types;
    CImageList m_small;
    CImageList m_large;
    int m_defaultEvent = -1;
    int m_defaultTask = -1;
    ItemFilterArray m_filters;
    QString m_currentFilterName;
    CItemType m_undefined;
    std::uint64_t m_revision = 0;
};
