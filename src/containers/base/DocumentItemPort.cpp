#include "containers/base/DocumentItemPort.h"

#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"

bool CDocumentItemPort::IsReadOnly() const
{
    return !m_document.IsOpen() || m_document.IsReadOnly();
}

QString CDocumentItemPort::GetDataFilePath() const
{
    return m_document.IsOpen() ? m_document.GetDataFile().GetPath() : QString();
}

HRESULT CDocumentItemPort::LoadEvent(CEventItem &event)
{
    return m_document.LoadEvent(event);
}

HRESULT CDocumentItemPort::LoadTask(CTaskItem &task)
{
    return m_document.LoadTask(task);
}

HRESULT CDocumentItemPort::LoadEventSummary(CEventItem &event)
{
    return m_document.GetDataFile().LoadEventSummary(event);
}

HRESULT CDocumentItemPort::LoadTaskSummary(CTaskItem &task)
{
    return m_document.GetDataFile().LoadTaskSummary(task);
}

HRESULT CDocumentItemPort::StoreEvent(CEventItem &event)
{
    return m_document.StoreEvent(event, true);
}

HRESULT CDocumentItemPort::StoreTask(CTaskItem &task)
{
    return m_document.StoreTask(task, true);
}

HRESULT CDocumentItemPort::DeleteEvent(std::uint32_t recordId, bool keepMark)
{
    return m_document.DeleteEvent(recordId, keepMark, true);
}

HRESULT CDocumentItemPort::DeleteTask(std::uint32_t recordId, bool keepMark)
{
    return m_document.DeleteTask(recordId, keepMark, true);
}

HRESULT CDocumentItemPort::DeleteOccurrence(std::uint32_t recordId, const CDateTime &occurrence)
{
    return m_document.DeleteOccurrence(recordId, occurrence, true, true);
}

HRESULT CDocumentItemPort::CompleteTask(CItemRef &holder)
{
    return m_document.ToggleTaskCompleted(holder, false);
}

HRESULT CDocumentItemPort::EnumEvents(const RecordVisitor &visit)
{
    return m_document.EnumAllEvents(visit);
}

HRESULT CDocumentItemPort::EnumTasks(const RecordVisitor &visit)
{
    return m_document.EnumAllTasks(visit);
}

const CItemTypeList *CDocumentItemPort::GetItemTypes() const
{
    return &m_document.GetItemTypes();
}

const CCategoryListBase *CDocumentItemPort::GetCategories() const
{
    return &m_document.GetMasterList();
}

HRESULT CDocumentItemPort::LoadEvent(std::uint32_t recordId, CItemRef &out)
{
    return m_document.LoadItemRef(out, CCalendarItem::KindEvent, recordId);
}

HRESULT CDocumentItemPort::LoadTask(std::uint32_t recordId, CItemRef &out)
{
    return m_document.LoadItemRef(out, CCalendarItem::KindTask, recordId);
}

HRESULT CDocumentItemPort::SaveEventRef(CItemRef &ref)
{
    return m_document.SaveEventRef(ref);
}

HRESULT CDocumentItemPort::SaveTaskRef(CItemRef &ref)
{
    return m_document.SaveTaskRef(ref);
}

std::uint32_t CDocumentItemPort::GetFormatVersion() const
{
    return m_document.GetDataFile().GetFormatVersion();
}

HRESULT CDocumentItemPort::ToggleTaskCompleted(CItemRef &ref)
{
    return m_document.ToggleTaskCompleted(ref, true);
}

QString CDocumentItemPort::GetCalendarTitle() const
{
    return m_document.IsOpen() ? m_document.GetDataFile().GetTitle() : QString();
}
