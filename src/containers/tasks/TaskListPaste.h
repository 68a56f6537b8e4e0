// CTaskListPaste: turns the program's private item format into new tasks for the task list:
// every task is copied as a new task, every event becomes a task made from it. The bytes may come
// from any process: they go through the checked reader of the format, and damaged bytes give no
// task at all.
#pragma once

#include "core/system/ResultCode.h"

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <vector>

class CTaskItem;
class IItemTypeCatalog;

class CTaskListPaste
{
  public:
    // S_OK with one new task (record id 0) per event, series or task record; S_FALSE with none
    // when the bytes come from a data file of another format version; QV_E_BAD_DATA_TYPE with
    // none when a count, a length or a record in them is damaged or runs past the end;
    // E_OUT_OF_MEMORY. Each task takes the item type of its type name in `types` (-1 when absent).
    static HRESULT ReadTasks(const QByteArray &bytes, std::uint32_t formatVersion,
                             const IItemTypeCatalog *types, std::vector<std::unique_ptr<CTaskItem>> &tasks);
};
