// IContainerDocument: the document operations a container uses to read, change and delete
// items. CDocumentItemPort serves them from the calendar document; tests wrap it to count
// loads or to make a chosen store fail.
#pragma once

#include "core/dates/DateTime.h"
#include "core/system/ResultCode.h"

#include <QString>
#include <cstdint>
#include <functional>

class CCategoryListBase;
class CEventItem;
class CItemRef;
class CItemTypeList;
class CTaskItem;

class IContainerDocument
{
  public:
    using RecordVisitor = std::function<HRESULT(std::uint32_t recordId)>;

    virtual ~IContainerDocument() = default;
    virtual bool IsReadOnly() const = 0;
    // The open data file's path; empty when none.
    virtual QString GetDataFilePath() const = 0;

    // Whole items and their summaries (the leading block, enough for the range test), by the
    // item's record id.
    virtual HRESULT LoadEvent(CEventItem &event) = 0;
    virtual HRESULT LoadTask(CTaskItem &task) = 0;
    virtual HRESULT LoadEventSummary(CEventItem &event) = 0;
    virtual HRESULT LoadTaskSummary(CTaskItem &task) = 0;
    // A record id 0 stores a new record, which receives its id.
    virtual HRESULT StoreEvent(CEventItem &event) = 0;
    virtual HRESULT StoreTask(CTaskItem &task) = 0;
    virtual HRESULT DeleteEvent(std::uint32_t recordId, bool keepMark) = 0;
    virtual HRESULT DeleteTask(std::uint32_t recordId, bool keepMark) = 0;
    // Marks one occurrence of a series deleted.
    virtual HRESULT DeleteOccurrence(std::uint32_t recordId, const CDateTime &occurrence) = 0;
    // Completes the held task (a recurring one splits off a completed copy and advances).
    virtual HRESULT CompleteTask(CItemRef &holder) = 0;
    // Visits every record id; stops at and returns the first nonzero result.
    virtual HRESULT EnumEvents(const RecordVisitor &visit) = 0;
    virtual HRESULT EnumTasks(const RecordVisitor &visit) = 0;

    virtual const CItemTypeList *GetItemTypes() const = 0;
    virtual const CCategoryListBase *GetCategories() const = 0;
};
