// The private clipboard and drag formats: event copies, text, marker and the checked reader.
#include "core/document/TransferFormat.h"

#include "core/storage/ArchiveException.h"
#include "core/items/EventItem.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/storage/MemoryStream.h"
#include "core/items/TaskItem.h"

#include <new>

std::uint32_t PrepareEventForTransfer(const CEventItem &stored, const CDateTime &occurrenceDate,
                                      const CDateTime &entryStart, const CDateTime &entryEnd,
                                      bool fromEventList, CEventItem &out)
{
    out.Copy(stored);
    if (stored.IsRecurring()) {
        const int index = stored.FindExceptionIndex(occurrenceDate);
        if (index >= 0) {
            const CRecurrenceException &exception = *stored.GetExceptionAt(index);
            if (exception.IsDeleted())
                return Transfer::TagEmpty;
            out.SetReminder(true, exception.reminderLead);
            if (!exception.HasOwnReminder())
                out.ClearReminder();
            if (exception.overrideFlags & CRecurrenceException::OverrideSubject)
                out.SetSubject(exception.subject);
            if (exception.overrideFlags & CRecurrenceException::OverrideLocation)
                out.SetLocation(exception.location);
            if (exception.overrideFlags & CRecurrenceException::OverrideNotes)
                out.SetNotes(exception.notes);
        } else if (fromEventList) {
            return Transfer::TagSeries;
        }
    }
    ClearStoredIdentity(out);
    out.RemoveRecurrence();
    out.SetStart(entryStart);
    out.SetDuration(entryEnd - entryStart);
    return Transfer::TagEvent;
}

void ClearStoredIdentity(CCalendarItem &item)
{
    item.SetRecordId(0);
    item.SetUniqueId(QString());
    item.SetDataFileStamp(0);
    item.SetKeepMark(0);
}

QString SelectionText(const QStringList &subjects)
{
    QString text;
    for (const QString &subject : subjects)
        text += subject + QStringLiteral("\r\n");
    return text;
}

bool PastedTextGoesToNotes(const QString &text)
{
    return text.contains(QLatin1Char('\n'));
}

QByteArray MarkerBytes(std::uint32_t selectedCount)
{
    QByteArray bytes;
    for (int i = 0; i < 4; ++i)
        bytes.append(static_cast<char>((selectedCount >> (8 * i)) & 0xFF));
    return bytes;
}

bool ReadMarker(const QByteArray &bytes, std::uint32_t &selectedCount)
{
    if (bytes.size() != 4)
        return false;
    CMemoryStream stream;
    stream.Attach(bytes.constData(), 4);
    selectedCount = stream.ReadUInt32();
    return true;
}

namespace {
// Moves past one string of the stream form (count with its NUL, then the bytes).
void SkipString(CMemoryStream &stream)
{
    const std::uint32_t length = stream.ReadUInt32();
    stream.RequireBytes(length);
    stream.Skip(length);
}

template <class Item> std::unique_ptr<CCalendarItem> ReadItem(const std::uint8_t *bytes, std::uint32_t length)
{
    auto item = std::make_unique<Item>();
    CMemoryStream stream;
    stream.Attach(bytes, length);
    item->Read(stream);
    return item;
}
} // namespace

HRESULT ReadTransferBytes(const QByteArray &bytes, std::uint32_t targetFormatVersion,
                          const IItemTypeCatalog *types, std::vector<TransferRecord> &records)
{
    records.clear();
    std::vector<TransferRecord> read;
    try {
        CMemoryStream stream;
        stream.Attach(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        if (stream.ReadUInt32() != targetFormatVersion)
            return S_FALSE;
        const std::uint32_t count = stream.ReadUInt32();
        // Every record takes at least its four-byte tag.
        stream.RequireBytes(std::uint64_t(count) * 4);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t tag = stream.ReadUInt32();
            if (tag == Transfer::TagEmpty)
                continue;
            const std::uint32_t length = stream.ReadUInt32();
            stream.RequireBytes(length);
            const std::uint8_t *recordBytes =
                reinterpret_cast<const std::uint8_t *>(bytes.constData()) + stream.GetPosition();
            stream.Skip(length);
            SkipString(stream);
            const std::uint32_t textCount = stream.ReadUInt32();
            stream.RequireBytes(std::uint64_t(textCount) * 4);
            for (std::uint32_t t = 0; t < textCount; ++t)
                SkipString(stream);

            TransferRecord record;
            record.tag = tag;
            if (tag == Transfer::TagEvent || tag == Transfer::TagSeries)
                record.item = ReadItem<CEventItem>(recordBytes, length);
            else if (tag == Transfer::TagTask)
                record.item = ReadItem<CTaskItem>(recordBytes, length);
            else
                continue;
            if (types)
                record.item->SetItemTypeIndex(types->FindType(record.item->GetItemTypeName()));
            read.push_back(std::move(record));
        }
    } catch (const CArchiveException &) {
        return QV_E_BAD_DATA_TYPE;
    } catch (const std::bad_alloc &) {
        return E_OUT_OF_MEMORY;
    }
    records = std::move(read);
    return S_OK;
}
