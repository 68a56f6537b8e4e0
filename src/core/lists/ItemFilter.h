// CItemFilter: a saved filter that picks items by item type and by category, and its stored record.
#pragma once

#include "core/system/ResultCode.h"

#include <QString>
#include <QStringList>
#include <cstdint>

class CArchiveReader;
class CArchiveWriter;

// The item-type choice is "all" when no type name is chosen and FF_UNDEFINED_TYPE is clear; the
// category choice likewise with FF_NO_CATEGORIES. A stored filter never has both choices "all".
class CItemFilter
{
  public:
    enum Flags : std::uint32_t
    {
        FF_OR = 0x1,                   // an item passes either test (clear: both tests)
        FF_UNDEFINED_TYPE = 0x2,       // items without an item type count as chosen
        FF_NO_CATEGORIES = 0x4,        // items without categories count as chosen
        FF_TYPES_ALL_BUT = 0x20,       // the chosen item types are excluded
        FF_CATEGORIES_ALL_BUT = 0x200, // the chosen categories are excluded
    };
    static constexpr std::uint32_t kTag = 0x014C4946; // bytes "FIL" and version 1
    static constexpr int kReservedBytes = 40 + 20;
    static constexpr int kMaxNameLength = 63; // as entered in the filter editor

    CItemFilter() = default;

    void Clear();
    void CopyFrom(const CItemFilter &other) { *this = other; }
    // Same flags, name and both name lists in the same order, all compared with case.
    bool Equals(const CItemFilter &other) const { return *this == other; }
    bool operator==(const CItemFilter &) const = default;

    std::uint32_t GetFlags() const { return m_flags; }
    void SetFlags(std::uint32_t flags) { m_flags = flags; }
    bool HasFlag(std::uint32_t flag) const { return (m_flags & flag) != 0; }
    const QString &GetName() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }
    // Names of the chosen item types, in the item-type list's order.
    const QStringList &GetItemTypeNames() const { return m_itemTypeNames; }
    void SetItemTypeNames(const QStringList &names) { m_itemTypeNames = names; }
    // Names of the chosen categories, in the master category list's order.
    const QStringList &GetCategoryNames() const { return m_categoryNames; }
    void SetCategoryNames(const QStringList &names) { m_categoryNames = names; }

    bool AllItemTypes() const { return m_itemTypeNames.isEmpty() && !HasFlag(FF_UNDEFINED_TYPE); }
    bool AllCategories() const { return m_categoryNames.isEmpty() && !HasFlag(FF_NO_CATEGORIES); }

    // Reads one record. A wrong tag or data that ends early gives QV_E_INTERNAL and leaves the
    // filter unchanged; name counts are never used to size anything before their names are read.
    HRESULT Read(CArchiveReader &ar);
    void Write(CArchiveWriter &ar) const;

  private:
    std::uint32_t m_flags = 0;
    QString m_name;
    QStringList m_itemTypeNames;
    QStringList m_categoryNames;
};
