// What items need of the item type list: count, a type's name, reminder lead and flags, and
// lookups by name and by prefix. The document's item type list implements it and is
// registered once; tests register a fake.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>
#include <cstdint>

struct ItemTypeInfo
{
    QString name;
    CDateSpan reminderLead;  // the type's default lead time
    std::uint32_t flags = 0; // the type's flag word; 0x4 is copied to item flag 0x40
};

class IItemTypeCatalog
{
  public:
    virtual ~IItemTypeCatalog() = default;
    virtual int GetTypeCount() const = 0;
    virtual bool GetTypeInfo(int index, ItemTypeInfo &out) const = 0;
    // Index of the first type with exactly this name; -1 when none.
    virtual int FindType(const QString &name) const = 0;
    // Index of the first type whose name begins with the text, ignoring case; -1 when none.
    virtual int FindTypeByPrefix(const QString &text) const = 0;
};

// The item type list of the open calendar, or null when none is registered.
const IItemTypeCatalog *GetItemTypeCatalog();
void SetItemTypeCatalog(const IItemTypeCatalog *catalog);
