// One fuzz input for the clipboard and drag item format, shared by the fuzz target and the test
// that replays the inputs kept under tests/data/fuzz-transfer. The first byte chooses how the
// rest is used: as the clipboard bytes as they stand, or as edits (offset, byte) and a cut
// applied to a valid paste of an event, a series, a task and an empty record. Whatever reads
// is written again and must read back the same records; the paste then places and stores the
// items in every kind of view, and damaged bytes must store nothing.
#pragma once

#include "common/FakeMessagePort.h"
#include "core/document/TransferFormat.h"
#include "core/document/TransferPaste.h"
#include "core/document/TransferWriter.h"
#include "core/items/EventItem.h"
#include "core/items/TaskItem.h"
#include "core/storage/FixedObjectStore.h"
#include "fuzz/FuzzBytes.h"
#include "fuzz/RecordFuzzInput.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace TransferFuzz {

inline QByteArray Seed()
{
    CTransferWriter writer(kDataFormatCurrent);
    CEventItem single = RecordFuzz::SeedEvent();
    single.RemoveRecurrence();
    writer.AddEvent(single, Transfer::TagEvent);
    writer.AddEvent(RecordFuzz::SeedEvent(), Transfer::TagSeries);
    writer.AddEmpty();
    writer.AddTask(RecordFuzz::SeedTask());
    return writer.GetBytes();
}

// Stores nothing anywhere: counts what the paste hands over.
class CountingSink : public IPasteSink
{
  public:
    HRESULT StoreEvent(CEventItem &) override
    {
        ++stores;
        return S_OK;
    }
    HRESULT StoreTask(CTaskItem &) override
    {
        ++stores;
        return S_OK;
    }
    void InitNewEventTimes(CEventItem &event) override
    {
        event.SetStart(CDateTime(2024, 1, 1, 8, 0, 0));
        event.SetDuration(CDateSpan(1.0 / 48));
    }
    void AddItemToView(CCalendarItem &, bool) override {}
    int stores = 0;
};

// Runs one input; returns a description of the first broken rule, or null.
inline const char *RunInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return nullptr;
    const QByteArray bytes = FuzzBytes(data, size, Seed());

    std::uint32_t marked = 0;
    ReadMarker(bytes, marked);

    std::vector<TransferRecord> records;
    const HRESULT read = ReadTransferBytes(bytes, kDataFormatCurrent, nullptr, records);
    if (read != S_OK && read != S_FALSE && read != QV_E_BAD_DATA_TYPE && read != E_OUT_OF_MEMORY)
        return "the reader gave a result it does not promise";
    if (read != S_OK && !records.empty())
        return "a refused paste still gave items";
    if (read == S_OK) {
        CTransferWriter writer(kDataFormatCurrent);
        for (const TransferRecord &r : records) {
            if (!r.item)
                return "a record without its item";
            if (r.tag == Transfer::TagTask)
                writer.AddTask(static_cast<const CTaskItem &>(*r.item));
            else
                writer.AddEvent(static_cast<const CEventItem &>(*r.item), r.tag);
        }
        std::vector<TransferRecord> again;
        if (ReadTransferBytes(writer.GetBytes(), kDataFormatCurrent, nullptr, again) != S_OK)
            return "written items do not read back";
        if (again.size() != records.size())
            return "written items read back as another number";
        for (std::size_t k = 0; k < again.size(); ++k) {
            if (again[k].tag != records[k].tag)
                return "written items read back with other tags";
        }
    }

    // Paste into every kind of target; the message port keeps the damage warning quiet.
    FakeMessagePort port;
    const struct
    {
        int container, view;
    } targets[] = {{1, 1}, {1, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {8, 7}};
    for (const auto &t : targets) {
        PasteTarget target;
        target.containerKind = t.container;
        target.viewKind = t.view;
        target.formatVersion = kDataFormatCurrent;
        target.firstCellDate = CDateTime(2024, 9, 10, 14, 30, 0);
        target.shownSpan = CDateSpan(1.0 / 48);
        CountingSink sink;
        CTransferPaste paste(target, sink);
        const HRESULT pasted = paste.Paste(bytes);
        if (read != S_OK && sink.stores != 0)
            return "damaged bytes stored items";
        if (read == S_OK && pasted == S_OK && sink.stores != int(records.size()))
            return "a paste stored another number of items than it read";
    }
    return nullptr;
}

} // namespace TransferFuzz
