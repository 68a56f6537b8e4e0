// The private clipboard and drag formats: their names, the record tags, the text form, the drag
// marker, the event copy a selected occurrence travels as, and the checked reader of the item
// format. The bytes may come from another process, so the reader trusts no length in them.
#pragma once

#include "core/system/ResultCode.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class CCalendarItem;
class CDateTime;
class CEventItem;
class IItemTypeCatalog;

namespace Transfer {
// Registered names of the two private formats and the MIME types that carry them.
inline constexpr char ItemsFormatName[] = "QVTransferFormatN";
inline constexpr char MarkerFormatName[] = "QVTransferFormatInt";
inline constexpr char ItemsMimeType[] = "application/x-qvtransferformatn";
inline constexpr char MarkerMimeType[] = "application/x-qvtransferformatint";

// Outer record tags.
inline constexpr std::uint32_t TagEmpty = 0;
inline constexpr std::uint32_t TagEvent = 0xF197120E;
inline constexpr std::uint32_t TagSeries = 0xF297120E;
inline constexpr std::uint32_t TagTask = 0xA101971E;
} // namespace Transfer

// One item read from the item format, with the outer tag it came under.
struct TransferRecord
{
    std::uint32_t tag = Transfer::TagEmpty;
    std::unique_ptr<CCalendarItem> item;
};

// The copy of a stored event that one selected entry travels as: an occurrence of a series
// with its exception's texts and reminder, or the whole series (from the Event List, for an
// occurrence without an exception). Returns the outer tag: TagEmpty for a deleted occurrence,
// TagSeries for the whole series, else TagEvent with `out` a single new event at the entry's
// times.
std::uint32_t PrepareEventForTransfer(const CEventItem &stored, const CDateTime &occurrenceDate,
                                      const CDateTime &entryStart, const CDateTime &entryEnd,
                                      bool fromEventList, CEventItem &out);

// Clears what ties an item to its stored record, so that storing it makes a new item.
void ClearStoredIdentity(CCalendarItem &item);

// The plain-text form: each subject followed by CR LF.
QString SelectionText(const QStringList &subjects);
// Pasted text becomes an event's notes when it has a line feed, else its subject.
bool PastedTextGoesToNotes(const QString &text);

// The drag marker: the number of selected entries.
QByteArray MarkerBytes(std::uint32_t selectedCount);
// The count of a marker; false for bytes that are not one.
bool ReadMarker(const QByteArray &bytes, std::uint32_t &selectedCount);

// Reads the item format. S_OK with the items of every event, series and task record (empty
// records and unknown tags are skipped; each item gets the index of its type name in `types`,
// -1 when absent); S_FALSE with no items when the bytes come from a data file of another
// format version; QV_E_BAD_DATA_TYPE with no items when any length, count or record in them
// is damaged or runs past the end.
HRESULT ReadTransferBytes(const QByteArray &bytes, std::uint32_t targetFormatVersion,
                          const IItemTypeCatalog *types, std::vector<TransferRecord> &records);
