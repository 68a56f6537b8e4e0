// What the master category list and the location list share: owned `CCategory` entries and the
// fixed-object blob both are stored in (they differ only in tag, object and order of entries).
#pragma once

#include "core/lists/Category.h"
#include "core/system/ResultCode.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class CArchiveReader;
class IFixedObjectStore;

using CategoryArray = std::vector<std::unique_ptr<CCategory>>;

class CCategoryListBase
{
  public:
    static constexpr std::uint32_t kBlobFormat = 0x00020005;
    static constexpr int kHeaderBytes = 28;           // tags, lengths, format, count
    static constexpr int kReservedBytes = 202 + 50;   // after the records
    static constexpr std::uint32_t kPlainLength = 12; // record header the store keeps plain

    virtual ~CCategoryListBase() = default;
    CCategoryListBase(const CCategoryListBase &) = delete;
    CCategoryListBase &operator=(const CCategoryListBase &) = delete;

    std::uint32_t GetTag() const { return m_tag; }
    int GetObjectId() const { return m_objectId; }

    int GetCount() const { return int(m_entries.size()); }
    // The entry at `index`; null when out of range.
    CCategory *GetAt(int index) const;
    // Index of the first entry whose name equals `name` (exactly, or ignoring case by Unicode
    // rules); -1 when none.
    int Find(const QString &name, bool matchCase) const;
    // Adds a copy: the location list inserts it before the first entry whose name sorts after it
    // in the locale's order (so equal names keep the order they came in); the master list appends.
    bool Add(const CCategory &entry);
    void RemoveAll()
    {
        m_entries.clear();
        m_knownSorted = true;
    }
    void Clear() { RemoveAll(); }
    // Appends a copy of every entry; false (and the array as it was) when memory runs out.
    bool CopyTo(CategoryArray &array) const;
    // Empties the list and takes the array's entries, in the order of `order` when given (indexes
    // out of range or naming an empty slot are passed over), else in array order. Each taken slot
    // becomes null: the list owns the entry now.
    bool SetCategories(CategoryArray &array, const std::vector<int> *order = nullptr);

    // Writes every entry as the blob into the list's fixed object. A blob that cannot be built is
    // an error (0x8007000E) and nothing is written; errors of the data file pass through.
    HRESULT Save(IFixedObjectStore &store) const;
    // The fixed-object blob of the entries.
    virtual HRESULT BuildBlob(QByteArray &blob) const;
    // Appends the entries of a blob in the current layout (`hasFormatWord`) or the layout of
    // formats 0x10001/0x10004 without it. Archive errors give 0x8004050D and keep the entries read.
    HRESULT ReadBlob(const QByteArray &blob, bool hasFormatWord);

  protected:
    CCategoryListBase(std::uint32_t tag, int objectId, bool sorted);

    // Reads the fixed object's blob; `data` is empty when the object is missing or empty.
    HRESULT ReadObject(IFixedObjectStore &store, QByteArray &data) const;
    // Checks the doubled tag and length header; leaves the reader after it.
    HRESULT ReadHeader(CArchiveReader &ar) const;
    void Append(std::unique_ptr<CCategory> entry);

  private:
    std::uint32_t m_tag;
    int m_objectId;
    bool m_sorted;
    // True while the entries are known to be in the locale's order, so a sorted insert can search.
    bool m_knownSorted = true;
    CategoryArray m_entries;
};
