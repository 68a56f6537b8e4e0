#include "containers/tasks/TaskListPaste.h"

#include "core/document/TransferFormat.h"
#include "core/items/EventItem.h"
#include "core/items/TaskItem.h"
#include "core/lists/ItemTypeCatalog.h"

#include <new>

HRESULT CTaskListPaste::ReadTasks(const QByteArray &bytes, std::uint32_t formatVersion,
                                  const IItemTypeCatalog *types,
                                  std::vector<std::unique_ptr<CTaskItem>> &tasks)
{
    tasks.clear();
    std::vector<TransferRecord> records;
    const HRESULT read = ReadTransferBytes(bytes, formatVersion, types, records);
    if (read != S_OK)
        return read;
    std::vector<std::unique_ptr<CTaskItem>> made;
    try {
        for (const TransferRecord &record : records) {
            auto task = std::make_unique<CTaskItem>();
            // A task is copied whole; an event gives its subject, notes and days (an
            // occurrence travels as a single event at its own times, a series at its first).
            task->CopyFromItem(*record.item);
            ClearStoredIdentity(*task);
            const QString typeName = record.item->GetItemTypeName();
            task->SetItemTypeName(typeName);
            task->SetItemTypeIndex(types ? types->FindType(typeName) : -1);
            made.push_back(std::move(task));
        }
    } catch (const std::bad_alloc &) {
        return E_OUT_OF_MEMORY;
    }
    tasks = std::move(made);
    return S_OK;
}
