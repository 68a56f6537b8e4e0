// CItemKey names one item or one occurrence of a recurring item by value (kind, record id and
// occurrence date); CItemKeyArray is a selection of them for the print job. An item that exists
// only in memory (an editor's unsaved copy) travels beside its key, never inside it, so that a
// key written out and read back can name nothing but stored data.
#pragma once

#include "core/dates/DateTime.h"

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <vector>

class CCalendarItem;

struct CItemKey
{
    static constexpr int kBlockBytes = 24; // kind, id, date, date status, a zero word

    std::int32_t kind = 0;     // 1 event, 2 task
    std::uint32_t itemId = 0;  // 0 for an unsaved item
    CDateTime occurrence{0.0}; // zero when no occurrence is named

    bool operator==(const CItemKey &o) const
    {
        return kind == o.kind && itemId == o.itemId && occurrence == o.occurrence;
    }
};

class CItemKeyArray
{
  public:
    // Appends a key; returns its index. `unsaved` is the in-memory item of a key with id 0: the
    // array shares it so that it lives as long as the selection does.
    int Add(int kind, std::uint32_t itemId, const CDateTime &occurrence,
            std::shared_ptr<const CCalendarItem> unsaved = nullptr);

    int GetSize() const { return int(m_keys.size()); }
    const CItemKey &GetAt(int index) const { return m_keys.at(std::size_t(index)); }
    // The in-memory item given with the key; null for stored items.
    const CCalendarItem *GetUnsavedItem(int index) const { return m_unsaved.at(std::size_t(index)).get(); }
    void RemoveAll();

    // The count (one u16, or 0xFFFF and a u32 from 0xFFFF on) and a 24-byte block per key.
    // Unsaved items are not written: their keys read back as id 0 with no item.
    QByteArray Serialize() const;
    // Replaces the keys with those of the bytes; false (and the array empty) for bytes that are
    // short, long or claim more keys than they hold.
    bool Deserialize(const QByteArray &bytes);

  private:
    std::vector<CItemKey> m_keys;
    std::vector<std::shared_ptr<const CCalendarItem>> m_unsaved;
};
